#include "state/guard.h"

#include "state/game.h"

#include <iostream>

namespace gf {

namespace detail {
std::string describe(const std::exception& e) {
    if (dynamic_cast<const Failure*>(&e)) return e.what();
    if (dynamic_cast<const std::bad_alloc*>(&e)) return "Out of memory";
    if (dynamic_cast<const std::out_of_range*>(&e)) return kSubscriptOutOfRange;
    return e.what();
}
} // namespace detail

void showError(Game& game, const std::string& text) {
    if (game.session.errorBoxOpen) {
        std::cerr << text << '\n';
        return;
    }
    game.session.errorBoxOpen = true;
    try {
        game.io.window.msgBox(text, kAppTitle, Buttons::Ok, Icon::None);
    } catch (...) {
        game.session.errorBoxOpen = false;
        throw;
    }
    game.session.errorBoxOpen = false;
}

} // namespace gf
