#pragma once
#include <cstdint>

namespace gf {
struct Game;

void updateStatus(Game& g);
void updateSkills(Game& g);
void updateCarry(Game& g);

} // namespace gf
