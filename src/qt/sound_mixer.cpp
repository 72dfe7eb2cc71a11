#include "sound_mixer.h"

#include <algorithm>
#include <cmath>

namespace gf {

void SoundMixer::reset(int count) {
    std::lock_guard lock(mutex_);
    voices_.assign(static_cast<std::size_t>(std::max(count, 0)), Voice{});
}

SoundMixer::Voice* SoundMixer::voice(int index) {
    if (index < 1 || static_cast<std::size_t>(index) > voices_.size()) return nullptr;
    return &voices_[static_cast<std::size_t>(index - 1)];
}

void SoundMixer::setBuffer(int index, std::vector<float> stereo) {
    std::lock_guard lock(mutex_);
    if (Voice* v = voice(index)) *v = Voice{std::move(stereo)}; // silent until played
}

void SoundMixer::play(int index) {
    std::lock_guard lock(mutex_);
    Voice* v = voice(index);
    if (!v || v->frames.empty()) return;
    v->cursor = 0;
    v->active = true;
}

bool SoundMixer::playing(int index) const {
    std::lock_guard lock(mutex_);
    if (index < 1 || static_cast<std::size_t>(index) > voices_.size()) return false;
    return voices_[static_cast<std::size_t>(index - 1)].active;
}

void SoundMixer::setGain(float gain) {
    std::lock_guard lock(mutex_);
    gain_ = std::isnan(gain) ? 1.0f : std::clamp(gain, 0.0f, 1.0f);
}

void SoundMixer::mix(float* out, std::size_t frames) {
    std::fill(out, out + frames * 2, 0.0f);
    std::lock_guard lock(mutex_);
    for (Voice& v : voices_) {
        if (!v.active) continue;
        const std::size_t n = std::min(frames * 2, v.frames.size() - v.cursor);
        for (std::size_t i = 0; i < n; ++i)
            out[i] += v.frames[v.cursor + i];
        v.cursor += n;
        if (v.cursor >= v.frames.size()) v.active = false;
    }
    for (std::size_t i = 0; i < frames * 2; ++i)
        out[i] = std::clamp(out[i] * gain_, -1.0f, 1.0f);
}

} // namespace gf
