#pragma once
// What the checker needs of a tile sheet: whether the game draws it, its
// size, and which tiles are blank. Pixels are looked at only for the plain
// uncompressed kinds, which is all the game's own sheets use.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gloamfell::tools {

class Sheet {
public:
    int width() const { return width_; }
    int height() const { return height_; }
    bool hasTile(int n) const;
    // Unknown (compressed pixels) counts as drawn.
    bool tileIsBlank(int n) const;

    // Empty, with why in error, when the game would not draw the sheet.
    static std::optional<Sheet> read(const std::string& bytes, std::string& error);

private:
    int width_ = 0, height_ = 0;
    std::vector<bool> white_; // row-major, top row first; empty when not decoded
};

} // namespace gloamfell::tools
