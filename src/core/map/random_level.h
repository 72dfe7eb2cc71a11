#pragma once

namespace gf {
struct Game;

void modMap_Create_Random(Game& g);

} // namespace gf
