#include "app/startup.h"

#include "app/handler_scope.h"
#include "app/menus.h"
#include "app/new_game.h"
#include "app/timers.h"
#include "creatures/creature_table.h"
#include "creatures/monster_catalogue.h"
#include "creatures/skills.h"
#include "items/item_catalogue.h"
#include "render/view.h"
#include "sound/sound.h"
#include "state/game.h"
#include "state/guard.h"
#include "util/files.h"

namespace gf {

namespace {

void loadPictures(Game& g) {
    const std::pair<int, const char*> sheets[] = {{kSheetBackground, "background.bmp"},
                                                  {kSheetVoid, "void.bmp"},
                                                  {kSheetLight, "light.bmp"},
                                                  {kSheetDamage, "damage.bmp"},
                                                  {kSheetItem, "item.bmp"}};
    for (const auto& [sheet, file] : sheets)
        g.io.canvas.loadSheet(sheet, fileIn(g.folder, file));
    // One creature sheet per monster type plus the user's, player0.
    for (int32_t n = 0; n <= g.catalogue.monsters.size(); ++n)
        g.io.canvas.loadSheet(playerSheet(n), fileIn(g.folder, "player" + std::to_string(n) + ".bmp"));
}

// The start menu until a game exists; false when the user chose to quit.
bool runStartMenu(Game& g) {
    for (;;) {
        switch (g.io.window.startMenu()) {
        case MenuChoice::Exit:
            g.io.window.quit();
            return false;
        case MenuChoice::Load:
            g.creatures.current = 0;
            onLoadGame(g);
            if (g.creatures.current != 0) return true;
            break;
        case MenuChoice::New:
            // The name box's Cancel also comes back here.
            buildNewGame(g, askForRandomMap(g));
            // A level that could not be built leaves no creature: offer the menu again
            // rather than opening a game that is over before it starts.
            if (g.creatures.current != 0) return true;
            break;
        case MenuChoice::About:
            g.io.window.about();
            break;
        case MenuChoice::Close:
            break;
        }
    }
}

} // namespace

void onStartup(Game& g) {
    HandlerScope scope(g);
    guarded(g, "Form_Load", [&] {
        g.io.random.seed(g.now());
        loadItemCatalogue(g);
        createCreatureTable(g.creatures);
        loadMonsterCatalogue(g);
        initSkills(g);
        loadPictures(g);
        loadSounds(g);
        showStartMenu(g);
    });
}

void showStartMenu(Game& g) {
    g.screen.paused = false;
    if (!runStartMenu(g)) return;
    g.io.window.startTimers(kMonsterTickMs, kFrameTickMs, kRefreshTickMs);
    redraw(g, true);
}

} // namespace gf
