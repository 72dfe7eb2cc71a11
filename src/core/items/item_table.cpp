#include "items/item_table.h"

#include "map/map_file.h"
#include "shell/game.h"
#include "shell/guard.h"

namespace gf {

int32_t modItem_Add(Game& g, int16_t id, int32_t x, int32_t y) {
    return guarded(g, "modItem_Add", [&]() -> int32_t {
        if (!In_Map(x, y) || g.MapItem(x, y) != 0) return 0;
        int32_t index = 0;
        const int32_t upper = g.Items.ubound();
        for (int32_t i = 1; i <= upper; ++i) {
            if (!g.Items(i).InUse) {
                index = i;
                break;
            }
        }
        if (index == 0) {
            g.Items.redimPreserve(upper + kItemTableStep);
            index = g.Items.ubound() - 9;
        }
        g.Items(index) = Item{true, id, x, y, 0};
        g.MapItem(x, y) = index;
        return index;
    });
}

void modItem_Delete(Game& g, int32_t index) {
    guarded(g, "modItem_Delete", [&] {
        if (index == 0) return;
        Item& item = g.Items(index);
        g.MapItem(item.X, item.Y) = 0;
        item = Item{};
    });
}

} // namespace gf
