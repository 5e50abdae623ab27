// The view of the construction: zoom, pan steps, drags, keys, and the pan carried over to a print page.

#include "graphics/view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace umbrix;

TEST(ViewZoom, FiveStepsInGiveOnePointTwoToTheFifthAndFiveOutReturn)
{
    ViewState view;
    for (int k = 0; k < 5; ++k)
        EXPECT_TRUE(ZoomIn(view));
    EXPECT_NEAR(view.zoomFactor, 2.48832, 1e-12); // 1.2^5 by hand
    for (int k = 0; k < 5; ++k)
        ZoomOut(view);
    EXPECT_NEAR(view.zoomFactor, 1.0, 1e-12);
}

TEST(ViewZoom, ZoomInStopsOnceTheFactorHasReachedFifty)
{
    ViewState view;
    view.zoomFactor = 49.9;
    EXPECT_TRUE(ZoomIn(view));
    EXPECT_NEAR(view.zoomFactor, 59.88, 1e-9);
    EXPECT_FALSE(ZoomIn(view));
    EXPECT_NEAR(view.zoomFactor, 59.88, 1e-9);

    view.zoomFactor = 50.0; // exactly the ceiling: refused
    EXPECT_FALSE(ZoomIn(view));
}

TEST(ViewZoom, ResetClearsZoomAndPan)
{
    ViewState view{3.0, 40, -7, 1, 2};
    ResetView(view);
    EXPECT_EQ(view.zoomFactor, 1.0);
    EXPECT_EQ(view.panX, 0);
    EXPECT_EQ(view.panY, 0);
}

TEST(ViewPan, StepsAreAFortiethOfTheLastDrawingTruncated)
{
    // 700 / 40 = 17.5 and 424 / 40 = 10.6, truncated.
    ViewState view;
    EXPECT_TRUE(ShiftView(view, ShiftDirection::Right, 700, 424));
    EXPECT_EQ(view.panX, 17);
    EXPECT_TRUE(ShiftView(view, ShiftDirection::Up, 700, 424));
    EXPECT_EQ(view.panY, -10);
    EXPECT_TRUE(ShiftView(view, ShiftDirection::Left, 700, 424));
    EXPECT_TRUE(ShiftView(view, ShiftDirection::Down, 700, 424));
    EXPECT_EQ(view.panX, 0);
    EXPECT_EQ(view.panY, 0);
}

TEST(ViewPan, OverflowOfThe32BitPanLeavesTheViewUnchanged)
{
    ViewState view;
    view.panX = std::numeric_limits<std::int32_t>::max() - 5;
    EXPECT_FALSE(ShiftView(view, ShiftDirection::Right, 700, 424));
    EXPECT_EQ(view.panX, std::numeric_limits<std::int32_t>::max() - 5);

    view.panY = std::numeric_limits<std::int32_t>::min() + 3;
    StartDrag(view, 0, 100);
    EXPECT_FALSE(DropDrag(view, 30, 0)); // panY would fall below the range: neither pan changes
    EXPECT_EQ(view.panX, std::numeric_limits<std::int32_t>::max() - 5);
    EXPECT_EQ(view.panY, std::numeric_limits<std::int32_t>::min() + 3);
}

TEST(ViewPan, DragAddsTheDisplacementFromPressToRelease)
{
    ViewState view;
    StartDrag(view, 200, 150);
    EXPECT_TRUE(DropDrag(view, 230, 138));
    EXPECT_EQ(view.panX, 30);
    EXPECT_EQ(view.panY, -12);
}

TEST(ViewKeys, CtrlZoomsEverywhereAltShiftsOnlyOnTheGraphicsPage)
{
    const KeyModifiers ctrl{true, false, false};
    const KeyModifiers alt{false, true, false};
    EXPECT_EQ(ViewActionForKey(ViewKey::KeypadPlus, ctrl, false), ViewAction::ZoomIn);
    EXPECT_EQ(ViewActionForKey(ViewKey::KeypadMinus, ctrl, true), ViewAction::ZoomOut);
    EXPECT_EQ(ViewActionForKey(ViewKey::KeypadPlus, {true, false, true}, true), ViewAction::None); // Ctrl+Shift
    EXPECT_EQ(ViewActionForKey(ViewKey::Left, alt, true), ViewAction::ShiftLeft);
    EXPECT_EQ(ViewActionForKey(ViewKey::Down, alt, true), ViewAction::ShiftDown);
    EXPECT_EQ(ViewActionForKey(ViewKey::Left, alt, false), ViewAction::None);
    EXPECT_EQ(ViewActionForKey(ViewKey::Left, {true, true, false}, true), ViewAction::None);
    EXPECT_EQ(ViewActionForKey(ViewKey::Other, alt, true), ViewAction::None);
}

TEST(ViewPrint, PanIsScaledByTheWidthRatio)
{
    EXPECT_EQ(PrintPan(100, 700, 2800), 400);
    EXPECT_EQ(PrintPan(-30, 700, 2800), -120);
    EXPECT_EQ(PrintPan(100, 0, 2800), 0);
}
