#pragma once
// Marks a window handler as running. A modal box keeps the window's events
// flowing, so a timer tick can arrive while a key press or another tick is
// still waiting below the box; such a tick is skipped rather than run on
// half-changed state.
#include "state/game.h"

namespace gf {

class HandlerScope {
public:
    explicit HandlerScope(Game& g) : g_(g), nested_(g.session.handlerRunning) {
        g_.session.handlerRunning = true;
    }
    ~HandlerScope() { g_.session.handlerRunning = nested_; }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
    bool nested() const { return nested_; }

private:
    Game& g_;
    bool nested_;
};

} // namespace gf
