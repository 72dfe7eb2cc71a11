#include "creatures/monster_catalogue.h"

#include "items/catalogue_file.h"
#include "items/item_catalogue.h"
#include "shell/files.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "shell/text.h"

namespace gf {

namespace {

MonsterInfo& entry(Game& g, int16_t number, std::string_view line) {
    if (!g.MonsterTypes.valid(number))
        fail(std::string(kSubscriptOutOfRange) + ": \"" + ReadingWarnings::shown(line) +
             "\" is not inside a MONSTER= block numbered 1 or more");
    return g.MonsterTypes(number);
}

// A number is an item number, anything else an item's name. An empty value
// leaves nothing rather than whatever blank catalogue entry comes first.
int16_t deadItem(Game& g, const std::string& value) {
    if (value.empty()) return 0;
    if (!isNumber(value)) return modItem_ID(g, value);
    const auto id = flooredValue<int16_t>(value);
    if (id != 0 && !g.ItemTypes.valid(id)) fail("Dead item " + std::to_string(id) + " is not in item.ini");
    return id;
}

void readMonsterLine(Game& g, int16_t& current, std::string_view line, ReadingWarnings& warnings) {
    if (isSkippedLine(line)) return;
    if (startsWithKey(line, "MONSTER=")) {
        current = flooredValue<int16_t>(valueAfter(line, "MONSTER="));
    } else if (startsWithKey(line, "NAME=")) {
        entry(g, current, line).Name = valueAfter(line, "NAME=");
    } else if (startsWithKey(line, "IMAGE=")) {
        const auto v = flooredValue<int16_t>(valueAfter(line, "IMAGE="));
        entry(g, current, line).Image = v;
    } else if (startsWithKey(line, "LEVEL=")) {
        const auto v = flooredValue<int32_t>(valueAfter(line, "LEVEL="));
        entry(g, current, line).Level = v;
    } else if (startsWithKey(line, "LIFE=")) {
        const auto v = flooredValue<int32_t>(valueAfter(line, "LIFE="));
        entry(g, current, line).Life = v;
    } else if (startsWithKey(line, "STAMINA=")) {
        const auto v = flooredValue<int32_t>(valueAfter(line, "STAMINA="));
        entry(g, current, line).Stamina = v;
    } else if (startsWithKey(line, "SIGHTRANGE=")) {
        const auto v = flooredValue<int32_t>(valueAfter(line, "SIGHTRANGE="));
        entry(g, current, line).SightRange = v;
    } else if (startsWithKey(line, "MELEE=")) {
        const auto v = flooredValue<int32_t>(valueAfter(line, "MELEE="));
        entry(g, current, line).Melee = v;
    } else if (startsWithKey(line, "DEADITEM=")) {
        const auto v = deadItem(g, valueAfter(line, "DEADITEM="));
        entry(g, current, line).DeadItem = v;
    } else if (startsWithKey(line, "SOUNDID=")) {
        const auto v = flooredValue<uint8_t>(valueAfter(line, "SOUNDID="));
        entry(g, current, line).SoundID = v;
    } else {
        warnings.warn("Unknown line found in monster.ini\r\n" + ReadingWarnings::shown(line));
    }
}

} // namespace

void modMonster_Init(Game& g) {
    int16_t number = 0; // the monster number the error box names
    guardedText(
        g,
        [&number](const std::string& d) {
            return "Error_modMonster_Init: " + d + " Monster#=" + std::to_string(number);
        },
        [&] {
            const std::string contents = readDataFile(programPath(g.folder, "\\monster.ini"));

            forEachLine(contents, [&](std::string_view line) {
                if (!startsWithKey(line, "MONSTER=")) return;
                const auto n = flooredValue<int16_t>(valueAfter(line, "MONSTER="));
                if (n > number) number = n;
            });
            g.MonsterTypes.erase();
            if (number < 1) fail("No MONSTER= line with a number of 1 or more");
            g.MonsterTypes.redim(number);

            number = 0;
            ReadingWarnings warnings(g, "monster.ini", "a catalogue");
            forEachLine(contents, [&](std::string_view line) { readMonsterLine(g, number, line, warnings); });
        });
}

} // namespace gf
