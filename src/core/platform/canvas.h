#pragma once
// The view's drawing surface. Sheets are grids of 32 x 32 tiles, ten to a row,
// pure white transparent; a missing sheet draws nothing.
#include <cstdint>
#include <string>

namespace gf {

using Color = uint32_t; // red + 256 * green + 65536 * blue
inline constexpr Color kBlack = 0;
inline constexpr Color kRed = 255;
inline constexpr Color kGreen = 65280;
inline constexpr Color kYellow = 65535;
inline constexpr Color kBlue = 16711680;
// Pure blue reads poorly on the dark view; the gold message uses a lighter one.
inline constexpr Color kLightBlue = 128 + 256 * 160 + 65536 * 255;

inline constexpr int kSheetBackground = 0;
inline constexpr int kSheetVoid = 1;
inline constexpr int kSheetLight = 2;
inline constexpr int kSheetDamage = 3;
inline constexpr int kSheetItem = 4;
inline constexpr int kSheetPlayerFirst = 5;
constexpr int playerSheet(int image) {
    return kSheetPlayerFirst + image;
}

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual bool loadSheet(int sheet, const std::string& path) = 0;
    virtual int width() const = 0; // inner size of the view in pixels
    virtual int height() const = 0;
    virtual void clear() = 0;
    virtual void copyTile(int sheet, int tile, int x, int y) = 0;          // opaque
    virtual void drawTile(int sheet, int tile, int x, int y) = 0;          // white is transparent
    virtual void fillBox(int x1, int y1, int x2, int y2, Color color) = 0; // corners inclusive
    virtual void text(int x, int y, const std::string& text, int pointSize, bool bold, Color color) = 0;
    // Pixels from one line of text to the next; a canvas that measures no font
    // steps one pixel per point.
    virtual int lineHeight(int pointSize, bool /*bold*/) const { return pointSize; }
    virtual void pixel(int x, int y, Color color) = 0;
    virtual void present() = 0;
};

} // namespace gf
