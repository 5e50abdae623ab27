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
#include "tests/core/calculated_dial.h"
#include "tests/core/independent_dial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

using namespace umbrix;
using namespace umbrix::independent;

namespace {

constexpr double kReadingTolMin = 0.01; // minutes of time: the map against the independent computation

std::unique_ptr<Model> Calculated(int type, const std::function<void(Model&)>& adjust = {})
{
    return CalculatedDial(type, adjust);
}

/// The reading error of a gnomon with its foot at dial point (fx, fy) for dial time h on day `day` of the
/// dial's year, minutes, by the independent computation; none without shadow or crossing. curve(H) gives the
/// 3-D point of the curve's mark of hour angle H.
template <typename Curve>
std::optional<double> IndependentError(const Model& m, const Solid& s, double fx, double fy, double day, double h,
                                       Curve curve)
{
    const double ut = UtOfDialTime(m.params, day, h);
    const IndependentReading read = ReadIndependently(m, s, fx, fy, m.params.year, day, ut, 1, curve);
    if (!read.reading)
        return std::nullopt;
    return (*read.reading - h) * 60;
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
    const bool split = IsSplitDial(p);
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
    for (const int method : {0, 1})
        ExpectMapAgrees(*CalculatedSplitDial(method));
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
