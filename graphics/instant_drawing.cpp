#include "graphics/instant_drawing.h"

#include "graphics/construction.h"
#include "graphics/guarded_surface.h"

#include <cmath>

namespace umbrix {

namespace {

constexpr int kFootRadiusPx = 5;
constexpr int kTipRadiusPx = 3;
constexpr int kSunRadiusPx = 8;
constexpr double kSunLineSemiAxes = 0.35; // length of the sun's direction, in semi-major axes
constexpr double kRaySemiAxes = 2.0;      // the shadow ray reaches across the whole hour ellipse
constexpr int kCaptionMarginPx = 10;      // the caption stands in the top-left corner, clear of the dial's captions

} // namespace

void DrawInstant(Surface& surface, const DrawingState& state, const DialParameters& p, const DerivedGeometry& derived,
                 double zoomFactor, const Simulation& simulation, std::string_view caption)
{
    GuardedSurface g(surface);
    const double S =
        ComputeDrawingScale(p, derived, state.surfaceWidth / 2, state.surfaceHeight / 2).pixelsPerUnit * zoomFactor;
    double centreX = state.originX;
    if (simulation.half)
        centreX = *simulation.half == DayHalf::Morning ? state.leftCentreX : state.rightCentreX;
    const auto px = [&](double x) { return centreX + RoundPx(x * S); };
    const auto py = [&](double y) { return state.originY - RoundPx(y * S); };
    const DialPoint foot = simulation.gnomon;
    const double a = p.semiMajorAxis;

    if (simulation.shadowDirection) {
        const DialPoint d = *simulation.shadowDirection;
        // The ray the reading follows, thin, then the shadow of the gnomon itself, thick.
        surface.pen = {kInstantShadow, 1};
        g.MoveTo(px(foot.x), py(foot.y));
        g.LineTo(px(foot.x + d.x * kRaySemiAxes * a), py(foot.y + d.y * kRaySemiAxes * a));
        if (simulation.shadowTip) {
            const DialPoint tip = *simulation.shadowTip;
            surface.pen = {kInstantShadow, 4};
            g.MoveTo(px(foot.x), py(foot.y));
            g.LineTo(px(tip.x), py(tip.y));
            surface.pen = {kInstantShadow, 1};
            surface.brush = {kInstantShadow, BrushStyle::Solid};
            g.Ellipse(px(tip.x) - kTipRadiusPx, py(tip.y) - kTipRadiusPx, px(tip.x) + kTipRadiusPx,
                      py(tip.y) + kTipRadiusPx);
        }
        // Towards the sun: against the shadow.
        const double sx = px(foot.x - d.x * kSunLineSemiAxes * a);
        const double sy = py(foot.y - d.y * kSunLineSemiAxes * a);
        surface.pen = {kInstantSun, 2};
        g.MoveTo(px(foot.x), py(foot.y));
        g.LineTo(sx, sy);
        surface.brush = {kInstantSun, BrushStyle::Solid};
        g.Ellipse(sx - kSunRadiusPx, sy - kSunRadiusPx, sx + kSunRadiusPx, sy + kSunRadiusPx);
    }
    surface.pen = {kBlack, 1};
    surface.brush = {kInstantSun, BrushStyle::Solid};
    g.Ellipse(px(foot.x) - kFootRadiusPx, py(foot.y) - kFootRadiusPx, px(foot.x) + kFootRadiusPx,
              py(foot.y) + kFootRadiusPx);

    surface.font.name = std::string(kFontArial);
    surface.font.height = 14;
    surface.font.style = FontStyle::Bold;
    surface.font.colour = kBlack;
    surface.brush = {kWhite, BrushStyle::Solid};
    g.TextOut(kCaptionMarginPx, kCaptionMarginPx, caption);
    surface.font.style = FontStyle::Regular;
}

} // namespace umbrix
