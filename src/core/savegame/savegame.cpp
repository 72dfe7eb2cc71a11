#include "savegame/savegame.h"

#include "items/item_table.h"
#include "map/map_file.h"
#include "messages/messages.h"
#include "savegame/level_block.h"
#include "savegame/records.h"
#include "state/game.h"
#include "state/guard.h"
#include "util/text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace gf {

namespace {

// No game can fill more entries than the grid has cells (plus one step of
// growth), so larger counts only come from a damaged or foreign file.
constexpr int64_t kMaxSavedEntries = 100'000;

std::string encodeGame(const Game& g) {
    RecordWriter w;
    w.int32(g.creatures.size());
    for (const Creature& p : g.creatures)
        w.creature(p);
    w.int32(g.items.size());
    for (const Item& i : g.items)
        w.item(i);
    return w.bytes() + encodeLevelBlock(levelHeaderOf(g.level));
}

// Closes a descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // The result of close(), which can report a write the disk did not keep.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

[[noreturn]] void failWriting(const fs::path& path, int err) {
    fail("Cannot write " + path.string() + ": " + std::strerror(err));
}

void writeAll(int fd, const fs::path& path, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) failWriting(path, n < 0 ? errno : ENOSPC);
        done += static_cast<std::size_t>(n);
    }
}

// A fresh file of our own beside the target. Whatever holds its name, a file
// a crash left or a link someone planted, is removed rather than opened, and
// O_EXCL with O_NOFOLLOW refuses anything planted after that.
Descriptor createTemporary(int folder, const std::string& name) {
    ::unlinkat(folder, name.c_str(), 0);
    return Descriptor(
        ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
}

// Written whole to a temporary file, then renamed over the target, so a save
// cut short leaves the earlier file; nothing here follows a link in saved/.
void writeWhole(const fs::path& path, const std::string& bytes) {
    const fs::path folderPath = path.parent_path();
    const std::string target = path.filename().string();
    // saved/ itself may be a link the user made to another disk.
    Descriptor folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0) failWriting(path, errno);
    struct stat existing {};
    if (::fstatat(folder.get(), target.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISLNK(existing.st_mode))
        fail(path.string() + " is a link to another file; the game does not save through links");
    const std::string temporary = target + "." + std::to_string(::getpid()) + ".tmp";
    Descriptor file = createTemporary(folder.get(), temporary);
    if (file.get() < 0) failWriting(path, errno);
    try {
        writeAll(file.get(), path, bytes);
        const bool synced = ::fsync(file.get()) == 0;
        const int err = errno;
        if (!file.close() || !synced) failWriting(path, synced ? errno : err);
        if (::renameat(folder.get(), temporary.c_str(), folder.get(), target.c_str()) != 0)
            failWriting(path, errno);
    } catch (...) {
        ::unlinkat(folder.get(), temporary.c_str(), 0);
        throw;
    }
    // The rename itself reaches the disk only with its folder.
    ::fsync(folder.get());
}

// The counts and every field are read into fresh tables; only a file that is
// sound throughout replaces the running game.
struct LoadedGame {
    CreatureTable creatures;
    ItemTable items;
    Layer<int32_t> itemAt;
    Layer<int32_t> creatureAt;
    std::optional<LevelHeader> header; // none in a file saved without it
};

int32_t readCount(std::ifstream& in, std::uintmax_t fileSize, std::uintmax_t before, std::size_t recordSize,
                  const char* what) {
    if (fileSize < before + kCountSize)
        fail("The file is too short to hold the number of " + std::string(what));
    char bytes[kCountSize];
    in.seekg(static_cast<std::streamoff>(before));
    if (!in.read(bytes, kCountSize)) fail("The file cannot be read");
    const int32_t count = RecordReader(std::string_view(bytes, kCountSize)).int32();
    if (count < 1)
        fail("The file announces " + std::to_string(count) + " " + what + "; at least 1 is needed");
    if (count > kMaxSavedEntries)
        fail("The file announces " + std::to_string(count) + " " + what + "; no game holds more than " +
             std::to_string(kMaxSavedEntries));
    const std::uintmax_t needed = before + kCountSize + recordSize * static_cast<std::uintmax_t>(count);
    if (fileSize < needed)
        fail("The file is cut short: " + std::to_string(count) + " " + what + " need " +
             std::to_string(needed) + " bytes, the file has " + std::to_string(fileSize));
    return count;
}

std::string readBytes(std::ifstream& in, std::uintmax_t offset, std::size_t size) {
    std::string bytes(size, '\0');
    in.seekg(static_cast<std::streamoff>(offset));
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) fail("The file cannot be read");
    return bytes;
}

std::string at(int32_t x, int32_t y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

void checkItemNumber(const Catalogues& catalogue, int16_t id, const std::string& whose) {
    if (!catalogue.items.valid(id))
        fail(whose + " has item number " + std::to_string(id) + ", which item.ini does not have");
}

void placeCreatures(const Game& g, LoadedGame& l) {
    for (int32_t i = 1; i <= l.creatures.size(); ++i) {
        const Creature& p = l.creatures(i);
        if (!p.active) continue;
        const std::string who = "Creature " + std::to_string(i);
        if (!inMap(p.x, p.y)) fail(who + " stands off the map at " + at(p.x, p.y));
        if (l.creatureAt(p.x, p.y) != 0)
            fail(who + " and creature " + std::to_string(l.creatureAt(p.x, p.y)) + " stand on one cell " +
                 at(p.x, p.y));
        if (p.monsterType < 0 || (p.monsterType > 0 && !g.catalogue.monsters.valid(p.monsterType)))
            fail(who + " has monster type " + std::to_string(p.monsterType) +
                 ", which monster.ini does not have");
        if (p.facing < 0 || p.facing > 9)
            fail(who + " faces " + std::to_string(p.facing) + ", not a direction");
        if (p.weaponSlot < 0 || p.weaponSlot > kCarrySlots || p.armourSlot < 0 || p.armourSlot > kCarrySlots)
            fail(who + " readies a carry slot that does not exist");
        for (int slot = 1; slot <= kCarrySlots; ++slot)
            if (p.carry(slot).inUse)
                checkItemNumber(g.catalogue, p.carry(slot).id, who + "'s carry slot " + std::to_string(slot));
        if (p.monsterType == 0) {
            if (l.creatures.current != 0)
                fail("Creatures " + std::to_string(l.creatures.current) + " and " + std::to_string(i) +
                     " are both the user's creature");
            l.creatures.current = i;
        }
        l.creatureAt(p.x, p.y) = i;
    }
    if (l.creatures.current == 0) fail("The file holds no user's creature");
}

void placeItems(const Game& g, LoadedGame& l) {
    for (int32_t i = 1; i <= l.items.size(); ++i) {
        const Item& item = l.items(i);
        if (!item.inUse) continue;
        const std::string what = "Item " + std::to_string(i);
        if (!inMap(item.x, item.y)) fail(what + " lies off the map at " + at(item.x, item.y));
        if (l.itemAt(item.x, item.y) != 0)
            fail(what + " and item " + std::to_string(l.itemAt(item.x, item.y)) + " lie on one cell " +
                 at(item.x, item.y));
        checkItemNumber(g.catalogue, item.id, what);
        l.itemAt(item.x, item.y) = i;
    }
}

LoadedGame readGame(const Game& g, const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) fail("File not found: " + path);
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) fail("Cannot read " + path + ": " + ec.message());
    std::ifstream in(path, std::ios::binary);
    if (!in) fail("Cannot open " + path);

    LoadedGame l;
    const int32_t n = readCount(in, size, 0, kPlayerRecordSize, "creature entries");
    const std::uintmax_t itemsAt = kCountSize + kPlayerRecordSize * static_cast<std::uintmax_t>(n);
    const int32_t m = readCount(in, size, itemsAt, kItemRecordSize, "item entries");

    l.creatures.reset(n);
    const std::string players = readBytes(in, kCountSize, kPlayerRecordSize * static_cast<std::size_t>(n));
    RecordReader playerReader(players);
    for (Creature& p : l.creatures)
        p = playerReader.creature();

    l.items.reset(m);
    const std::string items =
        readBytes(in, itemsAt + kCountSize, kItemRecordSize * static_cast<std::size_t>(m));
    RecordReader itemReader(items);
    for (Item& item : l.items)
        item = itemReader.item();

    const std::uintmax_t end = itemsAt + kCountSize + kItemRecordSize * static_cast<std::uintmax_t>(m);
    l.header = decodeLevelBlock(readBytes(in, end, std::min<std::uintmax_t>(size - end, kMaxLevelBlock)));

    // Clock readings of another day or another time mean nothing now.
    for (Creature& p : l.creatures)
        p.nextMoveTime = p.nextAttackTime = 0;

    l.creatureAt.create();
    l.itemAt.create();
    placeCreatures(g, l);
    placeItems(g, l);
    return l;
}

} // namespace

// A saved game goes directly into saved/ and nowhere else.
std::string saveNameProblem(const std::string& name) {
    if (name.empty()) return "A saved game needs a name";
    if (name.find(kNotLatin1) != std::string::npos)
        return "A saved game cannot hold that name: it has a character outside Latin-1 (Western European "
               "letters)";
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || c == ':' || u < 0x20 || (u >= 0x7F && u < 0xA0))
            return "\"" + name +
                   "\" cannot name a saved game: it may not hold slashes, colons or control characters";
    }
    if (name.find("..") != std::string::npos)
        return "\"" + name + "\" cannot name a saved game: it may not hold \"..\"";
    if (name.front() == '.')
        return "\"" + name + "\" cannot name a saved game: a name beginning with \".\" would hide its file";
    return {};
}

// The name is Latin-1, the file system's names are UTF-8: the Load dialog must show it.
fs::path savedGamePath(const Game& g, const std::string& name) {
    return fs::path(g.playerFolder) / "saved" / (latin1ToUtf8(name) + ".saved");
}

bool saveGameFile(Game& g, const std::string& name) {
    return guarded(
        g, "modFile_Save",
        [&] {
            if (const std::string problem = saveNameProblem(name); !problem.empty()) fail(problem);
            if (g.creatures.size() < 1 || g.items.size() < 1) fail("There is no game to save");
            const fs::path target = savedGamePath(g, name);
            const fs::path folder = target.parent_path();
            std::error_code ec;
            const fs::file_status status = fs::status(folder, ec);
            if (!fs::exists(status)) {
                // The per-user folder itself may not exist before the first save.
                fs::create_directories(folder, ec);
                if (ec) fail("Cannot create the folder " + folder.string() + ": " + ec.message());
            } else if (!fs::is_directory(status)) {
                fail(folder.string() + " is not a folder");
            }
            writeWhole(target, encodeGame(g));
            g.session.gameFile = target.string();
            return true;
        },
        false);
}

bool loadGameFile(Game& g, const std::string& path) {
    return guarded(
        g, "modFile_Load",
        [&] {
            LoadedGame l = readGame(g, path);
            Layer<bool> visible;
            Layer<int16_t> light;
            visible.create();
            light.create();
            const Creature& user = l.creatures(l.creatures.current);
            const int32_t viewX = user.x;
            const int32_t viewY = user.y;

            g.creatures = std::move(l.creatures);
            g.items = std::move(l.items);
            itemTableReplaced(g.items);
            g.level.creatureAt = std::move(l.creatureAt);
            g.level.itemAt = std::move(l.itemAt);
            g.level.visible = std::move(visible);
            g.level.light = std::move(light);
            g.creatures.current = l.creatures.current;
            g.screen.viewX = viewX;
            g.screen.viewY = viewY;
            g.session.gameFile = path;
            if (l.header) {
                g.level.name = l.header->name;
                g.level.lower = l.header->lower;
                g.level.upper = l.header->upper;
                g.level.startX = l.header->startX;
                g.level.startY = l.header->startY;
                setLevelCaption(g, g.level.name);
            } else if (g.level.lower.empty() && g.level.upper.empty()) {
                addMessage(g,
                           "This saved game does not name its levels: its stairs lead nowhere until a "
                           "new level is entered.",
                           kYellow);
            }
            return true;
        },
        false);
}

} // namespace gf
