// The reading of a dial and the design-error map against an independent computation, the readings where
// the sun does not shine on the face, and the error budget against hand-derived figures.

#include "core/accuracy.h"
#include "core/date_scale.h"
#include "core/derived_geometry.h"
#include "core/driver.h"
#include "core/ephemeris.h"
#include "core/hour_marks.h"
#include "core/input_panel.h"
#include "core/loops.h"
#include "core/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

using namespace umbrix;

namespace {

constexpr double kReadingTolMin = 0.01; // minutes of time: the map against the independent computation

std::unique_ptr<Model> Calculated(int type, const std::function<void(Model&)>& adjust = {})
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    (void)SelectDialType(*m, type);
    if (adjust)
        adjust(*m);
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

// ---- Independent computation: plain vector geometry in the horizon frame (east, north, up), written from
// ---- the description of each dial type; it shares nothing with the product's reading code.

struct V {
    double e = 0, n = 0, u = 0;
};
V operator+(V a, V b)
{
    return {a.e + b.e, a.n + b.n, a.u + b.u};
}
V operator-(V a, V b)
{
    return {a.e - b.e, a.n - b.n, a.u - b.u};
}
V operator*(double k, V a)
{
    return {k * a.e, k * a.n, k * a.u};
}
double Dot(V a, V b)
{
    return a.e * b.e + a.n * b.n + a.u * b.u;
}
V CrossV(V a, V b)
{
    return {a.n * b.u - a.u * b.n, a.u * b.e - a.e * b.u, a.e * b.n - a.n * b.e};
}
double Rad(double deg)
{
    return deg * degToRad;
}
/// Tilts the north and up components by angle (the north axis rises), about the east axis.
V AboutEast(V v, double deg)
{
    return {v.e, v.n * std::cos(Rad(deg)) - v.u * std::sin(Rad(deg)),
            v.n * std::sin(Rad(deg)) + v.u * std::cos(Rad(deg))};
}
/// Turns counter-clockwise seen from above (east towards north) by angle, about the vertical.
V AboutUp(V v, double deg)
{
    return {v.e * std::cos(Rad(deg)) - v.n * std::sin(Rad(deg)), v.e * std::sin(Rad(deg)) + v.n * std::cos(Rad(deg)),
            v.u};
}

/// A dial as a solid: its face (axes and normal) and its gnomon, by the description of its type.
struct Solid {
    V x, y, normal, gnomon;
};

/// Face tilted by ze from level, its normal turned to azimuth P (from south, positive west); gnomon of
/// inclination z from the vertical, leaning towards azimuth D.
Solid SolidOf(const DialParameters& p)
{
    double ze = 0, faceAz = 0, z = 0, gnomonAz = 0;
    bool normalGnomon = false;
    switch (p.type()) {
    case DialType::Horizontal:
    case DialType::HorizontalTiltedGnomon:
    case DialType::FixedGnomon:
        z = p.gnomonInclination;
        gnomonAz = p.gnomonDeviation;
        break;
    case DialType::InclinedPlane:
        ze = p.planeInclination;
        faceAz = p.planeDeviation;
        break;
    case DialType::InclinedPlaneGnomon:
        ze = p.planeInclination;
        z = p.gnomonInclination;
        break;
    case DialType::VerticalSouth:
        ze = 90;
        z = p.gnomonInclination;
        break;
    case DialType::VerticalDeclining:
        ze = 90;
        faceAz = p.planeDeviation;
        normalGnomon = true;
        break;
    case DialType::MeanTime:
        break;
    }
    // Rising the north axis by ze turns the level face's normal to the south; turning by -P brings the south
    // to azimuth P.
    Solid s;
    s.x = AboutUp({1, 0, 0}, -faceAz);
    s.y = AboutUp(AboutEast({0, 1, 0}, ze), -faceAz);
    s.normal = AboutUp(AboutEast({0, 0, 1}, ze), -faceAz);
    s.gnomon = normalGnomon ? s.normal : AboutUp(AboutEast({0, 0, 1}, z), -gnomonAz);
    return s;
}

/// The sun as the program's ephemeris sees it: altitude and azimuth, turned into a unit vector.
V SunVector(double hourAngleDeg, double declDeg, double latDeg)
{
    const HorizontalResult h = HorizontalCoordinates(hourAngleDeg, declDeg, latDeg);
    return {-std::sin(Rad(h.azimuthDeg)) * std::cos(Rad(h.altitudeDeg)),
            -std::cos(Rad(h.azimuthDeg)) * std::cos(Rad(h.altitudeDeg)), std::sin(Rad(h.altitudeDeg))};
}

/// Where the line through point q parallel to the gnomon meets the face (through the centre).
V Along(const Solid& s, V q)
{
    return q - (Dot(q, s.normal) / Dot(s.gnomon, s.normal)) * s.gnomon;
}

/// The reading error of a gnomon with its foot at dial point (fx, fy) for dial time h on day `day` of the
/// dial's year, minutes; none without shadow or crossing. curve(H) gives the 3-D point of the curve's mark of
/// hour angle H.
template <typename Curve>
std::optional<double> IndependentError(const Model& m, const Solid& s, double fx, double fy, double day, double h,
                                       Curve curve)
{
    const DialParameters& p = m.params;
    const double reference = p.showZoneTime ? p.zoneMeridian : p.longitude;
    const bool meanTime = p.type() == DialType::MeanTime;
    // Universal time of the dial time: mean time directly, apparent time by iterating the equation of time.
    double ut = h + reference / 15;
    SunPositionResult sun = SunPosition(p.year, day + (ut - 12) / 24);
    for (int i = 0; i < 6 && !meanTime; ++i) {
        ut = h + reference / 15 - sun.equationOfTimeDeg / 15;
        sun = SunPosition(p.year, day + (ut - 12) / 24);
    }
    const double hourAngle = (ut - 12) * 15 - p.longitude + sun.equationOfTimeDeg;
    const V sv = SunVector(hourAngle, sun.declinationDeg, p.latitude);
    if (sv.u <= 0 || Dot(sv, s.normal) <= 0)
        return std::nullopt;
    // The shadow of the tip of a unit gnomon standing on the foot: the shadow runs from the foot to it.
    const V foot = fx * s.x + fy * s.y;
    const V tip = foot + s.gnomon;
    const V shadowTip = tip - (Dot(tip, s.normal) / Dot(sv, s.normal)) * sv;
    const V dir = shadowTip - foot;
    // Marks of the drawn range whose direction from the foot is the shadow's: sign changes of the side.
    const double zc = reference - p.longitude;
    const auto side = [&](double hDeg) { return Dot(CrossV(dir, curve(hDeg) - foot), s.normal); };
    std::optional<double> best;
    const double from = (m.state.hourFrom - 12) * 15 + zc;
    const double to = (m.state.hourTo - 12) * 15 + zc;
    constexpr double kScanStepDeg = 0.25;
    for (double lo = from; lo < to; lo += kScanStepDeg) {
        double a = lo;
        double b = std::min(lo + kScanStepDeg, to);
        if ((side(a) > 0) == (side(b) > 0))
            continue;
        for (int i = 0; i < 60; ++i) {
            const double mid = (a + b) / 2;
            ((side(a) > 0) == (side(mid) > 0) ? a : b) = mid;
        }
        const double hDeg = (a + b) / 2;
        if (Dot(curve(hDeg) - foot, dir) <= 0)
            continue; // on the sun's side of the foot
        const double read = 12 + (hDeg - zc) / 15;
        if (!best || std::abs(read - h) < std::abs(*best - h))
            best = read;
    }
    if (!best)
        return std::nullopt;
    return (*best - h) * 60;
}

/// Compares every cell of the map with the independent computation. Rows: the marks and their dates as the
/// date scale and the loops define them; type 7 on the day the map gives its date line (tested below).
void ExpectMapAgrees(const Model& m)
{
    const DialParameters& p = m.params;
    const Solid s = SolidOf(p);
    const double a = p.semiMajorAxis;
    const DesignErrorMap map = ComputeDesignErrorMap(p, m.state, m.results);
    const std::vector<AccuracyRow> rows = AccuracyRows(p, m.results);
    const bool split = p.type() == DialType::MeanTime && p.marksMode == 2;
    const std::vector<CalendarDate> dates = CalendarMarkDates(p.marksPerMonth);
    const std::vector<LoopDate> loopDates = LoopDates(p.marksPerMonth);
    ASSERT_EQ(map.cells.size(), rows.size());
    ASSERT_GT(map.count, 100);
    int compared = 0;
    for (std::size_t r = 0; r < map.cells.size(); ++r) {
        const std::size_t slot = r + 1;
        double day = rows[r].dayOfYear;
        if (split)
            day = DayOfYear(p.year, loopDates[r].month, loopDates[r].day);
        else if (p.type() != DialType::FixedGnomon)
            day = DayOfYear(p.year, dates[r].month, dates[r].day);
        for (std::size_t c = 0; c < map.hours.size(); ++c) {
            const double h = map.hours[c];
            const tUmbrixPoint* mark = &m.results.dateMarks[slot];
            if (split)
                mark = h <= 12 ? &CurrentLoops(m).morning->at(slot) : &CurrentLoops(m).afternoon->at(slot);
            std::optional<double> expected;
            if (p.type() == DialType::FixedGnomon) {
                // The date line's ellipse, f (C(H) / a - tan d p) along the gnomon; the gnomon on the centre.
                const double d = mark->declination;
                const double f = FixedGnomonEllipseAxis(p, d);
                const V pole{0, std::cos(Rad(p.latitude)), std::sin(Rad(p.latitude))};
                const auto curve = [&](double hDeg) {
                    const V c3{std::sin(Rad(hDeg)), std::cos(Rad(hDeg)) * std::sin(Rad(p.latitude)),
                               -std::cos(Rad(hDeg)) * std::cos(Rad(p.latitude))};
                    return Along(s, f * (c3 - std::tan(Rad(d)) * pole));
                };
                expected = IndependentError(m, s, 0, 0, day, h, curve);
            } else {
                // The equatorial circle of radius a, projected along the gnomon onto the face.
                const auto curve = [&](double hDeg) {
                    return Along(s, V{a * std::sin(Rad(hDeg)), a * std::cos(Rad(hDeg)) * std::sin(Rad(p.latitude)),
                                      -a * std::cos(Rad(hDeg)) * std::cos(Rad(p.latitude))});
                };
                expected = IndependentError(m, s, mark->x, mark->y, day, h, curve);
            }
            const std::optional<double>& got = map.cells[r][c].minutes;
            ASSERT_EQ(got.has_value(), expected.has_value()) << map.dates[r] << " " << h << " h";
            if (got) {
                EXPECT_NEAR(*got, *expected, kReadingTolMin) << map.dates[r] << " " << h << " h";
                ++compared;
            }
        }
    }
    EXPECT_EQ(compared, map.count);
}

} // namespace

// The five dials of the accuracy figures, each compared cell by cell.
TEST(DesignErrorMap, CommonDialAgreesWithIndependentVectorGeometry)
{
    ExpectMapAgrees(*Calculated(0));
    ExpectMapAgrees(*Calculated(0, [](Model& m) { m.params.showZoneTime = true; }));
}

TEST(DesignErrorMap, InclinedPlaneAndGnomonAgreesWithIndependentVectorGeometry)
{
    ExpectMapAgrees(*Calculated(3, [](Model& m) {
        m.params.planeInclination = 30;
        m.params.gnomonInclination = 10;
    }));
}

TEST(DesignErrorMap, MeanTimeDialAgreesWithIndependentVectorGeometry)
{
    ExpectMapAgrees(*Calculated(6, [](Model& m) { m.params.latitude = 52.5; }));
}

TEST(DesignErrorMap, FixedGnomonAgreesWithIndependentVectorGeometry)
{
    const auto m = Calculated(7, [](Model& m) {
        m.params.gnomonInclination = 20;
        m.params.gnomonDeviation = 15;
    });
    ExpectMapAgrees(*m);
    // Each date line is read on the day whose noon declination is the line's (the solstices' lines, which the
    // sun may just miss, on the solstice).
    const std::vector<AccuracyRow> rows = AccuracyRows(m->params, m->results);
    for (std::size_t r = 1; r + 1 < rows.size(); ++r) {
        const double noonDecl =
            SunPosition(m->params.year, rows[r].dayOfYear + m->params.longitude / 360).declinationDeg;
        EXPECT_NEAR(noonDecl, m->results.dateMarks[r + 1].declination, 1e-6) << rows[r].label;
    }
}

TEST(DesignErrorMap, SplitDialAgreesWithIndependentVectorGeometry)
{
    for (const int method : {0, 1}) {
        ExpectMapAgrees(*Calculated(6, [method](Model& m) {
            m.params.latitude = 52.5;
            m.params.marksMode = 2;
            m.state.doubleAnalemmaActive = true;
            m.params.doubleAnalemmaMethod = static_cast<std::uint8_t>(method);
        }));
    }
}

// The plane and the gnomon of types 2 and 5 come only from their formulas; the independent solid agrees.
TEST(DesignErrorMap, InclinedAndDecliningPlanesAgreeWithIndependentVectorGeometry)
{
    ExpectMapAgrees(*Calculated(2, [](Model& m) {
        m.params.planeInclination = 20;
        m.params.planeDeviation = -30;
    }));
    ExpectMapAgrees(*Calculated(5, [](Model& m) {
        m.params.planeDeviation = 25;
        m.params.gnomonDeviation = 25;
    }));
}

// Every type whose date scale is the projection of the polar axis is exact but for the sun's change of
// declination within the day (and the equinox marks, whose declination is rounded to 0): well under two
// minutes. The mean-time dial is not: its gnomon only moves by the equation of time.
TEST(DesignErrorMap, ExactDialTypesReadWithinTheDeclinationDrift)
{
    for (const int type : {0, 1, 2, 3, 4, 5, 7}) {
        const auto m = Calculated(type);
        const DesignErrorMap map = ComputeDesignErrorMap(m->params, m->state, m->results);
        ASSERT_TRUE(map.maxAbs) << type;
        EXPECT_LT(*map.maxAbs, 1.5) << type;
        EXPECT_LT(*map.meanAbs, 0.2) << type;
    }
    const auto meanTime = Calculated(6);
    EXPECT_GT(*ComputeDesignErrorMap(meanTime->params, meanTime->state, meanTime->results).maxAbs, 5);
}

// At 10 degrees north the date scale reaches beyond the hour ellipse from late April to late August
// (tan d > tan L): the shadow then crosses the ellipse twice and the cell says so; at 52.5 degrees never.
TEST(DesignErrorMap, ShadowCrossingTheEllipseTwiceIsMarked)
{
    for (const double latitude : {10.0, 52.5}) {
        const auto m = Calculated(6, [latitude](Model& m) { m.params.latitude = latitude; });
        const DesignErrorMap map = ComputeDesignErrorMap(m->params, m->state, m->results);
        int ambiguous = 0;
        for (std::size_t r = 0; r < map.cells.size(); ++r) {
            const tUmbrixPoint& mark = m->results.dateMarks[r + 1];
            const bool outside = std::tan(mark.declination * degToRad) > std::tan(latitude * degToRad);
            for (const DesignErrorCell& cell : map.cells[r]) {
                EXPECT_TRUE(!cell.ambiguous || outside) << map.dates[r];
                ambiguous += cell.ambiguous ? 1 : 0;
            }
        }
        EXPECT_EQ(ambiguous, map.ambiguousCount);
        EXPECT_EQ(ambiguous > 50, latitude == 10.0);
    }
}

// Columns are the full hours, rows the marks; cells at night are no-shadow cells without a value.
TEST(DesignErrorMap, LayoutAndNightCells)
{
    const auto m = Calculated(0);
    const DesignErrorMap map = ComputeDesignErrorMap(m->params, m->state, m->results);
    ASSERT_EQ(map.hours.size(), 17u);
    EXPECT_EQ(map.hours.front(), 5);
    EXPECT_EQ(map.hours.back(), 21);
    ASSERT_EQ(map.dates.size(), 36u);
    EXPECT_EQ(map.dates.front(), m->results.dateMarks[1].label);
    ASSERT_TRUE(map.worst);
    EXPECT_DOUBLE_EQ(std::abs(map.worst->minutes), *map.maxAbs);
    EXPECT_EQ(map.cells[0].back().status, ReadingStatus::NoShadow); // 21 December, 21 h
    EXPECT_FALSE(map.cells[0].back().minutes);
}

// A vertical plane facing south-east: in the late afternoon the sun is up but behind the face.
TEST(Reading, NoShadowWhenTheSunIsBehindTheFace)
{
    const auto m = Calculated(5, [](Model& m) {
        m.params.planeDeviation = -45;
        m.params.gnomonDeviation = -45;
    });
    const std::optional<ReadingDial> dial = MakeReadingDial(m->params, m->state);
    ASSERT_TRUE(dial);
    const std::vector<AccuracyRow> rows = AccuracyRows(m->params, m->results);
    const AccuracyRow& june = rows[18]; // 21 June
    const Reading morning = ReadDial(*dial, june.morning, SunAtDialTime(dial->clock, 2015, june.dayOfYear, 8));
    const Reading evening = ReadDial(*dial, june.morning, SunAtDialTime(dial->clock, 2015, june.dayOfYear, 17));
    EXPECT_EQ(morning.status, ReadingStatus::Read);
    EXPECT_GT(evening.sunAltitudeDeg, 20);
    EXPECT_EQ(evening.status, ReadingStatus::NoShadow);
    EXPECT_FALSE(evening.shadowTip);
}

// The dial's clock: apparent noon puts the sun on the meridian; the mean-time dial's noon is off it by the
// equation of time; the dial time of an instant is the time it was made from.
TEST(Reading, DialClocks)
{
    const DialClock apparent{false, -15, -9.59};
    const DialClock localApparent{false, -9.59, -9.59};
    const DialClock mean{true, -9.59, -9.59};
    const double day = DayOfYear(2015, 11, 3);
    EXPECT_NEAR(SunAtDialTime(localApparent, 2015, day, 12).hourAngleDeg, 0, 1e-9);
    EXPECT_NEAR(SunAtDialTime(apparent, 2015, day, 12).hourAngleDeg, -15 + 9.59, 1e-9);
    const SolarInstant meanNoon = SunAtDialTime(mean, 2015, day, 12);
    EXPECT_NEAR(meanNoon.hourAngleDeg, meanNoon.equationOfTimeDeg, 1e-12);
    EXPECT_GT(meanNoon.equationOfTimeDeg * 4, 16); // early November: the sun about 16 minutes ahead
    for (const DialClock& clock : {apparent, mean})
        for (const double h : {0.5, 7.25, 12.0, 19.75})
            EXPECT_NEAR(DialTimeOf(clock, SunAtDialTime(clock, 2015, day, h)), h, 1e-9);
}

// Bad geometry gives empty or null results, never a value that is not a number.
TEST(DesignErrorMap, DegenerateDialsGiveNoNumbersThatAreNotNumbers)
{
    for (const double latitude : {std::numeric_limits<double>::quiet_NaN(), 0.005, 89.9999999}) {
        auto m = Calculated(0);
        m->params.latitude = latitude;
        const DesignErrorMap map = ComputeDesignErrorMap(m->params, m->state, m->results);
        for (const auto& row : map.cells)
            for (const DesignErrorCell& cell : row)
                EXPECT_TRUE(!cell.minutes || std::isfinite(*cell.minutes));
        EXPECT_TRUE(!map.maxAbs || std::isfinite(*map.maxAbs));
        const ErrorBudget budget = ComputeErrorBudget(m->params, m->state, m->results, 1000);
        for (const HourPointBudget& b : budget.hourPoints)
            for (const auto& v : {b.minutesPerMmAlong, b.minutesPerMmAcross, b.minutesPerDegreeTiltNS,
                                  b.minutesPerDegreeTiltEW, b.minutesPerTenthDegreeLatitude})
                EXPECT_TRUE(!v || std::isfinite(*v));
    }
    auto m = Calculated(3, [](Model& m) {
        m.params.planeInclination = 45;
        m.params.gnomonInclination = -45; // the gnomon in the plane
    });
    EXPECT_EQ(ComputeDesignErrorMap(m->params, m->state, m->results).count, 0);
}

// Hand-derived costs on the common dial (a = 2.75 m). Moving the noon mark, or the gnomon, 1 mm east turns the
// reading by 1 mm / a radians of hour angle on every date: 0.0833 min. Moving the noon mark north moves it
// along the noon shadow: nothing. Tilting the gnomon's tip east by 1 degree turns the noon shadow by
// tan(altitude) degrees, which reads as 4 cos(L - d) / cos d minutes, largest at the summer solstice.
TEST(ErrorBudget, CommonDialAgreesWithHandDerivedCosts)
{
    const double perMm = 1.0 / 2750 / degToRad * 4;
    for (const bool centimetres : {false, true}) {
        const auto m = Calculated(0, [centimetres](Model& m) {
            if (centimetres) {
                m.params.semiMajorAxis = 275;
                m.params.gnomonHeight = 170;
            }
        });
        const ErrorBudget budget = ComputeErrorBudget(m->params, m->state, m->results, centimetres ? 10 : 1000);
        const HourPointBudget& noon = budget.hourPoints[14]; // 5:00, 5:30, ... 12:00
        ASSERT_EQ(noon.time, 12);
        EXPECT_NEAR(*noon.minutesPerMmAlong, perMm, 2e-4);
        EXPECT_NEAR(*noon.minutesPerMmAcross, 0, 1e-4);
        EXPECT_NEAR(*noon.minutesPerDegreeTiltNS, 0, 1e-3);
        EXPECT_NEAR(*noon.minutesPerTenthDegreeLatitude, 0, 1e-3);
        double summer = 0;
        for (int s = 1; !m->results.dateMarks[static_cast<std::size_t>(s)].label.empty(); ++s)
            summer = std::max(summer, m->results.dateMarks[static_cast<std::size_t>(s)].declination);
        EXPECT_NEAR(*noon.minutesPerDegreeTiltEW,
                    4 * std::cos(Rad(m->params.latitude - summer)) / std::cos(Rad(summer)), 5e-3);
        for (const DateMarkBudget& mark : budget.dateMarks)
            EXPECT_NEAR(*mark.minutesPerMmEW, perMm, 2e-4) << mark.label;
        ASSERT_TRUE(budget.worst.tiltEW);
        EXPECT_EQ(budget.worst.tiltEW->time, 12);
    }
}

// Without a usable length unit there are no millimetre figures; the angles are still costed.
TEST(ErrorBudget, NoMillimetreFiguresWithoutALengthUnit)
{
    const auto m = Calculated(0);
    const ErrorBudget budget = ComputeErrorBudget(m->params, m->state, m->results, 0);
    ASSERT_FALSE(budget.hourPoints.empty());
    EXPECT_FALSE(budget.hourPoints[14].minutesPerMmAlong);
    EXPECT_TRUE(budget.hourPoints[14].minutesPerDegreeTiltEW);
    EXPECT_FALSE(budget.dateMarks[0].minutesPerMmNS);
    EXPECT_FALSE(budget.worst.ns);
}
