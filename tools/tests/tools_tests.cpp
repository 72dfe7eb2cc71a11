// What the made art must look like. Its bytes (and the sounds') are pinned by
// the reproduction test, and the game and the checker read the shipped files.
#include "art/paint.hpp"
#include "art/sheets.hpp"
#include "common/image.hpp"
#include "platform/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

double luminance(Rgb c) { // WCAG relative luminance
    const auto lin = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.r / 255.0) + 0.7152 * lin(c.g / 255.0) + 0.0722 * lin(c.b / 255.0);
}

double contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The gold message is written over the view; it must read on the floor's darkest pixel.
TEST(AssetTools, goldMessageReadsOnTheFloor) {
    const Image floor = makeFloorSheet();
    double darkest = 1;
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x)
            darkest = std::min(darkest, luminance(floor.at(x, y)));
    const gf::Color c = gf::kLightBlue;
    const Rgb blue{static_cast<uint8_t>(c & 255), static_cast<uint8_t>(c >> 8 & 255),
                   static_cast<uint8_t>(c >> 16)};
    EXPECT_GT(blue.b, std::max(blue.r, blue.g)) << "still a blue";
    EXPECT_GE(contrast(luminance(blue), darkest), 4.5);
}

// Frames turn clockwise from south-west, stay in their tile, and their rim stands out from the floor.
TEST(AssetTools, creatureFrames) {
    for (int f = 0; f < 8; ++f)
        EXPECT_EQ(frameAngle(f), (225 + 360 - 45 * f) % 360) << "frame " << f;
    const Image floor = makeFloorSheet(), light = makeLightSheet();
    constexpr int kDimmestLitBand = 6; // band 7 is darkness
    double floorMean = 0, dim = 0;
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            floorMean += luminance(floor.at(x, y)) / (kTile * kTile);
            dim += double(light.at(tileX(kDimmestLitBand) + x, y) == kTransparent) / (kTile * kTile);
        }
    for (int c = 0; c <= 9; ++c) {
        const Image sheet = makeCreatureSheet(c);
        ASSERT_EQ(std::make_pair(sheet.width(), sheet.height()), std::make_pair(kTile * kTilesPerRow, kTile));
        for (int f = 0; f < 8; ++f) {
            int drawn = 0, edges = 0;
            double rim = 0;
            for (int y = 0; y < kTile; ++y)
                for (int x = f * kTile; x < (f + 1) * kTile; ++x) {
                    if (!opaque(sheet, x, y)) continue;
                    ++drawn;
                    EXPECT_TRUE(x % kTile > 0 && y > 0 && x % kTile < kTile - 1 && y < kTile - 1)
                        << "creature " << c << " clipped at " << x << "," << y;
                    if (!opaque(sheet, x + 1, y) || !opaque(sheet, x - 1, y) || !opaque(sheet, x, y + 1) ||
                        !opaque(sheet, x, y - 1))
                        rim += luminance(sheet.at(x, y)), ++edges;
                }
            rim /= std::max(edges, 1);
            SCOPED_TRACE("creature " + std::to_string(c) + " frame " + std::to_string(f));
            EXPECT_GT(drawn, 60);
            EXPECT_GE(contrast(rim, floorMean), 3.0) << "in full light";
            EXPECT_GE(contrast(rim * dim, floorMean * dim), 2.0) << "in the dimmest lit band";
        }
    }
}

} // namespace
