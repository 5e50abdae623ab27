// The full-size template: its sheets cover the construction with the stated border and overlap, and no
// fewer would; the check bars are 100 mm on the corrected scale; an hour point is drawn where the sheet
// puts it; too large a template is refused; the map fits its page, empty sheets are left out, no text covers
// a cross, cut lines run through the overlaps, and the marks-only content and the orientation choice.

#include "graphics/full_size_template.h"

#include "core/driver.h"
#include "core/input_panel.h"
#include "graphics/recorded_drawing.h"
#include "graphics/recording_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

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
    int width = 2970;
    int height = 4200;
    Pages() { NewPage(); }
    Pages(int w, int h) : width(w), height(h) { NewPage(); }
    Surface& page() override { return *pages.back(); }
    bool NewPage() override
    {
        pages.push_back(std::make_unique<RecordingSurface>(width, height, 254));
        return true;
    }
};

TemplateRequest Portrait(double fx = 1, double fy = 1)
{
    TemplateRequest r{PaperSize::A4, fx, fy};
    r.orientation = TemplateOrientation::Portrait;
    return r;
}

/// The page of sheet (column, row) among the pages drawn: the map first, then the sheets with content.
std::size_t PageOfSheet(const std::vector<bool>& used, const TemplateLayout& l, int column, int row)
{
    std::size_t page = 1;
    for (int k = 0; k < row * l.columns + column; ++k)
        page += used[static_cast<std::size_t>(k)] ? 1 : 0;
    return page;
}

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
        ASSERT_TRUE(DrawTemplate(*m, LengthUnit::Centimetre, Portrait(), pages));
        const std::vector<bool> used = SheetsWithContent(l, g, 10);
        EXPECT_EQ(pages.pages.size(), 1 + static_cast<std::size_t>(std::count(used.begin(), used.end(), true))) << a;
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
        ASSERT_TRUE(DrawTemplate(*m, LengthUnit::Centimetre, Portrait(fx, fy), pages));
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
        const TemplateRequest request = Portrait(fx, fy);
        Pages pages;
        ASSERT_TRUE(DrawTemplate(*m, LengthUnit::Centimetre, request, pages));
        const PagePoint expected = OnSheet(l, request, sheet->column, sheet->row, 0, yMm);
        const std::vector<bool> used = SheetsWithContent(l, BuildConstructionGeometry(*m), 10);
        const RecordingSurface& page = *pages.pages[PageOfSheet(used, l, sheet->column, sheet->row)];
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

namespace {

/// A text's box on its page, as the recording surface measures it.
struct Box {
    int left, top, right, bottom;
};
Box TextBox(const RecordedOp& op)
{
    RecordingSurface measure(1, 1, 254);
    measure.font = op.font;
    return {op.x1, op.y1, op.x1 + measure.TextWidth(op.text), op.y1 + measure.TextHeight(op.text)};
}

/// The Madrid table dial, 40 cm across, designed in centimetres; and smaller ones.
std::unique_ptr<Model> TableDial(double semiMajorAxisCm)
{
    auto m = DialInCentimetres(semiMajorAxisCm);
    m->params.latitude = 40.42;
    m->params.longitude = 3.70;
    m->params.lengthUnit = LengthUnit::Centimetre;
    m->params.gnomonHeight = 1.7;
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

} // namespace

// The map page of small templates (axes of 4, 6 and 20 cm) and of a large one holds every line, sheet
// outline and label inside the paper, the outlines below the lines of text.
TEST(FullSizeTemplate, TheSheetMapFitsItsPage)
{
    for (const double a : {4.0, 6.0, 20.0, 120.0}) {
        SCOPED_TRACE(a);
        const auto m = TableDial(a);
        Pages pages(2100, 2970);
        ASSERT_TRUE(DrawTemplate(*m, LengthUnit::Centimetre, Portrait(), pages));
        const RecordingSurface& map = *pages.pages.front();
        int textBottom = 0; // of the lines above the map: the texts before the first outline
        int outlineTop = 1 << 30;
        bool outlined = false;
        for (const RecordedOp& op : map.ops) {
            outlined = outlined || op.op == SurfaceOp::Rectangle;
            if (op.op != SurfaceOp::TextOut)
                continue;
            const Box b = TextBox(op);
            EXPECT_GE(b.left, 0) << op.text;
            EXPECT_LE(b.right, 2100) << op.text;
            EXPECT_GE(b.top, 0) << op.text;
            EXPECT_LE(b.bottom, 2970) << op.text;
            if (!outlined)
                textBottom = std::max(textBottom, b.bottom);
        }
        for (const RecordedOp& op : map.opsOf(SurfaceOp::Rectangle)) {
            for (const int x : {op.x1, op.x2})
                EXPECT_TRUE(x >= 0 && x <= 2100) << x;
            for (const int y : {op.y1, op.y2})
                EXPECT_TRUE(y >= 0 && y <= 2970) << y;
            outlineTop = std::min({outlineTop, op.y1, op.y2});
        }
        EXPECT_GT(outlineTop, textBottom);
    }
}

// Sheets with nothing of the construction are left out and the map says so; a printed sheet holds some of
// it: a vertex of a polyline or a mark lies on it, or a line crosses it (checked by sampling every segment
// at 1 mm). On every printed sheet the sheet's label and the check bar's stay clear of the crosses, cut lines run through the middle of the
// overlaps with the neighbours.
TEST(FullSizeTemplate, EmptySheetsLeftOutAndCrossesKeptClear)
{
    const auto m = TableDial(60);
    const ConstructionGeometry g = BuildConstructionGeometry(*m);
    const TemplateLayout l = LayoutTemplate(g.dial, 10, PaperSize::A4);
    const std::vector<bool> used = SheetsWithContent(l, g, 10);
    ASSERT_EQ(used.size(), static_cast<std::size_t>(l.sheets()));
    const auto sampled = [&](int column, int row) {
        const double left = l.sheetLeftMm(column);
        const double bottom = l.sheetBottomMm(row);
        const auto inside = [&](DialPoint p) {
            return p.x * 10 >= left && p.x * 10 <= left + l.printableWidthMm && p.y * 10 >= bottom &&
                   p.y * 10 <= bottom + l.printableHeightMm;
        };
        for (const GeometryPolyline& line : g.polylines) {
            if (line.layer == DrawingLayer::Axes)
                continue;
            for (std::size_t i = 1; i < line.points.size(); ++i) {
                const DialPoint a = line.points[i - 1];
                const DialPoint b = line.points[i];
                const int steps = 1 + static_cast<int>(std::hypot(b.x - a.x, b.y - a.y) * 10);
                for (int k = 0; k <= steps; ++k)
                    if (inside({a.x + (b.x - a.x) * k / steps, a.y + (b.y - a.y) * k / steps}))
                        return true;
            }
        }
        for (const GeometryPoint& p : g.points)
            if (inside(p.at))
                return true;
        for (const GeometryText& t : g.texts)
            if (inside(t.at))
                return true;
        return false;
    };
    int empty = 0;
    for (int row = 0; row < l.rows; ++row)
        for (int column = 0; column < l.columns; ++column) {
            const bool u = used[static_cast<std::size_t>(row * l.columns + column)];
            empty += u ? 0 : 1;
            if (!u) {
                EXPECT_FALSE(sampled(column, row)) << column << "/" << row;
            }
        }
    ASSERT_GT(empty, 0); // a 1.2 m ellipse leaves its middle sheets empty
    Pages pages(2100, 2970);
    ASSERT_TRUE(DrawTemplate(*m, LengthUnit::Centimetre, Portrait(), pages));
    ASSERT_EQ(pages.pages.size(), 1 + used.size() - static_cast<std::size_t>(empty));
    EXPECT_FALSE(pages.pages.front()->textsEqualTo(std::to_string(empty) + " leere Blätter (nur Kreuze, "
                                                   "Prüfstrecken und Achsen) werden nicht gedruckt; gedruckt "
                                                   "werden " + std::to_string(l.sheets() - empty) + ".").empty());
    for (std::size_t p = 1; p < pages.pages.size(); ++p) {
        const RecordingSurface& page = *pages.pages[p];
        int crosses = 0;
        for (const RecordedOp& cross : page.opsOf(SurfaceOp::Ellipse)) {
            if (cross.pen.colour != kBlack || cross.pen.width != 2 || cross.x2 - cross.x1 != 60)
                continue;
            ++crosses;
            const int cx = (cross.x1 + cross.x2) / 2;
            const int cy = (cross.y1 + cross.y2) / 2;
            for (const RecordedOp& text : page.opsOf(SurfaceOp::TextOut)) {
                if (!text.text.starts_with("Blatt ") && !text.text.starts_with("Prüfstrecke"))
                    continue; // the sheet's own texts
                const Box b = TextBox(text);
                EXPECT_FALSE(cx >= b.left - 50 && cx <= b.right + 50 && cy >= b.top - 50 && cy <= b.bottom + 50)
                    << p << " " << text.text;
            }
        }
        EXPECT_EQ(crosses, 4) << p;
        int cuts = 0;
        for (const RecordedOp& op : page.opsOf(SurfaceOp::LineTo))
            cuts += op.pen.dashed ? 1 : 0;
        EXPECT_GE(cuts, 1) << p; // every sheet has a neighbour
    }
}

// auto takes the orientation with fewer sheets; marks prints the hour numbers but no shadow path or axes.
TEST(FullSizeTemplate, OrientationAndMarksOnlyContent)
{
    const auto m = TableDial(20);
    const Extent e = BuildConstructionGeometry(*m).dial;
    const long long portrait = LayoutTemplate(e, 10, PaperSize::A4, TemplateOrientation::Portrait).sheets();
    const TemplateLayout landscape = LayoutTemplate(e, 10, PaperSize::A4, TemplateOrientation::Landscape);
    EXPECT_TRUE(landscape.landscape);
    EXPECT_EQ(landscape.paper.width, 297);
    EXPECT_EQ(LayoutTemplate(e, 10, PaperSize::A4, TemplateOrientation::Auto).sheets(),
              std::min(portrait, landscape.sheets()));
    EXPECT_EQ(ParseTemplateOrientation("landscape"), TemplateOrientation::Landscape);
    EXPECT_FALSE(ParseTemplateOrientation("Landscape"));
    EXPECT_EQ(ParseTemplateContent("marks"), TemplateContent::Marks);
    EXPECT_FALSE(ParseTemplateContent("all"));

    TemplateRequest marks = Portrait();
    marks.content = TemplateContent::Marks;
    Pages full;
    Pages marked;
    ASSERT_TRUE(DrawTemplate(*m, LengthUnit::Centimetre, Portrait(), full));
    ASSERT_TRUE(DrawTemplate(*m, LengthUnit::Centimetre, marks, marked));
    ASSERT_EQ(full.pages.size(), marked.pages.size());
    std::set<std::string> numbers;
    for (std::size_t p = 1; p < marked.pages.size(); ++p) {
        for (const RecordedOp& op : marked.pages[p]->opsOf(SurfaceOp::TextOut))
            numbers.insert(op.text);
        for (const RecordedOp& op : marked.pages[p]->opsOf(SurfaceOp::LineTo))
            EXPECT_NE(op.pen.colour, kMaroon); // no shadow path
    }
    for (int hour = 5; hour <= 19; ++hour) // every whole hour with sun at 40 degrees north is numbered
        EXPECT_TRUE(numbers.count(std::to_string(hour))) << hour;
}

// Each sheet draws what reaches into its printable area (the margin is 10 mm, 100 page units), nothing of
// the construction beyond it: a template of many sheets costs what lies on them.
TEST(FullSizeTemplate, EachSheetDrawsOnlyWhatReachesIntoIt)
{
    auto m = DialInCentimetres(60);
    const TemplateLayout l = LayoutTemplate(BuildConstructionGeometry(*m).dial, 10, PaperSize::A4);
    ASSERT_GT(l.sheets(), 4);
    Pages pages;
    ASSERT_TRUE(DrawTemplate(*m, LengthUnit::Centimetre, Portrait(), pages));
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
