#include "state/creature.h"

#include "util/failure.h"

namespace gf {

template <class Array> static auto& oneBased(Array& a, int64_t i) {
    if (i < 1 || i > static_cast<int64_t>(a.size())) fail(kSubscriptOutOfRange);
    return a[static_cast<std::size_t>(i - 1)];
}

CreatureSkill& Creature::skill(int64_t i) {
    return oneBased(skills, i);
}
const CreatureSkill& Creature::skill(int64_t i) const {
    return oneBased(skills, i);
}
Item& Creature::carry(int64_t slot) {
    return oneBased(carried, slot);
}
const Item& Creature::carry(int64_t slot) const {
    return oneBased(carried, slot);
}

} // namespace gf
