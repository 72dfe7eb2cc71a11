#pragma once
// What item.ini and monster.ini share: line-by-line reading of a text file,
// comments, keys in the first column and numbers that are floored.
#include "shell/numeric.h"
#include "shell/reading_warnings.h"
#include "shell/text.h"

#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>

namespace gf {
struct Game;

// A comment (";" in the very first column) or an empty or all-space line.
bool isSkippedLine(std::string_view line);

// The rest of the line after a key, spaces trimmed.
std::string valueAfter(std::string_view line, std::string_view key);

template <class T> T flooredValue(const std::string& value) {
    return floorTo<T>(parseNumber(value));
}

// Whether parseNumber would take the text as a number (an overflow still counts as one).
bool isNumber(const std::string& text);

} // namespace gf
