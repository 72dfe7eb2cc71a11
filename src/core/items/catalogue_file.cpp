#include "items/catalogue_file.h"

#include "shell/game.h"
#include "shell/text.h"

namespace gf {

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

} // namespace gf
