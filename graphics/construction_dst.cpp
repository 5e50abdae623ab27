// The summer-time hours and the leap-cycle scatter on the construction: the second labels of ring 1 or the
// inner ring 2 in maroon with dashed ticks (dashes read on a black-and-white print, where maroon is just
// dark grey), and the bars that show how far each date mark's gnomon position moves over the leap cycle.

#include "core/dst_ring.h"
#include "core/hour_marks.h"
#include "core/leap_cycle.h"
#include "graphics/construction_steps.h"
#include "graphics/dial_points.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace umbrix {

namespace {

constexpr double kWholeHourTolerance = 0.05; // hours: a mark this close to a whole hour counts as that hour
constexpr double kMinLabelRadius = 0.05;     // dial units: no label for a mark this close to its centre
constexpr Colour kLeapCycleColour = kBlue;
constexpr int kInnerLabelTicks = 5; // inner date labels stand this many tick lengths from the scale

/// The drawing style of a step, put back when the step ends: later steps read the pen, brush and font.
class KeepStyle {
public:
    explicit KeepStyle(Surface& s) : s_(s), pen_(s.pen), brush_(s.brush), font_(s.font) {}
    ~KeepStyle()
    {
        s_.pen = pen_;
        s_.brush = brush_;
        s_.font = font_;
    }
    KeepStyle(const KeepStyle&) = delete;
    KeepStyle& operator=(const KeepStyle&) = delete;

private:
    Surface& s_;
    PenState pen_;
    BrushState brush_;
    FontState font_;
};

/// Draws pixel polylines as dashes of `dash` pixels with gaps of `gap`, the pattern running on across the
/// corners of a polyline.
class DashedPen {
public:
    DashedPen(GuardedSurface& g, double dash, double gap) : g_(g), dash_(dash), gap_(gap) {}

    void start(double x, double y)
    {
        x_ = x;
        y_ = y;
        phase_ = 0;
        started_ = std::isfinite(x) && std::isfinite(y);
    }

    void to(double x, double y)
    {
        if (!started_ || !std::isfinite(x) || !std::isfinite(y)) {
            start(x, y);
            return;
        }
        const double length = std::hypot(x - x_, y - y_);
        const double period = dash_ + gap_;
        double done = 0;
        while (length > 0 && done < length) {
            const bool drawing = phase_ < dash_;
            const double step = std::min(length - done, (drawing ? dash_ : period) - phase_);
            if (drawing) {
                g_.MoveTo(RoundPx(x_ + (x - x_) * done / length), RoundPx(y_ + (y - y_) * done / length));
                g_.LineTo(RoundPx(x_ + (x - x_) * (done + step) / length),
                          RoundPx(y_ + (y - y_) * (done + step) / length));
            }
            done += step;
            phase_ = std::fmod(phase_ + step, period);
        }
        x_ = x;
        y_ = y;
    }

    void line(double x1, double y1, double x2, double y2)
    {
        start(x1, y1);
        to(x2, y2);
    }

private:
    GuardedSurface& g_;
    double dash_;
    double gap_;
    double x_ = 0;
    double y_ = 0;
    double phase_ = 0;
    bool started_ = false;
};

DashedPen MakeDashedPen(DrawContext& c)
{
    return DashedPen(c.canvas, c.bySize(3, 10), c.bySize(3, 8));
}

/// A label on the ray from `centre` through the mark at dial point `at`: a dashed tick of tickPx from the
/// mark, outwards or (inward) towards the centre, then the text beyond its end.
void DashedLabel(DrawContext& c, DashedPen& pen, DialPoint centre, DialPoint at, double tickPx, bool inward,
                 const std::string& text)
{
    const double dx = at.x - centre.x;
    const double dy = at.y - centre.y;
    const double length = std::hypot(dx, dy);
    if (!(length > kMinLabelRadius) || text.empty())
        return;
    const double sense = inward ? -1 : 1;
    const double ux = sense * dx / length;
    const double uy = -sense * dy / length; // pixels: y down
    const double px = c.mapX(at.x);
    const double py = c.mapY(at.y);
    const double endX = px + RoundPx(ux * tickPx);
    const double endY = py + RoundPx(uy * tickPx);
    pen.line(px, py, endX, endY);
    Surface& s = c.surface();
    const double x = ux >= 0 ? endX + 2 : endX - 2 - s.TextWidth(text);
    const double y = endY - (uy > 0 ? 0 : s.TextHeight(text));
    c.canvas.TextOut(x, y, text);
}

bool IsLabelledWholeHour(double hours)
{
    const int hour = static_cast<int>(std::lround(hours));
    return IsLabelledHour(hour) && std::abs(hours - hour) < kWholeHourTolerance;
}

/// Ring 1: every numbered hour gets its second label inside the curve, clear of its number outside (the
/// fixed-gnomon dial: on the date line that carries the numbers).
void DrawSecondLabels(DrawContext& c, const DstRing& ring)
{
    const Model& m = c.model;
    const DialParameters& p = m.params;
    const bool fixed = p.type() == DialType::FixedGnomon;
    const int labelledLine = fixed ? (p.distanceZ > 0 ? FixedGnomonCurves(m) : 1) : 0;
    const std::vector<DateLineEllipse> lines = DateLineEllipses(m);
    DashedPen pen = MakeDashedPen(c);
    const double tick = c.screen() ? 2 * c.tickLength : 40;
    for (const PlacedHourMark& mark : PlacedHourMarks(m)) {
        if (!mark.fullHour || !IsLabelledWholeHour(mark.clockHours))
            continue;
        if (fixed && mark.dateLine != labelledLine)
            continue;
        DialPoint centre{HalfCentreX(p, mark.half), 0};
        if (fixed && mark.dateLine >= 1 && mark.dateLine <= static_cast<int>(lines.size()))
            centre = lines[static_cast<std::size_t>(mark.dateLine - 1)].centre;
        DashedLabel(c, pen, centre, mark.at, tick, true,
                    DstHourLabel(DstLabelHours(mark.clockHours, ring.offsetHours)));
    }
}

/// Ring 2: the inner hour ellipse (dashed), its points with dashed ticks and the labels of the numbered
/// hours, and the inner date scale with dashed ticks, labelled at the month starts and at both ends of the
/// period (types 0 and 6 on the side opposite the outer labels).
void DrawInnerRing(DrawContext& c, const DstRing& ring)
{
    const Model& m = c.model;
    const DialParameters& p = m.params;
    GuardedSurface& g = c.canvas;
    DashedPen pen = MakeDashedPen(c);

    const double correction = ZoneCorrectionDeg(p);
    const int tFrom = (m.state.hourFrom - 12) * 15;
    const int tTo = (m.state.hourTo - 12) * 15;
    for (int t = tFrom; t <= tTo; ++t) {
        const DialPoint pt = ScaledHourEllipsePoint(m, ring.scale, t + correction);
        const double x = c.mapX(pt.x);
        const double y = c.mapY(pt.y);
        if (t == tFrom)
            pen.start(x, y);
        else
            pen.to(x, y);
    }

    const int r = c.bySize(3, 4);
    const double tick = c.screen() ? 2 * c.tickLength : 40;
    const int count = std::clamp(m.results.hourPointCount, 0, kHourPointSlots);
    for (int j = 1; j <= count; ++j) {
        const HourPoint& outer = m.results.hourPoints[static_cast<std::size_t>(j)];
        const DialPoint at{ring.scale * outer.x, ring.scale * outer.y};
        if (!IsLabelledWholeHour(outer.time)) {
            g.Ellipse(c.mapX(at.x) - r / 2, c.mapY(at.y) - r / 2, c.mapX(at.x) + r / 2, c.mapY(at.y) + r / 2);
            continue;
        }
        g.Ellipse(c.mapX(at.x) - r, c.mapY(at.y) - r, c.mapX(at.x) + r, c.mapY(at.y) + r);
        DashedLabel(c, pen, {0, 0}, at, tick, false, DstHourLabel(DstLabelHours(outer.time, ring.offsetHours)));
    }

    Surface& s = c.surface();
    const int side = c.bySize(15, 45);
    const bool maker = !c.screen() && c.options.makerHourLabels.has_value();
    std::vector<double> westLabels; // tops of the labels placed on each side
    std::vector<double> eastLabels;
    for (std::size_t i = 0; i < ring.dateMarks.size() && i < ring.dateMarkDates.size(); ++i) {
        const tUmbrixPoint& mark = ring.dateMarks[i];
        const DayMonth date = ring.dateMarkDates[i];
        // The outer scale puts the ticks and labels of the first half-year west, from 21 June on east.
        const bool outerWest = date.month < 6 || (date.month == 6 && date.day < 21);
        const bool west = ring.labelsOpposite ? !outerWest : outerWest;
        const double px = c.mapX(mark.x);
        const double py = c.mapY(mark.y);
        const double sign = west ? -1 : 1;
        pen.line(px, py, px + sign * side, py);
        const bool end = i == 0 || i + 1 == ring.dateMarks.size();
        if (!end && mark.label.rfind("01.", 0) != 0)
            continue;
        const std::string label = TrimmedLabel(mark.label);
        // Beyond the outer scale's labels, which stand up to about five tick lengths from the scale.
        const double x = west ? px - kInnerLabelTicks * side - s.TextWidth(label) : px + kInnerLabelTicks * side;
        const int h = s.TextHeight(label);
        double y = py - h / 2.0;
        if (maker) {
            // On the outputs a maker works from: a leader back to the tick, and no label over another.
            std::vector<double>& taken = west ? westLabels : eastLabels;
            // Always down the page, and only where that moves the label: each move raises y to another
            // label's bottom, so the search ends, also where coordinates are too large for a label's
            // height to change them.
            for (bool moved = true; moved;) {
                moved = false;
                for (const double other : taken)
                    if (const double below = other + 1.2 * h; std::abs(other - y) < 1.2 * h && below > y) {
                        y = below;
                        moved = true;
                    }
            }
            taken.push_back(y);
            pen.line(px + sign * side, py, west ? x + s.TextWidth(label) + 4 : x - 4, y + h / 2.0);
        }
        g.TextOut(x, y, label);
    }
}

} // namespace

void DrawDstRing(DrawContext& c)
{
    const Model& m = c.model;
    if (m.params.dst.ring == DstRingKind::None)
        return;
    const std::optional<DstRing> ring = ComputeDstRing(m.params, m.state, m.results, m.params.dst);
    if (!ring)
        return;
    Surface& s = c.surface();
    const KeepStyle keep(s);
    s.pen = {kSummerTime, 1}; // dashed by its own pen below
    s.brush = {kWhite, BrushStyle::Clear};
    s.font.colour = kSummerTime;
    s.font.style = FontStyle::Regular;
    s.font.height = c.bySize(13, 30);
    c.originX = c.centreX;
    if (ring->ring == DstRingKind::SecondLabels)
        DrawSecondLabels(c, *ring);
    else
        DrawInnerRing(c, *ring);
    c.originX = c.centreX;
}

void DrawLeapCycleBars(DrawContext& c)
{
    const Model& m = c.model;
    if (m.params.showLeapCycle != 1)
        return;
    Surface& s = c.surface();
    GuardedSurface& g = c.canvas;
    const KeepStyle keep(s);
    s.pen = {kLeapCycleColour, c.bySize(2, 5)};
    const int cap = c.bySize(3, 8);
    c.originX = c.centreX;
    for (const LeapCycleMark& mark : ComputeLeapCycleScatter(m.params, m.results)) {
        const auto [low, high] = std::minmax_element(mark.positions.begin(), mark.positions.end(),
                                                     [](DialPoint a, DialPoint b) { return a.y < b.y; });
        const double x1 = c.mapX(low->x);
        const double y1 = c.mapY(low->y);
        const double x2 = c.mapX(high->x);
        const double y2 = c.mapY(high->y);
        g.MoveTo(x1, y1);
        g.LineTo(x2, y2);
        // Short caps show the ends of a bar that is only a few pixels long. On paper they are small open
        // rings: a cross line would lie on the date tick at the same height and hide it.
        for (const auto& [x, y] : {std::pair{x1, y1}, std::pair{x2, y2}}) {
            if (c.screen()) {
                g.MoveTo(x - cap, y);
                g.LineTo(x + cap, y);
            } else {
                const KeepStyle ring(s);
                s.pen.width = 1;
                s.brush = {kWhite, BrushStyle::Clear};
                g.Ellipse(x - cap, y - cap, x + cap, y + cap);
            }
        }
    }
}

} // namespace umbrix
