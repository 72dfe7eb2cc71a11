#include "items/item_table.h"

#include "state/game.h"
#include "state/guard.h"

#include <algorithm>

namespace gf {

// A grown table places the new item this far below its new top (1991 of 2000),
// not on the first new entry; later additions fill the lowest free ones.
constexpr int32_t kGrownItemBelowTop = 9;

// The lowest free entry, searched from g.items.freeHint: every entry below the
// hint is in use. A hint that no longer fits the table (the table replaced behind
// our back) is dropped rather than trusted.
static int32_t lowestFree(ItemTable& items) {
    const int32_t upper = items.size();
    int32_t from = items.freeHint;
    if (from < 1 || from > upper + 1 || (from > 1 && !items(from - 1).inUse)) from = 1;
    for (int32_t i = from; i <= upper; ++i)
        if (!items(i).inUse) return i;
    items.freeHint = upper + 1;
    return 0;
}

int32_t addItem(Game& g, int16_t id, int32_t x, int32_t y) {
    return guarded(g, "modItem_Add", [&]() -> int32_t {
        if (!inMap(x, y) || g.level.itemAt(x, y) != 0) return 0;
        int32_t index = lowestFree(g.items);
        if (index == 0) {
            const int32_t upper = g.items.size();
            g.items.resize(upper + kItemTableStep);
            index = g.items.size() - kGrownItemBelowTop;
            g.items.freeHint = upper + 1;
        } else {
            g.items.freeHint = index + 1;
        }
        g.items(index) = Item{true, id, x, y, 0};
        g.level.itemAt(x, y) = index;
        return index;
    });
}

void removeItem(Game& g, int32_t index) {
    guarded(g, "modItem_Delete", [&] {
        if (index == 0) return;
        Item& item = g.items(index);
        // A stale index must not wipe whatever now lies on its old cell.
        if (item.inUse && g.level.itemAt(item.x, item.y) == index) g.level.itemAt(item.x, item.y) = 0;
        item = Item{};
        g.items.freeHint = std::min(g.items.freeHint, index);
    });
}

void emptyItemTable(Game& g) {
    g.items.reset(kItemTableStep);
    itemTableReplaced(g.items);
}

void itemTableReplaced(ItemTable& items) {
    items.freeHint = 1;
}

} // namespace gf
