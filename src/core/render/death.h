#pragma once

namespace gf {
struct Game;

// The red rings closing in on the view; returns the frames drawn.
int playDeath(Game& g);

} // namespace gf
