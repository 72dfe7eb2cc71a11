#pragma once
#include <cstdint>

namespace gf {
struct Game;

// Before the running game is left: when it changed since it was last saved or loaded, asks
// Save / Don't Save / Cancel; true when the game may be left.
bool mayLeaveGame(Game& g);
void mnuFileNew_Click(Game& g);
void mnuFileSave_Click(Game& g);
void mnuFileLoad_Click(Game& g);
void mnuFileExit_Click(Game& g);
void mnuHelpAbout_Click(Game& g);
void mnuCarryReady_Click(Game& g);
void mnuCarryDrop_Click(Game& g);
void cmdSkillRaise_Click(Game& g, int row);
void picCarry_MouseUp(Game& g, int box);
void vsCarry_Change(Game& g, int value);

} // namespace gf
