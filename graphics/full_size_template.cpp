#include "graphics/full_size_template.h"

#include "core/length_unit.h"
#include "graphics/construction.h"
#include "graphics/recorded_drawing.h"
#include "graphics/scaled_surface.h"
#include "graphics/true_scale.h"
#include "text/own_texts.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace umbrix {

namespace {

constexpr double kCrossArmMm = 5;
constexpr double kCrossRadiusMm = 3;
constexpr double kBarInsetMm = 5; // check bars start this far inside the printable area's lower-left corner
constexpr double kBarTickMm = 2;
constexpr int kLabelFont = 30; // 3 mm
constexpr int kTitleFont = 50;
constexpr double kMapBoxMm = 170;
constexpr int kA3LongSideMm = 420; // A3's short side is A4's long side

int Tiles(double length, double tile, double overlap)
{
    if (!(length > tile))
        return 1;
    const double n = std::ceil((length - overlap) / (tile - overlap));
    return n > 2.0 * kTemplateMaxSheets ? 2 * kTemplateMaxSheets : static_cast<int>(n);
}

int Units(double mm)
{
    return static_cast<int>(std::lround(mm * kTenthMmPerMm));
}

std::string SheetName(int column, int row)
{
    return std::to_string(column + 1) + "/" + std::to_string(row + 1);
}

void Cross(Surface& s, PagePoint c, double fx, double fy)
{
    s.pen = {kBlack, 2};
    s.brush = {kWhite, BrushStyle::Clear};
    const int x = static_cast<int>(std::lround(c.x));
    const int y = static_cast<int>(std::lround(c.y));
    const int ax = Units(kCrossArmMm * fx);
    const int ay = Units(kCrossArmMm * fy);
    s.MoveTo(x - ax, y);
    s.LineTo(x + ax, y);
    s.MoveTo(x, y - ay);
    s.LineTo(x, y + ay);
    s.Ellipse(x - Units(kCrossRadiusMm * fx), y - Units(kCrossRadiusMm * fy), x + Units(kCrossRadiusMm * fx),
              y + Units(kCrossRadiusMm * fy));
}

/// The two check bars, 100 mm each on the corrected scale, from a corner inside the printable area.
void CheckBars(Surface& s, const TemplateLayout& layout, const TemplateRequest& r, const LanguageState& lang)
{
    const int x0 = Units(kTemplateMarginMm + kBarInsetMm);
    const int y0 = Units(layout.paper.height - kTemplateMarginMm - kBarInsetMm);
    const int lx = Units(kCheckBarMm * r.correctX);
    const int ly = Units(kCheckBarMm * r.correctY);
    const int tick = Units(kBarTickMm);
    s.pen = {kBlack, 3};
    s.MoveTo(x0, y0);
    s.LineTo(x0 + lx, y0);
    s.MoveTo(x0, y0);
    s.LineTo(x0, y0 - ly);
    s.pen.width = 2;
    s.MoveTo(x0 + lx, y0 - tick);
    s.LineTo(x0 + lx, y0 + tick);
    s.MoveTo(x0 - tick, y0 - ly);
    s.LineTo(x0 + tick, y0 - ly);
    s.font = {std::string(kFontArial), kLabelFont, kBlack, FontStyle::Regular};
    s.brush = {kWhite, BrushStyle::Clear};
    s.TextOut(x0 + tick, y0 - tick - kLabelFont - 4, std::string(OwnTextOf(lang, OwnText::CheckBar)));
}

void MapPage(Surface& s, const Model& model, const TemplateLayout& layout, const TemplateRequest& r,
             const ConstructionGeometry& g, double unitMm)
{
    const LanguageState& lang = model.state.language;
    s.brush = {kWhite, BrushStyle::Clear};
    s.font = {std::string(kFontArial), kTitleFont, kBlack, FontStyle::Bold};
    const int left = Units(2 * kTemplateMarginMm);
    int y = Units(2 * kTemplateMarginMm);
    s.TextOut(left, y, std::string(OwnTextOf(lang, OwnText::TemplateTitle)));
    y += kTitleFont + 30;
    s.font = {std::string(kFontArial), kLabelFont, kBlack, FontStyle::Regular};
    const auto line = [&](const std::string& text) {
        s.TextOut(left, y, text);
        y += kLabelFont + 15;
    };
    line(model.state.dialTitle);
    line(std::string(OwnTextOf(lang, OwnText::SheetMap)) + ": " + std::to_string(layout.columns) + " x " +
         std::to_string(layout.rows) + " = " + std::to_string(layout.sheets()));
    line(std::string(OwnTextOf(lang, OwnText::CorrectionFactors)) + " " + FormatDecimals(r.correctX, 3) + " / " +
         FormatDecimals(r.correctY, 3));
    if (layout.warn())
        line(std::string(OwnTextOf(lang, OwnText::TooManySheets)));

    // The tiled area scaled into a box, every sheet's core outlined and numbered, the dial inside.
    const double scale = std::min(kMapBoxMm / layout.widthMm, kMapBoxMm / layout.heightMm) * kTenthMmPerMm;
    const double mapLeft = left;
    const double mapTop = y + 40;
    const auto px = [&](double xMm, double yMm) {
        return std::pair<int, int>{
            static_cast<int>(std::lround(mapLeft + (xMm - layout.leftMm) * scale)),
            static_cast<int>(std::lround(mapTop + (layout.bottomMm + layout.heightMm - yMm) * scale))};
    };
    s.pen = {kSilver, 2};
    for (const GeometryPolyline& polyline : g.polylines) {
        if (polyline.layer == DrawingLayer::Axes)
            continue;
        const auto first = px(polyline.points.front().x * unitMm, polyline.points.front().y * unitMm);
        s.MoveTo(first.first, first.second);
        for (const DialPoint& p : polyline.points) {
            const auto q = px(p.x * unitMm, p.y * unitMm);
            s.LineTo(q.first, q.second);
        }
    }
    s.pen = {kBlack, 2};
    s.font.height = std::clamp(static_cast<int>(layout.printableHeightMm * scale / 4), 8, kLabelFont);
    for (int c = 0; c < layout.columns; ++c) {
        for (int row = 0; row < layout.rows; ++row) {
            const auto a = px(layout.sheetLeftMm(c), layout.sheetBottomMm(row) + layout.printableHeightMm);
            const auto b = px(layout.sheetLeftMm(c) + layout.printableWidthMm, layout.sheetBottomMm(row));
            s.Rectangle(a.first, a.second, b.first, b.second);
            s.TextOut(a.first + 10, a.second + 10, SheetName(c, row));
        }
    }
}

} // namespace

std::optional<PaperSize> ParsePaperSize(std::string_view text)
{
    if (text == "A4")
        return PaperSize::A4;
    if (text == "A3")
        return PaperSize::A3;
    if (text == "letter")
        return PaperSize::Letter;
    return std::nullopt;
}

PaperMm PaperDimensions(PaperSize paper)
{
    switch (paper) {
    case PaperSize::A4:
        return {kA4ShortSideMm, kA4LongSideMm};
    case PaperSize::A3:
        return {kA4LongSideMm, kA3LongSideMm};
    case PaperSize::Letter:
        return {215.9, 279.4};
    }
    return {kA4ShortSideMm, kA4LongSideMm};
}

double TemplateLayout::sheetLeftMm(int column) const
{
    return leftMm + column * (printableWidthMm - kTemplateOverlapMm);
}

double TemplateLayout::sheetBottomMm(int row) const
{
    return bottomMm + row * (printableHeightMm - kTemplateOverlapMm);
}

TemplateLayout LayoutTemplate(const Extent& dialExtent, double unitSizeMm, PaperSize paper)
{
    TemplateLayout l;
    l.paper = PaperDimensions(paper);
    l.printableWidthMm = l.paper.width - 2 * kTemplateMarginMm;
    l.printableHeightMm = l.paper.height - 2 * kTemplateMarginMm;
    const Extent e = dialExtent.empty ? Extent{{0, 0}, {0, 0}, false} : dialExtent;
    l.leftMm = e.min.x * unitSizeMm - kTemplateBorderMm;
    l.bottomMm = e.min.y * unitSizeMm - kTemplateBorderMm;
    l.widthMm = e.width() * unitSizeMm + 2 * kTemplateBorderMm;
    l.heightMm = e.height() * unitSizeMm + 2 * kTemplateBorderMm;
    if (!std::isfinite(l.widthMm) || !std::isfinite(l.heightMm)) {
        l.columns = l.rows = 2 * kTemplateMaxSheets;
        return l;
    }
    l.columns = Tiles(l.widthMm, l.printableWidthMm, kTemplateOverlapMm);
    l.rows = Tiles(l.heightMm, l.printableHeightMm, kTemplateOverlapMm);
    return l;
}

std::optional<SheetIndex> SheetOf(const TemplateLayout& layout, double xMm, double yMm)
{
    for (int row = 0; row < layout.rows; ++row)
        for (int c = 0; c < layout.columns; ++c)
            if (xMm >= layout.sheetLeftMm(c) && xMm <= layout.sheetLeftMm(c) + layout.printableWidthMm &&
                yMm >= layout.sheetBottomMm(row) && yMm <= layout.sheetBottomMm(row) + layout.printableHeightMm)
                return SheetIndex{c, row};
    return std::nullopt;
}

PagePoint OnSheet(const TemplateLayout& layout, const TemplateRequest& request, int column, int row, double xMm,
                  double yMm)
{
    const double top = layout.sheetBottomMm(row) + layout.printableHeightMm;
    return {(kTemplateMarginMm + (xMm - layout.sheetLeftMm(column)) * request.correctX) * kTenthMmPerMm,
            (kTemplateMarginMm + (top - yMm) * request.correctY) * kTenthMmPerMm};
}

bool CorrectionAccepted(const TemplateRequest& request)
{
    return request.correctX >= kMinCorrection && request.correctX <= kMaxCorrection &&
           request.correctY >= kMinCorrection && request.correctY <= kMaxCorrection;
}

bool DrawTemplate(const Model& model, LengthUnit unit, const TemplateRequest& request, PageFlow& pages)
{
    const double unitMm = UnitSizeMm(unit);
    const ConstructionGeometry geometry = BuildConstructionGeometry(model);
    const TemplateLayout layout = LayoutTemplate(geometry.dial, unitMm, request.paper);
    if (layout.refused() || !CorrectionAccepted(request))
        return false;
    MapPage(pages.page(), model, layout, request, geometry, unitMm);

    // The construction on a virtual page covering the tiled area, 0.1 mm on the plane; each sheet is a
    // window onto it.
    const int areaWidth = Units(layout.widthMm);
    const int areaHeight = Units(layout.heightMm);
    const double areaTop = layout.bottomMm + layout.heightMm;
    FixedPlacement placement{unitMm * kTenthMmPerMm, -layout.leftMm * kTenthMmPerMm, areaTop * kTenthMmPerMm, areaWidth,
                             areaHeight};
    const LanguageState& lang = model.state.language;
    const double fx = request.correctX;
    const double fy = request.correctY;
    // The construction is drawn once, on a record measuring its texts as the sheets will; each sheet then
    // draws the operations that reach into it, not the whole construction clipped to it.
    ScaledSurface metrics(pages.page(), fx, fy, 0, 0, areaWidth, areaHeight);
    RecordedDrawing construction(metrics, areaWidth, areaHeight);
    {
        DrawingState state;
        DrawOptions options;
        options.screenMode = false;
        options.placement = placement;
        // A drawing of its own: its state and what it would ask of the model stay here (the window's
        // screen drawing has asked the same of the same model).
        (void)DrawConstruction(model, state, construction, options);
    }
    constexpr double kSlackUnits = 20; // 2 mm round each sheet for rounding and pen widths
    for (int row = 0; row < layout.rows; ++row) {
        for (int column = 0; column < layout.columns; ++column) {
            if (!pages.NewPage())
                return false;
            Surface& page = pages.page();
            const int printableRight = Units(kTemplateMarginMm + layout.printableWidthMm);
            const int printableBottom = Units(kTemplateMarginMm + layout.printableHeightMm);
            page.SetClip(Units(kTemplateMarginMm), Units(kTemplateMarginMm), printableRight, printableBottom);
            const double sheetLeft = (layout.sheetLeftMm(column) - layout.leftMm) * kTenthMmPerMm;
            const double sheetTop = (areaTop - layout.sheetBottomMm(row) - layout.printableHeightMm) * kTenthMmPerMm;
            ScaledSurface view(page, fx, fy, Units(kTemplateMarginMm) - sheetLeft * fx,
                               Units(kTemplateMarginMm) - sheetTop * fy, areaWidth, areaHeight);
            // The sheet's printable area on the record: the correction factors shrink or grow what fits.
            const UnitBox window{sheetLeft - kSlackUnits, sheetTop - kSlackUnits,
                                 sheetLeft + layout.printableWidthMm * kTenthMmPerMm / fx + kSlackUnits,
                                 sheetTop + layout.printableHeightMm * kTenthMmPerMm / fy + kSlackUnits};
            construction.ReplayWithin(view, window);

            for (int k = column; k <= column + 1; ++k)
                for (int l = row; l <= row + 1; ++l)
                    Cross(page,
                          OnSheet(layout, request, column, row, layout.sheetLeftMm(k) + kTemplateOverlapMm / 2,
                                  layout.sheetBottomMm(l) + kTemplateOverlapMm / 2),
                          fx, fy);
            page.ResetClip();
            CheckBars(page, layout, request, lang);
            page.font = {std::string(kFontArial), kLabelFont, kBlack, FontStyle::Bold};
            page.brush = {kWhite, BrushStyle::Solid};
            page.TextOut(Units(kTemplateMarginMm + 3), Units(kTemplateMarginMm + 3),
                         std::string(OwnTextOf(lang, OwnText::Sheet)) + " " + SheetName(column, row) + " (" +
                             std::to_string(layout.columns) + " x " + std::to_string(layout.rows) + ")");
        }
    }
    return true;
}

} // namespace umbrix
