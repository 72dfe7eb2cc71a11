#include "util/numeric.h"

#include <cerrno>
#include <cstdlib>

namespace gf {

double parseNumber(const std::string& text) {
    const auto mismatch = [&] { fail("Type mismatch: \"" + text.substr(0, 40) + "\" is not a number"); };
    if (text.empty() || text.size() > 64) mismatch();
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) mismatch();
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size()) mismatch();
    if (errno == ERANGE || !std::isfinite(v)) fail(kOverflow);
    return v;
}

} // namespace gf
