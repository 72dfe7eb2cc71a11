// gloamfell-sim FOLDER [SCRIPT]: the game without a window, driven by a script.
#include "script.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: gloamfell-sim FOLDER [SCRIPT]\n";
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
