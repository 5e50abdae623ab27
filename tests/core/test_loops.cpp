// Figure-eight loops of the split dial: hour error, exact two-hour positions, hour input, loop rows,
// error tables and statistics.

#include "core/driver.h"
#include "core/ephemeris.h"
#include "core/host.h"
#include "core/input_panel.h"
#include "core/loops.h"
#include "core/model.h"
#include "core/numeric.h"
#include "core/shadow_path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

using namespace umbrix;

namespace {

/// The default split dial: type 6 at 47.25 N, double analemma, 3 marks per month.
Model SplitDial()
{
    Model model;
    InitDefaults(model);
    (void)SelectDialType(model, 6);
    model.params.marksMode = MarksMode::DoubleAnalemma;
    return model;
}

/// Second method for the hour error: the sun's azimuth from the spherical triangle (ephemeris), the shadow
/// of a vertical gnomon on a horizontal plane along that azimuth. Finds the hour angle nearest to the true
/// hour angle t + E at which the shadow line from (x, y) points at the hour mark (M sin t, M sin L cos t),
/// by bisection of the cross product. Returns that hour angle minus (t + E).
std::optional<double> ShadowHourError(double latDeg, double m, double clockHours, double x, double y, double eotDeg,
                                      double declDeg)
{
    const double tDeg = (clockHours - 12) * 15;
    const double markX = m * std::sin(tDeg * degToRad) - x;
    const double markY = m * std::sin(latDeg * degToRad) * std::cos(tDeg * degToRad) - y;
    const auto cross = [&](double hDeg) {
        const double az = HorizontalCoordinates(hDeg, declDeg, latDeg).azimuthDeg * degToRad;
        // The shadow points away from the sun: along (sin az, cos az) with x east and y north.
        return markX * std::cos(az) - markY * std::sin(az);
    };
    const auto ahead = [&](double hDeg) {
        const double az = HorizontalCoordinates(hDeg, declDeg, latDeg).azimuthDeg * degToRad;
        return markX * std::sin(az) + markY * std::cos(az) > 0;
    };
    const double centre = tDeg + eotDeg;
    std::optional<double> best;
    for (double lo = centre - 40; lo < centre + 40; lo += 0.25) {
        double a = lo;
        double b = lo + 0.25;
        if ((cross(a) > 0) == (cross(b) > 0))
            continue;
        for (int i = 0; i < 80; ++i) {
            const double mid = (a + b) / 2;
            ((cross(a) > 0) == (cross(mid) > 0) ? a : b) = mid;
        }
        if (ahead(a) && (!best || std::abs(a - centre) < std::abs(*best)))
            best = a - centre;
    }
    return best;
}

} // namespace

TEST(HourError, AgreesWithTheShadowOfTheSunsAzimuth)
{
    // Second method: bisection on the sun's azimuth; both sides are pure geometry.
    constexpr double kTolDeg = 1e-7;
    const Model model = SplitDial();
    const LoopGeometry g = MakeLoopGeometry(model.params, model.derived);
    struct Case {
        double clock, x, y, eot, decl;
    };
    for (const Case c : {Case{9, 0.05, 0.3, 2.0, 12}, Case{15.5, -0.1, -0.6, -3.5, -20}, Case{11, 0.0, 0.0, 0.0, 0},
                         Case{17, 0.2, 0.8, 1.0, 23}}) {
        const std::optional<double> e = HourError(g, c.clock, c.x, c.y, c.eot, c.decl);
        const std::optional<double> expected =
            ShadowHourError(model.params.latitude, model.params.semiMajorAxis, c.clock, c.x, c.y, c.eot, c.decl);
        ASSERT_TRUE(e && expected) << c.clock;
        EXPECT_NEAR(*e, *expected, kTolDeg) << c.clock;
    }
}

TEST(HourError, NoResultWhereTheShadowNeverPassesTheMark)
{
    const Model model = SplitDial();
    const LoopGeometry g = MakeLoopGeometry(model.params, model.derived);
    // A gnomon standing exactly on the hour mark: I = U = 0, so J - Q^2 = 0.
    const double m = model.params.semiMajorAxis;
    const double t = (10.0 - 12) * 15 * degToRad;
    EXPECT_FALSE(HourError(g, 10, m * std::sin(t), g.bPrime * std::cos(t), 1, 10));
    EXPECT_FALSE(HourError(g, 10, std::nan(""), 0, 1, 10));
}

TEST(TwoHourPosition, IsExactAtBothHours)
{
    // Second method: the hour error of the position vanishes at the two hours it was made for.
    constexpr double kTolDeg = 1e-9;
    const Model model = SplitDial();
    const LoopGeometry g = MakeLoopGeometry(model.params, model.derived);
    for (double decl : {-23.0, -8.5, 0.0, 11.0, 23.4})
        for (double eot : {-3.6, -0.4, 2.0, 4.1})
            for (auto [t1, t2] : {std::pair{8.0, 11.0}, std::pair{13.5, 17.5}, std::pair{9.25, 10.0}}) {
                const DialPoint p = TwoHourPosition(g, decl, eot, t1, t2);
                for (double t : {t1, t2}) {
                    const std::optional<double> e = HourError(g, t, p.x, p.y, eot, decl);
                    ASSERT_TRUE(e);
                    EXPECT_NEAR(*e, 0, kTolDeg) << decl << " " << eot << " " << t;
                }
            }
}

TEST(TwoHourPosition, WithoutEquationOfTimeIsTheDateScalePoint)
{
    // Hand formula of the ordinary date scale: x = 0, y = M cos(L - z) tan d.
    constexpr double kTol = 1e-12;
    const Model model = SplitDial();
    const LoopGeometry g = MakeLoopGeometry(model.params, model.derived);
    const double m = model.params.semiMajorAxis;
    for (double decl : {-23.44, -5.0, 17.0}) {
        const DialPoint p = TwoHourPosition(g, decl, 0, 8, 11);
        EXPECT_NEAR(p.x, 0, kTol);
        EXPECT_NEAR(p.y, m * std::cos(47.25 * degToRad) * std::tan(decl * degToRad), kTol);
    }
}

TEST(InsideFlag, OnlyBeyondNinetyFivePercentOfTheMinorAxisOnItsSide)
{
    Model model = SplitDial();
    const LoopGeometry g = MakeLoopGeometry(model.params, model.derived);
    const double b = model.derived.semiMinorAxis; // 2.75 sin 47.25 = 2.0195
    ASSERT_NEAR(b, 2.75 * std::sin(47.25 * degToRad), 1e-12);
    EXPECT_EQ(InsideFlag(g, 0.95 * b * 1.001), 0);
    EXPECT_EQ(InsideFlag(g, 0.95 * b * 0.999), 1);
    EXPECT_EQ(InsideFlag(g, -1.5 * b), 1); // the side away from b
}

TEST(TwoHourInput, DefaultsAndCorrectionsOfTheTable)
{
    Model model = SplitDial();
    model.state.useDefaultHours = true;
    TwoHourInput in = ReadTwoHourInput(model);
    EXPECT_EQ(in.a1, 8);
    EXPECT_EQ(in.a2, 11);
    EXPECT_EQ(in.p1, 13.5);
    EXPECT_EQ(in.p2, 17.5);

    model.state.useDefaultHours = false;
    StringGrid& ein = model.grids.StrGridEin;
    const auto set = [&](const char* a1, const char* a2, const char* p1, const char* p2) {
        ein.setCell(1, 1, a1);
        ein.setCell(1, 2, a2);
        ein.setCell(3, 1, p1);
        ein.setCell(3, 2, p2);
        return ReadTwoHourInput(model);
    };
    in = set("", "", "", "");
    EXPECT_EQ(in.a1, 9);
    EXPECT_EQ(in.a2, 11);
    EXPECT_EQ(in.p1, 13);
    EXPECT_EQ(in.p2, 17.5);
    in = set("14", "13", "11", "10"); // morning hours after noon, afternoon hours before noon
    EXPECT_EQ(in.a1, 9);
    EXPECT_EQ(in.a2, 11.5);
    EXPECT_EQ(in.p1, 12);
    EXPECT_EQ(in.p2, 17.5);
    in = set("3", "", " 22,5", "16");
    EXPECT_EQ(in.a1, 5);
    EXPECT_EQ(in.a2, 11);
    EXPECT_EQ(in.p1, 16);
    EXPECT_EQ(in.p2, 20);
    in = set("ten", "", "", "");
    EXPECT_TRUE(in.conversionError);
}

TEST(ExactTwoHourLoops, RewritesTheInputAndFillsBothLoops)
{
    Model model = SplitDial();
    model.params.marksPerMonth = 6;
    RecordingHost host;
    const DoubleAnalemmaResult loops = ExactTwoHourLoops(model, host);
    ASSERT_EQ(loops.errorCode, 0);
    EXPECT_TRUE(host.messages.empty());

    ASSERT_TRUE(loops.hourInput.has_value());
    const StringGrid& ein = *loops.hourInput;
    EXPECT_EQ(ein.cell(1, 0), "Zeit");
    EXPECT_EQ(ein.cell(1, 1), "  8.00");
    EXPECT_EQ(ein.cell(1, 2), " 11.00");
    EXPECT_EQ(ein.cell(3, 1), " 13.50");
    EXPECT_EQ(ein.cell(3, 2), " 17.50");

    for (const LoopTable* table : {&loops.morning, &loops.afternoon}) {
        EXPECT_EQ((*table)[1].label, "01.Jan ");
        EXPECT_EQ((*table)[72].label, "26.Dez ");
        EXPECT_TRUE((*table)[73].label.empty());
    }
    // Row 13 is 1 March: declination and equation of time are the noon data at the zone meridian.
    const SunAltAzResult noon = SunAltAzAt(2015, DayOfYear(2015, 3, 1), -15, -15, 47.25, 12, false);
    EXPECT_EQ(loops.afternoon[13].declination, noon.declinationDeg);
    EXPECT_EQ(loops.afternoon[13].equationOfTime, noon.equationOfTimeDeg);
    const SunAltAzResult last = SunAltAzAt(2015, DayOfYear(2015, 12, 26), -15, -15, 47.25, 12, false);
    ASSERT_TRUE(loops.obliquityDeg.has_value());
    EXPECT_EQ(*loops.obliquityDeg, last.obliquityDeg);

    // The error tables: afternoon from 12:30 (computed at 12.5) to errorHourTo, morning from errorHourFrom.
    const StringGrid& pm = loops.grids.afternoonErrors;
    EXPECT_EQ(pm.cell(5, 0), "Fehler ");
    EXPECT_EQ(pm.cell(6, 0), "12:30");
    EXPECT_EQ(pm.cell(7, 0), " 13:00");
    EXPECT_EQ(pm.cell(13, 0), " 19:00");
    const tUmbrixPoint& row = loops.afternoon[13];
    const std::optional<double> e = HourError(MakeLoopGeometry(model.params, model.derived), 12.5, row.x, row.y,
                                              row.equationOfTime, row.declination);
    ASSERT_TRUE(e);
    EXPECT_EQ(pm.cell(6, 13), FormatMinSec(*e));
    const StringGrid& am = loops.grids.morningErrors;
    EXPECT_EQ(am.cell(6, 0), " 8:00");
    EXPECT_EQ(am.cell(7, 0), "  9:00");
    EXPECT_EQ(am.cell(8, 0), " 10:00");
    EXPECT_EQ(am.cell(10, 0), " 12:00");
    // Date grid: morning on the left, afternoon x and y in columns 7 and 8.
    EXPECT_EQ(loops.grids.dateListing.cell(7, 1), FormatFixed(8, 4, loops.afternoon[1].x));
    EXPECT_EQ(loops.grids.dateListing.cell(1, 1), FormatFixed(8, 4, loops.morning[1].x));
    EXPECT_TRUE(loops.morningStatistics.valid);
    EXPECT_EQ(loops.grids.statistics.cell(2, 1), FormatMinSec(loops.afternoonStatistics.maxAbs));
    // The labels of the statistics grid are the window's: the method writes columns 1 and 2 only.
    EXPECT_EQ(loops.grids.statistics.cell(0, 1), model.grids.StrMittel.cell(0, 1));

    // The driver stores all of it in the model.
    model.params.doubleAnalemmaMethod = DoubleAnalemmaMethod::ExactAtTwoHours;
    ASSERT_EQ(ComputeDoubleAnalemma(model, host), 0);
    EXPECT_EQ(model.results.afternoonLoop[13].x, loops.afternoon[13].x);
    EXPECT_EQ(model.results.morningLoop[72].y, loops.morning[72].y);
    EXPECT_EQ(model.results.afternoonLoopStatistics.meanAbs, loops.afternoonStatistics.meanAbs);
    EXPECT_EQ(model.grids.StrGridEin.row(1), ein.row(1));
    EXPECT_EQ(model.grids.StrGrid8.row(13), pm.row(13));
    EXPECT_EQ(model.grids.StrGrid8b.row(13), am.row(13));
    EXPECT_EQ(model.grids.StrGridDat.row(1), loops.grids.dateListing.row(1));
    EXPECT_EQ(model.grids.StrMittel.row(1), loops.grids.statistics.row(1));
    EXPECT_NE(model.state.obliquity, *loops.obliquityDeg); // the model keeps the design year's obliquity
    EXPECT_EQ(model.state.obliquity, DesignYearObliquity(model.params.year));
}

TEST(ExactTwoHourLoops, EqualOrUnreadableHoursGiveErrorTwentyOne)
{
    Model model = SplitDial();
    model.params.doubleAnalemmaMethod = DoubleAnalemmaMethod::ExactAtTwoHours;
    RecordingHost host;
    ASSERT_EQ(ComputeDoubleAnalemma(model, host), 0);
    ASSERT_FALSE(model.grids.StrGrid8.cell(1, 1).empty());
    model.grids.StrGridShad.setCell(1, 1, "stale");
    model.grids.StrGridStd.setCell(1, 1, "stale");
    model.state.useDefaultHours = false;
    model.grids.StrGridEin.setCell(1, 1, "10");
    model.grids.StrGridEin.setCell(1, 2, "10");
    EXPECT_EQ(ExactTwoHourLoops(model, host).errorCode, kErrorLoopHours);
    EXPECT_EQ(ComputeDoubleAnalemma(model, host), kErrorLoopHours);
    // No stale loop anywhere: its grids and the other listings are emptied, the loops lose their rows.
    EXPECT_TRUE(model.grids.StrGrid8.cell(1, 1).empty());
    EXPECT_TRUE(model.grids.StrGrid8b.cell(1, 1).empty());
    EXPECT_TRUE(model.grids.StrGridDat.cell(1, 1).empty());
    EXPECT_TRUE(model.grids.StrGridShad.cell(1, 1).empty());
    EXPECT_TRUE(model.grids.StrGridStd.cell(1, 1).empty());
    EXPECT_TRUE(model.results.morningLoop[1].label.empty());
    EXPECT_TRUE(model.results.afternoonLoop[1].label.empty());
    EXPECT_FALSE(model.results.morningLoopStatistics.valid);
    EXPECT_EQ(model.grids.StrGridEin.cell(1, 1), " 10.00"); // the table shows what was used

    model.grids.StrGridEin.setCell(1, 2, "11");
    model.grids.StrGridEin.setCell(3, 1, "1x");
    const DoubleAnalemmaResult unreadable = ExactTwoHourLoops(model, host);
    EXPECT_EQ(unreadable.errorCode, kErrorLoopHours);
    EXPECT_FALSE(unreadable.hourInput.has_value());
    EXPECT_EQ(ComputeDoubleAnalemma(model, host), kErrorLoopHours);
    EXPECT_EQ(model.grids.StrGridEin.cell(3, 1), "1x"); // not rewritten after a conversion error
}

TEST(LoopStatistics, CountsOnlyHoursOfDaylightInsideTheDial)
{
    Model model = SplitDial();
    model.params.marksPerMonth = 1;
    RecordingHost host;
    model.params.doubleAnalemmaMethod = DoubleAnalemmaMethod::ExactAtTwoHours;
    ASSERT_EQ(ComputeDoubleAnalemma(model, host), 0);
    const LoopGeometry g = MakeLoopGeometry(model.params, model.derived);
    LoopTable table = model.results.afternoonLoop;
    table[2].insideFlag = 0;
    StringGrid grid(16, 73);
    const LoopErrorStatistics stats = LoopStatistics(grid, 12, 19, table, 12, g, model.state.language, host);
    EXPECT_EQ(grid.cell(5, 2), "***");
    EXPECT_TRUE(grid.cell(6, 2).empty());
    // 1 January: half day 4.1 h, so 17:00 and later stay empty; 1 July: every hour up to 19:00 counts.
    EXPECT_FALSE(grid.cell(10, 1).empty());
    EXPECT_TRUE(grid.cell(11, 1).empty());
    EXPECT_FALSE(grid.cell(13, 7).empty());

    // The same figures from the single hour errors (population spread about the mean).
    int count = 0;
    double sumAbs = 0, sum = 0, sumSq = 0, maxAbs = 0;
    for (int r = 1; r <= 12; ++r) {
        if (r == 2)
            continue;
        const tUmbrixPoint& p = table[r];
        for (int h = 12; h <= 19; ++h) {
            const double hour = h == 12 ? 12.5 : h;
            if (!(std::abs(hour - 12) < HalfDayLength(g.latitudeDeg, p.declination)))
                continue;
            const double e = *HourError(g, hour, p.x, p.y, p.equationOfTime, p.declination);
            ++count;
            sumAbs += std::abs(e);
            sum += e;
            sumSq += e * e;
            maxAbs = std::max(maxAbs, std::abs(e));
        }
    }
    ASSERT_TRUE(stats.valid);
    EXPECT_EQ(stats.count, count);
    EXPECT_DOUBLE_EQ(stats.maxAbs, maxAbs);
    EXPECT_DOUBLE_EQ(stats.meanAbs, sumAbs / count);
    EXPECT_NEAR(stats.spread, std::sqrt(sumSq / count - (sum / count) * (sum / count)), 1e-12);
}

TEST(LoopStatistics, NothingCountedShowsQuestionMarksNeverNaN)
{
    // Every row outside the dial: "***" on each row and nothing counted at all.
    Model model = SplitDial();
    model.params.marksPerMonth = 1;
    RecordingHost host;
    model.params.doubleAnalemmaMethod = DoubleAnalemmaMethod::ExactAtTwoHours;
    ASSERT_EQ(ComputeDoubleAnalemma(model, host), 0);
    LoopTable table = model.results.morningLoop;
    for (tUmbrixPoint& p : table)
        p.insideFlag = 0;
    StringGrid grid(16, 73);
    const LoopErrorStatistics stats = LoopStatistics(
        grid, 8, 12, table, 12, MakeLoopGeometry(model.params, model.derived), model.state.language, host);
    EXPECT_FALSE(stats.valid);
    StringGrid mittel(3, 4);
    ShowLoopStatistics(mittel, 1, stats);
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(mittel.cell(1, r), "???");

    // Latitude 80, 1 January: polar night, no hour of daylight, so the row mean is "???".
    table[1].insideFlag = 1;
    model.params.latitude = 80;
    (void)LoopStatistics(grid, 8, 12, table, 12, MakeLoopGeometry(model.params, model.derived), model.state.language,
                         host);
    EXPECT_EQ(grid.cell(5, 1), "???");
}

// At 80 degrees the sun does not set from about 20 April to 22 August (declination above 10 degrees) and does
// not rise from about 23 October to 19 February: the polar days count every hour of the table, the polar
// nights none, and neither is reported.
TEST(ExactTwoHourLoops, PolarDaysCountEveryHourAndPolarNightsNoneWithoutAMessage)
{
    Model model = SplitDial();
    model.params.latitude = 80;
    model.params.marksPerMonth = 6;
    RecordingHost host;
    model.params.doubleAnalemmaMethod = DoubleAnalemmaMethod::ExactAtTwoHours;
    ASSERT_EQ(ComputeDoubleAnalemma(model, host), 0);
    EXPECT_TRUE(host.messages.empty());
    const auto row = [](int month, int day) { return (month - 1) * 6 + (day - 1) / 5 + 1; };
    const StringGrid& morning = model.grids.StrGrid8b;
    ASSERT_EQ(model.results.morningLoop[row(6, 21)].insideFlag, 1);
    const int columns = 12 - model.state.errorHourFrom + 1;
    for (int c = 6; c < 6 + columns; ++c)
        EXPECT_FALSE(morning.cell(c, row(6, 21)).empty()) << c;
    if (model.results.morningLoop[row(1, 1)].insideFlag == 1) {
        EXPECT_EQ(morning.cell(5, row(1, 1)), "???");
    }
    for (const StringGrid* grid : {&model.grids.StrGrid8, &model.grids.StrGrid8b, &model.grids.StrMittel})
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 0; c < grid->colCount(); ++c)
                EXPECT_EQ(grid->cell(c, r).find("NaN"), std::string::npos);
}

TEST(LoopDates, TwelveTimesTheMarksPerMonth)
{
    EXPECT_EQ(LoopDates(1).size(), 12u);
    EXPECT_EQ(LoopDates(2).size(), 24u);
    EXPECT_EQ(LoopDates(3).size(), 36u);
    const auto six = LoopDates(6);
    ASSERT_EQ(six.size(), 72u);
    EXPECT_EQ(six[5].day, 26);
    EXPECT_EQ(six[71].month, 12);
    EXPECT_EQ(LoopDates(2)[1].day, 15);
    EXPECT_EQ(LoopDates(3)[2].day, 21);
}
