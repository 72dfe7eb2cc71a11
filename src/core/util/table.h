#pragma once
// The game's 1-based tables (items, creatures and the catalogues): sized
// by reset, grown by resize, and every bad index is a failure rather
// than a stray read.
#include "util/failure.h"

#include <cstdint>
#include <vector>

namespace gf {

// No data file may make the game allocate without bound.
inline constexpr int32_t kMaxTableEntries = 4'000'000;

template <class T> class Table {
public:
    // Entries 1 to upperBound, all blank. An upper bound below 1 leaves no usable table.
    void reset(int32_t upperBound) {
        checkBound(upperBound);
        entries_.assign(static_cast<std::size_t>(upperBound), T{});
    }
    void resize(int32_t upperBound) {
        checkBound(upperBound);
        entries_.resize(static_cast<std::size_t>(upperBound));
    }
    void clear() { entries_.clear(); }
    int32_t size() const { return static_cast<int32_t>(entries_.size()); }
    bool valid(int64_t i) const { return i >= 1 && i <= size(); }

    T& operator()(int64_t i) {
        if (!valid(i)) fail(kSubscriptOutOfRange);
        return entries_[static_cast<std::size_t>(i - 1)];
    }
    const T& operator()(int64_t i) const {
        if (!valid(i)) fail(kSubscriptOutOfRange);
        return entries_[static_cast<std::size_t>(i - 1)];
    }

    auto begin() { return entries_.begin(); }
    auto end() { return entries_.end(); }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

private:
    static void checkBound(int32_t upperBound) {
        if (upperBound < 1) fail(kSubscriptOutOfRange);
        if (upperBound > kMaxTableEntries) fail("Out of memory");
    }
    std::vector<T> entries_;
};

} // namespace gf
