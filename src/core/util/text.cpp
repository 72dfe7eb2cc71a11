#include "util/text.h"

#include <algorithm>

namespace gf {

std::string trimSpaces(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

static char upperChar(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string upper(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), upperChar);
    return out;
}

bool startsWithKey(std::string_view line, std::string_view key) {
    if (line.size() < key.size()) return false;
    for (std::size_t i = 0; i < key.size(); ++i)
        if (upperChar(line[i]) != upperChar(key[i])) return false;
    return true;
}

bool isBlankLine(std::string_view s) {
    return s.find_first_not_of(' ') == std::string_view::npos;
}

bool sameName(std::string_view a, std::string_view b) {
    return upper(trimSpaces(a)) == upper(trimSpaces(b));
}

std::string fixedName(std::string_view s) {
    std::string out(s.substr(0, kNameLength));
    out.resize(kNameLength, ' ');
    return out;
}

std::string displayName(std::string_view s) {
    const auto last = s.find_last_not_of(std::string_view(" \0", 2));
    if (last == std::string_view::npos) return {};
    return trimSpaces(s.substr(0, last + 1));
}

std::string latin1ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string utf8ToLatin1(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        const int extra = (c >= 0xF0) ? 3 : (c >= 0xE0) ? 2 : (c >= 0xC0) ? 1 : 0;
        unsigned code = c & (0x3F >> extra);
        int read = 0;
        for (; read < extra && i + 1 < text.size() && (text[i + 1] & 0xC0) == 0x80; ++read)
            code = (code << 6) | (text[++i] & 0x3F);
        // A sequence cut short or spelling a plain ASCII letter the long way is no letter at all.
        out += read == extra && code >= 0x80 && code <= 0xFF ? static_cast<char>(code) : kNotLatin1;
    }
    return out;
}

} // namespace gf
