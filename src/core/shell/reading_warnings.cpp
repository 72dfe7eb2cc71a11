#include "shell/reading_warnings.h"

#include "shell/failure.h"
#include "shell/game.h"

namespace gf {

std::string ReadingWarnings::shown(std::string_view line) {
    constexpr std::size_t kShown = 300;
    if (line.size() <= kShown) return std::string(line);
    return std::string(line.substr(0, kShown)) + "...";
}

void ReadingWarnings::warn(const std::string& text, const char* title, Icon icon) {
    if (++count_ > kLimit)
        fail("More than " + std::to_string(kLimit) + " warnings: " + fileName_ + " is not " + kind_);
    g_.io.window.msgBox(text, title, Buttons::Ok, icon);
}

} // namespace gf
