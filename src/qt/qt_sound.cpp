#include "qt_sound.h"

#include "qt_text.h"
#include "sound/wave_file.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>

#include <algorithm>
#include <cstring>

namespace gf {

namespace {
constexpr qint64 kMaxWaveBytes = 16 * 1024 * 1024;
constexpr int kLatencyMs = 40;
} // namespace

MixerDevice::MixerDevice(SoundMixer& mixer, const QAudioFormat& format) : mixer_(mixer), format_(format) {}

qint64 MixerDevice::bytesAvailable() const {
    // An endless stream: silence when nothing plays keeps the sink running.
    return format_.bytesForDuration(kLatencyMs * 1000) + QIODevice::bytesAvailable();
}

qint64 MixerDevice::readData(char* data, qint64 maxSize) {
    const int frameBytes = format_.bytesPerFrame();
    const int channels = format_.channelCount();
    const auto frames = static_cast<std::size_t>(maxSize / frameBytes);
    scratch_.resize(frames * 2);
    mixer_.mix(scratch_.data(), frames);
    const int sampleBytes = format_.bytesPerSample();
    for (std::size_t f = 0; f < frames; ++f) {
        const float left = scratch_[f * 2];
        const float right = scratch_[f * 2 + 1];
        for (int c = 0; c < channels; ++c) {
            const float v = channels == 1 ? (left + right) / 2 : c == 0 ? left : c == 1 ? right : 0.0f;
            char* at =
                data + f * static_cast<std::size_t>(frameBytes) + static_cast<std::size_t>(c * sampleBytes);
            switch (format_.sampleFormat()) {
            case QAudioFormat::UInt8: {
                const auto s = static_cast<uint8_t>(std::lround(v * 127.0f) + 128);
                std::memcpy(at, &s, 1);
                break;
            }
            case QAudioFormat::Int32: {
                const auto s = static_cast<int32_t>(std::lround(static_cast<double>(v) * 2147483647.0));
                std::memcpy(at, &s, 4);
                break;
            }
            case QAudioFormat::Float:
                std::memcpy(at, &v, 4);
                break;
            default: {
                const auto s = static_cast<int16_t>(std::lround(v * 32767.0f));
                std::memcpy(at, &s, 2);
                break;
            }
            }
        }
    }
    return static_cast<qint64>(frames) * frameBytes;
}

QtSound::QtSound() = default;

QtSound::~QtSound() {
    if (sink_) sink_->stop();
}

bool QtSound::init(int count) {
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) return false;
    QAudioFormat format;
    format.setSampleRate(output.preferredFormat().sampleRate() > 0 ? output.preferredFormat().sampleRate()
                                                                   : 44100);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!output.isFormatSupported(format)) format = output.preferredFormat();
    if (format.sampleRate() < 1 || format.channelCount() < 1 ||
        format.sampleFormat() == QAudioFormat::Unknown)
        return false;

    format_ = format;
    mixer_.reset(count);
    device_ = std::make_unique<MixerDevice>(mixer_, format_);
    device_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(output, format_);
    sink_->setBufferSize(format_.bytesForDuration(kLatencyMs * 1000));
    sink_->start(device_.get());
    return sink_->error() == QAudio::NoError;
}

std::string QtSound::load(const std::string& path, int index) {
    QFile file(pathToQt(path));
    if (!file.open(QIODevice::ReadOnly)) return "File not found: " + path;
    if (file.size() > kMaxWaveBytes) return "File too large: " + path;
    WaveData wave;
    const std::string reason = parseWave(file.readAll().toStdString(), wave);
    if (!reason.empty()) return reason;
    mixer_.setBuffer(index, toStereo(wave, format_.sampleRate()));
    return "";
}

void QtSound::play(int index) {
    mixer_.play(index);
}

} // namespace gf
