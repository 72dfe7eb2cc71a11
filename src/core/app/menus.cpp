#include "app/menus.h"

#include "app/handler_scope.h"
#include "app/new_game.h"
#include "app/timers.h"
#include "creatures/creature_table.h"
#include "creatures/skills.h"
#include "items/equipment.h"
#include "items/item_actions.h"
#include "map/map_file.h"
#include "messages/messages.h"
#include "render/sizes.h"
#include "render/status.h"
#include "render/view.h"
#include "savegame/savegame.h"
#include "state/game.h"
#include "state/guard.h"
#include "util/files.h"
#include "util/text.h"

#include <algorithm>
#include <filesystem>

namespace gf {

namespace {

// Another game's file (an earlier creature of the same name) is only replaced when the user says so.
bool mayReplace(Game& g, const std::string& name) {
    std::error_code ec;
    const std::filesystem::path target = savedGamePath(g, name);
    if (!std::filesystem::exists(target, ec)) return true;
    if (!g.session.gameFile.empty() && std::filesystem::equivalent(target, g.session.gameFile, ec))
        return true;
    return g.io.window.msgBox("A saved game named " + name + " already exists. Replace it?", kAppTitle,
                              Buttons::YesNo, Icon::Question) == Answer::Yes;
}

// Saves under the creature's name, asking before another game's file is replaced.
bool saveGame(Game& g) {
    const std::string name = displayName(g.creatures(g.creatures.current).name);
    if (!mayReplace(g, name)) {
        addMessage(g, "Game not saved.", kYellow);
        return false;
    }
    if (!saveGameFile(g, name)) return false;
    g.session.unsavedChanges = false;
    addMessage(g, "Game saved.", kGreen);
    return true;
}

} // namespace

bool mayLeaveGame(Game& g) {
    HandlerScope scope(g);
    if (g.creatures.current == 0 || !g.session.unsavedChanges) return true;
    switch (g.io.window.msgBox("The game has changed since it was last saved. Save it first?", kAppTitle,
                               Buttons::SaveDiscardCancel, Icon::Question)) {
    case Answer::Yes:
        return saveGame(g);
    case Answer::No:
        return true;
    case Answer::Ok:
    case Answer::Cancel:
        break;
    }
    return false;
}

void onNewGame(Game& g) {
    HandlerScope scope(g);
    if (g.session.gameOverStarted || !mayLeaveGame(g)) return;
    guarded(g, "mnuFileNew_Click", [&] {
        const bool randomMap = askForRandomMap(g);
        // A default level that cannot be read would end the running game for nothing:
        // let the loader report it and keep playing.
        if (!randomMap && !defaultLevelReadable(g)) {
            loadLevel(g, defaultLevelPath(g));
            return;
        }
        // Asked before anything is cleared: Cancel goes back to the game in progress.
        const std::optional<std::string> name = askForName(g);
        if (!name) return;
        buildNewGame(g, randomMap, name);
        if (g.screen.paused) setPaused(g, false); // a new game runs at once
        centreOnCreature(g);
    });
}

void onSaveGame(Game& g) {
    HandlerScope scope(g);
    if (g.creatures.current != 0) saveGame(g);
}

void onLoadGame(Game& g) {
    HandlerScope scope(g);
    if (!mayLeaveGame(g)) return;
    FileDialogRequest request;
    request.title = "Load Saved Game";
    request.folder = fileIn(g.playerFolder, "saved");
    request.defaultExt = "saved";
    request.filter = "Saved Games (*.saved)|*.saved|All Files (*.*)|*.*";
    const std::string path = g.io.window.openFile(request);
    if (path.empty()) return;
    if (!loadGameFile(g, path)) return;
    g.messages.log.clear();
    g.session.unsavedChanges = false;
    addMessage(g, "Game loaded.", kGreen);
    if (g.screen.paused) setPaused(g, false); // the loaded game runs at once
}

void onExit(Game& g) {
    HandlerScope scope(g);
    if (mayLeaveGame(g)) g.io.window.quit();
}

void onAbout(Game& g) {
    HandlerScope scope(g);
    g.io.window.about();
}

void onReadyCarried(Game& g) {
    HandlerScope scope(g);
    if (g.creatures.current != 0 && g.screen.carrySlot != 0)
        ready(g, g.creatures.current, g.screen.carrySlot);
}

void onDropCarried(Game& g) {
    HandlerScope scope(g);
    if (g.creatures.current != 0 && g.screen.carrySlot != 0)
        dropItem(g, g.creatures.current, g.screen.carrySlot);
}

void onRaiseSkill(Game& g, int row) {
    HandlerScope scope(g);
    guarded(g, "cmdSkillRaise_Click", [&] {
        if (g.creatures.current == 0) return;
        const Creature& me = g.creatures(g.creatures.current);
        int count = 0;
        for (int skill = 1; skill <= kSkillCount; ++skill) {
            if (!me.skill(skill).known) continue;
            if (count == row) {
                raiseSkill(g, g.creatures.current, skill);
                updateStatus(g);
                return;
            }
            ++count;
        }
    });
}

void onCarryBoxClicked(Game& g, int box) {
    HandlerScope scope(g);
    guarded(g, "picCarry_MouseUp", [&] {
        if (g.creatures.current == 0) return;
        const int32_t slot = box + g.screen.carryScroll;
        const Item& item = g.creatures(g.creatures.current).carry(slot);
        if (!item.inUse) return;
        const ItemType& type = g.catalogue.items(item.id);
        g.screen.carrySlot = slot;
        const PopupChoice choice = g.io.window.carryMenu(slot, type.name, type.damage > 0 || type.armour > 0);
        if (choice == PopupChoice::Ready) onReadyCarried(g);
        if (choice == PopupChoice::Drop) onDropCarried(g);
    });
    g.screen.carrySlot = 0;
}

void onCarryScrolled(Game& g, int value) {
    g.screen.carryScroll = std::clamp(value, kCarryScrollMin, kCarryScrollMax);
    updateCarry(g);
}

} // namespace gf
