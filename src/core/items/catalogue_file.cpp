#include "items/catalogue_file.h"

#include "shell/game.h"
#include "shell/text.h"

namespace gf {

void forEachLine(const std::string& contents, const std::function<void(std::string_view)>& each) {
    const std::string_view all(contents);
    std::size_t start = 0;
    while (start < all.size()) {
        const std::size_t end = all.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            each(all.substr(start));
            return;
        }
        each(all.substr(start, end - start));
        start = end + 1;
        if (all[end] == '\r' && start < all.size() && all[start] == '\n') ++start;
    }
}

bool isSkippedLine(std::string_view line) {
    return (!line.empty() && line.front() == ';') || isBlankLine(line);
}

std::string valueAfter(std::string_view line, std::string_view key) {
    return trimSpaces(line.substr(key.size()));
}

bool isNumber(const std::string& text) {
    try {
        parseNumber(text);
        return true;
    } catch (const Failure& f) {
        return std::string_view(f.what()) == kOverflow;
    }
}

std::string UnknownLineWarnings::shown(std::string_view line) {
    constexpr std::size_t kShown = 300;
    if (line.size() <= kShown) return std::string(line);
    return std::string(line.substr(0, kShown)) + "...";
}

void UnknownLineWarnings::warn(const std::string& text) {
    if (++count_ > kLimit)
        fail("More than " + std::to_string(kLimit) + " unknown lines: " + fileName_ + " is not a catalogue");
    g_.io.dialogs.msgBox(text, "WARNING!!!!", Buttons::Ok, Icon::Exclamation);
}

} // namespace gf
