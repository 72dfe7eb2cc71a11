#include "shell/keys.h"

#include "creatures/movement.h"
#include "items/item_actions.h"
#include "map/directions.h"
#include "render/view.h"
#include "shell/game.h"
#include "shell/guard.h"
#include "shell/handler_scope.h"
#include "shell/timers.h"

namespace gf {

void Form_KeyDown(Game& g, Key key, int16_t /*shift*/) {
    HandlerScope scope(g);
    guarded(g, "Form_KeyDown", [&] {
        if (g.CurrentPlayer == 0) return;
        // The key that ends a pause does nothing else, so the creature does not lurch on.
        if (g.paused || key == Key::Pause || key == Key::Escape) {
            setPaused(g, !g.paused);
            return;
        }
        const int32_t me = g.CurrentPlayer;
        const int16_t f = g.player(me).Facing;
        switch (key) {
        case Key::Num1:
            modPlayer_Move(g, me, modMap_Quarter_Direction(g, f, kQuarterClockwise), false);
            break;
        case Key::Num3:
            modPlayer_Move(g, me, modMap_Quarter_Direction(g, f, kQuarterCounterClockwise), false);
            break;
        case Key::Up:
        case Key::Num8:
            modPlayer_Move(g, me, f, true);
            break;
        case Key::Down:
        case Key::Num2:
            modPlayer_Move(g, me, modMap_Opposite_Direction(g, f), false);
            break;
        case Key::Left:
        case Key::Period:
        case Key::Num4:
            modPlayer_Change_Facing(g, me, kFacingTurnLeft);
            break;
        case Key::Right:
        case Key::Comma:
        case Key::Num6:
            modPlayer_Change_Facing(g, me, kFacingTurnRight);
            break;
        case Key::O:
            modItem_Open(g, me);
            break;
        case Key::P:
        case Key::Insert:
            modItem_Pickup(g, me);
            break;
        case Key::A:
        case Key::Space:
            modPlayer_Attack_Direction(g, me);
            break;
        case Key::M:
            g.overview = !g.overview;
            Display(g, true);
            return;
        default:
            return;
        }
        g.overview = false;
        g.unsavedChanges = true;
        Update_User_View(g);
    });
}

} // namespace gf
