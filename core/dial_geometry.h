#pragma once
// The dial in three dimensions: its plane, its gnomon line and its hour curve, in the horizon frame of the
// site, and the exact inversion of the hour curve along a shadow.
//
// Horizon frame: east, north, up (right-handed). The sun of hour angle H (positive in the afternoon) and
// declination d at latitude L has the unit vector
//   s = (-cos d sin H,  sin d cos L - cos d cos H sin L,  sin d sin L + cos d cos H cos L).
//
// Why the analemmatic dial works, whatever its plane and gnomon. Let p = (0, cos L, sin L) be the polar axis
// and C(H) = a (sin H, cos H sin L, -cos H cos L) the point of hour angle H of the equatorial circle of
// radius a, on the side away from the sun. The point Q(d) = a tan d p of the polar axis then sees the sun
// exactly behind C(H): C(H) - Q(d) = -(a / cos d) s. So the plane through the gnomon line (direction g)
// through Q and the sun's direction contains C(H) and the line through C(H) parallel to g. Projecting along
// g onto the dial plane takes Q(d) to the gnomon's foot and C(H) to a point of the shadow line. Hence: hour
// point = projection of C(H) along g (the orthographic projection of the equatorial circle along the
// gnomon), date point = projection of Q(d) along g, and the shadow of a gnomon standing on its date point
// passes the hour point of the sun's hour angle.
//
// The program's hour-point formulas (linear in sin H and cos H) and date-scale formulas (linear in tan d)
// are exactly these projections for the following planes and gnomons. The plane of inclination ze and
// deviation P (the face turned to azimuth P from south, positive towards west, tilted ze from level) has
//   normal n = (-sin P sin ze, -cos P sin ze, cos ze), x axis (cos P, -sin P, 0),
//   y axis (sin P cos ze, cos P cos ze, sin ze)   (x axis x y axis = n; y rises away from the face's azimuth);
// a gnomon of inclination z and deviation D has g(z, D) = (-sin z sin D, -sin z cos D, cos z) (it leans
// towards azimuth D). The formulas of each type then read:
//   types 0, 1, 7: level plane (ze = P = 0), g(z, D);
//   type 2:        plane (ze, P), vertical gnomon g = up;
//   type 3:        plane (ze, 0), g(z, 0);
//   type 4:        vertical plane (ze = 90, P = 0), g(z, 0) with |z| at least 0.01 degrees;
//   type 5:        vertical plane (ze = 90, P), gnomon along the plane's normal, g = g(90, P);
//   type 6:        level plane, vertical gnomon (the hour ellipse of mean time; the date scale is moved by
//                  the equation of time, which the projection does not give: the dial's design error).
// Example, type 3: n.C(H) = -a cos H cos(L - ze) and g.n = cos(z - ze), so the projection
// C + (a cos H cos(L - ze) / cos(z - ze)) g has y = a cos H (sin(L - ze) + cos(L - ze) tan(ze - z)).
// The same frame gives the shadow path's tips (types 0, 1, 3, 4, 6 and 7): gnomonHeight is the length of
// the gnomon along g. Dial type 7 has its gnomon's foot at the centre P(0/0): the hour curve of a date line
// of declination d is f (proj C(H) / a - tan d proj p), whose points lie on the shadow rays from the centre
// for any scale f; the point Z at distanceZ is the centre of similitude of these ellipses.

#include "core/model.h"

#include <array>
#include <optional>

namespace umbrix {

/// A vector of the horizon frame: east, north, up.
struct Vec3 {
    double east = 0;
    double north = 0;
    double up = 0;
};

/// The dial's plane and gnomon in the horizon frame; all unit vectors.
struct DialFrame {
    Vec3 normal; // the face's normal, on the side the gnomon stands
    Vec3 xAxis;  // the dial's x axis (the major axis of the hour ellipse)
    Vec3 yAxis;  // the dial's y axis; xAxis x yAxis = normal
    Vec3 gnomon; // from the gnomon's foot towards its tip; gnomon . normal > 0
};

/// The frame of the dial type (see above). None when an angle is not finite or the gnomon lies within
/// 0.001 degrees of the plane (no shadow can be read).
[[nodiscard]] std::optional<DialFrame> DialFrameOf(const DialParameters& p);

/// The sun's unit vector in the horizon frame for hour angle hourAngleDeg (positive in the afternoon),
/// declination declDeg and latitude latitudeDeg.
[[nodiscard]] Vec3 SunDirection(double hourAngleDeg, double declDeg, double latitudeDeg);

/// The point of hour angle hourAngleDeg of the equatorial circle of radius `radius` centred on the dial's
/// centre, on the side away from the sun: radius (sin H, cos H sin L, -cos H cos L).
[[nodiscard]] Vec3 EquatorialCirclePoint(double hourAngleDeg, double latitudeDeg, double radius);

/// The point `distance` along the polar axis from the dial's centre: distance (0, cos L, sin L).
[[nodiscard]] Vec3 PolarAxisPoint(double latitudeDeg, double distance);

/// Dial coordinates (x, y) of the point where the line through `point` parallel to the gnomon meets the
/// plane through the dial's centre.
[[nodiscard]] DialPoint ProjectAlongGnomon(const DialFrame& frame, Vec3 point);

/// Where the shadow of a gnomon goes for the sun `sun` (unit vector).
struct ShadowGeometry {
    DialPoint direction; // unit vector in dial coordinates, from the foot away from the sun
    DialPoint tip;       // the shadow of the gnomon's tip relative to the foot, for a gnomon of length 1
};

/// None when the sun is at or below the horizon, at or behind the plane of the face, or along the gnomon.
/// direction = projection of -s along g; tip = g - (g.n / s.n) s, both in dial coordinates.
[[nodiscard]] std::optional<ShadowGeometry> ShadowOnDial(const DialFrame& frame, Vec3 sun);

/// The frame with its gnomon turned by angleDeg about its foot, its tip moving towards the horizontal
/// direction `towards` (rotation about gnomon x towards). A gnomon lying along `towards` is turned in the
/// vertical plane through that direction instead (rotation about up x towards).
[[nodiscard]] DialFrame TiltGnomon(const DialFrame& frame, Vec3 towards, double angleDeg);

/// An hour curve in dial coordinates: the mark of hour angle H (degrees, positive in the afternoon, the zone
/// correction included) is centre + sin H sinAxis + cos H cosAxis.
struct HourCurve {
    DialPoint centre;
    DialPoint sinAxis;
    DialPoint cosAxis;
};

/// The hour ellipse of dial types 0 to 6, from HourMarkPosition (centre 0).
[[nodiscard]] HourCurve HourCurveOf(const DialParameters& p);

/// Dial type 7: the hour ellipse of the date line of declination declDeg, from FixedHourMarkPosition with the
/// scale FixedGnomonEllipseAxis.
[[nodiscard]] HourCurve FixedHourCurveOf(const DialParameters& p, double declDeg);

/// The mark of hour angle hourAngleDeg on the curve.
[[nodiscard]] DialPoint HourCurvePoint(const HourCurve& curve, double hourAngleDeg);

/// The unit tangent of the curve at hourAngleDeg, in the direction of increasing time; (0, 0) where the curve
/// has no direction.
[[nodiscard]] DialPoint HourCurveTangent(const HourCurve& curve, double hourAngleDeg);

/// Where a ray from `origin` along `direction` meets the hour curve.
struct CurveCrossing {
    double hourAngleDeg = 0; // -180..180
    double distance = 0;     // along the ray, in units of |direction|; > 0
};
struct RayCrossings {
    int count = 0; // 0, 1 or 2
    std::array<CurveCrossing, 2> crossings{};
};

/// The crossings of the ray origin + t direction, t > 0, with the whole ellipse, nearest first, by the exact
/// inversion of its formula: the linear map (sinAxis, cosAxis) takes the unit circle to the curve, so with
/// G = M^-1 (origin - centre) and e = M^-1 direction, |G + t e| = 1 gives t, and (sin H, cos H) = G + t e.
/// None when the curve or the direction is degenerate.
[[nodiscard]] RayCrossings CrossHourCurve(const HourCurve& curve, DialPoint origin, DialPoint direction);

} // namespace umbrix
