#include "platform/seeded_random.h"

#include <bit>

namespace gf {

void SeededRandom::seed(float value) {
    engine_.seed(std::bit_cast<uint32_t>(value));
}

} // namespace gf
