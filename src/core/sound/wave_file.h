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

// Sound effects last a second or two; a larger file is no sound of ours.
inline constexpr std::size_t kMaxWaveFile = 16 * 1024 * 1024;

// Empty on success, else why the bytes are no PCM wave.
std::string parseWave(const std::string& bytes, WaveData& out);

// The file read and parsed: empty on success, else why, naming the file.
std::string readWaveFile(const std::string& path, WaveData& out);

// Stereo frames at `rate`: mono doubled, further channels dropped, the rate
// converted by linear interpolation.
std::vector<float> toStereo(const WaveData& wave, int rate);

} // namespace gf
