#pragma once
#include <filesystem>
#include <string>

namespace gf {
struct Game;

// Why `name` cannot name a saved game, or empty when it can.
std::string saveNameProblem(const std::string& name);
// Where a game saved under `name` goes.
std::filesystem::path savedGamePath(const Game& g, const std::string& name);

// True when the whole file was written.
bool saveGameFile(Game& g, const std::string& name);
// True when the file was sound and the game now plays it.
bool loadGameFile(Game& g, const std::string& path);

} // namespace gf
