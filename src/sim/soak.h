#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>

namespace gf {

// Plays at random for `actions` actions on a private copy of the game folder,
// checking the invariants after each; the seed replays a run exactly.
// Returns the exit status: 0 when every check held, 1 on the first fault.
int runSoak(const std::string& folder, uint64_t seed, long actions, std::ostream& out);

} // namespace gf
