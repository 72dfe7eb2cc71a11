#include "soak.h"

#include "app/keys.h"
#include "app/menus.h"
#include "app/startup.h"
#include "app/timers.h"
#include "creatures/creature_table.h"
#include "invariants.h"
#include "map/map_file.h"
#include "map/random_level.h"
#include "scripted_platform.h"
#include "sim_keys.h"
#include "state/game.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <random>
#include <vector>

namespace gf {

namespace fs = std::filesystem;

namespace {

// By the driver's names, so a failing key can be replayed in a script.
constexpr const char* kKeys[] = {"Up",     "Up",   "Up",    "Up",   "Up",    "Down",  "Num1",
                                 "Num3",   "Left", "Right", "A",    "Space", "O",     "P",
                                 "Insert", "M",    "Num8",  "Num9", "Pause", "Escape"};

struct SoakGame {
    explicit SoakGame(const std::string& folder) : game(io.platform(), folder) {}
    ScriptedPlatform io;
    Game game;
};

class Soak {
public:
    Soak(const fs::path& folder, uint64_t seed) : folder_(folder), seed_(seed), rng_(seed) {
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".map") levels_.push_back(entry.path().string());
    }

    // One random action; returns what it was, for the report.
    std::string act() {
        if (!current_ || current_->io.window.exited) start();
        Game& g = current_->game;
        ScriptedWindow& d = current_->io.window;
        const int pick = below(100);
        if (pick < 45) {
            const char* key = kKeys[below(std::size(kKeys))];
            onKeyDown(g, parseSimKey(key).key, 0);
            return std::string("key ") + key;
        }
        if (pick < 63) {
            const int which = 1 + below(3);
            if (which == 1) onMonsterTick(g);
            if (which == 2) onFrameTick(g);
            if (which == 3) {
                onRefreshTick(g);
                lifeChecked_ = true;
            }
            return "tick " + std::to_string(which);
        }
        if (pick < 73) {
            current_->io.clock.time += static_cast<float>(below(1500)) / 1000.0f;
            return "advance";
        }
        if (pick < 78) {
            onCarryScrolled(g, 1 + below(13));
            const PopupChoice choices[] = {PopupChoice::Ready, PopupChoice::Drop, PopupChoice::None};
            d.popupAnswers = {choices[below(3)]};
            onCarryBoxClicked(g, below(8));
            return "carry click";
        }
        if (pick < 81) {
            onRaiseSkill(g, below(5));
            return "raise";
        }
        if (pick < 84) {
            onSaveGame(g);
            return "save";
        }
        if (pick < 87) {
            const fs::path saved = folder_ / "saved" / "Soak.saved";
            d.fileAnswers = {fs::exists(saved) ? std::optional<std::string>(saved.string()) : std::nullopt};
            onLoadGame(g);
            return "load";
        }
        if (pick < 90 && g.creatures.current != 0 && !levels_.empty()) {
            loadLevel(g, levels_[below(levels_.size())]);
            return "level";
        }
        if (pick < 91 && g.creatures.current != 0) {
            createRandomLevel(g);
            return "random level";
        }
        if (pick < 94 && g.creatures.current != 0 && g.catalogue.monsters.size() > 0) {
            // Fights and deaths come sooner with company next to the user and its life low.
            const Creature& me = g.creatures(g.creatures.current);
            const int16_t type =
                static_cast<int16_t>(1 + below(static_cast<std::size_t>(g.catalogue.monsters.size())));
            addCreature(g, type, me.x - 1 + below(3), me.y - 1 + below(3));
            if (pick == 93) g.creatures(g.creatures.current).life = 1;
            return "company";
        }
        if (pick < 95) {
            d.boxAnswers = {below(2) ? Answer::Yes : Answer::No};
            d.inputAnswers = {"Soak"};
            onNewGame(g);
            return "new game";
        }
        onKeyDown(g, Key::Up, 0);
        return "walk";
    }

    // The first broken rule since the last check, or empty.
    std::string check() {
        Game& g = current_->game;
        for (const auto& e : current_->io.log.events) {
            if (e.value("event", "") != "msgbox") continue;
            const std::string text = e["text"];
            if (text.rfind("Error", 0) == 0) return "error box: " + text;
        }
        current_->io.log.events.clear();
        std::string fault = checkInvariants(g);
        if (fault.empty() && lifeChecked_) fault = checkLifeWithinMaximum(g);
        lifeChecked_ = false;
        return fault;
    }

    int games() const { return games_; }

private:
    int below(std::size_t n) {
        return static_cast<int>(std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_));
    }

    void start() {
        current_ = std::make_unique<SoakGame>(folder_.string());
        current_->io.random.seedWhole(seed_ + static_cast<uint64_t>(games_));
        ScriptedWindow& d = current_->io.window;
        d.menuAnswers = {MenuChoice::New};
        d.boxAnswers = {below(2) ? Answer::Yes : Answer::No};
        d.inputAnswers = {"Soak"};
        onStartup(current_->game);
        ++games_;
    }

    fs::path folder_;
    uint64_t seed_;
    std::mt19937_64 rng_;
    std::vector<std::string> levels_;
    std::unique_ptr<SoakGame> current_;
    int games_ = 0;
    bool lifeChecked_ = false;
};

// A folder of its own, so two runs of one seed (CI and a developer's) never share saved games.
fs::path privateCopy(const std::string& folder, uint64_t seed) {
    std::string name =
        (fs::temp_directory_path() / ("gloamfell-soak-" + std::to_string(seed) + "-XXXXXX")).string();
    if (!mkdtemp(name.data()))
        throw fs::filesystem_error("cannot make a folder", name,
                                   std::error_code(errno, std::generic_category()));
    const fs::path copy = name;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file()) fs::copy_file(entry.path(), copy / entry.path().filename());
    return copy;
}

} // namespace

int runSoak(const std::string& folder, uint64_t seed, long actions, std::ostream& out) {
    out << "soak: seed " << seed << ", " << actions << " actions on " << folder << std::endl;
    const fs::path copy = privateCopy(folder, seed);
    Soak soak(copy, seed);
    for (long i = 1; i <= actions; ++i) {
        const std::string action = soak.act();
        const std::string fault = soak.check();
        if (!fault.empty()) {
            out << "soak: seed " << seed << ": action " << i << " (" << action << "): " << fault << std::endl;
            return 1;
        }
    }
    out << "soak: " << actions << " actions in " << soak.games() << " games, every check held" << std::endl;
    fs::remove_all(copy);
    return 0;
}

} // namespace gf
