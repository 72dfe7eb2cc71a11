// Checks of the level checker's reading rules, where a fixture folder per
// case would say less than a table.
#include "check/catalogue.hpp"
#include "check/level.hpp"
#include "check/lines.hpp"
#include "check/sheet.hpp"

#include <cstdint>
#include <string>
#include <vector>

#include "expect.h"

using namespace gloamfell::tools;

namespace {

std::string crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

// Lines of faults as "line: text", to compare with what a case expects.
std::vector<int> faultLines(const Faults& faults) {
    std::vector<int> out;
    for (const auto& f : faults)
        out.push_back(f.line);
    return out;
}

// Line numbers must match what an editor shows, whatever the line ends.
TEST(CheckerRules, lineEndsCountAsTheGameReadsThem) {
    const auto lines = splitLines("a\r\nb\rc\nd");
    check(lines == std::vector<std::string>{"a", "b", "c", "d"}, "CR LF, CR and LF each end one line");
    check(splitLines("a\r\n\r\n").size() == 2, "an empty line between two line ends counts");
}

// The level format's first-match rules decide which lines the game warns about.
TEST(CheckerRules, levelLinesFollowTheFormatRules) {
    struct Case {
        std::string line;
        bool unknown;
    };
    const Case cases[] = {{"; MAP=comment", false},
                          {"   ", false},
                          {"", false},
                          {"map=First Hall", false},
                          {"LoWeR=b", false},
                          {"upper=", false},
                          {"xXX", false},
                          {" XXX", true},
                          {"\t", true},
                          {"MAP =First Hall", true},
                          {" ;comment", true},
                          {"S...", true},
                          {"NAME=x", true}};
    for (const Case& c : cases) {
        Faults faults;
        readLevel(crlf({c.line}), "a.map", faults);
        check(faults.empty() != c.unknown,
              "level line \"" + c.line + "\"" + (c.unknown ? " is" : " is not") + " unknown");
    }
    Faults faults;
    const Level l = readLevel(crlf({"map=  First Hall  ", "MAP=Second", "XS.X   "}), "a.map", faults);
    check(l.name.value == "Second" && l.name.line == 2, "the last MAP= wins, trimmed");
    check(l.rows.size() == 1 && l.rows[0].cells == "XS.X", "rows lose their trailing spaces");
}

// Rows the game drops shift the rows after them up, and are faults.
TEST(CheckerRules, tooLongOrTooManyRowsAreDropped) {
    const std::string full(100, 'X');
    std::vector<std::string> lines(101, full);
    Faults faults;
    check(readLevel(crlf(lines), "a.map", faults).rows.size() == 101 && faults.empty(),
          "101 rows of 100 characters fit");
    lines.insert(lines.begin() + 1, full + "X");
    lines.push_back(full);
    lines.push_back(full + "   ");
    const Level l = readLevel(crlf(lines), "a.map", faults);
    check(faultLines(faults) == std::vector<int>{2, 103, 104},
          "a long row and the two rows beyond 101 are faults");
    check(l.rows.size() == 101 && l.lineOf(1) == 3, "the row after a dropped one takes its place");
}

// The game draws a door by the wall it sits in; only one straight run fits.
TEST(CheckerRules, doorsMustSitInOneStraightRun) {
    struct Case {
        const char* around; // north, east, south, west of the door
        bool fits;
    };
    const Case cases[] = {{".X.X", true}, {"X.X.", true},  {"XX.X", true},  {"XXXX", true},
                          {"D.X.", true}, {"XXX.", false}, {"X..X", false}, {"....", false}};
    for (const Case& c : cases) {
        Level l;
        l.file = "a.map";
        l.name = {"a", 1};
        std::vector<std::string> rows{"XXXXX", "XS..X", "X.D.X", "X...X", "XXXXX"};
        rows[1][2] = c.around[0];
        rows[2][3] = c.around[1];
        rows[3][2] = c.around[2];
        rows[2][1] = c.around[3];
        for (std::size_t i = 0; i < rows.size(); ++i)
            l.rows.push_back({rows[i], int(i) + 1});
        Faults faults;
        checkLevel(l, faults);
        bool doorFault = false;
        for (const auto& f : faults)
            doorFault = doorFault || f.text.find("door at (2,2)") != std::string::npos;
        check(doorFault != c.fits,
              std::string("door with ") + c.around + " around it" + (c.fits ? " fits" : " does not fit"));
    }
}

// Catalogue values are read the game's way: floored, range-checked, flags by prefix.
TEST(CheckerRules, catalogueValuesAreReadAsTheGameReadsThem) {
    Faults faults;
    const Catalogue c =
        readItemCatalogue(crlf({";ITEM=9", "item=3", "Name=  long sword  ", "IMAGE=3.9", "DAMAGE=-0.5",
                                "BLOCKMOVEMENT=0", "movable", "ITEM=5", "ITEM=3", "ARMOR=2"}),
                          faults);
    check(faults.empty() && c.highest == 5 && c.entries.size() == 2, "a comment does not size the catalogue");
    const Entry* e = c.find(3);
    check(e && e->name == "long sword" && e->number("IMAGE") == 3 && e->number("DAMAGE") == -1,
          "names trimmed, numbers floored");
    check(e && e->has("BLOCKMOVEMENT") && e->has("MOVABLE") && e->number("ARMOR") == 2,
          "flags match on their own length, a repeated number adds to its entry");
    check(c.idOf("LONG SWORD ") == 3 && c.idOf("short sword") == 0,
          "names match whatever their case and spaces");
}

// Lines the game warns about or stops at are faults on their own line, and
// the lines a stop skips are not reported again.
TEST(CheckerRules, catalogueLineFaults) {
    struct Case {
        std::vector<std::string> lines;
        std::vector<int> faultLines;
    };
    const Case cases[] = {
        {{"ITEM=1", " NAME=x", "\tIMAGE=1"}, {2, 3}},
        {{"NAME=x", "ITEM=1"}, {1}},
        {{"ITEM=0", "NAME=x", "IMAGE=2", "ITEM=1", "NAME=y"}, {2}},
        {{"ITEM=1", "IMAGE=40000", "IMAGE=x1"}, {2, 3}},
        {{"ITEM=1", "ITEM=abc", "NAME=x", "IMAGE=y", "ITEM=2", "NAME=y"}, {2}},
        {{"; nothing but a comment"}, {0}},
    };
    for (const Case& c : cases) {
        Faults faults;
        readItemCatalogue(crlf(c.lines), faults);
        check(faultLines(faults) == c.faultLines,
              "item.ini faults of " + c.lines.front() + " ... " + c.lines.back());
    }
}

// A little-endian field of a hand-made BMP.
void put(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b[at + i] = std::uint8_t(v >> (8 * i));
}

std::vector<std::uint8_t> bmp(int width, int height, int bits, std::size_t paletteSize,
                              std::size_t pixelBytes) {
    const std::size_t offset = 54 + paletteSize * 4;
    std::vector<std::uint8_t> b(offset + pixelBytes, 0);
    b[0] = 'B';
    b[1] = 'M';
    put(b, 2, std::uint32_t(b.size()), 4);
    put(b, 10, std::uint32_t(offset), 4);
    put(b, 14, 40, 4);
    put(b, 18, std::uint32_t(width), 4);
    put(b, 22, std::uint32_t(height), 4);
    put(b, 26, 1, 2);
    put(b, 28, std::uint32_t(bits), 2);
    return b;
}

// Paint programs write many kinds of BMP; size and blank tiles must read the same in each.
TEST(CheckerRules, sheetsOfEveryUncompressedKind) {
    // 24-bit, 64 x 32, all white but one black pixel in tile 1, top-down.
    auto b24 = bmp(64, -32, 24, 0, 64 * 3 * 32);
    for (std::size_t i = 54; i < b24.size(); ++i)
        b24[i] = 255;
    const std::size_t black = 54 + 5 * 64 * 3 + 40 * 3; // row 5, x 40
    b24[black] = b24[black + 1] = b24[black + 2] = 0;
    std::string error;
    const auto s24 = Sheet::read(b24, error);
    check(s24 && s24->width() == 64 && s24->height() == 32, "a top-down sheet has a positive height");
    check(s24 && s24->tileIsBlank(0) && !s24->tileIsBlank(1), "a tile with one dark pixel is drawn");
    check(s24 && s24->hasTile(1) && !s24->hasTile(2) && !s24->hasTile(10) && !s24->hasTile(-1),
          "tiles run ten to a row and only as far as the picture");

    // 8-bit with a two-colour palette: index 1 white, index 0 black, bottom-up.
    auto b8 = bmp(32, 32, 8, 2, 32 * 32);
    put(b8, 46, 2, 4);
    b8[54 + 4] = b8[54 + 5] = b8[54 + 6] = 255;
    for (std::size_t i = 62; i < b8.size(); ++i)
        b8[i] = 1;
    auto s8 = Sheet::read(b8, error);
    check(s8 && s8->tileIsBlank(0), "palette indices are looked up");
    b8.back() = 0;
    s8 = Sheet::read(b8, error);
    check(s8 && !s8->tileIsBlank(0), "a palette black pixel draws the tile");

    const auto cut = std::vector<std::uint8_t>(b24.begin(), b24.end() - 1);
    check(!Sheet::read(cut, error) && error.find("cut short") != std::string::npos,
          "a truncated sheet is unreadable");
    check(!Sheet::read({'B', 'M', 0}, error), "a stub is unreadable");
    auto wide = bmp(1000, 32, 24, 0, 0);
    put(wide, 30, 1, 4); // run-length coded: its pixels are not looked at
    const auto rle = Sheet::read(wide, error);
    check(rle && rle->hasTile(9) && !rle->tileIsBlank(9), "a compressed sheet still gives its size");
}

} // namespace
