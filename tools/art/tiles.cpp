#include "paint.hpp"
#include "sheets.hpp"

#include "../common/rng.hpp"
#include "map/wall_pieces.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace gloamfell::tools {

namespace {

// Shared stone palette: cool grey stone, warm mortar shadows.
const Colour kFloorStone = rgb(112, 102, 96);
const Colour kFloorStoneWarm = rgb(126, 112, 100);
const Colour kMortar = rgb(46, 40, 42);
// The floor is kept dark, so whatever stands on it still reads at the edge of the light.
constexpr double kFloorShade = 0.58;
const Colour kWallTop = rgb(148, 140, 136);
const Colour kWallCap = rgb(164, 156, 150);
const Colour kWallFace = rgb(84, 76, 78);
const Colour kJoint = rgb(36, 31, 37);
const Colour kOutline = rgb(16, 13, 18);
const Colour kShadow = rgb(20, 17, 23);
const Colour kWood = rgb(118, 74, 40);
const Colour kIron = rgb(58, 58, 66);

constexpr int kFaceRows = 4;
constexpr int kBandLo = 7;
constexpr int kBandHi = 24;
constexpr int kJointBlock = 99;

bool inBand(int v) {
    return v >= kBandLo && v <= kBandHi;
}

double grain(int x, int y, std::uint64_t seed, double amount) {
    return 1.0 + amount * (hashNoise(x & 31, y & 31, seed) - 0.5);
}

// A raised solid seen from above with a little southern face: block ids
// separate stones so each gets its own bevel; negative means open floor.
struct Solid {
    std::function<int(int, int)> block;
    std::function<Colour(int block, int x, int y, int faceDepth)> colour;
};

void paintSolid(Image& img, int ox, int oy, const Solid& s) {
    auto solid = [&](int x, int y) { return s.block(x, y) >= 0; };
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const int b = s.block(x, y);
            if (b < 0) {
                if (solid(x - 1, y) || solid(x + 1, y) || solid(x, y - 1) || solid(x, y + 1))
                    img.set(ox + x, oy + y, toRgb(kOutline));
                else if (solid(x - 2, y) || solid(x - 1, y - 1) || solid(x, y - 2) || solid(x - 2, y - 2) ||
                         solid(x - 1, y - 2) || solid(x - 2, y - 1))
                    img.set(ox + x, oy + y, toRgb(kShadow));
                continue;
            }
            int depth = 0;
            for (int k = 1; k <= kFaceRows; ++k)
                if (!solid(x, y + k)) {
                    depth = k;
                    break;
                }
            Colour c = s.colour(b, x, y, depth);
            if (depth == 0 && b != kJointBlock) {
                if (s.block(x - 1, y) != b || s.block(x, y - 1) != b)
                    c = scaled(c, 1.28);
                else if (s.block(x + 1, y) != b || s.block(x, y + 1) != b)
                    c = scaled(c, 0.72);
            } else if (depth == kFaceRows) {
                // The rim where top meets face catches the light.
                c = scaled(c, 1.35);
            }
            img.set(ox + x, oy + y, toRgb(c));
        }
    }
}

Colour wallFace(int x, int depth) {
    // Two courses of bricks, joints staggered, seamless across tiles.
    const bool upper = depth > 2;
    if (depth == 2) return kJoint;
    if ((x + (upper ? 0 : 4)) % 8 == 0) return kJoint;
    return scaled(kWallFace, (0.75 + 0.1 * depth) * grain(x, depth, 11, 0.2));
}

Colour stoneTop(int b, int x, int y) {
    const Colour base = b == 0 ? kWallCap : mix(kWallTop, kFloorStoneWarm, 0.15 * (b % 3));
    const double blotch = 0.5 + 0.5 * std::sin(x * 0.7 + b) * std::cos(y * 0.55 - b);
    return scaled(base, grain(x, y, 5 + b, 0.16) * (0.94 + 0.08 * blotch));
}

int wallBlock(Arms a, int x, int y) {
    const bool cx = inBand(x), cy = inBand(y);
    if (cx && cy) return 0;
    if (cy && a.east && x > kBandHi) return x == kBandHi + 1 ? kJointBlock : 1;
    if (cy && a.west && x < kBandLo) return x == kBandLo - 1 ? kJointBlock : 3;
    if (cx && a.north && y < kBandLo) return y == kBandLo - 1 ? kJointBlock : 4;
    if (cx && a.south && y > kBandHi) return y == kBandHi + 1 ? kJointBlock : 2;
    return -1;
}

Colour wallColour(int b, int x, int y, int depth) {
    if (depth > 0) return wallFace(x, depth);
    if (b == kJointBlock) return kJoint;
    return stoneTop(b, x, y);
}

} // namespace

Arms wallArms(int n) {
    const int arms = gf::armsOfPiece(static_cast<std::int16_t>(n));
    if (arms >= 0)
        return {(arms & gf::kArmNorth) != 0, (arms & gf::kArmEast) != 0, (arms & gf::kArmSouth) != 0,
                (arms & gf::kArmWest) != 0};
    // Of the pieces the game never picks, the stone wall stands alone and 9 and 12 are crossings.
    if (n == 9 || n == 12) return {true, true, true, true};
    return {};
}

void paintWall(Image& img, int ox, int oy, Arms arms) {
    paintSolid(img, ox, oy, {[arms](int x, int y) { return wallBlock(arms, x, y); }, wallColour});
}

void paintDoor(Image& img, int ox, int oy, bool eastWest, bool open) {
    // Drawn as an east-west door; a north-south door swaps the axes.
    auto swap = [eastWest](int& x, int& y) {
        if (!eastWest) std::swap(x, y);
    };
    constexpr int kPost = 5;
    constexpr int kDoorBlock = 10;
    auto block = [=](int x, int y) {
        swap(x, y);
        if (inBand(y) && (x <= kPost || x >= kTile - 1 - kPost))
            return x == kPost || x == kTile - 1 - kPost ? kJointBlock : 1;
        if (!open) return (x > kPost && x < kTile - 1 - kPost && y >= 10 && y <= 21) ? kDoorBlock : -1;
        return (x > kPost && x <= kPost + 5 && y >= 10 && y <= 27) ? kDoorBlock : -1;
    };
    auto colour = [=](int b, int x, int y, int depth) {
        if (b != kDoorBlock) return wallColour(b, x, y, depth);
        int u = x, v = y;
        swap(u, v);
        // Planks run across the wall when closed and along the leaf when open.
        const int along = open ? v : u;
        const int across = open ? u : v;
        if (depth > 0) return scaled(kWood, 0.45 + 0.05 * depth);
        if (!open && (u == 10 || u == 21)) return scaled(kIron, (across % 3 == 0) ? 1.6 : 1.0);
        if (open && (v == 13 || v == 24)) return kIron;
        if (along % 4 == 0) return scaled(kWood, 0.6);
        return scaled(kWood, grain(x, y, 23, 0.25) * (0.9 + 0.1 * std::sin(across * 1.7 + along)));
    };
    if (open) {
        // The bare sill between the posts.
        for (int y = 0; y < kTile; ++y)
            for (int x = 0; x < kTile; ++x) {
                int u = x, v = y;
                swap(u, v);
                if (u > kPost && u < kTile - 1 - kPost && v >= 9 && v <= 22)
                    img.set(ox + x, oy + y, toRgb(scaled(rgb(70, 64, 64), grain(x, y, 31, 0.18))));
            }
    }
    paintSolid(img, ox, oy, {block, colour});
    if (!open) {
        int hx = 24 - 5, hy = 16;
        swap(hx, hy);
        for (int d = 0; d < 2; ++d) {
            int px = eastWest ? hx + d : hx, py = eastWest ? hy : hy + d;
            img.set(ox + px, oy + py, toRgb(rgb(196, 170, 90)));
        }
    }
}

void paintStairs(Image& img, int ox, int oy, bool down) {
    constexpr int lo = 3, hi = 28;
    for (int y = lo - 1; y <= hi + 1; ++y) {
        for (int x = lo - 1; x <= hi + 1; ++x) {
            Colour c;
            if (x < lo || x > hi || y < lo || y > hi) {
                c = kOutline;
            } else if (x < lo + 3 || x > hi - 3 || (down ? y < lo + 3 : y > hi - 3)) {
                // Stone rim around the stairwell.
                c = scaled(kWallTop, grain(x, y, 41, 0.2));
                if (x == lo || y == lo) c = scaled(c, 1.3);
                if (x == hi || y == hi) c = scaled(c, 0.7);
            } else {
                const int inner = down ? y - (lo + 3) : (hi - 3) - y;
                const int step = inner / 4;
                const int row = inner % 4;
                double depthShade = down ? 1.0 - 0.2 * step : 0.55 + 0.12 * (5 - step);
                depthShade = std::max(depthShade, 0.05);
                c = scaled(rgb(104, 96, 94), depthShade * grain(x, y, 43, 0.15));
                const bool nose = down ? row == 0 : row == 3;
                if (nose)
                    c = scaled(c, down ? 1.35 : 1.5);
                else if (down ? row == 3 : row == 0)
                    c = scaled(c, 0.6);
                // Side walls of the well cast shadow onto the steps.
                if (x < lo + 5) c = scaled(c, 0.7);
            }
            img.set(ox + x, oy + y, toRgb(c));
        }
    }
    // A chevron shows the way the stairs lead.
    const Colour arrow = down ? rgb(150, 60, 40) : rgb(236, 210, 120);
    for (int i = 0; i < 5; ++i) {
        for (int t = 0; t < 2; ++t) {
            const int y = down ? 19 + i - t : 10 - i + t + 2;
            img.set(ox + 15 - 4 + i, oy + y, toRgb(arrow));
            img.set(ox + 16 + 4 - i, oy + y, toRgb(arrow));
        }
    }
}

Image makeFloorSheet() {
    Image img(kTile, kTile);
    // Two uneven courses of flagstones whose joints wrap around the tile edges.
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const bool upper = y < 18;
            const int top = upper ? 0 : 18;
            const int height = upper ? 18 : 14;
            const int j1 = upper ? 5 : 14, j2 = upper ? 23 : 30;
            const int cx = (x - j1 + 32) % 32;
            const int stone = upper ? (cx < j2 - j1 ? 0 : 1) : (cx < j2 - j1 ? 2 : 3);
            const int left = stone % 2 == 0 ? j1 : j2;
            const int width = stone % 2 == 0 ? j2 - j1 : 32 - (j2 - j1);
            const int sx = (x - left + 32) % 32;
            const int sy = y - top;
            Colour c;
            const bool corner = (sx == 1 || sx == width - 1) && (sy == 1 || sy == height - 1);
            if (sx == 0 || sy == 0 || corner) {
                c = scaled(kMortar, grain(x, y, 3, 0.3));
            } else {
                const Colour base =
                    mix(kFloorStone, kFloorStoneWarm, (stone * 0.37) - std::floor(stone * 0.37));
                const double blotch = std::sin((x + stone * 5) * 0.45) * std::cos((y - stone * 3) * 0.5);
                c = scaled(base, grain(x, y, 1, 0.18) * (0.95 + 0.06 * blotch));
                if (sx == 1 || sy == 1)
                    c = scaled(c, 1.22);
                else if (sx == width - 1 || sy == height - 1)
                    c = scaled(c, 0.74);
                if (hashNoise(x, y, 9) > 0.965) c = scaled(c, 0.7);
            }
            img.set(x, y, toRgb(scaled(c, kFloorShade)));
        }
    }
    return img;
}

Image makeVoidSheet() {
    Image img(kTile, kTile);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x)
            img.set(x, y, toRgb(scaled(rgb(9, 8, 11), grain(x, y, 13, 0.3))));
    return img;
}

Image makeDamageSheet() {
    Image img(kTile, kTile);
    Rng rng(0xB100D);
    double spikes[16];
    for (double& s : spikes)
        s = rng.range(0.0, 1.0);
    auto radius = [&](double angle) {
        const double t = angle / (2 * 3.14159265358979) * 16.0;
        const int i = int(std::floor(t)) & 15;
        const double f = t - std::floor(t);
        const double a = spikes[i], b = spikes[(i + 1) & 15];
        const double v = a + (b - a) * f;
        return 10.0 + 5.0 * v * v;
    };
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const double dx = x + 0.5 - 16, dy = y + 0.5 - 16;
            const double d = std::hypot(dx, dy);
            const double r = radius(std::atan2(dy, dx) + 3.14159265358979);
            if (d > r + 1) continue;
            Colour c;
            if (d > r)
                c = rgb(60, 6, 8);
            else if (d > r - 2.2)
                c = rgb(226, 92, 24);
            else
                c = mix(rgb(120, 10, 12), rgb(178, 28, 18), d / r);
            img.set(x, y, toRgb(scaled(c, grain(x, y, 17, 0.12))));
        }
    }
    // Droplets flung from the burst.
    for (int i = 0; i < 6; ++i) {
        const double a = rng.range(0, 6.283);
        const int x = int(16 + std::cos(a) * 15), y = int(16 + std::sin(a) * 15);
        img.set(x, y, toRgb(rgb(200, 40, 20)));
        img.set(x + 1, y, toRgb(rgb(120, 12, 12)));
    }
    return img;
}

Image makeLightSheet() {
    static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    // Sixteenths of black per light step: gentle near the creature, steep at the edge
    // of its light, so the lit area reads as lit.
    static constexpr int kDark[8] = {0, 1, 2, 4, 6, 9, 12, 16};
    Image img(kTile * kTilesPerRow, kTile);
    for (int n = 0; n < 8; ++n) {
        const int dark = kDark[n];
        for (int y = 0; y < kTile; ++y)
            for (int x = 0; x < kTile; ++x)
                img.set(n * kTile + x, y, kBayer[y % 4][x % 4] < dark ? Rgb{0, 0, 0} : kTransparent);
    }
    return img;
}

} // namespace gloamfell::tools
