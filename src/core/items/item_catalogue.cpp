#include "items/item_catalogue.h"

#include "items/catalogue_file.h"
#include "items/item_table.h"
#include "state/game.h"
#include "state/guard.h"
#include "util/files.h"
#include "util/text.h"

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
            if (file.sized) g.catalogue.items.clear();
            if (file.usable()) g.catalogue.items.reset(file.highest);
            for (const auto& [n, e] : file.entries) {
                ItemType& t = g.catalogue.items(n);
                t.name = e.name;
                t.image = static_cast<int16_t>(e.number("IMAGE"));
                t.damage = static_cast<int32_t>(e.number("DAMAGE"));
                t.armour = static_cast<int32_t>(e.number("ARMOR"));
                t.blocksMovement = e.has("BLOCKMOVEMENT");
                t.movable = e.has("MOVABLE");
            }
            findings.finish();
        });
}

int16_t itemIdByName(Game& g, const std::string& name) {
    for (int32_t i = 1; i <= g.catalogue.items.size(); ++i)
        if (sameName(g.catalogue.items(i).name, name)) return static_cast<int16_t>(i);
    return 0;
}

} // namespace gf
