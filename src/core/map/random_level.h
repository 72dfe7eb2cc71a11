#pragma once

namespace gf {
struct Game;

void createRandomLevel(Game& g);

} // namespace gf
