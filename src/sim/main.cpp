// gloamfell-sim [--player DIR] FOLDER [SCRIPT]: the game without a window, driven by a script.
// Saved games go to FOLDER/saved, or to DIR/saved when the data folder is not the player's.
// gloamfell-sim --soak FOLDER [SEED [ACTIONS]]: random play, checking the game's invariants.
#include "script.h"
#include "soak.h"

#include <random>

#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

static int soak(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::cerr << "usage: gloamfell-sim --soak FOLDER [SEED [ACTIONS]]\n";
        return 2;
    }
    try {
        const uint64_t seed = argc > 3 ? std::stoull(argv[3]) : std::random_device{}();
        const long actions = argc > 4 ? std::stol(argv[4]) : 100000;
        return gf::runSoak(argv[2], seed, actions, std::cout);
    } catch (const std::exception& e) {
        std::cerr << "gloamfell-sim: " << e.what() << '\n';
        return 2;
    }
}

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "--soak") return soak(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    std::optional<std::string> player;
    if (args.size() >= 2 && args[0] == "--player") {
        player = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty() || args.size() > 2) {
        std::cerr << "usage: gloamfell-sim [--player DIR] FOLDER [SCRIPT]\n"
                     "       gloamfell-sim --soak FOLDER [SEED [ACTIONS]]\n";
        return 2;
    }
    const std::string& folder = args[0];
    const std::string playerFolder = player.value_or(folder);
    if (args.size() == 2) {
        std::ifstream script(args[1]);
        if (!script) {
            std::cerr << "gloamfell-sim: cannot read " << args[1] << '\n';
            return 2;
        }
        return gf::runScript(folder, playerFolder, script, std::cout, std::cerr);
    }
    return gf::runScript(folder, playerFolder, std::cin, std::cout, std::cerr);
}
