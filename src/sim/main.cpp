// gloamfell-sim [--player DIR] FOLDER [SCRIPT]: the game without a window, driven by a script.
// Saved games go to FOLDER/saved, or to DIR/saved when the data folder is not the player's.
// gloamfell-sim --soak FOLDER [SEED [ACTIONS]]: random play, checking the game's invariants.
#include "script.h"
#include "soak.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage = "usage: gloamfell-sim [--player DIR] FOLDER [SCRIPT]\n"
                               "       gloamfell-sim --soak FOLDER [SEED [ACTIONS]]\n"
                               "       gloamfell-sim --help\n"
                               "Plays the game in FOLDER without a window, one command per line from SCRIPT\n"
                               "or standard input, and writes JSON lines; saved games go under DIR/saved\n"
                               "(FOLDER/saved without --player); --soak plays at random.\n";

// A typo in a script or a CI job must fail loudly rather than read standard input.
int refuse(const std::string& reason) {
    std::cerr << "gloamfell-sim: " << reason << '\n';
    return 2;
}

// Empty when the game can read the folder.
std::string folderProblem(const std::string& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return folder + " is not a folder";
    fs::directory_iterator listing(folder, ec);
    if (ec) return "cannot read the folder " + folder + ": " + ec.message();
    return {};
}

int soak(const std::vector<std::string>& args) {
    if (args.empty() || args.size() > 3) return refuse("--soak takes FOLDER [SEED [ACTIONS]] (see --help)");
    if (const std::string problem = folderProblem(args[0]); !problem.empty()) return refuse(problem);
    try {
        const uint64_t seed = args.size() > 1 ? std::stoull(args[1]) : std::random_device{}();
        const long actions = args.size() > 2 ? std::stol(args[2]) : 100000;
        return gf::runSoak(args[0], seed, actions, std::cout);
    } catch (const std::exception& e) {
        return refuse(e.what());
    }
}

// Saved games go under the player's folder, by default the data folder as in a portable copy.
int play(const std::vector<std::string>& args, const std::optional<std::string>& player) {
    if (args.empty() || args.size() > 2) return refuse("expected FOLDER [SCRIPT] (see --help)");
    if (const std::string problem = folderProblem(args[0]); !problem.empty()) return refuse(problem);
    const std::string playerFolder = player.value_or(args[0]);
    if (args.size() == 1) return gf::runScript(args[0], playerFolder, std::cin, std::cout, std::cerr);
    std::error_code ec;
    if (fs::is_directory(args[1], ec)) return refuse("the script " + args[1] + " is a folder");
    std::ifstream script(args[1]);
    if (!script) return refuse("cannot read the script " + args[1]);
    return gf::runScript(args[0], playerFolder, script, std::cout, std::cerr);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool soakMode = !args.empty() && args[0] == "--soak";
    if (soakMode) args.erase(args.begin());
    std::optional<std::string> player;
    if (!soakMode && args.size() >= 2 && args[0] == "--player") {
        player = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    for (const std::string& arg : args) {
        if (arg == "--help") {
            std::cout << kUsage;
            return 0;
        }
        if (arg.size() > 1 && arg[0] == '-') return refuse("unknown option " + arg + " (see --help)");
    }
    return soakMode ? soak(args) : play(args, player);
}
