#include "sim_keys.h"

#include "script.h"
#include "shell/keys.h"
#include "shell/text.h"

#include <map>

namespace gf {

static int16_t namedKey(const std::string& name) {
    static const std::map<std::string, int16_t> names = {
        {"UP", Key::Up},         {"DOWN", Key::Down},     {"LEFT", Key::Left},   {"RIGHT", Key::Right},
        {"SPACE", Key::Space},   {"INSERT", Key::Insert}, {"HOME", Key::Home},   {"PAGEUP", Key::PageUp},
        {"PERIOD", Key::Period}, {"COMMA", Key::Comma},   {"PAUSE", Key::Pause}, {"ESCAPE", Key::Escape}};
    const std::string upperName = upper(name);
    if (auto it = names.find(upperName); it != names.end()) return it->second;
    if (upperName.size() == 1 && upperName[0] >= 'A' && upperName[0] <= 'Z') return upperName[0];
    if (upperName.size() == 4 && upperName.rfind("NUM", 0) == 0 && upperName[3] >= '0' && upperName[3] <= '9')
        return static_cast<int16_t>(Key::Num0 + (upperName[3] - '0'));
    if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos && name.size() <= 5) {
        const int code = std::stoi(name);
        if (code <= 32767) return static_cast<int16_t>(code);
    }
    throw ScriptError("unknown key '" + name + "'");
}

SimKey parseSimKey(const std::string& text) {
    SimKey key;
    std::string rest = text;
    for (;;) {
        const std::string head =
            upper(rest.substr(0, rest.find('+') == std::string::npos ? 0 : rest.find('+') + 1));
        if (head == "SHIFT+")
            key.shift |= kShiftMask;
        else if (head == "CTRL+")
            key.shift |= kCtrlMask;
        else if (head == "ALT+")
            key.shift |= kAltMask;
        else
            break;
        rest = rest.substr(head.size());
    }
    key.code = namedKey(rest);
    return key;
}

} // namespace gf
