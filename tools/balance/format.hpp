#pragma once
// Numbers as the balance report and the bound faults write them.
#include <cstdio>
#include <string>

namespace gloamfell::balance {

inline std::string fixed(double v, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

inline std::string percent(double share) {
    return fixed(share * 100, 0) + "%";
}

} // namespace gloamfell::balance
