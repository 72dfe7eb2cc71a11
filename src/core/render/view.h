#pragma once
#include <cstdint>

namespace gf {
struct Game;

struct HalfSize {
    int32_t w = 0;
    int32_t h = 0;
};
// Half the view in cells, halves rounded to even.
HalfSize viewHalfSize(int widthPixels, int heightPixels);

void Display(Game& g, bool refresh);
void Update_User_View(Game& g);
void Display_Map(Game& g);

} // namespace gf
