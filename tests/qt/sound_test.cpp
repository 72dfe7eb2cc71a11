// Wave files and the mixer behind the desktop's sound.
#include "sound/wave_file.h"
#include "sound_mixer.h"

#include <gtest/gtest.h>

#include <vector>

namespace gf {
namespace {

void put16(std::string& s, int v) {
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}
void put32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s += char((v >> (8 * i)) & 0xFF);
}

struct WaveSpec {
    int tag = 1;
    int channels = 1;
    int rate = 22050;
    int bits = 16;
    std::string data;
    bool extensible = false;
};

std::string wave(const WaveSpec& w) {
    std::string fmt;
    put16(fmt, w.extensible ? 0xFFFE : w.tag);
    put16(fmt, w.channels);
    put32(fmt, static_cast<uint32_t>(w.rate));
    put32(fmt, static_cast<uint32_t>(w.rate * w.channels * w.bits / 8));
    put16(fmt, w.channels * w.bits / 8);
    put16(fmt, w.bits);
    if (w.extensible) {
        put16(fmt, 22);
        put16(fmt, w.bits);
        put32(fmt, 3);
        put16(fmt, w.tag); // the sub-format GUID starts with the real tag
        fmt += std::string(14, '\x01');
    }
    std::string body = "WAVE";
    body += "fmt ";
    put32(body, static_cast<uint32_t>(fmt.size()));
    body += fmt;
    body += "data";
    put32(body, static_cast<uint32_t>(w.data.size()));
    body += w.data;
    std::string out = "RIFF";
    put32(out, static_cast<uint32_t>(body.size()));
    return out + body;
}

std::string samples16(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        put16(s, v);
    return s;
}

// A wave that is not PCM, or not a wave at all, is refused with a reason the
// load box can show; PCM in every common depth is read.
TEST(WaveFiles, acceptsPcmOnlyWithAReason) {
    struct Case {
        const char* name;
        std::string bytes;
        bool ok;
    };
    const std::vector<Case> cases = {
        {"pcm16", wave({.data = samples16({0, 16384, -32768})}), true},
        {"pcm8", wave({.bits = 8, .data = "\x80\xff"}), true},
        {"pcm24 stereo", wave({.channels = 2, .bits = 24, .data = std::string(12, '\0')}), true},
        {"extensible pcm", wave({.data = samples16({1, 2}), .extensible = true}), true},
        {"float", wave({.tag = 3, .bits = 32, .data = std::string(8, '\0')}), false},
        {"extensible float", wave({.tag = 3, .bits = 32, .data = std::string(8, '\0'), .extensible = true}),
         false},
        {"adpcm", wave({.tag = 2, .bits = 4, .data = "ab"}), false},
        {"12-bit", wave({.bits = 12, .data = "ab"}), false},
        {"rate 0", wave({.rate = 0, .data = "ab"}), false},
        {"not riff", "RIFX0000WAVE", false},
        {"empty", "", false},
        {"no data chunk", wave({}).substr(0, 36), false},
    };
    for (const Case& c : cases) {
        WaveData data;
        const std::string reason = parseWave(c.bytes, data);
        EXPECT_EQ(reason.empty(), c.ok) << c.name << ": " << reason;
    }
}

// Samples keep their sign and scale, and a data chunk that claims more than
// the file holds yields what is there instead of reading past the end.
TEST(WaveFiles, samplesScaledAndTruncatedChunksKept) {
    WaveData data;
    ASSERT_EQ(parseWave(wave({.data = samples16({0, 16384, -32768})}), data), "");
    ASSERT_EQ(data.samples.size(), 3u);
    EXPECT_FLOAT_EQ(data.samples[1], 0.5f);
    EXPECT_FLOAT_EQ(data.samples[2], -1.0f);

    std::string cut = wave({.data = samples16({100, 200, 300, 400})});
    cut.resize(cut.size() - 3); // the last sample and a half are gone
    ASSERT_EQ(parseWave(cut, data), "");
    EXPECT_EQ(data.samples.size(), 2u);
}

// Mono plays on both sides, and the rate is converted to the device's.
TEST(WaveFiles, stereoAtTheDeviceRate) {
    WaveData mono;
    mono.channels = 1;
    mono.sampleRate = 11025;
    mono.samples = {0.5f, 0.5f, 0.5f, 0.5f};
    const std::vector<float> out = toStereo(mono, 22050);
    ASSERT_EQ(out.size(), 16u); // twice the frames, two channels each
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[1], 0.5f);
}

std::vector<float> mixFrames(SoundMixer& mixer, std::size_t frames) {
    std::vector<float> out(frames * 2);
    mixer.mix(out.data(), frames);
    return out;
}

// A number restarts from its start when played again while it still plays.
TEST(Mixer, replayingRestartsFromTheStart) {
    SoundMixer mixer(2);
    mixer.setBuffer(1, {0.1f, 0.1f, 0.2f, 0.2f, 0.3f, 0.3f});
    mixer.play(1);
    EXPECT_FLOAT_EQ(mixFrames(mixer, 2)[2], 0.2f);
    mixer.play(1);
    const auto again = mixFrames(mixer, 3);
    EXPECT_FLOAT_EQ(again[0], 0.1f);
    EXPECT_FLOAT_EQ(again[4], 0.3f);
    EXPECT_FALSE(mixer.playing(1));
    EXPECT_FLOAT_EQ(mixFrames(mixer, 1)[0], 0.0f);
}

// Different numbers sound together, clipped rather than wrapped.
TEST(Mixer, differentNumbersOverlap) {
    SoundMixer mixer(3);
    mixer.setBuffer(1, {0.25f, 0.25f, 0.9f, 0.9f});
    mixer.setBuffer(2, {0.5f, -0.5f, 0.9f, 0.9f});
    mixer.play(1);
    mixer.play(2);
    const auto out = mixFrames(mixer, 2);
    EXPECT_FLOAT_EQ(out[0], 0.75f);
    EXPECT_FLOAT_EQ(out[1], -0.25f);
    EXPECT_FLOAT_EQ(out[2], 1.0f);
}

// An empty buffer or a number beyond the table is silently ignored.
TEST(Mixer, emptyOrUnknownNumbersStaySilent) {
    SoundMixer mixer(2);
    for (int index : {0, 2, 3, -1}) {
        mixer.play(index);
        EXPECT_FALSE(mixer.playing(index)) << index;
    }
    mixer.setBuffer(5, {1.0f, 1.0f});
    EXPECT_FLOAT_EQ(mixFrames(mixer, 1)[0], 0.0f);
}

} // namespace
} // namespace gf
