#include "export/hpgl_writer.h"

#include "core/ephemeris.h"
#include "core/gnomon.h"
#include "core/hour_marks.h"
#include "core/numeric.h"
#include "core/shadow_path.h"
#include "export/hpgl_plot.h"
#include "graphics/construction.h"
#include "text/texts.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

namespace umbrix {

namespace {

constexpr double kLabelCharWidth = 48;  // plotter units of a ";SI 0.12 0.18" character cell (1.2 mm)
constexpr double kLabelCharHeight = 72; // 1.8 mm
constexpr double kNoShadowLimit = 7770; // |x| at or beyond this: the sample casts no shadow
constexpr double kWholeHourTolerance = 0.05;
constexpr int kLegendRowPitch = 400;
constexpr double kPlotterReach = 30000; // no primitive farther than this from the centre can be in the window

/// The first `count` characters (not bytes) of a UTF-8 text.
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

bool IsWholeHour(double hours)
{
    return std::abs(hours - std::round(hours)) < kWholeHourTolerance;
}

/// Everything one export needs besides the plot: the model, its texts, the centres of a split dial.
struct PlotContext {
    const Model& model;
    Host& host;
    HpglPlot& plot;
    bool split = false;
    long long leftCentreX = 0;
    long long rightCentreX = 0;

    const DialParameters& p() const { return model.params; }
    const LanguageState& lang() const { return model.state.language; }
    double zoneShiftDeg() const { return p().showZoneTime ? p().zoneMeridian - p().longitude : 0.0; }
    double hourAngle(double clockHours) const { return (clockHours - 12) * 15 + zoneShiftDeg(); }
};

/// Number of hour curves: one ellipse, or one per date line of the fixed-gnomon dial.
int CurveCount(const DialParameters& p)
{
    if (p.type() != DialType::FixedGnomon)
        return 1;
    return p.marksPerMonth >= 1 && p.marksPerMonth <= 3 ? 6 * p.marksPerMonth + 1 : 19;
}

/// A point of hour curve n (1-based) at the hour angle hDeg.
DialPoint CurvePoint(const PlotContext& c, int n, double hDeg)
{
    const DialParameters& p = c.p();
    if (p.type() != DialType::FixedGnomon)
        return HourMarkPosition(p, hDeg);
    const int line = std::clamp(n, 1, kFixedDateLines);
    return FixedHourMarkPosition(p, c.model.results.fixedScale[static_cast<std::size_t>(line)],
                                 c.model.results.dateMarks[static_cast<std::size_t>(line)].declination, hDeg);
}

/// Element 1: the axes through a centre, with ticks, scale numbers and the compass letters. The left centre
/// of a split dial (labelled) draws the west half and the scale numbers; the right one the east half.
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

/// Element 2: the rise and set marks of the common dial.
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

/// Width in plotter units of a label in the current scaled character size.
double LabelWidth(const HpglPlot& plot, std::string_view text)
{
    return CharCount(text) * 1.5 * 64 * plot.k;
}

/// Element 3, types 0 to 5 (and 6 with marks on the date line): ticks and month labels of the date scale.
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

/// Element 3 of the mean-time dial: one loop (marks on the analemma) or the two loops of the split dial.
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
    const bool optimised = c.p().doubleAnalemmaMethod >= 2;
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

/// Element 5: the fixed-gnomon dial's sunrise and sunset curves over the 37 zodiac declinations, drawn while
/// they lie within the hour range, and the hour lines from the first to the last date line.
void PlotFixedGnomonFigure(PlotContext& c)
{
    HpglPlot& plot = c.plot;
    const DialParameters& p = c.p();
    const SharedState& s = c.model.state;
    const double tanL = std::tan(p.latitude * degToRad);
    for (int curve = 0; curve < 2; ++curve) {
        plot.literal(curve == 0 ? ";SP 8;" : ";SP 3;");
        const double boundDeg =
            (curve == 0 ? 12 - s.hourFrom : s.hourTo - 12) * 15.0 + (curve == 0 ? 1 : -1) * c.zoneShiftDeg();
        for (int i = 1; i <= 37; ++i) {
            const double decl = s.ZodiacDeclinationTable[static_cast<std::size_t>(i - 1)];
            const double cosArc = -std::tan(decl * degToRad) * tanL;
            if (std::abs(cosArc) > 1)
                break;
            const double arcDeg = std::acos(cosArc) / degToRad;
            if (i > 1 && arcDeg > boundDeg)
                break;
            const DialPoint pt =
                FixedHourMarkPosition(p, ZodiacEllipseAxis(c.model, i), decl, curve == 0 ? -arcDeg : arcDeg);
            if (i == 1)
                plot.moveToDial(pt.x, pt.y);
            else
                plot.drawToDial(pt.x, pt.y);
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

/// Element 6: the hour curves through the whole hours, the split dial switching to its afternoon centre.
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

/// Element 7: the hour marks with their dots, then the labels of the even hours (and the fixed-gnomon
/// dial's symbols at 9 and 15).
void PlotHourMarks(PlotContext& c)
{
    HpglPlot& plot = c.plot;
    const DialParameters& p = c.p();
    const SharedState& s = c.model.state;
    const bool fixed = p.type() == DialType::FixedGnomon;
    const int lph = std::max<int>(p.linesPerHour, 1);
    const int marks = (s.hourTo - s.hourFrom) * lph + 1;
    const int curves = CurveCount(p);
    auto centreFor = [&](double tau) {
        if (c.split)
            plot.cx = tau > 0 ? c.rightCentreX : c.leftCentreX;
    };
    if (!fixed) {
        for (int j = 1; j <= marks; ++j) {
            const double tau = c.hourAngle(s.hourFrom + static_cast<double>(j - 1) / lph);
            const bool full = lph == 1 || j % lph == 1;
            plot.literal(full ? ";SP 2;" : ";SP 1;");
            const DialPoint pt = HourMarkPosition(p, tau);
            centreFor(tau);
            plot.dot(plot.X(pt.x), plot.Y(pt.y), std::round((full ? 35 : 20) * plot.k));
        }
    }
    plot.literal(";SI 0.12 0.18;SP 2");
    const double distance = 1.5 * kLabelCharHeight;
    if (!fixed) {
        const Results& r = c.model.results;
        for (int hour = 4; hour <= 20; ++hour) {
            if (!IsLabelledHour(hour, false))
                continue;
            for (int j = 1; j <= r.hourPointCount && j <= kHourPointSlots; ++j) {
                const HourPoint& hp = r.hourPoints[static_cast<std::size_t>(j)];
                if (std::abs(hp.time - hour) < kWholeHourTolerance) {
                    centreFor(c.hourAngle(hp.time));
                    PlotHourLabel(plot, {hp.x, hp.y}, std::to_string(hour), distance);
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

/// Element 8: the gnomon's direction lines (types 1, 3 and 7).
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

/// Element 9: the fixed gnomon's point Z, its line to the centre and a cross.
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

/// Element 10: the shadow path of the shadow day, its whole-hour dots and the gnomon's position that day.
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

/// Element 12: title, signature and the legend of the parameters.
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

} // namespace

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

    c.split = p.type() == DialType::MeanTime && p.marksMode == 2;
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
        (p.type() == DialType::MeanTime && p.marksMode == 0))
        PlotDateScale(c);
    else if (p.type() == DialType::MeanTime && p.marksMode == 1)
        PlotDateScaleB(c);
    else if (p.type() == DialType::MeanTime && p.marksMode == 2)
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
