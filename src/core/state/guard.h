#pragma once
// The guarded body every game procedure runs through: a failure inside shows
// one error box (never two at once) and the procedure returns its default.
#include "util/failure.h"

#include <new>
#include <string>
#include <type_traits>
#include <utility>

namespace gf {

struct Game;

// Shows text in the game's error box, or writes it to standard error while
// another error box is still open.
void showError(Game& game, const std::string& text);

namespace detail {
std::string describe(const std::exception& e);
}

// Runs body; a failure shows makeText(description) and the procedure returns
// its default result: R{} or the fallback given.
template <class Text, class F, class... Fallback>
auto guardedText(Game& game, Text&& makeText, F&& body, Fallback&&... fallback) {
    using R = std::invoke_result_t<F&>;
    try {
        return body();
    } catch (const std::exception& e) {
        showError(game, makeText(detail::describe(e)));
        if constexpr (!std::is_void_v<R>) return R(std::forward<Fallback>(fallback)...);
    }
}

// The standard text: "Error_" + name + " : " + description.
template <class F, class... Fallback>
auto guarded(Game& game, const char* name, F&& body, Fallback&&... fallback) {
    return guardedText(
        game, [name](const std::string& d) { return std::string("Error_") + name + " : " + d; },
        std::forward<F>(body), std::forward<Fallback>(fallback)...);
}

} // namespace gf
