#include "state/message_log.h"

namespace gf {

void MessageLog::add(const std::string& text, int32_t color) {
    lines_.push_back({text, color});
    if (lines_.size() > kMessageLogLines) lines_.pop_front();
    ++end_;
}

void MessageLog::clear() {
    lines_.clear();
}

} // namespace gf
