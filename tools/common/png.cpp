#include "png.hpp"

#include <stdexcept>
#include <string>
#include <zlib.h>

namespace gloamfell::tools {

namespace {

void putBig32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void chunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
    putBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBig32(out,
             static_cast<std::uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

} // namespace

std::vector<std::uint8_t> encodePng(const Image& image, bool keyIsClear) {
    const std::uint8_t channels = keyIsClear ? 4 : 3;
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(image.height()) * (image.width() * channels + 1));
    for (int y = 0; y < image.height(); ++y) {
        raw.push_back(0); // no filter
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.at(x, y);
            raw.insert(raw.end(), {c.r, c.g, c.b});
            if (keyIsClear) raw.push_back(c == kTransparent ? 0 : 255);
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("cannot compress the picture");
    packed.resize(packedSize);

    std::vector<std::uint8_t> header;
    putBig32(header, static_cast<std::uint32_t>(image.width()));
    putBig32(header, static_cast<std::uint32_t>(image.height()));
    const std::uint8_t colourType = keyIsClear ? 6 : 2;    // RGBA or RGB
    header.insert(header.end(), {8, colourType, 0, 0, 0}); // 8 bits, deflate, no filter method, no interlace

    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", packed);
    chunk(out, "IEND", {});
    return out;
}

void savePng(const Image& image, const std::filesystem::path& path) {
    writeFile(path, encodePng(image));
}

} // namespace gloamfell::tools
