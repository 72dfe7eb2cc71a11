#pragma once
// The main window: menus, the view, the side panel and the three timers. It
// turns Qt events into calls of the game and repaints the panel after each.
#include "message_log_widget.h"
#include "platform/window.h"
#include "status_widgets.h"
#include "view_widget.h"

#include <QMainWindow>
#include <QTimer>

class QAction;
class QDockWidget;
class QMenu;

namespace gf {

struct Game;
class QtCanvas;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(Game& game, QtCanvas& canvas, QWidget* parent = nullptr);

    // The load event; the program ends when it leaves no game.
    void start();
    void startTimers(int timer1Ms, int timer2Ms, int timer3Ms);
    void stopTimers();
    // The Carry pop-up at the mouse, until an entry is chosen or it is dismissed.
    PopupChoice popupCarryMenu(bool offerReady);
    // Paints the panel and the log from what the last update left in the game.
    void refreshPanel();
    // The window size whose view is w x h pixels.
    QSize sizeForView(int w, int h) const;

    ViewWidget* picView;
    StatusPanelWidget* picStatus;
    QMenu* mnuFile;
    QAction* mnuFileNew;
    QAction* mnuFileSave;
    QAction* mnuFileLoad;
    QAction* mnuFileExit;
    QMenu* mnuView;
    QAction* mnuViewMessageLog;
    QDockWidget* messageLogDock;
    MessageLogWidget* messageLog;
    QMenu* mnuHelp;
    QAction* mnuHelpAbout;
    QMenu* mnuCarry; // never on the menu bar
    QAction* mnuCarryReady;
    QAction* mnuCarryUse;
    QAction* mnuCarryDrop;
    QTimer Timer1;
    QTimer Timer2;
    QTimer Timer3;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Resize();
    void buildMenus();
    void buildMessageLog();
    // Every call into the game goes through here, so the panel follows it.
    template <class F> void run(F&& handler);

    Game& g_;
    QtCanvas& canvas_;
    QWidget* area_;
    QSize refused_; // a size below the minimum that the window system insisted on
};

} // namespace gf
