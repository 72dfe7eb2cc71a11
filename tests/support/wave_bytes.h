#pragma once
// Wave files byte by byte, for the readers' tests and the sound server's.
#include "test_game.h"

#include <string>

namespace gf::test {

inline std::string chunk(const std::string& id, const std::string& body) {
    return id + le(static_cast<int64_t>(body.size()), 4) + body + std::string(body.size() % 2, '\0');
}

inline std::string riff(const std::string& chunks) {
    return "RIFF" + le(static_cast<int64_t>(chunks.size()) + 4, 4) + "WAVE" + chunks;
}

struct Fmt {
    int tag = 1, channels = 1, rate = 22050, bits = 16;
    int align = 0; // 0: as the channels and bits need
    bool extensible = false;
};

inline std::string wave(const Fmt& f, const std::string& data) {
    const int align = f.align ? f.align : f.channels * f.bits / 8;
    std::string fmt = le(f.extensible ? 0xFFFE : f.tag, 2) + le(f.channels, 2) + le(f.rate, 4) +
                      le(f.rate * align, 4) + le(align, 2) + le(f.bits, 2);
    if (f.extensible) // the sub-format GUID starts with the real tag
        fmt += le(22, 2) + le(f.bits, 2) + le(3, 4) + le(f.tag, 2) + std::string(14, '\x01');
    return riff(chunk("fmt ", fmt) + chunk("data", data));
}

inline std::string pcm16(std::initializer_list<int> values) {
    std::string s;
    for (const int v : values)
        s += le(v, 2);
    return s;
}

} // namespace gf::test
