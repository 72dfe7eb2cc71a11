// Checks the catalogues, tile sheets, sounds and levels of a game data folder and
// lists every fault as "file:line: text". Exits 0 when there is none, 1 when
// there are faults, 2 when the folder cannot be read.
#include "check/datacheck.hpp"

#include <iostream>
#include <string_view>

namespace {

constexpr const char* kUsage = "usage: gloamfell-check FOLDER\n"
                               "       gloamfell-check --help | -h\n"
                               "Checks the catalogues, tile sheets, sounds and levels of a game data folder\n"
                               "with the game's own readers and lists each fault as \"file:line: text\".\n"
                               "Exits 0 with no faults, 1 with faults, 2 when the folder cannot be read.\n";

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (argc != 2) {
        std::cerr << kUsage;
        return 2;
    }
    try {
        const auto faults = gloamfell::tools::checkDataFolder(argv[1]);
        for (const auto& f : faults)
            std::cout << gloamfell::tools::describe(f) << '\n';
        std::cout << gloamfell::tools::summary(faults) << '\n';
        return faults.empty() ? 0 : 1;
    } catch (const gloamfell::tools::FolderUnreadable& e) {
        std::cerr << "gloamfell-check: " << e.what() << '\n';
        return 2;
    }
}
