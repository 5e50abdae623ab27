#include "export/plot_elements.h"

#include "core/gnomon.h"
#include "core/shadow_path.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace umbrix::plot {

namespace {

constexpr double kNoShadowLimit = 7770; // |x| at or beyond this: the sample casts no shadow

bool IsWholeHour(double hours)
{
    return std::abs(hours - std::round(hours)) < kWholeHourTolerance;
}

} // namespace

void PlotGnomonLines(PlotContext& c)
{
    HpglPlot& plot = c.plot;
    const GnomonLines lines = GnomonDirectionLines(c.model);
    const DialPoint foot = lines.foot;
    const DialPoint tip = lines.tip;
    plot.literal(";PU ;SP 6;");
    plot.moveToDial(foot.x, foot.y);
    plot.drawToDial(-foot.x, -foot.y);
    plot.literal(";SP 7;");
    plot.moveToDial(tip.x, tip.y);
    plot.drawToDial(0, 0);
}

void PlotPointZ(PlotContext& c)
{
    HpglPlot& plot = c.plot;
    const std::optional<DialPoint> pointZ = FixedGnomonPointZ(c.model);
    if (!pointZ)
        return;
    const DialPoint z = *pointZ;
    plot.literal(";SP 5;");
    plot.moveToDial(z.x, z.y);
    plot.drawToDial(0, 0);
    plot.literal(";SP 4;");
    const double cross = std::round(60 * plot.k);
    const double zx = plot.X(z.x);
    const double zy = plot.Y(z.y);
    plot.moveTo(zx, zy - cross);
    plot.drawTo(zx, zy + cross);
    plot.moveTo(zx - cross, zy);
    plot.drawTo(zx + cross, zy);
    plot.literal(";SI 0.12 0.18");
    plot.label(zx + cross, zy + cross / 2, "Z");
}

void PlotShadowPath(PlotContext& c)
{
    HpglPlot& plot = c.plot;
    const Results& r = c.model.results;
    const int rows = std::min(r.shadowPathCount, kShadowPathSlots);
    plot.literal(";PU ;SP 9");
    if (c.split)
        plot.cx = c.leftCentreX;
    bool penUp = true;
    bool onRight = false;
    for (int i = 1; i <= rows; ++i) {
        const ShadowPoint& sp = r.shadowPath[static_cast<std::size_t>(i)];
        if (std::abs(sp.x) >= kNoShadowLimit || !std::isfinite(sp.x) || !std::isfinite(sp.y)) {
            penUp = true;
            continue;
        }
        if (c.split && !onRight && sp.x >= 0) {
            onRight = true;
            const double y = plot.Y(sp.y);
            if (!penUp)
                plot.drawTo(static_cast<double>(c.leftCentreX), y);
            plot.moveTo(static_cast<double>(c.rightCentreX), y);
            plot.cx = c.rightCentreX;
            penUp = false;
        }
        if (penUp)
            plot.moveToDial(sp.x, sp.y);
        else
            plot.drawToDial(sp.x, sp.y);
        penUp = false;
    }
    for (int i = 1; i <= rows; ++i) {
        const ShadowPoint& sp = r.shadowPath[static_cast<std::size_t>(i)];
        if (std::abs(sp.x) >= kNoShadowLimit || !IsWholeHour(sp.t))
            continue;
        if (c.split)
            plot.cx = sp.x > 0 ? c.rightCentreX : c.leftCentreX;
        plot.dot(plot.X(sp.x), plot.Y(sp.y), std::round(32 * plot.k));
    }
    plot.literal(";SP 9");
    if (c.p().type() != DialType::FixedGnomon) {
        const DialPoint g = ShadowDayGnomonPosition(c.model);
        const double t = std::round(60 * plot.k);
        for (long long centre :
             c.split ? std::vector<long long>{c.leftCentreX, c.rightCentreX} : std::vector<long long>{plot.cx}) {
            plot.cx = centre;
            const double x = plot.X(g.x);
            const double y = plot.Y(g.y);
            plot.moveTo(x, y);
            plot.drawTo(x + t, y + t);
            plot.drawTo(x - t, y + t);
            plot.drawTo(x, y);
        }
    }
    if (c.split)
        plot.cx = c.leftCentreX;
}

} // namespace umbrix::plot
