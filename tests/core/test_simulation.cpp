// The simulation of an instant against an independent vector computation and against the design-error map,
// the instant's text and clock, and the correction table against the simulation at apparent noon.

#include "core/accuracy.h"
#include "core/correction_table.h"
#include "core/date_scale.h"
#include "core/derived_geometry.h"
#include "core/loops.h"
#include "core/simulation.h"
#include "tests/core/calculated_dial.h"
#include "tests/core/independent_dial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace umbrix;
using namespace umbrix::independent;

namespace {

constexpr double kPositionTol = 1e-6; // in semi-major axes
constexpr double kMinutesTol = 0.01;  // minutes of time
constexpr double kLowSunDeg = 5;      // the low-sun instants stand below this

/// Noon data of month/day of the dial's year at 12:00 of the reference meridian, as a date mark takes them
/// (declinations below 0.3 degrees are the equinox's 0).
IndependentSun NoonOf(const DialParameters& p, int month, int day)
{
    const double reference = p.showZoneTime ? p.zoneMeridian : p.longitude;
    IndependentSun sun = SunAtUt(p, p.year, DayOfYear(p.year, month, day), 12 + reference / 15);
    if (std::abs(sun.declinationDeg) < 0.3)
        sun.declinationDeg = 0;
    return sun;
}

/// The split dial's loop point by linear interpolation over the day of the dial's year.
DialPoint LoopPoint(const Model& m, bool morning, double day)
{
    const LoopTable& loop = morning ? *CurrentLoops(m).morning : *CurrentLoops(m).afternoon;
    const std::vector<LoopDate> dates = LoopDates(m.params.marksPerMonth);
    const double yearLength = DayOfYear(m.params.year, 12, 31);
    std::vector<double> days;
    for (const LoopDate& d : dates)
        days.push_back(DayOfYear(m.params.year, d.month, d.day));
    const std::size_t n = dates.size();
    for (std::size_t i = 0; i < n; ++i) {
        const double from = days[i];
        const double to = i + 1 < n ? days[i + 1] : days[0] + yearLength;
        if (day >= from && day < to) {
            const tUmbrixPoint& a = loop[i + 1];
            const tUmbrixPoint& b = loop[(i + 1) % n + 1];
            const double f = (day - from) / (to - from);
            return {a.x + f * (b.x - a.x), a.y + f * (b.y - a.y)};
        }
    }
    return {std::numeric_limits<double>::quiet_NaN(), 0};
}

/// The independent computation of one instant; the gnomon where the test puts it.
struct Expected {
    DialPoint gnomon;
    IndependentReading read;
};
Expected Independent(const Model& m, const Instant& t)
{
    const DialParameters& p = m.params;
    const Solid s = SolidOf(p);
    const double a = p.semiMajorAxis;
    const double ut = t.zoneHours + p.zoneMeridian / 15;
    const double instantDay = DayOfYear(t.year, t.month, t.day);
    const IndependentSun noon = NoonOf(p, t.month, t.day);
    Expected e;
    if (p.type() == DialType::FixedGnomon) {
        // The date's own ellipse, f (C(H) / a - tan d p) along the gnomon; the gnomon on the centre.
        const double d = noon.declinationDeg;
        const double f = FixedGnomonEllipseAxis(p, d);
        const auto curve = [&](double hDeg) {
            return Along(s, f * (EquatorPoint(hDeg, p.latitude, 1) - std::tan(Rad(d)) * PolePoint(p.latitude, 1)));
        };
        e.read = ReadIndependently(m, s, 0, 0, t.year, instantDay, ut, p.gnomonHeight, curve);
        return e;
    }
    if (IsSplitDial(p)) {
        // Which loop: the dial's mean time of the instant, before or after noon.
        const double dialTime =
            ReadIndependently(m, s, 0, 0, t.year, instantDay, ut, 1, [](double) { return V{}; }).dialTime;
        e.gnomon = LoopPoint(m, dialTime <= 12, DayOfYear(p.year, t.month, t.day));
    } else {
        // The polar axis's point of the date's declination, seen along the gnomon; the mean-time dial's
        // gnomon moved west by the equation of time.
        const V q = Along(s, PolePoint(p.latitude, a * std::tan(Rad(noon.declinationDeg))));
        e.gnomon = {Dot(q, s.x), Dot(q, s.y)};
        if (p.type() == DialType::MeanTime)
            e.gnomon.x = -a * Rad(noon.equationOfTimeDeg);
    }
    const auto curve = [&](double hDeg) { return Along(s, EquatorPoint(hDeg, p.latitude, a)); };
    e.read = ReadIndependently(m, s, e.gnomon.x, e.gnomon.y, t.year, instantDay, ut, p.gnomonHeight, curve);
    return e;
}

/// The first whole minute of the morning of month/day of `year` at which the sun stands above 2 degrees.
Instant LowSunInstant(const Model& m, int year, int month, int day)
{
    for (int minute = 0; minute < 24 * 60; ++minute) {
        const double zone = minute / 60.0;
        const IndependentSun sun =
            SunAtUt(m.params, year, DayOfYear(year, month, day), zone + m.params.zoneMeridian / 15);
        if (SunVector(sun.hourAngleDeg, sun.declinationDeg, m.params.latitude).u > std::sin(Rad(2)))
            return {year, month, day, zone};
    }
    return {};
}

void ExpectSimulationAgrees(const Model& m, const Instant& t, bool readingExpected)
{
    const DialParameters& p = m.params;
    const double a = p.semiMajorAxis;
    const std::optional<Simulation> sim = Simulate(p, m.state, m.results, t, DstOptions{});
    ASSERT_TRUE(sim);
    const Expected e = Independent(m, t);
    const std::string where = sim->date + " " + std::to_string(t.zoneHours);
    EXPECT_NEAR(sim->gnomon.x, e.gnomon.x, kPositionTol * a) << where;
    EXPECT_NEAR(sim->gnomon.y, e.gnomon.y, kPositionTol * a) << where;
    EXPECT_NEAR(sim->dialTime, e.read.dialTime, 1e-9) << where;
    ASSERT_EQ(sim->shadowTip.has_value(), e.read.shadow) << where;
    if (e.read.shadow) {
        EXPECT_NEAR(sim->shadowTip->x, e.read.tipX, kPositionTol * a) << where;
        EXPECT_NEAR(sim->shadowTip->y, e.read.tipY, kPositionTol * a) << where;
    }
    ASSERT_EQ(sim->reading.has_value(), e.read.reading.has_value()) << where;
    EXPECT_EQ(sim->reading.has_value(), readingExpected) << where;
    if (!e.read.reading)
        return;
    EXPECT_NEAR(*sim->reading, *e.read.reading, kMinutesTol / 60) << where;
    EXPECT_NEAR(*sim->readingErrorMinutes, (*e.read.reading - e.read.dialTime) * 60, kMinutesTol) << where;
    const double clock = sim->summerTime.value_or(sim->zoneTime);
    EXPECT_NEAR(*sim->watchCorrectionMinutes, (clock - *e.read.reading) * 60, kMinutesTol) << where;
}

/// Three instants: on a mark's date, between marks (in another year than the dial's), the sun below 5
/// degrees on a January morning.
void ExpectThreeInstantsAgree(const Model& m, int markMonth, int markDay)
{
    ExpectSimulationAgrees(m, {2015, markMonth, markDay, 10 + 20 / 60.0}, true);
    const Instant august{2017, 8, 15, 15 + 47 / 60.0};
    ExpectSimulationAgrees(m, august, true);
    const std::optional<Simulation> summer = Simulate(m.params, m.state, m.results, august, DstOptions{});
    ASSERT_TRUE(summer && summer->summerTime);
    EXPECT_DOUBLE_EQ(*summer->summerTime, august.zoneHours + 1);
    const Instant low = LowSunInstant(m, 2016, 1, 3);
    const std::optional<Simulation> sim = Simulate(m.params, m.state, m.results, low, DstOptions{});
    ASSERT_TRUE(sim);
    EXPECT_GT(sim->sunAltitude, 0);
    EXPECT_LT(sim->sunAltitude, kLowSunDeg);
    ExpectSimulationAgrees(m, low, true);
}

} // namespace

TEST(Simulation, AgreesWithIndependentVectorGeometryOnEveryKindOfDial)
{
    ExpectThreeInstantsAgree(*CalculatedDial(0), 5, 11);
    ExpectThreeInstantsAgree(*CalculatedDial(0, [](Model& m) { m.params.showZoneTime = true; }), 5, 11);
    ExpectThreeInstantsAgree(*CalculatedDial(1,
                                             [](Model& m) {
                                                 m.params.gnomonInclination = 20;
                                                 m.params.gnomonDeviation = 30;
                                             }),
                             5, 11);
    ExpectThreeInstantsAgree(*CalculatedDial(3,
                                             [](Model& m) {
                                                 m.params.planeInclination = 30;
                                                 m.params.gnomonInclination = 10;
                                             }),
                             5, 11);
    ExpectThreeInstantsAgree(*CalculatedDial(6), 5, 11);
    ExpectThreeInstantsAgree(*CalculatedDial(7,
                                             [](Model& m) {
                                                 m.params.gnomonInclination = 20;
                                                 m.params.gnomonDeviation = 15;
                                             }),
                             4, 21);
    ExpectThreeInstantsAgree(*CalculatedSplitDial(), 5, 11);
}

// The planes and gnomons of types 2 and 5 come only from their formulas; gnomonHeight is the rod's length.
TEST(Simulation, InclinedAndDecliningPlanesAgreeWithIndependentVectorGeometry)
{
    const auto inclined = CalculatedDial(2, [](Model& m) {
        m.params.planeInclination = 20;
        m.params.planeDeviation = -30;
    });
    ExpectSimulationAgrees(*inclined, {2015, 5, 11, 10.5}, true);
    const auto declining = CalculatedDial(5, [](Model& m) {
        m.params.planeDeviation = 25;
        m.params.gnomonDeviation = 25;
        m.params.gnomonHeight = 0.4;
    });
    ExpectSimulationAgrees(*declining, {2016, 9, 4, 14.25}, true);
    // Early-morning sun in the north-east, behind the face turned south-west: no shadow, the sun up.
    ExpectSimulationAgrees(*declining, {2016, 6, 21, 6.0}, false);
}

// On a mark's date at a full hour of the dial's clock the simulation reads what the design-error map says.
TEST(Simulation, FullHourOnAMarksDateEqualsTheDesignErrorMap)
{
    const std::vector<std::unique_ptr<Model>> dials = [] {
        std::vector<std::unique_ptr<Model>> v;
        v.push_back(CalculatedDial(0));
        v.push_back(CalculatedDial(1, [](Model& m) {
            m.params.gnomonInclination = 20;
            m.params.gnomonDeviation = 30;
        }));
        v.push_back(CalculatedDial(6, [](Model& m) { m.params.latitude = 52.5; }));
        v.push_back(CalculatedSplitDial());
        return v;
    }();
    for (const auto& m : dials) {
        const DialParameters& p = m->params;
        const DesignErrorMap map = ComputeDesignErrorMap(p, m->state, m->results);
        const std::vector<CalendarDate> calendar = CalendarMarkDates(p.marksPerMonth);
        const std::vector<LoopDate> loops = LoopDates(p.marksPerMonth);
        int compared = 0;
        for (const std::size_t row : {std::size_t{3}, std::size_t{14}, std::size_t{25}}) {
            const int month = IsSplitDial(p) ? loops[row].month : calendar[row].month;
            const int day = IsSplitDial(p) ? loops[row].day : calendar[row].day;
            for (std::size_t c = 0; c < map.hours.size(); ++c) {
                const double h = map.hours[c];
                const double zone = UtOfDialTime(p, DayOfYear(p.year, month, day), h) - p.zoneMeridian / 15;
                const std::optional<Simulation> sim =
                    Simulate(p, m->state, m->results, {p.year, month, day, zone}, DstOptions{});
                ASSERT_TRUE(sim);
                EXPECT_NEAR(sim->dialTime, h, 1e-9);
                EXPECT_EQ(sim->nearestMark, map.dates[row]);
                const std::optional<double>& cell = map.cells[row][c].minutes;
                ASSERT_EQ(sim->readingErrorMinutes.has_value(), cell.has_value()) << map.dates[row] << h;
                if (cell) {
                    EXPECT_NEAR(*sim->readingErrorMinutes, *cell, kMinutesTol) << map.dates[row] << h;
                    ++compared;
                }
            }
        }
        EXPECT_GT(compared, 20);
    }
}

// Between the last loop row of the year and the first the split dial's gnomon moves linearly with the day.
TEST(Simulation, SplitDialGnomonOverTheTurnOfTheYear)
{
    const auto split = CalculatedSplitDial();
    const LoopTable& pm = *CurrentLoops(*split).afternoon;
    // 26 December: 5 of the 11 days from the row of 21 December to that of 1 January.
    const std::optional<Simulation> turn =
        Simulate(split->params, split->state, split->results, {2015, 12, 26, 15}, {});
    ASSERT_TRUE(turn);
    ASSERT_EQ(turn->half, DayHalf::Afternoon);
    const tUmbrixPoint& dec21 = pm[36];
    const tUmbrixPoint& jan1 = pm[1];
    EXPECT_NEAR(turn->gnomon.x, dec21.x + 5.0 / 11 * (jan1.x - dec21.x), 1e-12);
    EXPECT_NEAR(turn->gnomon.y, dec21.y + 5.0 / 11 * (jan1.y - dec21.y), 1e-12);
}

// A night has a sun, a time and a gnomon but no shadow and no reading; bad instants and dials give no
// simulation, never a value that is not a number.
TEST(Simulation, NightsBadInstantsAndBadDials)
{
    const auto m = CalculatedDial(0);
    const std::optional<Simulation> night = Simulate(m->params, m->state, m->results, {2015, 1, 7, 23}, {});
    ASSERT_TRUE(night);
    EXPECT_LT(night->sunAltitude, 0);
    EXPECT_EQ(night->status, ReadingStatus::NoShadow);
    EXPECT_FALSE(night->shadowTip || night->reading || night->readingErrorMinutes || night->watchCorrectionMinutes);
    for (const Instant& bad :
         {Instant{1699, 12, 31, 12}, Instant{2015, 2, 29, 12}, Instant{2015, 13, 1, 12}, Instant{2015, 1, 1, 24},
          Instant{2015, 1, 1, -0.5}, Instant{2015, 1, 1, std::numeric_limits<double>::quiet_NaN()}})
        EXPECT_FALSE(Simulate(m->params, m->state, m->results, bad, {})) << bad.day << "/" << bad.month;
    DialParameters nan = m->params;
    nan.latitude = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(Simulate(nan, m->state, m->results, {2015, 5, 1, 12}, {}));
    const auto flat = CalculatedDial(3, [](Model& m) {
        m.params.planeInclination = 45;
        m.params.gnomonInclination = -45; // the gnomon in the plane
    });
    EXPECT_FALSE(Simulate(flat->params, flat->state, flat->results, {2015, 5, 1, 12}, {}));
    // An offset that is not valid gives no summer time rather than a wrong one.
    DstOptions odd;
    odd.offsetHours = std::numeric_limits<double>::infinity();
    const std::optional<Simulation> sim = Simulate(m->params, m->state, m->results, {2015, 7, 1, 12}, odd);
    ASSERT_TRUE(sim);
    EXPECT_FALSE(sim->summerTime);
    EXPECT_TRUE(std::isfinite(*sim->watchCorrectionMinutes));
}

TEST(Instant, ParsesDayMonthYearHourMinute)
{
    const InstantParse ok = ParseInstant(" 01/05/2015 14:07 ");
    ASSERT_EQ(ok.error, InstantError::None);
    EXPECT_EQ(ok.instant->day, 1);
    EXPECT_EQ(ok.instant->month, 5);
    EXPECT_EQ(ok.instant->year, 2015);
    EXPECT_DOUBLE_EQ(ok.instant->zoneHours, 14 + 7 / 60.0);
    EXPECT_EQ(InstantDateText(*ok.instant), "01/05/2015");
    EXPECT_EQ(ParseInstant("1/5/2015 9:05").error, InstantError::None);
    EXPECT_EQ(ParseInstant("29/02/2016 00:00").error, InstantError::None);
    EXPECT_EQ(ParseInstant("29/02/2015 00:00").error, InstantError::NoSuchDate);
    EXPECT_EQ(ParseInstant("31/04/2015 12:00").error, InstantError::NoSuchDate);
    EXPECT_EQ(ParseInstant("00/04/2015 12:00").error, InstantError::NoSuchDate);
    EXPECT_EQ(ParseInstant("01/05/1699 12:00").error, InstantError::YearOutOfRange);
    EXPECT_EQ(ParseInstant("01/05/2101 12:00").error, InstantError::YearOutOfRange);
    EXPECT_EQ(ParseInstant("01/05/2015 24:00").error, InstantError::NoSuchTime);
    EXPECT_EQ(ParseInstant("01/05/2015 12:60").error, InstantError::NoSuchTime);
    for (const char* malformed : {"", "01/05/2015", "01/05/2015 12", "01-05-2015 12:00", "01/05/15 12:00",
                                  "001/05/2015 12:00", "01/05/2015 12:5", "01/05/2015 12:00x", "01/05/201512:00",
                                  "01/05/2015 -1:00", "01/05/2015 12:00:00", "\xff/05/2015 12:00"}) {
        const InstantParse bad = ParseInstant(malformed);
        EXPECT_EQ(bad.error, InstantError::Malformed) << malformed;
        EXPECT_FALSE(bad.instant) << malformed;
    }
}

// "Now": the system's UTC seconds as standard time of the zone meridian.
TEST(Instant, SystemClockAsStandardTime)
{
    const std::optional<Instant> epoch = InstantFromUnixSeconds(0, -15);
    ASSERT_TRUE(epoch);
    EXPECT_EQ(InstantDateText(*epoch), "01/01/1970");
    EXPECT_DOUBLE_EQ(epoch->zoneHours, 1);
    const std::optional<Instant> west = InstantFromUnixSeconds(1435752000, 75); // 1 July 2015 12:00 UTC
    ASSERT_TRUE(west);
    EXPECT_EQ(InstantDateText(*west), "01/07/2015");
    EXPECT_DOUBLE_EQ(west->zoneHours, 7);
    const std::optional<Instant> dateLine = InstantFromUnixSeconds(1435752000 + 12 * 3600, -180);
    ASSERT_TRUE(dateLine);
    EXPECT_EQ(InstantDateText(*dateLine), "02/07/2015");
    EXPECT_DOUBLE_EQ(dateLine->zoneHours, 12);
    EXPECT_FALSE(InstantFromUnixSeconds(std::int64_t{5} * 1000 * 1000 * 1000, 0)); // 2128
    EXPECT_FALSE(InstantFromUnixSeconds(0, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(InstantFromUnixSeconds(std::numeric_limits<std::int64_t>::min(), 0));
}

// The plaque's correction is what a watch needs at apparent noon: the simulation there reads the correction
// plus its own reading error. That error is below a second at noon on the common and the mean-time dial;
// the split dial is exact at its two chosen hours instead (minutes off at noon), and the tilted gnomon's
// equinox mark, whose declination counts as 0, is off by a fraction of a minute.
TEST(CorrectionTable, AgreesWithTheSimulationAtApparentNoon)
{
    struct Case {
        std::unique_ptr<Model> dial;
        bool exactAtNoon = true;
    };
    const std::vector<Case> cases = [] {
        std::vector<Case> v;
        v.push_back({CalculatedDial(0)});
        v.push_back({CalculatedDial(0, [](Model& m) { m.params.showZoneTime = true; })});
        v.push_back({CalculatedDial(1,
                                    [](Model& m) {
                                        m.params.gnomonInclination = 20;
                                        m.params.gnomonDeviation = 30;
                                    }),
                     false});
        v.push_back({CalculatedDial(6)});
        v.push_back({CalculatedSplitDial(), false});
        return v;
    }();
    DstOptions dst;
    dst.offsetHours = 1.5;
    for (const Case& c : cases) {
        const auto& m = c.dial;
        const DialParameters& p = m->params;
        const CorrectionTable table = ComputeCorrectionTable(p, m->results, dst);
        const std::vector<CalendarDate> calendar = CalendarMarkDates(p.marksPerMonth);
        const std::vector<LoopDate> loops = LoopDates(p.marksPerMonth);
        ASSERT_EQ(table.rows.size(), IsSplitDial(p) ? loops.size() : calendar.size());
        int summer = 0;
        for (std::size_t i = 0; i < table.rows.size(); ++i) {
            const CorrectionRow& row = table.rows[i];
            const int month = IsSplitDial(p) ? loops[i].month : calendar[i].month;
            const int day = IsSplitDial(p) ? loops[i].day : calendar[i].day;
            const std::optional<Simulation> sim =
                Simulate(p, m->state, m->results, {p.year, month, day, row.apparentNoon}, dst);
            ASSERT_TRUE(sim && sim->reading) << row.label;
            EXPECT_NEAR(sim->sunAzimuth, 0, 1e-6) << row.label;
            EXPECT_EQ(sim->nearestMark, row.label);
            ASSERT_EQ(sim->summerTime.has_value(), row.summerTimeMinutes.has_value()) << row.label;
            const double expected = row.summerTimeMinutes.value_or(row.standardTimeMinutes);
            EXPECT_NEAR(expected, *sim->watchCorrectionMinutes + *sim->readingErrorMinutes, 1e-6) << row.label;
            if (c.exactAtNoon) {
                EXPECT_NEAR(expected, *sim->watchCorrectionMinutes, 0.02) << row.label;
            }
            if (row.summerTimeMinutes) {
                ++summer;
                EXPECT_DOUBLE_EQ(*row.summerTimeMinutes, row.standardTimeMinutes + 90);
                EXPECT_DOUBLE_EQ(*row.apparentNoonSummerTime, row.apparentNoon + 1.5);
            }
            if (p.type() == DialType::MeanTime) {
                EXPECT_EQ(row.equationOfTimeMinutes, 0);
            }
        }
        EXPECT_GT(summer, 10);
    }
}

// Hand figures at 9.59 degrees east in zone time 15 degrees east: 21.64 minutes of longitude; on 3 November
// the sun is 16.4 minutes ahead of mean time, on 11 February 14.2 minutes behind.
TEST(CorrectionTable, HandFiguresOfTheCommonDial)
{
    const auto m = CalculatedDial(0);
    const CorrectionTable table = ComputeCorrectionTable(m->params, m->results, DstOptions{});
    ASSERT_TRUE(table.offsetHours);
    EXPECT_EQ(*table.offsetHours, 1);
    const CorrectionRow* nov1 = nullptr;
    const CorrectionRow* feb11 = nullptr;
    for (const CorrectionRow& row : table.rows) {
        EXPECT_NEAR(row.longitudeMinutes, 21.64, 1e-9);
        nov1 = row.label.rfind("01.Nov", 0) == 0 ? &row : nov1;
        feb11 = row.label.rfind("11.Feb", 0) == 0 ? &row : feb11;
    }
    ASSERT_TRUE(nov1 && feb11);
    EXPECT_NEAR(nov1->equationOfTimeMinutes, 16.4, 0.1);
    EXPECT_NEAR(nov1->standardTimeMinutes, 21.64 - 16.4, 0.1);
    EXPECT_FALSE(nov1->summerTimeMinutes); // 2015: summer time ended on 25 October
    EXPECT_NEAR(feb11->equationOfTimeMinutes, -14.2, 0.1);
    EXPECT_NEAR(feb11->apparentNoon, 12 + (21.64 + 14.2) / 60, 0.1 / 60);
    // The mean-time dial carries the equation of time on its date scale.
    const auto meanTime = CalculatedDial(6);
    for (const CorrectionRow& row : ComputeCorrectionTable(meanTime->params, meanTime->results, {}).rows)
        EXPECT_NEAR(row.standardTimeMinutes, 21.64, 1e-9);
    // A bad offset gives no summer-time figures.
    DstOptions bad;
    bad.offsetHours = 0;
    const CorrectionTable none = ComputeCorrectionTable(m->params, m->results, bad);
    EXPECT_FALSE(none.offsetHours);
    for (const CorrectionRow& row : none.rows)
        EXPECT_FALSE(row.summerTimeMinutes || row.apparentNoonSummerTime);
}

// A dial with the inner summer-time ring is read on that ring in summer, whose hours already are summer
// time: the plaque's summer column then holds the sun's terms alone (Vienna on 1 April: -5.48 minutes of
// longitude and +4.0 of the equation of time, -1.5 in all, not +58.5). Ring 1 keeps the offset.
TEST(CorrectionTable, TheInnerRingIsReadInSummerTime)
{
    for (const DstRingKind ring : {DstRingKind::SecondLabels, DstRingKind::InnerRing}) {
        const auto m = CalculatedDial(0, [ring](Model& d) {
            d.params.latitude = 48.21;
            d.params.longitude = -16.37;
            d.params.dst.ring = ring;
        });
        const CorrectionTable table = ComputeCorrectionTable(m->params, m->results, m->params.dst);
        int summer = 0;
        for (const CorrectionRow& row : table.rows) {
            if (!row.summerTimeMinutes)
                continue;
            ++summer;
            const bool inner = ring == DstRingKind::InnerRing;
            EXPECT_DOUBLE_EQ(*row.summerTimeMinutes, row.standardTimeMinutes + (inner ? 0 : 60)) << row.label;
            if (row.label.rfind("01.Apr", 0) == 0) {
                EXPECT_NEAR(*row.summerTimeMinutes, inner ? -1.5 : 58.5, 0.1);
            }
        }
        EXPECT_GT(summer, 10) << static_cast<int>(ring);
    }
}
