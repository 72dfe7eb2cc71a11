#pragma once
#include <cstdint>
#include <string>

namespace gf {
struct Game;

void addMessage(Game& g, const std::string& text, int32_t color);
void addDamageMessage(Game& g, int32_t x, int32_t y, int32_t amount);
void ageMessages(Game& g);

} // namespace gf
