#include "shell/game.h"

namespace gf {

Message& Game::message(int64_t i) {
    if (i < 1 || i > kMessageLines) fail(kSubscriptOutOfRange);
    return Messages[static_cast<std::size_t>(i - 1)];
}

DamageNumber& Game::damage(int64_t i) {
    if (i < 1 || i > kDamageNumbers) fail(kSubscriptOutOfRange);
    return Damages[static_cast<std::size_t>(i - 1)];
}

} // namespace gf
