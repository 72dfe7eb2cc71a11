// Writes the game's sound effects into the folder given as argument.
#include "synth.hpp"

#include "../common/image.hpp"
#include "../common/wav.hpp"

#include <exception>
#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    using namespace gloamfell::tools;
    if (argc != 2) {
        std::cerr << "usage: gloamfell-make-sounds OUTPUT_FOLDER\n";
        return 2;
    }
    try {
        const std::filesystem::path out = argv[1];
        std::filesystem::create_directories(out);
        for (const Sound& s : makeSounds())
            writeFile(out / s.file, encodeWav(s.samples));
    } catch (const std::exception& e) {
        std::cerr << "gloamfell-make-sounds: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
