#include "creatures/monster_catalogue.h"

#include "items/catalogue_file.h"
#include "items/item_catalogue.h"
#include "shell/files.h"
#include "shell/game.h"
#include "shell/guard.h"

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
            const ItemLookup items{g.ItemTypes.ubound(),
                                   [&g](const std::string& name) { return itemIdByName(g, name); }};
            const CatalogueFile file = readMonsterCatalogue(contents, items, findings);
            number = file.current;
            if (file.sized) g.MonsterTypes.erase();
            if (file.usable()) g.MonsterTypes.redim(file.highest);
            for (const auto& [n, e] : file.entries) {
                MonsterInfo& m = g.MonsterTypes(n);
                m.Name = e.name;
                m.Image = static_cast<int16_t>(e.number("IMAGE"));
                m.Level = static_cast<int32_t>(e.number("LEVEL"));
                m.Life = static_cast<int32_t>(e.number("LIFE"));
                m.Stamina = static_cast<int32_t>(e.number("STAMINA"));
                m.SightRange = static_cast<int32_t>(e.number("SIGHTRANGE"));
                m.Melee = static_cast<int32_t>(e.number("MELEE"));
                m.DeadItem = static_cast<int16_t>(e.number("DEADITEM"));
                m.SoundID = static_cast<uint8_t>(e.number("SOUNDID"));
            }
            findings.finish();
        });
}

} // namespace gf
