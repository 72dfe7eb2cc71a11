#include "script.h"

#include "app/keys.h"
#include "app/menus.h"
#include "app/startup.h"
#include "app/timers.h"
#include "creatures/creature_table.h"
#include "dump.h"
#include "map/map_file.h"
#include "map/random_level.h"
#include "render/layout.h"
#include "render/sizes.h"
#include "render/view.h"
#include "sim_keys.h"

#include <cmath>
#include <istream>
#include <limits>
#include <ostream>
#include <sstream>

namespace gf {

namespace {

std::string restAfter(const std::string& line, std::size_t words) {
    std::size_t pos = 0;
    for (std::size_t w = 0; w < words; ++w) {
        pos = line.find_first_not_of(' ', pos);
        pos = line.find(' ', pos);
        if (pos == std::string::npos) return {};
    }
    return line.substr(pos + 1);
}

// Every number is checked for range while still a double: converting one that
// does not fit is undefined.
double number(std::istringstream& in, const char* what) {
    std::string word;
    if (!(in >> word)) throw ScriptError(std::string("missing ") + what);
    double v = 0;
    try {
        std::size_t used = 0;
        v = std::stod(word, &used);
        if (used != word.size()) throw ScriptError("");
    } catch (const std::exception&) {
        throw ScriptError(std::string("not a number for ") + what + ": " + word);
    }
    if (!std::isfinite(v)) throw ScriptError(std::string("not a finite number for ") + what + ": " + word);
    return v;
}

// A whole number from lowest to below `beyond`.
double wholeBelow(std::istringstream& in, const char* what, double lowest, double beyond) {
    const double v = number(in, what);
    if (v < lowest || v >= beyond)
        throw ScriptError(std::string("out of range for ") + what + ": " + std::to_string(v));
    if (v != std::trunc(v)) throw ScriptError(std::string("not a whole number for ") + what);
    return v;
}

int whole(std::istringstream& in, const char* what) {
    return static_cast<int>(wholeBelow(in, what, std::numeric_limits<int>::min(), 2147483648.0));
}

// A 32-bit float, as the game's clock and draws are.
float single(double v, const char* what) {
    if (std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max()))
        throw ScriptError(std::string("out of range for ") + what + ": " + std::to_string(v));
    return static_cast<float>(v);
}

void noMore(std::istringstream& in) {
    std::string extra;
    if (in >> extra) throw ScriptError("unexpected '" + extra + "'");
}

} // namespace

SimSession::SimSession(const std::string& folder, const std::string& playerFolder, std::ostream& out)
    : out_(out),
      game_(Platform{io_.clock, io_.random, io_.window, io_.sound, drawing_}, folder, playerFolder),
      viewW_(io_.canvas.width()), viewH_(io_.canvas.height()) {
    io_.log.streamTo(&out_);
}

void SimSession::showView(int w, int h) {
    viewW_ = w;
    viewH_ = h;
    io_.canvas.resize(zoomedLength(w, zoom_), zoomedLength(h, zoom_));
}

std::string SimSession::resolve(const std::string& folder, const std::string& path) {
    if (!path.empty() && path.front() == '/') return path;
    return folder + "/" + path;
}

void SimSession::dump(bool withLayers) {
    nlohmann::json state = dumpState(game_, withLayers);
    const HalfSize half = viewHalfSize(io_.canvas.width(), io_.canvas.height());
    state["zoom"] = zoom_;
    state["viewCells"] = {2 * half.w, 2 * half.h}; // the last row and column may be cut
    out_ << nlohmann::json{{"dump", state}}.dump() << '\n';
}

void SimSession::run(const std::string& line) {
    std::istringstream in(line);
    std::string command;
    in >> command;
    Game& g = game_;
    if (command == "seed") {
        constexpr double kBeyond = 9223372036854775808.0; // 2^63
        const double v = wholeBelow(in, "seed", -kBeyond, kBeyond);
        noMore(in);
        io_.random.seedWhole(static_cast<uint64_t>(static_cast<int64_t>(v)));
    } else if (command == "draws") {
        std::string word;
        int count = 0;
        while (in >> word) {
            std::istringstream one(word);
            const float r = single(number(one, "draws"), "draws");
            // The game relies on 0 <= r < 1 from every draw.
            if (!(r >= 0.0f && r < 1.0f)) throw ScriptError("a draw must lie from 0 to below 1: " + word);
            io_.random.queue(r);
            ++count;
        }
        if (count == 0) throw ScriptError("draws needs at least one value");
    } else if (command == "clock") {
        io_.clock.time = single(number(in, "clock"), "clock");
        noMore(in);
    } else if (command == "advance") {
        io_.clock.time = single(io_.clock.time + number(in, "advance"), "advance");
        noMore(in);
    } else if (command == "view") {
        const int w = whole(in, "width"), h = whole(in, "height");
        noMore(in);
        if (w < 0 || h < 0) throw ScriptError("view size must not be negative");
        showView(w, h);
    } else if (command == "answer") {
        runAnswer(restAfter(line, 1));
    } else if (command == "startup") {
        noMore(in);
        onStartup(g);
    } else if (command == "level") {
        const std::string path = restAfter(line, 1);
        if (path.empty()) throw ScriptError("level needs a path");
        loadLevel(g, resolve(g.folder, path));
    } else if (command == "random") {
        noMore(in);
        createRandomLevel(g);
    } else if (command == "setup") {
        noMore(in);
        createUser(g);
    } else if (command == "dump") {
        std::string what;
        in >> what;
        if (!what.empty() && what != "layers") throw ScriptError("dump takes nothing or 'layers'");
        noMore(in);
        dump(what == "layers");
    } else if (command == "key") {
        std::string name;
        if (!(in >> name)) throw ScriptError("key needs a key");
        noMore(in);
        const SimKey key = parseSimKey(name);
        onKeyDown(g, key.key, key.shift);
    } else if (command == "tick") {
        const int which = whole(in, "tick");
        noMore(in);
        if (which == 1)
            onMonsterTick(g);
        else if (which == 2)
            onFrameTick(g);
        else if (which == 3)
            onRefreshTick(g);
        else
            throw ScriptError("tick takes 1, 2 or 3");
    } else if (command == "menu") {
        std::string what;
        in >> what;
        noMore(in);
        runMenu(what);
    } else if (command == "raise") {
        const int row = whole(in, "raise");
        noMore(in);
        onRaiseSkill(g, row);
    } else if (command == "carry") {
        runCarry(restAfter(line, 1));
    } else if (command == "display") {
        noMore(in);
        redraw(g, true);
    } else if (command == "map") {
        noMore(in);
        showOverview(g);
    } else if (command == "resize") {
        const int w = whole(in, "width"), h = whole(in, "height");
        noMore(in);
        if (const auto layout = formLayout(w, h, kStatusWidth, false)) {
            showView(layout->view.width, layout->view.height);
            if (g.creatures.current > 0) redraw(g, true);
        }
    } else if (command == "zoom") {
        const int zoom = whole(in, "zoom");
        noMore(in);
        if (zoom < kMinZoom || zoom > kMaxZoom)
            throw ScriptError("zoom takes " + std::to_string(kMinZoom) + " to " + std::to_string(kMaxZoom));
        zoom_ = zoom;
        showView(viewW_, viewH_);
        if (g.creatures.current > 0) redraw(g, true);
    } else if (command == "screenshot") {
        const std::string path = restAfter(line, 1);
        if (path.empty()) throw ScriptError("screenshot needs a file name");
        screenshots_.take(g, drawing_, path, viewW_, viewH_, zoom_);
    } else if (command == "scroll") {
        const int v = whole(in, "scroll");
        noMore(in);
        onCarryScrolled(g, v);
    } else {
        throw ScriptError("unknown command '" + command + "'");
    }
}

void SimSession::runAnswer(const std::string& rest) {
    std::istringstream in(rest);
    std::string kind, value;
    in >> kind;
    ScriptedWindow& d = io_.window;
    if (kind == "input") {
        const std::string name = restAfter(rest, 1);
        if (name == "cancel")
            d.inputAnswers.push_back(std::nullopt);
        else
            d.inputAnswers.push_back(utf8ToLatin1(name));
        return;
    }
    if (kind == "file") {
        const std::string path = restAfter(rest, 1);
        if (path.empty()) throw ScriptError("answer file needs a path or cancel");
        if (path == "cancel")
            d.fileAnswers.push_back(std::nullopt);
        else
            d.fileAnswers.push_back(
                resolve(game_.playerFolder, path)); // a path keeps the file system's bytes
        return;
    }
    in >> value;
    noMore(in);
    if (kind == "box") {
        if (value == "yes")
            d.boxAnswers.push_back(Answer::Yes);
        else if (value == "no")
            d.boxAnswers.push_back(Answer::No);
        else if (value == "ok")
            d.boxAnswers.push_back(Answer::Ok);
        else
            throw ScriptError("answer box takes yes, no or ok");
    } else if (kind == "save") {
        if (value == "yes")
            d.saveAnswers.push_back(Answer::Yes);
        else if (value == "no")
            d.saveAnswers.push_back(Answer::No);
        else if (value == "cancel")
            d.saveAnswers.push_back(Answer::Cancel);
        else
            throw ScriptError("answer save takes yes, no or cancel");
    } else if (kind == "menu") {
        if (value == "new")
            d.menuAnswers.push_back(MenuChoice::New);
        else if (value == "load")
            d.menuAnswers.push_back(MenuChoice::Load);
        else if (value == "about")
            d.menuAnswers.push_back(MenuChoice::About);
        else if (value == "exit")
            d.menuAnswers.push_back(MenuChoice::Exit);
        else if (value == "close")
            d.menuAnswers.push_back(MenuChoice::Close);
        else
            throw ScriptError("answer menu takes new, load, about, exit or close");
    } else if (kind == "popup") {
        if (value == "ready")
            d.popupAnswers.push_back(PopupChoice::Ready);
        else if (value == "drop")
            d.popupAnswers.push_back(PopupChoice::Drop);
        else if (value == "none")
            d.popupAnswers.push_back(PopupChoice::None);
        else
            throw ScriptError("answer popup takes ready, drop or none");
    } else {
        throw ScriptError("answer takes box, save, input, file, menu or popup");
    }
}

void SimSession::runCarry(const std::string& rest) {
    std::istringstream in(rest);
    std::string what;
    in >> what;
    const int n = whole(in, "carry");
    noMore(in);
    if (what == "click") {
        onCarryBoxClicked(game_, n);
        return;
    }
    if (what != "ready" && what != "drop") throw ScriptError("carry takes ready, drop or click");
    game_.screen.carrySlot = n;
    if (what == "ready")
        onReadyCarried(game_);
    else
        onDropCarried(game_);
    game_.screen.carrySlot = 0;
}

void SimSession::runMenu(const std::string& what) {
    if (what == "save")
        onSaveGame(game_);
    else if (what == "load")
        onLoadGame(game_);
    else if (what == "new")
        onNewGame(game_);
    else if (what == "exit")
        onExit(game_);
    else if (what == "about")
        onAbout(game_);
    else
        throw ScriptError("menu takes save, load, new, exit or about");
}

int runScript(const std::string& folder, const std::string& playerFolder, std::istream& script,
              std::ostream& out, std::ostream& err) {
    SimSession session(folder, playerFolder, out);
    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        try {
            session.run(line.substr(first));
        } catch (const ScriptError& e) {
            err << "gloamfell-sim: line " << number << ": " << e.what() << ": " << line << '\n';
            return 2;
        }
        if (session.ended()) break;
    }
    out.flush();
    return 0;
}

} // namespace gf
