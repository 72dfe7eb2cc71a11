#pragma once
#include <cstdint>

namespace gf {
struct Game;

bool modPlayer_Move(Game& g, int32_t index, int16_t direction, bool forward);
void modPlayer_Auto_Action(Game& g, int32_t index, int32_t item);
void modPlayer_Change_Facing(Game& g, int32_t index, int16_t turn);
void modPlayer_Attack_Direction(Game& g, int32_t index);

} // namespace gf
