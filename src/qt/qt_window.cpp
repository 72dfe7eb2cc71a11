#include "qt_window.h"

#include "about_box.h"
#include "main_window.h"
#include "qt_text.h"
#include "start_menu.h"
#include "startup_log.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include <iostream>
#include <utility>

namespace gf {

namespace {

// A player still pressing keys when a box that ends or changes the game
// opens would otherwise answer it unread.
constexpr int kDeafMs = 1000;

QString titleOrApp(const std::string& title) {
    return toQt(title.empty() ? std::string(kAppTitle) : title);
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A box wraps only at break opportunities, so a long path would be cut off:
// offer one after each separator and within any long unbroken run.
QString wrappable(const QString& text) {
    constexpr int kLongestRun = 40;
    const QChar breakHere(0x200B);
    QString out;
    int run = 0;
    for (const QChar c : text) {
        out += c;
        run = c.isSpace() ? 0 : run + 1;
        if (run > 0 && (c == QLatin1Char('/') || c == QLatin1Char('\\') || run >= kLongestRun)) {
            out += breakHere;
            run = 0;
        }
    }
    return out;
}

QMessageBox::StandardButtons qtButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::SaveDiscardCancel:
        return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    case Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

} // namespace

QtWindow::QtWindow() = default;
QtWindow::~QtWindow() {
    // With a window the menu went with it; without one it is ours.
    if (menu_ && !menu_->parent()) delete menu_;
}

void QtWindow::attach(MainWindow* window) {
    window_ = window;
    // The window takes game keys program-wide; the watcher must see them first.
    heldKeys_.watchFirst();
}

bool QtWindow::closed() const {
    return window_ && !window_->isVisible();
}

Answer QtWindow::msgBox(const std::string& text, const std::string& title, Buttons buttons, Icon icon) {
    const bool endsGame = std::exchange(gameOverBoxNext_, false);
    if (endsGame) menuAfterGameOver_ = true;
    if (closed()) {
        std::cerr << "gloamfell: " << text << '\n';
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    QMessageBox box(qtIcon(icon), titleOrApp(title), wrappable(toQt(text)), qtButtons(buttons), window_);
    if (buttons == Buttons::SaveDiscardCancel)
        box.button(QMessageBox::Discard)->setText(QStringLiteral("Don't Save"));
    // A question's answer changes the game.
    const HeldKeys::Guard deafToKeys(heldKeys_, box, endsGame || buttons != Buttons::Ok ? kDeafMs : 0);
    const int answer = box.exec();
    if (buttons == Buttons::Ok) return Answer::Ok;
    if (answer == QMessageBox::Yes || answer == QMessageBox::Save) return Answer::Yes;
    if (answer == QMessageBox::No || answer == QMessageBox::Discard) return Answer::No;
    return Answer::Cancel; // closed by its frame or Escape
}

std::optional<std::string> QtWindow::inputBox(const std::string& prompt, const std::string& title) {
    QInputDialog box(window_);
    box.setWindowTitle(titleOrApp(title));
    box.setLabelText(toQt(prompt));
    const HeldKeys::Guard deafToHeldKeys(heldKeys_, box);
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return fromQt(box.textValue());
}

QString QtWindow::qtFilter(const std::string& filter) {
    const QStringList parts = toQt(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const qsizetype paren = name.indexOf(QLatin1Char('('));
        if (paren >= 0) name.truncate(paren);
        // "*.*" means every file; here it would only match names with a dot.
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1String("*.*"), QLatin1String("*"));
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << name.trimmed() + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

std::string QtWindow::openFile(const FileDialogRequest& request) {
    QFileDialog dialog(window_, titleOrApp(request.title), pathToQt(request.folder));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(toQt(request.defaultExt));
    dialog.setNameFilter(qtFilter(request.filter));
    if (!request.fileName.empty()) dialog.selectFile(pathToQt(request.fileName));
    const HeldKeys::Guard deafToHeldKeys(heldKeys_, dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
    return pathFromQt(dialog.selectedFiles().constFirst());
}

MenuChoice QtWindow::startMenu() {
    const bool afterGameOver = std::exchange(menuAfterGameOver_, false);
    if (closed()) return MenuChoice::Exit;
    if (!menu_) menu_ = new StartMenu(window_);
    qCInfo(lcStartup) << "start menu";
    const HeldKeys::Guard deafToKeys(heldKeys_, *menu_, afterGameOver ? kDeafMs : 0);
    return menu_->choose();
}

void QtWindow::about() {
    AboutBox box(window_);
    const HeldKeys::Guard deafToHeldKeys(heldKeys_, box);
    box.exec();
}

void QtWindow::setCaption(const std::string& text) {
    if (window_) window_->setWindowTitle(toQt(text));
}

void QtWindow::startTimers(int monsterMs, int frameMs, int refreshMs) {
    if (window_) window_->startTimers(monsterMs, frameMs, refreshMs);
}

void QtWindow::stopTimers() {
    if (window_) window_->stopTimers();
}

void QtWindow::quit() {
    if (window_) window_->leave();
    QCoreApplication::exit(0);
}

PopupChoice QtWindow::carryMenu(int, const std::string& itemName, bool offerReady) {
    return window_ ? window_->popupCarryMenu(toQt(itemName), offerReady) : PopupChoice::None;
}

} // namespace gf
