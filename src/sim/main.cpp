// gloamfell-sim FOLDER [SCRIPT]: the game without a window, driven by a script.
// gloamfell-sim --soak FOLDER [SEED [ACTIONS]]: random play, checking the game's invariants.
#include "script.h"
#include "soak.h"

#include <random>

#include <fstream>
#include <iostream>

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
    if (argc < 2 || argc > 3) {
        std::cerr
            << "usage: gloamfell-sim FOLDER [SCRIPT]\n       gloamfell-sim --soak FOLDER [SEED [ACTIONS]]\n";
        return 2;
    }
    const std::string folder = argv[1];
    if (argc == 3) {
        std::ifstream script(argv[2]);
        if (!script) {
            std::cerr << "gloamfell-sim: cannot read " << argv[2] << '\n';
            return 2;
        }
        return gf::runScript(folder, script, std::cout, std::cerr);
    }
    return gf::runScript(folder, std::cin, std::cout, std::cerr);
}
