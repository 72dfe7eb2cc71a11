#include "qt_sound.h"

#include "qt_text.h"
#include "sound/wave_file.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iostream>

namespace gf {

namespace {
// The stream is kept full, so this is most of the delay from key to sound;
// PulseAudio keeps about two thirds of it in the stream, the rest in the sink.
// Less runs dry on a loaded machine whenever the feeder is woken late.
constexpr int kBufferMs = 120;
constexpr int kFeedMs = 5;

void putSample(char* at, float v, QAudioFormat::SampleFormat format) {
    switch (format) {
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
} // namespace

void encodeMix(SoundMixer& mixer, const QAudioFormat& format, char* out, std::size_t frames,
               std::vector<float>& scratch) {
    const auto frameBytes = static_cast<std::size_t>(format.bytesPerFrame());
    const auto sampleBytes = static_cast<std::size_t>(format.bytesPerSample());
    const int channels = format.channelCount();
    scratch.resize(frames * 2);
    mixer.mix(scratch.data(), frames);
    for (std::size_t f = 0; f < frames; ++f) {
        const float left = scratch[f * 2];
        const float right = scratch[f * 2 + 1];
        for (int c = 0; c < channels; ++c) {
            const float v = channels == 1 ? (left + right) / 2 : c == 0 ? left : c == 1 ? right : 0.0f;
            putSample(out + f * frameBytes + static_cast<std::size_t>(c) * sampleBytes, v,
                      format.sampleFormat());
        }
    }
}

QtSound::QtSound() {
    thread_.setObjectName(QStringLiteral("sound"));
    onThread_.moveToThread(&thread_);
}

QtSound::~QtSound() {
    if (thread_.isRunning()) {
        QMetaObject::invokeMethod(
            &onThread_, [this] { stopStream(); }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }
}

bool QtSound::init(int count) {
    mixer_.reset(count);
    offReason_ = open();
    if (offReason_.empty()) return true;
    std::cerr << "gloamfell: sound is off: " << offReason_ << '\n';
    return false;
}

std::string QtSound::open() {
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) return "no audio output device";
    QAudioFormat format;
    format.setSampleRate(output.preferredFormat().sampleRate() > 0 ? output.preferredFormat().sampleRate()
                                                                   : 44100);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!output.isFormatSupported(format)) format = output.preferredFormat();
    if (format.sampleRate() < 1 || format.channelCount() < 1 ||
        format.sampleFormat() == QAudioFormat::Unknown)
        return "the device \"" + fromQt(output.description()) + "\" offers no usable format";

    if (!thread_.isRunning()) thread_.start();
    bool started = false;
    QMetaObject::invokeMethod(
        &onThread_, [&] { started = startStream(output, format); }, Qt::BlockingQueuedConnection);
    if (!started) return "the device \"" + fromQt(output.description()) + "\" cannot be opened";
    return "";
}

bool QtSound::startStream(const QAudioDevice& output, const QAudioFormat& format) {
    stopStream();
    format_ = format;
    sink_ = std::make_unique<QAudioSink>(output, format_);
    sink_->setBufferSize(format_.bytesForDuration(kBufferMs * 1000));
    // We push rather than let the sink pull: pulled, it feeds whole periods only and
    // can stop just short of the amount PulseAudio waits for before it starts.
    stream_ = sink_->start();
    if (!stream_ || sink_->error() != QAudio::NoError) {
        stopStream();
        return false;
    }
    feeder_ = new QTimer(&onThread_);
    feeder_->setTimerType(Qt::PreciseTimer);
    QObject::connect(feeder_, &QTimer::timeout, [this] { feed(); });
    feed();
    feeder_->start(kFeedMs);
    return true;
}

void QtSound::stopStream() {
    delete feeder_;
    feeder_ = nullptr;
    if (sink_) sink_->stop();
    sink_.reset();
    stream_ = nullptr;
}

void QtSound::feed() {
    if (!stream_) return;
    const qint64 frameBytes = format_.bytesPerFrame();
    const qint64 frames = sink_->bytesFree() / frameBytes;
    if (frames <= 0) return;
    bytes_.resize(static_cast<std::size_t>(frames * frameBytes));
    encodeMix(mixer_, format_, bytes_.data(), static_cast<std::size_t>(frames), scratch_);
    stream_->write(bytes_.data(), frames * frameBytes);
}

std::string QtSound::load(const std::string& path, int index) {
    WaveData wave;
    if (std::string why = readWaveFile(path, wave); !why.empty()) return why;
    mixer_.setBuffer(index, toStereo(wave, format_.sampleRate()));
    return "";
}

void QtSound::play(int index) {
    mixer_.play(index);
}

} // namespace gf
