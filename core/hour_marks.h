#pragma once
// Hour marks of the analemmatic dial.
//
// Dial types 0 to 6: the marks lie on one ellipse of semi-major axis a = semiMajorAxis centred on P(0/0),
// x along the major axis (the line of the 6 and 18 o'clock marks), y along the minor axis. A mark at hour
// angle H (degrees, positive in the afternoon) is the projection of the point (sin H, cos H) of the unit
// circle of the sun's daily path onto the dial plane. Dial type 7 (fixed gnomon at distanceZ) gives every
// date line its own, differently scaled ellipse.
//
// Hour angle of a mark at hour h and mn minutes: H = (h - 12) 15 + mn / 4 + (zoneMeridian - longitude) Z
// degrees, Z = 1 with showZoneTime (mean sun at zone time, west-positive longitudes) else 0 (apparent local
// time). The equation of time is left to the date scale, which moves the gnomon.

#include "core/date_scale.h"
#include "core/grid.h"
#include "core/model.h"

#include <string>

namespace umbrix {

/// The hour marks of dial types 0 to 6 and what is listed with them.
struct HourMarksResult {
    HourPointTable points{}; // slots 1..count
    int count = 0;
    StringGrid listing; // StrGridStd
    DialPoint riseSetPoint{};
    bool riseSetPointReal = false;
    std::string riseSetLabel; // lKoordAufUnter
};

/// Dial types 0 to 6: the HourPointTable (entries 1 .. (hourTo - hourFrom) linesPerHour + 1, at most 145),
/// its listing for StrGridStd, riseSetPoint for UsableRiseSetDeclination and the label text lKoordAufUnter.
/// Reads the semi-minor axis and the plane/gnomon cosine of the derived geometry.
///
/// Derivation (the independent vector computation of the tests, tests/core/independent_dial.h, checks it
/// for every type). In the horizon frame (east, north, up) of the dial's centre, take the equatorial
/// circle of radius a about the centre and, on it, the point of hour angle H on the side away from the sun:
///   E(H) = a (sin H, cos H sin L, -cos H cos L).
/// The polar-axis point Q = a tan(decl) (0, cos L, sin L) makes E(H) - Q = (a / cos decl)(cos decl E/a -
/// sin decl pole), which is the direction away from the sun of declination decl at hour angle H. So the
/// plane through Q that holds the gnomon's direction g and the sun's ray also holds E(H). Projecting along
/// g onto the face (P' = P - (P.n / g.n) g, n the face's normal) maps that plane onto the shadow line
/// of a gnomon standing at Q's projection (the date mark, ComputeDateMark), and E(H) onto a point of that
/// line: the hour mark. Hour marks are the projected E(H), x = P'.x-axis, y = P'.y-axis of the face.
/// For a level face n = (0, 0, 1) and a gnomon tilted by z towards azimuth D (from south, positive west),
/// g = (-sin z sin D, -sin z cos D, cos z), which gives the types 0, 1 line below; the other types tilt the
/// face by ze about the east axis and turn it by P, or stand the gnomon along the face's normal (type 5).
/// Signs: H > 0 is the afternoon, the sun in the west, so E(H) and the mark lie east (x > 0); at noon E
/// lies north of the centre below the horizon, so the noon mark lies north (y > 0) in the northern
/// hemisphere, and at a southern latitude (sin L < 0) it lies south.
///   types 0, 1: x = a (sin H - cos H sin D cos L tan z),   y = a cos H (sin L - tan z cos L cos D)
///   type 2:     x = a (cos P sin H - sin P sin L cos H),   y = a (cos P sin L cos H + sin P sin H) / cos ze
///   type 3:     x = a sin H,                               y = a cos H (sin(L - ze) + cos(L - ze) tan(ze - z))
///   type 4:     x = a sin H,                               y = a cos H (sin L / tan z - cos L)
///   type 5:     x = a (cos P sin H - sin P sin L cos H),   y = -a cos L cos H
///   type 6:     x = a sin H,                               y = a sin L cos H
/// L latitude, z, D gnomon inclination and deviation, ze, P plane inclination and deviation.
[[nodiscard]] HourMarksResult ComputeHourMarks(const Model& model);

/// A rise/set declination of magnitude below 1e-9 degrees counts as 1e-9: it keeps tan rho and the marks
/// off the centre line. Other declinations are returned as they are.
[[nodiscard]] double UsableRiseSetDeclination(double riseSetDeclinationDeg);

/// The marks of the fixed-gnomon dial (type 7) and what is listed with them.
struct FixedGnomonMarksResult {
    DateScaleResult dates;    // the date lines: fixed declinations of the zodiac table
    FixedHourPoints points{}; // lines 1..lineCount, entries 1..pointCount
    FixedScale scales{};      // semi-major axis of each date line's ellipse
    HalfDayArc halfDayArcs{}; // degrees
    int lineCount = 0;
    int pointCount = 0;
    StringGrid listing; // StrGridStd
};

/// Dial type 7: the date marks (fixed declinations), FixedScale, HalfDayArc and FixedHourPoints of the
/// 6m + 1 date lines (m = marksPerMonth, limited to 3), and StrGridStd listing date line
/// (marksPerMonth + 1) div 2. On date line n with f = FixedScale[n], T = tan(declination n):
///   x = f (sin H - sin D tan z (cos L cos H + sin L T))
///   y = f (sin L cos H - cos L T - tan z cos D (cos L cos H + sin L T))
/// HalfDayArc[n] = arccos(-T tan L) in degrees; 180 where the sun does not set, 0 where it does not rise.
[[nodiscard]] FixedGnomonMarksResult ComputeFixedGnomonMarks(const Model& model);

/// Type 7: semi-major axis of the hour ellipse of date mark n (1..72, declination from `dates`),
/// a Zd / (Zd - tan(decl) s Q a). A scale that would be infinite (Z on the date line's own axis point) is
/// kept finite by the guarded denominator.
[[nodiscard]] double FixedEllipseAxis(const DialParameters& p, const DateMarkTable& dates, int n);

/// The same for the declination ZodiacDeclinationTable[i - 1], i = 1..37 (other i are brought into that
/// range).
[[nodiscard]] double ZodiacEllipseAxis(const Model& model, int i);

/// Position of an hour mark of dial types 0 to 6 at hour angle hourAngleDeg (degrees, positive in the
/// afternoon, the zone correction already added), by the formulas of ComputeHourMarks. Dial type 7 gives
/// the ellipse of a gnomon standing on the centre (the formula of types 0 and 1).
[[nodiscard]] DialPoint HourMarkPosition(const DialParameters& p, double hourAngleDeg);

/// Dial type 7: the point at hour angle hourAngleDeg (zone correction added) on the hour ellipse of scale
/// `scale` of the date line of declination declDeg, by the formulas of ComputeFixedGnomonMarks.
[[nodiscard]] DialPoint FixedHourMarkPosition(const DialParameters& p, double scale, double declDeg,
                                              double hourAngleDeg);

/// Position of the right-hand rise/set mark for the declination rho (degrees) on the dial:
/// q = sin L / cos rho, c = cos(L - z); y = c a tan rho / g, x = sqrt(1 - q^2) a c cos ze / g with
/// g = cosPlaneGnomon of the derived geometry. `real` is false when |q| > 1 (no real position); x is then 0.
struct RiseSetPosition {
    double x = 0;
    double y = 0;
    bool real = false;
};
[[nodiscard]] RiseSetPosition RiseSetPointFor(const DialParameters& p, const DerivedGeometry& derived, double rhoDeg);

} // namespace umbrix
