#include "state/findings.h"

#include "state/game.h"
#include "util/failure.h"

#include <utility>

namespace gf {

std::string shownInBox(std::string_view line) {
    constexpr std::size_t kShown = 300;
    if (line.size() <= kShown) return std::string(line);
    return std::string(line.substr(0, kShown)) + "...";
}

std::string quoted(std::string_view line) {
    constexpr std::size_t kShown = 60;
    constexpr std::string_view kHex = "0123456789abcdef";
    std::string out;
    for (char c : line.substr(0, kShown)) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\t')
            out += "\\t";
        else if (u < 32 || u == 127)
            out += std::string("\\x") + kHex[u >> 4] + kHex[u & 15];
        else
            out += c;
    }
    if (line.size() > kShown) out += "...";
    return "\"" + out + "\"";
}

void BoxFindings::warning(const Finding& f) {
    if (++warnings_ > kBoxes) return;
    g_.io.window.msgBox(f.box.empty() ? f.text : f.box, f.title, Buttons::Ok, f.icon);
}

void BoxFindings::failure(const Finding& f) {
    failure_ = f.text;
}

void BoxFindings::finish() {
    if (warnings_ > kBoxes)
        g_.io.window.msgBox(std::to_string(warnings_ - kBoxes) + " more lines of " + file_ +
                                " could not be read and were ignored",
                            "WARNING!!!!", Buttons::Ok, Icon::Exclamation);
    warnings_ = 0;
    if (failure_) fail(*std::exchange(failure_, std::nullopt));
}

} // namespace gf
