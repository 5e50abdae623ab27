// The shadow day: the path of the shadow's tip with its hour dots, the gnomon's position on the date
// scale, and the Lambert circle with the exact rise and set directions.

#include "core/ephemeris.h"
#include "core/numeric.h"
#include "core/rise_set.h"
#include "core/shadow_path.h"
#include "graphics/construction_steps.h"

#include <algorithm>
#include <cmath>

namespace umbrix {

namespace {

constexpr double kNoPointMagnitude = 7770; // a shadow row with |x| this large marks "no shadow"
constexpr double kWholeHourTolerance = 0.05;
constexpr double kEllipseLimitPx = 32760; // beyond this a circle is drawn as a straight line
constexpr double kDirectionReach = 1.05;  // rise/set lines end just outside the hour ellipse

bool IsPathPoint(const ShadowPoint& row)
{
    return row.t >= 0 && std::abs(row.x) < kNoPointMagnitude && std::isfinite(row.y);
}

} // namespace

void DrawShadowPath(DrawContext& c)
{
    const Model& m = c.model;
    if (!m.state.showShadowPath || !HasShadowPath(m.params))
        return;
    Surface& s = c.surface();
    GuardedSurface& g = c.canvas;
    const ShadowPathTable& path = m.results.shadowPath;
    const int count = std::clamp(m.results.shadowPathCount, 0, kShadowPathSlots);
    s.pen = {kMaroon, 1};
    s.font.colour = kMaroon;

    c.originX = c.split ? c.leftCentreX : c.centreX;
    bool move = true;
    bool afternoon = false;
    for (int k = 1; k <= count; ++k) {
        const ShadowPoint& row = path[static_cast<std::size_t>(k)];
        if (!IsPathPoint(row)) {
            move = true; // the path is interrupted where the gnomon casts no shadow
            continue;
        }
        const double py = c.mapY(row.y);
        if (c.split && !afternoon && row.x >= 0) {
            // Across the gap between the halves at the height of the first afternoon point.
            afternoon = true;
            if (!move)
                g.LineTo(c.leftCentreX, py);
            g.MoveTo(c.rightCentreX, py);
            c.originX = c.rightCentreX;
            g.LineTo(c.mapX(row.x), py);
            move = false;
            continue;
        }
        if (move)
            g.MoveTo(c.mapX(row.x), py);
        else
            g.LineTo(c.mapX(row.x), py);
        move = false;
    }

    s.pen = {kNavy, 1};
    s.brush = {kWhite, BrushStyle::Solid};
    const int r = c.bySize(2, 3);
    for (int k = 1; k <= count; ++k) {
        const ShadowPoint& row = path[static_cast<std::size_t>(k)];
        if (!IsPathPoint(row) || std::abs(row.t - std::round(row.t)) >= kWholeHourTolerance)
            continue;
        c.originX = !c.split ? c.centreX : (row.x > 0 ? c.rightCentreX : c.leftCentreX);
        const double px = c.mapX(row.x);
        const double py = c.mapY(row.y);
        g.Ellipse(px - r, py - r, px + r, py + r);
    }
    c.originX = c.centreX;
}

void DrawGnomonPosition(DrawContext& c)
{
    const Model& m = c.model;
    const DialParameters& p = m.params;
    if (p.type() == DialType::FixedGnomon)
        return;
    if (!m.state.showShadowPath && !(p.type() == DialType::Horizontal && m.state.markRiseSet))
        return;
    const DialPoint gnomon = ShadowDayGnomonPosition(m);
    const double x = gnomon.x * c.S; // pixels
    const double y = gnomon.y * c.S;
    Surface& s = c.surface();
    GuardedSurface& g = c.canvas;
    const int r = c.bySize(7, 15);
    s.pen.colour = kBlack;
    const auto triangle = [&](double centreX) {
        const double px = centreX + RoundPx(x);
        const double py = c.originY - RoundPx(y);
        g.MoveTo(px, py);
        g.LineTo(px + r, py - r);
        g.LineTo(px - r, py - r);
        g.LineTo(px, py);
    };
    if (c.split) {
        triangle(c.leftCentreX);
        triangle(c.rightCentreX);
    } else {
        triangle(c.centreX);
    }
}

void DrawLambertCircle(DrawContext& c)
{
    const Model& m = c.model;
    if (m.params.type() != DialType::Horizontal || !m.state.markRiseSet)
        return;
    const LambertCircleResult circle = ShadowDayLambertCircle(m);
    if (c.options.host && ReportRadiusCheck(m, *c.options.host, circle))
        c.outcome.radiusCheckReported = true;
    if (!circle.valid)
        return;
    Surface& s = c.surface();
    GuardedSurface& g = c.canvas;
    const double r = circle.radius;
    const double cy = circle.c;
    s.brush.style = BrushStyle::Clear;
    s.pen.colour = kLime;
    if (m.params.showLambertCircle) {
        if (std::abs(cy - 2 * r) * c.S < kEllipseLimitPx) {
            g.Ellipse(c.originX - RoundPx(r * c.S), c.originY - RoundPx(cy * c.S), c.originX + RoundPx(r * c.S),
                      c.originY - RoundPx((cy - 2 * r) * c.S));
        } else {
            g.MoveTo(1, c.originY - RoundPx(cy * c.S));
            g.LineTo(c.surfaceWidth, c.originY - RoundPx(cy * c.S));
        }
    }
    s.brush.style = BrushStyle::Solid;
    s.pen.colour = kPaleBlueGreen;
    s.font.colour = kBlack;
    if (!m.results.riseSetPointReal)
        return;
    // From the gnomon's position on the shadow day through the two rise/set marks, a little beyond them.
    const double xMark = m.results.riseSetPoint.x;
    const double k = kDirectionReach * c.a() / xMark;
    const double endY = c.originY - RoundPx((cy - cy * k) * c.S);
    g.MoveTo(c.originX + RoundPx(xMark * c.S * k), endY);
    g.LineTo(c.originX, c.originY - RoundPx(cy * c.S));
    g.LineTo(c.originX - RoundPx(xMark * c.S * k), endY);
}

} // namespace umbrix
