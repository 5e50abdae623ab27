#include "core/ephemeris.h"

#include "core/numeric.h"

#include <cmath>

namespace umbrix {

namespace {

// Extended precision for every intermediate value; results are rounded to double on return.
using Ext = long double;

constexpr Ext kDegToRad = degToRad;
constexpr Ext kJulianDayJ2000 = 2451545; // 1 January 2000, 12h
constexpr Ext kDaysPerJulianCentury = 36525;

Ext SinDeg(Ext angleDeg)
{
    return std::sin(angleDeg * kDegToRad);
}
Ext CosDeg(Ext angleDeg)
{
    return std::cos(angleDeg * kDegToRad);
}
Ext AtanDeg(Ext x)
{
    return std::atan(x) / kDegToRad;
}

// Julian centuries from J2000.0 to the moment dayValue (day of the year plus a fraction, from noon) of year.
Ext CenturiesFromJ2000(int year, Ext dayValue)
{
    const Ext t = JulianDay(1, 1, year).julianDay + dayValue - 1 - kJulianDayJ2000;
    return t / kDaysPerJulianCentury;
}

Ext WrapTo180(Ext angleDeg)
{
    if (!std::isfinite(angleDeg))
        return angleDeg;
    while (angleDeg > 180)
        angleDeg -= 360;
    while (angleDeg < -180)
        angleDeg += 360;
    return angleDeg;
}

// Altitude and azimuth for solar data already taken; the hour angle follows the clock of referenceMeridianDeg.
SunAltAzResult SunSeenAt(double declinationDeg, const SunPositionResult& sun, double referenceMeridianDeg,
                         double longitudeDeg, double latDeg, double clockHours, bool apparent)
{
    // West-positive longitudes: a site west of its reference meridian sees the sun later, so its hour angle is
    // smaller than the clock's.
    Ext hourAngleDeg =
        (static_cast<Ext>(clockHours) - 12) * 15 - (static_cast<Ext>(longitudeDeg) - referenceMeridianDeg);
    if (apparent)
        hourAngleDeg += sun.equationOfTimeDeg;
    const HorizontalResult horizontal =
        HorizontalCoordinates(static_cast<double>(hourAngleDeg), declinationDeg, latDeg);
    return {.altitudeDeg = horizontal.altitudeDeg,
            .azimuthDeg = horizontal.azimuthDeg,
            .declinationDeg = declinationDeg,
            .equationOfTimeDeg = sun.equationOfTimeDeg,
            .obliquityDeg = sun.obliquityDeg};
}

} // namespace

JulianDayResult JulianDay(int day, int month, int year)
{
    JulianDayResult result;
    long long y = year;
    long long m = month;
    if (month <= 2) {
        // January and February count as months 13 and 14 of the previous year, so that the leap day ends it.
        y = year - 1LL;
        m = month + 12LL;
    }

    // The calendar date as yyyymmdd; the Gregorian reform skipped 5 to 14 October 1582.
    const long long date = year * 10000LL + month * 100LL + day;
    long long b = 0; // century correction of the Gregorian calendar
    long long dayUsed = day;
    if (date >= 15821015) {
        b = y / 400 - y / 100;
    } else if (date <= 15821004) {
        b = -2;
    } else {
        dayUsed = 15;
        b = -12;
        result.dateCorrected = true;
    }

    const Ext jd = std::trunc(365.25L * y) + std::trunc(30.6001L * (m + 1)) + dayUsed + b + 1720997;
    result.julianDay = static_cast<double>(jd);
    return result;
}

int DayOfYear(int year, int month, int day)
{
    long long n = 0;
    if (month < 3) {
        n = (month - 1LL) * 31 + day;
    } else {
        // 30.6001 days per month from March on reproduces the 31/30 pattern of the month lengths.
        n = static_cast<long long>(std::trunc(month * 30.6001L - 32.3L)) + day;
        const bool leapYear = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        if (leapYear)
            ++n;
    }
    return static_cast<int>(n);
}

SunPositionResult SunPosition(int year, double dayValue)
{
    const Ext T = CenturiesFromJ2000(year, dayValue);

    // Mean anomaly (Meeus 25.3 with the cubic term); the large linear part is reduced before the small terms
    // are added, so that they keep their digits.
    Ext M = Reduce360Extended(35999 * T);
    M = Reduce360Extended(M + 357.5291L + T * (0.0503L - T * (0.0001559L + 4.8e-7L * T)));

    // Mean obliquity (Meeus 22.2, linear), longitude of the Moon's ascending node, true obliquity (25.8).
    const Ext eps0 = 23.43929111L - 0.013004167L * T;
    const Ext omega = 125.04452L - 1934.136261L * T;
    const Ext eps = eps0 + 0.00256L * CosDeg(omega);

    // Geometric mean longitude referred to the mean equinox of the date (Meeus 28.2 in centuries).
    Ext L0 = Reduce360Extended(36000 * T);
    L0 = Reduce360Extended(L0 + 280.4664567L + T * (0.76982772L + 0.0003032L * T));

    // Equation of the centre (Meeus ch. 25) and apparent longitude: aberration and nutation in longitude.
    const Ext C = SinDeg(M) * (1.9146L - T * (0.004817L + 1.4e-5L * T)) + SinDeg(2 * M) * (0.019993L - 0.000101L * T) +
                  SinDeg(3 * M) * 0.00029L;
    const Ext lambda = L0 + C - 0.00569L - 0.00478L * SinDeg(omega);

    // Declination: arcsin(sin eps sin lambda), written through arctan as the series is published.
    const Ext s = SinDeg(eps) * SinDeg(lambda);
    const Ext declination = AtanDeg(s / std::sqrt(1 - s * s));

    // Right ascension in the quadrant of lambda: tan alpha = cos eps tan lambda.
    Ext alpha = AtanDeg(CosDeg(eps) * SinDeg(lambda) / CosDeg(lambda));
    if (alpha < 0)
        alpha += 180;
    if (s < 0)
        alpha += 180;

    // Equation of time (Meeus 28.3): L0 - 0.0057183 - alpha + dpsi cos eps, dpsi from the two largest terms.
    const Ext dpsi = -0.00477778L * SinDeg(omega) - 0.00036667L * SinDeg(2 * L0);
    const Ext equationOfTime = WrapTo180(dpsi * CosDeg(eps) + (L0 - 0.0057183L - alpha));

    return {.declinationDeg = static_cast<double>(declination),
            .equationOfTimeDeg = static_cast<double>(equationOfTime),
            .obliquityDeg = static_cast<double>(eps)};
}

HorizontalResult HorizontalCoordinates(double hDeg, double declDeg, double latDeg)
{
    Ext h = hDeg;
    if (std::abs(h) > 1e6L)
        h = std::fmod(h, Ext(360)); // same remainder, without a million steps; NaN for an infinite angle
    while (std::abs(h) > 180)
        h -= Sign(static_cast<double>(h)) * 360;

    const Ext sinPhi = SinDeg(latDeg);
    const Ext cosPhi = CosDeg(latDeg);
    const Ext sinDelta = SinDeg(declDeg);
    const Ext cosDelta = CosDeg(declDeg);
    const Ext cosH = CosDeg(h);

    // Cosine of the zenith distance; kept off 0 (divisor) and inside (-1, 1) (square root).
    Ext u = sinPhi * sinDelta + cosPhi * cosDelta * cosH;
    if (std::abs(u) < 1e-8L)
        u = (Sign(static_cast<double>(u)) + 0.2L) * 1e-8L;
    else if (std::abs(u) >= 1)
        u = Sign(static_cast<double>(u)) * 0.9999999L;
    Ext z = AtanDeg(std::sqrt(1 - u * u) / u);
    if (z < 0)
        z += 180;

    Ext azimuth = 0;
    if (z >= 0.0001L) {
        // Cosine of the azimuth from south, from the spherical triangle pole-zenith-sun.
        Ext w = (-sinDelta * cosPhi + cosDelta * cosH * sinPhi) / SinDeg(z);
        if (std::abs(w) > 1)
            w = Sign(static_cast<double>(w));
        else if (std::abs(w) < 1e-10L)
            w = (Sign(static_cast<double>(w)) + 0.2L) * 1e-10L;
        if (w == -1) {
            azimuth = 180;
        } else {
            azimuth = AtanDeg(std::sqrt(1 - w * w) / w);
            if (azimuth < 0)
                azimuth += 180;
        }
    }
    if (h < 0)
        azimuth = -azimuth; // morning: the sun is east of the meridian
    if (h == 0)
        azimuth = latDeg >= declDeg ? 0 : 180;

    return {.altitudeDeg = static_cast<double>(90 - z), .azimuthDeg = static_cast<double>(azimuth)};
}

SunAltAzResult SunAltAzDaily(int year, double dayOfYear, double referenceMeridianDeg, double longitudeDeg,
                             double latDeg, double clockHours, bool apparent)
{
    // 12h on the reference meridian is 12h + referenceMeridianDeg / 15 UT (west positive).
    const Ext dayValue = dayOfYear + (static_cast<Ext>(referenceMeridianDeg) / 15) / 24;
    const SunPositionResult sun = SunPosition(year, static_cast<double>(dayValue));
    return SunSeenAt(sun.declinationDeg, sun, referenceMeridianDeg, longitudeDeg, latDeg, clockHours, apparent);
}

SunAltAzResult SunAltAzAt(int year, double dayOfYear, double referenceMeridianDeg, double longitudeDeg, double latDeg,
                          double clockHours, bool apparent)
{
    constexpr double kEquinoxDeclinationDeg = 0.3; // within this the sun counts as standing on the equator
    const Ext dayValue = dayOfYear + (clockHours + static_cast<Ext>(referenceMeridianDeg) / 15 - 12) / 24;
    const SunPositionResult sun = SunPosition(year, static_cast<double>(dayValue));
    const double declinationDeg = std::abs(sun.declinationDeg) < kEquinoxDeclinationDeg ? 0.0 : sun.declinationDeg;
    return SunSeenAt(declinationDeg, sun, referenceMeridianDeg, longitudeDeg, latDeg, clockHours, apparent);
}

SunRiseSetResult SunRiseSet(int year, double dayOfYear, double longitudeDeg, double latDeg)
{
    const SunAltAzResult noon = SunAltAzDaily(year, dayOfYear, longitudeDeg, longitudeDeg, latDeg, 12, false);

    // Half day arc H0: cos H0 = -tan(phi) tan(delta).
    const Ext sinPhiSinDelta = SinDeg(latDeg) * SinDeg(noon.declinationDeg);
    const Ext e = -sinPhiSinDelta / CosDeg(latDeg) / CosDeg(noon.declinationDeg);
    Ext arcDeg = 0;
    if (std::abs(e) < 1e-12L) {
        arcDeg = 90;
    } else if (std::abs(e) >= 1) {
        // No rise or set: the sun circles above the horizon when pole and sun are in the same hemisphere
        // (polar day, arc 180), else below it (polar night, arc 0). Decided on sin(phi) sin(delta), which
        // keeps its sign where cos(phi) rounds through zero at the pole.
        arcDeg = sinPhiSinDelta > 0 ? 180 : 0;
    } else {
        arcDeg = AtanDeg(std::sqrt(1 - e * e) / e);
        if (arcDeg < 0)
            arcDeg += 180;
    }

    const auto riseHour = static_cast<double>(12 - arcDeg / 15);
    const auto setHour = static_cast<double>(12 + arcDeg / 15);
    const SunAltAzResult rise = SunAltAzDaily(year, dayOfYear, longitudeDeg, longitudeDeg, latDeg, riseHour, false);
    const SunAltAzResult set = SunAltAzDaily(year, dayOfYear, longitudeDeg, longitudeDeg, latDeg, setHour, false);
    return {.riseHour = riseHour,
            .setHour = setHour,
            .riseAzimuthDeg = rise.azimuthDeg,
            .setAzimuthDeg = set.azimuthDeg,
            .declinationDeg = set.declinationDeg,
            .obliquityDeg = set.obliquityDeg};
}

double DesignYearObliquity(int year)
{
    // Mean obliquity about the March equinox (day 80) of the year, Meeus 22.2 to the linear term.
    const Ext T = (JulianDay(1, 1, year).julianDay + 80 - 1 - kJulianDayJ2000) / kDaysPerJulianCentury;
    return static_cast<double>(23.43929111L - 0.013004167L * T);
}

ZodiacTableResult FillZodiacTable(int year)
{
    ZodiacTableResult result;
    result.obliquityDeg = DesignYearObliquity(year);
    result.roundedObliquityDeg = static_cast<double>(std::nearbyint(static_cast<Ext>(result.obliquityDeg) * 100) / 100);

    // Ecliptic longitude 270 + 5i degrees: sin(-eps) sin(90 + 5i) = sin(eps) sin(270 + 5i).
    const Ext sinMinusEps = SinDeg(-static_cast<Ext>(result.roundedObliquityDeg));
    for (std::size_t i = 0; i < result.declinationsDeg.size(); ++i) {
        const Ext s = sinMinusEps * SinDeg(5 * static_cast<Ext>(i) + 90);
        result.declinationsDeg[i] = static_cast<double>(std::asin(s) / kDegToRad);
    }
    result.declinationsDeg[18] = 0; // the equinox, exactly
    return result;
}

SunsetAngle SunsetHourAngle(double latitudeDeg, double declinationDeg)
{
    const double cosArc = -SafeTan(declinationDeg * degToRad) * SafeTan(latitudeDeg * degToRad);
    if (cosArc < -1)
        return {SunDay::PolarDay, 180};
    if (!(cosArc <= 1))
        return {SunDay::PolarNight, 0};
    return {SunDay::RisesAndSets, std::acos(cosArc) / degToRad};
}

} // namespace umbrix
