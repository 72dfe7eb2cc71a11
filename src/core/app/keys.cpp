#include "app/keys.h"

#include "app/handler_scope.h"
#include "app/timers.h"
#include "creatures/movement.h"
#include "items/item_actions.h"
#include "map/directions.h"
#include "render/view.h"
#include "state/game.h"
#include "state/guard.h"

namespace gf {

void onKeyDown(Game& g, Key key, int16_t /*shift*/) {
    HandlerScope scope(g);
    guarded(g, "Form_KeyDown", [&] {
        if (g.creatures.current == 0) return;
        // The key that ends a pause does nothing else, so the creature does not lurch on.
        if (g.screen.paused || key == Key::Pause || key == Key::Escape) {
            setPaused(g, !g.screen.paused);
            return;
        }
        const int32_t me = g.creatures.current;
        const int16_t f = g.creatures(me).facing;
        switch (key) {
        case Key::Num1:
            moveCreature(g, me, quarterTurn(g, f, kQuarterClockwise), false);
            break;
        case Key::Num3:
            moveCreature(g, me, quarterTurn(g, f, kQuarterCounterClockwise), false);
            break;
        case Key::Up:
        case Key::Num8:
            moveCreature(g, me, f, true);
            break;
        case Key::Down:
        case Key::Num2:
            moveCreature(g, me, oppositeDirection(g, f), false);
            break;
        case Key::Left:
        case Key::Period:
        case Key::Num4:
            turnCreature(g, me, kFacingTurnLeft);
            break;
        case Key::Right:
        case Key::Comma:
        case Key::Num6:
            turnCreature(g, me, kFacingTurnRight);
            break;
        case Key::O:
            openAhead(g, me);
            break;
        case Key::P:
        case Key::Insert:
            pickUp(g, me);
            break;
        case Key::A:
        case Key::Space:
            attackAhead(g, me);
            break;
        case Key::M:
            g.screen.overview = !g.screen.overview;
            redraw(g, true);
            return;
        default:
            return;
        }
        g.screen.overview = false;
        g.session.unsavedChanges = true;
        centreOnCreature(g);
    });
}

} // namespace gf
