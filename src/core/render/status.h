#pragma once
#include <cstdint>

namespace gf {
struct Game;

void Update_Status(Game& g);
void Update_Skills(Game& g);
void Update_Carry(Game& g);

} // namespace gf
