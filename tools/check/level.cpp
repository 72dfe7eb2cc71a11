#include "check/level.hpp"

#include "check/lines.hpp"

#include <algorithm>
#include <deque>

namespace gloamfell::tools {

bool Level::covers(int x, int y) const {
    return y >= 0 && y < int(rows.size()) && x >= 0 && x < int(rows[std::size_t(y)].cells.size());
}

char Level::at(int x, int y) const {
    return covers(x, y) ? rows[std::size_t(y)].cells[std::size_t(x)] : ' ';
}

std::vector<Cell> Level::cellsOf(std::string_view chars) const {
    std::vector<Cell> out;
    for (int y = 0; y < int(rows.size()); ++y)
        for (int x = 0; x < int(rows[std::size_t(y)].cells.size()); ++x)
            if (chars.find(at(x, y)) != std::string_view::npos) out.push_back({x, y});
    return out;
}

bool isWall(char c) {
    return c == 'X' || c == 'x';
}
bool isDoor(char c) {
    return c == 'D' || c == 'd';
}
bool isMonster(char c) {
    return c >= '1' && c <= '9';
}

const char* gearName(char c) {
    switch (c) {
    case '!':
        return "dagger";
    case '@':
        return "short sword";
    case '#':
        return "long sword";
    case '$':
        return "broad sword";
    case '%':
        return "great sword";
    case '[':
        return "soft leather armor";
    case ']':
        return "hard leather armor";
    case '\\':
        return "studded leather armor";
    default:
        return nullptr;
    }
}

bool placesItem(char c) {
    return isWall(c) || isDoor(c) || c == 'g' || c == 'G' || c == 'e' || c == 'E' || gearName(c);
}

std::string at(Cell c) {
    return "(" + std::to_string(c.x) + "," + std::to_string(c.y) + ")";
}

Level readLevel(const std::string& text, const std::string& file, Faults& faults) {
    Level l;
    l.file = file;
    const std::vector<std::string> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const int lineNo = int(i) + 1;
        if (isComment(line) || isBlank(line)) continue;
        if (startsWithKey(line, "MAP=")) {
            l.name = {trimSpaces(std::string_view(line).substr(4)), lineNo};
        } else if (startsWithKey(line, "LOWER=")) {
            l.lower = {trimSpaces(std::string_view(line).substr(6)), lineNo};
        } else if (startsWithKey(line, "UPPER=")) {
            l.upper = {trimSpaces(std::string_view(line).substr(6)), lineNo};
        } else if (line.front() == 'X' || line.front() == 'x') {
            std::string row = trimSpaces(line);
            if (row.size() > std::size_t(kMaxRowLength))
                faults.push_back({file, lineNo,
                                  "map row of " + std::to_string(row.size()) + " characters; at most " +
                                      std::to_string(kMaxRowLength) + " fit, so the game drops it"});
            else if (l.rows.size() == std::size_t(kMaxRows))
                faults.push_back(
                    {file, lineNo,
                     "map row after the first " + std::to_string(kMaxRows) + "; the game drops it"});
            else
                l.rows.push_back({std::move(row), lineNo});
        } else if (line.front() == ' ') {
            faults.push_back(
                {file, lineNo, "unknown line " + shown(line) + ": keys and rows start in the first column"});
        } else {
            faults.push_back({file, lineNo, "unknown line " + shown(line)});
        }
    }
    return l;
}

namespace {

// The game joins doors into walls on either axis; a door that does not sit
// in exactly one straight run keeps the east-west picture, wrong or not.
bool doorFits(const Level& l, Cell c) {
    auto wall = [&](int x, int y) { return isWall(l.at(x, y)) || isDoor(l.at(x, y)); };
    const bool east = wall(c.x + 1, c.y), west = wall(c.x - 1, c.y);
    const bool north = wall(c.x, c.y - 1), south = wall(c.x, c.y + 1);
    return (east && west) || (north && south && !east && !west);
}

void checkStairsKey(const Level& l, const HeaderKey& key, const char* keyName, char stairs, const char* what,
                    Faults& faults) {
    if (!key.value.empty() && l.cellsOf(std::string(1, stairs)).empty())
        faults.push_back(
            {l.file, key.line,
             std::string(keyName) + "=" + key.value + " but the level has no " + what + " '" + stairs + "'"});
}

} // namespace

void checkLevel(const Level& l, Faults& faults) {
    if (l.name.line == 0) faults.push_back({l.file, 0, "no MAP= line names the level"});
    checkStairsKey(l, l.lower, "LOWER", 'e', "stairs down", faults);
    checkStairsKey(l, l.upper, "UPPER", 'E', "stairs up", faults);

    for (const Cell c : l.cellsOf("Dd"))
        if (!doorFits(l, c))
            faults.push_back({l.file, l.lineOf(c.y), "door at " + at(c) + " is not in a straight wall run"});

    const std::vector<Cell> starts = l.cellsOf("Ss");
    if (starts.empty()) {
        faults.push_back({l.file, 0, "no start cell 'S'"});
        return;
    }
    for (std::size_t i = 1; i < starts.size(); ++i)
        faults.push_back({l.file, l.lineOf(starts[i].y),
                          "second start cell at " + at(starts[i]) + "; the first is at " + at(starts[0]) +
                              " on line " + std::to_string(l.lineOf(starts[0].y))});

    // The game starts on the last start cell; walk from it through all but walls.
    const Cell start = starts.back();
    std::vector<std::vector<bool>> seen;
    for (const Row& r : l.rows)
        seen.emplace_back(r.cells.size(), false);
    std::deque<Cell> queue{start};
    seen[std::size_t(start.y)][std::size_t(start.x)] = true;
    std::vector<Cell> open;
    while (!queue.empty()) {
        const Cell c = queue.front();
        queue.pop_front();
        for (const Cell d : {Cell{1, 0}, Cell{-1, 0}, Cell{0, 1}, Cell{0, -1}}) {
            const Cell n{c.x + d.x, c.y + d.y};
            if (!l.covers(n.x, n.y)) {
                open.push_back(c);
                continue;
            }
            if (isWall(l.at(n.x, n.y)) || seen[std::size_t(n.y)][std::size_t(n.x)]) continue;
            seen[std::size_t(n.y)][std::size_t(n.x)] = true;
            queue.push_back(n);
        }
    }
    if (!open.empty()) {
        const Cell first = *std::min_element(
            open.begin(), open.end(), [](Cell a, Cell b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
        faults.push_back({l.file, l.lineOf(first.y),
                          "the walls around the start cell " + at(start) + " leave a gap: " + at(first) +
                              " opens onto cells no row covers"});
    }
    for (const Cell c : l.cellsOf("eE"))
        if (!seen[std::size_t(c.y)][std::size_t(c.x)])
            faults.push_back({l.file, l.lineOf(c.y),
                              std::string(l.at(c.x, c.y) == 'e' ? "stairs down" : "stairs up") + " at " +
                                  at(c) + " cannot be reached from the start cell " + at(start)});
}

} // namespace gloamfell::tools
