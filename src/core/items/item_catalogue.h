#pragma once
#include <cstdint>
#include <string>

namespace gf {
struct Game;

// Empties the item table, then rebuilds the item catalogue from item.ini.
void loadItemCatalogue(Game& g);
// Catalogue number of the first entry with this name (case and outer spaces ignored); 0 for none.
int16_t itemIdByName(Game& g, const std::string& name);

} // namespace gf
