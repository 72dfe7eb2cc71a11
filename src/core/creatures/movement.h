#pragma once
#include <cstdint>

namespace gf {
struct Game;

bool modPlayer_Move(Game& g, int32_t index, int16_t direction, bool forward);
void modPlayer_Auto_Action(Game& g, int32_t index, int32_t item);
// modPlayer_Change_Facing's turn, an eighth of a circle: 1 turns left (counter-clockwise),
// the opposite of modMap_Quarter_Direction's turn 1.
inline constexpr int16_t kFacingTurnLeft = 1;
inline constexpr int16_t kFacingTurnRight = 2;
void modPlayer_Change_Facing(Game& g, int32_t index, int16_t turn);
void modPlayer_Attack_Direction(Game& g, int32_t index);

} // namespace gf
