#include "script.h"
#include "sim_screenshot.h"

namespace gf {

struct Screenshots::Toolkit {};

Screenshots::Screenshots() = default;
Screenshots::~Screenshots() = default;

void Screenshots::take(Game&, ForwardingCanvas&, const std::string&, int, int, int) {
    throw ScriptError("screenshot needs the driver built with the Qt front end");
}

} // namespace gf
