#include "savegame/level_block.h"

#include "savegame/records.h"
#include "shell/failure.h"
#include "shell/game.h"

#include <array>
#include <zlib.h>

namespace gf {

namespace {

constexpr std::string_view kTag = "GFLH";
constexpr int16_t kVersion = 1;
constexpr const char* kDamaged = "The level header after the tables is damaged";

uint32_t checksum(std::string_view bytes) {
    return static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

} // namespace

LevelHeader levelHeaderOf(const Game& g) {
    return {g.MapName, g.MapLower, g.MapUpper, g.StartX, g.StartY};
}

// Tag, version, payload length, payload, and a CRC-32 of the payload.
std::string encodeLevelBlock(const LevelHeader& h) {
    RecordWriter payload;
    payload.text(h.MapName);
    payload.text(h.MapLower);
    payload.text(h.MapUpper);
    payload.int32(h.StartX);
    payload.int32(h.StartY);
    RecordWriter block;
    block.raw(kTag);
    block.int16(kVersion);
    block.text(payload.bytes());
    block.int32(static_cast<int32_t>(checksum(payload.bytes())));
    if (block.bytes().size() > kMaxLevelBlock) fail("The level's names are too long to save");
    return block.bytes();
}

std::optional<LevelHeader> decodeLevelBlock(std::string_view tail) {
    // An older save may be followed by anything, or by nothing at all.
    if (tail.substr(0, kTag.size()) != kTag) return std::nullopt;
    try {
        RecordReader block(tail.substr(kTag.size()));
        // A later program's block is for a later program.
        if (block.int16() != kVersion) return std::nullopt;
        const std::string bytes = block.text();
        if (static_cast<uint32_t>(block.int32()) != checksum(bytes)) fail(kDamaged);
        RecordReader payload(bytes);
        LevelHeader h;
        h.MapName = payload.text();
        h.MapLower = payload.text();
        h.MapUpper = payload.text();
        h.StartX = payload.int32();
        h.StartY = payload.int32();
        if (!payload.atEnd()) fail(kDamaged);
        return h;
    } catch (const Failure&) {
        fail(kDamaged);
    }
}

} // namespace gf
