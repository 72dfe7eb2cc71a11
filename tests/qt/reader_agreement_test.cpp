// The game and gloamfell-check must judge every file alike: each fuzz input
// for the catalogues, levels and sheets goes through both, and a file one
// takes and the other refuses is a fault of whichever is wrong.
#include "check/catalogue.hpp"
#include "check/level.hpp"
#include "check/sheet.hpp"
#include "cls_bitmap.h"
#include "creatures/monster_catalogue.h"
#include "items/item_catalogue.h"
#include "map/map_file.h"
#include "shell/files.h"
#include "test_game.h"

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
};

void PrintTo(const Input& in, std::ostream* os) {
    *os << in.file;
}

std::vector<Input> inputs() {
    std::vector<Input> out;
    for (const char* set : {"corpus", "regressions"})
        for (const char* target : {"item_catalogue", "monster_catalogue", "map_file", "tile_sheet"}) {
            const fs::path dir = fs::path(GLOAMFELL_FUZZ_DIR) / set / target;
            if (!fs::is_directory(dir)) continue;
            for (const auto& entry : fs::directory_iterator(dir))
                out.push_back({target, entry.path()});
        }
    std::sort(out.begin(), out.end(), [](const Input& a, const Input& b) { return a.file < b.file; });
    return out;
}

std::string describeVerdict(bool accepted) {
    return accepted ? "accepts" : "refuses";
}

class ReaderAgreement : public ::testing::TestWithParam<Input> {
protected:
    // Whether the game takes the file without a single box.
    bool gameAccepts(const std::string& contents) {
        const std::string& target = GetParam().target;
        if (target == "item_catalogue") {
            t.write("item.ini", contents);
            modItem_Init(t.game);
        } else if (target == "monster_catalogue") {
            t.copyData("item.ini");
            modItem_Init(t.game);
            t.write("monster.ini", contents);
            modMonster_Init(t.game);
        } else {
            // The shipped catalogues, so every character of a shipped level places something.
            test::prepareEmptyLevel(t);
            t.copyData("item.ini");
            t.copyData("monster.ini");
            modItem_Init(t.game);
            modMonster_Init(t.game);
            t.write("level.map", contents);
            modMap_Load(t.game, t.path("level.map"));
        }
        return t.io.log.of("msgbox").empty();
    }

    // Whether the checker finds nothing wrong with how the file reads.
    static bool checkerAccepts(const std::string& contents) {
        const std::string& target = GetParam().target;
        check::Faults faults;
        if (target == "item_catalogue") {
            check::readItemCatalogue(contents, faults);
        } else if (target == "monster_catalogue") {
            check::Faults itemFaults;
            const auto items =
                check::readItemCatalogue(readDataFile(GLOAMFELL_DATA_DIR "/item.ini"), itemFaults);
            check::readMonsterCatalogue(contents, items, faults);
        } else {
            check::readLevel(contents, "level.map", faults);
        }
        return faults.empty();
    }

    test::TestGame t;
};

TEST_P(ReaderAgreement, gameAndCheckerJudgeAlike) {
    const Input& in = GetParam();
    const std::string contents = readDataFile(in.file.string());
    bool game = false, checker = false;
    if (in.target == "tile_sheet") {
        std::string why;
        game = clsBitmap().LoadBitmap(in.file.string(), true);
        checker = check::Sheet::read(contents, why).has_value();
    } else {
        game = gameAccepts(contents);
        checker = checkerAccepts(contents);
    }
    EXPECT_EQ(game, checker) << in.file << ": the game " << describeVerdict(game) << " it, the checker "
                             << describeVerdict(checker) << " it";
}

INSTANTIATE_TEST_SUITE_P(FuzzInputs, ReaderAgreement, ::testing::ValuesIn(inputs()),
                         [](const ::testing::TestParamInfo<Input>& info) {
                             std::string name =
                                 info.param.file.parent_path().parent_path().filename().string() + "_" +
                                 info.param.target + "_" + info.param.file.stem().string();
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

} // namespace
} // namespace gf
