#pragma once
#include <cstdint>

namespace gf {
struct Game;

// Before the running game is left: when it changed since it was last saved or loaded, asks
// Save / Don't Save / Cancel; true when the game may be left.
bool mayLeaveGame(Game& g);
void onNewGame(Game& g);
void onSaveGame(Game& g);
void onLoadGame(Game& g);
void onExit(Game& g);
void onAbout(Game& g);
void onReadyCarried(Game& g);
void onDropCarried(Game& g);
void onRaiseSkill(Game& g, int row);
void onCarryBoxClicked(Game& g, int box);
void onCarryScrolled(Game& g, int value);

} // namespace gf
