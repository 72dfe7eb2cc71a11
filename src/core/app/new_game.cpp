#include "app/new_game.h"

#include "creatures/creature_table.h"
#include "map/map_file.h"
#include "map/random_level.h"
#include "state/game.h"
#include "util/files.h"

#include <fstream>

namespace gf {

std::string defaultLevelPath(const Game& g) {
    return fileIn(g.folder, "murkhol1.map");
}

bool askForRandomMap(Game& g) {
    return g.io.window.msgBox("Use random map?", "Yo Yo Yo...", Buttons::YesNo, Icon::None) == Answer::Yes;
}

bool defaultLevelReadable(const Game& g) {
    const std::string path = defaultLevelPath(g);
    return isPlainFile(path) && std::ifstream(path).good();
}

void buildNewGame(Game& g, bool randomMap, const std::optional<std::string>& name) {
    // A new game starts from the creature table as start-up made it, and with a log of its own.
    g.creatures.current = 0;
    g.messages.log.clear();
    createCreatureTable(g.creatures);
    if (randomMap)
        createRandomLevel(g);
    else
        loadLevel(g, defaultLevelPath(g));
    createUser(g, name);
    g.session.unsavedChanges = false;
}

} // namespace gf
