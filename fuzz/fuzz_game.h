#pragma once
// A game over the scripted seam in a fuzzing folder: boxes are recorded, not shown.
#include "fuzz_folder.h"
#include "scripted_platform.h"
#include "state/game.h"

namespace gf::fuzz {

class FuzzGame {
public:
    FuzzGame();

    // Dropping the record of boxes keeps a long run's memory flat.
    void forget() { io.log.events.clear(); }

    FuzzFolder folder;
    ScriptedPlatform io;
    Game game;
};

// The item and monster catalogues of the shipped data, read as start-up reads them.
void loadShippedCatalogues(FuzzGame& f);

// The shipped catalogues and the first level, with the user's creature on its start cell.
void startOnFirstLevel(FuzzGame& f);

} // namespace gf::fuzz
