// Where the desktop game reads its data and keeps saved games.
#include "app/menus.h"
#include "creatures/creature_table.h"
#include "folders.h"
#include "qt_text.h"
#include "test_game.h"
#include "util/text.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace gf {
namespace {

namespace fs = std::filesystem;

class FoldersTest : public ::testing::Test {
protected:
    FoldersTest() { QStandardPaths::setTestModeEnabled(true); }
    ~FoldersTest() override {
        QDir(perUser()).removeRecursively();
        QStandardPaths::setTestModeEnabled(false);
    }
    static QString perUser() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }
    QTemporaryDir root;
};

// A portable copy saves beside itself, an installed one per user; --data wins over both.
TEST_F(FoldersTest, dataAndSavedGamesFollowTheLayout) {
    QDir(root.path()).mkpath(QStringLiteral("portable"));
    QFile(root.filePath(QStringLiteral("portable/item.ini"))).open(QIODevice::WriteOnly);
    // The program's folder, --data, and the data and saves expected, under the root.
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"portable", "", "portable", "portable"},
        {"usr/games", "", "usr/share/games/gloamfell", nullptr},
        {"portable", "mine", "mine", nullptr},
        {"usr/games", "mine", "mine", nullptr}};
    for (const auto& [program, option, data, saves] : cases) {
        const Folders f = chooseFolders(root.filePath(program), *option ? root.filePath(option) : QString());
        EXPECT_EQ(std::pair(f.data, f.player),
                  std::pair(root.filePath(data), saves ? root.filePath(saves) : perUser()))
            << program << " " << option;
    }
}

// An installed game saves in the per-user folder, created on the way, and loads from there.
TEST_F(FoldersTest, savedGamesGoToThePlayersFolder) {
    test::TestGame t;
    Game game(Platform{t.io.clock, t.io.random, t.io.window, t.io.sound, t.io.canvas}, t.folder.string(),
              pathFromQt(perUser()));
    test::prepareEmptyLevel(t, game);
    game.creatures.current = addCreature(game, 0, 50, 50);
    game.creatures(game.creatures.current).name = fixedName("Ann");
    onSaveGame(game);
    const fs::path saved = fs::path(pathFromQt(perUser())) / "saved" / "Ann.saved";
    EXPECT_EQ(std::pair(fs::is_regular_file(saved), fs::exists(t.folder / "saved")), std::pair(true, false));

    game.creatures(game.creatures.current).x = 40;
    t.io.window.fileAnswers = {saved.string()};
    onLoadGame(game);
    EXPECT_EQ(game.creatures(game.creatures.current).x, 50);
    ASSERT_EQ(t.io.log.of("filedialog").size(), 1u);
    EXPECT_EQ(t.io.log.of("filedialog")[0]["folder"], pathFromQt(perUser()) + "\\saved\\");
    EXPECT_EQ(test::boxTexts(t), std::vector<std::string>{});
}

} // namespace
} // namespace gf
