#include "export/plot_elements.h"

#include "core/hour_marks.h"
#include "core/numeric.h"
#include "graphics/dial_points.h"

#include <algorithm>
#include <cmath>

namespace umbrix::plot {

namespace {

/// The hour label (or the fixed-gnomon dial's symbol) of the hour point pt, outside it on the ray from the
/// centre.
void PlotHourLabel(HpglPlot& plot, DialPoint pt, std::string_view text, double distance)
{
    const double len = std::hypot(pt.x, pt.y);
    if (len <= 0.05)
        return;
    const double ux = pt.x / len;
    const double uy = pt.y / len;
    const double width = CharCount(text) * kLabelCharWidth * 1.5;
    const double d = pt.x >= 0 ? distance : distance + width;
    plot.label(plot.X(pt.x) + ux * d, plot.Y(pt.y) + uy * d - (pt.y < 0 ? kLabelCharHeight : 0), text);
}

bool IsLabelledHour(int hour, bool fixedGnomon)
{
    switch (hour) {
    case 4:
    case 6:
    case 8:
    case 10:
    case 12:
    case 14:
    case 16:
    case 18:
    case 20:
        return true;
    case 9:
    case 15:
        return fixedGnomon;
    default:
        return false;
    }
}

} // namespace

void PlotFixedGnomonFigure(PlotContext& c)
{
    HpglPlot& plot = c.plot;
    const DialParameters& p = c.p();
    const SharedState& s = c.model.state;
    // The sunrise curve in pen 8, the sunset curve in pen 3: each run of date lines within the hours.
    const std::vector<FixedGnomonRiseSetRun> runs = FixedGnomonRiseSetRuns(c.model);
    for (const bool sunrise : {true, false}) {
        plot.literal(sunrise ? ";SP 8;" : ";SP 3;");
        for (const FixedGnomonRiseSetRun& run : runs) {
            if (run.sunrise != sunrise)
                continue;
            plot.moveToDial(run.points.front().x, run.points.front().y);
            for (std::size_t k = 1; k < run.points.size(); ++k)
                plot.drawToDial(run.points[k].x, run.points[k].y);
        }
    }
    plot.literal(";SP 3;");
    const int n = CurveCount(p);
    const int marks = (s.hourTo - s.hourFrom) * p.linesPerHour + 1;
    for (int j = 1; j <= marks; ++j) {
        const double h = c.hourAngle(s.hourFrom + static_cast<double>(j - 1) / p.linesPerHour);
        const DialPoint a = CurvePoint(c, 1, h);
        const DialPoint b = CurvePoint(c, n, h);
        plot.moveToDial(a.x, a.y);
        plot.drawToDial(b.x, b.y);
    }
}

void PlotHourCurves(PlotContext& c)
{
    HpglPlot& plot = c.plot;
    const DialParameters& p = c.p();
    const SharedState& s = c.model.state;
    const int n = CurveCount(p);
    for (int curve = 1; curve <= n; ++curve) {
        if (n > 1) {
            const bool first = curve == 1;
            const bool last = curve == n;
            if (curve == (n + 1) / 2)
                plot.literal(";SP 5");
            else if ((first || last) && p.distanceZ != 0)
                plot.literal((last == (p.distanceZ < 0)) ? ";SP 2" : ";SP 3");
            else if (!first && !last)
                plot.literal(";SP 1");
        }
        if (c.split)
            plot.cx = c.leftCentreX;
        bool switched = !c.split;
        for (int h = s.hourFrom; h <= s.hourTo; ++h) {
            const double tau = c.hourAngle(h);
            if (!switched && tau > 0 && h > s.hourFrom) {
                switched = true;
                plot.cx = c.rightCentreX;
                const DialPoint back = CurvePoint(c, curve, c.hourAngle(h - 1));
                plot.moveToDial(back.x, back.y);
            }
            const DialPoint pt = CurvePoint(c, curve, tau);
            if (h == s.hourFrom)
                plot.moveToDial(pt.x, pt.y);
            else
                plot.drawToDial(pt.x, pt.y);
        }
    }
    if (c.split)
        plot.cx = c.leftCentreX;
}

void PlotHourMarks(PlotContext& c)
{
    HpglPlot& plot = c.plot;
    const DialParameters& p = c.p();
    const SharedState& s = c.model.state;
    const bool fixed = p.type() == DialType::FixedGnomon;
    const int curves = CurveCount(p);
    if (!fixed) {
        for (const PlacedHourMark& mark : PlacedHourMarks(c.model)) {
            plot.literal(mark.fullHour ? ";SP 2;" : ";SP 1;");
            if (c.split)
                plot.cx = mark.half == DialHalf::Afternoon ? c.rightCentreX : c.leftCentreX;
            plot.dot(plot.X(mark.local.x), plot.Y(mark.local.y), std::round((mark.fullHour ? 35 : 20) * plot.k));
        }
    }
    plot.literal(";SI 0.12 0.18;SP 2");
    const double distance = 1.5 * kLabelCharHeight;
    if (!fixed) {
        const std::vector<PlacedHourMark> placed = PlacedHourMarks(c.model);
        for (int hour = 4; hour <= 20; ++hour) {
            if (!IsLabelledHour(hour, false))
                continue;
            for (const PlacedHourMark& mark : placed) {
                if (std::abs(mark.clockHours - hour) < kWholeHourTolerance) {
                    if (c.split)
                        plot.cx = mark.half == DialHalf::Afternoon ? c.rightCentreX : c.leftCentreX;
                    PlotHourLabel(plot, mark.local, std::to_string(hour), distance);
                    break;
                }
            }
        }
    } else {
        const int marked = p.distanceZ > 0 ? curves : 1;
        for (int curve = 1; curve <= curves; ++curve) {
            for (int hour = std::max<int>(4, s.hourFrom); hour <= std::min<int>(20, s.hourTo); ++hour) {
                if (!IsLabelledHour(hour, true))
                    continue;
                const DialPoint pt = CurvePoint(c, curve, c.hourAngle(hour));
                if (hour == 9 || hour == 15) {
                    const char* symbol = curve != marked ? "^" : (p.distanceZ >= 0 ? "a" : "g");
                    plot.literal(";SA;SP 4;SI 0.3 0.5;");
                    PlotHourLabel(plot, pt, symbol, 2 * distance);
                    plot.literal(";SS;SP 2;SI 0.12 0.18");
                } else if (curve == marked) {
                    PlotHourLabel(plot, pt, std::to_string(hour), distance);
                }
            }
        }
    }
    plot.literal(";SP 2");
    if (c.split)
        plot.cx = c.leftCentreX;
}

} // namespace umbrix::plot
