#pragma once
// Text in the core is single-byte Latin-1; the Qt layer converts at its edge.
#include <string>
#include <string_view>

namespace gf {

// Trims spaces only; tabs are content.
std::string trimSpaces(std::string_view s);
std::string upper(std::string_view s);
bool startsWithKey(std::string_view line, std::string_view key); // case-insensitive, first column
bool isBlankLine(std::string_view s);                            // empty or spaces only
// Case and outer spaces ignored, as the game finds items by name.
bool sameName(std::string_view a, std::string_view b);

inline constexpr std::size_t kNameLength = 100;
// Creature names live padded with spaces to exactly 100 characters.
std::string fixedName(std::string_view s);
// For display: no padding, no NUL filler of a blank entry.
std::string displayName(std::string_view s);

// Typed text holds this (ASCII's "substitute") where a character has no
// Latin-1 byte, so a name with one is refused rather than silently changed.
inline constexpr char kNotLatin1 = '\x1A';

// File names and the driver's JSON are UTF-8; a character Latin-1 lacks becomes kNotLatin1.
std::string latin1ToUtf8(const std::string& text);
std::string utf8ToLatin1(const std::string& text);

// Calls visit(line) for each line, ended by CR LF, a lone CR or a lone LF,
// without holding every line at once: a file of nothing but line ends stays cheap.
template <class Visit> void forEachLine(std::string_view contents, Visit&& visit) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < contents.size(); ++i) {
        const char c = contents[i];
        if (c != '\r' && c != '\n') continue;
        visit(contents.substr(start, i - start));
        if (c == '\r' && i + 1 < contents.size() && contents[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < contents.size()) visit(contents.substr(start));
}

} // namespace gf
