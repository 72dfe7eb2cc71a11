#include "savegame/records.h"

#include "shell/failure.h"
#include "shell/text.h"

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
    boolean(v.InUse);
    int16(v.ID);
    int32(v.X);
    int32(v.Y);
    int32(v.Spare);
}

void RecordWriter::player(const Player& v) {
    boolean(v.Active);
    int32(v.MonsterType);
    name(v.Name);
    for (int32_t f : {v.X, v.Y, v.HomeX, v.HomeY})
        int32(f);
    int16(v.Image);
    int16(v.Facing);
    for (int32_t f : {v.Level, v.NextLevelXP, v.XP, v.SpendableXP, v.Life, v.MaxLife, v.Stamina, v.MaxStamina,
                      v.SightRange})
        int32(f);
    for (const PlayerSkill& s : v.Skill) {
        boolean(s.Known);
        int32(s.Value);
        int32(s.Raises);
        int32(s.XPToRaise);
    }
    single(v.NextMoveTime);
    single(v.NextAttackTime);
    boolean(v.InCombat);
    int32(v.CombatPenalty);
    int32(v.Gold);
    for (const Item& c : v.Carry)
        item(c);
    int32(v.WeaponSlot);
    int32(v.ArmorSlot);
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
    v.InUse = boolean();
    v.ID = int16();
    v.X = int32();
    v.Y = int32();
    v.Spare = int32();
    return v;
}

Player RecordReader::player() {
    Player v;
    v.Active = boolean();
    v.MonsterType = int32();
    v.Name = name();
    for (int32_t* f : {&v.X, &v.Y, &v.HomeX, &v.HomeY})
        *f = int32();
    v.Image = int16();
    v.Facing = int16();
    for (int32_t* f : {&v.Level, &v.NextLevelXP, &v.XP, &v.SpendableXP, &v.Life, &v.MaxLife, &v.Stamina,
                       &v.MaxStamina, &v.SightRange})
        *f = int32();
    for (PlayerSkill& s : v.Skill) {
        s.Known = boolean();
        s.Value = int32();
        s.Raises = int32();
        s.XPToRaise = int32();
    }
    v.NextMoveTime = single();
    v.NextAttackTime = single();
    v.InCombat = boolean();
    v.CombatPenalty = int32();
    v.Gold = int32();
    for (Item& c : v.Carry)
        c = item();
    v.WeaponSlot = int32();
    v.ArmorSlot = int32();
    return v;
}

} // namespace gf
