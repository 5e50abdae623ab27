// The heat map: where values fall on the palette, the palette's ends and centre, the cells and the grey of
// cells without a value, and a document a reader accepts.

#include "graphics/heat_map.h"
#include "graphics/instant_drawing.h"
#include "graphics/recording_surface.h"
#include "tests/graphics/xml_well_formed.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace umbrix;

namespace {

HeatMap SmallMap()
{
    HeatMap map;
    map.title = "Design error <test> & more";
    map.rowHeading = "Date";
    map.rowLabels = {"21.Mar ", "21.Jun "};
    map.columnLabels = {"8", "9", "10"};
    map.values = {{-3.0, 0.0, std::nullopt}, {3.0}}; // the second row is short: its last two cells are grey
    map.scale = {-3, 3, false};
    map.ticks = {-3, 0, 3};
    map.barCaption = "min";
    map.noValueLabel = "no value";
    return map;
}

int CountFill(const RecordingSurface& s, Colour colour)
{
    const auto rects = s.opsOf(SurfaceOp::Rectangle);
    return static_cast<int>(std::count_if(rects.begin(), rects.end(), [&](const RecordedOp& op) {
        return op.brush.style == BrushStyle::Solid && op.brush.colour == colour;
    }));
}

} // namespace

TEST(HeatScale, SymmetricLimitsPutZeroOnTheCentreAndClampBeyondTheEnds)
{
    const HeatScale scale{-2.5, 2.5, false};
    EXPECT_DOUBLE_EQ(HeatPosition(scale, 0), 0.5);
    EXPECT_DOUBLE_EQ(HeatPosition(scale, -2.5), 0);
    EXPECT_DOUBLE_EQ(HeatPosition(scale, 1.25), 0.75);
    EXPECT_DOUBLE_EQ(HeatPosition(scale, 40), 1);
    EXPECT_DOUBLE_EQ(HeatPosition(scale, -40), 0);
    // Degenerate scales and unusable values take the centre instead of dividing by zero.
    EXPECT_DOUBLE_EQ(HeatPosition({0, 0, false}, 0), 0.5);
    EXPECT_DOUBLE_EQ(HeatPosition(scale, std::nan("")), 0.5);
}

TEST(HeatScale, LogarithmicScaleMayRunBackwards)
{
    // Ratios: 4 at the first colour, 1/4 at the last; 1 halfway, 2 a quarter of the way.
    const HeatScale scale{4, 0.25, true};
    EXPECT_NEAR(HeatPosition(scale, 1), 0.5, 1e-15);
    EXPECT_NEAR(HeatPosition(scale, 2), 0.25, 1e-15);
    EXPECT_NEAR(HeatPosition(scale, 0.5), 0.75, 1e-15);
    EXPECT_DOUBLE_EQ(HeatPosition(scale, 1000), 0);
    EXPECT_DOUBLE_EQ(HeatPosition(scale, 0), 0.5); // no logarithm: the centre
}

TEST(HeatColour, PaletteEndsAndCentreAreBrewersRedBlue)
{
    EXPECT_EQ(HeatColour(0), (Colour{0x05, 0x30, 0x61}));
    EXPECT_EQ(HeatColour(0.5), (Colour{0xF7, 0xF7, 0xF7}));
    EXPECT_EQ(HeatColour(1), (Colour{0x67, 0x00, 0x1F}));
    EXPECT_EQ(HeatColour(2), HeatColour(1));
    // Halfway between the classes 5 (pale) and 6: the mean of the two colours.
    EXPECT_EQ(HeatColour(0.55), (Colour{0xFA, 0xE9, 0xDF}));
    EXPECT_NE(HeatColour(0.5), kHeatMapNoValue);
}

TEST(HeatMapDrawing, OneCellPerRowAndColumnGreyWithoutValue)
{
    const HeatMap map = SmallMap();
    RecordingSurface measure(1, 1);
    const HeatMapSize size = MeasureHeatMap(map, measure);
    RecordingSurface s(size.width, size.height);
    DrawHeatMap(s, map);
    // Three grey cells (one none, two missing) and the legend's square.
    EXPECT_EQ(CountFill(s, kHeatMapNoValue), 4);
    EXPECT_EQ(CountFill(s, HeatColour(0)), 1); // -3; the colour bar's slices lie between the classes
    EXPECT_EQ(CountFill(s, HeatColour(1)), 1);
    EXPECT_EQ(CountFill(s, HeatColour(0.5)), 1);
    for (const RecordedOp& op : s.ops) {
        EXPECT_LE(std::max(op.x1, op.x2), size.width) << op.text;
        EXPECT_LE(std::max(op.y1, op.y2), size.height) << op.text;
    }
    EXPECT_EQ(s.textsEqualTo("-3").size(), 1u);
    EXPECT_EQ(s.textsEqualTo("10").size(), 1u);
}

TEST(HeatMapDrawing, SvgDocumentIsWellFormedAndEscaped)
{
    const std::string svg = HeatMapSvg(SmallMap());
    EXPECT_EQ(XmlProblem(svg), "");
    EXPECT_NE(svg.find("&lt;test&gt; &amp; more"), std::string::npos);
    EXPECT_EQ(XmlProblem("<svg><rect></svg>"), "</svg> closes <rect>"); // the check itself sees faults
    EXPECT_NE(XmlProblem("<svg a=\"1 & 2\"/>"), "");
}

TEST(InstantDrawing, ShadowFromTheFootToTheTipAndNothingWithoutShadow)
{
    DialParameters p;
    p.semiMajorAxis = 2;
    DrawingState state;
    state.surfaceWidth = 1180;
    state.surfaceHeight = 674;
    state.originX = 590;
    state.originY = 370;
    Simulation sim;
    sim.gnomon = {0, 0.5};
    sim.shadowDirection = DialPoint{1, 0};
    sim.shadowTip = DialPoint{1, 0.5};
    RecordingSurface s(1180, 674);
    DrawInstant(s, state, p, {}, 1.0, sim, "caption");
    const auto lines = s.opsOf(SurfaceOp::LineTo);
    // The thick shadow line runs east from the foot, level with it.
    const auto thick = std::find_if(lines.begin(), lines.end(), [](const RecordedOp& op) { return op.pen.width == 4; });
    ASSERT_NE(thick, lines.end());
    EXPECT_EQ(thick->y1, thick->y2);
    EXPECT_GT(thick->x1, thick->x2);
    EXPECT_EQ(thick->x2, 590);
    EXPECT_LT(thick->y1, 370); // north of the centre: up on the surface
    EXPECT_EQ(s.textsEqualTo("caption").size(), 1u);

    sim.shadowDirection.reset();
    sim.shadowTip.reset();
    RecordingSurface dark(1180, 674);
    DrawInstant(dark, state, p, {}, 1.0, sim, "night");
    EXPECT_TRUE(dark.opsOf(SurfaceOp::LineTo).empty());
    EXPECT_EQ(dark.opsOf(SurfaceOp::Ellipse).size(), 1u); // the foot alone
}
