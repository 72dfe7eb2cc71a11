#pragma once
// The curve the shipped levels must keep. Each fault is one line that names
// the level file and what is wrong, so an author knows what to change.
#include "descent.hpp"

#include <string>
#include <vector>

namespace gloamfell::balance {

// Gear found in order of strength, a few new pieces a level, the best at the bottom.
std::vector<std::string> gearFaults(const std::vector<LevelContents>& levels);
// Few deaths above the last level, life lost rising level by level, little waiting, a winnable finale.
std::vector<std::string> curveFaults(const DescentReport& report);

std::vector<std::string> balanceFaults(const DescentReport& report);

} // namespace gloamfell::balance
