#pragma once
// The saved-game records byte for byte: little-endian, booleans as 16-bit
// -1/0, floats as IEEE singles, names as 100 single-byte characters, and no
// padding whatever the layout of the same records in memory.
#include "state/creature.h"
#include "state/item.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace gf {

inline constexpr std::size_t kItemRecordSize = 16;
inline constexpr std::size_t kSkillRecordSize = 14;
inline constexpr std::size_t kPlayerRecordSize = 648;
inline constexpr std::size_t kCountSize = 4;

class RecordWriter {
public:
    void int16(int16_t v);
    void int32(int32_t v);
    void boolean(bool v) { int16(v ? -1 : 0); }
    void single(float v);
    void name(std::string_view v);
    void text(std::string_view v); // a 32-bit length, then the bytes
    void raw(std::string_view v) { out_ += v; }
    void item(const Item& v);
    void creature(const Creature& v);
    const std::string& bytes() const { return out_; }

private:
    std::string out_;
};

// Reads from bytes the caller has already checked are long enough.
class RecordReader {
public:
    explicit RecordReader(std::string_view bytes) : in_(bytes) {}
    int16_t int16();
    int32_t int32();
    bool boolean() { return int16() != 0; }
    float single();
    std::string name();
    std::string text();
    std::string_view raw(std::size_t n) { return take(n); }
    bool atEnd() const { return pos_ == in_.size(); }
    Item item();
    Creature creature();
    std::size_t offset() const { return pos_; }

private:
    std::string_view take(std::size_t n);
    std::string_view in_;
    std::size_t pos_ = 0;
};

} // namespace gf
