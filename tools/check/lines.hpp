#pragma once
// Reading the game's text files the way the game reads them: lines end at
// CR LF, a lone CR or a lone LF; keys start in the first column, any case;
// only spaces count as blanks.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gloamfell::tools {

std::vector<std::string> splitLines(std::string_view text);

bool isComment(std::string_view line);
// Empty or spaces only; a tab is not blank.
bool isBlank(std::string_view line);
bool startsWithKey(std::string_view line, std::string_view key);
std::string trimSpaces(std::string_view text);
std::string upper(std::string_view text);

// Case-insensitive, trimmed, as the game finds items by name.
bool sameName(std::string_view a, std::string_view b);

// The line as a message can show it: cut short, with control characters visible.
std::string shown(std::string_view line);

// The game's number reading: a decimal number, floored, that must fit [low, high].
struct NumberRange {
    std::int64_t low, high;
};
inline constexpr NumberRange kInt16{-32768, 32767};
inline constexpr NumberRange kInt32{-2147483648LL, 2147483647LL};
inline constexpr NumberRange kUInt8{0, 255};

// Empty on success, otherwise why the game would stop reading.
std::string readNumber(const std::string& text, NumberRange range, std::int64_t& value);
bool looksLikeNumber(const std::string& text);

} // namespace gloamfell::tools
