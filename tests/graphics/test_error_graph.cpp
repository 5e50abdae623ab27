// The rise/set error graph.

#include "core/model.h"
#include "graphics/construction.h"
#include "graphics/error_graph.h"
#include "graphics/recording_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace umbrix;

TEST(ErrorGraph, CurveSpansFromATenthToNineteenTwentiethsOfTheHeight)
{
    auto model = std::make_unique<Model>();
    InitDefaults(*model); // latitude 47.25, marks for 20.2 degrees
    DrawingState state;
    RecordingSurface s(400, 240);
    state = DrawErrorGraph(*model, state, s, true, 0);
    int top = 1 << 30;
    int bottom = -(1 << 30);
    for (const auto& op : s.ops) {
        if (op.op == SurfaceOp::LineTo && op.pen.colour == kRed) {
            top = std::min(top, op.y1);
            bottom = std::max(bottom, op.y1);
        }
    }
    // The smallest error 0.1 h below the top, the largest 0.95 h (positive errors downwards), +-1 px.
    EXPECT_NEAR(top, 24, 1);
    EXPECT_NEAR(bottom, 228, 1);
    EXPECT_TRUE(state.errorPanelVisible);
    EXPECT_FALSE(state.maxErrorText.empty());
    // Five declination numbers 5 .. 20 and no number at 23.44.
    EXPECT_EQ(s.textsEqualTo("20").size(), 1u);
    EXPECT_TRUE(s.textsEqualTo("25").empty());
}

TEST(ErrorGraph, AFlatCurveLeavesOnlyTheEmptyFrame)
{
    auto model = std::make_unique<Model>();
    InitDefaults(*model);
    model->params.latitude = 89.5; // sin L / cos rho > 1 and cos L < sin d: both angles vanish
    DrawingState state;
    RecordingSurface s(400, 240);
    state = DrawErrorGraph(*model, state, s, true, 0);
    ASSERT_EQ(s.ops.size(), 1u);
    EXPECT_EQ(s.ops[0].op, SurfaceOp::Rectangle);
    EXPECT_EQ(s.ops[0].x2, 398);
    EXPECT_EQ(s.ops[0].y2, 239);
    EXPECT_FALSE(state.errorPanelVisible);
}

TEST(ErrorGraph, ValueStepFollowsTheRangeOfTheCurve)
{
    EXPECT_DOUBLE_EQ(ErrorAxisScaleFor(3.0).step, 0.25);
    EXPECT_EQ(ErrorAxisScaleFor(3.0).labelPeriod, 4);
    EXPECT_DOUBLE_EQ(ErrorAxisScaleFor(0.15).step, 0.01);
    EXPECT_EQ(ErrorAxisScaleFor(0.15).decimals, 2); // labels 0.04, 0.08: hundredths
    EXPECT_DOUBLE_EQ(ErrorAxisScaleFor(1.0).step, 0.05);
    EXPECT_DOUBLE_EQ(ErrorAxisScaleFor(1.01).step, 0.1);
    EXPECT_EQ(ErrorAxisScaleFor(1.01).labelPeriod, 5);
}
