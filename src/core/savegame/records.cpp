#include "savegame/records.h"

#include "util/failure.h"
#include "util/text.h"

#include <bit>
#include <cstring>

namespace gf {

void RecordWriter::int16(int16_t v) {
    const auto u = static_cast<uint16_t>(v);
    out_ += static_cast<char>(u & 0xFF);
    out_ += static_cast<char>(u >> 8);
}

void RecordWriter::int32(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8)
        out_ += static_cast<char>((u >> shift) & 0xFF);
}

void RecordWriter::single(float v) {
    int32(static_cast<int32_t>(std::bit_cast<uint32_t>(v)));
}

void RecordWriter::name(std::string_view v) {
    // A blank entry's NUL name goes out as it is; a name set short is padded like fixedName does.
    std::string field(v.substr(0, kNameLength));
    field.resize(kNameLength, ' ');
    out_ += field;
}

void RecordWriter::text(std::string_view v) {
    int32(static_cast<int32_t>(v.size()));
    out_ += v;
}

void RecordWriter::item(const Item& v) {
    boolean(v.inUse);
    int16(v.id);
    int32(v.x);
    int32(v.y);
    int32(v.spare);
}

void RecordWriter::creature(const Creature& v) {
    boolean(v.active);
    int32(v.monsterType);
    name(v.name);
    for (int32_t f : {v.x, v.y, v.homeX, v.homeY})
        int32(f);
    int16(v.image);
    int16(v.facing);
    for (int32_t f : {v.level, v.nextLevelXp, v.xp, v.spendableXp, v.life, v.maxLife, v.stamina, v.maxStamina,
                      v.sightRange})
        int32(f);
    for (const CreatureSkill& s : v.skills) {
        boolean(s.known);
        int32(s.value);
        int32(s.raises);
        int32(s.xpToRaise);
    }
    single(v.nextMoveTime);
    single(v.nextAttackTime);
    boolean(v.inCombat);
    int32(v.combatPenalty);
    int32(v.gold);
    for (const Item& c : v.carried)
        item(c);
    int32(v.weaponSlot);
    int32(v.armourSlot);
}

std::string_view RecordReader::take(std::size_t n) {
    if (in_.size() - pos_ < n) fail("The file ends in the middle of a record");
    const auto out = in_.substr(pos_, n);
    pos_ += n;
    return out;
}

int16_t RecordReader::int16() {
    const auto b = take(2);
    return static_cast<int16_t>(
        static_cast<uint16_t>(static_cast<uint8_t>(b[0]) | static_cast<uint8_t>(b[1]) << 8));
}

int32_t RecordReader::int32() {
    const auto b = take(4);
    uint32_t u = 0;
    for (int i = 3; i >= 0; --i)
        u = (u << 8) | static_cast<uint8_t>(b[static_cast<std::size_t>(i)]);
    return static_cast<int32_t>(u);
}

float RecordReader::single() {
    return std::bit_cast<float>(static_cast<uint32_t>(int32()));
}

std::string RecordReader::name() {
    return std::string(take(kNameLength));
}

std::string RecordReader::text() {
    const int32_t length = int32();
    if (length < 0) fail("The file holds a text of negative length");
    return std::string(take(static_cast<std::size_t>(length)));
}

Item RecordReader::item() {
    Item v;
    v.inUse = boolean();
    v.id = int16();
    v.x = int32();
    v.y = int32();
    v.spare = int32();
    return v;
}

Creature RecordReader::creature() {
    Creature v;
    v.active = boolean();
    v.monsterType = int32();
    v.name = name();
    for (int32_t* f : {&v.x, &v.y, &v.homeX, &v.homeY})
        *f = int32();
    v.image = int16();
    v.facing = int16();
    for (int32_t* f : {&v.level, &v.nextLevelXp, &v.xp, &v.spendableXp, &v.life, &v.maxLife, &v.stamina,
                       &v.maxStamina, &v.sightRange})
        *f = int32();
    for (CreatureSkill& s : v.skills) {
        s.known = boolean();
        s.value = int32();
        s.raises = int32();
        s.xpToRaise = int32();
    }
    v.nextMoveTime = single();
    v.nextAttackTime = single();
    v.inCombat = boolean();
    v.combatPenalty = int32();
    v.gold = int32();
    for (Item& c : v.carried)
        c = item();
    v.weaponSlot = int32();
    v.armourSlot = int32();
    return v;
}

} // namespace gf
