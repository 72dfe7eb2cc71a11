#pragma once
// One of the four 101 x 101 map layers. A layer does not exist until the
// first level is built or a game is loaded; reading it before is a failure.
#include "util/failure.h"

#include <array>
#include <cstdint>
#include <memory>

namespace gf {

inline constexpr int32_t kMapUpper = 100; // cells run 0 to 100 on both axes
inline constexpr int32_t kMapSize = kMapUpper + 1;

constexpr bool inMap(int64_t x, int64_t y) {
    return x >= 0 && x <= kMapUpper && y >= 0 && y <= kMapUpper;
}

template <class T> class Layer {
public:
    void create() {
        if (!cells_) cells_ = std::make_unique<Cells>();
        cells_->fill(T{});
    }
    bool exists() const { return cells_ != nullptr; }
    void fill(const T& value) {
        if (!cells_) fail(kSubscriptOutOfRange);
        cells_->fill(value);
    }

    T& operator()(int64_t x, int64_t y) { return (*cells_)[index(x, y)]; }
    const T& operator()(int64_t x, int64_t y) const { return (*cells_)[index(x, y)]; }

    Layer() = default;
    Layer(const Layer& other) : cells_(other.cells_ ? std::make_unique<Cells>(*other.cells_) : nullptr) {}
    Layer& operator=(const Layer& other) {
        cells_ = other.cells_ ? std::make_unique<Cells>(*other.cells_) : nullptr;
        return *this;
    }
    Layer(Layer&&) noexcept = default;
    Layer& operator=(Layer&&) noexcept = default;

private:
    using Cells = std::array<T, kMapSize * kMapSize>;
    std::size_t index(int64_t x, int64_t y) const {
        // A negative coordinate wraps to a huge unsigned one, so one test per axis does.
        constexpr auto upper = static_cast<uint64_t>(kMapUpper);
        if (!cells_ || static_cast<uint64_t>(x) > upper || static_cast<uint64_t>(y) > upper)
            fail(kSubscriptOutOfRange);
        return static_cast<std::size_t>(y * kMapSize + x);
    }
    std::unique_ptr<Cells> cells_;
};

} // namespace gf
