#include "test_game.h"

#include "creatures/creature_table.h"
#include "creatures/monster_catalogue.h"
#include "creatures/skills.h"
#include "items/item_catalogue.h"
#include "items/item_table.h"
#include "map/map_file.h"
#include "util/text.h"

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
    std::ofstream(folder / name, std::ios::binary) << contents;
}

void TestGame::copyData(const std::string& name) {
    std::filesystem::copy_file(std::filesystem::path(GLOAMFELL_DATA_DIR) / name, folder / name,
                               std::filesystem::copy_options::overwrite_existing);
}

std::string crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

std::string itemEntry(int id, const std::string& name, const std::vector<std::string>& lines) {
    return crlf({"ITEM=" + std::to_string(id), "NAME=" + name}) + crlf(lines);
}

std::string basicItemIni() {
    std::string s;
    for (int i = 1; i <= 16; ++i)
        s += itemEntry(i, "wall " + std::to_string(i), {"IMAGE=" + std::to_string(i), "BLOCKMOVEMENT"});
    int16_t id = ItemId::DoorClosedEW;
    for (const char* name : {"closed door", "open door", "closed door ns", "open door ns", "stairs down",
                             "stairs up", "bones", "small gold", "large gold"}) {
        const bool closed = id == ItemId::DoorClosedEW || id == ItemId::DoorClosedNS;
        s += itemEntry(id, name, {"IMAGE=" + std::to_string(id)}) + (closed ? "BLOCKMOVEMENT\r\n" : "");
        ++id;
    }
    return s + itemEntry(26, "dagger", {"IMAGE=26", "DAMAGE=3", "MOVABLE"}) +
           itemEntry(27, "soft leather armor", {"IMAGE=27", "ARMOR=2", "MOVABLE"}) +
           itemEntry(28, "rat carcass", {"IMAGE=28", "MOVABLE"});
}

std::string basicMonsterIni() {
    return crlf({"MONSTER=1", "NAME=rat", "LEVEL=1", "IMAGE=1", "LIFE=6", "STAMINA=20", "SIGHTRANGE=5",
                 "MELEE=5", "DEADITEM=rat carcass", "SOUNDID=6"}) +
           crlf({"MONSTER=2", "NAME=goblin", "LEVEL=2", "IMAGE=2", "LIFE=12", "STAMINA=40", "SIGHTRANGE=7",
                 "MELEE=12", "DEADITEM=0", "SOUNDID=0"});
}

void prepareEmptyLevel(TestGame& t) {
    prepareEmptyLevel(t, t.game);
}

void prepareEmptyLevel(TestGame& t, Game& game) {
    t.write("item.ini", basicItemIni());
    t.write("monster.ini", basicMonsterIni());
    loadItemCatalogue(game);
    createCreatureTable(game.creatures);
    loadMonsterCatalogue(game);
    clearLevel(game, "Test");
}

std::vector<std::string> boxTexts(const TestGame& t) {
    std::vector<std::string> out;
    for (const auto& e : t.io.log.of("msgbox"))
        out.push_back(e["text"].get<std::string>());
    return out;
}

void draw(Game& g, int32_t x0, int32_t y0, const std::vector<std::string>& art) {
    const std::string chars = "XDOg";
    const int16_t ids[] = {ItemId::StoneWall, ItemId::DoorClosedEW, ItemId::DoorOpenEW, ItemId::SmallGold};
    for (std::size_t row = 0; row < art.size(); ++row)
        for (std::size_t col = 0; col < art[row].size(); ++col)
            if (const auto k = chars.find(art[row][col]); k != std::string::npos)
                addItem(g, ids[k], x0 + static_cast<int32_t>(col), y0 + static_cast<int32_t>(row));
}

int16_t idAt(Game& g, int32_t x, int32_t y) {
    const int32_t index = g.level.itemAt(x, y);
    return index == 0 ? 0 : g.items(index).id;
}

void prepareFightLevel(TestGame& t) {
    prepareEmptyLevel(t);
    std::string s = basicItemIni() + itemEntry(FightItem::Stick, "stick", {"DAMAGE=1", "MOVABLE"}) +
                    itemEntry(FightItem::Club, "club", {"DAMAGE=12", "MOVABLE"}) +
                    itemEntry(FightItem::SpikedShield, "spiked shield", {"DAMAGE=3", "ARMOR=2", "MOVABLE"});
    int16_t id = FightItem::Armor1;
    for (const int armor : {1, 3, 4, 5, 10})
        s += itemEntry(id++, "armor " + std::to_string(armor), {"ARMOR=" + std::to_string(armor), "MOVABLE"});
    t.write("item.ini", s + itemEntry(FightItem::Pebble, "pebble", {"MOVABLE"}));
    loadItemCatalogue(t.game);
    initSkills(t.game);
    t.game.sounds.enabled = true;
}

int32_t addUser(TestGame& t, int32_t x, int32_t y, int16_t facing, int32_t melee, const std::string& name) {
    Game& g = t.game;
    g.creatures.current = addCreature(g, 0, x, y);
    Creature& p = g.creatures(g.creatures.current);
    p.name = fixedName(name);
    p.facing = facing;
    p.skill(kMeleeSkill) = CreatureSkill{true, melee, 0, 100};
    return g.creatures.current;
}

std::vector<std::string> shownMessages(Game& g) {
    std::vector<std::string> out;
    for (const Message& m : g.messages.lines)
        if (m.inUse) out.push_back(m.text);
    return out;
}

} // namespace gf::test
