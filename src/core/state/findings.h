#pragma once
// What one reading of a data file found, told once by the reader and shown by
// each caller its own way: the game as boxes, the checker as "file:line:"
// lines, the driver as the events of those boxes.
#include "platform/window.h"

#include <optional>
#include <string>
#include <string_view>

namespace gf {
struct Game;

struct Finding {
    std::string file;
    int line = 0;     // 0 for the whole file
    std::string text; // one line, for a list of faults; a failure's description
    std::string box;  // a warning as the game's box words it
    const char* title = "WARNING!!!!";
    Icon icon = Icon::Exclamation;
};

class Findings {
public:
    virtual ~Findings() = default;
    // The line was ignored; reading goes on.
    virtual void warning(const Finding& f) = 0;
    // Reading stopped at this line; what was read before it stands.
    virtual void failure(const Finding& f) = 0;
};

// A line as a box shows it, cut when it is absurdly long.
std::string shownInBox(std::string_view line);
// A line quoted for a one-line message: cut short, control characters visible.
std::string quoted(std::string_view line);

// The game's boxes. A foreign file would open one modal box per line, so
// after kBoxes the rest are counted and told in one closing box.
class BoxFindings : public Findings {
public:
    BoxFindings(Game& g, std::string file) : g_(g), file_(std::move(file)) {}
    void warning(const Finding& f) override;
    void failure(const Finding& f) override;
    // Shows the closing box, then fails with the reading's failure, if any.
    void finish();

    static constexpr int kBoxes = 20;

private:
    Game& g_;
    std::string file_;
    int warnings_ = 0;
    std::optional<std::string> failure_;
};

} // namespace gf
