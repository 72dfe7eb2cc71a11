#pragma once
// Qt keys as the game's key table names them: Windows virtual-key codes.
#include <Qt>

#include <cstdint>

namespace gf {

// 0 for a key that has no code.
int16_t virtualKey(int qtKey, Qt::KeyboardModifiers modifiers);
// Shift 1, Ctrl 2, Alt 4.
int16_t shiftState(Qt::KeyboardModifiers modifiers);

} // namespace gf
