#include "export/plot_elements.h"

#include "core/hour_marks.h"
#include "core/numeric.h"
#include "graphics/construction.h"
#include "text/texts.h"
#include "graphics/dial_points.h"

#include <algorithm>
#include <cmath>

namespace umbrix::plot {

namespace {

constexpr int kLegendRowPitch = 400;
constexpr double kPlotterReach = 30000; // no primitive farther than this from the centre can be in the window

} // namespace

std::string FirstChars(std::string_view text, int count)
{
    std::size_t i = 0;
    for (int n = 0; n < count && i < text.size(); ++n) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            ++i;
    }
    return std::string(text.substr(0, i));
}

int CharCount(std::string_view text)
{
    return static_cast<int>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

double LabelWidth(const HpglPlot& plot, std::string_view text)
{
    return CharCount(text) * 1.5 * 64 * plot.k;
}

int CurveCount(const DialParameters& p)
{
    if (p.type() != DialType::FixedGnomon)
        return 1;
    return p.marksPerMonth >= 1 && p.marksPerMonth <= 3 ? 6 * p.marksPerMonth + 1 : 19;
}

DialPoint CurvePoint(const PlotContext& c, int n, double hDeg)
{
    return HourCurvePoint(c.model, n, hDeg);
}

void PlotAxes(PlotContext& c, bool labelled)
{
    HpglPlot& plot = c.plot;
    const DialParameters& p = c.p();
    plot.literal(";SP 4");
    const double y0 = plot.centreY();
    const double x0 = static_cast<double>(plot.cx);
    if (!c.split) {
        plot.moveTo(60, y0);
        plot.drawTo(plot.width - 60, y0);
    } else {
        const double middle = static_cast<double>(c.leftCentreX + c.rightCentreX) / 2;
        if (labelled) {
            plot.moveTo(60, y0);
            plot.drawTo(middle - 40, y0);
        } else {
            plot.moveTo(middle + 40, y0);
            plot.drawTo(plot.width - 60, y0);
        }
    }
    plot.moveTo(x0, plot.height - 60);
    plot.drawTo(x0, 60);

    const double axisLength =
        p.type() == DialType::FixedGnomon ? 0.985 * plot.width / 2 : 1.5 * p.semiMajorAxis * plot.u;
    plot.literal(";SI " + FormatFixed(5, 2, 0.16 * plot.k) + " " + FormatFixed(5, 2, 0.24 * plot.k));
    const double step = c.model.derived.extentX < 10 ? 0.1 : 0.2;
    const bool west = !c.split || labelled;
    const bool east = !c.split || !labelled;
    // Ticks beyond the plotter's window would all be dropped: stop there.
    const double tickReach = std::min(axisLength, kPlotterReach);
    for (int i = 0; i * step * plot.u < tickReach; ++i) {
        const double d = std::round(i * step * plot.u);
        const double tick = (i % 5 == 0 ? 80 : 40) * plot.k;
        // Ticks stay on the page.
        for (int side : {-1, 1}) {
            const double x = x0 + side * d;
            if ((side < 0 && !west) || (side > 0 && !east) || x < 60 || x > plot.width - 60)
                continue;
            plot.moveTo(x, y0);
            plot.drawTo(x, y0 + tick);
        }
        for (int side : {-1, 1}) {
            const double y = y0 + side * d;
            if (y < 60 || y > plot.height - 60)
                continue;
            plot.moveTo(x0, y);
            plot.drawTo(x0 + tick, y);
        }
        if (i > 0 && i % 10 == 0) {
            const std::string number = FormatFixed(4, 1, i * step);
            if (west)
                plot.label(x0 - d, y0 + 120 * plot.k, number);
            if (east)
                plot.label(x0 + d, y0 + 120 * plot.k, number);
            if (labelled) {
                plot.label(x0 + 120 * plot.k, y0 + d, number);
                plot.label(x0 + 120 * plot.k, y0 - d, number);
            }
        }
    }
    if (labelled) {
        plot.label(100, y0 + 100, "W");
        plot.label(x0 + 100, plot.height - 300, "N");
    }
}

void PlotRiseSetMarks(PlotContext& c)
{
    HpglPlot& plot = c.plot;
    const double d = c.model.results.riseSetPoint.x;
    const long long e = std::llround(28 * plot.k);
    const long long f = std::llround(120 * plot.k);
    const double y0 = plot.centreY();
    for (int i = 0; i < 2; ++i) {
        const int side = i == 0 ? -1 : 1;
        const double x = static_cast<double>(plot.cx + side * std::llround(d * plot.u));
        plot.literal(";SP 2");
        plot.circle(x + e, y0 - e, x - e, y0 + e);
        plot.moveTo(x, y0);
        plot.drawTo(x, y0 - f);
        plot.drawTo(x + e, y0 - f);
        const std::string text =
            std::string(TextRow(c.lang(), TextId::RiseMark, i)) + " (" + FormatFixed(7, 3, side * d) + "/0)";
        plot.label(x + e, std::round(y0 - f - 32 * plot.k), text);
        plot.literal(";SP 1");
    }
}

void PlotLegend(PlotContext& c)
{
    HpglPlot& plot = c.plot;
    const DialParameters& p = c.p();
    const SharedState& s = c.model.state;
    const LanguageState& lang = c.lang();
    auto res = [&](ResourceId id) { return std::string(ResourceText(lang, id)); };
    auto entry = [&](ResourceId id, const std::string& value, bool closing) {
        return res(id) + " = " + value + (closing ? ";" : "");
    };
    std::string title = s.dialTitle;
    if (p.type() != DialType::MeanTime && p.type() != DialType::FixedGnomon)
        title += ", " + std::string(LabelRow(lang, LabelId::AnalemmaticSundial));
    plot.literal(";SI 0.20 0.30;SP 4");
    plot.label(190, 1000, title);
    plot.literal(";SI 0.16 0.24;SP 4");
    plot.label(plot.width - 800, 100, "umbrix");
    if (s.showShadowPath)
        plot.label(190, 140, std::string(LabelRow(lang, LabelId::ShadowPathOn)) + s.shadowDateCaption);
    const int r = kLegendRowPitch;
    plot.label(190, 3 * r, entry(ResourceId::Longitude, FormatFixed(6, 2, p.longitude), true));
    plot.label(190, 2 * r, entry(ResourceId::Latitude, FormatFixed(6, 2, p.latitude), true));
    plot.label(190, r, entry(ResourceId::ZoneMeridian, FormatFixed(6, 2, p.zoneMeridian), true));
    plot.label(3900, 3 * r, entry(ResourceId::CalculationYear, std::to_string(p.year), false));
    plot.label(3900, 2 * r, entry(ResourceId::SemiMajorAxis, FormatFixed(5, 2, p.semiMajorAxis), true));
    plot.label(3900, r,
               p.showZoneTime ? res(ResourceId::ApparentTimeOnZoneMeridian)
                              : FirstChars(res(ResourceId::ApparentTimeOnZoneMeridian), kApparentTimeChars));
    plot.label(9500, 3 * r, entry(ResourceId::GnomonInclination, FormatFixed(6, 2, p.gnomonInclination), false));
    plot.label(9500, 2 * r, entry(ResourceId::GnomonDeviation, FormatFixed(6, 2, p.gnomonDeviation), false));
    if (s.showShadowPath)
        plot.label(9500, r, entry(ResourceId::GnomonHeight, FormatFixed(5, 2, p.gnomonHeight), false));
    plot.label(13000, 3 * r, entry(ResourceId::PlaneInclination, FormatFixed(5, 2, p.planeInclination), true));
    plot.label(13000, 2 * r, entry(ResourceId::PlaneDeviation, FormatFixed(5, 2, p.planeDeviation), true));
    if (p.type() == DialType::FixedGnomon)
        plot.label(13000, r, entry(ResourceId::DistanceToZ, FormatFixed(5, 1, p.distanceZ), true));
}

} // namespace umbrix::plot
