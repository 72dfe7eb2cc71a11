#include "app/timers.h"

#include "app/handler_scope.h"
#include "app/startup.h"
#include "creatures/combat.h"
#include "creatures/monster_behaviour.h"
#include "messages/messages.h"
#include "render/death.h"
#include "render/view.h"
#include "state/game.h"
#include "state/guard.h"

namespace gf {

// The creature is gone: the animation and the box, once, however many ticks
// are queued behind them; then the start menu for another game.
static void gameOver(Game& g) {
    if (g.session.gameOverStarted) return;
    g.session.gameOverStarted = true;
    g.screen.overview = false;
    g.io.window.stopTimers();
    const int frames = playDeath(g);
    g.io.window.gameOver(frames);
    g.io.window.msgBox("Your player has died!!!\r\nGame over!", "Oh Bananas!", Buttons::Ok,
                       Icon::Exclamation);
    showStartMenu(g);
    if (g.creatures.current != 0) g.session.gameOverStarted = false;
}

void setPaused(Game& g, bool paused) {
    g.screen.paused = paused;
    if (paused)
        g.io.window.stopTimers();
    else
        g.io.window.startTimers(kMonsterTickMs, kFrameTickMs, kRefreshTickMs);
    redraw(g, true);
}

void onMonsterTick(Game& g) {
    HandlerScope scope(g);
    // A tick already queued when the pause began waits with the others.
    if (scope.nested() || g.screen.paused) return;
    guarded(g, "Timer1_Timer", [&] {
        if (g.creatures.current == 0) {
            gameOver(g);
            return;
        }
        moveMonsters(g);
        redraw(g, true);
    });
}

void onFrameTick(Game& g) {
    HandlerScope scope(g);
    if (scope.nested() || g.session.gameOverStarted || g.screen.paused) return;
    ageMessages(g);
    redraw(g, true);
}

void onRefreshTick(Game& g) {
    HandlerScope scope(g);
    if (scope.nested() || g.session.gameOverStarted || g.screen.paused) return;
    refreshCreatures(g);
}

} // namespace gf
