#pragma once
#include <string>

namespace gf {
struct Game;

// True when the whole file was written.
bool modFile_Save(Game& g, const std::string& name);
// True when the file was sound and the game now plays it.
bool modFile_Load(Game& g, const std::string& path);

} // namespace gf
