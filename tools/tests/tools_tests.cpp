// Checks of the content tools: file formats and the art's joins.
#include "art/paint.hpp"
#include "art/sheets.hpp"
#include "common/image.hpp"
#include "common/wav.hpp"
#include "sounds/synth.hpp"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "expect.h"

using namespace gloamfell::tools;

namespace {

std::uint32_t le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= std::uint32_t(b[at + i]) << (8 * i);
    return v;
}

bool opaque(const Image& img, int x, int y) {
    return !(img.at(x, y) == kTransparent);
}

TEST(AssetTools, bmpFormat) {
    Image img(3, 2);
    img.set(0, 0, {10, 20, 30});
    img.set(2, 1, {40, 50, 60});
    const auto bytes = img.encodeBmp();
    check(bytes.size() == 54 + 2 * 12, "rows of 3 pixels are padded to 12 bytes");
    check(le(bytes, 2, 4) == bytes.size(), "BMP size field");
    check(le(bytes, 10, 4) == 54 && le(bytes, 28, 2) == 24 && le(bytes, 30, 4) == 0, "24-bit BI_RGB at 54");
    // Bottom-up: the first stored row is the image's last, blue first.
    check(bytes[54 + 6] == 60 && bytes[54 + 7] == 50 && bytes[54 + 8] == 40,
          "bottom row stored first as BGR");
    check(bytes[66] == 30 && bytes[67] == 20 && bytes[68] == 10 && bytes[69] == 255 && bytes[77] == 0,
          "top row stored last, untouched pixels white, padding zero");
}

TEST(AssetTools, wavFormat) {
    const auto bytes = encodeWav({0.0, 1.5, -1.5, 0.5});
    check(bytes.size() == 44 + 4 * 4, "WAV size");
    check(le(bytes, 20, 2) == 1 && le(bytes, 22, 2) == 2, "PCM stereo");
    check(le(bytes, 24, 4) == 22050 && le(bytes, 28, 4) == 88200, "rate and byte rate");
    check(le(bytes, 32, 2) == 4 && le(bytes, 34, 2) == 16, "block align and bits");
    check(le(bytes, 40, 4) == 16, "data size");
    const auto sample = [&](int frame, int channel) {
        return static_cast<std::int16_t>(le(bytes, 44 + frame * 4 + channel * 2, 2));
    };
    check(sample(1, 0) == 32767 && sample(2, 1) == -32767, "out-of-range samples clamp without wrapping");
    check(sample(3, 0) == sample(3, 1), "both channels carry the signal");
}

TEST(AssetTools, soundSet) {
    const auto sounds = makeSounds();
    const char* names[] = {"caneswish.wav",   "punch.wav", "walk.wav",  "dooropen.wav",  "doorclose.wav",
                           "mouse.wav",       "ow.wav",    "beep1.wav", "snakehiss.wav", "whistleup.wav",
                           "whistledown.wav", "ready.wav", "beep2.wav"};
    check(sounds.size() == 13, "thirteen sounds");
    for (std::size_t i = 0; i < sounds.size() && i < 13; ++i) {
        const auto& s = sounds[i];
        check(s.file == names[i], "sound " + std::to_string(i + 1) + " is " + names[i]);
        const double seconds = double(s.samples.size()) / kSampleRate;
        check(seconds > 0.05 && seconds < (s.file == "walk.wav" ? 0.2 : 1.0), s.file + " length");
        check(s.samples.front() == 0.0 && s.samples.back() == 0.0, s.file + " starts and ends silent");
        double peak = 0;
        for (double v : s.samples)
            peak = std::max(peak, std::fabs(v));
        check(peak > 0.8 && peak < 0.95, s.file + " peaks near but below full scale");
    }
}

TEST(AssetTools, lightSheet) {
    const Image img = makeLightSheet();
    int previous = -1;
    bool rising = true;
    for (int n = 0; n < 8; ++n) {
        int black = 0;
        for (int y = 0; y < kTile; ++y)
            for (int x = 0; x < kTile; ++x) {
                const Rgb c = img.at(n * kTile + x, y);
                black += c == Rgb{0, 0, 0};
                check(c == Rgb{0, 0, 0} || c == kTransparent, "light mask is one-bit");
            }
        rising = rising && black > previous;
        previous = black;
        if (n == 0) check(black == 0, "tile 0 lets all light through");
        if (n == 7) check(black == kTile * kTile, "tile 7 is fully dark");
    }
    check(rising, "each light step is darker than the one before");
}

// A wall arm must meet the neighbouring piece's arm row for row.
std::vector<bool> edge(const Image& sheet, int item, char side) {
    std::vector<bool> out;
    for (int i = 0; i < kTile; ++i) {
        int x = side == 'E' ? kTile - 1 : side == 'W' ? 0 : i;
        int y = side == 'S' ? kTile - 1 : side == 'N' ? 0 : i;
        out.push_back(opaque(sheet, tileX(item) + x, tileY(item) + y));
    }
    return out;
}

TEST(AssetTools, wallJoins) {
    const Image sheet = makeItemSheet();
    const std::vector<bool> none(kTile, false);
    auto arm = [](int item, char side) {
        if (item >= 17) return (item <= 18) ? side == 'E' || side == 'W' : side == 'N' || side == 'S';
        const Arms a = wallArms(item);
        return side == 'N' ? a.north : side == 'E' ? a.east : side == 'S' ? a.south : a.west;
    };
    std::vector<int> pieces;
    for (int n = 1; n <= 20; ++n)
        pieces.push_back(n);
    for (auto [side, opposite] : {std::pair{'E', 'W'}, std::pair{'S', 'N'}}) {
        for (int a : pieces) {
            if (!arm(a, side)) {
                check(edge(sheet, a, side) == none,
                      "piece " + std::to_string(a) + " stays clear of edge " + side);
                continue;
            }
            for (int b : pieces)
                if (arm(b, opposite))
                    check(edge(sheet, a, side) == edge(sheet, b, opposite),
                          "pieces " + std::to_string(a) + " and " + std::to_string(b) + " join seamlessly");
        }
    }
}

TEST(AssetTools, creatureFrames) {
    check(frameAngle(5) == 0 && frameAngle(1) == 180 && frameAngle(3) == 90 && frameAngle(7) == 270 &&
              frameAngle(0) == 225,
          "frames run south-west, south, south-east, east, north-east, north, north-west, west");
    for (int c = 0; c <= 9; ++c) {
        const Image sheet = makeCreatureSheet(c);
        check(sheet.width() == kTile * kTilesPerRow && sheet.height() == kTile, "creature sheet size");
        for (int f = 0; f < 8; ++f) {
            int count = 0;
            bool clipped = false;
            for (int y = 0; y < kTile; ++y)
                for (int x = 0; x < kTile; ++x)
                    if (opaque(sheet, f * kTile + x, y)) {
                        ++count;
                        clipped = clipped || x == 0 || y == 0 || x == kTile - 1 || y == kTile - 1;
                    }
            const std::string id = "creature " + std::to_string(c) + " frame " + std::to_string(f);
            check(count > 60, id + " is drawn");
            check(!clipped, id + " fits inside its tile");
        }
    }
}

// WCAG relative luminance of a pixel, scaled by the share of it the light lets through.
double luminance(Rgb c, double lit) {
    auto lin = [](std::uint8_t v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return lit * (0.2126 * lin(c.r) + 0.7152 * lin(c.g) + 0.0722 * lin(c.b));
}

double contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The measure: the mean WCAG luminance of a frame's edge pixels (opaque, with a
// transparent or outside 4-neighbour) against the mean of the floor tile, as the
// WCAG contrast ratio. A light band blackens some pixels of its dither; the eye
// averages them, so a band scales both luminances by the share it lets through.
TEST(AssetTools, creaturesStandOutFromTheFloor) {
    const Image floor = makeFloorSheet();
    const Image light = makeLightSheet();
    constexpr int kDimmestLitBand = 6; // tile 7 is darkness
    double floorMean = 0;
    int through = 0;
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            floorMean += luminance(floor.at(x, y), 1) / (kTile * kTile);
            through += light.at(tileX(kDimmestLitBand) + x, y) == kTransparent;
        }
    const double dim = double(through) / (kTile * kTile);
    for (int c = 0; c <= 9; ++c) {
        const Image sheet = makeCreatureSheet(c);
        for (int f = 0; f < 8; ++f) {
            double sum = 0;
            int edges = 0;
            for (int y = 0; y < kTile; ++y)
                for (int x = 0; x < kTile; ++x) {
                    const int sx = f * kTile + x;
                    if (!opaque(sheet, sx, y)) continue;
                    bool edge = false;
                    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                        edge = edge || x + dx < 0 || x + dx >= kTile || y + dy < 0 || y + dy >= kTile ||
                               !opaque(sheet, sx + dx, y + dy);
                    if (edge) sum += luminance(sheet.at(sx, y), 1), ++edges;
                }
            const double rim = sum / std::max(edges, 1);
            SCOPED_TRACE("creature " + std::to_string(c) + " frame " + std::to_string(f));
            EXPECT_GE(contrast(rim, floorMean), 3.0) << "in full light";
            EXPECT_GE(contrast(rim * dim, floorMean * dim), 2.0) << "in the dimmest lit band";
        }
    }
}

} // namespace
