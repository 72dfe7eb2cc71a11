#include "items/item_catalogue.h"

#include "items/catalogue_file.h"
#include "items/item_table.h"
#include "shell/files.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "shell/text.h"

namespace gf {

void loadItemCatalogue(Game& g) {
    int16_t number = 0; // the item number the error box names
    guardedText(
        g,
        [&number](const std::string& d) {
            return "Error_modItem_Init: " + d + " Item#=" + std::to_string(number);
        },
        [&] {
            emptyItemTable(g);
            const std::string contents = readDataFile(fileIn(g.folder, "item.ini"));
            BoxFindings findings(g, "item.ini");
            const CatalogueFile file = readItemCatalogue(contents, findings);
            number = file.current;
            if (file.sized) g.ItemTypes.erase();
            if (file.usable()) g.ItemTypes.redim(file.highest);
            for (const auto& [n, e] : file.entries) {
                ItemType& t = g.ItemTypes(n);
                t.Name = e.name;
                t.Image = static_cast<int16_t>(e.number("IMAGE"));
                t.Damage = static_cast<int32_t>(e.number("DAMAGE"));
                t.Armor = static_cast<int32_t>(e.number("ARMOR"));
                t.BlockMovement = e.has("BLOCKMOVEMENT");
                t.Movable = e.has("MOVABLE");
            }
            findings.finish();
        });
}

int16_t itemIdByName(Game& g, const std::string& name) {
    for (int32_t i = 1; i <= g.ItemTypes.ubound(); ++i)
        if (sameName(g.ItemTypes(i).Name, name)) return static_cast<int16_t>(i);
    return 0;
}

} // namespace gf
