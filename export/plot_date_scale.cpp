#include "export/plot_elements.h"

#include <algorithm>
#include <cmath>

namespace umbrix::plot {

namespace {

/// A figure-eight loop: a closed polyline with a dot at every date, the month starts larger and labelled.
void PlotLoop(PlotContext& c, const DateMarkTable& loop, int rows, int labelledMonths)
{
    HpglPlot& plot = c.plot;
    if (rows < 1)
        return;
    plot.moveToDial(loop[1].x, loop[1].y);
    for (int i = 2; i <= rows; ++i)
        plot.drawToDial(loop[static_cast<std::size_t>(i)].x, loop[static_cast<std::size_t>(i)].y);
    plot.drawToDial(loop[1].x, loop[1].y);
    int labelled = 0;
    for (int i = 1; i <= rows; ++i) {
        const tUmbrixPoint& m = loop[static_cast<std::size_t>(i)];
        const bool monthStart = m.label.rfind("01.", 0) == 0;
        const double r = std::round((monthStart ? 35 : 20) * plot.k);
        plot.dot(plot.X(m.x), plot.Y(m.y), r);
        if (monthStart && labelled < labelledMonths) {
            ++labelled;
            const double lx = m.x > 0 ? plot.X(m.x) + 2 * r : plot.X(m.x) - 2 * r - LabelWidth(plot, m.label);
            plot.label(lx, plot.Y(m.y) - r, m.label);
        }
    }
}

int LoopRows(const DateMarkTable& loop)
{
    int rows = 0;
    while (rows < kDateMarkSlots && !loop[static_cast<std::size_t>(rows + 1)].label.empty())
        ++rows;
    return rows;
}

} // namespace

void PlotDateScale(PlotContext& c)
{
    HpglPlot& plot = c.plot;
    const DialParameters& p = c.p();
    const DateMarkTable& marks = c.model.results.dateMarks;
    int n = 12 * p.marksPerMonth + (p.marksPerMonth < 3 ? 2 : 0);
    n = std::min(n, kDateMarkSlots + 1);
    double s = 180;
    plot.literal(";SP 2");
    for (int i = 1; i <= n; ++i) {
        const tUmbrixPoint& m = marks[static_cast<std::size_t>(i)];
        const double x = plot.X(m.x);
        const double y = plot.Y(m.y);
        if (m.label == "21.Jun ") {
            plot.literal(";SP 3");
            plot.dot(x, y, std::round(35 * plot.k));
            plot.literal(";SP 2");
            s = -s;
        }
        if (m.label.rfind("01.", 0) == 0) {
            const double lx = s > 0 ? x - 1.5 * s - LabelWidth(plot, m.label) : x + 1.5 * -s;
            plot.label(lx, y, m.label);
        }
        plot.moveTo(x, y);
        plot.drawTo(x - s, y);
    }
    const tUmbrixPoint& first = marks[1];
    const tUmbrixPoint& last = marks[static_cast<std::size_t>(n)];
    plot.moveToDial(first.x, first.y);
    plot.drawToDial(-last.x, -last.y);
}

void PlotDateScaleB(PlotContext& c)
{
    const DialParameters& p = c.p();
    c.plot.literal(";SP 3");
    const int rows = std::min(12 * p.marksPerMonth + (p.marksPerMonth <= 2 ? 1 : 0), kDateMarkSlots);
    PlotLoop(c, c.model.results.dateMarks, std::min(rows, LoopRows(c.model.results.dateMarks)), 6);
}

void PlotDateScaleC(PlotContext& c)
{
    const Results& r = c.model.results;
    const bool optimised = IsSearchMethod(c.p().doubleAnalemmaMethod);
    const LoopTable& morning = optimised ? r.morningLoopOptimised : r.morningLoop;
    const LoopTable& afternoon = optimised ? r.afternoonLoopOptimised : r.afternoonLoop;
    c.plot.literal(";SP 7");
    c.plot.cx = c.leftCentreX;
    PlotLoop(c, morning, LoopRows(morning), 12);
    c.plot.literal(";SP 8");
    c.plot.cx = c.rightCentreX;
    PlotLoop(c, afternoon, LoopRows(afternoon), 12);
    c.plot.cx = c.leftCentreX;
}

} // namespace umbrix::plot
