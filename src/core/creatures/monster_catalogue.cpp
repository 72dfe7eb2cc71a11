#include "creatures/monster_catalogue.h"

#include "items/catalogue_file.h"
#include "items/item_catalogue.h"
#include "state/game.h"
#include "state/guard.h"
#include "util/files.h"

namespace gf {

void loadMonsterCatalogue(Game& g) {
    int16_t number = 0; // the monster number the error box names
    guardedText(
        g,
        [&number](const std::string& d) {
            return "Error_modMonster_Init: " + d + " Monster#=" + std::to_string(number);
        },
        [&] {
            const std::string contents = readDataFile(fileIn(g.folder, "monster.ini"));
            BoxFindings findings(g, "monster.ini");
            const ItemLookup items{g.catalogue.items.size(),
                                   [&g](const std::string& name) { return itemIdByName(g, name); }};
            const CatalogueFile file = readMonsterCatalogue(contents, items, findings);
            number = file.current;
            if (file.sized) g.catalogue.monsters.clear();
            if (file.usable()) g.catalogue.monsters.reset(file.highest);
            for (const auto& [n, e] : file.entries) {
                MonsterInfo& m = g.catalogue.monsters(n);
                m.name = e.name;
                m.image = static_cast<int16_t>(e.number("IMAGE"));
                m.level = static_cast<int32_t>(e.number("LEVEL"));
                m.life = static_cast<int32_t>(e.number("LIFE"));
                m.stamina = static_cast<int32_t>(e.number("STAMINA"));
                m.sightRange = static_cast<int32_t>(e.number("SIGHTRANGE"));
                m.melee = static_cast<int32_t>(e.number("MELEE"));
                m.deadItem = static_cast<int16_t>(e.number("DEADITEM"));
                m.soundId = static_cast<uint8_t>(e.number("SOUNDID"));
            }
            findings.finish();
        });
}

} // namespace gf
