#include "export/plot_elements.h"

#include "core/loops.h"
#include "graphics/dial_points.h"

#include <algorithm>
#include <cmath>

namespace umbrix::plot {

namespace {

/// A figure-eight loop through the points of one half (or of the whole dial), each from its centre: a closed
/// polyline with a dot at every date, the month starts larger and the first `labelledMonths` of them labelled
/// with the label of their row of `table`, as the tables print it.
void PlotLoop(PlotContext& c, const std::vector<PlacedDateMark>& points, DialHalf half, const DateMarkTable& table,
              int labelledMonths)
{
    HpglPlot& plot = c.plot;
    std::vector<const PlacedDateMark*> loop;
    for (const PlacedDateMark& point : points)
        if (point.half == half)
            loop.push_back(&point);
    if (loop.empty())
        return;
    plot.moveToDial(loop.front()->local.x, loop.front()->local.y);
    for (std::size_t i = 1; i < loop.size(); ++i)
        plot.drawToDial(loop[i]->local.x, loop[i]->local.y);
    plot.drawToDial(loop.front()->local.x, loop.front()->local.y);
    int labelled = 0;
    for (const PlacedDateMark* point : loop) {
        const DialPoint m = point->local;
        const bool monthStart = point->label.rfind("01.", 0) == 0;
        const double r = std::round((monthStart ? 35 : 20) * plot.k);
        plot.dot(plot.X(m.x), plot.Y(m.y), r);
        if (monthStart && labelled < labelledMonths) {
            ++labelled;
            const std::string& label = table[static_cast<std::size_t>(point->slot)].label;
            const double lx = m.x > 0 ? plot.X(m.x) + 2 * r : plot.X(m.x) - 2 * r - LabelWidth(plot, label);
            plot.label(lx, plot.Y(m.y) - r, label);
        }
    }
}

} // namespace

void PlotDateScale(PlotContext& c)
{
    HpglPlot& plot = c.plot;
    const DateMarkTable& table = c.model.results.dateMarks;
    const std::vector<PlacedDateMark> marks = PlacedDateMarks(c.model);
    double s = 180;
    plot.literal(";SP 2");
    for (const PlacedDateMark& m : marks) {
        const std::string& label = table[static_cast<std::size_t>(m.slot)].label; // as the tables print it
        const double x = plot.X(m.local.x);
        const double y = plot.Y(m.local.y);
        if (label == "21.Jun ") {
            plot.literal(";SP 3");
            plot.dot(x, y, std::round(35 * plot.k));
            plot.literal(";SP 2");
            s = -s;
        }
        if (label.rfind("01.", 0) == 0) {
            const double lx = s > 0 ? x - 1.5 * s - LabelWidth(plot, label) : x + 1.5 * -s;
            plot.label(lx, y, label);
        }
        plot.moveTo(x, y);
        plot.drawTo(x - s, y);
    }
    if (marks.empty())
        return;
    // The date axis: from the first mark through the centre to the reflection of the last one.
    const DialPoint first = marks.front().local;
    const DialPoint last = marks.back().local;
    plot.moveToDial(first.x, first.y);
    plot.drawToDial(-last.x, -last.y);
}

void PlotDateScaleB(PlotContext& c)
{
    c.plot.literal(";SP 3");
    PlotLoop(c, PlacedDateMarks(c.model), DialHalf::Whole, c.model.results.dateMarks, 6);
}

void PlotDateScaleC(PlotContext& c)
{
    const std::vector<PlacedDateMark> points = PlacedLoopPoints(c.model);
    const LoopPair loops = CurrentLoops(c.model);
    c.plot.literal(";SP 7");
    c.plot.cx = c.leftCentreX;
    if (loops.morning)
        PlotLoop(c, points, DialHalf::Morning, *loops.morning, 12);
    c.plot.literal(";SP 8");
    c.plot.cx = c.rightCentreX;
    if (loops.afternoon)
        PlotLoop(c, points, DialHalf::Afternoon, *loops.afternoon, 12);
    c.plot.cx = c.leftCentreX;
}

} // namespace umbrix::plot
