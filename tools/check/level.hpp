#pragma once
// A level file as the game reads it, and what the checker finds wrong with
// one level on its own.
#include "check/fault.hpp"
#include "map/level_file.h"

#include <string>

namespace gloamfell::tools {

using Cell = gf::LevelCell;

struct Level : gf::LevelFile {
    std::string file; // e.g. murkhol2.map
};

std::string at(Cell c); // "(x,y)"

Level readLevel(const std::string& text, const std::string& file, Faults& faults);

// Faults within one level: start cell, doors, enclosure, reachable stairs,
// stairs keys without stairs.
void checkLevel(const Level& level, Faults& faults);

} // namespace gloamfell::tools
