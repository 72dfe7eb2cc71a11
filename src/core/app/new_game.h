#pragma once
#include <optional>
#include <string>

namespace gf {
struct Game;

// "Use random map?" Yes builds a random level, No the default level file.
bool askForRandomMap(Game& g);
std::string defaultLevelPath(const Game& g);
bool defaultLevelReadable(const Game& g);
// The chosen level, then the user's creature named `name` or by its name box.
// Shared by the start menu and File, New.
void buildNewGame(Game& g, bool randomMap, const std::optional<std::string>& name = std::nullopt);

} // namespace gf
