// "Fit to window": the fitted view frames the whole dial. FitExtent is checked against hand computations;
// the whole fit by drawing on the recording surface with the fitted view: every element of the dial with
// its labels lies inside the image, also where the start view cuts the construction off.

#include "core/driver.h"
#include "core/model.h"
#include "graphics/construction.h"
#include "graphics/extent_surface.h"
#include "graphics/recording_surface.h"
#include "graphics/view_fit.h"

#include "calculated_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <utility>

using namespace umbrix;

namespace {

Extent Box(double minX, double minY, double maxX, double maxY)
{
    Extent e;
    e.add({minX, minY});
    e.add({maxX, maxY});
    return e;
}

// A 700 x 424 image at 100 px per dial unit, centre (350, 233): the drawing's centre 1.1 half heights down.
constexpr FitFrame kFrame{.widthPx = 700, .heightPx = 424, .pixelsPerUnit = 100, .centreXPx = 350, .centreYPx = 233};

TEST(FitExtent, TheTighterSideSetsTheZoomAndTheMiddleMovesToTheImagesMiddle)
{
    // By hand, margin 10: room 680 x 404; 4 x 2 units at 100 px: zoom min(680 / 400, 404 / 200) = 1.7.
    const std::optional<ViewState> centred = FitExtent(Box(-2, -1, 2, 1), kFrame, 10);
    ASSERT_TRUE(centred);
    EXPECT_DOUBLE_EQ(centred->zoomFactor, 1.7);
    EXPECT_EQ(centred->panX, 0);
    EXPECT_EQ(centred->panY, 212 - 233); // P(0/0) up to the image's middle

    // Off the centre: x 0..4 at 170 px per unit spans 10..690 once panX = 350 - 350 - 1.7 * 100 * 2.
    const std::optional<ViewState> east = FitExtent(Box(0, 0, 4, 1), kFrame, 10);
    ASSERT_TRUE(east);
    EXPECT_DOUBLE_EQ(east->zoomFactor, 1.7);
    EXPECT_EQ(east->panX, -340);
    EXPECT_EQ(east->panY, 212 - 233 + 85); // the middle y = 0.5 lies 85 px above the centre
    EXPECT_EQ(350 + east->panX + 0 * 170, 10);
    EXPECT_EQ(350 + east->panX + 4 * 170, 690);

    // A tall extent: the height decides (404 / (100 * 8) = 0.505).
    const std::optional<ViewState> tall = FitExtent(Box(-1, -6, 1, 2), kFrame, 10);
    ASSERT_TRUE(tall);
    EXPECT_DOUBLE_EQ(tall->zoomFactor, 0.505);
    EXPECT_EQ(tall->panY, 212 - 233 + static_cast<int>(std::nearbyint(-2 * 50.5)));
}

TEST(FitExtent, ALineIsFittedByItsLengthAndTheZoomStopsAtTheCeiling)
{
    const std::optional<ViewState> line = FitExtent(Box(-1, 0.5, 1, 0.5), kFrame, 0);
    ASSERT_TRUE(line);
    EXPECT_DOUBLE_EQ(line->zoomFactor, 3.5); // 700 / 200
    const std::optional<ViewState> tiny = FitExtent(Box(0, 0, 1e-4, 1e-4), kFrame, 0);
    ASSERT_TRUE(tiny);
    EXPECT_DOUBLE_EQ(tiny->zoomFactor, kZoomCeiling);
}

TEST(FitExtent, NothingToFrameGivesNoView)
{
    EXPECT_FALSE(FitExtent(Extent{}, kFrame, 10));           // empty
    EXPECT_FALSE(FitExtent(Box(1, 1, 1, 1), kFrame, 10));    // a point
    EXPECT_FALSE(FitExtent(Box(-1, -1, 1, 1), kFrame, 400)); // no room left inside the margins
    FitFrame flat = kFrame;
    flat.pixelsPerUnit = 0;
    EXPECT_FALSE(FitExtent(Box(-1, -1, 1, 1), flat, 10));
    const double inf = std::numeric_limits<double>::infinity();
    Extent endless = Box(-1, -1, 1, 1);
    endless.max.x = inf;
    EXPECT_FALSE(FitExtent(endless, kFrame, 10));
    // A middle so far out that the pan leaves 32 bits: 1e12 units at the ceiling zoom.
    EXPECT_FALSE(FitExtent(Box(1e12, 0, 1e12 + 1e-3, 1e-3), kFrame, 10));
}

using test::Calculated;

/// Whether an operation belongs to the shadow path: the path in maroon, its hour dots of radius 2 in navy
/// on white.
bool IsShadowPathOp(const RecordedOp& op)
{
    return (op.op == SurfaceOp::LineTo && op.pen.colour == kMaroon) ||
           (op.op == SurfaceOp::Ellipse && op.pen.colour == kNavy && op.brush.colour == kWhite && op.x2 - op.x1 == 4 &&
            op.y2 - op.y1 == 4);
}

/// The box of the dial on a recorded screen drawing, found from the operations alone: everything drawn
/// but the background, the captions at the edges and the axes, and the shadow path. The axes with their
/// ticks, numbers and compass letters are drawn right after the background, from a move to the left end
/// of the horizontal axis (x = 5) until the font turns bold; the captions after the last dial element, in
/// the corners (the dial title 20 px above the bottom edge, the largest semi-axis of the fixed-gnomon dial
/// at the top).
PixelBox DialBox(const RecordingSurface& s, const Model& model)
{
    PixelBox box;
    bool inAxes = false;
    bool axesDone = false;
    for (const RecordedOp& op : s.ops) {
        if (!axesDone && !inAxes && op.op == SurfaceOp::MoveTo && op.x1 == 5)
            inAxes = true;
        if (inAxes && op.font.style == FontStyle::Bold) {
            inAxes = false;
            axesDone = true;
        }
        if (!axesDone || inAxes || IsShadowPathOp(op))
            continue;
        if (op.op == SurfaceOp::TextOut && op.text == model.state.dialTitle)
            break; // the captions follow
        switch (op.op) {
        case SurfaceOp::MoveTo:
            break;
        case SurfaceOp::LineTo:
        case SurfaceOp::Ellipse:
        case SurfaceOp::Rectangle:
            box.add(op.x1, op.y1);
            box.add(op.x2, op.y2);
            break;
        case SurfaceOp::TextOut:
            box.add(op.x1, op.y1);
            box.add(static_cast<std::int64_t>(op.x1) + s.TextWidth(op.text),
                    static_cast<std::int64_t>(op.y1) + op.font.height);
            break;
        }
    }
    return box;
}

struct FitCase {
    std::string name;
    int dialType;
    std::function<void(Model&)> adjust;
    bool cutOffAtStart; // the start view on a 700 x 424 image cuts the dial off
};

class FitToWindow : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitToWindow, TheDialWithItsLabelsLiesInsideTheImage)
{
    const FitCase& c = GetParam();
    std::unique_ptr<Model> model = Calculated(c.dialType, c.adjust);
    for (const auto& [w, h] : {std::pair{700, 424}, std::pair{1000, 606}, std::pair{1600, 900}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        RecordingSurface surface(w, h);
        DrawingState state;
        StoreDrawing(*model, state, DrawConstruction(*model, state, surface, ScreenDrawOptions({})));
        if (w == 700) {
            EXPECT_EQ(!DialBox(surface, *model).inside(w, h), c.cutOffAtStart);
        }

        // Fitting only reads the model.
        const double minorAxis = model->derived.semiMinorAxis;
        const std::size_t curves = model->drawing.fixedGnomonCurves.size();
        RecordingSurface metrics(w, h);
        const ViewState view = FitConstructionView(*model, {}, metrics, w, h);
        EXPECT_EQ(model->derived.semiMinorAxis, minorAxis);
        EXPECT_EQ(model->drawing.fixedGnomonCurves.size(), curves);
        surface.clear();
        StoreDrawing(*model, state, DrawConstruction(*model, state, surface, ScreenDrawOptions(view)));
        const PixelBox box = DialBox(surface, *model);
        ASSERT_FALSE(box.empty);
        EXPECT_TRUE(box.inside(w, h)) << box.left << " " << box.top << " " << box.right << " " << box.bottom;
        // The dial fills the image in one direction at least: less than a fifth of it stays free.
        EXPECT_TRUE(box.right - box.left > 0.8 * w || box.bottom - box.top > 0.8 * h)
            << box.left << " " << box.top << " " << box.right << " " << box.bottom;
    }
}

INSTANTIATE_TEST_SUITE_P(
    DialTypes, FitToWindow,
    ::testing::Values(FitCase{"VerticalDeclining", 5, {}, true}, FitCase{"VerticalSouth", 4, {}, true},
                      FitCase{"SouthernLatitude", 0, [](Model& m) { m.params.latitude = -35; }, true},
                      FitCase{"InclinedPlane", 2, [](Model& m) { m.params.planeInclination = 40; }, true},
                      FitCase{"FixedGnomonSteep", 7, {}, true},
                      FitCase{"FixedGnomonInclined", 7, [](Model& m) { m.params.gnomonInclination = 30; }, true},
                      FitCase{"FixedGnomonNearlyLying", 7, [](Model& m) { m.params.gnomonInclination = 70; }, true},
                      FitCase{"FixedGnomonSouthern", 7, [](Model& m) { m.params.latitude = -35; }, true},
                      FitCase{"Horizontal", 0, {}, false}, FitCase{"HorizontalTiltedGnomon", 1, {}, false},
                      FitCase{"InclinedPlaneGnomon", 3, {}, true}, FitCase{"MeanTime", 6, {}, false},
                      FitCase{"SplitDial", 6, [](Model& m) { m.params.marksMode = MarksMode::DoubleAnalemma; }, false}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return info.param.name; });

TEST(ExtentSurface, KeepsTheBoxOfEachPartWithTheTextsMeasuredByAnotherSurface)
{
    RecordingSurface metrics(100, 100);
    ExtentSurface s(metrics, 100, 100);
    s.MoveTo(-5, 7);
    s.LineTo(20, 30); // before any part: the background
    s.BeginPart(DrawingPart::Dial);
    s.MoveTo(1000, 1000); // a move alone covers nothing
    s.pen.width = 3;
    s.Ellipse(50, 40, 40, 60); // corners in any order, widened by half the pen
    s.font.height = 10;
    s.TextOut(60, 70, "abcd"); // 4 characters of 5 units on the recording surface, 10 high
    EXPECT_EQ(s.TextWidth("abcd"), 20);

    const PixelBox& background = s.box(DrawingPart::Background);
    EXPECT_EQ(background.left, -5);
    EXPECT_EQ(background.bottom, 30);
    EXPECT_FALSE(background.inside(100, 100));
    const PixelBox& dial = s.box(DrawingPart::Dial);
    EXPECT_EQ(dial.left, 39);
    EXPECT_EQ(dial.top, 39);
    EXPECT_EQ(dial.right, 80);
    EXPECT_EQ(dial.bottom, 80);
    EXPECT_TRUE(dial.inside(100, 100));
    EXPECT_FALSE(dial.inside(80, 100));
    EXPECT_TRUE(s.box(DrawingPart::Axes).empty);
    EXPECT_TRUE(s.box(DrawingPart::Axes).inside(1, 1));
}

} // namespace
