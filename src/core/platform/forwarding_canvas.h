#pragma once
// A canvas that passes every call on to a target that can be switched, and
// remembers the sheets it was asked to load, so a new target can load the
// same pictures. The headless driver draws through one, so a screenshot can
// point the game's drawing at a Qt canvas for a moment.
#include "platform/canvas.h"

#include <map>
#include <string>

namespace gf {

class ForwardingCanvas : public Canvas {
public:
    explicit ForwardingCanvas(Canvas& target) : target_(&target) {}

    void retarget(Canvas& target) { target_ = &target; }
    Canvas& target() const { return *target_; }
    const std::map<int, std::string>& sheets() const { return sheets_; }

    bool loadSheet(int sheet, const std::string& path) override {
        sheets_[sheet] = path;
        return target_->loadSheet(sheet, path);
    }
    int width() const override { return target_->width(); }
    int height() const override { return target_->height(); }
    void clear() override { target_->clear(); }
    void copyTile(int sheet, int tile, int x, int y) override { target_->copyTile(sheet, tile, x, y); }
    void drawTile(int sheet, int tile, int x, int y) override { target_->drawTile(sheet, tile, x, y); }
    void fillBox(int x1, int y1, int x2, int y2, Color color) override {
        target_->fillBox(x1, y1, x2, y2, color);
    }
    void text(int x, int y, const std::string& text, int pointSize, bool bold, Color color) override {
        target_->text(x, y, text, pointSize, bold, color);
    }
    int lineHeight(int pointSize, bool bold) const override { return target_->lineHeight(pointSize, bold); }
    void pixel(int x, int y, Color color) override { target_->pixel(x, y, color); }
    void present() override { target_->present(); }

private:
    Canvas* target_;
    std::map<int, std::string> sheets_;
};

} // namespace gf
