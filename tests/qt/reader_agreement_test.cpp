// The game and gloamfell-check must judge every fuzz input alike; a disagreement is a fault of one.
#include "check/catalogue.hpp"
#include "check/datacheck.hpp"
#include "check/level.hpp"
#include "check/sheet.hpp"
#include "creatures/monster_catalogue.h"
#include "items/item_catalogue.h"
#include "map/map_file.h"
#include "qt_sound.h"
#include "sound/sound.h"
#include "test_game.h"
#include "tile_sheet.h"
#include "util/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace gf {
namespace {

namespace fs = std::filesystem;
namespace check = gloamfell::tools;

struct Input {
    std::string target; // the fuzz target's folder name
    fs::path file;
    friend void PrintTo(const Input& in, std::ostream* os) { *os << in.file.filename().string(); }
};

std::vector<Input> inputs() {
    std::vector<Input> out;
    for (const char* set : {"corpus", "regressions"})
        for (const char* target :
             {"item_catalogue", "monster_catalogue", "map_file", "tile_sheet", "wave_file"})
            if (const fs::path dir = fs::path(GLOAMFELL_FUZZ_DIR) / set / target; fs::is_directory(dir))
                for (const auto& entry : fs::directory_iterator(dir))
                    out.push_back({target, entry.path()});
    std::sort(out.begin(), out.end(), [](const Input& a, const Input& b) { return a.file < b.file; });
    return out;
}

class ReaderAgreement : public ::testing::TestWithParam<Input> {};

// Whether the game takes the file without a box, and whether the checker finds nothing wrong.
TEST_P(ReaderAgreement, gameAndCheckerJudgeAlike) {
    const Input& in = GetParam();
    const std::string contents = readDataFile(in.file.string());
    test::TestGame t;
    check::Faults faults;
    bool game = true;
    if (in.target == "tile_sheet") {
        std::string why;
        game = TileSheet().load(in.file.string(), true);
        if (!check::Sheet::read(contents, why)) faults.push_back({});
    } else if (in.target == "wave_file") {
        // The checker over a folder holding the file as one of the thirteen sounds.
        t.write("walk.wav", contents);
        game = QtSound().load(t.path("walk.wav"), SoundId::Walk).empty();
        for (const check::Fault& f : check::checkDataFolder(t.folder))
            if (f.file == "walk.wav") faults.push_back(f);
    } else if (in.target == "item_catalogue") {
        t.write("item.ini", contents);
        loadItemCatalogue(t.game);
        check::readItemCatalogue(contents, faults);
    } else {
        // The shipped catalogues, so every character of a shipped level places something.
        if (in.target == "map_file") test::prepareEmptyLevel(t);
        t.copyData("item.ini");
        t.copyData("monster.ini");
        if (in.target == "monster_catalogue") t.write("monster.ini", contents);
        loadItemCatalogue(t.game);
        loadMonsterCatalogue(t.game);
        if (in.target == "map_file") {
            t.write("level.map", contents);
            loadLevel(t.game, t.path("level.map"));
            check::readLevel(contents, "level.map", faults);
        } else {
            check::Faults itemFaults;
            const auto items =
                check::readItemCatalogue(readDataFile(GLOAMFELL_DATA_DIR "/item.ini"), itemFaults);
            check::readMonsterCatalogue(contents, items, faults);
        }
    }
    game = game && test::boxTexts(t).empty();
    const auto verdict = [](bool accepts) { return accepts ? "accepts" : "refuses"; };
    EXPECT_EQ(game, faults.empty()) << in.file << ": the game " << verdict(game) << " it, the checker "
                                    << verdict(faults.empty()) << " it";
}

// corpus_map_file_murkhol1 and the like, the same on every run.
std::string caseName(const ::testing::TestParamInfo<Input>& info) {
    std::string name = fs::relative(info.param.file, GLOAMFELL_FUZZ_DIR).replace_extension().string();
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(FuzzInputs, ReaderAgreement, ::testing::ValuesIn(inputs()), caseName);

} // namespace
} // namespace gf
