#pragma once
// The seam for tests and gloamfell-sim: a clock and draws the script sets,
// window requests answered from queues, and every request written to the event log.
#include "event_log.h"
#include "platform/canvas.h"
#include "platform/clock.h"
#include "platform/seeded_random.h"
#include "platform/sound_out.h"
#include "platform/window.h"
#include "state/game.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace gf {

class ScriptedClock : public Clock {
public:
    float now() override { return time; }
    void pause(float) override {} // the script moves time, nothing else does
    float time = 0;
};

class QueuedRandom : public Random {
public:
    // Start-up seeds from the clock; a script that seeded first keeps its seed.
    void seed(float value) override {
        if (!seededByScript_) base_.seed(value);
    }
    void seedWhole(uint64_t value) {
        base_.seedWhole(value);
        seededByScript_ = true;
    }
    void queue(float value) { queued_.push_back(value); }
    float next() override;

private:
    SeededRandom base_;
    std::deque<float> queued_;
    bool seededByScript_ = false;
};

class ScriptedWindow : public Window {
public:
    explicit ScriptedWindow(EventLog& log) : log_(log) {}

    Answer msgBox(const std::string& text, const std::string& title, Buttons buttons, Icon icon) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title) override;
    std::string openFile(const FileDialogRequest& request) override;
    MenuChoice startMenu() override;
    void about() override;
    void setCaption(const std::string& text) override;
    void startTimers(int monsterMs, int frameMs, int refreshMs) override;
    void stopTimers() override;
    void quit() override;
    PopupChoice carryMenu(int slot, const std::string& itemName, bool offerReady) override;
    void gameOver(int deathFrames) override;

    std::deque<Answer> boxAnswers;
    std::deque<Answer> saveAnswers;                      // the question before a changed game is left
    std::deque<std::optional<std::string>> inputAnswers; // nullopt = cancel
    std::deque<std::optional<std::string>> fileAnswers;  // nullopt = cancel
    std::deque<MenuChoice> menuAnswers;
    std::deque<PopupChoice> popupAnswers;

    // Runs while any box or dialog is open, as the window's events would.
    std::function<void()> whileOpen;

    bool exited = false;
    bool timersRunning = false;

private:
    void modal() {
        if (whileOpen) whileOpen();
    }
    EventLog& log_;
};

class RecordingSound : public SoundOut {
public:
    explicit RecordingSound(EventLog& log) : log_(log) {}
    bool init(int count) override;
    // A wave file counts as loaded when the game's wave reader takes it.
    std::string load(const std::string& path, int index) override;
    void play(int index) override;

    bool deviceAvailable = true;
    std::vector<int> played;

private:
    EventLog& log_;
};

// Records what was drawn, so the view's decisions can be checked without pixels.
class RecordingCanvas : public Canvas {
public:
    struct Op {
        std::string kind; // clear copy draw box text pixel present
        int sheet = 0, tile = 0, x = 0, y = 0, x2 = 0, y2 = 0;
        Color color = 0;
        std::string text;
        int size = 0;
        bool bold = false;
    };

    // A sheet counts as loaded when its header would let the game draw it.
    bool loadSheet(int sheet, const std::string& path) override;
    int width() const override { return width_; }
    int height() const override { return height_; }
    void clear() override;
    void copyTile(int sheet, int tile, int x, int y) override;
    void drawTile(int sheet, int tile, int x, int y) override;
    void fillBox(int x1, int y1, int x2, int y2, Color color) override;
    void text(int x, int y, const std::string& text, int pointSize, bool bold, Color color) override;
    void pixel(int x, int y, Color color) override;
    void present() override;

    void resize(int w, int h) {
        width_ = w;
        height_ = h;
    }
    std::vector<Op> ops;                                    // since the last clear
    std::vector<std::pair<int, std::string>> sheetRequests; // every loadSheet, loaded or not
    int presents = 0;

private:
    int width_ = 640;
    int height_ = 480;
};

// The whole scripted seam in one piece.
struct ScriptedPlatform {
    EventLog log;
    ScriptedClock clock;
    QueuedRandom random;
    ScriptedWindow window{log};
    RecordingSound sound{log};
    RecordingCanvas canvas;
    Platform platform() { return Platform{clock, random, window, sound, canvas}; }
};

} // namespace gf
