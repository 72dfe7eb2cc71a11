#include "shell/timers.h"

#include "creatures/combat.h"
#include "creatures/monster_behaviour.h"
#include "messages/messages.h"
#include "render/death.h"
#include "render/view.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "shell/handler_scope.h"
#include "shell/startup.h"

namespace gf {

// The creature is gone: the animation and the box, once, however many ticks
// are queued behind them; then the start menu for another game.
static void gameOver(Game& g) {
    if (g.gameOverStarted) return;
    g.gameOverStarted = true;
    g.overview = false;
    g.io.window.stopTimers();
    const int frames = playDeath(g);
    g.io.window.gameOver(frames);
    g.io.window.msgBox("Your player has died!!!\r\nGame over!", "Oh Bananas!", Buttons::Ok,
                       Icon::Exclamation);
    showStartMenu(g);
    if (g.CurrentPlayer != 0) g.gameOverStarted = false;
}

void setPaused(Game& g, bool paused) {
    g.paused = paused;
    if (paused)
        g.io.window.stopTimers();
    else
        g.io.window.startTimers(kTimer1Ms, kTimer2Ms, kTimer3Ms);
    redraw(g, true);
}

void onMonsterTick(Game& g) {
    HandlerScope scope(g);
    // A tick already queued when the pause began waits with the others.
    if (scope.nested() || g.paused) return;
    guarded(g, "Timer1_Timer", [&] {
        if (g.CurrentPlayer == 0) {
            gameOver(g);
            return;
        }
        moveMonsters(g);
        redraw(g, true);
    });
}

void onFrameTick(Game& g) {
    HandlerScope scope(g);
    if (scope.nested() || g.gameOverStarted || g.paused) return;
    ageMessages(g);
    redraw(g, true);
}

void onRefreshTick(Game& g) {
    HandlerScope scope(g);
    if (scope.nested() || g.gameOverStarted || g.paused) return;
    refreshCreatures(g);
}

} // namespace gf
