#pragma once
// The leap cycle of the calendar: the same calendar date has a different declination and equation of time
// in each of the four years of a leap cycle (the date slides by about six hours against the sun every year
// and jumps back a day in the leap year). A dial is computed for one year; these functions give the scatter
// of each date mark over the cycle and the means over it.
//
// Units: declinations in degrees, the equation of time in degrees of hour angle (4 minutes of time per
// degree), its spread in seconds of time, positions and their spread in dial units.

#include "core/length_unit.h"
#include "core/model.h"

#include <array>
#include <string>
#include <vector>

namespace umbrix {

constexpr int kLeapCycleYears = 4;
using LeapCycle = std::array<int, kLeapCycleYears>;

/// The leap cycle of `year`: y0 .. y0 + 3 with y0 = year - ((year - 1) mod 4), so that the cycle ends with
/// the year divisible by 4 (2015 gives 2013..2016). year is first brought into 1700..2100; a cycle reaching
/// below 1700 moves up by four years (1700 gives 1701..1704).
[[nodiscard]] LeapCycle LeapCycleYears(int year);

/// Declination and equation of time of the sun.
struct NoonSolarData {
    double declinationDeg = 0;
    double equationOfTimeDeg = 0; // degrees of hour angle
};

/// The sun at 12:00 of the reference meridian (degrees, west positive) on month/day of year: SunPosition at
/// the day value of that noon, as the date marks take it, but without the rounding of declinations below 0.3
/// degrees to 0.
[[nodiscard]] NoonSolarData NoonSunOfDate(int year, int month, int day, double referenceMeridianDeg);

/// The noon sun a date mark or a loop row is built from.
struct NoonSun {
    double declinationDeg = 0;
    double equationOfTimeDeg = 0; // degrees of hour angle
    double obliquityDeg = 0;      // of `year` itself, whichever data are taken
};

/// The declination and equation of time from which the dial builds its date mark or loop row of month/day:
/// SunAltAzAt at 12:00 of the reference meridian on that day of `year` (declinations within 0.3 degrees of 0
/// count as exactly 0); with leapCycleMean, LeapCycleMeanNoonSun of `year` instead. Every date mark and loop
/// row takes its data from here, so that the switch acts in one place. Degrees, west-positive meridians.
[[nodiscard]] NoonSun DesignNoonSun(const DialParameters& p, int year, int month, int day, double referenceMeridianDeg,
                                    double longitudeDeg);

/// The means of NoonSunOfDate over the four years of the leap cycle of `year`.
[[nodiscard]] NoonSolarData LeapCycleMeanNoonSun(int year, int month, int day, double referenceMeridianDeg);

/// The gnomon position of the date mark month/day from the means over the leap cycle of the dial's year,
/// at noon of the dial's reference meridian: DateScalePosition of LeapCycleMeanNoonSun. Dial units.
[[nodiscard]] DialPoint LeapCycleMeanPosition(const DialParameters& p, int month, int day);

/// One date mark over its leap cycle.
struct LeapCycleMark {
    std::string label;
    LeapCycle years{};
    std::array<double, kLeapCycleYears> declinationsDeg{};
    std::array<double, kLeapCycleYears> equationsOfTimeDeg{};
    std::array<DialPoint, kLeapCycleYears> positions{}; // DateScalePosition of each year's noon data
    double declinationSpreadDeg = 0;                    // largest minus smallest
    double equationOfTimeSpreadSeconds = 0;             // largest minus smallest, seconds of time
    double positionSpread = 0;                          // the largest distance between two positions
    NoonSolarData mean;                                 // means over the cycle
    DialPoint meanPosition;                             // DateScalePosition of the means
};

/// The scatter of every calendar-date mark of the DateMarkTable (dial types 0 to 6 with marks on the
/// analemma; slots up to the first empty label, dated by CalendarMarkDates). Empty for dial type 7, whose
/// marks are fixed declinations, and for the split dial, which has loops instead of date marks.
[[nodiscard]] std::vector<LeapCycleMark> ComputeLeapCycleScatter(const DialParameters& p, const Results& r);

/// The scatter columns of the date-mark table (showLeapCycle): the declination (degrees) and the equation of
/// time (minutes:seconds of time) of each year of the cycle of `year`, then the spreads of the declination
/// (degrees), of the equation of time (seconds) and of the position (in `unit`, with its decimals).
[[nodiscard]] std::vector<std::string> LeapCycleColumnHeaders(int year, const LanguageState& lang, LengthUnit unit);
/// The cells of one mark under LeapCycleColumnHeaders.
[[nodiscard]] std::vector<std::string> LeapCycleColumnCells(const LeapCycleMark& mark, LengthUnit unit);

} // namespace umbrix
