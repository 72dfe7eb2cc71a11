#pragma once

namespace gf {
struct Game;

inline constexpr int kMonsterTickMs = 1000;
inline constexpr int kFrameTickMs = 100;
inline constexpr int kRefreshTickMs = 4000;

void onMonsterTick(Game& g);
void onFrameTick(Game& g);
void onRefreshTick(Game& g);
// Stops or restarts the three timers; the view says "Paused" meanwhile.
void setPaused(Game& g, bool paused);

} // namespace gf
