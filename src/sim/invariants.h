#pragma once
#include <string>

namespace gf {
struct Game;

// What must hold between any two actions: the layers and the tables agree,
// creatures.current names the user's creature or nothing. Empty when all hold.
std::string checkInvariants(Game& g);
// After a refresh tick no creature has more life than its maximum.
std::string checkLifeWithinMaximum(Game& g);

} // namespace gf
