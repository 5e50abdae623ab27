// The clip window of the HPGL converter. Expected points are found by hand from the straight line through
// the two ends of a stroke.

#include "export/dxf_records.h"
#include "export/hpgl_clip.h"

#include <gtest/gtest.h>

namespace umbrix::hpgl {
namespace {

constexpr double kPointTol = 1e-4; // the texts carry 4 decimals

PointValue Parsed(const PointText& point)
{
    return {dxf::ParseNumber(point.x).value_or(-1e9), dxf::ParseNumber(point.y).value_or(-1e9)};
}

TEST(ClipWindow, ClipsOnlyOnceItHasAWidthAndTakesItsCornersInAnyOrder)
{
    ClipWindow window;
    EXPECT_FALSE(window.active());
    window.set(5, 0, 5, 10);
    EXPECT_FALSE(window.active());

    window.set(10, 10, 0, 0);
    ASSERT_TRUE(window.active());
    EXPECT_EQ(window.code({5, 5}), 0);
    EXPECT_EQ(window.code({0, 10}), 0); // the boundary belongs to the window
    EXPECT_EQ(window.code({-1, 5}), 1);
    EXPECT_EQ(window.code({11, 5}), 2);
    EXPECT_EQ(window.code({5, -1}), 3);
    EXPECT_EQ(window.code({5, 11}), 4);
}

TEST(ClipWindow, TheOutsideEndMovesAlongTheStrokeOntoTheBoundary)
{
    ClipWindow window;
    window.set(0, 0, 10, 10);

    const PointValue left = Parsed(window.towards({-10, 5}, {5, 5}));
    EXPECT_NEAR(left.x, 0, kPointTol);
    EXPECT_NEAR(left.y, 5, kPointTol);

    // Through the corner: x = 20 - 15 s, y = 20 - 15 s meets x = 10 at s = 2/3, where y = 10 too.
    const PointValue corner = Parsed(window.towards({20, 20}, {5, 5}));
    EXPECT_NEAR(corner.x, 10, kPointTol);
    EXPECT_NEAR(corner.y, 10, kPointTol);

    // Two bounds crossed: x = -10 + 15 s, y = 30 - 25 s leaves x < 0 at s = 2/3 (y = 13.33, still above),
    // and enters the window at y = 10, s = 0.8, x = 2.
    const PointValue twice = Parsed(window.towards({-10, 30}, {5, 5}));
    EXPECT_NEAR(twice.x, 2, kPointTol);
    EXPECT_NEAR(twice.y, 10, kPointTol);
}

} // namespace
} // namespace umbrix::hpgl
