// The construction drawing on the recording surface: scale, origin, the impossible mean-time dial, the
// year-round question, date marks, hour labels, the split dial, the shadow path and bad coordinates.

#include "core/driver.h"
#include "core/host.h"
#include "core/input_panel.h"
#include "core/model.h"
#include "graphics/construction.h"
#include "graphics/recording_surface.h"
#include "text/texts.h"

#include "calculated_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

using namespace umbrix;

namespace {

using test::Calculated;

struct Drawing {
    DrawingState state;
    RecordingSurface surface{700, 424};
    RecordingSurface errorSurface{400, 240};
    RecordingHost host;
};

/// A screen drawing, stored as the window stores it.
void Draw(Model& model, Drawing& d, const ViewState& view = {})
{
    StoreDrawing(model, d.state,
                 DrawConstruction(model, d.state, d.surface, ScreenDrawOptions(view, &d.errorSurface, &d.host)));
}

std::vector<RecordedOp> PathOps(const RecordingSurface& s, Colour pen)
{
    std::vector<RecordedOp> out;
    for (const auto& op : s.ops)
        if ((op.op == SurfaceOp::MoveTo || op.op == SurfaceOp::LineTo) && op.pen.colour == pen)
            out.push_back(op);
    return out;
}

double CentreX(const RecordedOp& ellipse)
{
    return (ellipse.x1 + ellipse.x2) / 2.0;
}

} // namespace

TEST(DrawingScale, TickStepAndSpanFollowTheSemiMajorAxis)
{
    DialParameters p; // latitude 47.25, horizontal dial
    DerivedGeometry g;
    g.semiMinorAxis = 2.0;
    p.semiMajorAxis = 2.75; // u = 1, u a < 3.2
    ConstructionFrame f = ComputeDrawingScale(p, g, 590, 337);
    EXPECT_DOUBLE_EQ(f.gridStep, 0.1);
    EXPECT_DOUBLE_EQ(f.span, 3.3);
    p.semiMajorAxis = 4; // u a = 4
    f = ComputeDrawingScale(p, g, 590, 337);
    EXPECT_DOUBLE_EQ(f.gridStep, 0.2);
    EXPECT_DOUBLE_EQ(f.span, 6.4);
    p.semiMajorAxis = 40; // u = 0.1, u a = 4: step 0.2 / 0.1
    g.semiMinorAxis = 29;
    f = ComputeDrawingScale(p, g, 590, 337);
    EXPECT_DOUBLE_EQ(f.unitScale, 0.1);
    EXPECT_NEAR(f.gridStep, 2.0, 1e-12);
}

TEST(DrawingScale, HalfWidthFitsTheSpanUnlessTheHeightIsTighter)
{
    DialParameters p;
    DerivedGeometry g;
    p.semiMajorAxis = 2.75;
    g.semiMinorAxis = 2.0194; // a sin 47.25
    // Wide surface: 590 / 3.3 = 178.79 px per unit; the height allows 0.96 * 337 / 2.0194 = 160.2.
    EXPECT_NEAR(ComputeDrawingScale(p, g, 590, 337).pixelsPerUnit, 0.96 * 337 / 2.0194, 1e-9);
    // Tall surface: the width decides.
    EXPECT_NEAR(ComputeDrawingScale(p, g, 590, 1000).pixelsPerUnit, 590 / 3.3, 1e-9);
    // A date scale twenty half-heights long: the scale stops shrinking at 0.05 px per unit.
    g.drawingScaleCosine = 1e-7;
    EXPECT_DOUBLE_EQ(ComputeDrawingScale(p, g, 590, 337).pixelsPerUnit, 0.05);
}

TEST(DrawingOrigin, ZoomOneWithoutPanPutsTheCentreBelowTheMiddle)
{
    auto horizontal = Calculated(0);
    Drawing d;
    Draw(*horizontal, d);
    EXPECT_EQ(d.state.originX, 350);
    EXPECT_EQ(d.state.originY, 233); // round(1.1 * 212) = round(233.2)
    EXPECT_EQ(d.state.lastImageWidth, 700);

    auto fixedGnomon = Calculated(7);
    Drawing d7;
    Draw(*fixedGnomon, d7);
    EXPECT_EQ(d7.state.originX, 350);
    EXPECT_EQ(d7.state.originY, 297); // round(1.4 * 212) = round(296.8)

    ViewState shifted;
    shifted.panX = 30;
    shifted.panY = -12;
    Drawing moved;
    Draw(*horizontal, moved, shifted);
    EXPECT_EQ(moved.state.originX, 380);
    EXPECT_EQ(moved.state.originY, 221);
}

TEST(DrawingOrigin, PrintModeScalesThePanAndDrawsTheLegend)
{
    auto model = Calculated(0);
    DrawingState state;
    state.imageWidth = 700;
    state.printAreaLeft = 100;
    state.printAreaTop = 50;
    state.printAreaWidth = 2800;
    state.printAreaHeight = 1900;
    state.printPageHeight = 2500;
    RecordingSurface page(3000, 2700, 254);
    DrawOptions options;
    options.screenMode = false;
    options.panX = 100;
    state = DrawConstruction(*model, state, page, options).state;
    EXPECT_EQ(state.originX, 1400 + 100 + 400); // half the area, its left edge, 2800 * 100 / 700
    EXPECT_EQ(state.originY, 1045 + 50);        // round(1.1 * 950), its top edge
    EXPECT_EQ(state.lastImageWidth, 0);         // only screen drawings set it

    const std::string title =
        model->state.dialTitle + ", " + std::string(LabelRow(model->state.language, LabelId::AnalemmaticSundial));
    ASSERT_EQ(page.textsEqualTo(title).size(), 1u);
    // Bottom of the legend: the page height plus the top, less half of what the area leaves below 240.
    const int bottom = 2500 + 50 - (2500 - 1900 - 240) / 2;
    EXPECT_EQ(page.textsEqualTo(title)[0].y1, bottom - 11 * 16);
    EXPECT_EQ(page.textsEqualTo("umbrix").size(), 1u);
}

TEST(ImpossibleMeanTimeDial, OnlyTheRequestToChangeTheParametersIsDrawn)
{
    auto model = Calculated(6, [](Model& m) { m.params.latitude = 20; }); // |20 - 0| < 25 degrees
    Drawing d;
    Draw(*model, d);
    const std::string_view request = LabelRow(model->state.language, LabelId::ChangeParameters);
    ASSERT_EQ(d.surface.ops.size(), 2u);
    const RecordedOp& clear = d.surface.ops[0];
    EXPECT_EQ(clear.op, SurfaceOp::Rectangle);
    EXPECT_EQ(clear.brush.colour, kWhite);
    EXPECT_EQ(clear.x1, 1);
    EXPECT_EQ(clear.x2, 698);
    EXPECT_EQ(clear.y2, 422);
    const RecordedOp& text = d.surface.ops[1];
    EXPECT_EQ(text.text, request);
    EXPECT_EQ(text.font.colour, kRed);
    EXPECT_EQ(text.font.height, 24); // 18 pt at 96 dpi
    EXPECT_EQ(text.x1, 350 - CodePointCount(request) * 12 / 2);
    EXPECT_EQ(text.y1, 212);
    EXPECT_TRUE(d.errorSurface.ops.empty()); // the error graph keeps its previous content
}

TEST(ImpossibleMeanTimeDial, TheSplitDialsLoopGridsAreEmptied)
{
    auto model = Calculated(6, [](Model& m) {
        m.params.latitude = 20;
        m.params.marksMode = MarksMode::DoubleAnalemma;
    });
    ASSERT_FALSE(model->grids.StrGrid8.cell(1, 1).empty());
    Drawing d;
    const DrawingOutcome outcome =
        DrawConstruction(*model, d.state, d.surface, ScreenDrawOptions({}, &d.errorSurface, &d.host));
    EXPECT_TRUE(outcome.loopGridsVoid);
    EXPECT_FALSE(model->grids.StrGrid8.cell(1, 1).empty()); // the drawing leaves the model alone
    StoreDrawing(*model, d.state, outcome);
    EXPECT_TRUE(model->grids.StrGrid8.cell(1, 1).empty());
    EXPECT_TRUE(model->grids.StrGrid8b.cell(1, 1).empty());
}

TEST(YearRoundCheck, RedQuestionWhenTheDateScaleOutgrowsTheEllipse)
{
    // Horizontal dial: date extent a tan 23.445 cos L against b = a sin L; at 20 degrees 0.40 > 0.96 * 0.34.
    auto low = Calculated(0, [](Model& m) { m.params.latitude = 20; });
    Drawing d;
    d.state.graphicsPageVisible = true;
    Draw(*low, d);
    const std::string_view question = LabelRow(low->state.language, LabelId::YearRoundQuestion);
    const auto found = d.surface.textsEqualTo(question);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].font.colour, kRed);
    EXPECT_EQ(found[0].font.style, FontStyle::Bold);
    EXPECT_EQ(found[0].x1, 700 - 20 - CodePointCount(question) * 8); // font height 16
    EXPECT_EQ(found[0].y1, 424 - 20);
    EXPECT_TRUE(d.host.messages.empty()); // the graphics page is shown: no box

    Drawing hidden;
    hidden.state.graphicsPageVisible = false;
    Draw(*low, hidden);
    ASSERT_EQ(hidden.host.messages.size(), 1u);
    EXPECT_EQ(hidden.host.messages[0].text, TextRow(low->state.language, TextId::NoYearRoundTime));
    EXPECT_EQ(hidden.host.messages[0].icon, MessageIcon::Warning);

    auto usual = Calculated(0); // latitude 47.25
    Drawing ok;
    Draw(*usual, ok);
    EXPECT_TRUE(ok.surface.textsEqualTo(question).empty());
}

TEST(DateScale, MarksPerMonthGiveThirtySixOrFourteenTicks)
{
    // A date tick runs 15 px sideways from its mark, green before the summer solstice and red after it.
    const auto ticks = [](const RecordingSurface& s) {
        return std::count_if(s.ops.begin(), s.ops.end(), [](const RecordedOp& op) {
            return op.op == SurfaceOp::LineTo && op.y1 == op.y2 && std::abs(op.x1 - op.x2) == 15 &&
                   (op.pen.colour == kGreen || op.pen.colour == kRed);
        });
    };
    auto three = Calculated(0, [](Model& m) { m.params.marksPerMonth = 3; });
    Drawing d3;
    Draw(*three, d3);
    EXPECT_EQ(ticks(d3.surface), 36);

    auto one = Calculated(0, [](Model& m) { m.params.marksPerMonth = 1; });
    Drawing d1;
    Draw(*one, d1);
    EXPECT_EQ(ticks(d1.surface), 14); // twelve first days and the two solstices
    // Month names only at the first days: twelve labels.
    const auto labels = std::count_if(d1.surface.ops.begin(), d1.surface.ops.end(), [](const RecordedOp& op) {
        return op.op == SurfaceOp::TextOut && op.text.rfind("01.", 0) == 0;
    });
    EXPECT_EQ(labels, 12);
}

TEST(HourPoints, WithTwoLinesPerHourOnlyTheListedHoursAreNumbered)
{
    auto model = Calculated(0, [](Model& m) { m.params.linesPerHour = 2; });
    Drawing d;
    Draw(*model, d);
    for (const char* hour : {"6", "8", "9", "10", "12", "14", "15", "16", "18", "20"})
        EXPECT_EQ(d.surface.textsEqualTo(hour).size(), 1u) << hour;
    for (const char* hour : {"5", "7", "11", "13", "17", "19", "21"})
        EXPECT_TRUE(d.surface.textsEqualTo(hour).empty()) << hour;
    // 33 marks from 5 to 21 h: 17 full hours in red with radius 3, 16 half hours in green with radius 2.
    const auto dots = d.surface.opsOf(SurfaceOp::Ellipse);
    const auto full = std::count_if(dots.begin(), dots.end(),
                                    [](const RecordedOp& e) { return e.brush.colour == kRed && e.x2 - e.x1 == 6; });
    const auto half = std::count_if(dots.begin(), dots.end(),
                                    [](const RecordedOp& e) { return e.brush.colour == kGreen && e.x2 - e.x1 == 4; });
    EXPECT_EQ(full, 17);
    EXPECT_EQ(half, 16);
}

TEST(HourPoints, FixedGnomonDialMarksNineAndFifteenWithZodiacSigns)
{
    auto model = Calculated(7, [](Model& m) { m.params.marksPerMonth = 3; });
    ASSERT_LT(model->params.distanceZ, 0);
    Drawing d;
    Draw(*model, d);
    EXPECT_EQ(d.surface.textsEqualTo("\u2651").size(), 2u); // capricorn for a point Z south of the centre
    EXPECT_TRUE(d.surface.textsEqualTo("9").empty());
    EXPECT_TRUE(d.surface.textsEqualTo("15").empty());
    EXPECT_EQ(d.surface.textsEqualTo("\u2651")[0].font.name, kFontZodiac);
    // 19 curves for three marks per month, sampled at whole degrees from 5 h to 21 h.
    ASSERT_EQ(d.state.fixedGnomonCurves.size(), 19u);
    EXPECT_EQ(d.state.fixedGnomonCurves[0].points.size(), 241u);
    EXPECT_EQ(d.state.fixedGnomonCurves[0].hourMarks.size(), 33u);
}

TEST(HourPoints, AFixedGnomonDialDrawnWithSixMarksPerMonthKeepsThree)
{
    auto model = Calculated(7, [](Model& m) { m.params.marksPerMonth = 6; });
    Drawing d;
    const DrawingOutcome outcome =
        DrawConstruction(*model, d.state, d.surface, ScreenDrawOptions({}, &d.errorSurface, &d.host));
    EXPECT_EQ(outcome.state.fixedGnomonCurves.size(), 19u);
    EXPECT_EQ(model->params.marksPerMonth, 6); // the drawing leaves the model alone
    StoreDrawing(*model, d.state, outcome);
    EXPECT_EQ(model->params.marksPerMonth, 3);
    EXPECT_EQ(d.state.fixedGnomonCurves.size(), 19u);
}

TEST(SplitDial, NoonMarkStandsRoundBothCentresAndTheGapStaysEmpty)
{
    auto model = Calculated(6, [](Model& m) {
        m.params.marksMode = MarksMode::DoubleAnalemma;
        m.state.doubleAnalemmaActive = true;
    });
    ASSERT_TRUE(model->state.doubleAnalemmaActive);
    Drawing d;
    Draw(*model, d);
    const int left = d.state.leftCentreX;
    const int right = d.state.rightCentreX;
    ASSERT_LT(left, right);
    int noonDots = 0;
    for (const auto& e : d.surface.opsOf(SurfaceOp::Ellipse)) {
        if (e.x2 - e.x1 != 6 || e.brush.colour != kRed || e.pen.colour != kNavy)
            continue; // full-hour dots only (the loops' month dots have a green or grey rim)
        const double x = CentreX(e);
        EXPECT_FALSE(x > left + 1 && x < right - 1) << "hour dot between the centres at x = " << x;
        if (x == left || x == right)
            ++noonDots;
    }
    EXPECT_EQ(noonDots, 2);
}

TEST(ShadowPath, ARowWithoutShadowOrWithoutANumberInterruptsThePath)
{
    auto model = Calculated(0);
    Results& r = model->results;
    r.shadowPathCount = 5;
    r.shadowPath[1] = {-1.0, 1.0, 7.0};
    r.shadowPath[2] = {-0.5, 1.1, 7.25};
    r.shadowPath[3] = {9999, 0, 7.5}; // no shadow
    r.shadowPath[4] = {0.5, 1.1, 7.75};
    r.shadowPath[5] = {1.0, 1.0, 8.0};
    Drawing d;
    Draw(*model, d);
    auto path = PathOps(d.surface, kMaroon);
    ASSERT_EQ(path.size(), 4u);
    EXPECT_EQ(path[0].op, SurfaceOp::MoveTo);
    EXPECT_EQ(path[1].op, SurfaceOp::LineTo);
    EXPECT_EQ(path[2].op, SurfaceOp::MoveTo);
    EXPECT_EQ(path[3].op, SurfaceOp::LineTo);
    EXPECT_GT(path[2].x1, d.state.originX); // it resumes at the first point east of the centre

    r.shadowPath[2].y = std::numeric_limits<double>::quiet_NaN();
    Drawing n;
    Draw(*model, n);
    path = PathOps(n.surface, kMaroon);
    ASSERT_EQ(path.size(), 3u);
    EXPECT_EQ(path[0].op, SurfaceOp::MoveTo);
    EXPECT_EQ(path[1].op, SurfaceOp::MoveTo);
    EXPECT_EQ(path[2].op, SurfaceOp::LineTo);
    // Whole hours get a dot: 7.0 and 8.0 (the row at 7.5 has no shadow, 7.25 no number).
    const auto dots = n.surface.opsOf(SurfaceOp::Ellipse);
    EXPECT_EQ(std::count_if(dots.begin(), dots.end(),
                            [](const RecordedOp& e) {
                                return e.pen.colour == kNavy && e.x2 - e.x1 == 4 && e.brush.colour == kWhite;
                            }),
              2);
}

TEST(BadCoordinates, ElementsOutsideThe32BitRangeAreSkippedAndTheRestIsDrawn)
{
    auto model = Calculated(0);
    model->results.hourPoints[3].x = std::numeric_limits<double>::infinity();
    Drawing d;
    Draw(*model, d);
    const auto fullDots = d.surface.opsOf(SurfaceOp::Ellipse);
    EXPECT_EQ(std::count_if(fullDots.begin(), fullDots.end(),
                            [](const RecordedOp& e) { return e.brush.colour == kRed && e.x2 - e.x1 == 6; }),
              16); // the 6 o'clock dot is gone, the other 16 full hours remain

    // A magnification that throws every dial point but the centre out of the 32-bit range: no dot is
    // drawn, the frame and the captions are.
    ViewState far;
    far.zoomFactor = 1e12;
    Drawing shifted;
    Draw(*model, shifted, far);
    EXPECT_TRUE(shifted.surface.opsOf(SurfaceOp::Ellipse).empty());
    ASSERT_FALSE(shifted.surface.opsOf(SurfaceOp::Rectangle).empty());
    EXPECT_EQ(shifted.surface.textsEqualTo(model->state.dialTitle).size(), 1u);

    ViewState broken;
    broken.zoomFactor = std::numeric_limits<double>::quiet_NaN();
    Drawing nan;
    Draw(*model, nan, broken);
    EXPECT_TRUE(nan.surface.opsOf(SurfaceOp::Ellipse).empty());
}
