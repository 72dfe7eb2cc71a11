#include "check/level.hpp"

#include <algorithm>
#include <deque>

namespace gloamfell::tools {

std::string at(Cell c) {
    return "(" + std::to_string(c.x) + "," + std::to_string(c.y) + ")";
}

Level readLevel(const std::string& text, const std::string& file, Faults& faults) {
    FaultList findings(faults);
    return {gf::readLevelFile(text, file, findings), file};
}

namespace {

// The game joins doors into walls on either axis; a door that does not sit
// in exactly one straight run keeps the east-west picture, wrong or not.
bool doorFits(const Level& l, Cell c) {
    auto wall = [&](int x, int y) { return gf::isWallChar(l.at(x, y)) || gf::isDoorChar(l.at(x, y)); };
    const bool east = wall(c.x + 1, c.y), west = wall(c.x - 1, c.y);
    const bool north = wall(c.x, c.y - 1), south = wall(c.x, c.y + 1);
    return (east && west) || (north && south && !east && !west);
}

void checkStairsKey(const Level& l, const gf::HeaderKey& key, const char* keyName, char stairs,
                    const char* what, Faults& faults) {
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
    for (const gf::LevelRow& r : l.rows)
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
            if (gf::isWallChar(l.at(n.x, n.y)) || seen[std::size_t(n.y)][std::size_t(n.x)]) continue;
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
