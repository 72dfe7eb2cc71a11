#pragma once
#include <cstdint>

namespace gf {
struct Game;

bool moveCreature(Game& g, int32_t index, int16_t direction, bool forward);
void actOnWhatIsAhead(Game& g, int32_t index, int32_t item);
// turnCreature's turn, an eighth of a circle: 1 turns left (counter-clockwise),
// the opposite of quarterTurn's turn 1.
inline constexpr int16_t kFacingTurnLeft = 1;
inline constexpr int16_t kFacingTurnRight = 2;
void turnCreature(Game& g, int32_t index, int16_t turn);
void attackAhead(Game& g, int32_t index);

} // namespace gf
