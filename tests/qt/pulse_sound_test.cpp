// The desktop's sound on a real PulseAudio server: a step and a door are
// heard on a null sink, recorded from its monitor.
#include "creatures/creature_table.h"
#include "items/item.h"
#include "items/item_table.h"
#include "qt_sound.h"
#include "shell/keys.h"
#include "sound/sound.h"
#include "test_game.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace gf {
namespace {

constexpr int kRate = 44100;
constexpr int kFrameBytes = 4; // 16-bit stereo
constexpr int kBlockFrames = kRate / 100;

void spin(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A private server with one null sink, reachable only through its own socket;
// the flags let it run as root, as CI does. It is detached and leaves by
// itself once idle, after this process has gone: Qt's audio engine lives until
// the process ends and must not see its server die under it.
class PulseServer {
public:
    PulseServer() {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (program.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty()) {
            why = "pulseaudio or parec is not installed (scripts/deps.sh installs them)";
            return;
        }
        dir.setAutoRemove(false);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"HOME", "XDG_RUNTIME_DIR", "PULSE_RUNTIME_PATH", "XDG_CONFIG_HOME"})
            env.insert(QString::fromLatin1(name), dir.path());
        QProcess server;
        server.setProcessEnvironment(env);
        server.setProgram(program);
        server.setArguments(
            {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--system=no"),
             QStringLiteral("--exit-idle-time=20"), QStringLiteral("--use-pid-file=no"),
             QStringLiteral("--disable-shm=yes"),
             QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + socket(),
             QStringLiteral("--load=module-null-sink sink_name=gf rate=44100")});
        server.setStandardOutputFile(log());
        server.setStandardErrorFile(log());
        qint64 pid = 0;
        if (!server.startDetached(&pid)) {
            why = "pulseaudio could not be started";
            return;
        }
        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(socket()) && waited.elapsed() < 10000 &&
               ::kill(static_cast<pid_t>(pid), 0) == 0)
            spin(50);
        if (QFile::exists(socket())) return;
        QFile output(log());
        output.open(QIODevice::ReadOnly);
        why = "pulseaudio did not start: " + output.readAll().toStdString();
    }
    QString socket() const { return dir.filePath(QStringLiteral("native")); }
    QString address() const { return QStringLiteral("unix:") + socket(); }

    std::string why;

private:
    QString log() const { return dir.filePath(QStringLiteral("server.log")); }
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/gloamfell-pulse-XXXXXX")};
};

// 16-bit samples from the sink's monitor, as they arrive.
class Recorder {
public:
    explicit Recorder(const PulseServer& pulse) {
        parec.start(QStringLiteral("parec"),
                    {QStringLiteral("--server=") + pulse.address(), QStringLiteral("--device=gf.monitor"),
                     QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                     QStringLiteral("--channels=2"), QStringLiteral("--rate=%1").arg(kRate),
                     QStringLiteral("--latency-msec=10")});
        QElapsedTimer waited;
        waited.start();
        while (bytes.isEmpty() && waited.elapsed() < 5000) {
            spin(20);
            collect();
        }
    }
    ~Recorder() {
        parec.terminate();
        parec.waitForFinished(3000);
    }
    void collect() { bytes += parec.readAllStandardOutput(); }
    qsizetype frames() {
        collect();
        return bytes.size() / kFrameBytes;
    }
    // The loudest sample of each block of ten milliseconds.
    std::vector<int> blockPeaks() {
        collect();
        std::vector<int> peaks;
        const qsizetype samples = bytes.size() / 2;
        for (qsizetype at = 0; at + kBlockFrames * 2 <= samples; at += kBlockFrames * 2) {
            int peak = 0;
            for (qsizetype i = at; i < at + kBlockFrames * 2; ++i) {
                int16_t s = 0;
                std::memcpy(&s, bytes.constData() + i * 2, 2);
                peak = std::max(peak, std::abs(int{s}));
            }
            peaks.push_back(peak);
        }
        return peaks;
    }

    QProcess parec;
    QByteArray bytes;
};

// Blocks where a run of sound starts after at least 50 ms of silence.
std::vector<qsizetype> onsets(const std::vector<int>& peaks) {
    constexpr int kAudible = 300;
    std::vector<qsizetype> starts;
    int quiet = 5;
    for (std::size_t i = 0; i < peaks.size(); ++i) {
        if (peaks[i] < kAudible) {
            ++quiet;
            continue;
        }
        if (quiet >= 5) starts.push_back(static_cast<qsizetype>(i));
        quiet = 0;
    }
    return starts;
}

TEST(PulseSound, stepAndDoorAreHeardOnTheServer) {
    PulseServer pulse;
    if (!pulse.why.empty()) {
        // CI asks for the server, so a broken set-up there fails instead of skipping.
        if (qEnvironmentVariableIsSet("GLOAMFELL_REQUIRE_PULSE")) FAIL() << pulse.why;
        GTEST_SKIP() << "no PulseAudio server: " << pulse.why;
    }
    // Before the first use of the audio devices, so Qt connects to this server.
    qputenv("PULSE_SERVER", pulse.address().toUtf8());

    test::TestGame t;
    for (const char* wave : {"caneswish", "punch", "walk", "dooropen", "doorclose", "mouse", "ow", "beep1",
                             "beep2", "snakehiss", "whistleup", "whistledown", "ready"})
        t.copyData(std::string(wave) + ".wav");
    QtSound sound;
    Game game(Platform{t.io.clock, t.io.random, t.io.window, sound, t.io.canvas}, t.folder.string());
    test::prepareEmptyLevel(t, game);
    modSound_Init(game);
    ASSERT_TRUE(game.SoundEnabled) << sound.offReason();
    game.CurrentPlayer = modPlayer_Add(game, 0, 50, 50);
    game.player(game.CurrentPlayer).Facing = 6;
    modItem_Add(game, ItemId::DoorClosedEW, 52, 50);

    Recorder recorder(pulse);
    ASSERT_GT(recorder.frames(), 0) << "parec recorded nothing";
    spin(300);
    const qsizetype stepAt = recorder.frames() / kBlockFrames;
    t.io.clock.time = 100;
    Form_KeyDown(game, Key::Up, 0);
    spin(600);
    const qsizetype doorAt = recorder.frames() / kBlockFrames;
    t.io.clock.time = 101;
    Form_KeyDown(game, Key::Up, 0);
    spin(900);
    EXPECT_EQ(game.player(game.CurrentPlayer).X, 51);

    // What was recorded before a key was pressed lags the key, so sounds can
    // only start at or after the block each key press was seen in.
    const std::vector<qsizetype> heard = onsets(recorder.blockPeaks());
    ASSERT_EQ(heard.size(), 2u) << "expected the step and the door";
    EXPECT_GE(heard[0], stepAt);
    EXPECT_LT(heard[0], doorAt);
    EXPECT_GE(heard[1], doorAt);
    std::cerr << "step heard " << (heard[0] - stepAt) * 10 << " ms and door " << (heard[1] - doorAt) * 10
              << " ms after the key, as recorded\n";
}

} // namespace
} // namespace gf
