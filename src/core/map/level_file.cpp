#include "map/level_file.h"

#include "util/text.h"

#include <array>
#include <utility>

namespace gf {

bool LevelFile::covers(int x, int y) const {
    return y >= 0 && y < static_cast<int>(rows.size()) && x >= 0 &&
           x < static_cast<int>(rows[static_cast<std::size_t>(y)].cells.size());
}

char LevelFile::at(int x, int y) const {
    return covers(x, y) ? rows[static_cast<std::size_t>(y)].cells[static_cast<std::size_t>(x)] : ' ';
}

std::vector<LevelCell> LevelFile::cellsOf(std::string_view chars) const {
    std::vector<LevelCell> out;
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; x < static_cast<int>(rows[static_cast<std::size_t>(y)].cells.size()); ++x)
            if (chars.find(at(x, y)) != std::string_view::npos) out.push_back({x, y});
    return out;
}

namespace {

class Reader {
public:
    Reader(const std::string& file, Findings& findings) : file_(file), findings_(findings) {}

    void line(std::string_view line) {
        ++lineNo_;
        if (!line.empty() && line.front() == ';') return;
        if (isBlankLine(line)) return;
        if (startsWithKey(line, "MAP=")) {
            level.name = {trimSpaces(line.substr(4)), lineNo_};
        } else if (startsWithKey(line, "LOWER=")) {
            neighbour(level.lower, line);
        } else if (startsWithKey(line, "UPPER=")) {
            neighbour(level.upper, line);
        } else if (line.front() == 'X' || line.front() == 'x') {
            row(line);
        } else {
            const std::string hint = line.front() == ' ' ? ": keys and rows start in the first column" : "";
            findings_.warning({file_, lineNo_, "unknown line " + quoted(line) + hint,
                               "Unknown line found in " + file_ + "\r\n" + shownInBox(line)});
        }
    }

    LevelFile level;

private:
    void neighbour(HeaderKey& key, std::string_view line) {
        std::string value = trimSpaces(line.substr(6));
        if (const std::string problem = levelNameProblem(value); !problem.empty()) {
            findings_.warning(
                {file_, lineNo_, "level name ignored: " + problem,
                 "Level name ignored in " + file_ + "\r\n" + shownInBox(line) + "\r\n" + problem});
            return;
        }
        key = {std::move(value), lineNo_};
    }

    void row(std::string_view line) {
        std::string cells = trimSpaces(line);
        if (cells.size() > kMaxRowLength)
            tooBig("map row of " + std::to_string(cells.size()) + " characters; at most " +
                   std::to_string(kMaxRowLength) + " fit, so the game drops it");
        else if (level.rows.size() == kMaxRows)
            tooBig("map row after the first " + std::to_string(kMaxRows) + "; the game drops it");
        else
            level.rows.push_back({std::move(cells), lineNo_});
    }

    void tooBig(std::string text) {
        findings_.warning(
            {file_, lineNo_, std::move(text), "Map too big!", "FATAL ERROR! DIE! DIE!", Icon::Critical});
    }

    const std::string& file_;
    Findings& findings_;
    int lineNo_ = 0;
};

constexpr std::string_view kGearChars = "!@#$%[]\\";
constexpr std::array<const char*, 8> kGearNames = {
    "dagger",      "short sword",        "long sword",         "broad sword",
    "great sword", "soft leather armor", "hard leather armor", "studded leather armor"};

} // namespace

std::string levelNameProblem(std::string_view name) {
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\') return quoted(name) + " holds a slash; a level is named by its file alone";
        if (u < 0x20 || (u >= 0x7F && u < 0xA0)) return quoted(name) + " holds a control character";
    }
    if (name.find("..") != std::string_view::npos) return quoted(name) + " holds \"..\"";
    return {};
}

LevelFile readLevelFile(const std::string& contents, const std::string& file, Findings& findings) {
    Reader reader(file, findings);
    forEachLine(contents, [&](std::string_view line) { reader.line(line); });
    return std::move(reader.level);
}

bool isWallChar(char c) {
    return c == 'X' || c == 'x';
}

bool isDoorChar(char c) {
    return c == 'D' || c == 'd';
}

bool isMonsterChar(char c) {
    return c >= '1' && c <= '9';
}

const char* gearName(char c) {
    const auto at = kGearChars.find(c);
    return c != '\0' && at != std::string_view::npos ? kGearNames[at] : nullptr;
}

bool placesItem(char c) {
    return isWallChar(c) || isDoorChar(c) || c == 'g' || c == 'G' || c == 'e' || c == 'E' || gearName(c);
}

} // namespace gf
