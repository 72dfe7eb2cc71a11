#include "check/lines.hpp"
#include "check/fault.hpp"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace gloamfell::tools {

std::string describe(const Fault& fault) {
    if (fault.line > 0) return fault.file + ":" + std::to_string(fault.line) + ": " + fault.text;
    return fault.file + ": " + fault.text;
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            out.emplace_back(text.substr(start));
            break;
        }
        out.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return out;
}

bool isComment(std::string_view line) {
    return !line.empty() && line.front() == ';';
}

bool isBlank(std::string_view line) {
    return line.find_first_not_of(' ') == std::string_view::npos;
}

bool startsWithKey(std::string_view line, std::string_view key) {
    return line.size() >= key.size() && upper(line.substr(0, key.size())) == key;
}

std::string trimSpaces(std::string_view text) {
    const auto b = text.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return std::string(text.substr(b, text.find_last_not_of(' ') - b + 1));
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool sameName(std::string_view a, std::string_view b) {
    return upper(trimSpaces(a)) == upper(trimSpaces(b));
}

std::string shown(std::string_view line) {
    constexpr std::size_t kShown = 60;
    std::string out;
    for (char c : line.substr(0, kShown)) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\t')
            out += "\\t";
        else if (u < 32 || u == 127)
            out += "\\x" + std::string(1, "0123456789abcdef"[u >> 4]) + "0123456789abcdef"[u & 15];
        else
            out += c;
    }
    if (line.size() > kShown) out += "...";
    return "\"" + out + "\"";
}

bool looksLikeNumber(const std::string& text) {
    if (text.empty() || text.size() > 64) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return false;
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size();
}

std::string readNumber(const std::string& text, NumberRange range, std::int64_t& value) {
    if (!looksLikeNumber(text)) return shown(text) + " is not a number";
    errno = 0;
    const double v = std::floor(std::strtod(text.c_str(), nullptr));
    if (errno == ERANGE || !std::isfinite(v) || v < double(range.low) || v > double(range.high))
        return text + " does not fit (" + std::to_string(range.low) + " to " + std::to_string(range.high) +
               ")";
    value = static_cast<std::int64_t>(v);
    return {};
}

} // namespace gloamfell::tools
