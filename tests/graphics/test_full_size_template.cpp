// The full-size template: its sheets cover the construction with the stated border and overlap, and no
// fewer would; the check bars are 100 mm on the corrected scale; an hour point is drawn where the sheet
// puts it; too large a template is refused.

#include "graphics/full_size_template.h"

#include "core/driver.h"
#include "core/input_panel.h"
#include "graphics/recorded_drawing.h"
#include "graphics/recording_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace umbrix;

namespace {

std::unique_ptr<Model> DialInCentimetres(double semiMajorAxisCm)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    (void)SelectDialType(*m, 0);
    m->params.semiMajorAxis = semiMajorAxisCm;
    m->params.gnomonHeight = semiMajorAxisCm;
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

struct Pages : PageFlow {
    std::vector<std::unique_ptr<RecordingSurface>> pages;
    Pages() { NewPage(); }
    Surface& page() override { return *pages.back(); }
    bool NewPage() override
    {
        pages.push_back(std::make_unique<RecordingSurface>(2970, 4200, 254));
        return true;
    }
};

/// Whether the sheets' printable areas cover every point of the tiled area (checked on a 1 mm grid).
bool Covers(const TemplateLayout& l)
{
    for (double x = l.leftMm; x <= l.leftMm + l.widthMm; x += 1.0)
        for (double y = l.bottomMm; y <= l.bottomMm + l.heightMm; y += 1.0)
            if (!SheetOf(l, x, y))
                return false;
    return true;
}

} // namespace

// For a = 20 cm and a = 60 cm on A4: one map page plus a sheet per tile; the tiles cover the extent grown
// by 20 mm, neighbours overlap by 10 mm, and one column or row fewer would leave part of it uncovered.
TEST(FullSizeTemplate, SheetsCoverTheConstructionAndNoFewerWould)
{
    for (const double a : {20.0, 60.0}) {
        auto m = DialInCentimetres(a);
        const ConstructionGeometry g = BuildConstructionGeometry(*m);
        const TemplateLayout l = LayoutTemplate(g.dial, 10, PaperSize::A4);
        EXPECT_NEAR(l.widthMm, g.dial.width() * 10 + 40, 1e-9);
        EXPECT_NEAR(l.sheetLeftMm(1) - l.sheetLeftMm(0), 190 - 10, 1e-9);
        EXPECT_TRUE(Covers(l)) << a;
        TemplateLayout fewer = l;
        if (fewer.columns > 1) {
            --fewer.columns;
            EXPECT_FALSE(Covers(fewer)) << a;
        }
        fewer = l;
        if (fewer.rows > 1) {
            --fewer.rows;
            EXPECT_FALSE(Covers(fewer)) << a;
        }
        Pages pages;
        ASSERT_TRUE(DrawTemplate(*m, LengthUnit::Centimetre, {}, pages));
        EXPECT_EQ(static_cast<long long>(pages.pages.size()), 1 + l.sheets()) << a;
    }
    // The 60 cm dial is larger in both directions.
    const TemplateLayout small =
        LayoutTemplate(BuildConstructionGeometry(*DialInCentimetres(20)).dial, 10, PaperSize::A4);
    const TemplateLayout large =
        LayoutTemplate(BuildConstructionGeometry(*DialInCentimetres(60)).dial, 10, PaperSize::A4);
    EXPECT_GT(large.columns, small.columns);
    EXPECT_GT(large.sheets(), small.sheets());
}

// The bars are drawn 1000 page units (0.1 mm) long, times the printer correction of their axis.
TEST(FullSizeTemplate, CheckBarsAreAHundredMillimetresOnEverySheet)
{
    auto m = DialInCentimetres(20);
    for (const auto& [fx, fy] : {std::pair{1.0, 1.0}, {1.02, 0.98}}) {
        Pages pages;
        ASSERT_TRUE(DrawTemplate(*m, LengthUnit::Centimetre, {PaperSize::A4, fx, fy}, pages));
        for (std::size_t p = 1; p < pages.pages.size(); ++p) {
            int horizontal = 0;
            int vertical = 0;
            for (const RecordedOp& op : pages.pages[p]->opsOf(SurfaceOp::LineTo)) {
                if (op.pen.width != 3)
                    continue;
                if (op.y1 == op.y2)
                    horizontal = std::abs(op.x1 - op.x2);
                if (op.x1 == op.x2)
                    vertical = std::abs(op.y1 - op.y2);
            }
            EXPECT_NEAR(horizontal, 1000 * fx, 0.5) << p;
            EXPECT_NEAR(vertical, 1000 * fy, 0.5) << p;
        }
    }
}

// Hand computation: type 0 at L = 47.25 with a = 20 cm puts 12:00 at (0, 200 sin L) mm on the plane. The
// sheet that holds it draws an hour-point circle centred there, within the 0.1 mm page unit.
TEST(FullSizeTemplate, NoonHourPointIsWhereItsSheetPutsIt)
{
    auto m = DialInCentimetres(20);
    const double yMm = 200 * std::sin(47.25 * 0.0174532925199433);
    const TemplateLayout l = LayoutTemplate(BuildConstructionGeometry(*m).dial, 10, PaperSize::A4);
    const std::optional<SheetIndex> sheet = SheetOf(l, 0, yMm);
    ASSERT_TRUE(sheet);
    for (const auto& [fx, fy] : {std::pair{1.0, 1.0}, {1.01, 0.99}}) {
        const TemplateRequest request{PaperSize::A4, fx, fy};
        Pages pages;
        ASSERT_TRUE(DrawTemplate(*m, LengthUnit::Centimetre, request, pages));
        const PagePoint expected = OnSheet(l, request, sheet->column, sheet->row, 0, yMm);
        const RecordingSurface& page =
            *pages.pages[static_cast<std::size_t>(1 + sheet->row * l.columns + sheet->column)];
        bool found = false;
        for (const RecordedOp& op : page.opsOf(SurfaceOp::Ellipse)) {
            const double cx = (op.x1 + op.x2) / 2.0;
            const double cy = (op.y1 + op.y2) / 2.0;
            found = found ||
                    (op.brush.colour == kRed && std::abs(cx - expected.x) <= 1.0 && std::abs(cy - expected.y) <= 1.0);
        }
        EXPECT_TRUE(found) << fx << " " << expected.x << " " << expected.y;
    }
}

TEST(FullSizeTemplate, RefusesMoreThanAThousandSheetsAndBadCorrections)
{
    auto m = DialInCentimetres(20);
    Pages pages;
    EXPECT_FALSE(DrawTemplate(*m, LengthUnit::Metre, {}, pages)); // a 40 m dial
    EXPECT_EQ(pages.pages.size(), 1u);
    const TemplateLayout huge = LayoutTemplate(BuildConstructionGeometry(*m).dial, 1000, PaperSize::A4);
    EXPECT_TRUE(huge.refused());
    EXPECT_FALSE(DrawTemplate(*m, LengthUnit::Centimetre, {PaperSize::A4, 2.0, 1.0}, pages));
    EXPECT_FALSE(DrawTemplate(*m, LengthUnit::Centimetre, {PaperSize::A4, 1.0, NAN}, pages));
    EXPECT_EQ(pages.pages.size(), 1u);
    const TemplateLayout metre = LayoutTemplate(BuildConstructionGeometry(*m).dial, 100, PaperSize::A3); // 2 m wide
    EXPECT_FALSE(metre.refused());
    EXPECT_EQ(ParsePaperSize("letter"), PaperSize::Letter);
    EXPECT_FALSE(ParsePaperSize("a4"));
}

// Each sheet draws what reaches into its printable area (the margin is 10 mm, 100 page units), nothing of
// the construction beyond it: a template of many sheets costs what lies on them.
TEST(FullSizeTemplate, EachSheetDrawsOnlyWhatReachesIntoIt)
{
    auto m = DialInCentimetres(60);
    const TemplateLayout l = LayoutTemplate(BuildConstructionGeometry(*m).dial, 10, PaperSize::A4);
    ASSERT_GT(l.sheets(), 4);
    Pages pages;
    ASSERT_TRUE(DrawTemplate(*m, LengthUnit::Centimetre, {}, pages));
    const double right = 100 + l.printableWidthMm * 10;
    const double bottom = 100 + l.printableHeightMm * 10;
    constexpr double kSlack = 60; // the record's slack, the pen widths and a text's height
    std::size_t drawn = 0;
    std::size_t largest = 0;
    for (std::size_t p = 1; p < pages.pages.size(); ++p) {
        const std::vector<RecordedOp>& ops = pages.pages[p]->ops;
        for (const RecordedOp& op : ops) {
            if (op.op != SurfaceOp::LineTo && op.op != SurfaceOp::Ellipse)
                continue;
            EXPECT_GE(std::max(op.x1, op.x2), 100 - kSlack) << p;
            EXPECT_LE(std::min(op.x1, op.x2), right + kSlack) << p;
            EXPECT_GE(std::max(op.y1, op.y2), 100 - kSlack) << p;
            EXPECT_LE(std::min(op.y1, op.y2), bottom + kSlack) << p;
        }
        drawn += ops.size();
        largest = std::max(largest, ops.size());
    }
    // Spread over the sheets, not the whole construction on every one.
    EXPECT_LT(drawn, largest * (pages.pages.size() - 1));
}

TEST(RecordedDrawing, AReplayTakesWhatMeetsItsWindowAndStartsALineAnewAfterAGap)
{
    RecordingSurface metrics(1000, 1000);
    RecordedDrawing drawing(metrics, 1000, 1000);
    drawing.pen.width = 1;
    drawing.MoveTo(0, 0);
    drawing.LineTo(10, 0);   // inside
    drawing.LineTo(500, 0);  // reaches in from its start
    drawing.LineTo(600, 0);  // outside
    drawing.LineTo(0, 10);   // back in across the window
    drawing.Ellipse(700, 700, 720, 720);
    drawing.TextOut(5, 5, "XII");
    drawing.BeginPart(DrawingPart::Captions);
    EXPECT_EQ(drawing.size(), 7u);
    RecordingSurface target(1000, 1000);
    drawing.ReplayWithin(target, {0, 0, 50, 50});
    const std::vector<RecordedOp> lines = target.opsOf(SurfaceOp::LineTo);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].x1, 500); // the second line continues the first
    const std::vector<RecordedOp> moves = target.opsOf(SurfaceOp::MoveTo);
    ASSERT_EQ(moves.size(), 2u); // once at the start, once after the line left out
    EXPECT_EQ(moves[1].x1, 600);
    EXPECT_TRUE(target.opsOf(SurfaceOp::Ellipse).empty());
    EXPECT_EQ(target.textsEqualTo("XII").size(), 1u);
}
