// Where the desktop game reads its data and keeps saved games: beside a
// portable copy, in the player's own folder for an installed game.
#include "folders.h"
#include "qt_text.h"
#include "scripted_platform.h"
#include "shell/menus.h"
#include "shell/startup.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

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
    QString make(const QString& relative) {
        const QString path = root.filePath(relative);
        QDir().mkpath(path);
        return path;
    }
    QTemporaryDir root;
};

struct FolderCase {
    const char* name;
    const char* program;    // the executable's folder, under the temporary root
    bool holdsData;         // item.ini beside the executable
    const char* dataOption; // --data, under the temporary root
    const char* data;       // expected, under the temporary root
    bool savesBeside;       // saved/ beside the data, else in the per-user folder
    friend void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }
};

class ChooseFolders : public FoldersTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(ChooseFolders, data_and_saved_games) {
    const FolderCase& c = GetParam();
    const QString program = make(QString::fromLatin1(c.program));
    if (c.holdsData) QFile(QDir(program).filePath(QStringLiteral("item.ini"))).open(QIODevice::WriteOnly);
    const QString option = *c.dataOption ? root.filePath(QString::fromLatin1(c.dataOption)) : QString();
    const Folders f = chooseFolders(program, option);
    EXPECT_EQ(f.data, root.filePath(QString::fromLatin1(c.data)));
    EXPECT_EQ(f.player, c.savesBeside ? f.data : perUser());
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ChooseFolders,
    ::testing::Values(FolderCase{"portable_copy", "game", true, "", "game", true},
                      FolderCase{"installed", "usr/games", false, "", "usr/share/games/gloamfell", false},
                      FolderCase{"data_option_wins", "game", true, "mine", "mine", false},
                      FolderCase{"data_option_on_install", "usr/games", false, "mine", "mine", false}),
    [](const auto& info) { return std::string(info.param.name); });

// An installed game never writes into its installation: the save goes to the
// per-user folder, created on the way, and the Load dialog opens there.
TEST_F(FoldersTest, installedGameSavesAndLoadsInThePlayersFolder) {
    const QString program = make(QStringLiteral("usr/games"));
    const fs::path data = pathFromQt(make(QStringLiteral("usr/share/games/gloamfell")));
    for (const char* file : {"item.ini", "monster.ini", "murkhol1.map"})
        fs::copy_file(fs::path(GLOAMFELL_DATA_DIR) / file, data / file);
    const Folders f = chooseFolders(program, {});
    ASSERT_EQ(pathToQt(data.string()), f.data);

    ScriptedPlatform io;
    io.sound.deviceAvailable = false;
    Game game(io.platform(), pathFromQt(f.data), pathFromQt(f.player));
    io.window.menuAnswers = {MenuChoice::New};
    io.window.boxAnswers = {Answer::No};
    io.window.inputAnswers = {"Ann"};
    Form_Load(game);
    ASSERT_NE(game.CurrentPlayer, 0);
    const std::size_t boxes = io.log.of("msgbox").size();

    mnuFileSave_Click(game);
    const fs::path saved = fs::path(pathFromQt(perUser())) / "saved" / "Ann.saved";
    EXPECT_TRUE(fs::is_regular_file(saved));
    for (const auto& entry :
         fs::recursive_directory_iterator(pathFromQt(root.filePath(QStringLiteral("usr")))))
        EXPECT_NE(entry.path().filename(), "saved") << entry.path();

    const int32_t x = game.player(game.CurrentPlayer).X;
    game.player(game.CurrentPlayer).X = x + 1;
    io.window.fileAnswers = {saved.string()};
    mnuFileLoad_Click(game);
    ASSERT_EQ(io.log.of("filedialog").size(), 1u);
    EXPECT_EQ(io.log.of("filedialog")[0]["folder"], pathFromQt(perUser()) + "\\saved\\");
    EXPECT_EQ(game.player(game.CurrentPlayer).X, x);
    EXPECT_EQ(io.log.of("msgbox").size(), boxes) << "an error box was shown";
}

} // namespace
} // namespace gf
