#pragma once

namespace gf {
struct Game;

inline constexpr int kTimer1Ms = 1000;
inline constexpr int kTimer2Ms = 100;
inline constexpr int kTimer3Ms = 4000;

void Timer1_Timer(Game& g);
void Timer2_Timer(Game& g);
void Timer3_Timer(Game& g);
// Stops or restarts the three timers; the view says "Paused" meanwhile.
void setPaused(Game& g, bool paused);

} // namespace gf
