#include "sound/wave_file.h"

#include "util/failure.h"
#include "util/files.h"

#include <algorithm>

namespace gf {

namespace {

uint32_t le32(const std::string& b, std::size_t at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}

uint16_t le16(const std::string& b, std::size_t at) {
    return static_cast<uint16_t>(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr uint32_t kMinRate = 1000;
constexpr uint32_t kMaxRate = 384000;
// Effects are short; a longer file is cut rather than filling memory.
constexpr double kMaxSeconds = 30;

float sampleAt(const char* p, int bytes) {
    switch (bytes) {
    case 1:
        return (static_cast<float>(uint8_t(p[0])) - 128.0f) / 128.0f;
    case 2:
        return static_cast<float>(int16_t(uint8_t(p[0]) | uint8_t(p[1]) << 8)) / 32768.0f;
    case 3: {
        const int32_t v = int32_t(uint32_t(uint8_t(p[0])) << 8 | uint32_t(uint8_t(p[1])) << 16 |
                                  uint32_t(uint8_t(p[2])) << 24);
        return static_cast<float>(v) / 2147483648.0f;
    }
    default: {
        const int32_t v = int32_t(uint32_t(uint8_t(p[0])) | uint32_t(uint8_t(p[1])) << 8 |
                                  uint32_t(uint8_t(p[2])) << 16 | uint32_t(uint8_t(p[3])) << 24);
        return static_cast<float>(v) / 2147483648.0f;
    }
    }
}

} // namespace

std::string parseWave(const std::string& bytes, WaveData& out) {
    out = WaveData{};
    if (bytes.size() > kMaxWaveFile)
        return "Larger than the " + std::to_string(kMaxWaveFile / (1024 * 1024)) + " MiB a sound may have";
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return "Not a RIFF/WAVE file";
    bool haveFormat = false;
    int blockAlign = 0;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string id = bytes.substr(at, 4);
        const std::size_t size = le32(bytes, at + 4);
        const std::size_t body = at + 8;
        // A chunk claiming more than the file holds keeps what is there.
        const std::size_t available = std::min(size, bytes.size() - body);
        if (id == "fmt ") {
            if (available < 16) return "Broken fmt chunk";
            uint16_t tag = le16(bytes, body);
            if (tag == kFormatExtensible && available >= 26) tag = le16(bytes, body + 24);
            if (tag != kFormatPcm) return "Not PCM (format " + std::to_string(tag) + ")";
            out.channels = le16(bytes, body + 2);
            const uint32_t rate = le32(bytes, body + 4);
            if (rate < kMinRate || rate > kMaxRate) return "Unsupported sample rate " + std::to_string(rate);
            out.sampleRate = static_cast<int>(rate);
            blockAlign = le16(bytes, body + 12);
            out.bitsPerSample = le16(bytes, body + 14);
            if (out.channels < 1) return "Broken fmt chunk";
            if (out.bitsPerSample != 8 && out.bitsPerSample != 16 && out.bitsPerSample != 24 &&
                out.bitsPerSample != 32)
                return std::to_string(out.bitsPerSample) + "-bit samples are not supported";
            if (blockAlign < out.channels * out.bitsPerSample / 8) return "Broken fmt chunk";
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) return "Data before the fmt chunk";
            const int bytesPerSample = out.bitsPerSample / 8;
            const std::size_t frames = available / static_cast<std::size_t>(blockAlign);
            out.samples.resize(frames * static_cast<std::size_t>(out.channels));
            std::size_t k = 0;
            for (std::size_t f = 0; f < frames; ++f)
                for (int c = 0; c < out.channels; ++c)
                    out.samples[k++] =
                        sampleAt(bytes.data() + body + f * static_cast<std::size_t>(blockAlign) +
                                     static_cast<std::size_t>(c * bytesPerSample),
                                 bytesPerSample);
            return "";
        }
        at = body + size + (size & 1); // chunks are padded to even lengths
    }
    return haveFormat ? "No data chunk" : "No fmt chunk";
}

std::string readWaveFile(const std::string& path, WaveData& out) {
    out = WaveData{};
    try {
        const std::string why = parseWave(readDataFile(path, kMaxWaveFile), out);
        return why.empty() ? why : why + ": " + path;
    } catch (const Failure& f) {
        return f.what();
    }
}

std::vector<float> toStereo(const WaveData& wave, int rate) {
    const std::size_t channels = static_cast<std::size_t>(std::max(wave.channels, 1));
    const std::size_t frames = wave.samples.size() / channels;
    if (frames == 0 || rate < 1 || wave.sampleRate < 1) return {};
    auto at = [&](std::size_t frame, std::size_t channel) {
        return wave.samples[frame * channels + std::min(channel, channels - 1)];
    };
    const double step = static_cast<double>(wave.sampleRate) / rate;
    const auto outFrames =
        static_cast<std::size_t>(std::min(static_cast<double>(frames) / step, kMaxSeconds * rate));
    std::vector<float> out(outFrames * 2);
    for (std::size_t f = 0; f < outFrames; ++f) {
        const double pos = static_cast<double>(f) * step;
        const auto i = static_cast<std::size_t>(pos);
        const auto frac = static_cast<float>(pos - static_cast<double>(i));
        const std::size_t j = std::min(i + 1, frames - 1);
        for (std::size_t c = 0; c < 2; ++c)
            out[f * 2 + c] = at(i, c) + (at(j, c) - at(i, c)) * frac;
    }
    return out;
}

} // namespace gf
