#pragma once
// Solar ephemeris and calendar: Julian day number, day of the year, the sun's declination, equation of
// time and obliquity for a moment of a year, its altitude and azimuth at a site, sunrise and sunset, and
// the table of 37 declinations of the dial with a fixed gnomon.
//
// Solar theory: the low-precision series used for almanac work (J. Meeus, Astronomical Algorithms, 2nd ed.
// 1998: ch. 22 for the obliquity and the nutation in longitude, ch. 25 "low accuracy" for the mean anomaly,
// the equation of the centre and the apparent longitude, ch. 28 for the equation of time). Accuracy about
// 0.01 degrees in declination and a few seconds of time in the equation of time for 1700 to 2100.
// No refraction, no parallax, no difference between universal and terrestrial time.
//
// Conventions: angles in degrees (radians only inside the trigonometric calls, through degToRad);
// longitudes and meridians west positive; hour angles positive in the afternoon; azimuths from south,
// positive towards west; the equation of time in degrees of hour angle (4 minutes of time per degree),
// positive when the sundial is ahead of the clock. All intermediate values are extended precision; results
// are doubles. No function throws; no argument crashes one or makes it loop (non-finite arguments give NaN
// or meaningless values).

#include <array>
#include <cstdint>

namespace umbrix {

/// Julian day number of a calendar date and whether the date had to be corrected.
struct [[nodiscard]] JulianDayResult {
    double julianDay = 0;       // integer value: the Julian date at 12h UT of the day (2451545 for 1 January 2000)
    bool dateCorrected = false; // the date was 5..14 October 1582, which does not exist; 15 October was used
};

/// Julian day number at noon of a calendar date. Dates from 15 October 1582 on are Gregorian, dates up to
/// 4 October 1582 Julian; the ten days between do not exist and are replaced by 15 October 1582 (reported
/// in dateCorrected). month 1..12, day 1..31. Meeus, Astronomical Algorithms, ch. 7 (the variant with
/// month + 1 and an offset that lands on noon). Valid for years 1 and later.
JulianDayResult JulianDay(int day, int month, int year);

/// Day number within the year, 1 for 1 January (Gregorian leap years: divisible by 4 and not by 100, or by
/// 400). month 1..12, day 1..31; other values give a number but no meaning.
[[nodiscard]] int DayOfYear(int year, int month, int day);

/// The sun's position for a moment of a year.
struct [[nodiscard]] SunPositionResult {
    double declinationDeg = 0;    // apparent declination, -23.5..+23.5
    double equationOfTimeDeg = 0; // apparent minus mean solar time, degrees of hour angle, -180..180
    double obliquityDeg = 0;      // true obliquity of the ecliptic used for the conversion, about 23.44
};

/// Declination, equation of time and obliquity of the sun. year: calendar year; dayValue: day of the year
/// (1 for 1 January) plus a fraction, counted from noon: dayOfYear + x / 24 is the moment 12 + x hours UT of
/// that day. Meeus ch. 22, 25 (low accuracy) and 28.
SunPositionResult SunPosition(int year, double dayValue);

/// Altitude and azimuth of a body.
struct [[nodiscard]] HorizontalResult {
    double altitudeDeg = 0; // above the horizon, -90..90
    double azimuthDeg = 0;  // from south, positive towards west, -180..180
};

/// Horizontal coordinates from hour angle hDeg (positive in the afternoon, any value; reduced to
/// -180..180), declination declDeg and latitude latDeg (north positive), by the spherical triangle
/// pole-zenith-body. The cosine of the zenith distance is kept inside (-1, 1) and away from 0, the cosine of
/// the azimuth inside [-1, 1] and away from 0, so the results stay finite. At hour angle exactly 0 the
/// azimuth is 0 (south) when latDeg >= declDeg, else 180 (north).
HorizontalResult HorizontalCoordinates(double hDeg, double declDeg, double latDeg);

/// Where the sun stands at a clock time, and the solar data used.
struct [[nodiscard]] SunAltAzResult {
    double altitudeDeg = 0;       // -90..90
    double azimuthDeg = 0;        // from south, positive towards west
    double declinationDeg = 0;    // -23.5..+23.5
    double equationOfTimeDeg = 0; // degrees of hour angle
    double obliquityDeg = 0;      // true obliquity of the moment the solar data were taken
};

/// The sun seen at clock time clockHours of day dayOfYear of year, at a site of longitude longitudeDeg and
/// latitude latDeg, the clock running on the meridian referenceMeridianDeg (both west positive). The hour
/// angle is (clockHours - 12) * 15 - (longitudeDeg - referenceMeridianDeg), plus the equation of time when
/// apparent is set (the clock then shows apparent solar time). Declination and equation of time are taken
/// once for the day, at 12h of the reference meridian.
SunAltAzResult SunAltAzDaily(int year, double dayOfYear, double referenceMeridianDeg, double longitudeDeg,
                             double latDeg, double clockHours, bool apparent);

/// As SunAltAzDaily, but the declination and equation of time are taken at the clock time itself. A
/// declination of magnitude below 0.3 degrees is treated and returned as exactly 0 (the equinox marks).
SunAltAzResult SunAltAzAt(int year, double dayOfYear, double referenceMeridianDeg, double longitudeDeg, double latDeg,
                          double clockHours, bool apparent);

/// Sunrise and sunset of a day.
struct [[nodiscard]] SunRiseSetResult {
    double riseHour = 12;      // local mean time, decimal hours, 0..12
    double setHour = 12;       // local mean time, decimal hours, 12..24
    double riseAzimuthDeg = 0; // from south, positive towards west
    double setAzimuthDeg = 0;
    double declinationDeg = 0; // at 12h local mean time of the day
    double obliquityDeg = 0;
};

/// Rise and set of the sun's centre on the mathematical horizon (no refraction) in local mean time, from
/// the half day arc H0 with cos H0 = -tan(latitude) tan(declination), declination at 12h local mean time.
/// longitudeDeg west positive. Where the sun does not set (polar day) rise is 0 h and set 24 h; where it
/// does not rise (polar night) both are 12 h. Azimuths are those of the sun at these hours.
SunRiseSetResult SunRiseSet(int year, double dayOfYear, double longitudeDeg, double latDeg);

/// Whether the sun rises and sets on a day, or stays above or below the horizon all day.
enum class SunDay : std::uint8_t {
    RisesAndSets = 0,
    PolarDay = 1,   // the sun does not set: the half day arc is the whole half circle
    PolarNight = 2, // the sun does not rise: there is no day arc
};

/// The sun's hour angle at sunset, and what kind of day it belongs to.
struct [[nodiscard]] SunsetAngle {
    SunDay day = SunDay::RisesAndSets;
    double hourAngleDeg = 90; // 0..180: the angle for RisesAndSets; 180 for PolarDay, 0 for PolarNight
};

/// Hour angle of sunset (half the day arc) of the sun's centre on the mathematical horizon, no refraction:
/// in the spherical triangle pole-zenith-sun the zenith distance is 90 degrees at sunset, so
/// cos 90 = sin L sin d + cos L cos d cos H0 gives cos H0 = -tan L tan d. latitudeDeg north positive,
/// declinationDeg -90..90; the tangents are SafeTan's. A cosine below -1 is a polar day, above +1 (or not a
/// number) a polar night; exactly -1 and +1 are the days whose sun just touches the horizon (180 and 0
/// degrees). Sunrise is at -H0 by symmetry.
SunsetAngle SunsetHourAngle(double latitudeDeg, double declinationDeg);

/// The obliquity of the ecliptic of a design year: the mean obliquity about its March equinox (day 80,
/// Meeus 22.2 to the linear term, without nutation), in degrees. One value per year, so that the axes
/// and extents of a construction do not depend on which day a computation of the sun took last.
[[nodiscard]] double DesignYearObliquity(int year);

/// Declinations of the sun in 5-degree steps of ecliptic longitude, and the obliquity they use.
struct [[nodiscard]] ZodiacTableResult {
    std::array<double, 37> declinationsDeg{}; // [0] = -roundedObliquityDeg (winter solstice) ..
                                              // [18] = 0 exactly (equinox) .. [36] = +roundedObliquityDeg
    double obliquityDeg = 0;                  // mean obliquity about the March equinox of the year
    double roundedObliquityDeg = 0;           // the same, rounded to 2 decimals
};

/// Zodiac declination table of a year: mean obliquity at day 80 (about the March equinox, Meeus ch. 22
/// without nutation), rounded to 2 decimals, and declination arcsin(sin(eps) sin(lambda)) for the ecliptic
/// longitudes lambda = 270, 275, ..., 450 degrees.
ZodiacTableResult FillZodiacTable(int year);

} // namespace umbrix
