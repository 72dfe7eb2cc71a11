#pragma once
// Where the desktop game reads its data and keeps the player's saved games.
#include <QString>

namespace gf {

struct Folders {
    QString data;   // read only
    QString player; // holds saved/
};

// programFolder is the executable's own folder; dataOption is --data, empty
// when not given. A folder holding item.ini is a build tree or an unpacked
// portable copy and keeps its saved games beside it while it is writable;
// otherwise the game is installed and saves go to the per-user location.
Folders chooseFolders(const QString& programFolder, const QString& dataOption);

} // namespace gf
