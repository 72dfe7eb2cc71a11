#include "scripted_platform.h"

#include "render/sheet_header.h"
#include "sound/wave_file.h"
#include "util/failure.h"
#include "util/files.h"

#include <filesystem>

namespace gf {

using nlohmann::json;

// Scripts know the Load dialog as it was first written: its folder named with
// backslashes ("DIR\saved\") and its flags 4100 (the file must exist, no
// read-only box). The driver's output keeps that form for them.
constexpr int kScriptedDialogFlags = 4100;

static std::string scriptedFolder(const std::string& folder) {
    const std::filesystem::path path(folder);
    return path.parent_path().string() + "\\" + path.filename().string() + "\\";
}

float QueuedRandom::next() {
    if (queued_.empty()) return base_.next();
    const float r = queued_.front();
    queued_.pop_front();
    return r;
}

static const char* buttonsName(Buttons b) {
    switch (b) {
    case Buttons::YesNo:
        return "yesno";
    case Buttons::SaveDiscardCancel:
        return "savediscardcancel";
    case Buttons::Ok:
        break;
    }
    return "ok";
}

static const char* iconName(Icon i) {
    switch (i) {
    case Icon::Critical:
        return "critical";
    case Icon::Exclamation:
        return "exclamation";
    case Icon::Information:
        return "information";
    case Icon::Question:
        return "question";
    case Icon::None:
        break;
    }
    return "none";
}

static const char* answerName(Answer a) {
    switch (a) {
    case Answer::Yes:
        return "yes";
    case Answer::No:
        return "no";
    case Answer::Cancel:
        return "cancel";
    case Answer::Ok:
        break;
    }
    return "ok";
}

static const char* menuName(MenuChoice m) {
    switch (m) {
    case MenuChoice::New:
        return "new";
    case MenuChoice::Load:
        return "load";
    case MenuChoice::About:
        return "about";
    case MenuChoice::Close:
        return "close";
    case MenuChoice::Exit:
        break;
    }
    return "exit";
}

Answer ScriptedWindow::msgBox(const std::string& text, const std::string& title, Buttons buttons, Icon icon) {
    Answer answer = buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    if (buttons == Buttons::SaveDiscardCancel) {
        // Its own queue, so the answers a script queued for later boxes stay theirs; scripts
        // written before the question see the game left unsaved, as it was then.
        answer = Answer::No;
        if (!saveAnswers.empty()) {
            answer = saveAnswers.front();
            saveAnswers.pop_front();
        }
    } else if (!boxAnswers.empty()) {
        answer = boxAnswers.front();
        boxAnswers.pop_front();
        // An OK box has only one button, whatever the script queued.
        if (buttons == Buttons::Ok) answer = Answer::Ok;
        if (buttons == Buttons::YesNo && answer == Answer::Ok) answer = Answer::Yes;
    }
    log_.emit({{"event", "msgbox"},
               {"text", latin1ToUtf8(text)},
               {"title", latin1ToUtf8(title)},
               {"buttons", buttonsName(buttons)},
               {"icon", iconName(icon)},
               {"answer", answerName(answer)}});
    modal();
    return answer;
}

std::optional<std::string> ScriptedWindow::inputBox(const std::string& prompt, const std::string& title) {
    // Unanswered, the box is cancelled, as an unanswered file dialog is.
    std::optional<std::string> answer;
    if (!inputAnswers.empty()) {
        answer = inputAnswers.front();
        inputAnswers.pop_front();
    }
    log_.emit({{"event", "input"},
               {"prompt", latin1ToUtf8(prompt)},
               {"title", latin1ToUtf8(title)},
               {"answer", answer ? json(latin1ToUtf8(*answer)) : json(nullptr)}});
    modal();
    return answer;
}

std::string ScriptedWindow::openFile(const FileDialogRequest& request) {
    std::optional<std::string> answer;
    if (!fileAnswers.empty()) {
        answer = fileAnswers.front();
        fileAnswers.pop_front();
    }
    log_.emit({{"event", "filedialog"},
               {"title", latin1ToUtf8(request.title)},
               {"folder", scriptedFolder(request.folder)},
               {"filename", request.fileName},
               {"defext", latin1ToUtf8(request.defaultExt)},
               {"filter", latin1ToUtf8(request.filter)},
               {"flags", kScriptedDialogFlags},
               {"answer", answer.value_or("cancel")}});
    modal();
    return answer.value_or("");
}

MenuChoice ScriptedWindow::startMenu() {
    MenuChoice answer = MenuChoice::Exit;
    if (!menuAnswers.empty()) {
        answer = menuAnswers.front();
        menuAnswers.pop_front();
    }
    log_.emit({{"event", "menu"}, {"answer", menuName(answer)}});
    return answer;
}

void ScriptedWindow::about() {
    log_.emit({{"event", "about"}});
    modal();
}

void ScriptedWindow::setCaption(const std::string& text) {
    log_.emit({{"event", "caption"}, {"text", latin1ToUtf8(text)}});
}

void ScriptedWindow::startTimers(int monsterMs, int frameMs, int refreshMs) {
    timersRunning = true;
    log_.emit({{"event", "timers"}, {"Timer1", monsterMs}, {"Timer2", frameMs}, {"Timer3", refreshMs}});
}

void ScriptedWindow::stopTimers() {
    timersRunning = false;
}

void ScriptedWindow::quit() {
    if (exited) return;
    exited = true;
    timersRunning = false;
    log_.emit({{"event", "exit"}});
}

PopupChoice ScriptedWindow::carryMenu(int slot, const std::string& itemName, bool offerReady) {
    json entries = json::array();
    if (offerReady) entries.push_back("Ready");
    entries.push_back("Drop");
    log_.emit({{"event", "popup"}, {"slot", slot}, {"item", latin1ToUtf8(itemName)}, {"entries", entries}});
    PopupChoice answer = PopupChoice::None;
    if (!popupAnswers.empty()) {
        answer = popupAnswers.front();
        popupAnswers.pop_front();
    }
    if (answer == PopupChoice::Ready && !offerReady) answer = PopupChoice::None;
    return answer;
}

void ScriptedWindow::gameOver(int deathFrames) {
    log_.emit({{"event", "death"}, {"frames", deathFrames}});
    log_.emit({{"event", "gameover"}});
}

bool RecordingSound::init(int) {
    return deviceAvailable;
}

std::string RecordingSound::load(const std::string& path, int) {
    WaveData wave;
    return readWaveFile(path, wave);
}

void RecordingSound::play(int index) {
    played.push_back(index);
    log_.emit({{"event", "sound"}, {"number", index}});
}

bool RecordingCanvas::loadSheet(int sheet, const std::string& path) {
    sheetRequests.emplace_back(sheet, path);
    try {
        SheetHeader header;
        return readSheetHeader(readDataFile(path, kMaxSheetFile), header).empty();
    } catch (const Failure&) {
        return false;
    }
}

static RecordingCanvas::Op op(const char* kind, int x = 0, int y = 0) {
    RecordingCanvas::Op o;
    o.kind = kind;
    o.x = x;
    o.y = y;
    return o;
}

void RecordingCanvas::clear() {
    ops.clear();
    ops.push_back(op("clear"));
}

void RecordingCanvas::copyTile(int sheet, int tile, int x, int y) {
    auto o = op("copy", x, y);
    o.sheet = sheet;
    o.tile = tile;
    ops.push_back(o);
}

void RecordingCanvas::drawTile(int sheet, int tile, int x, int y) {
    auto o = op("draw", x, y);
    o.sheet = sheet;
    o.tile = tile;
    ops.push_back(o);
}

void RecordingCanvas::fillBox(int x1, int y1, int x2, int y2, Color color) {
    auto o = op("box", x1, y1);
    o.x2 = x2;
    o.y2 = y2;
    o.color = color;
    ops.push_back(o);
}

void RecordingCanvas::text(int x, int y, const std::string& text, int pointSize, bool bold, Color color) {
    auto o = op("text", x, y);
    o.text = text;
    o.size = pointSize;
    o.bold = bold;
    o.color = color;
    ops.push_back(o);
}

void RecordingCanvas::pixel(int x, int y, Color color) {
    auto o = op("pixel", x, y);
    o.color = color;
    ops.push_back(o);
}

void RecordingCanvas::present() {
    ++presents;
    ops.push_back(op("present"));
}

} // namespace gf
