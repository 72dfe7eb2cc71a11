#pragma once
// The window's side of the game: boxes, the start menu, the caption, and the
// three timers the window owns.
#include <optional>
#include <string>

namespace gf {

// SaveDiscardCancel answers Yes for Save and No for Don't Save.
enum class Buttons { Ok, YesNo, SaveDiscardCancel };
enum class Icon { None, Critical, Exclamation, Information, Question };
enum class Answer { Ok, Yes, No, Cancel };
enum class MenuChoice { New, Load, About, Exit, Close };
enum class PopupChoice { Ready, Drop, None };

// Only an existing file can be chosen.
struct FileDialogRequest {
    std::string title;
    std::string folder;
    std::string fileName;
    std::string defaultExt;
    std::string filter;
};

inline constexpr const char* kAppTitle = "Murkhol";

class Window {
public:
    virtual ~Window() = default;
    virtual Answer msgBox(const std::string& text, const std::string& title, Buttons buttons, Icon icon) = 0;
    // The text entered, or nothing when cancelled.
    virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title) = 0;
    // The chosen full path, or empty when cancelled.
    virtual std::string openFile(const FileDialogRequest& request) = 0;
    virtual MenuChoice startMenu() = 0;
    virtual void about() = 0;
    virtual void setCaption(const std::string& text) = 0;
    virtual void startTimers(int monsterMs, int frameMs, int refreshMs) = 0;
    virtual void stopTimers() = 0;
    virtual void quit() = 0;
    // The Carry pop-up over carry slot `slot`, headed by the item's name: "Ready" only when
    // offered, "Drop" always.
    virtual PopupChoice carryMenu(int slot, const std::string& itemName, bool offerReady) = 0;
    // The death animation has played its frames; the game-over box follows.
    virtual void gameOver(int deathFrames) = 0;
};

} // namespace gf
