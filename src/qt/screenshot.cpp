#include "screenshot.h"

#include "main_window.h"
#include "platform/forwarding_canvas.h"
#include "qt_canvas.h"
#include "qt_text.h"

#include <QImage>

namespace gf {

bool saveWindowScreenshot(Game& g, ForwardingCanvas& drawing, const std::string& pngPath, int viewW,
                          int viewH, int zoom) {
    if (viewW < 1 || viewH < 1) return false;
    QtCanvas shot(zoomedLength(viewW, zoom), zoomedLength(viewH, zoom));
    for (const auto& [sheet, path] : drawing.sheets())
        shot.loadSheet(sheet, path);

    Canvas& previous = drawing.target();
    drawing.retarget(shot);
    QImage picture;
    {
        MainWindow window(g, shot);
        window.setAttribute(Qt::WA_DontShowOnScreen);
        // Any size the caller asks for, even one a player could not drag the window to.
        window.centralWidget()->setMinimumSize(0, 0);
        window.setMinimumSize(0, 0);
        window.setZoom(zoom);
        window.resize(window.sizeForView(viewW, viewH));
        window.show(); // lays the window out, which draws the view once
        picture = window.grab().toImage();
    }
    drawing.retarget(previous);
    return picture.save(pathToQt(pngPath), "PNG");
}

} // namespace gf
