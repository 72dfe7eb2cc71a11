#pragma once
// Numbered stereo buffers mixed into one stream: a number plays from its
// start, restarts when played again, and different numbers overlap.
#include <cstddef>
#include <mutex>
#include <vector>

namespace gf {

class SoundMixer {
public:
    explicit SoundMixer(int count = 0) { reset(count); }
    // `count` empty, silent buffers.
    void reset(int count);
    // Frames are interleaved left, right; an index outside 1..count is ignored.
    void setBuffer(int index, std::vector<float> stereo);
    void play(int index);
    bool playing(int index) const;
    // Scales the whole mix, 0 (silent) to 1; a value outside is held to that range.
    void setGain(float gain);
    // Writes `frames` stereo frames of the mix, silence where nothing plays.
    void mix(float* out, std::size_t frames);

private:
    struct Voice {
        std::vector<float> frames;
        std::size_t cursor = 0;
        bool active = false;
    };
    Voice* voice(int index);

    // The audio back end may pull from its own thread.
    mutable std::mutex mutex_;
    std::vector<Voice> voices_;
    float gain_ = 1.0f;
};

} // namespace gf
