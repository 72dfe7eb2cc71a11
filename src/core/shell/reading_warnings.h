#pragma once
// The warning boxes of one reading of a data file. A binary or wholly foreign
// file would otherwise open one modal box per line; past a limit the reading
// stops with a failure instead, and nothing read so far is used.
#include "platform/window.h"

#include <string>
#include <string_view>

namespace gf {
struct Game;

class ReadingWarnings {
public:
    // fileName and kind complete the failure: "... item.ini is not a catalogue".
    ReadingWarnings(Game& g, std::string fileName, std::string kind)
        : g_(g), fileName_(std::move(fileName)), kind_(std::move(kind)) {}
    void warn(const std::string& text, const char* title = "WARNING!!!!", Icon icon = Icon::Exclamation);
    // A line as shown in a box, cut when it is absurdly long.
    static std::string shown(std::string_view line);

    static constexpr int kLimit = 20;

private:
    Game& g_;
    std::string fileName_;
    std::string kind_;
    int count_ = 0;
};

} // namespace gf
