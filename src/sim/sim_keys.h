#pragma once
#include <cstdint>
#include <string>

namespace gf {

struct SimKey {
    int16_t code = 0;
    int16_t shift = 0; // Shift 1, Ctrl 2, Alt 4
};

// "Up", "Num7", "Q", "Shift+Up", "38": the driver's names for virtual-key codes.
SimKey parseSimKey(const std::string& text);

} // namespace gf
