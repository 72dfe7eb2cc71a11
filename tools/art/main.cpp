// Writes every tile sheet of the game into the folder given as argument, and
// the launcher icons into its icons/ folder.
#include "../common/png.hpp"
#include "icon.hpp"
#include "sheets.hpp"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    using namespace gloamfell::tools;
    if (argc != 2) {
        std::cerr << "usage: gloamfell-make-art OUTPUT_FOLDER\n";
        return 2;
    }
    try {
        const std::filesystem::path out = argv[1];
        std::filesystem::create_directories(out);
        makeFloorSheet().saveBmp(out / "background.bmp");
        makeVoidSheet().saveBmp(out / "void.bmp");
        makeDamageSheet().saveBmp(out / "damage.bmp");
        makeLightSheet().saveBmp(out / "light.bmp");
        makeItemSheet().saveBmp(out / "item.bmp");
        for (int c = 0; c <= 9; ++c)
            makeCreatureSheet(c).saveBmp(out / ("player" + std::to_string(c) + ".bmp"));
        std::filesystem::create_directories(out / "icons");
        for (int size : kIconSizes)
            writeFile(out / "icons" / ("gloamfell-" + std::to_string(size) + ".png"),
                      encodePng(makeIcon(size), true));
    } catch (const std::exception& e) {
        std::cerr << "gloamfell-make-art: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
