#include "export/hpgl_writer.h"

#include "core/numeric.h"
#include "core/shadow_path.h"
#include "export/hpgl_plot.h"
#include "export/plot_elements.h"
#include "graphics/construction.h"

#include <algorithm>
#include <cmath>

namespace umbrix {

using namespace plot;

double InitialExportAxis(double semiMajorAxis)
{
    double axis = semiMajorAxis;
    if (!std::isfinite(axis) || axis <= 0)
        return 2;
    while (axis < 2)
        axis *= 10;
    while (axis > 20)
        axis /= 10;
    return axis;
}

PlotResult WriteConstructionPlot(const Model& model, Host& host, const PlotSettings& settings)
{
    const DialParameters& p = model.params;
    HpglPlot plot;
    PlotContext c{model, host, plot};

    // Page and scale.
    const DerivedGeometry& derived = model.derived;
    const double a = derived.extentX;
    const double b = derived.semiMinorAxis;
    // A construction wider than 36 units would round to u = 0 and collapse onto its centre: keep one step.
    if (settings.axisOrZoom == 1.0 && a > 0 && std::isfinite(18 / a))
        plot.u = std::max(1.0, std::round(18 / a)) * 400;
    if (plot.u * derived.extentY > 0.96 * plot.height / 2)
        plot.height = static_cast<int>(std::llround(2 * b * plot.u * 1.08));
    if (plot.u * a > 0.96 * plot.width / 2)
        plot.width = static_cast<int>(std::llround(2 * a * plot.u * 1.08));
    plot.k = p.semiMajorAxis * plot.u / 5000;
    const double imageWidth = settings.lastImageWidth > 0 ? settings.lastImageWidth : 1;
    const long long px = std::llround(settings.panX * static_cast<double>(plot.width) / imageWidth);
    const long long py = std::llround(settings.panY * static_cast<double>(plot.width) / imageWidth);
    plot.cx = plot.width / 2 + px;
    plot.cy = std::llround((plot.height / 2) * (p.type() == DialType::FixedGnomon ? kFixedGnomonCentreDepthHalfHeights
                                                                                  : kCentreDepthHalfHeights)) +
              py;

    const std::string w = PlotInt(plot.width);
    const std::string h = PlotInt(plot.height);
    plot.literal("IN;SS;VS 1;PA;SP 4;PU 1 1;PD " + w + " 1" + w + " " + h + " 1 " + " " + h + " 1 1;");
    plot.literal(";SP 4;PU 0 0;");

    c.split = IsSplitDial(p);
    if (c.split) {
        const long long d = std::llround(p.semiMajorAxis / 10 * plot.u);
        c.leftCentreX = plot.cx - d;
        c.rightCentreX = plot.cx + d;
        plot.cx = c.leftCentreX;
    }
    plot.literal(";SI " + FormatFixed(6, 3, 0.16 * plot.k) + " " + FormatFixed(6, 3, 0.24 * plot.k) + ";SP 4");

    // 1. Axes.
    PlotAxes(c, true);
    if (c.split) {
        plot.cx = c.rightCentreX;
        PlotAxes(c, false);
        plot.cx = c.leftCentreX;
    }
    // 2. Rise and set marks.
    if ((p.type() == DialType::Horizontal || p.type() == DialType::MeanTime) && model.state.markRiseSet &&
        (std::abs(p.planeInclination) < 0.2 || std::abs(p.gnomonInclination) < 0.2) && model.results.riseSetPointReal)
        PlotRiseSetMarks(c);
    // 3. Date marks.
    if ((p.type() != DialType::MeanTime && p.type() != DialType::FixedGnomon) ||
        (p.type() == DialType::MeanTime && p.marksMode == MarksMode::DateScale))
        PlotDateScale(c);
    else if (p.type() == DialType::MeanTime && p.marksMode == MarksMode::Analemma)
        PlotDateScaleB(c);
    else if (IsSplitDial(p))
        PlotDateScaleC(c);
    // 4. The pen to the first hour point.
    plot.literal(";SP 4");
    {
        const DialPoint first = CurvePoint(c, 1, c.hourAngle(model.state.hourFrom));
        plot.moveToDial(first.x, first.y);
    }
    // 5. The fixed-gnomon figure.
    if (p.type() == DialType::FixedGnomon)
        PlotFixedGnomonFigure(c);
    // 6. and 7. Hour curves and hour marks.
    PlotHourCurves(c);
    PlotHourMarks(c);
    PlotDstRing(c);
    // 8. Gnomon direction lines; 9. the point Z.
    if (p.type() == DialType::HorizontalTiltedGnomon || p.type() == DialType::InclinedPlaneGnomon ||
        p.type() == DialType::FixedGnomon)
        PlotGnomonLines(c);
    if (p.type() == DialType::FixedGnomon)
        PlotPointZ(c);
    // 10. Shadow path.
    if (model.state.showShadowPath && HasShadowPath(p))
        PlotShadowPath(c);
    // 12. Title, signature, legend.
    PlotLegend(c);

    PlotResult result;
    result.text = std::move(plot.out);
    result.originX = static_cast<int>(plot.cx);
    result.originY = static_cast<int>(plot.cy);
    result.pageWidth = plot.width;
    result.pageHeight = plot.height;
    result.unitsPerLength = plot.u;
    result.splitDial = c.split;
    return result;
}

} // namespace umbrix
