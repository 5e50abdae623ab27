#pragma once
// An independent computation of what a dial shows, for the tests: plain vector geometry in the horizon frame
// (east, north, up), written from the description of each dial type. It shares nothing with the product's
// geometry and reading code; only the sun comes from the program's ephemeris.

#include "core/ephemeris.h"
#include "core/model.h"
#include "core/numeric.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace umbrix::independent {

struct V {
    double e = 0, n = 0, u = 0;
};
inline V operator+(V a, V b)
{
    return {a.e + b.e, a.n + b.n, a.u + b.u};
}
inline V operator-(V a, V b)
{
    return {a.e - b.e, a.n - b.n, a.u - b.u};
}
inline V operator*(double k, V a)
{
    return {k * a.e, k * a.n, k * a.u};
}
inline double Dot(V a, V b)
{
    return a.e * b.e + a.n * b.n + a.u * b.u;
}
inline V CrossV(V a, V b)
{
    return {a.n * b.u - a.u * b.n, a.u * b.e - a.e * b.u, a.e * b.n - a.n * b.e};
}
inline double Rad(double deg)
{
    return deg * degToRad;
}
/// Tilts the north and up components by angle (the north axis rises), about the east axis.
inline V AboutEast(V v, double deg)
{
    return {v.e, v.n * std::cos(Rad(deg)) - v.u * std::sin(Rad(deg)),
            v.n * std::sin(Rad(deg)) + v.u * std::cos(Rad(deg))};
}
/// Turns counter-clockwise seen from above (east towards north) by angle, about the vertical.
inline V AboutUp(V v, double deg)
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
inline Solid SolidOf(const DialParameters& p)
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
inline V SunVector(double hourAngleDeg, double declDeg, double latDeg)
{
    const HorizontalResult h = HorizontalCoordinates(hourAngleDeg, declDeg, latDeg);
    return {-std::sin(Rad(h.azimuthDeg)) * std::cos(Rad(h.altitudeDeg)),
            -std::cos(Rad(h.azimuthDeg)) * std::cos(Rad(h.altitudeDeg)), std::sin(Rad(h.altitudeDeg))};
}

/// Where the line through point q parallel to the gnomon meets the face (through the centre).
inline V Along(const Solid& s, V q)
{
    return q - (Dot(q, s.normal) / Dot(s.gnomon, s.normal)) * s.gnomon;
}

/// The point of hour angle H of the equatorial circle of radius r round the centre, on the side away from
/// the sun, and the point at distance t along the polar axis.
inline V EquatorPoint(double hDeg, double latDeg, double r)
{
    return {r * std::sin(Rad(hDeg)), r * std::cos(Rad(hDeg)) * std::sin(Rad(latDeg)),
            -r * std::cos(Rad(hDeg)) * std::cos(Rad(latDeg))};
}
inline V PolePoint(double latDeg, double t)
{
    return {0, t * std::cos(Rad(latDeg)), t * std::sin(Rad(latDeg))};
}

/// The sun at universal time utHours of day `day` (1 for 1 January, may carry a fraction) of `year`.
struct IndependentSun {
    double declinationDeg = 0;
    double equationOfTimeDeg = 0;
    double hourAngleDeg = 0; // at the site
};
inline IndependentSun SunAtUt(const DialParameters& p, int year, double day, double utHours)
{
    const SunPositionResult sun = SunPosition(year, day + (utHours - 12) / 24);
    return {sun.declinationDeg, sun.equationOfTimeDeg, (utHours - 12) * 15 - p.longitude + sun.equationOfTimeDeg};
}

/// What the dial shows with the gnomon's foot at dial point (fx, fy) for the sun of universal time utHours:
/// the shadow of the tip of a gnomon of length gnomonLength, the dial time of the instant, and the time read
/// where the shadow ray crosses curve(H) (the 3-D point of the curve's mark of hour angle H) within the hour
/// range, the crossing nearest the dial time. No shadow and no reading when the sun is down or behind the face.
struct IndependentReading {
    bool shadow = false;
    double tipX = 0, tipY = 0; // dial coordinates
    double dialTime = 0;
    std::optional<double> reading;
};
template <typename Curve>
IndependentReading ReadIndependently(const Model& m, const Solid& s, double fx, double fy, int year, double day,
                                     double utHours, double gnomonLength, Curve curve)
{
    const DialParameters& p = m.params;
    const double reference = p.showZoneTime ? p.zoneMeridian : p.longitude;
    const bool meanTime = p.type() == DialType::MeanTime;
    const IndependentSun sun = SunAtUt(p, year, day, utHours);
    IndependentReading out;
    out.dialTime = utHours - reference / 15 + (meanTime ? 0 : sun.equationOfTimeDeg / 15);
    out.dialTime -= 24 * std::floor(out.dialTime / 24);
    const V sv = SunVector(sun.hourAngleDeg, sun.declinationDeg, p.latitude);
    if (sv.u <= 0 || Dot(sv, s.normal) <= 0)
        return out;
    // The shadow of the tip falls where the ray from the sun through the tip meets the face.
    const V foot = fx * s.x + fy * s.y;
    const V tip = foot + gnomonLength * s.gnomon;
    const V shadowTip = tip - (Dot(tip, s.normal) / Dot(sv, s.normal)) * sv;
    out.shadow = true;
    out.tipX = Dot(shadowTip, s.x);
    out.tipY = Dot(shadowTip, s.y);
    const V dir = shadowTip - foot;
    // Marks of the drawn range whose direction from the foot is the shadow's: sign changes of the side.
    const double zc = reference - p.longitude;
    const auto side = [&](double hDeg) { return Dot(CrossV(dir, curve(hDeg) - foot), s.normal); };
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
        if (!out.reading || std::abs(read - out.dialTime) < std::abs(*out.reading - out.dialTime))
            out.reading = read;
    }
    return out;
}

/// Universal time of dial time h on day `day` of the dial's year: mean time directly, apparent time by
/// iterating the equation of time.
inline double UtOfDialTime(const DialParameters& p, double day, double h)
{
    const double reference = p.showZoneTime ? p.zoneMeridian : p.longitude;
    double ut = h + reference / 15;
    if (p.type() == DialType::MeanTime)
        return ut;
    for (int i = 0; i < 6; ++i)
        ut = h + reference / 15 - SunAtUt(p, p.year, day, ut).equationOfTimeDeg / 15;
    return ut;
}

} // namespace umbrix::independent
