// The desktop's sound: wave files, the mixer, and sounds heard on a real PulseAudio server.
#include "app/keys.h"
#include "creatures/creature_table.h"
#include "items/item_table.h"
#include "qt_sound.h"
#include "sound/sound.h"
#include "sound/wave_file.h"
#include "test_game.h"
#include "wave_bytes.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

namespace gf {
namespace {

using namespace std::string_literals;
using namespace test;

// A sound with a value left just past its end in memory, so reading one sample too many is heard.
std::vector<float> sound(std::vector<float> stereo) {
    stereo.push_back(0.75f);
    stereo.pop_back();
    return stereo;
}

// Each voice plays its own sound whole and once from its start; sounds overlap and replaying restarts.
TEST(SoundMixer, voicesPlayTheirSoundWholeOnce) {
    struct Step {
        int play, mixed; // the voice played (0: none), the frames mixed after it
        std::vector<float> heard;
        const char* playing; // voices 0 to 4 afterwards
    };
    const std::pair<const char*, std::vector<Step>> cases[] = {
        {"whole then silent", {{1, 0, {}, "01000"}, {0, 3, {.125f, -.125f, .25f, -.25f, 0, 0}, "00000"}}},
        {"one sample", {{2, 0, {}, "00100"}, {0, 2, {.5f, .25f, 0, 0}, "00000"}}},
        {"in pieces",
         {{1, 1, {.125f, -.125f}, "01000"}, {0, 1, {.25f, -.25f}, "00000"}, {0, 1, {0, 0}, "00000"}}},
        {"overlap", {{1, 0, {}, "01000"}, {2, 2, {.625f, .125f, .25f, -.25f}, "00000"}}},
        {"restart", {{1, 1, {.125f, -.125f}, "01000"}, {1, 2, {.125f, -.125f, .25f, -.25f}, "00000"}}},
        {"nothing to play", {{0, 1, {0, 0}, "00000"}, {3, 1, {0, 0}, "00000"}, {4, 1, {0, 0}, "00000"}}}};
    for (const auto& [name, steps] : cases) {
        SoundMixer mixer(3);
        mixer.setBuffer(1, sound({.125f, -.125f, .25f, -.25f}));
        mixer.setBuffer(2, sound({.5f, .25f}));
        mixer.setBuffer(4, sound({.5f, .5f}));
        for (const Step& step : steps) {
            mixer.play(step.play);
            std::vector<float> out(static_cast<std::size_t>(step.mixed) * 2, 1.0f);
            mixer.mix(out.data(), static_cast<std::size_t>(step.mixed));
            std::string playing;
            for (int voice = 0; voice <= 4; ++voice)
                playing += mixer.playing(voice) ? '1' : '0';
            EXPECT_EQ(std::pair(out, playing), std::pair(step.heard, std::string(step.playing)))
                << name << ", playing " << step.play;
        }
    }
}

// The volume scales the whole mix, held to silence .. as recorded; mute is no gain; no voices, no sound.
TEST(SoundMixer, gainScalesTheMix) {
    const std::tuple<int, float, float> cases[] = {{1, 1.0f, 0.5f}, {1, 0.5f, 0.25f}, {1, 0.0f, 0.0f},
                                                   {1, 7.0f, 0.5f}, {1, -1.0f, 0.0f}, {1, NAN, 0.5f},
                                                   {0, 1.0f, 0.0f}};
    for (const auto& [voices, gain, heard] : cases) {
        SoundMixer mixer(voices);
        mixer.setBuffer(1, {0.5f, -0.5f});
        mixer.setGain(gain);
        mixer.play(1);
        float out[2];
        mixer.mix(out, 1);
        EXPECT_EQ(std::pair(out[0], out[1]), std::pair(heard, -heard)) << gain;
    }
}

// Each sample format a device may ask for gets the mix at full scale: one channel takes the mean of
// both sides, a third is silent, and nothing is written past the frames asked for.
TEST(SoundMixer, theMixIsEncodedInTheDevicesFormat) {
    using F = QAudioFormat;
    const std::tuple<F::SampleFormat, int, std::vector<uint8_t>> cases[] = {
        {F::UInt8, 2, {0xC0, 0x60}},
        {F::Int16, 2, {0x00, 0x40, 0x00, 0xE0}},
        {F::Int32, 1, {0x00, 0x00, 0x00, 0x10}},
        {F::Float, 3, {0, 0, 0, 0x3F, 0, 0, 0x80, 0xBE, 0, 0, 0, 0}}};
    for (const auto& [sampleFormat, channels, bytes] : cases) {
        SoundMixer mixer(1);
        mixer.setBuffer(1, {0.5f, -0.25f});
        mixer.play(1);
        F format;
        format.setSampleFormat(sampleFormat);
        format.setChannelCount(channels);
        std::vector<uint8_t> out(bytes.size() + 4, 0x5A);
        std::vector<float> scratch;
        encodeMix(mixer, format, reinterpret_cast<char*>(out.data()), 1, scratch);
        EXPECT_EQ(std::pair(std::vector(out.begin(), out.end() - 4), std::vector(out.end() - 4, out.end())),
                  std::pair(bytes, std::vector<uint8_t>(4, 0x5A)))
            << sampleFormat;
    }
}

constexpr int kRate = 44100;
constexpr int kBlockBytes = kRate / 100 * 4; // ten milliseconds of 16-bit stereo

// A private server with one null sink on its own socket in `dir`, runnable as root (as CI is); it outlives
// this process, as Qt's audio engine must not see it die. Empty when it runs, else why not.
std::string startPulse(const QString& dir) {
    QProcess shell;
    shell.setWorkingDirectory(dir);
    shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral(R"(
        command -v pulseaudio >/dev/null && command -v parec >/dev/null ||
            { echo 'pulseaudio or parec is not installed (scripts/deps.sh installs them)'; exit 1; }
        HOME=$PWD XDG_RUNTIME_DIR=$PWD PULSE_RUNTIME_PATH=$PWD XDG_CONFIG_HOME=$PWD pulseaudio -n \
            --daemonize=no --system=no --exit-idle-time=20 --use-pid-file=no --disable-shm=yes \
            --load="module-native-protocol-unix auth-anonymous=1 socket=$PWD/native" \
            --load="module-null-sink sink_name=gf rate=%1" </dev/null >server.log 2>&1 &
        for i in $(seq 100); do [ -S native ] && exit 0; sleep 0.1; done
        echo 'pulseaudio did not start:'; cat server.log; exit 1)")
                                                                 .arg(kRate)});
    shell.waitForFinished(20000);
    return shell.exitCode() == 0 ? "" : shell.readAllStandardOutput().toStdString();
}

bool audible(const QByteArray& recorded, qsizetype block) {
    const auto* samples = reinterpret_cast<const int16_t*>(recorded.constData() + block * kBlockBytes);
    return std::any_of(samples, samples + kBlockBytes / 2, [](int16_t s) { return std::abs(s) >= 300; });
}

// Blocks of ten milliseconds where a run of sound starts after at least 50 ms of silence.
std::vector<qsizetype> onsets(const QByteArray& recorded) {
    std::vector<qsizetype> starts;
    int quiet = 5;
    for (qsizetype block = 0; (block + 1) * kBlockBytes <= recorded.size(); ++block) {
        const bool heard = audible(recorded, block);
        if (heard && quiet >= 5) starts.push_back(block);
        quiet = heard ? 0 : quiet + 1;
    }
    return starts;
}

// Blocks of sound from `block` up to the first silent one.
qsizetype runFrom(const QByteArray& recorded, qsizetype block) {
    qsizetype end = block;
    while ((end + 1) * kBlockBytes <= recorded.size() && audible(recorded, end))
        ++end;
    return end - block;
}

// A key's sound reaches the speakers, not only the mixer, and plays whole while the window stalls.
TEST(PulseSound, stepAndDoorAreHeardOnTheServerAndAStallCutsNoSound) {
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/gloamfell-pulse-XXXXXX"));
    dir.setAutoRemove(false);
    if (const std::string why = startPulse(dir.path()); !why.empty()) {
        // CI asks for the server, so a broken set-up there fails instead of skipping.
        if (qEnvironmentVariableIsSet("GLOAMFELL_REQUIRE_PULSE")) FAIL() << why;
        GTEST_SKIP() << "no PulseAudio server: " << why;
    }
    // Before the first use of the audio devices, so Qt and parec connect to this server.
    qputenv("PULSE_SERVER", ("unix:" + dir.path() + "/native").toUtf8());

    test::TestGame t;
    for (const auto& file : std::filesystem::directory_iterator(GLOAMFELL_DATA_DIR))
        if (file.path().extension() == ".wav") t.copyData(file.path().filename().string());
    QtSound sound;
    Game game(Platform{t.io.clock, t.io.random, t.io.window, sound, t.io.canvas}, t.folder.string());
    test::prepareEmptyLevel(t, game);
    loadSounds(game);
    ASSERT_TRUE(game.sounds.enabled) << sound.offReason();
    game.creatures.current = addCreature(game, 0, 50, 50);
    game.creatures(game.creatures.current).facing = 6;
    addItem(game, ItemId::DoorClosedEW, 52, 50);

    // Straight to a file: a pipe read by this thread would fill while the test stalls it.
    const QString recording = dir.filePath(QStringLiteral("recording.raw"));
    QProcess parec;
    parec.setStandardOutputFile(recording);
    const auto blocks = [&] { return QFileInfo(recording).size() / kBlockBytes; };
    parec.startCommand(
        QStringLiteral(
            "parec --device=gf.monitor --raw --format=s16le --channels=2 --rate=%1 --latency-msec=10")
            .arg(kRate));
    ASSERT_TRUE(QTest::qWaitFor([&] { return blocks() > 0; }, 5000)) << "parec recorded nothing";
    QThread::msleep(300);
    // What was recorded lags the keys, so a sound can start only at or after its key's block.
    std::vector<qsizetype> pressedAt;
    for (const int time : {100, 101}) { // a step, then the door ahead opens
        pressedAt.push_back(blocks());
        t.io.clock.time = time;
        onKeyDown(game, Key::Up, 0);
        QTest::qWait(time == 100 ? 600 : 900);
    }
    EXPECT_EQ(game.creatures(game.creatures.current).x, 51);

    // A 600 ms tone audible in every block, stalled soon after it starts; its right is minus half its left.
    std::string tone;
    const auto at = [](int i) { return std::lround(4000 * std::sin(i * 2 * M_PI * 441 / kRate)); };
    for (int i = 0; i < kRate * 3 / 5; ++i)
        tone += le(2 * at(i), 2) + le(-at(i), 2);
    const std::string tonePath = dir.filePath(QStringLiteral("tone.wav")).toStdString();
    std::ofstream(tonePath, std::ios::binary) << wave({.channels = 2, .rate = kRate}, tone);
    ASSERT_EQ(sound.load(tonePath, 1), "");
    pressedAt.push_back(blocks());
    sound.play(1);
    QTest::qWait(100);
    QThread::msleep(300);
    QTest::qWait(1000);

    parec.terminate();
    parec.waitForFinished(3000);
    QFile file(recording);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray recorded = file.readAll();
    const std::vector<qsizetype> heard = onsets(recorded);
    ASSERT_EQ(heard.size(), 3u) << "expected the step, the door and the tone, each once; heard at blocks "
                                << ::testing::PrintToString(heard);
    EXPECT_EQ(std::vector({heard[0] >= pressedAt[0], heard[0] < pressedAt[1], heard[1] >= pressedAt[1],
                           heard[2] >= pressedAt[2]}),
              std::vector(4, true));
    EXPECT_NEAR(runFrom(recorded, heard[2]), 60, 1) << "the tone was cut or broken";
    const auto* frame = reinterpret_cast<const int16_t*>(recorded.constData() + heard[2] * kBlockBytes);
    int misplaced = 0;
    for (int i = 0; i < 50 * kBlockBytes / 2; i += 2)
        misplaced += std::abs(frame[i] + 2 * frame[i + 1]) > 40;
    EXPECT_EQ(misplaced, 0) << "the tone's channels were not where it put them";
}

} // namespace
} // namespace gf
