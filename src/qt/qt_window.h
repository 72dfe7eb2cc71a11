#pragma once
// The window's side of the game: boxes, the start menu, the about box, the
// caption and the timers, all owned by MainWindow.
#include "held_keys.h"
#include "platform/window.h"

#include <QPointer>
#include <QString>

namespace gf {

class MainWindow;
class StartMenu;

class QtWindow : public Window {
public:
    QtWindow();
    ~QtWindow() override;
    // Until attached, boxes have no owner and the timers and caption go nowhere.
    void attach(MainWindow* window);

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
    // The next box ends the game, and the start menu follows it.
    void gameOver(int) override { gameOverBoxNext_ = true; }

    // "Name (*.a)|*.a|Other (*.*)|*.*" as a Qt file dialog wants it.
    static QString qtFilter(const std::string& filter);

private:
    // The window was closed (during the death animation, say): the program is
    // ending and no box should keep it.
    bool closed() const;

    MainWindow* window_ = nullptr;
    HeldKeys heldKeys_;
    bool gameOverBoxNext_ = false;
    bool menuAfterGameOver_ = false;
    QPointer<StartMenu> menu_; // stays loaded between showings
};

} // namespace gf
