#pragma once
#include "app/keys.h"

#include <cstdint>
#include <string>

namespace gf {

struct SimKey {
    Key key = Key::Other;
    int16_t shift = 0; // Shift 1, Ctrl 2, Alt 4
};

// "Up", "Num7", "Q", "Shift+Up", "38": the driver's names and numbers for keys.
SimKey parseSimKey(const std::string& text);

} // namespace gf
