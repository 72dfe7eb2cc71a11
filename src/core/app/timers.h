#pragma once

namespace gf {
struct Game;

inline constexpr int kTimer1Ms = 1000;
inline constexpr int kTimer2Ms = 100;
inline constexpr int kTimer3Ms = 4000;

void onMonsterTick(Game& g);
void onFrameTick(Game& g);
void onRefreshTick(Game& g);
// Stops or restarts the three timers; the view says "Paused" meanwhile.
void setPaused(Game& g, bool paused);

} // namespace gf
