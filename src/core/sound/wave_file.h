#pragma once
// Wave files for the mixer: RIFF/WAVE with PCM samples only.
#include <cstdint>
#include <string>
#include <vector>

namespace gf {

struct WaveData {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<float> samples; // interleaved, -1 to 1
};

// Empty on success, else why the bytes are no PCM wave.
std::string parseWave(const std::string& bytes, WaveData& out);

// Stereo frames at `rate`: mono doubled, further channels dropped, the rate
// converted by linear interpolation.
std::vector<float> toStereo(const WaveData& wave, int rate);

} // namespace gf
