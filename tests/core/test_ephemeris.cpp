#include "core/ephemeris.h"

#include "core/numeric.h"

#include <gtest/gtest.h>

#include <cmath>

namespace umbrix {
namespace {

constexpr double kMinutesPerDeg = 4; // minutes of time per degree of hour angle

TEST(JulianDay, PublishedDatesAndTheGregorianReform)
{
    EXPECT_EQ(JulianDay(1, 1, 2000).julianDay, 2451545);
    EXPECT_EQ(JulianDay(4, 10, 1957).julianDay, 2436116); // Meeus, Astronomical Algorithms, example 7.a
    EXPECT_EQ(JulianDay(27, 1, 333).julianDay, 1842713);  // example 7.b, Julian calendar

    const JulianDayResult gregorianStart = JulianDay(15, 10, 1582);
    EXPECT_EQ(gregorianStart.julianDay, 2299161);
    EXPECT_FALSE(gregorianStart.dateCorrected);
    const JulianDayResult julianEnd = JulianDay(4, 10, 1582);
    EXPECT_EQ(julianEnd.julianDay, 2299160);
    EXPECT_FALSE(julianEnd.dateCorrected);
    for (int day = 5; day <= 14; ++day) {
        const JulianDayResult missing = JulianDay(day, 10, 1582);
        EXPECT_EQ(missing.julianDay, 2299161) << day;
        EXPECT_TRUE(missing.dateCorrected) << day;
    }
}

// Second method for every day of four years: the distance in Julian days from 1 January.
TEST(DayOfYear, CountsTheGregorianLeapDayAndAgreesWithJulianDays)
{
    EXPECT_EQ(DayOfYear(2015, 3, 1), 60);
    EXPECT_EQ(DayOfYear(2016, 3, 1), 61);
    EXPECT_EQ(DayOfYear(1900, 3, 1), 60);
    EXPECT_EQ(DayOfYear(2000, 3, 1), 61);
    constexpr int kMonthLength[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int year : {1900, 2000, 2015, 2016}) {
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        const double newYear = JulianDay(1, 1, year).julianDay;
        for (int month = 1; month <= 12; ++month) {
            const int length = kMonthLength[month - 1] + (month == 2 && leap ? 1 : 0);
            for (int day = 1; day <= length; ++day)
                ASSERT_EQ(DayOfYear(year, month, day), JulianDay(day, month, year).julianDay - newYear + 1)
                    << year << "-" << month << "-" << day;
        }
    }
}

// Meeus, Astronomical Algorithms (2nd ed.): 1992 October 13.0 is day 287 - 0.5 of 1992 (the day value counts
// from noon). Example 25.a (the same low-accuracy series): declination -7.78507 degrees. Example 28.a (full
// theory): equation of time +13 min 42.6 s.
TEST(SunPosition, MatchesPublishedWorkedExamples)
{
    const SunPositionResult sun = SunPosition(1992, 286.5);
    EXPECT_NEAR(sun.declinationDeg, -7.78507, 1e-4);                  // 0.4 arcseconds
    EXPECT_NEAR(sun.equationOfTimeDeg * kMinutesPerDeg, 13.71, 0.05); // 3 seconds of time
    EXPECT_NEAR(sun.obliquityDeg, 23.43999, 1e-4);                    // example 25.a, corrected eps

    // Example 22.a, 1987 April 10.0: true obliquity 23 deg 26' 36.850" (full nutation series).
    EXPECT_NEAR(SunPosition(1987, 99.5).obliquityDeg, 23.443569, 3e-4); // about 1 arcsecond
}

// Almanac values: March equinox 2015 on 20 March near 22:45 UT, equation of time about -7.5 min;
// 3 November: about +16.4 min; June solstice 2015 on 21 June 16:38 UT, December solstice 22 December 04:48 UT.
TEST(SunPosition, EquinoxEquationOfTimeAndSolstices)
{
    const int march20 = DayOfYear(2015, 3, 20);
    const SunPositionResult before = SunPosition(2015, march20 + 9.75 / 24); // 21:45 UT
    const SunPositionResult after = SunPosition(2015, march20 + 11.75 / 24); // 23:45 UT
    EXPECT_LT(before.declinationDeg, 0);
    EXPECT_GT(after.declinationDeg, 0);
    EXPECT_NEAR(before.equationOfTimeDeg * kMinutesPerDeg, -7.5, 0.2);

    EXPECT_NEAR(SunPosition(2015, DayOfYear(2015, 11, 3)).equationOfTimeDeg * kMinutesPerDeg, 16.4, 0.2);

    const SunPositionResult june = SunPosition(2015, DayOfYear(2015, 6, 21) + 4.63 / 24);
    const SunPositionResult december = SunPosition(2015, DayOfYear(2015, 12, 22) - 7.2 / 24);
    EXPECT_NEAR(june.declinationDeg, 23.44, 0.01);
    EXPECT_NEAR(december.declinationDeg, -23.44, 0.01);
    // At the solstice the sun stands at ecliptic longitude 90 or 270: declination = obliquity.
    EXPECT_NEAR(june.declinationDeg, june.obliquityDeg, 1e-3);
    EXPECT_NEAR(december.declinationDeg, -december.obliquityDeg, 1e-3);
}

// Second method: altitude from sin(alt) = sin(phi) sin(delta) + cos(phi) cos(delta) cos(H), azimuth from
// tan(A) = sin(H) / (cos(H) sin(phi) - tan(delta) cos(phi)) (Meeus 13.5), both through atan2/asin.
TEST(HorizontalCoordinates, AgreesWithTheSphericalFormulas)
{
    const auto sinD = [](double deg) { return std::sin(deg * degToRad); };
    const auto cosD = [](double deg) { return std::cos(deg * degToRad); };
    for (double phi : {-60.0, -10.0, 0.005, 23.0, 47.25, 70.0}) {
        for (double delta : {-23.44, -5.0, 0.0, 12.0, 23.44}) {
            for (double h = -175; h <= 175; h += 12.5) {
                const double alt = std::asin(sinD(phi) * sinD(delta) + cosD(phi) * cosD(delta) * cosD(h)) / degToRad;
                if (std::abs(alt) > 89.9)
                    continue; // the guard keeps the zenith distance off 0
                const double az =
                    std::atan2(sinD(h), cosD(h) * sinD(phi) - sinD(delta) / cosD(delta) * cosD(phi)) / degToRad;
                const HorizontalResult result = HorizontalCoordinates(h, delta, phi);
                EXPECT_NEAR(result.altitudeDeg, alt, 1e-6) << phi << " " << delta << " " << h;
                EXPECT_NEAR(result.azimuthDeg, az, 1e-6) << phi << " " << delta << " " << h;
                // Hour angles one turn away give the same sun.
                EXPECT_NEAR(HorizontalCoordinates(h + 360, delta, phi).azimuthDeg, result.azimuthDeg, 1e-9);
            }
        }
    }
}

TEST(HorizontalCoordinates, MeridianTransitFacesSouthOrNorth)
{
    const HorizontalResult south = HorizontalCoordinates(0, 10, 47);
    EXPECT_EQ(south.azimuthDeg, 0);
    EXPECT_NEAR(south.altitudeDeg, 90 - 47 + 10, 1e-9); // noon altitude by hand
    const HorizontalResult north = HorizontalCoordinates(0, 20, 10);
    EXPECT_EQ(north.azimuthDeg, 180);
    EXPECT_NEAR(north.altitudeDeg, 80, 1e-9);

    EXPECT_LT(HorizontalCoordinates(-1e-6, 10, 47).azimuthDeg, 0); // morning: east
    EXPECT_GT(HorizontalCoordinates(1e-6, 10, 47).azimuthDeg, 0);  // afternoon: west
}

TEST(SunAltAz, SolarNoonFollowsLongitudeAndEquationOfTime)
{
    // A site 15 degrees west of its zone meridian has mean noon at 13h zone time.
    const SunAltAzResult meanNoon = SunAltAzDaily(2015, 100, -15, 0, 47.25, 13, false);
    EXPECT_EQ(meanNoon.azimuthDeg, 0);
    EXPECT_NEAR(meanNoon.altitudeDeg, 90 - 47.25 + meanNoon.declinationDeg, 1e-9);

    // The true sun crosses the meridian E / 15 hours before mean noon: early in November (E about +16 min)
    // the sundial is fast, the sun is due south at about 11:44 mean time and already west at 12:00.
    const SunAltAzResult mean = SunAltAzDaily(2015, 307, 0, 0, 47.25, 12, false);
    const SunAltAzResult apparent = SunAltAzDaily(2015, 307, 0, 0, 47.25, 12, true);
    EXPECT_EQ(mean.azimuthDeg, 0);
    EXPECT_GT(apparent.azimuthDeg, 3); // 16 minutes of sun motion near noon: several degrees of azimuth
    const double apparentNoonHours = 12 - apparent.equationOfTimeDeg / 15;
    EXPECT_NEAR(SunAltAzDaily(2015, 307, 0, 0, 47.25, apparentNoonHours, true).azimuthDeg, 0, 1e-6);
}

TEST(SunAltAz, AtClockTimeSnapsDeclinationsNearTheEquinoxToZero)
{
    for (double day = 70; day <= 280; day += 0.5) {
        for (double hour = 0; hour <= 24; hour += 1.5) {
            const SunAltAzResult at = SunAltAzAt(2015, day, -15, -9.59, 47.25, hour, true);
            EXPECT_TRUE(at.declinationDeg == 0 || std::abs(at.declinationDeg) >= 0.3) << day << " " << hour;
        }
    }
}

// Second method: at the rise and set hours the sun's centre stands on the horizon.
TEST(SunRiseSet, SunStandsOnTheHorizonAtRiseAndSet)
{
    const SunRiseSetResult equinox = SunRiseSet(2015, 79, -9.59, 47.25);
    EXPECT_NEAR(equinox.riseHour, 6, 0.05); // 3 minutes: the declination is not quite 0 at noon
    EXPECT_NEAR(equinox.setHour, 18, 0.05);
    EXPECT_NEAR(equinox.riseAzimuthDeg, -90, 0.5);
    EXPECT_NEAR(equinox.setAzimuthDeg, 90, 0.5);

    for (double day : {1.0, 79.0, 172.0, 266.0, 355.0}) {
        for (double phi : {-45.0, 0.005, 47.25, 60.0}) {
            const SunRiseSetResult rs = SunRiseSet(2015, day, -9.59, phi);
            for (double hour : {rs.riseHour, rs.setHour})
                EXPECT_NEAR(SunAltAzDaily(2015, day, -9.59, -9.59, phi, hour, false).altitudeDeg, 0, 1e-6)
                    << day << " " << phi << " " << hour;
        }
    }
}

TEST(SunRiseSet, PolarDayAndPolarNightAreDefined)
{
    constexpr double kJune21 = 172;
    constexpr double kDecember21 = 355;
    for (double phi : {70.0, 89.9999999, 90.0}) {
        const SunRiseSetResult day = SunRiseSet(2015, kJune21, 0, phi);
        EXPECT_EQ(day.riseHour, 0) << phi;
        EXPECT_EQ(day.setHour, 24) << phi;
        const SunRiseSetResult night = SunRiseSet(2015, kDecember21, 0, phi);
        EXPECT_EQ(night.riseHour, 12) << phi;
        EXPECT_EQ(night.setHour, 12) << phi;
        for (const SunRiseSetResult& rs : {day, night}) {
            EXPECT_TRUE(std::isfinite(rs.riseAzimuthDeg) && std::isfinite(rs.setAzimuthDeg)) << phi;
            EXPECT_TRUE(std::isfinite(rs.declinationDeg)) << phi;
        }
    }
    // Southern hemisphere: the seasons swap.
    EXPECT_EQ(SunRiseSet(2015, kJune21, 0, -70).setHour, 12);
    EXPECT_EQ(SunRiseSet(2015, kDecember21, 0, -70).setHour, 24);
}

TEST(SunsetHourAngle, SunStandsOnTheHorizonAtTheAngleAndPolarDaysAreNamed)
{
    // Second method: the sine of the altitude, sin L sin d + cos L cos d cos H, vanishes at the returned
    // hour angle (HorizontalCoordinates keeps its cosines away from 0, so it is not used here).
    constexpr double kHorizonTol = 1e-12;
    const auto sinAltitude = [](double phi, double decl, double hourDeg) {
        const double r = std::acos(-1.0) / 180;
        return std::sin(phi * r) * std::sin(decl * r) + std::cos(phi * r) * std::cos(decl * r) * std::cos(hourDeg * r);
    };
    for (double phi : {-66.0, -47.25, 0.0, 30.0, 52.5, 66.0})
        for (double decl : {-23.44, -10.0, 0.0, 5.0, 23.44}) {
            const SunsetAngle set = SunsetHourAngle(phi, decl);
            ASSERT_EQ(set.day, SunDay::RisesAndSets) << phi << " " << decl;
            EXPECT_NEAR(sinAltitude(phi, decl, set.hourAngleDeg), 0, kHorizonTol) << phi << " " << decl;
            EXPECT_GT(set.hourAngleDeg, 0);
            EXPECT_LT(set.hourAngleDeg, 180);
        }
    // At the equator and at the equinox day and night are equal.
    EXPECT_NEAR(SunsetHourAngle(0, 20).hourAngleDeg, 90, 1e-12);
    EXPECT_NEAR(SunsetHourAngle(70, 0).hourAngleDeg, 90, 1e-12);
    // North of the polar circle the summer sun does not set and the winter sun does not rise; in the south
    // the seasons swap.
    EXPECT_EQ(SunsetHourAngle(70, 23.44).day, SunDay::PolarDay);
    EXPECT_EQ(SunsetHourAngle(70, 23.44).hourAngleDeg, 180);
    EXPECT_EQ(SunsetHourAngle(70, -23.44).day, SunDay::PolarNight);
    EXPECT_EQ(SunsetHourAngle(70, -23.44).hourAngleDeg, 0);
    EXPECT_EQ(SunsetHourAngle(-70, -23.44).day, SunDay::PolarDay);
    EXPECT_EQ(SunsetHourAngle(-70, 23.44).day, SunDay::PolarNight);
    // At the pole itself the tangent is guarded, and a declination that is not a number rises never.
    EXPECT_EQ(SunsetHourAngle(90, 1).day, SunDay::PolarDay);
    EXPECT_EQ(SunsetHourAngle(47.25, std::nan("")).day, SunDay::PolarNight);
}

TEST(ZodiacTable, SymmetricAboutTheExactEquinox)
{
    const ZodiacTableResult table = FillZodiacTable(2017);
    // Mean obliquity for 2017 March 21 by the full IAU 1980 polynomial (Meeus 22.2), the higher terms included.
    const double T = (2457834.0 - 2451545) / 36525;
    const double eps = 23.43929111 - (46.8150 * T + 0.00059 * T * T - 0.001813 * T * T * T) / 3600;
    EXPECT_NEAR(table.obliquityDeg, eps, 1e-6);
    EXPECT_EQ(table.roundedObliquityDeg, 23.44);

    EXPECT_EQ(table.declinationsDeg[18], 0.0);
    EXPECT_NEAR(table.declinationsDeg[0], -23.44, 1e-12);
    EXPECT_NEAR(table.declinationsDeg[36], 23.44, 1e-12);
    for (int i = 0; i <= 36; ++i)
        EXPECT_NEAR(table.declinationsDeg[i], -table.declinationsDeg[36 - i], 1e-9) << i;
    // Start of Aquarius, ecliptic longitude 300: arcsin(sin 23.44 * sin 300) by hand.
    EXPECT_NEAR(table.declinationsDeg[6], -20.151, 0.001);
}

} // namespace
} // namespace umbrix
