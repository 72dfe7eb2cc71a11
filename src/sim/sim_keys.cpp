#include "sim_keys.h"

#include "app/keys.h"
#include "script.h"
#include "util/text.h"

#include <map>

namespace gf {

namespace {

// Scripts may give a key by its number in the key table the game was first
// written against; a number it gives no action is any other key.
Key keyOfNumber(int number) {
    static const std::map<int, Key> keys = {
        {19, Key::Pause}, {27, Key::Escape}, {32, Key::Space},  {37, Key::Left},   {38, Key::Up},
        {39, Key::Right}, {40, Key::Down},   {45, Key::Insert}, {65, Key::A},      {77, Key::M},
        {79, Key::O},     {80, Key::P},      {97, Key::Num1},   {98, Key::Num2},   {99, Key::Num3},
        {100, Key::Num4}, {102, Key::Num6},  {104, Key::Num8},  {188, Key::Comma}, {190, Key::Period}};
    const auto it = keys.find(number);
    return it == keys.end() ? Key::Other : it->second;
}

Key namedKey(const std::string& name) {
    static const std::map<std::string, Key> names = {
        {"UP", Key::Up},         {"DOWN", Key::Down},     {"LEFT", Key::Left},   {"RIGHT", Key::Right},
        {"SPACE", Key::Space},   {"INSERT", Key::Insert}, {"HOME", Key::Other},  {"PAGEUP", Key::Other},
        {"PERIOD", Key::Period}, {"COMMA", Key::Comma},   {"PAUSE", Key::Pause}, {"ESCAPE", Key::Escape}};
    const std::string upperName = upper(name);
    if (auto it = names.find(upperName); it != names.end()) return it->second;
    // A letter or a keypad digit goes by the number of its key.
    if (upperName.size() == 1 && upperName[0] >= 'A' && upperName[0] <= 'Z') return keyOfNumber(upperName[0]);
    if (upperName.size() == 4 && upperName.rfind("NUM", 0) == 0 && upperName[3] >= '0' && upperName[3] <= '9')
        return keyOfNumber(96 + (upperName[3] - '0'));
    if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos && name.size() <= 5) {
        const int number = std::stoi(name);
        if (number <= 32767) return keyOfNumber(number);
    }
    throw ScriptError("unknown key '" + name + "'");
}

} // namespace

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
    key.key = namedKey(rest);
    return key;
}

} // namespace gf
