#pragma once

namespace gf {
struct Game;

// Start-up: catalogues, pictures, sounds, the start menu
// until a game exists, then the timers and the first view.
void onStartup(Game& g);
// The start menu until a game exists or the user leaves; a game then starts its timers.
void showStartMenu(Game& g);

} // namespace gf
