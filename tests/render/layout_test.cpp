#include "render/layout.h"

#include <gtest/gtest.h>

namespace gf {
namespace {

// The view takes what the panel leaves, one unit short on each side; a window
// that cannot hold the panel, or is minimised, keeps its old layout.
TEST(FormLayout, viewTakesTheRestBesideThePanel) {
    struct Case {
        int w, h, s;
        bool minimized;
        std::optional<ViewLayout> expected;
    };
    const Case cases[] = {
        {881, 481, 240, false, ViewLayout{{0, 0, 640, 480}, {640, 0, 240, 480}}},
        {242, 2, 240, false, ViewLayout{{0, 0, 1, 1}, {1, 0, 240, 1}}},
        {241, 100, 240, false, ViewLayout{{0, 0, 0, 99}, {0, 0, 240, 99}}},
        {881, 481, 240, true, std::nullopt},
        {240, 481, 240, false, std::nullopt},
        {100, 481, 240, false, std::nullopt},
        {881, 1, 240, false, std::nullopt},
        {881, 0, 240, false, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formLayout(c.w, c.h, c.s, c.minimized), c.expected) << c.w << "x" << c.h << " S " << c.s;
}

} // namespace
} // namespace gf
