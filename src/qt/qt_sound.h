#pragma once
// Sound through one audio stream fed by a small mixer, on a thread of its
// own so that nothing the window does can starve it.
#include "platform/sound_out.h"
#include "sound_mixer.h"

#include <QAudioFormat>
#include <QObject>
#include <QThread>

#include <memory>
#include <vector>

class QAudioDevice;
class QAudioSink;
class QIODevice;
class QTimer;

namespace gf {

// Writes `frames` frames of the mix into `out` in the device's sample format and channel count.
void encodeMix(SoundMixer& mixer, const QAudioFormat& format, char* out, std::size_t frames,
               std::vector<float>& scratch);

class QtSound : public SoundOut {
public:
    QtSound();
    ~QtSound() override;
    bool init(int count) override;
    std::string load(const std::string& path, int index) override;
    void play(int index) override;
    // 0 (silent) to 1 (as recorded).
    void setGain(float gain) { mixer_.setGain(gain); }
    // Why there is no sound, or empty while the stream runs.
    const std::string& offReason() const { return offReason_; }

private:
    std::string open();
    // These run on the sound thread only.
    bool startStream(const QAudioDevice& output, const QAudioFormat& format);
    void feed();
    void stopStream();

    SoundMixer mixer_;
    QAudioFormat format_;
    QThread thread_;
    QObject onThread_; // lives on thread_, so calls queued to it run there
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* stream_ = nullptr; // owned by sink_
    QTimer* feeder_ = nullptr;    // a child of onThread_
    std::vector<float> scratch_;
    std::vector<char> bytes_;
    std::string offReason_;
};

} // namespace gf
