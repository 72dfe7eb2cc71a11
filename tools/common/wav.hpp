#pragma once

#include <cstdint>
#include <vector>

namespace gloamfell::tools {

inline constexpr int kSampleRate = 22050;

// 16-bit PCM stereo RIFF/WAVE; both channels carry the same signal.
// Samples are in [-1, 1] and are clamped to that range.
std::vector<std::uint8_t> encodeWav(const std::vector<double>& mono);

} // namespace gloamfell::tools
