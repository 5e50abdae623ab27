#include "core/dst_ring.h"
#include "core/hour_marks.h"
#include "export/plot_elements.h"
#include "graphics/dial_points.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace umbrix::plot {

namespace {

constexpr int kDstHourPen = 11;   // summer-time hour points and labels: layer L_11 of the converted DXF
constexpr int kDstDatePen = 10;   // the inner date scale: layer L_10
constexpr double kDateTick = 180; // plotter units, as the outer date scale's ticks

std::string Pen(int pen)
{
    return ";SP " + std::to_string(pen);
}

/// The hours the plot numbers: the even hours from 4 to 20.
bool IsNumberedHour(double hours)
{
    const long hour = std::lround(hours);
    return hour >= 4 && hour <= 20 && hour % 2 == 0 &&
           std::abs(hours - static_cast<double>(hour)) < kWholeHourTolerance;
}

/// A label outside the dial point pt on the ray from the centre, `distance` plotter units beyond it, with a
/// line from the point towards it.
void RayLabel(HpglPlot& plot, DialPoint pt, const std::string& text, double distance)
{
    const double len = std::hypot(pt.x, pt.y);
    if (!(len > 0.05))
        return;
    const double ux = pt.x / len;
    const double uy = pt.y / len;
    const double x = plot.X(pt.x);
    const double y = plot.Y(pt.y);
    plot.moveTo(x, y);
    plot.drawTo(x + ux * distance / 2, y + uy * distance / 2);
    const double width = CharCount(text) * kLabelCharWidth * 1.5;
    const double d = pt.x >= 0 ? distance : distance + width;
    plot.label(x + ux * d, y + uy * d - (pt.y < 0 ? kLabelCharHeight : 0), text);
}

/// Ring 1: the second labels beyond the numbers of the hours (the fixed-gnomon dial: on the numbered line).
void PlotSecondLabels(PlotContext& c, const DstRing& ring)
{
    HpglPlot& plot = c.plot;
    const DialParameters& p = c.p();
    const SharedState& s = c.model.state;
    const double distance = 4 * kLabelCharHeight;
    if (p.type() == DialType::FixedGnomon) {
        const int marked = p.distanceZ > 0 ? CurveCount(p) : 1;
        for (int hour = std::max<int>(4, s.hourFrom); hour <= std::min<int>(20, s.hourTo); ++hour)
            if (IsNumberedHour(hour))
                RayLabel(plot, CurvePoint(c, marked, c.hourAngle(hour)),
                         DstHourLabel(DstLabelHours(hour, ring.offsetHours)), distance);
        return;
    }
    const Results& r = c.model.results;
    const int count = std::clamp(r.hourPointCount, 0, kHourPointSlots);
    for (int j = 1; j <= count; ++j) {
        const HourPoint& hp = r.hourPoints[static_cast<std::size_t>(j)];
        if (!IsNumberedHour(hp.time))
            continue;
        if (c.split)
            plot.cx = c.hourAngle(hp.time) > 0 ? c.rightCentreX : c.leftCentreX;
        RayLabel(plot, {hp.x, hp.y}, DstHourLabel(DstLabelHours(hp.time, ring.offsetHours)), distance);
    }
}

/// Ring 2: the inner hour ellipse, its dots and labels with pen 11; the inner date scale with pen 10, its
/// labels on the side the drawing puts them.
void PlotInnerRing(PlotContext& c, const DstRing& ring)
{
    HpglPlot& plot = c.plot;
    const SharedState& s = c.model.state;
    const Results& r = c.model.results;
    for (int t = (s.hourFrom - 12) * 15; t <= (s.hourTo - 12) * 15; ++t) {
        const DialPoint pt = ScaledHourEllipsePoint(c.model, ring.scale, t + c.zoneShiftDeg());
        if (t == (s.hourFrom - 12) * 15)
            plot.moveToDial(pt.x, pt.y);
        else
            plot.drawToDial(pt.x, pt.y);
    }
    const int count = std::clamp(r.hourPointCount, 0, kHourPointSlots);
    for (int j = 1; j <= count; ++j) {
        const HourPoint& hp = r.hourPoints[static_cast<std::size_t>(j)];
        const DialPoint at{ring.scale * hp.x, ring.scale * hp.y};
        const bool numbered = IsNumberedHour(hp.time);
        plot.dot(plot.X(at.x), plot.Y(at.y), std::round((numbered ? 35 : 20) * plot.k));
        if (numbered)
            RayLabel(plot, at, DstHourLabel(DstLabelHours(hp.time, ring.offsetHours)), 1.5 * kLabelCharHeight);
    }
    plot.literal(Pen(kDstDatePen));
    for (std::size_t i = 0; i < ring.dateMarks.size() && i < ring.dateMarkDates.size(); ++i) {
        const tUmbrixPoint& mark = ring.dateMarks[i];
        const DayMonth date = ring.dateMarkDates[i];
        const bool outerWest = date.month < 6 || (date.month == 6 && date.day < 21);
        const double side = (ring.labelsOpposite ? !outerWest : outerWest) ? kDateTick : -kDateTick;
        const double x = plot.X(mark.x);
        const double y = plot.Y(mark.y);
        plot.moveTo(x, y);
        plot.drawTo(x - side, y);
        if (i != 0 && i + 1 != ring.dateMarks.size() && mark.label.rfind("01.", 0) != 0)
            continue;
        // Beyond the outer scale's labels, as on the drawing.
        plot.label(side > 0 ? x - 5 * side - LabelWidth(plot, mark.label) : x + 5 * -side, y, mark.label);
    }
}

} // namespace

void PlotDstRing(PlotContext& c)
{
    const DialParameters& p = c.p();
    if (p.dst.ring == DstRingKind::None)
        return;
    const std::optional<DstRing> ring = ComputeDstRing(p, c.model.state, c.model.results, p.dst);
    if (!ring)
        return;
    c.plot.literal(";SI 0.12 0.18" + Pen(kDstHourPen));
    if (ring->ring == DstRingKind::SecondLabels)
        PlotSecondLabels(c, *ring);
    else
        PlotInnerRing(c, *ring);
    // The state the hour marks left: their label size and pen, the split dial's left centre.
    c.plot.literal(";SI 0.12 0.18;SP 2");
    if (c.split)
        c.plot.cx = c.leftCentreX;
}

} // namespace umbrix::plot
