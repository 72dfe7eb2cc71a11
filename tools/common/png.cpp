#include "png.hpp"

#include <array>
#include <string_view>

namespace gloamfell::tools {

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t crc32(const Bytes& data, std::size_t from) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = from; i < data.size(); ++i)
        c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void putBig(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void chunk(Bytes& out, std::string_view type, const Bytes& body) {
    putBig(out, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), body.begin(), body.end());
    putBig(out, crc32(out, start));
}

// A zlib stream of stored blocks, each at most 65535 bytes.
Bytes storedZlib(const Bytes& raw) {
    Bytes z{0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(raw.size() - at, 65535);
        const bool last = at + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(n));
        z.push_back(static_cast<std::uint8_t>(n >> 8));
        z.push_back(static_cast<std::uint8_t>(~n));
        z.push_back(static_cast<std::uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                 raw.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    } while (at < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBig(z, (b << 16) | a);
    return z;
}

} // namespace

std::vector<std::uint8_t> encodePng(const Image& image) {
    Bytes raw;
    raw.reserve(static_cast<std::size_t>(image.height()) * (1 + 4 * image.width()));
    for (int y = 0; y < image.height(); ++y) {
        raw.push_back(0); // no filter
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.at(x, y);
            raw.insert(raw.end(), {c.r, c.g, c.b, static_cast<std::uint8_t>(c == kTransparent ? 0 : 255)});
        }
    }
    Bytes header;
    putBig(header, static_cast<std::uint32_t>(image.width()));
    putBig(header, static_cast<std::uint32_t>(image.height()));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8-bit RGBA, no interlace

    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", storedZlib(raw));
    chunk(out, "IEND", {});
    return out;
}

} // namespace gloamfell::tools
