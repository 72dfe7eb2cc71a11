#pragma once

namespace gf {
struct Game;

// Fills the monster catalogue from monster.ini; after the item catalogue, since dead items may be named.
void loadMonsterCatalogue(Game& g);

} // namespace gf
