#include "screenshot.h"
#include "script.h"
#include "sim_screenshot.h"

#include "platform/forwarding_canvas.h"

#include <QApplication>
#include <cstdlib>

namespace gf {

struct Screenshots::Toolkit {
    Toolkit() : app(argc, argv) {}
    int argc = 1;
    char name[14] = "gloamfell-sim";
    char* argv[2] = {name, nullptr};
    QApplication app;
};

Screenshots::Screenshots() = default;
Screenshots::~Screenshots() = default;

void Screenshots::take(Game& g, ForwardingCanvas& drawing, const std::string& pngPath, int viewW, int viewH,
                       int zoom) {
    if (!toolkit_) {
        if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        toolkit_ = std::make_unique<Toolkit>();
    }
    if (!saveWindowScreenshot(g, drawing, pngPath, viewW, viewH, zoom))
        throw ScriptError("cannot write " + pngPath);
}

} // namespace gf
