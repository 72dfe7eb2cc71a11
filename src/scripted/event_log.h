#pragma once
// Everything the scripted seam is asked to show, as JSON events: streamed as
// lines by gloamfell-sim and kept for tests to inspect.
#include "util/text.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>
#include <vector>

namespace gf {

class EventLog {
public:
    void emit(nlohmann::json event);
    void streamTo(std::ostream* out) { out_ = out; }

    std::vector<nlohmann::json> events;
    // Events of one kind ("msgbox", "sound", ...), in order.
    std::vector<nlohmann::json> of(const std::string& kind) const;

private:
    std::ostream* out_ = nullptr;
};

} // namespace gf
