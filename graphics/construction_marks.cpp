// Where the gnomon stands: the rise and set marks, the date scale, and the figure-eight loops of the
// mean-time dial (one loop, or two round the two centres of the split dial).

#include "core/numeric.h"
#include "graphics/construction_steps.h"
#include "graphics/dial_points.h"
#include "text/texts.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace umbrix {

namespace {

bool IsMonthStart(const std::string& label)
{
    return label.rfind("01.", 0) == 0;
}

const tUmbrixPoint& Slot(const DateMarkTable& table, int k)
{
    return table[static_cast<std::size_t>(k)];
}

} // namespace

void DrawRiseSetMarks(DrawContext& c)
{
    const DialParameters& p = c.model.params;
    const bool withMarks =
        p.type() == DialType::Horizontal || (p.type() == DialType::MeanTime && p.marksMode == MarksMode::DateScale);
    if (!withMarks || !c.model.state.markRiseSet || !c.model.results.riseSetPointReal)
        return;
    Surface& s = c.surface();
    GuardedSurface& g = c.canvas;
    const int r = c.bySize(3, 7);
    const int leader = c.bySize(10, 30);
    const double xMark = c.model.results.riseSetPoint.x;
    for (int k = 0; k <= 1; ++k) {
        const int sign = 2 * k - 1; // the west (rise) mark first
        const double d = sign * RoundPx(xMark * c.S);
        const double x = c.originX + d;
        const double y = c.originY;
        s.brush = {kRed, BrushStyle::Solid};
        s.pen.colour = kNavy;
        s.font.colour = kNavy;
        g.Ellipse(x - r, y - r, x + r, y + r);
        g.MoveTo(x, y);
        g.LineTo(x, y + leader);
        g.LineTo(x + r, y + leader);
        s.brush = {kWhite, BrushStyle::Solid};
        const int hh = s.TextHeight("h");
        g.TextOut(x + r, y + leader - hh / 2, FormatFixed(7, 3, sign * xMark) + " / 0");
        const std::string_view name = TextRow(c.model.state.language, TextId::RiseMark, k);
        g.TextOut(x + r - s.TextWidth(name) / 3, y + leader + hh / 2, name);
    }
}

void DrawDateScale(DrawContext& c)
{
    const DialParameters& p = c.model.params;
    const DateMarkTable& marks = c.model.results.dateMarks;
    Surface& s = c.surface();
    GuardedSurface& g = c.canvas;
    const int wanted = 12 * p.marksPerMonth + (p.marksPerMonth < 3 ? 2 : 0);
    const int n = FilledSlots(marks, std::min(wanted, kDateMarkSlots + 1));
    if (n < 1)
        return;
    const std::string summerSolstice = "21." + std::string(c.model.state.MonthNames[5]) + " ";
    int side = c.bySize(15, 45); // marks of the first half-year to the east of the scale, later to the west
    s.pen = {kGreen, 1};
    s.font.colour = kGreen;
    const tUmbrixPoint& first = Slot(marks, 1);
    for (int i = 1; i <= n; ++i) {
        const tUmbrixPoint& m = Slot(marks, i);
        const double px = c.mapX(m.x);
        const double py = c.mapY(m.y);
        if (m.label == summerSolstice) {
            // The band of the date scale, outlined from the first mark to the solstice.
            s.pen.colour = kBlack;
            const double x1 = RoundPx(first.x * c.S);
            const double y1 = c.originY - RoundPx(first.y * c.S);
            g.MoveTo(c.originX - side + x1, y1);
            g.LineTo(c.originX + side + x1, y1);
            g.LineTo(c.originX + side + RoundPx(m.x * c.S), py);
            g.LineTo(c.originX - side + RoundPx(m.x * c.S), py);
            g.LineTo(c.originX - side + x1, y1);
            s.pen.colour = kRed;
            s.font.colour = kRed;
            side = -side;
        }
        if (IsMonthStart(m.label)) {
            s.pen.width = 2;
            const double labelX = side > 0 ? px - 3 * side / 2 - s.TextWidth(m.label) : px + 3 * std::abs(side) / 2;
            g.TextOut(labelX, c.originY - RoundPx(m.y * c.S + s.TextHeight("f") / 2.0), m.label);
        } else {
            s.pen.width = 1;
        }
        g.MoveTo(px, py);
        g.LineTo(px - side, py);
    }
    // The date axis: from the first mark through the centre to the reflection of the last one.
    const tUmbrixPoint& last = Slot(marks, n);
    s.pen = {kBlack, 1};
    g.MoveTo(c.originX + RoundPx(first.x * c.S), c.originY - RoundPx(first.y * c.S));
    g.LineTo(c.originX - RoundPx(last.x * c.S), c.originY + RoundPx(last.y * c.S));
}

void DrawSingleLoopMarks(DrawContext& c)
{
    const DateMarkTable& marks = c.model.results.dateMarks;
    Surface& s = c.surface();
    GuardedSurface& g = c.canvas;
    // Every mark of the table: the loop closes from the last date of the year to the first.
    const int n = FilledSlots(marks, kDateMarkSlots + 1);
    if (n < 1)
        return;
    s.pen.colour = kGreen;
    g.MoveTo(c.mapX(Slot(marks, 1).x), c.mapY(Slot(marks, 1).y));
    for (int i = 2; i <= n; ++i)
        g.LineTo(c.mapX(Slot(marks, i).x), c.mapY(Slot(marks, i).y));
    g.LineTo(c.mapX(Slot(marks, 1).x), c.mapY(Slot(marks, 1).y));

    s.font.colour = kRed;
    const int scale = c.screen() ? 1 : 2;
    int labelled = 0;
    for (int i = 1; i <= n; ++i) {
        const tUmbrixPoint& m = Slot(marks, i);
        const double px = c.mapX(m.x);
        const double py = c.mapY(m.y);
        if (!IsMonthStart(m.label)) {
            const int r = 2 * scale;
            s.brush = {kWhite, BrushStyle::Solid};
            g.Ellipse(px - r, py - r, px + r, py + r);
            continue;
        }
        const int r = 3 * scale;
        if (labelled < 6) {
            // The loop runs through each month twice a year; the first half-year carries the names.
            ++labelled;
            s.brush = {kWhite, BrushStyle::Solid};
            const double x = m.x > 0 ? c.originX + RoundPx(m.x * c.S + r)
                                     : c.originX + RoundPx(m.x * c.S - r) - s.TextWidth(m.label);
            g.TextOut(x, py + r, m.label);
        }
        s.brush = {kRed, BrushStyle::Solid};
        g.Ellipse(px - r, py - r, px + r, py + r);
    }
    s.brush = {kWhite, BrushStyle::Solid};
    s.font.colour = kBlack;
}

void DrawDoubleLoopMarks(DrawContext& c)
{
    const Results& res = c.model.results;
    const bool optimised = IsSearchMethod(c.model.params.doubleAnalemmaMethod);
    const LoopTable& morning = optimised ? res.morningLoopOptimised : res.morningLoop;
    const LoopTable& afternoon = optimised ? res.afternoonLoopOptimised : res.afternoonLoop;
    Surface& s = c.surface();
    GuardedSurface& g = c.canvas;
    const int bigR = c.bySize(3, 8);
    const int smallR = 2 * bigR / 3;

    for (int pass = 0; pass < 2; ++pass) {
        const LoopTable& loop = pass == 0 ? morning : afternoon;
        c.originX = pass == 0 ? c.leftCentreX : c.rightCentreX;
        const int n = FilledSlots(loop, kDateMarkSlots);
        if (n < 1)
            continue;
        s.pen.colour = kGreen;
        s.font.colour = kGreen;
        // Green where the gnomon stands inside the usable part of the dial, light grey elsewhere.
        g.MoveTo(c.mapX(Slot(loop, 1).x), c.mapY(Slot(loop, 1).y));
        for (int i = 2; i <= n + 1; ++i) {
            const tUmbrixPoint& m = Slot(loop, i <= n ? i : 1);
            s.pen.colour = m.insideFlag ? kGreen : kLightGrey;
            g.LineTo(c.mapX(m.x), c.mapY(m.y));
        }
        for (int i = 1; i <= n; ++i) {
            const tUmbrixPoint& m = Slot(loop, i);
            const double px = c.mapX(m.x);
            const double py = c.mapY(m.y);
            const Colour colour = m.insideFlag ? kGreen : kLightGrey;
            s.pen.colour = colour;
            if (!IsMonthStart(m.label)) {
                s.brush = {kWhite, BrushStyle::Solid};
                g.Ellipse(px - smallR, py - smallR, px + smallR, py + smallR);
                continue;
            }
            s.brush = {m.insideFlag ? kRed : kLightGrey, BrushStyle::Solid};
            s.font.colour = colour;
            g.Ellipse(px - bigR, py - bigR, px + bigR, py + bigR);
            s.brush = {kWhite, BrushStyle::Solid};
            const double x = m.x > 0 ? px + 2 * bigR : px - 2 * bigR - s.TextWidth(m.label);
            g.TextOut(x, py - s.TextHeight(m.label) / 2, m.label);
        }
    }
    c.originX = c.centreX;
    s.pen.colour = kGreen;
    s.brush = {kWhite, BrushStyle::Solid};
}

} // namespace umbrix
