// Every creature of the shipped data must stand out from the floor as the
// view draws it, in full light and still in the dimmest lit band.
#include "contact/contrast.hpp"

#include <gtest/gtest.h>

using namespace gloamfell::tools;

TEST(CreatureContrast, EveryCreatureReadsAgainstTheFloorInEveryLitBand) {
    const std::vector<CreatureContrast> creatures = measureContrast(GLOAMFELL_DATA_DIR);
    ASSERT_GE(creatures.size(), 2u);
    for (const CreatureContrast& c : creatures) {
        SCOPED_TRACE(c.name);
        EXPECT_GE(c.ratio.front(), 3.0);
        EXPECT_GE(c.ratio.back(), 2.0);
    }
}
