#pragma once

namespace gf {
struct Game;

inline constexpr int kTimer1Ms = 1000;
inline constexpr int kTimer2Ms = 100;
inline constexpr int kTimer3Ms = 4000;

void Timer1_Timer(Game& g);
void Timer2_Timer(Game& g);
void Timer3_Timer(Game& g);

} // namespace gf
