#include "bmp_writer.h"

#include <fstream>
#include <map>
#include <vector>

namespace gf::test {

namespace {

void put16(std::string& s, int v) {
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}

void put32(std::string& s, int64_t v) {
    for (int i = 0; i < 4; ++i)
        s += char((v >> (8 * i)) & 0xFF);
}

std::string rle8Row(const std::vector<uint8_t>& row) {
    std::string out;
    for (std::size_t i = 0; i < row.size();) {
        std::size_t run = 1;
        while (i + run < row.size() && run < 255 && row[i + run] == row[i])
            ++run;
        out += char(run);
        out += char(row[i]);
        i += run;
    }
    out += '\0';
    out += '\0'; // end of line
    return out;
}

std::string assemble(int w, int h, int bits, BmpLayout layout, const std::vector<QRgb>& palette,
                     const std::string& pixels) {
    const int paletteEntries = static_cast<int>(palette.size());
    const int offset = 14 + 40 + paletteEntries * 4;
    std::string out = "BM";
    put32(out, offset + static_cast<int64_t>(pixels.size()));
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, w);
    put32(out, layout == BmpLayout::TopDown ? -h : h);
    put16(out, 1);
    put16(out, bits);
    put32(out, layout == BmpLayout::Rle8 ? 1 : 0);
    put32(out, static_cast<int64_t>(pixels.size()));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, paletteEntries);
    put32(out, 0);
    for (const QRgb c : palette) {
        out += char(qBlue(c));
        out += char(qGreen(c));
        out += char(qRed(c));
        out += '\0';
    }
    return out + pixels;
}

} // namespace

std::string bmpBytes(const QImage& source, int bits, BmpLayout layout) {
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    const int w = picture.width();
    const int h = picture.height();
    const bool paletted = bits <= 8;

    std::vector<QRgb> palette;
    std::map<QRgb, int> indexOf;
    if (paletted)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (indexOf.emplace(picture.pixel(x, y), static_cast<int>(palette.size())).second)
                    palette.push_back(picture.pixel(x, y));

    std::string pixels;
    const int rowBytes = ((w * bits + 31) / 32) * 4;
    for (int i = 0; i < h; ++i) {
        const int y = layout == BmpLayout::TopDown ? i : h - 1 - i;
        if (layout == BmpLayout::Rle8) {
            std::vector<uint8_t> row;
            for (int x = 0; x < w; ++x)
                row.push_back(static_cast<uint8_t>(indexOf[picture.pixel(x, y)]));
            pixels += rle8Row(row);
            continue;
        }
        std::string row(static_cast<std::size_t>(rowBytes), '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb c = picture.pixel(x, y);
            if (paletted) {
                const int index = indexOf[c];
                const int bit = x * bits;
                row[static_cast<std::size_t>(bit / 8)] |= char(index << (8 - bits - bit % 8));
            } else if (bits == 16) {
                const int v = (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | (qBlue(c) >> 3);
                row[static_cast<std::size_t>(x * 2)] = char(v & 0xFF);
                row[static_cast<std::size_t>(x * 2 + 1)] = char(v >> 8);
            } else {
                const std::size_t at = static_cast<std::size_t>(x * bits / 8);
                row[at] = char(qBlue(c));
                row[at + 1] = char(qGreen(c));
                row[at + 2] = char(qRed(c));
            }
        }
        pixels += row;
    }
    if (layout == BmpLayout::Rle8) {
        pixels += '\0';
        pixels += '\1'; // end of bitmap
    }
    return assemble(w, h, bits, layout, palette, pixels);
}

std::string blankBmp(int w, int h, QRgb colour) {
    const std::size_t rowBytes = static_cast<std::size_t>((w + 31) / 32) * 4;
    return assemble(w, h, 1, BmpLayout::Bottom, {colour, colour},
                    std::string(rowBytes * static_cast<std::size_t>(h), '\0'));
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

} // namespace gf::test
