#pragma once
#include <memory>
#include <string>

namespace gf {
struct Game;
class ForwardingCanvas;

// The whole window as a player sees it, rendered offscreen by the desktop's
// own widgets into a PNG. Qt starts with the first shot and ends with this
// object; a driver built without Qt throws ScriptError instead.
class Screenshots {
public:
    Screenshots();
    ~Screenshots();
    Screenshots(const Screenshots&) = delete;
    Screenshots& operator=(const Screenshots&) = delete;

    // The view is viewW x viewH pixels of the window, showing the canvas at `zoom`.
    void take(Game& g, ForwardingCanvas& drawing, const std::string& pngPath, int viewW, int viewH, int zoom);

private:
    struct Toolkit;
    std::unique_ptr<Toolkit> toolkit_;
};

} // namespace gf
