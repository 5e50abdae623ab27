#include "graphics/full_size_template.h"

#include "core/length_unit.h"
#include "graphics/construction.h"
#include "graphics/recorded_drawing.h"
#include "graphics/scaled_surface.h"
#include "graphics/setting_out.h"
#include "graphics/setting_out_pages.h"
#include "graphics/true_scale.h"
#include "text/own_texts.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace umbrix {

namespace {

constexpr double kCrossArmMm = 5;
constexpr double kCrossRadiusMm = 3;
// Check bars start this far inside the printable area's lower-left corner, beyond the corner cross's arms
// (the cross stands at half the overlap, its arms kCrossArmMm long, both scaled by up to kMaxCorrection).
constexpr double kBarInsetMm = 14;
constexpr double kLabelInsetMm = 14; // the sheet's label, right of the top-left cross
constexpr double kBarTickMm = 2;
constexpr int kLabelFont = 30; // 3 mm
constexpr int kTitleFont = 50;
constexpr int kA3LongSideMm = 420; // A3's short side is A4's long side

TemplateLayout LayoutOnSheets(const Extent& dialExtent, double unitSizeMm, PaperMm paper, bool landscape);

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
             const ConstructionGeometry& g, LengthUnit unit, const std::vector<bool>& used)
{
    const LanguageState& lang = model.state.language;
    const double unitMm = UnitSizeMm(unit);
    s.brush = {kWhite, BrushStyle::Clear};
    s.font = {std::string(kFontArial), kTitleFont, kBlack, FontStyle::Bold};
    const int left = Units(2 * kTemplateMarginMm);
    const int textWidth = Units(layout.paper.width - 4 * kTemplateMarginMm);
    int y = Units(2 * kTemplateMarginMm);
    s.TextOut(left, y, std::string(OwnTextOf(lang, OwnText::TemplateTitle)));
    y += kTitleFont + 30;
    s.font = {std::string(kFontArial), kLabelFont, kBlack, FontStyle::Regular};
    const auto line = [&](const std::string& text) {
        for (const std::string& part : WrapText(s, text, textWidth)) {
            s.TextOut(left, y, part);
            y += kLabelFont + 15;
        }
    };
    const long long printed = std::count(used.begin(), used.end(), true);
    line(model.state.dialTitle);
    line(std::string(OwnTextOf(lang, OwnText::SheetMap)) + ": " + std::to_string(layout.columns) + " x " +
         std::to_string(layout.rows) + " = " + std::to_string(layout.sheets()));
    if (printed < layout.sheets())
        line(OwnTextWith(lang, OwnText::EmptySheetsLeftOut, std::to_string(layout.sheets() - printed),
                         std::to_string(printed)));
    line(std::string(OwnTextOf(lang, OwnText::CorrectionFactors)) + " " + FormatDecimals(r.correctX, 3) + " / " +
         FormatDecimals(r.correctY, 3));
    if (model.state.showShadowPath && r.content == TemplateContent::Full)
        line(ShadowCaption(model, false));
    if (SheetsNeedConfirming(printed))
        line(std::string(OwnTextOf(lang, OwnText::TooManySheets)));
    if (const std::optional<std::string> warning = GnomonHeightWarning(model, unit))
        line(std::string(OwnTextOf(lang, OwnText::Warning)) + " " + *warning);

    // The tiled area scaled into the room left below the lines, every sheet outlined and numbered (or
    // marked empty), the dial inside.
    const double mapTop = y + 40;
    const double roomWidthMm = layout.paper.width - 4 * kTemplateMarginMm;
    const double roomHeightMm = std::max(10.0, layout.paper.height - 2 * kTemplateMarginMm - mapTop / kTenthMmPerMm);
    // The sheets reach beyond the tiled area on the right and at the top: the map shows all of them.
    const double sheetsWidthMm = layout.sheetLeftMm(layout.columns - 1) + layout.printableWidthMm - layout.leftMm;
    const double sheetsHeightMm = layout.sheetBottomMm(layout.rows - 1) + layout.printableHeightMm - layout.bottomMm;
    const double scale = std::min(roomWidthMm / sheetsWidthMm, roomHeightMm / sheetsHeightMm) * kTenthMmPerMm;
    const double mapLeft = left;
    const auto px = [&](double xMm, double yMm) {
        return std::pair<int, int>{
            static_cast<int>(std::lround(mapLeft + (xMm - layout.leftMm) * scale)),
            static_cast<int>(std::lround(mapTop + (layout.bottomMm + sheetsHeightMm - yMm) * scale))};
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
    const double cellWidth = (layout.printableWidthMm - kTemplateOverlapMm) * scale;
    const double cellHeight = (layout.printableHeightMm - kTemplateOverlapMm) * scale;
    const std::string empty(OwnTextOf(lang, OwnText::SheetEmpty));
    // The label fits the part of the sheet no neighbour overlaps.
    int font = std::clamp(static_cast<int>(cellHeight / 3), 6, kLabelFont);
    s.font.height = font;
    while (font > 6 && s.TextWidth(SheetName(layout.columns - 1, layout.rows - 1) + " " + empty) > cellWidth - 10) {
        s.font.height = --font;
    }
    for (int c = 0; c < layout.columns; ++c) {
        for (int row = 0; row < layout.rows; ++row) {
            const auto a = px(layout.sheetLeftMm(c), layout.sheetBottomMm(row) + layout.printableHeightMm);
            const auto b = px(layout.sheetLeftMm(c) + layout.printableWidthMm, layout.sheetBottomMm(row));
            const bool shown = used[static_cast<std::size_t>(row) * static_cast<std::size_t>(layout.columns) +
                                    static_cast<std::size_t>(c)];
            s.pen = {shown ? kBlack : kSilver, 2};
            s.Rectangle(a.first, a.second, b.first, b.second);
            s.font.colour = shown ? kBlack : kSilver;
            // Below the strip the upper neighbour overlaps, right of the one the left neighbour overlaps.
            const int tx = a.first + static_cast<int>(std::lround(kTemplateOverlapMm * scale)) + 4;
            const int ty = a.second + static_cast<int>(std::lround(kTemplateOverlapMm * scale)) + 4;
            s.TextOut(tx, ty, shown ? SheetName(c, row) : SheetName(c, row) + " " + empty);
        }
    }
    s.font.colour = kBlack;
}

/// The construction's marks alone, for a transfer: hour points and numbers, the date scale and its labels
/// (with the summer-time ring's), drawn from the geometry onto a sheet.
void DrawMarks(Surface& page, const ConstructionGeometry& g, const TemplateLayout& layout, const TemplateRequest& r,
               int column, int row, double unitMm)
{
    const auto on = [&](DialPoint p) {
        const PagePoint q = OnSheet(layout, r, column, row, p.x * unitMm, p.y * unitMm);
        return std::pair<int, int>{static_cast<int>(std::lround(q.x)), static_cast<int>(std::lround(q.y))};
    };
    const auto wanted = [](DrawingLayer layer) {
        return layer == DrawingLayer::HourPoints || layer == DrawingLayer::HourLabels ||
               layer == DrawingLayer::DateScale || layer == DrawingLayer::DateLabels ||
               layer == DrawingLayer::DstHours || layer == DrawingLayer::DstDates;
    };
    page.brush = {kWhite, BrushStyle::Clear};
    for (const GeometryPolyline& line : g.polylines) {
        if (!wanted(line.layer) || line.points.empty())
            continue;
        page.pen = {line.layer == DrawingLayer::DstHours || line.layer == DrawingLayer::DstDates ? kSummerTime
                                                                                                  : kBlack,
                    3};
        const auto first = on(line.points.front());
        page.MoveTo(first.first, first.second);
        for (const DialPoint& p : line.points) {
            const auto q = on(p);
            page.LineTo(q.first, q.second);
        }
        if (line.closed)
            page.LineTo(first.first, first.second);
    }
    for (const GeometryPoint& point : g.points) {
        if (!wanted(point.layer))
            continue;
        const auto q = on(point.at);
        // A cross for the mason's punch and the circle round it.
        const int arm = Units(2);
        page.pen = {kBlack, 2};
        page.MoveTo(q.first - arm, q.second);
        page.LineTo(q.first + arm, q.second);
        page.MoveTo(q.first, q.second - arm);
        page.LineTo(q.first, q.second + arm);
        const int rx = static_cast<int>(std::lround(point.radius * unitMm * kTenthMmPerMm * r.correctX));
        const int ry = static_cast<int>(std::lround(point.radius * unitMm * kTenthMmPerMm * r.correctY));
        if (rx > 0 && ry > 0)
            page.Ellipse(q.first - rx, q.second - ry, q.first + rx, q.second + ry);
    }
    for (const GeometryText& text : g.texts) {
        if (!wanted(text.layer))
            continue;
        const auto q = on(text.at);
        const int height = std::max(10, static_cast<int>(std::lround(text.height * unitMm * kTenthMmPerMm *
                                                                      r.correctY)));
        page.font = {std::string(kFontArial), height, kBlack, FontStyle::Regular};
        if (text.anchor == TextAnchor::Centre)
            page.TextOut(q.first - page.TextWidth(text.text) / 2, q.second - page.TextHeight(text.text) / 2,
                         text.text);
        else
            page.TextOut(q.first, q.second - page.TextHeight(text.text), text.text);
    }
}

/// Dashed lines through the middle of the overlaps with the sheet's neighbours: where to cut before gluing.
void CutLines(Surface& page, const TemplateLayout& layout, const TemplateRequest& r, int column, int row)
{
    page.pen = {kSilver, 2, true};
    const double half = kTemplateOverlapMm / 2;
    const double left = layout.sheetLeftMm(column);
    const double bottom = layout.sheetBottomMm(row);
    const double right = left + layout.printableWidthMm;
    const double top = bottom + layout.printableHeightMm;
    const auto segment = [&](double x0, double y0, double x1, double y1) {
        const PagePoint a = OnSheet(layout, r, column, row, x0, y0);
        const PagePoint b = OnSheet(layout, r, column, row, x1, y1);
        page.MoveTo(static_cast<int>(std::lround(a.x)), static_cast<int>(std::lround(a.y)));
        page.LineTo(static_cast<int>(std::lround(b.x)), static_cast<int>(std::lround(b.y)));
    };
    if (column > 0)
        segment(left + half, bottom, left + half, top);
    if (column + 1 < layout.columns)
        segment(right - half, bottom, right - half, top);
    if (row > 0)
        segment(left, bottom + half, right, bottom + half);
    if (row + 1 < layout.rows)
        segment(left, top - half, right, top - half);
}

} // namespace

std::optional<TemplateOrientation> ParseTemplateOrientation(std::string_view text)
{
    if (text == "portrait")
        return TemplateOrientation::Portrait;
    if (text == "landscape")
        return TemplateOrientation::Landscape;
    if (text == "auto")
        return TemplateOrientation::Auto;
    return std::nullopt;
}

std::optional<TemplateContent> ParseTemplateContent(std::string_view text)
{
    if (text == "full")
        return TemplateContent::Full;
    if (text == "marks")
        return TemplateContent::Marks;
    return std::nullopt;
}

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
    return LayoutOnSheets(dialExtent, unitSizeMm, PaperDimensions(paper), false);
}

TemplateLayout LayoutTemplate(const Extent& dialExtent, double unitSizeMm, PaperSize paper,
                              TemplateOrientation orientation)
{
    const PaperMm upright = PaperDimensions(paper);
    const TemplateLayout portrait = LayoutOnSheets(dialExtent, unitSizeMm, upright, false);
    if (orientation == TemplateOrientation::Portrait)
        return portrait;
    const TemplateLayout landscape = LayoutOnSheets(dialExtent, unitSizeMm, {upright.height, upright.width}, true);
    if (orientation == TemplateOrientation::Landscape)
        return landscape;
    return landscape.sheets() < portrait.sheets() ? landscape : portrait;
}

namespace {

/// Whether the segment a-b meets the box (Liang-Barsky).
bool SegmentMeetsBox(DialPoint a, DialPoint b, double left, double bottom, double right, double top)
{
    double t0 = 0;
    double t1 = 1;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    for (const auto& [p, q] : {std::pair{-dx, a.x - left}, std::pair{dx, right - a.x}, std::pair{-dy, a.y - bottom},
                               std::pair{dy, top - a.y}}) {
        if (p == 0) {
            if (q < 0)
                return false;
            continue;
        }
        const double t = q / p;
        if (p < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

bool BoxesMeet(double l1, double b1, double r1, double t1, double l2, double b2, double r2, double t2)
{
    return l1 <= r2 && l2 <= r1 && b1 <= t2 && b2 <= t1;
}

} // namespace

long long PrintedSheets(const TemplateLayout& layout, const ConstructionGeometry& g, double unitSizeMm)
{
    if (layout.refused())
        return layout.sheets();
    const std::vector<bool> used = SheetsWithContent(layout, g, unitSizeMm);
    return std::count(used.begin(), used.end(), true);
}

std::vector<bool> SheetsWithContent(const TemplateLayout& layout, const ConstructionGeometry& g, double unitSizeMm)
{
    std::vector<bool> used(static_cast<std::size_t>(std::max(0LL, layout.sheets())), false);
    if (layout.refused())
        return used;
    const double k = unitSizeMm;
    for (int row = 0; row < layout.rows; ++row) {
        for (int column = 0; column < layout.columns; ++column) {
            const double left = layout.sheetLeftMm(column);
            const double bottom = layout.sheetBottomMm(row);
            const double right = left + layout.printableWidthMm;
            const double top = bottom + layout.printableHeightMm;
            bool found = false;
            for (const GeometryPolyline& line : g.polylines) {
                if (found || line.layer == DrawingLayer::Axes)
                    continue;
                for (std::size_t i = 1; i < line.points.size() && !found; ++i)
                    found = SegmentMeetsBox({line.points[i - 1].x * k, line.points[i - 1].y * k},
                                            {line.points[i].x * k, line.points[i].y * k}, left, bottom, right, top);
                if (!found && line.closed && line.points.size() > 2)
                    found = SegmentMeetsBox({line.points.back().x * k, line.points.back().y * k},
                                            {line.points.front().x * k, line.points.front().y * k}, left, bottom,
                                            right, top);
            }
            for (const GeometryPoint& point : g.points) {
                const double r = std::max(point.radius, 0.0) * k;
                found = found || BoxesMeet(point.at.x * k - r, point.at.y * k - r, point.at.x * k + r,
                                           point.at.y * k + r, left, bottom, right, top);
            }
            for (const GeometryCircle& circle : g.circles) {
                const double r = circle.radius * k;
                const double cx = circle.centre.x * k;
                const double cy = circle.centre.y * k;
                // The outline meets the box unless the box lies wholly inside the circle or apart from it.
                const double nearX = std::clamp(cx, left, right);
                const double nearY = std::clamp(cy, bottom, top);
                const double farX = std::max(std::abs(cx - left), std::abs(cx - right));
                const double farY = std::max(std::abs(cy - bottom), std::abs(cy - top));
                found = found || (std::hypot(cx - nearX, cy - nearY) <= r && std::hypot(farX, farY) >= r);
            }
            for (const GeometryText& text : g.texts) {
                const double h = text.height * k;
                const double w = h * 0.6 * static_cast<double>(text.text.size());
                const double x = text.at.x * k;
                const double y = text.at.y * k;
                found = found || BoxesMeet(x - w, y - h, x + w, y + h, left, bottom, right, top);
            }
            used[static_cast<std::size_t>(row) * static_cast<std::size_t>(layout.columns) +
                 static_cast<std::size_t>(column)] = found;
        }
    }
    return used;
}

namespace {

TemplateLayout LayoutOnSheets(const Extent& dialExtent, double unitSizeMm, PaperMm paper, bool landscape)
{
    TemplateLayout l;
    l.paper = paper;
    l.landscape = landscape;
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

} // namespace

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
    const TemplateLayout layout = LayoutTemplate(geometry.dial, unitMm, request.paper, request.orientation);
    if (layout.refused() || !CorrectionAccepted(request))
        return false;
    const std::vector<bool> used = SheetsWithContent(layout, geometry, unitMm);
    MapPage(pages.page(), model, layout, request, geometry, unit, used);

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
        options.makerHourLabels = MakerHourLabelsOf(model.params);
        options.drawCaptions = false;
        // A drawing of its own: its state and what it would ask of the model stay here (the window's
        // screen drawing has asked the same of the same model). The marks-only sheets draw from the geometry.
        if (request.content == TemplateContent::Full)
            (void)DrawConstruction(model, state, construction, options);
    }
    constexpr double kSlackUnits = 20; // 2 mm round each sheet for rounding and pen widths
    for (int row = 0; row < layout.rows; ++row) {
        for (int column = 0; column < layout.columns; ++column) {
            if (!used[static_cast<std::size_t>(row) * static_cast<std::size_t>(layout.columns) +
                      static_cast<std::size_t>(column)])
                continue;
            if (!pages.NewPage())
                return false;
            Surface& page = pages.page();
            const int printableRight = Units(kTemplateMarginMm + layout.printableWidthMm);
            const int printableBottom = Units(kTemplateMarginMm + layout.printableHeightMm);
            page.SetClip(Units(kTemplateMarginMm), Units(kTemplateMarginMm), printableRight, printableBottom);
            if (request.content == TemplateContent::Marks) {
                DrawMarks(page, geometry, layout, request, column, row, unitMm);
            } else {
                const double sheetLeft = (layout.sheetLeftMm(column) - layout.leftMm) * kTenthMmPerMm;
                const double sheetTop =
                    (areaTop - layout.sheetBottomMm(row) - layout.printableHeightMm) * kTenthMmPerMm;
                ScaledSurface view(page, fx, fy, Units(kTemplateMarginMm) - sheetLeft * fx,
                                   Units(kTemplateMarginMm) - sheetTop * fy, areaWidth, areaHeight);
                // The sheet's printable area on the record: the correction factors shrink or grow what fits.
                const UnitBox window{sheetLeft - kSlackUnits, sheetTop - kSlackUnits,
                                     sheetLeft + layout.printableWidthMm * kTenthMmPerMm / fx + kSlackUnits,
                                     sheetTop + layout.printableHeightMm * kTenthMmPerMm / fy + kSlackUnits};
                construction.ReplayWithin(view, window);
            }
            CutLines(page, layout, request, column, row);
            for (int k = column; k <= column + 1; ++k)
                for (int l = row; l <= row + 1; ++l)
                    Cross(page,
                          OnSheet(layout, request, column, row, layout.sheetLeftMm(k) + kTemplateOverlapMm / 2,
                                  layout.sheetBottomMm(l) + kTemplateOverlapMm / 2),
                          fx, fy);
            page.ResetClip();
            CheckBars(page, layout, request, lang);
            // Right of the top-left cross, whose arms reach kCrossArmMm beyond the overlap's middle.
            page.font = {std::string(kFontArial), kLabelFont, kBlack, FontStyle::Bold};
            page.brush = {kWhite, BrushStyle::Solid};
            page.TextOut(Units(kTemplateMarginMm + kLabelInsetMm), Units(kTemplateMarginMm + 1.5),
                         std::string(OwnTextOf(lang, OwnText::Sheet)) + " " + SheetName(column, row) + " (" +
                             std::to_string(layout.columns) + " x " + std::to_string(layout.rows) + ")");
        }
    }
    return true;
}

} // namespace umbrix
