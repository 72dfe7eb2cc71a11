#include "test_game.h"

#include "creatures/creature_table.h"
#include "creatures/monster_catalogue.h"
#include "items/item_catalogue.h"
#include "items/item_table.h"
#include "map/map_file.h"

#include <atomic>
#include <fstream>
#include <unistd.h>

namespace gf::test {

static std::filesystem::path freshFolder() {
    static std::atomic<int> counter{0};
    auto dir = std::filesystem::temp_directory_path() /
               ("gloamfell-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

TestGame::TestGame() : folder(freshFolder()), game(io.platform(), folder.string()) {}

TestGame::~TestGame() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

void TestGame::write(const std::string& name, const std::string& contents) {
    std::ofstream out(folder / name, std::ios::binary);
    out << contents;
}

void TestGame::copyData(const std::string& name) {
    std::filesystem::copy_file(std::filesystem::path(GLOAMFELL_DATA_DIR) / name, folder / name,
                               std::filesystem::copy_options::overwrite_existing);
}

std::string crlf(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

std::string basicItemIni() {
    std::string s;
    for (int i = 1; i <= 16; ++i)
        s += "ITEM=" + std::to_string(i) + "\r\nNAME=wall " + std::to_string(i) +
             "\r\nIMAGE=" + std::to_string(i) + "\r\nBLOCKMOVEMENT\r\n";
    s += crlf({"ITEM=17",
               "NAME=closed door",
               "IMAGE=17",
               "BLOCKMOVEMENT",
               "ITEM=18",
               "NAME=open door",
               "IMAGE=18",
               "ITEM=19",
               "NAME=closed door ns",
               "IMAGE=19",
               "BLOCKMOVEMENT",
               "ITEM=20",
               "NAME=open door ns",
               "IMAGE=20",
               "ITEM=21",
               "NAME=stairs down",
               "IMAGE=21",
               "ITEM=22",
               "NAME=stairs up",
               "IMAGE=22",
               "ITEM=23",
               "NAME=bones",
               "IMAGE=23",
               "ITEM=24",
               "NAME=small gold",
               "IMAGE=24",
               "ITEM=25",
               "NAME=large gold",
               "IMAGE=25",
               "ITEM=26",
               "NAME=dagger",
               "IMAGE=26",
               "DAMAGE=3",
               "MOVABLE",
               "ITEM=27",
               "NAME=soft leather armor",
               "IMAGE=27",
               "ARMOR=2",
               "MOVABLE",
               "ITEM=28",
               "NAME=rat carcass",
               "IMAGE=28",
               "MOVABLE"});
    return s;
}

std::string basicMonsterIni() {
    return crlf({"MONSTER=1",    "NAME=rat",     "LEVEL=1",
                 "IMAGE=1",      "LIFE=6",       "STAMINA=20",
                 "SIGHTRANGE=5", "MELEE=5",      "DEADITEM=rat carcass",
                 "SOUNDID=6",    "MONSTER=2",    "NAME=goblin",
                 "LEVEL=2",      "IMAGE=2",      "LIFE=12",
                 "STAMINA=40",   "SIGHTRANGE=7", "MELEE=12",
                 "DEADITEM=0",   "SOUNDID=0"});
}

void prepareEmptyLevel(TestGame& t) {
    prepareEmptyLevel(t, t.game);
}

void prepareEmptyLevel(TestGame& t, Game& game) {
    t.write("item.ini", basicItemIni());
    t.write("monster.ini", basicMonsterIni());
    modItem_Init(game);
    createPlayers(game);
    modMonster_Init(game);
    modMap_Clear(game, "Test");
}

std::vector<std::string> boxTexts(const TestGame& t) {
    std::vector<std::string> out;
    for (const auto& e : t.io.log.of("msgbox"))
        out.push_back(e["text"].get<std::string>());
    return out;
}

void draw(Game& g, int32_t x0, int32_t y0, const std::vector<std::string>& art) {
    for (std::size_t row = 0; row < art.size(); ++row)
        for (std::size_t col = 0; col < art[row].size(); ++col) {
            const int32_t x = x0 + static_cast<int32_t>(col), y = y0 + static_cast<int32_t>(row);
            switch (art[row][col]) {
            case 'X':
                modItem_Add(g, ItemId::StoneWall, x, y);
                break;
            case 'D':
                modItem_Add(g, ItemId::DoorClosedEW, x, y);
                break;
            case 'O':
                modItem_Add(g, ItemId::DoorOpenEW, x, y);
                break;
            case 'g':
                modItem_Add(g, ItemId::SmallGold, x, y);
                break;
            default:
                break;
            }
        }
}

int16_t idAt(Game& g, int32_t x, int32_t y) {
    const int32_t index = g.MapItem(x, y);
    return index == 0 ? 0 : g.Items(index).ID;
}

} // namespace gf::test
