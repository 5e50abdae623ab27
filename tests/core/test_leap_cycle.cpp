// The leap cycle: its years, the scatter of the date marks over it against the solar theory evaluated for
// each year, and the positions from the means.

#include "core/date_scale.h"
#include "core/driver.h"
#include "core/ephemeris.h"
#include "core/input_panel.h"
#include "core/leap_cycle.h"
#include "core/loops.h"
#include "core/numeric.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace umbrix;

namespace {

Model CalculatedDial(int type, int leapCycleMean = 0, MarksMode marksMode = MarksMode::Analemma)
{
    Model m;
    InitDefaults(m);
    (void)SelectDialType(m, type);
    m.params.leapCycleMean = leapCycleMean;
    if (marksMode == MarksMode::DoubleAnalemma) {
        m.params.marksMode = MarksMode::DoubleAnalemma;
        m.state.doubleAnalemmaActive = true;
    }
    RecordingHost host;
    (void)Recalculate(m, host);
    return m;
}

const LeapCycleMark& MarkLabelled(const std::vector<LeapCycleMark>& marks, const std::string& label)
{
    return *std::find_if(marks.begin(), marks.end(), [&](const LeapCycleMark& m) { return m.label == label; });
}

} // namespace

TEST(LeapCycle, YearsEndWithTheLeapYearAndStayInTheProgramsRange)
{
    EXPECT_EQ(LeapCycleYears(2015), (LeapCycle{2013, 2014, 2015, 2016}));
    EXPECT_EQ(LeapCycleYears(2013), (LeapCycle{2013, 2014, 2015, 2016}));
    EXPECT_EQ(LeapCycleYears(2016), (LeapCycle{2013, 2014, 2015, 2016}));
    EXPECT_EQ(LeapCycleYears(2017), (LeapCycle{2017, 2018, 2019, 2020}));
    EXPECT_EQ(LeapCycleYears(1700), (LeapCycle{1701, 1702, 1703, 1704}));
    EXPECT_EQ(LeapCycleYears(2100), (LeapCycle{2097, 2098, 2099, 2100}));
    EXPECT_EQ(LeapCycleYears(-5), (LeapCycle{1701, 1702, 1703, 1704}));
}

// 21 March and 21 June of the cycle 2013-2016, each year's noon on the reference meridian from the solar theory:
// near the equinox the declination scatters by about 0.3 degrees, at the solstice by a few thousandths.
TEST(LeapCycle, SpreadsOfTheEquinoxAndSolsticeMarksIn2015)
{
    const Model m = CalculatedDial(0);
    const DialParameters& p = m.params;
    const std::vector<LeapCycleMark> marks = ComputeLeapCycleScatter(p, m.results);
    for (const auto& [label, month] : {std::pair<std::string, int>{"21.Mrz ", 3}, {"21.Jun ", 6}}) {
        const LeapCycleMark& mark = MarkLabelled(marks, label);
        EXPECT_EQ(mark.years, (LeapCycle{2013, 2014, 2015, 2016}));
        double lo = 90, hi = -90, eotLo = 180, eotHi = -180, yLo = 1e9, yHi = -1e9;
        for (int k = 0; k < 4; ++k) {
            const int year = 2013 + k;
            const SunPositionResult sun = SunPosition(year, DayOfYear(year, month, 21) + p.longitude / 360);
            EXPECT_NEAR(mark.declinationsDeg[static_cast<std::size_t>(k)], sun.declinationDeg, 1e-12) << year;
            EXPECT_NEAR(mark.equationsOfTimeDeg[static_cast<std::size_t>(k)], sun.equationOfTimeDeg, 1e-12) << year;
            lo = std::min(lo, sun.declinationDeg);
            hi = std::max(hi, sun.declinationDeg);
            eotLo = std::min(eotLo, sun.equationOfTimeDeg);
            eotHi = std::max(eotHi, sun.equationOfTimeDeg);
            // The common dial's date scale: y = a tan d cos L on the meridian.
            const double y =
                p.semiMajorAxis * std::tan(sun.declinationDeg * degToRad) * std::cos(p.latitude * degToRad);
            yLo = std::min(yLo, y);
            yHi = std::max(yHi, y);
        }
        EXPECT_NEAR(mark.declinationSpreadDeg, hi - lo, 1e-12);
        EXPECT_NEAR(mark.equationOfTimeSpreadSeconds, (eotHi - eotLo) * 240, 1e-9);
        EXPECT_NEAR(mark.positionSpread, yHi - yLo, 1e-12);
        if (month == 3) {
            EXPECT_GT(mark.declinationSpreadDeg, 0.25);
            EXPECT_LT(mark.declinationSpreadDeg, 0.45);
            EXPECT_GT(mark.positionSpread, 0.008); // about a centimetre on a 2.75 m dial
        } else {
            EXPECT_LT(mark.declinationSpreadDeg, 0.01);
        }
        EXPECT_GT(mark.equationOfTimeSpreadSeconds, 5);
        EXPECT_LT(mark.equationOfTimeSpreadSeconds, 30);
    }
}

// The mean-time dial's mark from the means: between the years' values, placed by the date scale's formula
// x = -a E, y = a tan d cos L.
TEST(LeapCycle, MeanPositionOfTheMeanTimeDial)
{
    const Model m = CalculatedDial(6);
    const DialParameters& p = m.params;
    const std::vector<LeapCycleMark> scatter = ComputeLeapCycleScatter(p, m.results);
    const LeapCycleMark& mark = MarkLabelled(scatter, "01.Nov ");
    const auto [lo, hi] = std::minmax_element(mark.equationsOfTimeDeg.begin(), mark.equationsOfTimeDeg.end());
    EXPECT_GT(mark.mean.equationOfTimeDeg, *lo);
    EXPECT_LT(mark.mean.equationOfTimeDeg, *hi);
    const DialPoint position = LeapCycleMeanPosition(p, 11, 1);
    EXPECT_NEAR(position.x, -p.semiMajorAxis * mark.mean.equationOfTimeDeg * degToRad, 1e-12);
    EXPECT_NEAR(position.y,
                p.semiMajorAxis * std::tan(mark.mean.declinationDeg * degToRad) * std::cos(p.latitude * degToRad),
                1e-12);
    EXPECT_EQ(position.x, mark.meanPosition.x);
}

// Fixed declinations (type 7) and the loops of the split dial are no calendar-date marks.
TEST(LeapCycle, NoScatterWithoutCalendarDateMarks)
{
    EXPECT_TRUE(ComputeLeapCycleScatter(CalculatedDial(7).params, CalculatedDial(7).results).empty());
    Model split = CalculatedDial(6);
    split.params.marksMode = MarksMode::DoubleAnalemma;
    EXPECT_TRUE(ComputeLeapCycleScatter(split.params, split.results).empty());
    EXPECT_EQ(ComputeLeapCycleScatter(CalculatedDial(3).params, CalculatedDial(3).results).size(), 36u);
}

// With leapCycleMean every calendar-date mark stands where the means over the leap cycle put it
// (LeapCycleMeanPosition, a second path through the means), and the equinox mark moves against the year's
// own by the scatter's order of magnitude.
TEST(LeapCycle, TheMeanSwitchPlacesEveryDateMarkFromTheMeans)
{
    for (const int type : {0, 1, 3, 4, 6}) {
        SCOPED_TRACE(type);
        const Model mean = CalculatedDial(type, 1);
        const Model own = CalculatedDial(type, 0);
        const DialParameters& p = mean.params;
        const std::vector<CalendarDate> dates = CalendarMarkDates(p.marksPerMonth);
        for (std::size_t i = 0; i < dates.size(); ++i) {
            const tUmbrixPoint& mark = mean.results.dateMarks[i + 1];
            ASSERT_FALSE(mark.label.empty());
            const DialPoint expected = LeapCycleMeanPosition(p, dates[i].month, dates[i].day);
            EXPECT_DOUBLE_EQ(mark.x, expected.x) << mark.label;
            EXPECT_DOUBLE_EQ(mark.y, expected.y) << mark.label;
            EXPECT_EQ(mark.label, own.results.dateMarks[i + 1].label);
        }
    }
    // 21 March of the common dial: the year's own mark and the mean differ by millimetres on a 2.75 m dial.
    const Model mean = CalculatedDial(0, 1);
    const Model own = CalculatedDial(0, 0);
    for (std::size_t s = 1; s < own.results.dateMarks.size() && !own.results.dateMarks[s].label.empty(); ++s)
        if (own.results.dateMarks[s].label == "21.Mrz ") {
            const double shift = std::abs(mean.results.dateMarks[s].y - own.results.dateMarks[s].y);
            EXPECT_GT(shift, 1e-4);
            EXPECT_LT(shift, 0.02);
        }
}

// The split dial's loops take their declination and equation of time from the same means, at noon of the
// zone meridian; the obliquity stays the dial year's own.
TEST(LeapCycle, TheMeanSwitchFeedsTheSplitDialsLoops)
{
    const Model mean = CalculatedDial(6, 1, MarksMode::DoubleAnalemma);
    const Model own = CalculatedDial(6, 0, MarksMode::DoubleAnalemma);
    const DialParameters& p = mean.params;
    const std::vector<LoopDate> dates = LoopDates(p.marksPerMonth);
    ASSERT_FALSE(dates.empty());
    int compared = 0;
    for (std::size_t i = 0; i < dates.size(); ++i) {
        const tUmbrixPoint& row = mean.results.morningLoop[i + 1];
        if (row.label.empty())
            break;
        const NoonSolarData expected = LeapCycleMeanNoonSun(p.year, dates[i].month, dates[i].day, p.zoneMeridian);
        EXPECT_DOUBLE_EQ(row.declination, expected.declinationDeg) << row.label;
        EXPECT_DOUBLE_EQ(row.equationOfTime, expected.equationOfTimeDeg) << row.label;
        EXPECT_DOUBLE_EQ(mean.results.afternoonLoop[i + 1].equationOfTime, expected.equationOfTimeDeg);
        ++compared;
    }
    EXPECT_EQ(compared, static_cast<int>(dates.size()));
    EXPECT_NE(mean.results.morningLoop[5].x, own.results.morningLoop[5].x);
    EXPECT_EQ(mean.state.obliquity, own.state.obliquity);
}
