#pragma once
// The view's drawing surface over a QImage. Drawing goes to a back image;
// present() makes it the one on screen, so a frame drawn without present()
// never shows.
#include "platform/canvas.h"
#include "render/sizes.h"
#include "tile_sheet.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <functional>
#include <map>
#include <string>

namespace gf {

class QtCanvas : public Canvas {
public:
    QtCanvas(int width = kDefaultViewWidth, int height = kDefaultViewHeight);
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    bool loadSheet(int sheet, const std::string& path) override;
    int width() const override { return back_.width(); }
    int height() const override { return back_.height(); }
    void clear() override;
    void copyTile(int sheet, int tile, int x, int y) override;
    void drawTile(int sheet, int tile, int x, int y) override;
    void fillBox(int x1, int y1, int x2, int y2, Color color) override;
    void text(int x, int y, const std::string& text, int pointSize, bool bold, Color color) override;
    int lineHeight(int pointSize, bool bold) const override;
    void pixel(int x, int y, Color color) override;
    void present() override;

    // The picture box changed size; what was drawn stays in its corner.
    void resize(int width, int height);
    // What the last present() put on screen.
    const QImage& shown() const { return shown_; }
    // Null when that sheet was never loaded or failed to load.
    const TileSheet* sheet(int sheet) const;
    // Called by present(), so the widget can repaint at once.
    void setPresenter(std::function<void()> presenter) { presenter_ = std::move(presenter); }

    static QColor toQColor(Color color) {
        return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    }
    // The font of a point size as the game measures it (96 pixels to the inch).
    static QFont gameFont(int pointSize, bool bold);
    static const QColor kBackground;

private:
    QPainter& painter();
    void settle();
    // Gives the back image the shown frame's pixels again after present().
    void restoreBack();
    // Part src of source onto the back image at (x, y), replacing what was there.
    void copyPixels(const QImage& source, const QRect& src, int x, int y);
    // The part of tile `tile` that lies on the sheet; empty when none does.
    static QRect tileRect(const QImage& sheet, int tile);

    std::map<int, TileSheet> sheets_;
    QImage back_;
    QImage shown_;
    bool backStale_ = false; // present() handed back_'s pixels to shown_
    QPainter painter_;
    std::function<void()> presenter_;
};

} // namespace gf
