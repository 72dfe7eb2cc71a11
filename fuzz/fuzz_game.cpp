#include "fuzz_game.h"

#include "creatures/creature_table.h"
#include "creatures/monster_catalogue.h"
#include "creatures/skills.h"
#include "items/item_catalogue.h"
#include "map/map_file.h"

namespace gf::fuzz {

FuzzGame::FuzzGame() : game(io.platform(), folder.path.string()) {}

void loadShippedCatalogues(FuzzGame& f) {
    f.folder.copyData("item.ini");
    f.folder.copyData("monster.ini");
    modItem_Init(f.game);
    createPlayers(f.game);
    modMonster_Init(f.game);
    modSkill_Init(f.game);
    require(f.io.log.of("msgbox").empty(), "the shipped catalogues do not load cleanly");
    f.forget();
}

void startOnFirstLevel(FuzzGame& f) {
    loadShippedCatalogues(f);
    f.folder.copyData("murkhol1.map");
    f.io.window.inputAnswers.push_back("Fuzz");
    modMap_Load(f.game, (f.folder.path / "murkhol1.map").string());
    modPlayer_Setup(f.game);
    require(f.game.CurrentPlayer != 0, "the shipped level has no user's creature");
    f.forget();
}

} // namespace gf::fuzz
