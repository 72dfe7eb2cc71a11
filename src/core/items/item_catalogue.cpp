#include "items/item_catalogue.h"

#include "items/catalogue_file.h"
#include "items/item_table.h"
#include "shell/files.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "shell/text.h"

namespace gf {

namespace {

ItemType& entry(Game& g, int16_t number, std::string_view line) {
    if (!g.ItemTypes.valid(number))
        fail(std::string(kSubscriptOutOfRange) + ": \"" + ReadingWarnings::shown(line) +
             "\" is not inside an ITEM= block numbered 1 or more");
    return g.ItemTypes(number);
}

void readItemLine(Game& g, int16_t& current, std::string_view line, ReadingWarnings& warnings) {
    if (isSkippedLine(line)) return;
    if (startsWithKey(line, "ITEM=")) {
        current = flooredValue<int16_t>(valueAfter(line, "ITEM="));
    } else if (startsWithKey(line, "NAME=")) {
        entry(g, current, line).Name = valueAfter(line, "NAME=");
    } else if (startsWithKey(line, "IMAGE=")) {
        const auto image = flooredValue<int16_t>(valueAfter(line, "IMAGE="));
        entry(g, current, line).Image = image;
    } else if (startsWithKey(line, "DAMAGE=")) {
        const auto damage = flooredValue<int32_t>(valueAfter(line, "DAMAGE="));
        entry(g, current, line).Damage = damage;
    } else if (startsWithKey(line, "ARMOR=")) {
        const auto armor = flooredValue<int32_t>(valueAfter(line, "ARMOR="));
        entry(g, current, line).Armor = armor;
    } else if (startsWithKey(line, "BLOCKMOVEMENT")) {
        entry(g, current, line).BlockMovement = true;
    } else if (startsWithKey(line, "MOVABLE")) {
        entry(g, current, line).Movable = true;
    } else {
        warnings.warn(ReadingWarnings::shown(line) + "\r\nUnknown line found in item.ini");
    }
}

} // namespace

void modItem_Init(Game& g) {
    int16_t number = 0; // the item number the error box names
    guardedText(
        g,
        [&number](const std::string& d) {
            return "Error_modItem_Init: " + d + " Item#=" + std::to_string(number);
        },
        [&] {
            emptyItemTable(g);
            const std::string contents = readDataFile(programPath(g.folder, "\\item.ini"));

            forEachLine(contents, [&](std::string_view line) {
                if (!startsWithKey(line, "ITEM=")) return;
                const auto n = flooredValue<int16_t>(valueAfter(line, "ITEM="));
                if (n > number) number = n;
            });
            g.ItemTypes.erase();
            g.ItemTypes.redim(number);

            number = 0;
            ReadingWarnings warnings(g, "item.ini", "a catalogue");
            forEachLine(contents, [&](std::string_view line) { readItemLine(g, number, line, warnings); });
        });
}

int16_t modItem_ID(Game& g, const std::string& name) {
    const std::string wanted = upper(trimSpaces(name));
    for (int32_t i = 1; i <= g.ItemTypes.ubound(); ++i)
        if (upper(trimSpaces(g.ItemTypes(i).Name)) == wanted) return static_cast<int16_t>(i);
    return 0;
}

} // namespace gf
