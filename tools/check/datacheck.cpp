#include "datacheck.hpp"

#include "common/image.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <deque>
#include <sstream>

namespace gloamfell::tools {

namespace {

const std::string kSpecial = "XxDdgGeEsS!@#$%[]\\";

std::string upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out.push_back(line);
    }
    return out;
}

bool skipped(const std::string& line)
{
    return (!line.empty() && line[0] == ';') || trim(line).empty();
}

bool isWall(char c) { return c == 'X' || c == 'x'; }

std::string where(const Level& l, int x, int y)
{
    return l.file + " (" + std::to_string(x) + "," + std::to_string(y) + ")";
}

struct Cell {
    int x, y;
};

std::vector<Cell> cellsOf(const Level& l, char c)
{
    std::vector<Cell> out;
    for (int y = 0; y < int(l.rows.size()); ++y)
        for (int x = 0; x < int(l.rows[y].size()); ++x)
            if (l.rows[y][x] == c)
                out.push_back({x, y});
    return out;
}

int toInt(const std::string& s, int fallback)
{
    int v = 0;
    const std::string t = trim(s);
    const auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    return ec == std::errc() && p == t.data() + t.size() ? v : fallback;
}

} // namespace

char Level::at(int x, int y) const
{
    if (y < 0 || y >= int(rows.size()) || x < 0 || x >= int(rows[y].size()))
        return ' ';
    return rows[y][x];
}

bool isFreeFloor(char c)
{
    return kSpecial.find(c) == std::string::npos && !(c >= '1' && c <= '9');
}

Level parseLevel(const std::string& text, const std::string& file)
{
    Level l;
    l.file = file;
    for (const std::string& line : lines(text)) {
        if (skipped(line))
            continue;
        if (line[0] == 'X' || line[0] == 'x') {
            l.rows.push_back(line);
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = upper(line.substr(0, eq));
        const std::string value = trim(line.substr(eq + 1));
        if (key == "MAP")
            l.name = value;
        else if (key == "LOWER")
            l.lower = value;
        else if (key == "UPPER")
            l.upper = value;
    }
    return l;
}

Problems checkLevel(const Level& l)
{
    Problems p;
    if (l.name.empty())
        p.push_back(l.file + ": no MAP= name");
    if (l.rows.empty() || l.rows.size() > 101)
        p.push_back(l.file + ": needs 1 to 101 map rows");
    for (int y = 0; y < int(l.rows.size()); ++y) {
        if (l.rows[y].size() > 100)
            p.push_back(where(l, 100, y) + ": row longer than 100 characters");
        if (!isWall(l.rows[y].back()))
            p.push_back(where(l, int(l.rows[y].size()) - 1, y) + ": row does not end with a wall");
    }
    auto starts = cellsOf(l, 'S');
    for (const auto& c : cellsOf(l, 's'))
        starts.push_back(c);
    if (starts.size() != 1) {
        p.push_back(l.file + ": needs exactly one start cell, has " + std::to_string(starts.size()));
        return p;
    }
    auto doors = cellsOf(l, 'D');
    for (const auto& c : cellsOf(l, 'd'))
        doors.push_back(c);
    for (const auto& c : doors) {
        const bool ew = isWall(l.at(c.x - 1, c.y)) && isWall(l.at(c.x + 1, c.y));
        const bool ns = isWall(l.at(c.x, c.y - 1)) && isWall(l.at(c.x, c.y + 1));
        if (!ew && !ns)
            p.push_back(where(l, c.x, c.y) + ": door not in a straight wall");
    }

    // Walk from the start through everything but walls; leaving the grid means a hole.
    const int height = int(l.rows.size());
    int width = 0;
    for (const auto& r : l.rows)
        width = std::max(width, int(r.size()));
    std::vector<char> seen(std::size_t(width) * height, 0);
    std::deque<Cell> queue{starts[0]};
    seen[std::size_t(starts[0].y) * width + starts[0].x] = 1;
    bool leaked = false;
    while (!queue.empty()) {
        const Cell c = queue.front();
        queue.pop_front();
        for (const Cell d : {Cell{1, 0}, Cell{-1, 0}, Cell{0, 1}, Cell{0, -1}}) {
            const int x = c.x + d.x, y = c.y + d.y;
            if (y < 0 || y >= height || x < 0 || x >= int(l.rows[y].size())) {
                leaked = true;
                continue;
            }
            if (isWall(l.rows[y][x]) || seen[std::size_t(y) * width + x])
                continue;
            seen[std::size_t(y) * width + x] = 1;
            queue.push_back({x, y});
        }
    }
    if (leaked)
        p.push_back(l.file + ": the start area is not enclosed by walls");
    for (char stair : {'e', 'E'})
        for (const auto& c : cellsOf(l, stair))
            if (!seen[std::size_t(c.y) * width + c.x])
                p.push_back(where(l, c.x, c.y) + ": stairs cannot be reached from the start");
    if (!l.lower.empty() && cellsOf(l, 'e').empty())
        p.push_back(l.file + ": LOWER is set but there are no stairs down");
    if (l.lower.empty() && !cellsOf(l, 'e').empty())
        p.push_back(l.file + ": stairs down but no LOWER level");
    if (l.upper.empty() && !cellsOf(l, 'E').empty())
        p.push_back(l.file + ": stairs up but no UPPER level");
    return p;
}

Problems checkStairs(const Level& up, const Level& down)
{
    Problems p;
    if (down.upper != up.file)
        p.push_back(down.file + ": UPPER should be " + up.file);
    for (const auto& a : cellsOf(up, 'e')) {
        if (!isFreeFloor(down.at(a.x, a.y)))
            p.push_back(where(down, a.x, a.y) + ": arrival cell under stairs down of " + up.file + " is not free floor");
        bool paired = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if ((dx || dy) && down.at(a.x + dx, a.y + dy) == 'E' && isFreeFloor(up.at(a.x + dx, a.y + dy)))
                    paired = true;
        if (!paired)
            p.push_back(where(up, a.x, a.y) + ": stairs down have no stairs up beside their arrival cell in "
                        + down.file + " leading back to free floor");
    }
    for (const auto& b : cellsOf(down, 'E'))
        if (!isFreeFloor(up.at(b.x, b.y)))
            p.push_back(where(up, b.x, b.y) + ": arrival cell of stairs up from " + down.file + " is not free floor");
    return p;
}

int Entry::number(const std::string& key, int fallback) const
{
    const auto it = values.find(key);
    return it == values.end() ? fallback : toInt(it->second, fallback);
}

std::string Entry::text(const std::string& key) const
{
    const auto it = values.find(key);
    return it == values.end() ? std::string() : it->second;
}

std::map<int, Entry> parseCatalogue(const std::string& text, const std::string& startKey, Problems& problems)
{
    std::map<int, Entry> out;
    Entry* current = nullptr;
    int lineNo = 0;
    for (const std::string& line : lines(text)) {
        ++lineNo;
        if (skipped(line))
            continue;
        const auto eq = line.find('=');
        const std::string key = upper(trim(eq == std::string::npos ? line : line.substr(0, eq)));
        if (key == startKey) {
            const int n = toInt(line.substr(eq + 1), -1);
            if (n < 1 || out.count(n)) {
                problems.push_back("line " + std::to_string(lineNo) + ": bad or repeated " + startKey + " number");
                current = nullptr;
                continue;
            }
            current = &out[n];
            continue;
        }
        if (!current) {
            problems.push_back("line " + std::to_string(lineNo) + ": key outside any entry");
            continue;
        }
        if (eq == std::string::npos)
            current->flags.insert(key);
        else
            current->values[key] = trim(line.substr(eq + 1));
    }
    return out;
}

Problems checkItems(const std::map<int, Entry>& items)
{
    Problems p;
    auto item = [&](int n) -> const Entry* {
        const auto it = items.find(n);
        return it == items.end() ? nullptr : &it->second;
    };
    for (int n = 1; n <= 34; ++n)
        if (n != 26 && !item(n))
            p.push_back("item " + std::to_string(n) + " is missing");
    for (int n = 1; n <= 22; ++n) {
        const Entry* e = item(n);
        if (!e)
            continue;
        const bool shouldBlock = n <= 17 || n == 19;
        if (n <= 20 && e->has("BLOCKMOVEMENT") != shouldBlock)
            p.push_back("item " + std::to_string(n) + (shouldBlock ? " must" : " must not") + " block movement");
        if (e->has("MOVABLE"))
            p.push_back("item " + std::to_string(n) + " must not be movable");
    }
    for (int n : {21, 22, 24, 25})
        if (const Entry* e = item(n); e && e->has("BLOCKMOVEMENT"))
            p.push_back("item " + std::to_string(n) + " must not block movement");

    std::set<std::string> names;
    for (const auto& [n, e] : items) {
        const std::string name = e.text("NAME");
        if (name.empty())
            p.push_back("item " + std::to_string(n) + " has no name");
        else if (!names.insert(name).second)
            p.push_back("item name repeated: " + name);
        if (e.number("IMAGE", -1) < 0)
            p.push_back("item " + std::to_string(n) + " has no image");
        const int damage = e.number("DAMAGE"), armor = e.number("ARMOR");
        if ((damage > 0 || armor > 0) && !e.has("MOVABLE"))
            p.push_back("item " + std::to_string(n) + " is gear but not movable");
        if (damage > 0 && armor > 0)
            p.push_back("item " + std::to_string(n) + " is both weapon and armour");
    }
    const std::pair<const char*, bool> gear[] = {
        {"dagger", true}, {"short sword", true}, {"long sword", true}, {"broad sword", true},
        {"great sword", true}, {"soft leather armor", false}, {"hard leather armor", false},
        {"studded leather armor", false}};
    for (const auto& [name, weapon] : gear) {
        const auto it = std::find_if(items.begin(), items.end(),
                                     [&](const auto& kv) { return kv.second.text("NAME") == name; });
        if (it == items.end())
            p.push_back(std::string("no item named ") + name);
        else if (weapon ? it->second.number("DAMAGE") <= 0 : it->second.number("ARMOR") <= 0)
            p.push_back(std::string(name) + (weapon ? " needs DAMAGE" : " needs ARMOR"));
    }
    for (int n = 27; n <= 34; ++n)
        if (const Entry* e = item(n); e && e->number("DAMAGE") <= 0 && e->number("ARMOR") <= 0)
            p.push_back("find " + std::to_string(n) + " is neither weapon nor armour");
    return p;
}

Problems checkMonsters(const std::map<int, Entry>& monsters, const std::map<int, Entry>& items)
{
    Problems p;
    for (int n = 1; n <= 9; ++n) {
        const auto it = monsters.find(n);
        if (it == monsters.end()) {
            p.push_back("monster " + std::to_string(n) + " is missing");
            continue;
        }
        const Entry& m = it->second;
        const std::string id = "monster " + std::to_string(n);
        if (m.text("NAME").empty())
            p.push_back(id + " has no name");
        if (m.number("IMAGE") != n)
            p.push_back(id + " should use image " + std::to_string(n));
        for (const char* key : {"LEVEL", "LIFE", "STAMINA", "SIGHTRANGE", "MELEE"})
            if (m.number(key) <= 0)
                p.push_back(id + " needs a positive " + key);
        const int sound = m.number("SOUNDID", -1);
        if (sound < 0 || sound > 13)
            p.push_back(id + " has a bad SOUNDID");
        const std::string dead = m.text("DEADITEM");
        if (!dead.empty()) {
            const int num = toInt(dead, -1);
            const bool known = num > 0 ? items.count(num) != 0
                                       : std::any_of(items.begin(), items.end(), [&](const auto& kv) {
                                             return kv.second.text("NAME") == dead;
                                         });
            if (!known)
                p.push_back(id + " leaves an unknown item: " + dead);
        }
    }
    return p;
}

Problems checkDataFolder(const std::filesystem::path& folder)
{
    Problems p;
    auto readText = [&](const std::filesystem::path& path) {
        const auto bytes = readFile(path);
        std::string text(bytes.begin(), bytes.end());
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
                p.push_back(path.filename().string() + ": lines must end in CR LF");
                break;
            }
        return text;
    };

    Problems parse;
    const auto items = parseCatalogue(readText(folder / "item.ini"), "ITEM", parse);
    const auto monsters = parseCatalogue(readText(folder / "monster.ini"), "MONSTER", parse);
    for (const auto& s : parse)
        p.push_back("catalogue " + s);
    for (const auto& s : checkItems(items))
        p.push_back("item.ini: " + s);
    for (const auto& s : checkMonsters(monsters, items))
        p.push_back("monster.ini: " + s);

    const Image sheet = loadBmp(folder / "item.bmp");
    for (const auto& [n, e] : items) {
        const int image = e.number("IMAGE", -1);
        const int x0 = (image % 10) * 32, y0 = (image / 10) * 32;
        bool drawn = false;
        for (int y = y0; y < y0 + 32 && sheet.contains(x0, y); ++y)
            for (int x = x0; x < x0 + 32; ++x)
                drawn = drawn || !(sheet.at(x, y) == kTransparent);
        if (!drawn)
            p.push_back("item.bmp has no picture for image " + std::to_string(image));
    }

    std::map<std::string, Level> levels;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".map") {
            const std::string name = entry.path().stem().string();
            levels[name] = parseLevel(readText(entry.path()), name);
        }
    if (levels.empty())
        p.push_back("no levels in " + folder.string());
    for (const auto& [name, level] : levels) {
        for (const auto& s : checkLevel(level))
            p.push_back(s);
        for (const auto& row : level.rows)
            for (char c : row)
                if (c >= '1' && c <= '9' && !monsters.count(c - '0'))
                    p.push_back(name + ": unknown monster type " + std::string(1, c));
        if (!level.lower.empty()) {
            const auto it = levels.find(level.lower);
            if (it == levels.end())
                p.push_back(name + ": LOWER level " + level.lower + " does not exist");
            else
                for (const auto& s : checkStairs(level, it->second))
                    p.push_back(s);
        }
    }
    return p;
}

} // namespace gloamfell::tools
