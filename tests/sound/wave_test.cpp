// Wave files as the game reads them: every PCM depth, the refused kinds, stereo at the device rate.
#include "sound/wave_file.h"
#include "wave_bytes.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace gf::test {
namespace {

using namespace std::string_literals;

// Every PCM depth reads with its sign, scale and byte order, extremes too; the rest is refused, saying why.
TEST(WaveFiles, readsPcmAndRefusesTheRestWithAReason) {
    const std::string cut = wave({}, pcm16({16384, -16384, 8192, 1}));
    const std::string big(kMaxWaveFile - 44, '\0'); // with its 44 bytes of headers, the largest file
    const float k8 = 128, k16 = 32768, k24 = 8388608, k32 = 2147483648.f; // each depth's scale
    const std::tuple<const char*, std::string, std::string, std::vector<float>> cases[] = {
        {"pcm16", wave({}, pcm16({16384, -32768, 32767, 258})), "", {.5f, -1, 32767 / k16, 258 / k16}},
        {"pcm8 1 kHz", wave({.rate = 1000, .bits = 8}, "\x80\xff\x00\x81"s), "", {0, 127 / k8, -1, 1 / k8}},
        {"pcm24 stereo", wave({.channels = 2, .bits = 24}, "\0\0\x40\0\0\xC0"s), "", {0.5f, -0.5f}},
        {"pcm24 max", wave({.bits = 24}, "\3\2\1\xff\xff\x7f\0\0\x80"s), "", {66051 / k24, 1 - 1 / k24, -1}},
        {"pcm32 384 kHz", wave({.rate = 384000, .bits = 32}, "\0\0\0\xC0"s), "", {-0.5f}},
        {"pcm32 max", wave({.bits = 32}, "\0\0\0\x80\xff\xff\xff\x7f\4\3\2\1"s), "", {-1, 1, 16909060 / k32}},
        {"extensible pcm", wave({.extensible = true}, pcm16({16384})), "", {0.5f}},
        {"padded frames", wave({.align = 4}, pcm16({16384, 7, -16384, 7})), "", {0.5f, -0.5f}},
        {"data cut short", cut.substr(0, cut.size() - 3), "", {0.5f, -0.5f}},
        {"odd chunk first", riff(chunk("LIST", "abc") + wave({}, pcm16({8192})).substr(12)), "", {0.25f}},
        {"extensible float", wave({.tag = 3, .bits = 32, .extensible = true}, ""), "Not PCM (format 3)", {}},
        {"adpcm", wave({.tag = 2, .bits = 4}, "ab"), "Not PCM (format 2)", {}},
        {"12-bit", wave({.bits = 12}, "ab"), "12-bit samples are not supported", {}},
        {"rate too low", wave({.rate = 999}, "ab"), "Unsupported sample rate 999", {}},
        {"rate too high", wave({.rate = 384001}, "ab"), "Unsupported sample rate 384001", {}},
        {"no channels", wave({.channels = 0}, "ab"), "Broken fmt chunk", {}},
        {"frames too short", wave({.channels = 2, .align = 3}, "ab"), "Broken fmt chunk", {}},
        {"fmt too short", riff(chunk("fmt ", std::string(15, '\1'))), "Broken fmt chunk", {}},
        {"data first", riff(chunk("data", "ab") + wave({}, "").substr(12)), "Data before the fmt chunk", {}},
        {"no data chunk", wave({}, "").substr(0, 36), "No data chunk", {}},
        {"no fmt chunk", riff(chunk("LIST", "ab")), "No fmt chunk", {}},
        {"largest", wave({}, big), "", std::vector<float>(big.size() / 2)},
        {"too large", wave({}, big + '\0'), "Larger than the 16 MiB a sound may have", {}},
        {"not riff", "RIFX0000WAVE", "Not a RIFF/WAVE file", {}},
        {"empty", "", "Not a RIFF/WAVE file", {}}};
    for (const auto& [name, bytes, reason, samples] : cases) {
        WaveData data;
        EXPECT_EQ(parseWave(bytes, data), reason) << name;
        EXPECT_EQ(data.samples, samples) << name;
    }
}

// Mono plays on both sides, extra channels are dropped, the rate is converted, at most 30 seconds.
TEST(WaveFiles, stereoAtTheDeviceRate) {
    const std::tuple<const char*, WaveData, int, std::vector<float>> cases[] = {
        {"mono doubled", {1, 11025, 16, {0, 1}}, 22050, {0, 0, 0.5f, 0.5f, 1, 1, 1, 1}},
        {"halved", {1, 44100, 16, {0, 0.25f, 0.5f, 0.75f}}, 22050, {0, 0, 0.5f, 0.5f}},
        {"three channels", {3, 8000, 16, {.1f, .2f, .3f, .4f, .5f, .6f}}, 8000, {.1f, .2f, .4f, .5f}},
        {"no samples", {1, 8000, 16, {}}, 8000, {}},
        {"no rate", {1, 0, 16, {0.5f}}, 8000, {}}};
    for (const auto& [name, in, rate, stereo] : cases)
        EXPECT_EQ(toStereo(in, rate), stereo) << name;
    EXPECT_EQ(toStereo({1, 1000, 16, std::vector<float>(31000, 0.5f)}, 2000).size(), 2u * 60000);
}

} // namespace
} // namespace gf::test
