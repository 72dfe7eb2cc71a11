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

void redraw(Game& g, bool refresh);
void centreOnCreature(Game& g);
void showOverview(Game& g);

} // namespace gf
