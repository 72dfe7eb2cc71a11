// Wave files decode to the same samples whatever their sample width.
#include "sound/wave_file.h"
#include "test_game.h"

#include <gtest/gtest.h>

#include <tuple>

namespace gf::test {
namespace {

// Every sample width decodes its most negative and most positive values and one with distinct bytes.
TEST(WaveFile, everySampleWidthDecodesItsExtremes) {
    const auto wave = [](int bits, const std::string& data) {
        return "RIFF" + le(36 + static_cast<int64_t>(data.size()), 4) + "WAVEfmt " + le(16, 4) + le(1, 2) +
               le(1, 2) + le(8000, 4) + le(8000 * bits / 8, 4) + le(bits / 8, 2) + le(bits, 2) + "data" +
               le(static_cast<int64_t>(data.size()), 4) + data;
    };
    const std::tuple<int, std::string, std::vector<float>> cases[] = {
        {8, std::string("\x00\xFF\x81", 3), {-1, 127 / 128.0f, 1 / 128.0f}},
        {16, le(-32768, 2) + le(32767, 2) + le(0x0102, 2), {-1, 32767 / 32768.0f, 0x0102 / 32768.0f}},
        {24,
         le(-1 << 23, 3) + le((1 << 23) - 1, 3) + le(0x010203, 3),
         {-1, 8388607 / 8388608.0f, 0x010203 / 8388608.0f}},
        {32, le(INT32_MIN, 4) + le(INT32_MAX, 4) + le(0x01020304, 4), {-1, 1, 0x01020304 / 2147483648.0f}}};
    for (const auto& [bits, data, samples] : cases) {
        WaveData decoded;
        EXPECT_EQ(parseWave(wave(bits, data), decoded), "") << bits;
        EXPECT_EQ(decoded.samples, samples) << bits << "-bit";
    }
}

} // namespace
} // namespace gf::test
