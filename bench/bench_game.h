#pragma once
// Games for the benchmarks: the scripted seam over the shipped data, so each
// measure runs the code the game runs on the files the game ships.
#include "creatures/creature_table.h"
#include "creatures/monster_catalogue.h"
#include "creatures/skills.h"
#include "items/item_catalogue.h"
#include "items/item_table.h"
#include "map/map_file.h"
#include "scripted_platform.h"

#include <filesystem>
#include <stdexcept>
#include <string>

namespace gf::bench {

class BenchGame {
public:
    // Draws on the given canvas, or on the recording one when none is given.
    explicit BenchGame(Canvas* canvas = nullptr, std::string folder = GLOAMFELL_DATA_DIR)
        : game(Platform{io.clock, io.random, io.window, io.sound, canvas ? *canvas : io.canvas},
               std::move(folder)) {
        loadItemCatalogue(game);
        createCreatureTable(game.creatures);
        loadMonsterCatalogue(game);
        initSkills(game);
        check("the catalogues");
    }

    // A level file of the program's folder, with the user's creature on its start cell.
    void playLevel(const std::string& name) {
        loadLevel(game, game.folder + "/" + name);
        io.window.inputAnswers.push_back("Bench");
        createUser(game);
        check(name);
    }

    // No walls at all, so every cell in range is seen and lit: the most drawing
    // a view can need. A scatter of gold and monsters keeps every layer busy.
    void playOpenLevel() {
        clearLevel(game, "Open");
        for (int k = 0; k < 60; ++k)
            addItem(game, static_cast<int16_t>(24 + k % 2), (k * 37) % 101, (k * 53) % 101);
        for (int k = 0; k < 19; ++k)
            addCreature(game, static_cast<int16_t>(1 + k % 2), 20 + (k * 13) % 60, 30 + (k * 7) % 40);
        game.level.startX = game.level.startY = 50;
        io.window.inputAnswers.push_back("Bench");
        createUser(game);
        check("the open level");
    }

    ScriptedPlatform io;
    Game game;

private:
    // A benchmark of a game that failed to build would measure nothing.
    void check(const std::string& what) {
        if (!io.log.of("msgbox").empty())
            throw std::runtime_error(what + " did not load cleanly: " + io.log.of("msgbox").front().dump());
    }
};

} // namespace gf::bench
