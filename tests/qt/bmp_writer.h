#pragma once
// Writes BMP files the way common paint programs do, so loading can be
// checked against every layout without shipping binary fixtures.
#include <QImage>

#include <string>

namespace gf::test {

enum class BmpLayout { Bottom, TopDown, Rle8 };

// bits: 1, 4, 8 (paletted, at most 2^bits colours in the picture), 16 (5-5-5), 24 or 32.
std::string bmpBytes(const QImage& picture, int bits, BmpLayout layout = BmpLayout::Bottom);
// A 1-bit picture of one colour: a big sheet in a small, quickly written file.
std::string blankBmp(int w, int h, QRgb colour);
void writeFile(const std::string& path, const std::string& bytes);

} // namespace gf::test
