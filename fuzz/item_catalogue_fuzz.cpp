// Any bytes as item.ini: the catalogue reader may refuse them with a box but
// must neither crash nor leave the item table unusable.
#include "fuzz_game.h"
#include "items/item_catalogue.h"
#include "items/item_table.h"

using namespace gf;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static fuzz::FuzzGame f;
    f.folder.write("item.ini", data, size);
    loadItemCatalogue(f.game);
    // The table is emptied before the file is read, whatever the file holds.
    fuzz::require(f.game.items.size() == kItemTableStep, "the item table was not emptied");
    // The lookups the level builder and monster.ini make next.
    for (const char* name : {"dagger", "great sword", "", "studded leather armor"})
        itemIdByName(f.game, name);
    f.forget();
    return 0;
}
