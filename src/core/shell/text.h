#pragma once
// Text in the core is single-byte Latin-1; the Qt layer converts at its edge.
#include <string>
#include <string_view>
#include <vector>

namespace gf {

// Trims spaces only; tabs are content.
std::string trimSpaces(std::string_view s);
std::string upper(std::string_view s);
bool startsWithKey(std::string_view line, std::string_view key); // case-insensitive, first column
bool isBlankLine(std::string_view s);                            // empty or spaces only

inline constexpr std::size_t kNameLength = 100;
// Creature names live padded with spaces to exactly 100 characters.
std::string fixedName(std::string_view s);
// For display: no padding, no NUL filler of a blank entry.
std::string displayName(std::string_view s);

// Splits on CR LF, lone CR or lone LF, as the data files are written.
std::vector<std::string> splitLines(const std::string& contents);

} // namespace gf
