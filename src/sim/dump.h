#pragma once
// The game's state as one JSON object, keyed by the game's own names.
#include <nlohmann/json.hpp>

namespace gf {
struct Game;

nlohmann::json dumpState(Game& g, bool withLayers);

} // namespace gf
