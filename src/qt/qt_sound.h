#pragma once
// Sound through one audio stream fed by a small mixer.
#include "platform/sound_out.h"
#include "sound_mixer.h"

#include <QAudioFormat>
#include <QIODevice>

#include <memory>

class QAudioSink;

namespace gf {

// The stream the audio sink pulls: the mixer's output in the device's format.
class MixerDevice : public QIODevice {
    Q_OBJECT
public:
    MixerDevice(SoundMixer& mixer, const QAudioFormat& format);
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    SoundMixer& mixer_;
    QAudioFormat format_;
    std::vector<float> scratch_;
};

class QtSound : public SoundOut {
public:
    QtSound();
    ~QtSound() override;
    bool init(int count) override;
    std::string load(const std::string& path, int index) override;
    void play(int index) override;

private:
    SoundMixer mixer_;
    QAudioFormat format_;
    std::unique_ptr<MixerDevice> device_;
    std::unique_ptr<QAudioSink> sink_;
};

} // namespace gf
