#pragma once
// The main window: menus, the view, the side panel and the three timers. It
// turns Qt events into calls of the game and repaints the panel after each.
#include "message_log_widget.h"
#include "platform/window.h"
#include "render/sizes.h"
#include "settings.h"
#include "status_widgets.h"
#include "view_widget.h"

#include <QMainWindow>
#include <QSettings>
#include <QTimer>

#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QDockWidget;
class QMenu;
class QKeyEvent;

namespace gf {

struct Game;
class QtCanvas;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Game& game, QtCanvas& canvas, QWidget* parent = nullptr);

    // Starts the game; the program ends when it leaves no game.
    void start();
    void startTimers(int monsterMs, int frameMs, int refreshMs);
    void stopTimers();
    // Closes the window without asking again: the game has agreed to end.
    void leave();
    // The Carry pop-up at the mouse, headed by the item's name, until an entry is chosen or
    // it is dismissed.
    PopupChoice popupCarryMenu(const QString& itemName, bool offerReady);
    // Paints the panel and the log from what the last update left in the game.
    void refreshPanel();
    // The window size whose view is w x h pixels.
    QSize sizeForView(int w, int h) const;
    // Screen pixels per canvas pixel, kMinZoom to kMaxZoom.
    void setZoom(int zoom);
    int zoom() const { return zoom_; }
    // Takes the window's place, zoom and sound from `settings` and keeps them there on close.
    void remember(std::unique_ptr<QSettings> settings);
    // Receives the sound's gain whenever the volume or mute changes.
    void setSoundGain(std::function<void(float)> gain);

    ViewWidget* viewWidget;
    StatusPanelWidget* statusPanel;
    QMenu* fileMenu;
    QAction* newAction;
    QAction* saveAction;
    QAction* loadAction;
    QAction* exitAction;
    QMenu* viewMenu;
    QAction* messageLogAction;
    QDockWidget* messageLogDock;
    MessageLogWidget* messageLog;
    QAction* zoomInAction;
    QAction* zoomOutAction;
    QAction* actualSizeAction;
    QAction* fullScreenAction;
    QMenu* soundMenu;
    QAction* muteAction;
    QActionGroup* volumeActions; // each entry's data is its percent
    QMenu* helpMenu;
    QAction* aboutAction;
    QMenu* carryPopup; // never on the menu bar
    QAction* readyAction;
    QAction* useAction;
    QAction* dropAction;
    QTimer monsterTimer;
    QTimer frameTimer;
    QTimer refreshTimer;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void onResize();
    void buildMenus();
    void buildMessageLog();
    void buildViewMenu();
    void buildSoundMenu();
    void applySound();
    void restoreWindow(const WindowSettings& values);
    WindowSettings currentSettings() const;
    // Keys bound to this window's own menu entries (F11) are not game keys.
    bool isMenuShortcut(const QKeyEvent* key) const;
    // Every call into the game goes through here, so the panel follows it.
    template <class F> void run(F&& handler);

    Game& g_;
    QtCanvas& canvas_;
    QWidget* area_;
    QSize refused_; // a size below the minimum that the window system insisted on
    int zoom_ = kMinZoom;
    std::unique_ptr<QSettings> settings_;
    std::function<void(float)> soundGain_;
    bool leaving_ = false; // the game already agreed to end
};

} // namespace gf
