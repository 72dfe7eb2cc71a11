#pragma once
// The level header saved after the counted tables. A reader of the tables
// alone stops before it; a file saved without it still loads.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gf {
struct Level;

// The block's own version, apart from the program's: it changes only when
// the block's bytes do, so saved games stay the same across releases.
inline constexpr int16_t kLevelBlockVersion = 2;

// Far more than any level's names need; a reader reads no further.
inline constexpr std::size_t kMaxLevelBlock = 1 << 20;

struct LevelHeader {
    std::string name;
    std::string lower;
    std::string upper;
    int32_t startX = 0;
    int32_t startY = 0;
    bool operator==(const LevelHeader&) const = default;
};

std::string encodeLevelBlock(const LevelHeader& header);
// The bytes after the tables: nothing when they hold no block of a version
// this program knows; fails when they hold a damaged one.
std::optional<LevelHeader> decodeLevelBlock(std::string_view tail);

LevelHeader levelHeaderOf(const Level& level);

} // namespace gf
