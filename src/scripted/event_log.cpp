#include "event_log.h"

namespace gf {

std::string latin1ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string utf8ToLatin1(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        int extra = (c >= 0xF0) ? 3 : (c >= 0xE0) ? 2 : (c >= 0xC0) ? 1 : 0;
        unsigned code = c & (0x3F >> extra);
        for (int k = 0; k < extra && i + 1 < text.size(); ++k)
            code = (code << 6) | (text[++i] & 0x3F);
        out += code <= 0xFF && extra > 0 ? static_cast<char>(code) : '?';
    }
    return out;
}

void EventLog::emit(nlohmann::json event) {
    if (out_) *out_ << event.dump() << '\n' << std::flush;
    events.push_back(std::move(event));
}

std::vector<nlohmann::json> EventLog::of(const std::string& kind) const {
    std::vector<nlohmann::json> found;
    for (const auto& e : events)
        if (e.value("event", "") == kind) found.push_back(e);
    return found;
}

} // namespace gf
