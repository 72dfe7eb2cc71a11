#pragma once
// One gloamfell-sim session: a game over the scripted seam, driven one
// script line at a time, writing JSON lines as things happen.
#include "platform/forwarding_canvas.h"
#include "render/sizes.h"
#include "scripted_platform.h"
#include "sim_screenshot.h"
#include "state/game.h"

#include <iosfwd>
#include <stdexcept>
#include <string>

namespace gf {

// A script line the driver cannot read.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SimSession {
public:
    // Data is read from folder; saved/ lives in playerFolder.
    SimSession(const std::string& folder, const std::string& playerFolder, std::ostream& out);
    void run(const std::string& line);
    // The game ended (exit chosen, the window closed, game over).
    bool ended() const { return io_.window.exited; }

private:
    void runAnswer(const std::string& rest);
    void runCarry(const std::string& rest);
    void runMenu(const std::string& what);
    void dump(bool withLayers);
    // The view's screen pixels; the canvas holds them divided by the zoom.
    void showView(int w, int h);
    static std::string resolve(const std::string& folder, const std::string& path);

    std::ostream& out_;
    ScriptedPlatform io_;
    ForwardingCanvas drawing_{io_.canvas}; // a screenshot points it at Qt for a moment
    Game game_;
    Screenshots screenshots_;
    int viewW_, viewH_;
    int zoom_ = kMinZoom;
};

// Runs a whole script; the exit status of gloamfell-sim.
int runScript(const std::string& folder, const std::string& playerFolder, std::istream& script,
              std::ostream& out, std::ostream& err);

} // namespace gf
