#pragma once
#include <cstdint>
#include <string>

namespace gf {
struct Game;

void modMessage_Add(Game& g, const std::string& text, int32_t color);
void modMessage_Add_Damage(Game& g, int32_t x, int32_t y, int32_t amount);
void modMessage_Process(Game& g);

} // namespace gf
