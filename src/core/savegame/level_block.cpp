#include "savegame/level_block.h"

#include "map/level_file.h"
#include "savegame/records.h"
#include "state/game.h"
#include "util/failure.h"

#include <array>
#include <zlib.h>

namespace gf {

namespace {

constexpr std::string_view kTag = "GFLH";
// Version 1 sealed the payload only, so a flipped bit in its version or
// length went unseen; version 2 seals the whole block.
constexpr int16_t kPayloadSealed = 1;
constexpr const char* kDamaged = "The level header after the tables is damaged";

uint32_t checksum(std::string_view bytes) {
    return static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

LevelHeader decodePayload(const std::string& bytes) {
    RecordReader payload(bytes);
    LevelHeader h;
    h.name = payload.text();
    h.lower = payload.text();
    h.upper = payload.text();
    h.startX = payload.int32();
    h.startY = payload.int32();
    if (!payload.atEnd()) fail(kDamaged);
    // The stairs turn these into paths.
    if (!levelNameProblem(h.lower).empty() || !levelNameProblem(h.upper).empty()) fail(kDamaged);
    return h;
}

} // namespace

LevelHeader levelHeaderOf(const Level& level) {
    return {level.name, level.lower, level.upper, level.startX, level.startY};
}

// Tag, version, payload length, payload, and a CRC-32 of all before it.
std::string encodeLevelBlock(const LevelHeader& h) {
    RecordWriter payload;
    payload.text(h.name);
    payload.text(h.lower);
    payload.text(h.upper);
    payload.int32(h.startX);
    payload.int32(h.startY);
    RecordWriter block;
    block.raw(kTag);
    block.int16(kLevelBlockVersion);
    block.text(payload.bytes());
    block.int32(static_cast<int32_t>(checksum(block.bytes())));
    if (block.bytes().size() > kMaxLevelBlock) fail("The level's names are too long to save");
    return block.bytes();
}

std::optional<LevelHeader> decodeLevelBlock(std::string_view tail) {
    // An older save may be followed by anything, or by nothing at all.
    if (tail.substr(0, kTag.size()) != kTag) return std::nullopt;
    try {
        RecordReader block(tail.substr(kTag.size()));
        const int16_t version = block.int16();
        if (version < kPayloadSealed) fail(kDamaged);
        const std::string bytes = block.text();
        const std::size_t sealedEnd = kTag.size() + block.offset();
        const auto crc = static_cast<uint32_t>(block.int32());
        const bool sound =
            version == kPayloadSealed ? crc == checksum(bytes) : crc == checksum(tail.substr(0, sealedEnd));
        if (!sound) fail(kDamaged);
        // A later program's block is for a later program.
        if (version > kLevelBlockVersion) return std::nullopt;
        return decodePayload(bytes);
    } catch (const Failure&) {
        fail(kDamaged);
    }
}

} // namespace gf
