#include "state/game.h"

namespace gf {

Message& MessageBoard::line(int64_t i) {
    if (i < 1 || i > kMessageLines) fail(kSubscriptOutOfRange);
    return lines[static_cast<std::size_t>(i - 1)];
}

DamageNumber& MessageBoard::damage(int64_t i) {
    if (i < 1 || i > kDamageNumbers) fail(kSubscriptOutOfRange);
    return damages[static_cast<std::size_t>(i - 1)];
}

} // namespace gf
