#include "graphics/construction_geometry.h"

#include "core/dst_ring.h"
#include "core/ephemeris.h"
#include "core/gnomon.h"
#include "core/hour_marks.h"
#include "core/length_unit.h"
#include "core/numeric.h"
#include "core/rise_set.h"
#include "core/shadow_path.h"
#include "graphics/construction.h"
#include "graphics/construction_steps.h"
#include "graphics/dial_points.h"
#include "graphics/recording_surface.h"
#include "text/texts.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace umbrix {

namespace {

constexpr std::array<std::string_view, static_cast<std::size_t>(DrawingLayer::Count)> kLayerNames{
    "HOUR_POINTS", "HOUR_LABELS", "HOUR_ELLIPSE", "DATE_SCALE", "DATE_LABELS", "SHADOW_PATH", "LOOPS",
    "RISE_SET",    "LAMBERT",     "AXES",         "GNOMON",     "TEXT",        "DST_HOURS",   "DST_DATES"};

// Sizes as shares of the semi-major axis.
constexpr double kFullHourRadiusShare = 0.008;
constexpr double kPartHourRadiusShare = 0.005;
constexpr double kDateTickShare = 0.04;
constexpr double kLoopDotShare = 0.004;
constexpr double kPathDotShare = 0.006;
constexpr double kMarkerShare = 0.02; // gnomon triangle, Z cross, rise/set circles
constexpr double kMajorTickShare = 0.02;
constexpr double kMinorTickShare = 0.01;
constexpr double kAxisOverhangShare = 0.05;
constexpr double kLabelGapShare = 0.02;
constexpr double kTextWidthPerHeight = 0.6; // estimated advance of a character, for the title block's extent
constexpr double kMinLabelRadius = 0.05;    // dial units: no number for a mark this close to its centre
constexpr double kNoShadowMagnitude = 7770;
constexpr double kWholeHourTolerance = 0.05;
constexpr double kDateLabelPitch = 1.25; // labels on one side of a date scale stand this many heights apart
constexpr double kSplitSwitchDeg = 3; // as on the screen: the halves of a split dial overlap round noon
constexpr int kMaxAxisTicks = 2000;

bool Finite(DialPoint p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

/// Collects elements, dropping every one with a coordinate that is not finite.
struct Builder {
    ConstructionGeometry g;
    double a = 1; // |semi-major axis|, the measure of every size
    double hourLabelShare = kHourLabelShare; // hour numerals: hourLabelSize

    void line(DrawingLayer layer, std::vector<DialPoint> pts, bool closed = false)
    {
        // A polyline is cut where a point is not finite.
        std::vector<DialPoint> run;
        const auto flush = [&] {
            if (run.size() >= 2) {
                for (const DialPoint& p : run)
                    g.dial.add(p);
                g.polylines.push_back({layer, run, closed && run.size() == pts.size()});
            }
            run.clear();
        };
        for (const DialPoint& p : pts) {
            if (Finite(p))
                run.push_back(p);
            else
                flush();
        }
        flush();
    }
    void point(DrawingLayer layer, DialPoint at, double radius)
    {
        if (!Finite(at))
            return;
        g.points.push_back({layer, at, radius});
        g.dial.add({at.x - radius, at.y - radius});
        g.dial.add({at.x + radius, at.y + radius});
    }
    void circle(DrawingLayer layer, DialPoint centre, double radius)
    {
        if (!Finite(centre) || !std::isfinite(radius) || radius <= 0)
            return;
        g.circles.push_back({layer, centre, radius});
        g.dial.add({centre.x - radius, centre.y - radius});
        g.dial.add({centre.x + radius, centre.y + radius});
    }
    void text(DrawingLayer layer, DialPoint at, double height, std::string s, TextAnchor anchor)
    {
        if (!Finite(at) || s.empty())
            return;
        g.texts.push_back({layer, at, height, std::move(s), anchor});
    }
};

/// An hour number outside its mark, on the ray from the mark's centre through it.
void HourLabel(Builder& b, DialPoint mark, DialPoint centre, const std::string& label)
{
    const double dx = mark.x - centre.x;
    const double dy = mark.y - centre.y;
    const double length = std::hypot(dx, dy);
    if (!(length > kMinLabelRadius))
        return;
    const double height = b.hourLabelShare * b.a;
    // The centred numeral clears its mark by the gap: half its height along y, about its half width along x.
    // The centred numeral's box (about 0.6 of its height per digit) clears the mark by the gap along the ray.
    const double halfWidth = 0.3 * height * static_cast<double>(label.size());
    const double halfHeight = 0.5 * height;
    const double ux = std::abs(dx) / length;
    const double uy = std::abs(dy) / length;
    const double toEdge = std::min(ux > 0 ? halfWidth / ux : HUGE_VAL, uy > 0 ? halfHeight / uy : HUGE_VAL);
    const double push = kLabelGapShare * b.a + toEdge;
    b.text(DrawingLayer::HourLabels, {mark.x + dx / length * push, mark.y + dy / length * push}, height, label,
           TextAnchor::Centre);
}

void HourCurves(Builder& b, const Model& m)
{
    const DialParameters& p = m.params;
    const double correction = ZoneCorrectionDeg(p);
    const int tFrom = (m.state.hourFrom - 12) * 15;
    const int tTo = (m.state.hourTo - 12) * 15;
    if (p.type() == DialType::FixedGnomon) {
        for (const DateLineEllipse& line : DateLineEllipses(m)) {
            std::vector<DialPoint> pts;
            for (int t = tFrom; t <= tTo; ++t)
                pts.push_back(HourCurvePoint(m, line.line, t + correction));
            b.line(DrawingLayer::HourEllipse, std::move(pts));
        }
        return;
    }
    const auto piece = [&](int from, int to, DialHalf half) {
        std::vector<DialPoint> pts;
        for (int t = from; t <= to; ++t) {
            const DialPoint pt = HourCurvePoint(m, 0, t + correction);
            pts.push_back({pt.x + HalfCentreX(p, half), pt.y});
        }
        b.line(DrawingLayer::HourEllipse, std::move(pts));
    };
    if (!IsSplitDial(p)) {
        piece(tFrom, tTo, DialHalf::Whole);
        return;
    }
    const int switchDeg = static_cast<int>(std::floor(kSplitSwitchDeg - correction));
    piece(tFrom, std::min(tTo, switchDeg), DialHalf::Morning);
    piece(std::max(tFrom, -switchDeg), tTo, DialHalf::Afternoon);
}

void HourMarks(Builder& b, const Model& m)
{
    const DialParameters& p = m.params;
    const bool fixed = p.type() == DialType::FixedGnomon;
    const int labelledLine = fixed ? (p.distanceZ > 0 ? FixedGnomonCurves(m) : 1) : 0;
    const bool everyHour = !p.hourLabelsScreenRule;
    std::vector<DateLineEllipse> lines = DateLineEllipses(m);
    for (const PlacedHourMark& mark : PlacedHourMarks(m)) {
        const double r = (mark.fullHour ? kFullHourRadiusShare : kPartHourRadiusShare) * b.a;
        b.point(DrawingLayer::HourPoints, mark.at, r);
        const int hour = static_cast<int>(std::lround(mark.clockHours));
        if (!mark.fullHour || !(everyHour || IsLabelledHour(hour)) ||
            std::abs(mark.clockHours - hour) >= kWholeHourTolerance)
            continue;
        if (fixed && (mark.dateLine != labelledLine || hour == 9 || hour == 15))
            continue;
        DialPoint centre{HalfCentreX(p, mark.half), 0};
        if (fixed && mark.dateLine >= 1 && mark.dateLine <= static_cast<int>(lines.size()))
            centre = lines[static_cast<std::size_t>(mark.dateLine - 1)].centre;
        HourLabel(b, mark.at, centre, std::to_string(hour));
    }
}

bool IsMonthStart(const std::string& label)
{
    return label.rfind("01.", 0) == 0;
}

void DateScale(Builder& b, const Model& m)
{
    const DialParameters& p = m.params;
    const std::vector<PlacedDateMark> marks = PlacedDateMarks(m);
    if (marks.empty())
        return;
    const double h = kDateLabelShare * b.a;
    if (p.type() == DialType::MeanTime && p.marksMode == MarksMode::Analemma) {
        // The single analemma: a closed loop, the first half-year's month starts labelled.
        std::vector<DialPoint> pts;
        int labelled = 0;
        for (const PlacedDateMark& mark : marks) {
            pts.push_back(mark.at);
            b.point(DrawingLayer::DateScale, mark.at, kLoopDotShare * b.a);
            if (IsMonthStart(mark.label) && labelled < 6) {
                ++labelled;
                const double x = mark.at.x > 0 ? mark.at.x + h : mark.at.x - h * (1 + kTextWidthPerHeight * 6);
                b.text(DrawingLayer::DateLabels, {x, mark.at.y - h / 2}, h, mark.label, TextAnchor::BaselineLeft);
            }
        }
        b.line(DrawingLayer::DateScale, std::move(pts), true);
        return;
    }
    const std::string summerSolstice = "21." + std::string(m.state.MonthNames[5]);
    double side = kDateTickShare * b.a; // the first half-year's ticks point east, the second's west
    for (const PlacedDateMark& mark : marks) {
        if (mark.label == summerSolstice)
            side = -side;
        b.point(DrawingLayer::DateScale, mark.at, 0);
        b.line(DrawingLayer::DateScale, {mark.at, {mark.at.x - side, mark.at.y}});
        if (IsMonthStart(mark.label)) {
            const double x = side > 0 ? mark.at.x - 1.5 * side - h * kTextWidthPerHeight * 6 : mark.at.x - 1.5 * side;
            b.text(DrawingLayer::DateLabels, {x, mark.at.y - h / 2}, h, mark.label, TextAnchor::BaselineLeft);
        }
    }
    // The date axis: from the first mark through the centre to the reflection of the last one.
    const DialPoint first = marks.front().at;
    const DialPoint last = marks.back().at;
    b.line(DrawingLayer::DateScale, {first, {-last.x, -last.y}});
}

void Loops(Builder& b, const Model& m)
{
    const std::vector<PlacedDateMark> points = PlacedLoopPoints(m);
    const double h = kDateLabelShare * b.a;
    for (const DialHalf half : {DialHalf::Morning, DialHalf::Afternoon}) {
        std::vector<DialPoint> pts;
        for (const PlacedDateMark& point : points) {
            if (point.half != half)
                continue;
            pts.push_back(point.at);
            b.point(DrawingLayer::Loops, point.at, kLoopDotShare * b.a);
            if (IsMonthStart(point.label)) {
                const double centreX = HalfCentreX(m.params, half);
                const double x = point.at.x > centreX ? point.at.x + h : point.at.x - h * (1 + kTextWidthPerHeight * 6);
                b.text(DrawingLayer::DateLabels, {x, point.at.y - h / 2}, h, point.label, TextAnchor::BaselineLeft);
            }
        }
        b.line(DrawingLayer::Loops, std::move(pts), true);
    }
}

/// The summer-time ring: ring 1 a second label beyond every numbered hour, with a tick to it; ring 2 the
/// inner hour ellipse, its points and labels (DST_HOURS) and the inner date scale (DST_DATES), its labels on
/// the side the drawing puts them.
void DstRingGeometry(Builder& b, const Model& m)
{
    const DialParameters& p = m.params;
    if (p.dst.ring == DstRingKind::None)
        return;
    const std::optional<DstRing> ring = ComputeDstRing(p, m.state, m.results, p.dst);
    if (!ring)
        return;
    const double h = b.hourLabelShare * b.a;
    const bool everyHour = !p.hourLabelsScreenRule;
    const auto labelled = [everyHour](double hours) {
        const int hour = static_cast<int>(std::lround(hours));
        return (everyHour || IsLabelledHour(hour)) && std::abs(hours - hour) < kWholeHourTolerance;
    };
    // A tick from the mark outwards and the label at its end, beyond the mark's own number.
    const auto tickAndLabel = [&](DialPoint mark, DialPoint centre, double tick, double labelHours) {
        const double dx = mark.x - centre.x;
        const double dy = mark.y - centre.y;
        const double length = std::hypot(dx, dy);
        if (!(length > kMinLabelRadius))
            return;
        const DialPoint end{mark.x + dx / length * tick, mark.y + dy / length * tick};
        b.line(DrawingLayer::DstHours, {mark, end});
        const double push = kLabelGapShare * b.a + h;
        b.text(DrawingLayer::DstHours, {end.x + dx / length * push, end.y + dy / length * push}, h,
               DstHourLabel(DstLabelHours(labelHours, ring->offsetHours)), TextAnchor::Centre);
    };
    if (ring->ring == DstRingKind::SecondLabels) {
        const bool fixed = p.type() == DialType::FixedGnomon;
        const int labelledLine = fixed ? (p.distanceZ > 0 ? FixedGnomonCurves(m) : 1) : 0;
        const std::vector<DateLineEllipse> lines = DateLineEllipses(m);
        for (const PlacedHourMark& mark : PlacedHourMarks(m)) {
            if (!mark.fullHour || !labelled(mark.clockHours) || (fixed && mark.dateLine != labelledLine))
                continue;
            DialPoint centre{HalfCentreX(p, mark.half), 0};
            if (fixed && mark.dateLine >= 1 && mark.dateLine <= static_cast<int>(lines.size()))
                centre = lines[static_cast<std::size_t>(mark.dateLine - 1)].centre;
            tickAndLabel(mark.at, centre, 2 * (kLabelGapShare * b.a + h), mark.clockHours);
        }
        return;
    }
    const double correction = ZoneCorrectionDeg(p);
    std::vector<DialPoint> curve;
    for (int t = (m.state.hourFrom - 12) * 15; t <= (m.state.hourTo - 12) * 15; ++t) {
        curve.push_back(ScaledHourEllipsePoint(m, ring->scale, t + correction));
    }
    b.line(DrawingLayer::DstHours, std::move(curve));
    const int count = std::clamp(m.results.hourPointCount, 0, kHourPointSlots);
    for (int j = 1; j <= count; ++j) {
        const HourPoint& outer = m.results.hourPoints[static_cast<std::size_t>(j)];
        const DialPoint at{ring->scale * outer.x, ring->scale * outer.y};
        const bool numbered = labelled(outer.time);
        b.point(DrawingLayer::DstHours, at, (numbered ? kFullHourRadiusShare : kPartHourRadiusShare) * b.a);
        if (numbered)
            tickAndLabel(at, {0, 0}, kLabelGapShare * b.a, outer.time);
    }
    const double dateH = kDateLabelShare * b.a;
    const double side = kDateTickShare * b.a;
    std::vector<double> westLabels; // baselines of the labels placed on each side
    std::vector<double> eastLabels;
    for (std::size_t i = 0; i < ring->dateMarks.size() && i < ring->dateMarkDates.size(); ++i) {
        const tUmbrixPoint& mark = ring->dateMarks[i];
        const DayMonth date = ring->dateMarkDates[i];
        const bool outerWest = date.month < 6 || (date.month == 6 && date.day < 21);
        const bool west = ring->labelsOpposite ? !outerWest : outerWest;
        const DialPoint at{mark.x, mark.y};
        b.point(DrawingLayer::DstDates, at, 0);
        b.line(DrawingLayer::DstDates, {at, {at.x + (west ? -side : side), at.y}});
        if (i != 0 && i + 1 != ring->dateMarks.size() && !IsMonthStart(mark.label))
            continue;
        // Beyond the outer scale's labels, as on the drawing, with a leader back to the tick; a label that
        // would overprint one placed before it on its side moves along y until it is clear.
        const std::string label = TrimmedLabel(mark.label);
        const double width = dateH * kTextWidthPerHeight * static_cast<double>(label.size());
        const double x = west ? at.x - 5 * side - width : at.x + 5 * side;
        double y = at.y - dateH / 2;
        std::vector<double>& taken = west ? westLabels : eastLabels;
        // Always downwards, so that the search ends: each move passes one label placed before.
        for (bool moved = true; moved;) {
            moved = false;
            for (const double other : taken)
                if (std::abs(other - y) < kDateLabelPitch * dateH) {
                    y = other - kDateLabelPitch * dateH;
                    moved = true;
                }
        }
        taken.push_back(y);
        const double tickEnd = at.x + (west ? -side : side);
        const double labelEdge = west ? x + width + dateH / 4 : x - dateH / 4;
        b.line(DrawingLayer::DstDates, {{tickEnd, at.y}, {labelEdge, y + dateH / 2}});
        b.text(DrawingLayer::DstDates, {x, y}, dateH, label, TextAnchor::BaselineLeft);
    }
}

void GnomonAndZ(Builder& b, const Model& m)
{
    const DialParameters& p = m.params;
    if (p.type() == DialType::HorizontalTiltedGnomon || p.type() == DialType::InclinedPlaneGnomon ||
        p.type() == DialType::FixedGnomon) {
        const GnomonLines lines = GnomonDirectionLines(m);
        b.line(DrawingLayer::Gnomon, {lines.foot, {-lines.foot.x, -lines.foot.y}});
        b.line(DrawingLayer::Gnomon, {lines.tip, {0, 0}});
    }
    if (p.type() != DialType::FixedGnomon)
        return;
    if (const std::optional<DialPoint> z = FixedGnomonPointZ(m)) {
        const double c = kMarkerShare * b.a;
        b.line(DrawingLayer::Gnomon, {*z, {0, 0}});
        b.line(DrawingLayer::Gnomon, {{z->x - c, z->y}, {z->x + c, z->y}});
        b.line(DrawingLayer::Gnomon, {{z->x, z->y - c}, {z->x, z->y + c}});
        b.point(DrawingLayer::Gnomon, *z, 0);
        b.text(DrawingLayer::Gnomon, {z->x + c, z->y - c}, kHourLabelShare * b.a, "Z", TextAnchor::BaselineLeft);
    }
}

/// The fixed-gnomon dial's figure: sunrise and sunset over the year, the first and last hour's lines, and
/// the hour lines from the first to the last date line.
void FixedGnomonFigure(Builder& b, const Model& m)
{
    const DialParameters& p = m.params;
    if (p.type() != DialType::FixedGnomon)
        return;
    for (FixedGnomonRiseSetRun& run : FixedGnomonRiseSetRuns(m))
        b.line(DrawingLayer::RiseSet, std::move(run.points));
    std::vector<std::vector<DialPoint>> byMark;
    for (const PlacedHourMark& mark : PlacedHourMarks(m)) {
        const std::size_t j =
            static_cast<std::size_t>(std::lround((mark.clockHours - m.state.hourFrom) * LinesPerHourOf(p)));
        if (byMark.size() <= j)
            byMark.resize(j + 1);
        byMark[j].push_back(mark.at);
    }
    for (const std::vector<DialPoint>& marks : byMark)
        if (marks.size() >= 2)
            b.line(DrawingLayer::HourEllipse, {marks.front(), marks.back()});
}

void RiseSetAndLambert(Builder& b, const Model& m)
{
    const DialParameters& p = m.params;
    const bool withMarks =
        p.type() == DialType::Horizontal || (p.type() == DialType::MeanTime && p.marksMode == MarksMode::DateScale);
    if (!withMarks || !m.state.markRiseSet || !m.results.riseSetPointReal)
        return;
    const double xMark = m.results.riseSetPoint.x;
    for (int k = 0; k <= 1; ++k) {
        const DialPoint at{(2 * k - 1) * xMark, 0};
        b.circle(DrawingLayer::RiseSet, at, kMarkerShare * b.a / 2);
        b.point(DrawingLayer::RiseSet, at, 0);
        b.text(DrawingLayer::RiseSet, {at.x, at.y - 2 * kDateLabelShare * b.a}, kDateLabelShare * b.a,
               std::string(TextRow(m.state.language, TextId::RiseMark, k)), TextAnchor::Centre);
    }
    if (p.type() != DialType::Horizontal)
        return;
    const LambertCircleResult circle = ShadowDayLambertCircle(m);
    if (!circle.valid)
        return;
    if (p.showLambertCircle)
        b.circle(DrawingLayer::Lambert, {0, circle.c - circle.radius}, circle.radius);
    const double k = 1.05 * m.params.semiMajorAxis / xMark;
    const double endY = circle.c - circle.c * k;
    b.line(DrawingLayer::RiseSet, {{xMark * k, endY}, {0, circle.c}, {-xMark * k, endY}});
}

void ShadowPath(Builder& b, const Model& m)
{
    const DialParameters& p = m.params;
    if (!m.state.showShadowPath || !HasShadowPath(p))
        return;
    const bool split = IsSplitDial(p);
    const ShadowPathTable& path = m.results.shadowPath;
    const int count = std::clamp(m.results.shadowPathCount, 0, kShadowPathSlots);
    // Near sunrise and sunset the shadow's tip runs far beyond the dial: the path is kept within the dial's
    // extent (grown a little), as a drawing of the dial shows it.
    Extent keep = b.g.dial;
    const double grow = kAxisOverhangShare * b.a;
    keep.add({keep.min.x - grow, keep.min.y - grow});
    keep.add({keep.max.x + grow, keep.max.y + grow});
    std::vector<DialPoint> run;
    bool afternoon = false;
    for (int k = 1; k <= count; ++k) {
        const ShadowPoint& row = path[static_cast<std::size_t>(k)];
        const bool present = row.t >= 0 && std::abs(row.x) < kNoShadowMagnitude && std::isfinite(row.y) &&
                             row.x >= keep.min.x && row.x <= keep.max.x && row.y >= keep.min.y && row.y <= keep.max.y;
        if (!present) {
            b.line(DrawingLayer::ShadowPath, std::exchange(run, {}));
            continue;
        }
        if (split && !afternoon && row.x >= 0) {
            afternoon = true;
            b.line(DrawingLayer::ShadowPath, std::exchange(run, {}));
        }
        const DialHalf half = !split ? DialHalf::Whole : (afternoon ? DialHalf::Afternoon : DialHalf::Morning);
        const DialPoint at{row.x + HalfCentreX(p, half), row.y};
        run.push_back(at);
        if (std::abs(row.t - std::round(row.t)) < kWholeHourTolerance)
            b.circle(DrawingLayer::ShadowPath, at, kPathDotShare * b.a);
    }
    b.line(DrawingLayer::ShadowPath, std::move(run));
}

void GnomonPosition(Builder& b, const Model& m)
{
    const DialParameters& p = m.params;
    if (p.type() == DialType::FixedGnomon)
        return;
    if (!m.state.showShadowPath && !(p.type() == DialType::Horizontal && m.state.markRiseSet))
        return;
    const DialPoint g = ShadowDayGnomonPosition(m);
    const double r = kMarkerShare * b.a;
    const std::vector<DialHalf> halves =
        IsSplitDial(p) ? std::vector{DialHalf::Morning, DialHalf::Afternoon} : std::vector{DialHalf::Whole};
    for (const DialHalf half : halves) {
        const double x = g.x + HalfCentreX(p, half);
        b.line(DrawingLayer::ShadowPath, {{x, g.y}, {x + r, g.y + r}, {x - r, g.y + r}}, true);
    }
}

/// The two axes through each centre, across the dial, with ticks at the drawing's grid step.
void Axes(Builder& b, const Model& m)
{
    if (b.g.dial.empty)
        return;
    const DialParameters& p = m.params;
    const Extent reach = b.g.dial;
    const double over = kAxisOverhangShare * b.a;
    const double step = ComputeDrawingScale(p, m.derived, 1, 1).gridStep;
    const std::vector<DialHalf> halves =
        IsSplitDial(p) ? std::vector{DialHalf::Morning, DialHalf::Afternoon} : std::vector{DialHalf::Whole};
    for (const DialHalf half : halves) {
        const double cx = HalfCentreX(p, half);
        b.line(DrawingLayer::Axes, {{reach.min.x - over, 0}, {reach.max.x + over, 0}});
        b.line(DrawingLayer::Axes, {{cx, reach.min.y - over}, {cx, reach.max.y + over}});
        if (!(step > 0) || !std::isfinite(step))
            continue;
        for (int i = 1; i <= kMaxAxisTicks; ++i) {
            const double d = i * step;
            const double t = (i % 5 == 0 ? kMajorTickShare : kMinorTickShare) * b.a;
            bool any = false;
            for (const double x : {cx - d, cx + d}) {
                if (x >= reach.min.x && x <= reach.max.x) {
                    b.line(DrawingLayer::Axes, {{x, 0}, {x, t}});
                    any = true;
                }
            }
            for (const double y : {-d, d}) {
                if (y >= reach.min.y && y <= reach.max.y) {
                    b.line(DrawingLayer::Axes, {{cx, y}, {cx + t, y}});
                    any = true;
                }
            }
            if (!any)
                break;
        }
    }
}

/// Title and the site's figures below the dial.
void TitleBlock(Builder& b, const Model& m)
{
    const DialParameters& p = m.params;
    const LanguageState& lang = m.state.language;
    std::string title = m.state.dialTitle;
    if (p.type() != DialType::MeanTime && p.type() != DialType::FixedGnomon)
        title += ", " + std::string(LabelRow(lang, LabelId::AnalemmaticSundial));
    const std::string legend =
        ResourceTextPlain(lang, ResourceId::Latitude) + " = " + FormatDecimals(p.latitude, 2) + "; " +
        ResourceTextPlain(lang, ResourceId::Longitude) + " = " + FormatDecimals(p.longitude, 2) + "; " +
        ResourceTextPlain(lang, ResourceId::ZoneMeridian) + " = " + FormatDecimals(p.zoneMeridian, 2);
    const double left = b.g.dial.empty ? 0 : b.g.dial.min.x;
    double y = (b.g.dial.empty ? 0 : b.g.dial.min.y) - 2 * kTitleShare * b.a;
    b.text(DrawingLayer::Text, {left, y}, kTitleShare * b.a, title, TextAnchor::BaselineLeft);
    y -= 2 * kLegendShare * b.a;
    b.text(DrawingLayer::Text, {left, y}, kLegendShare * b.a, legend, TextAnchor::BaselineLeft);
}

} // namespace

std::string_view LayerName(DrawingLayer layer)
{
    const std::size_t i = static_cast<std::size_t>(layer);
    return i < kLayerNames.size() ? kLayerNames[i] : std::string_view();
}

std::array<DrawingLayer, static_cast<std::size_t>(DrawingLayer::Count)> AllLayers()
{
    std::array<DrawingLayer, static_cast<std::size_t>(DrawingLayer::Count)> layers{};
    for (std::size_t i = 0; i < layers.size(); ++i)
        layers[i] = static_cast<DrawingLayer>(i);
    return layers;
}

ConstructionGeometry BuildConstructionGeometry(const Model& model)
{
    Builder b;
    const double a = std::abs(model.params.semiMajorAxis);
    b.a = std::isfinite(a) && a > 0 ? a : 1;
    b.hourLabelShare = model.params.hourLabelSize;
    HourCurves(b, model);
    FixedGnomonFigure(b, model);
    HourMarks(b, model);
    DateScale(b, model);
    Loops(b, model);
    DstRingGeometry(b, model);
    GnomonAndZ(b, model);
    RiseSetAndLambert(b, model);
    ShadowPath(b, model);
    GnomonPosition(b, model);
    Axes(b, model);
    for (const GeometryText& t : b.g.texts) {
        b.g.dial.add({t.at.x - t.height, t.at.y - t.height});
        b.g.dial.add({t.at.x + t.height, t.at.y + t.height});
    }
    const std::size_t dialTexts = b.g.texts.size();
    TitleBlock(b, model);
    b.g.whole = b.g.dial;
    for (std::size_t i = dialTexts; i < b.g.texts.size(); ++i) {
        const GeometryText& t = b.g.texts[i];
        b.g.whole.add({t.at.x, t.at.y - 0.3 * t.height});
        b.g.whole.add({t.at.x + kTextWidthPerHeight * t.height * CodePointCount(t.text), t.at.y + t.height});
    }
    return b.g;
}

} // namespace umbrix
