#pragma once
// All shared state of one game. Operations are free functions that take the
// game explicitly, so a test can build as many games as it likes.
#include "creatures/player.h"
#include "items/item.h"
#include "map/layer.h"
#include "messages/message.h"
#include "messages/message_log.h"
#include "platform/canvas.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "platform/sound_out.h"
#include "platform/window.h"
#include "render/status_panel.h"
#include "shell/table.h"

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

struct Game {
    Game(Platform platform, std::string dataFolder, std::string playerFolder)
        : io(platform), folder(std::move(dataFolder)), playerFolder(std::move(playerFolder)) {}
    // A portable copy keeps its saved games beside its data.
    Game(Platform platform, const std::string& folder) : Game(platform, folder, folder) {}

    Platform io;
    std::string folder;       // catalogues, levels, sheets, sounds: only ever read
    std::string playerFolder; // holds saved/; the only place the game writes to

    Table<ItemType> ItemTypes;
    Table<Item> Items;
    int32_t itemFreeHint = 1; // no free Items entry lies below it; kept by items/item_table.cpp
    Table<Player> Players;
    int32_t CurrentPlayer = 0;
    int32_t ViewX = 0;
    int32_t ViewY = 0;
    Table<MonsterInfo> MonsterTypes;
    std::array<SkillInfo, kSkillCount> Skills{};

    std::string MapName;
    std::string MapLower;
    std::string MapUpper;
    int32_t StartX = 0;
    int32_t StartY = 0;

    Layer<int32_t> MapItem;
    Layer<int32_t> MapPlayer;
    Layer<bool> MapVisible;
    Layer<int16_t> MapLight;

    std::array<Message, kMessageLines> Messages{};      // 1-based in the game's terms: message(i)
    std::array<DamageNumber, kDamageNumbers> Damages{}; // damage(i)
    MessageLog log;                                     // every line of the running game

    bool SoundEnabled = false;
    std::array<bool, kSoundCount> soundLoaded{};

    std::string Caption = "Gloamfell";
    int32_t monsterPass = 0;     // alternates the order monsters are visited in
    int32_t CarrySlot = 0;       // the carry slot whose pop-up is open
    int32_t carryScroll = 1;     // carryScrollBar's value: the slot shown in the first carry box
    StatusPanel status;          // the side panel as last updated
    std::string gameFile;        // the saved game this game was loaded from or last saved to
    bool unsavedChanges = false; // play since the last new game, save or load would be lost
    bool paused = false;         // the timers stand still until the next key
    bool overview = false;       // every redraw shows the whole level
    bool errorBoxOpen = false;
    bool gameOverStarted = false;
    bool handlerRunning = false; // see HandlerScope

    float now() { return io.clock.now(); }
    float draw() { return io.random.next(); }
    Player& player(int64_t i) { return Players(i); }
    Message& message(int64_t i);
    DamageNumber& damage(int64_t i);
};

} // namespace gf
