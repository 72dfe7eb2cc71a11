#include "wav.hpp"

#include <algorithm>
#include <cmath>

namespace gloamfell::tools {

namespace {

void put(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void tag(std::vector<std::uint8_t>& out, const char* t) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(t[i]));
}

} // namespace

std::vector<std::uint8_t> encodeWav(const std::vector<double>& mono) {
    constexpr std::uint32_t channels = 2, bits = 16;
    constexpr std::uint32_t blockAlign = channels * bits / 8;
    const auto dataBytes = static_cast<std::uint32_t>(mono.size() * blockAlign);

    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    tag(out, "RIFF");
    put(out, 36 + dataBytes, 4);
    tag(out, "WAVE");
    tag(out, "fmt ");
    put(out, 16, 4);
    put(out, 1, 2); // PCM
    put(out, channels, 2);
    put(out, kSampleRate, 4);
    put(out, kSampleRate * blockAlign, 4);
    put(out, blockAlign, 2);
    put(out, bits, 2);
    tag(out, "data");
    put(out, dataBytes, 4);
    for (double s : mono) {
        const auto v = static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0, 1.0) * 32767.0));
        for (std::uint32_t c = 0; c < channels; ++c)
            put(out, static_cast<std::uint16_t>(v), 2);
    }
    return out;
}

} // namespace gloamfell::tools
