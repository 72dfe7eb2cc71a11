#include "event_log.h"

namespace gf {

void EventLog::emit(nlohmann::json event) {
    // A path in the file system's bytes need not be UTF-8; it must not stop the log.
    if (out_)
        *out_ << event.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n' << std::flush;
    events.push_back(std::move(event));
}

std::vector<nlohmann::json> EventLog::of(const std::string& kind) const {
    std::vector<nlohmann::json> found;
    for (const auto& e : events)
        if (e.value("event", "") == kind) found.push_back(e);
    return found;
}

} // namespace gf
