#pragma once
// What item.ini and monster.ini share: line-by-line reading of a text file,
// comments, keys in the first column and numbers that are floored.
#include "shell/numeric.h"

#include <cmath>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace gf {
struct Game;

// Calls each(line) for every line of contents without copying the file into
// a list first, so a file of a million empty lines costs no extra memory.
void forEachLine(const std::string& contents, const std::function<void(std::string_view)>& each);

// A comment (";" in the very first column) or an empty or all-space line.
bool isSkippedLine(std::string_view line);

// The rest of the line after a key, spaces trimmed.
std::string valueAfter(std::string_view line, std::string_view key);

template <class T> T flooredValue(const std::string& value) {
    return floorTo<T>(parseNumber(value));
}

// Whether parseNumber would take the text as a number (an overflow still counts as one).
bool isNumber(const std::string& text);

// The unknown-line warnings of one reading of a catalogue. A binary or wholly
// foreign file would otherwise open one modal box per line; past a limit the
// reading stops with a failure instead.
class UnknownLineWarnings {
  public:
    UnknownLineWarnings(Game& g, std::string fileName) : g_(g), fileName_(std::move(fileName)) {}
    void warn(const std::string& text);
    // The offending line as shown in a box, cut when it is absurdly long.
    static std::string shown(std::string_view line);

    static constexpr int kLimit = 20;

  private:
    Game& g_;
    std::string fileName_;
    int count_ = 0;
};

} // namespace gf
