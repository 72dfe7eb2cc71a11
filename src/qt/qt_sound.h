#pragma once
// Sound through one audio stream fed by a small mixer.
#include "platform/sound_out.h"
#include "sound_mixer.h"

#include <QAudioFormat>
#include <QTimer>

#include <memory>
#include <vector>

class QAudioSink;
class QIODevice;

namespace gf {

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
    void feed();

    SoundMixer mixer_;
    QAudioFormat format_;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* stream_ = nullptr; // owned by sink_
    QTimer feeder_;
    std::vector<float> scratch_;
    std::vector<char> bytes_;
    std::string offReason_;
};

} // namespace gf
