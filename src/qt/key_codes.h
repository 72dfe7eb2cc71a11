#pragma once
// Qt keys as the game knows them.
#include "app/keys.h"

#include <Qt>

#include <cstdint>
#include <optional>

namespace gf {

// Nothing for a key the window leaves to the menus and other controls.
std::optional<Key> gameKey(int qtKey, Qt::KeyboardModifiers modifiers);
// Shift 1, Ctrl 2, Alt 4.
int16_t shiftState(Qt::KeyboardModifiers modifiers);

} // namespace gf
