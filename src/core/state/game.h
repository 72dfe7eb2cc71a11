#pragma once
// All shared state of one game, in named parts so an operation can say which
// it touches. Operations are free functions that take the game explicitly, so
// a test can build as many games as it likes.
#include "platform/canvas.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "platform/sound_out.h"
#include "platform/window.h"
#include "state/creature.h"
#include "state/item.h"
#include "state/message.h"
#include "state/message_log.h"
#include "state/status_panel.h"
#include "util/layer.h"
#include "util/table.h"

#include <array>
#include <string>

namespace gf {

struct Platform {
    Clock& clock;
    Random& random;
    Window& window;
    SoundOut& sound;
    Canvas& canvas;
};

inline constexpr int kSoundCount = 13;

// What the data folder describes: read once at start-up, never changed by play.
struct Catalogues {
    Table<ItemType> items;
    Table<MonsterInfo> monsters;
    std::array<SkillInfo, kSkillCount> skills{};
};

// The level being played: its names and start, and one layer per kind of thing on a cell.
struct Level {
    std::string name;
    std::string lower; // the file the stairs down lead to
    std::string upper; // the file the stairs up lead to
    int32_t startX = 0;
    int32_t startY = 0;
    Layer<int32_t> itemAt;     // the Items entry lying on a cell, 0 for none
    Layer<int32_t> creatureAt; // the creature standing on a cell, 0 for none
    Layer<bool> visible;
    Layer<int16_t> light;
};

struct ItemTable : Table<Item> {
    using Table<Item>::operator=;
    int32_t freeHint = 1; // no free entry lies below it; kept by items/item_table.cpp
};

struct CreatureTable : Table<Creature> {
    using Table<Creature>::operator=;
    int32_t current = 0;     // the user's creature, 0 before a game
    int32_t monsterPass = 0; // alternates the order monsters are visited in
};

struct MessageBoard {
    std::array<Message, kMessageLines> lines{};
    std::array<DamageNumber, kDamageNumbers> damages{};
    MessageLog log; // every line of the running game
    // 1-based, as the game counts
    Message& line(int64_t i) { return lines.at(static_cast<std::size_t>(i - 1)); }
    DamageNumber& damage(int64_t i) { return damages.at(static_cast<std::size_t>(i - 1)); }
};

// What the window shows beside the level itself.
struct Screen {
    std::string caption = "Gloamfell";
    int32_t viewX = 0; // the cell at the centre of the view
    int32_t viewY = 0;
    int32_t carrySlot = 0;   // the carry slot whose pop-up is open
    int32_t carryScroll = 1; // the slot shown in the first carry box
    StatusPanel status;      // the side panel as last updated
    bool paused = false;     // the timers stand still until the next key
    bool overview = false;   // every redraw shows the whole level
};

struct Sounds {
    bool enabled = false;
    std::array<bool, kSoundCount> loaded{};
};

// Where the running game stands against its file and the boxes it has open.
struct Session {
    std::string gameFile;        // the saved game this game was loaded from or last saved to
    bool unsavedChanges = false; // play since the last new game, save or load would be lost
    bool errorBoxOpen = false;
    bool gameOverStarted = false;
    bool handlerRunning = false; // see HandlerScope
};

struct Game {
    Game(Platform platform, std::string dataFolder, std::string playerFolder)
        : io(platform), folder(std::move(dataFolder)), playerFolder(std::move(playerFolder)) {}
    // A portable copy keeps its saved games beside its data.
    Game(Platform platform, const std::string& folder) : Game(platform, folder, folder) {}

    Platform io;
    std::string folder;       // catalogues, levels, sheets, sounds: only ever read
    std::string playerFolder; // holds saved/; the only place the game writes to

    Catalogues catalogue;
    Level level;
    ItemTable items;
    CreatureTable creatures;
    MessageBoard messages;
    Screen screen;
    Sounds sounds;
    Session session;

    float now() { return io.clock.now(); }
    float draw() { return io.random.next(); }
};

} // namespace gf
