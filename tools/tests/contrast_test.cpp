// Every shipped creature stands out from its floor in full and the dimmest lit light, and so does the gold
// message.
#include "contact/contrast.hpp"
#include "platform/canvas.h"

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

TEST(CreatureContrast, goldMessageReadsOnTheDarkestFloor) {
    const gf::Color c = gf::kLightBlue;
    const int r = c & 255, g = c >> 8 & 255, b = c >> 16 & 255;
    EXPECT_GT(b, std::max(r, g)) << "still a blue";
    const double blue = luminance(linearChannel(r), linearChannel(g), linearChannel(b));
    EXPECT_GE(contrastRatio(blue, darkestFloor(GLOAMFELL_DATA_DIR)), 4.5);
}
