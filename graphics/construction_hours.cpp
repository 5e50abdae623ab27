// The hours: the hour ellipse (types 0 to 6) or the hour curves of the fixed-gnomon dial with its figure
// and the point Z, the gnomon direction lines, the hour points with their numbers and the hour lines of
// the fixed-gnomon dial.

#include "core/ephemeris.h"
#include "core/gnomon.h"
#include "core/hour_marks.h"
#include "core/numeric.h"
#include "graphics/construction_steps.h"
#include "graphics/dial_points.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace umbrix {

namespace {

constexpr double kSplitSwitchDeg = 3; // the hour curve of a split dial changes halves past this hour angle
constexpr int kSplitOverlapDeg = 6;   // and steps back this far, so the halves overlap round noon
constexpr double kLabelHourTolerance = 0.05;
constexpr double kMinLabelRadius = 0.05; // dial units: no number for a mark this close to the centre
constexpr int kZodiacLines = 37;

/// Sun's half day arc for a declination, degrees; 180 when it does not set, -1 when it does not rise, so
/// that a polar night's date line lies outside every hour.
double HalfDayArcDeg(double latitudeDeg, double declDeg)
{
    const SunsetAngle sunset = SunsetHourAngle(latitudeDeg, declDeg);
    return sunset.day == SunDay::PolarNight ? -1 : sunset.hourAngleDeg;
}

/// An hour number (or the zodiac sign of the fixed-gnomon dial) pushed outwards along the ray from the
/// centre through the mark at model point (x, y), pixel point (px, py).
void WriteHourLabel(DrawContext& c, double x, double y, double px, double py, double distance, const std::string& label)
{
    const double length = std::hypot(x, y);
    if (!(length > kMinLabelRadius))
        return;
    Surface& s = c.surface();
    const int hy = y > 0 ? s.font.height : 0;
    const double push = x >= 0 ? distance : distance + 2 * s.TextWidth(label);
    c.canvas.TextOut(px + RoundPx(x / length * push), py - hy - RoundPx(y / length * push), label);
}

} // namespace

bool IsLabelledHour(int hour)
{
    switch (hour) {
    case 4:
    case 6:
    case 8:
    case 9:
    case 10:
    case 12:
    case 14:
    case 15:
    case 16:
    case 18:
    case 20:
        return true;
    default:
        return false;
    }
}

void DrawHourCurve(DrawContext& c)
{
    const Model& m = c.model;
    const DialParameters& p = m.params;
    Surface& s = c.surface();
    GuardedSurface& g = c.canvas;
    s.pen.colour = kNavy;
    c.originX = c.split ? c.leftCentreX : c.centreX;
    const HourPoint& first = m.results.hourPoints[1];
    g.MoveTo(c.mapX(first.x), c.mapY(first.y));
    const int tFrom = (m.state.hourFrom - 12) * 15;
    const int tTo = (m.state.hourTo - 12) * 15;
    const double correction = ZoneCorrectionDeg(p);
    bool move = true;
    bool switched = false;
    for (int t = tFrom; t <= tTo; ++t) {
        double tauDeg = t + correction;
        if (c.split && !switched && tauDeg > kSplitSwitchDeg) {
            switched = true;
            c.originX = c.rightCentreX;
            t -= kSplitOverlapDeg;
            tauDeg = t + correction;
            move = true;
        }
        const DialPoint pt = HourCurvePoint(m, 0, tauDeg);
        if (move)
            g.MoveTo(c.mapX(pt.x), c.mapY(pt.y));
        else
            g.LineTo(c.mapX(pt.x), c.mapY(pt.y));
        move = false;
    }
    c.originX = c.centreX;
}

void DrawFixedGnomonCurves(DrawContext& c)
{
    const Model& m = c.model;
    const DialParameters& p = m.params;
    Surface& s = c.surface();
    GuardedSurface& g = c.canvas;
    const int curves = std::min(FixedGnomonCurveCount(p.marksPerMonth), m.results.fixedDateLineCount);
    const double correction = ZoneCorrectionDeg(p);
    const int tFrom = (m.state.hourFrom - 12) * 15;
    const int tTo = (m.state.hourTo - 12) * 15;

    c.state.fixedGnomonCurves.clear();
    c.state.fixedGnomonLargestAxis = 0;
    for (int i = 1; i <= curves; ++i) {
        FixedGnomonCurve curve;
        curve.declination = m.results.dateMarks[static_cast<std::size_t>(i)].declination;
        curve.scale = m.results.fixedScale[static_cast<std::size_t>(i)];
        s.pen.width = 1;
        s.pen.colour = kBlack;
        if (i == curves) {
            s.pen.colour = kRed;
        } else if (i == curves / 2 + 1) {
            s.pen.colour = kGreen;
            s.pen.width = c.bySize(2, 4);
        }
        for (int t = tFrom; t <= tTo; ++t) {
            const DialPoint pt = HourCurvePoint(m, i, t + correction);
            curve.points.push_back(pt);
            if (t == tFrom)
                g.MoveTo(c.mapX(pt.x), c.mapY(pt.y));
            else
                g.LineTo(c.mapX(pt.x), c.mapY(pt.y));
        }
        c.state.fixedGnomonLargestAxis = std::max(c.state.fixedGnomonLargestAxis, std::abs(curve.scale));
        c.state.fixedGnomonCurves.push_back(std::move(curve));
    }

    // The figure of the fixed gnomon over the whole year (the 37 zodiac date lines): in teal the points
    // where the sun rises and sets on each date line, as far as they fall within the hour range; in red
    // the boundary lines of that range, the first and the last hour on every date line while the sun is up.
    s.pen = {kTeal, 3};
    for (const FixedGnomonRiseSetRun& run : FixedGnomonRiseSetRuns(m)) {
        g.MoveTo(c.mapX(run.points.front().x), c.mapY(run.points.front().y));
        for (std::size_t k = 1; k < run.points.size(); ++k)
            g.LineTo(c.mapX(run.points[k].x), c.mapY(run.points[k].y));
    }
    s.pen = {kRed, 1};
    for (const int hour : {static_cast<int>(m.state.hourFrom), static_cast<int>(m.state.hourTo)}) {
        const double tauDeg = (hour - 12) * 15.0 + correction;
        bool move = true;
        for (int i = 1; i <= kZodiacLines; ++i) {
            const double decl = m.state.ZodiacDeclinationTable[static_cast<std::size_t>(i - 1)];
            if (HalfDayArcDeg(p.latitude, decl) < std::abs(tauDeg)) {
                move = true;
                continue;
            }
            const DialPoint pt = ZodiacCurvePoint(m, i, tauDeg);
            if (move)
                g.MoveTo(c.mapX(pt.x), c.mapY(pt.y));
            else
                g.LineTo(c.mapX(pt.x), c.mapY(pt.y));
            move = false;
        }
    }

    // The point Z, where the gnomon stands: distanceZ from the centre, on the line of the first date mark.
    if (const std::optional<DialPoint> z = FixedGnomonPointZ(m)) {
        const double zx = c.mapX(z->x);
        const double zy = c.mapY(z->y);
        const int cross = c.bySize(10, 16);
        g.MoveTo(zx, zy - cross);
        g.LineTo(zx, zy + cross);
        g.MoveTo(zx - cross, zy);
        g.LineTo(zx + cross, zy);
        const FontState font = s.font;
        s.font.colour = kRed;
        s.font.style = FontStyle::Regular;
        s.font.height = c.bySize(14, 32);
        g.TextOut(zx + cross, zy + cross / 2, "Z");
        s.font = font;
    }
    s.pen.colour = kBlack;
}

void DrawGnomonLines(DrawContext& c)
{
    const DialParameters& p = c.model.params;
    if (p.type() != DialType::HorizontalTiltedGnomon && p.type() != DialType::InclinedPlaneGnomon &&
        p.type() != DialType::FixedGnomon)
        return;
    Surface& s = c.surface();
    GuardedSurface& g = c.canvas;
    const GnomonLines lines = GnomonDirectionLines(c.model);
    DrawingState& st = c.state;
    st.gnomonLineLength = lines.length;
    st.gnomonFootPoint = lines.foot;
    st.gnomonTipPoint = lines.tip;
    s.pen = {kBlack, 2};
    const double fx = RoundPx(st.gnomonFootPoint.x * c.S);
    const double fy = RoundPx(st.gnomonFootPoint.y * c.S);
    g.MoveTo(c.originX + fx, c.originY - fy);
    g.LineTo(c.originX - fx, c.originY + fy);
    s.pen.colour = kBlue;
    g.MoveTo(c.mapX(st.gnomonTipPoint.x), c.mapY(st.gnomonTipPoint.y));
    g.LineTo(c.originX, c.originY);
}

void DrawHourPoints(DrawContext& c)
{
    const Model& m = c.model;
    const DialParameters& p = m.params;
    Surface& s = c.surface();
    GuardedSurface& g = c.canvas;
    const int lph = LinesPerHourOf(p);
    const int marks = HourMarkCount(m);
    const int fullR = c.bySize(3, 4);
    const int partR = 2;
    double distance = c.screen() ? 3 * c.tickLength : 20;
    const bool fixedGnomon = p.type() == DialType::FixedGnomon;
    s.font.height = c.bySize(16, 36);
    const bool maker = !c.screen() && c.options.makerHourLabels.has_value();
    const bool everyHour = maker && c.options.makerHourLabels->everyHour;
    if (maker) {
        s.font.height =
            std::max(1, static_cast<int>(std::lround(c.options.makerHourLabels->share * c.a() * c.S)));
        distance = std::max(distance, 0.5 * s.font.height);
    }
    const auto numbered = [everyHour](int hour) { return everyHour || IsLabelledHour(hour); };

    // Which curves carry marks: one pass for types 0 to 6, every hour curve for type 7 (numbered on one).
    const int passes = fixedGnomon ? static_cast<int>(c.state.fixedGnomonCurves.size()) : 1;
    const std::vector<PlacedHourMark> placed = c.split ? PlacedHourMarks(m) : std::vector<PlacedHourMark>{};
    const int labelledPass = fixedGnomon ? (p.distanceZ > 0 ? passes - 1 : 0) : 0;
    for (int pass = 0; pass < passes; ++pass) {
        FixedGnomonCurve* curve = fixedGnomon ? &c.state.fixedGnomonCurves[static_cast<std::size_t>(pass)] : nullptr;
        if (curve)
            curve->hourMarks.assign(static_cast<std::size_t>(marks), DialPoint{});
        c.originX = c.split ? c.leftCentreX : c.centreX;
        bool switched = false;
        for (int j = 1; j <= marks; ++j) {
            const bool full = IsFullHourMark(j, lph);
            s.brush = {full ? kRed : kGreen, BrushStyle::Solid};
            if (full)
                s.font.colour = kRed;
            DialPoint pt;
            double hourValue = 0;
            if (curve) {
                pt = HourCurvePoint(m, pass + 1, MarkHourAngleDeg(m, j));
                curve->hourMarks[static_cast<std::size_t>(j - 1)] = pt;
                hourValue = m.state.hourFrom + (j - 1) / static_cast<double>(lph);
            } else {
                const HourPoint& row = m.results.hourPoints[static_cast<std::size_t>(j)];
                pt = {row.x, row.y};
                hourValue = row.time;
            }
            const double px = c.mapX(pt.x);
            const double py = c.mapY(pt.y);
            // Split dial: a mark belongs to the afternoon half from the first hour angle past noon (in either
            // hemisphere, whatever the zone correction); the first one is not drawn on the morning half when
            // it lies a / 20 or more from the morning centre.
            const bool afternoon = c.split && (j - 1) < static_cast<int>(placed.size()) &&
                                   placed[static_cast<std::size_t>(j - 1)].half == DialHalf::Afternoon;
            const bool skip = afternoon && !switched && std::abs(px - c.leftCentreX) >= c.a() / 20 * c.S;
            const int r = full ? fullR : partR;
            if (!skip && !fixedGnomon)
                g.Ellipse(px - r, py - r, px + r, py + r);
            const int hour = m.state.hourFrom + (j - 1) / lph;
            if (!skip && full && pass == labelledPass && numbered(hour) &&
                std::abs(hourValue - hour) < kLabelHourTolerance) {
                s.brush = {kWhite, BrushStyle::Solid};
                if (fixedGnomon && (hour == 9 || hour == 15)) {
                    const FontState font = s.font;
                    s.font.name = std::string(kFontZodiac);
                    s.font.height = c.bySize(36, 48);
                    s.font.colour = kBlack;
                    WriteHourLabel(c, pt.x, pt.y, px, py, 2 * distance, p.distanceZ >= 0 ? "\u264B" : "\u2651");
                    s.font.name = font.name;
                    s.font.height = font.height;
                } else {
                    WriteHourLabel(c, pt.x, pt.y, px, py, distance, std::to_string(hour));
                }
            }
            if (afternoon && !switched) {
                switched = true;
                const double shift = c.rightCentreX - c.leftCentreX;
                s.brush = {full ? kRed : kGreen, BrushStyle::Solid};
                g.Ellipse(px - r + shift, py - r, px + r + shift, py + r);
                c.originX = c.rightCentreX;
                j -= 2; // the loop's step resumes one mark earlier, round the afternoon centre
            }
        }
    }
    c.originX = c.centreX;
    s.brush = {kWhite, BrushStyle::Solid};
}

void DrawFixedGnomonHourLines(DrawContext& c)
{
    const Model& m = c.model;
    if (m.params.type() != DialType::FixedGnomon || c.state.fixedGnomonCurves.empty())
        return;
    Surface& s = c.surface();
    GuardedSurface& g = c.canvas;
    const auto& firstCurve = c.state.fixedGnomonCurves.front().hourMarks;
    const auto& lastCurve = c.state.fixedGnomonCurves.back().hourMarks;
    const int lph = LinesPerHourOf(m.params);
    const std::size_t marks = std::min(firstCurve.size(), lastCurve.size());
    for (std::size_t j = 0; j < marks; ++j) {
        s.pen = {IsFullHourMark(static_cast<int>(j) + 1, lph) ? kRed : kNavy, 1};
        g.MoveTo(c.mapX(firstCurve[j].x), c.mapY(firstCurve[j].y));
        g.LineTo(c.mapX(lastCurve[j].x), c.mapY(lastCurve[j].y));
    }
}

} // namespace umbrix
