#pragma once
// What the checker needs of a tile sheet: its size, and which tiles are
// drawn. Reads any BMP a paint program writes; pixels only of the
// uncompressed kinds, which is all the game's own sheets use.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gloamfell::tools {

inline constexpr int kTileSize = 32;
inline constexpr int kTilesPerRow = 10;

class Sheet {
public:
    int width() const { return width_; }
    int height() const { return height_; }
    bool hasTile(int n) const;
    // Unknown (compressed pixels) counts as drawn.
    bool tileIsBlank(int n) const;

    // Empty, with why in error, when the bytes are not a BMP the game can load.
    static std::optional<Sheet> read(const std::vector<std::uint8_t>& bytes, std::string& error);

private:
    int width_ = 0, height_ = 0;
    std::vector<bool> white_; // row-major, top row first; empty when not decoded
};

} // namespace gloamfell::tools
