// Zooming about the pointer and centring a listed point, checked through the screen mapping of a point
// before and after (the window tests check the mapping against the drawn marks).

#include "core/driver.h"
#include "core/input_panel.h"
#include "graphics/view_point.h"

#include <gtest/gtest.h>

#include <limits>

namespace umbrix {
namespace {

constexpr double kPixelTol = 1.0; // pans are whole pixels: the point may move by the rounding
constexpr int kWidth = 1000;
constexpr int kHeight = 700;

Model DefaultDial()
{
    Model m;
    InitDefaults(m);
    RecordingHost host;
    (void)Recalculate(m, host);
    return m;
}

TEST(ViewPoint, ZoomingAboutThePointerKeepsThePointUnderIt)
{
    const Model m = DefaultDial();
    const ListedPoint point{{0.7, -0.4}, DrawingCentre::Single};
    const FitFrame frame = ScreenFitFrame(m, kWidth, kHeight);
    ViewState view;
    view.panX = 37;
    view.panY = -12;
    for (const bool in : {true, true, false, true, false, false, false}) {
        const std::optional<PixelPoint> before = ListedPointPixel(m, view, point, kWidth, kHeight);
        ASSERT_TRUE(before);
        const double oldZoom = view.zoomFactor;
        ASSERT_TRUE(ZoomAtPixel(view, in, frame, before->x, before->y));
        EXPECT_NEAR(view.zoomFactor, in ? oldZoom * kZoomStep : oldZoom / kZoomStep, 1e-12);
        const std::optional<PixelPoint> after = ListedPointPixel(m, view, point, kWidth, kHeight);
        ASSERT_TRUE(after);
        EXPECT_NEAR(after->x, before->x, kPixelTol);
        EXPECT_NEAR(after->y, before->y, kPixelTol);
    }
}

TEST(ViewPoint, TheZoomStopsAtItsCeilingAndAPanBeyond32BitsChangesNothing)
{
    const Model m = DefaultDial();
    const FitFrame frame = ScreenFitFrame(m, kWidth, kHeight);
    ViewState view;
    view.zoomFactor = kZoomCeiling;
    const ViewState kept = view;
    EXPECT_FALSE(ZoomAtPixel(view, true, frame, 10, 10));
    EXPECT_EQ(view.zoomFactor, kept.zoomFactor);

    view.zoomFactor = 1;
    view.panX = std::numeric_limits<std::int32_t>::max() - 5;
    EXPECT_FALSE(ZoomAtPixel(view, true, frame, -1e9, 0));
    EXPECT_EQ(view.zoomFactor, 1.0);
    EXPECT_FALSE(CentreOnPixel(view, {-1e10, 0}, kWidth, kHeight));
}

TEST(ViewPoint, CentringBringsThePointToTheMiddleAndKeepsTheZoom)
{
    const Model m = DefaultDial();
    ViewState view;
    view.zoomFactor = 2.5;
    // A point of each half of the split dial and one of a single centre.
    for (const DrawingCentre centre : {DrawingCentre::Single, DrawingCentre::Morning, DrawingCentre::Afternoon}) {
        const ListedPoint point{{-1.1, 0.3}, centre};
        const std::optional<PixelPoint> before = ListedPointPixel(m, view, point, kWidth, kHeight);
        ASSERT_TRUE(before);
        EXPECT_TRUE(CentreOnPixel(view, *before, kWidth, kHeight));
        const std::optional<PixelPoint> after = ListedPointPixel(m, view, point, kWidth, kHeight);
        ASSERT_TRUE(after);
        EXPECT_NEAR(after->x, kWidth / 2.0, kPixelTol);
        EXPECT_NEAR(after->y, kHeight / 2.0, kPixelTol);
        EXPECT_EQ(view.zoomFactor, 2.5);
        // Centred already: nothing to do.
        EXPECT_FALSE(CentreOnPixel(view, *after, kWidth, kHeight));
    }
    EXPECT_FALSE(ListedPointPixel(m, view, {{1, 1}, DrawingCentre::Single}, 0, kHeight));
}

} // namespace
} // namespace umbrix
