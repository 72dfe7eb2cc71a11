// What the made art must look like; the reproduction test pins its bytes and the sounds'.
#include "art/paint.hpp"
#include "art/sheets.hpp"
#include "common/image.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace gloamfell::tools;

namespace {

// Outside the picture counts as clear.
bool opaque(const Image& img, int x, int y) {
    return x >= 0 && y >= 0 && x < img.width() && y < img.height() && !(img.at(x, y) == kTransparent);
}

// The light mask is one-bit, clear at band 0, black at band 7 and darker at every step.
TEST(AssetTools, lightSheet) {
    const Image img = makeLightSheet();
    std::vector<int> black(8);
    for (int x = 0; x < 8 * kTile; ++x)
        for (int y = 0; y < kTile; ++y) {
            black[std::size_t(x / kTile)] += img.at(x, y) == Rgb{0, 0, 0};
            ASSERT_TRUE((img.at(x, y) == Rgb{0, 0, 0} || img.at(x, y) == kTransparent)) << x << "," << y;
        }
    EXPECT_EQ(std::make_pair(black.front(), black.back()), std::make_pair(0, kTile * kTile));
    EXPECT_EQ(std::adjacent_find(black.begin(), black.end(), std::greater_equal<>()), black.end())
        << ::testing::PrintToString(black);
}

// A wall arm meets its neighbour's arm row for row; a side without an arm stays clear.
TEST(AssetTools, wallJoins) {
    const Image sheet = makeItemSheet();
    const auto arm = [](int item, char side) {
        if (item >= 17) return item <= 18 ? side == 'E' || side == 'W' : side == 'N' || side == 'S';
        const Arms a = wallArms(item);
        return side == 'N' ? a.north : side == 'E' ? a.east : side == 'S' ? a.south : a.west;
    };
    const auto edge = [&](int item, char side) {
        std::vector<bool> out;
        for (int i = 0; i < kTile; ++i) {
            const int x = side == 'E' ? kTile - 1 : side == 'W' ? 0 : i;
            const int y = side == 'S' ? kTile - 1 : side == 'N' ? 0 : i;
            out.push_back(opaque(sheet, tileX(item) + x, tileY(item) + y));
        }
        return out;
    };
    for (auto [side, opposite] : {std::pair{'E', 'W'}, std::pair{'S', 'N'}})
        for (int a = 1; a <= 20; ++a)
            for (int b = 1; b <= 20; ++b)
                if (!arm(a, side) || arm(b, opposite)) {
                    EXPECT_EQ(edge(a, side), arm(a, side) ? edge(b, opposite) : std::vector<bool>(kTile))
                        << a << side << " " << b;
                }
}

// Frames turn clockwise by 45 degrees from south-west; each is drawn inside its tile, large enough to see.
TEST(AssetTools, creatureFrames) {
    for (int f = 0; f < 8; ++f)
        EXPECT_EQ(frameAngle(f), (225 + 360 - 45 * f) % 360) << "frame " << f;
    for (int c = 0; c <= 9; ++c) {
        const Image sheet = makeCreatureSheet(c);
        ASSERT_EQ(std::make_pair(sheet.width(), sheet.height()), std::make_pair(kTile * kTilesPerRow, kTile));
        for (int f = 0; f < 8; ++f) {
            int drawn = 0;
            for (int y = 0; y < kTile; ++y)
                for (int x = f * kTile; x < (f + 1) * kTile; ++x) {
                    if (!opaque(sheet, x, y)) continue;
                    ++drawn;
                    EXPECT_TRUE(x % kTile > 0 && y > 0 && x % kTile < kTile - 1 && y < kTile - 1)
                        << "creature " << c << " clipped at " << x << "," << y;
                }
            EXPECT_GT(drawn, 60) << "creature " << c << " frame " << f;
        }
    }
}

} // namespace
