#pragma once
#include <string>

namespace gf {
struct Game;

// "Use random map?" Yes builds a random level, No the default level file.
bool askForRandomMap(Game& g);
std::string defaultLevelPath(const Game& g);
bool defaultLevelReadable(const Game& g);
// The chosen level, then the user's creature with its name box. Shared by
// the start menu and File, New.
void buildNewGame(Game& g, bool randomMap);

} // namespace gf
