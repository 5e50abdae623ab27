#include "core/dial_geometry.h"

#include "core/derived_geometry.h"
#include "core/hour_marks.h"
#include "core/numeric.h"

#include <cmath>

namespace umbrix {

namespace {

constexpr double kVerticalPlaneDeg = 90;
constexpr double kType4MinGnomonInclinationDeg = 0.01; // as the hour marks and the date scale
constexpr double kMinGnomonPlaneSine = 1.7e-5;         // about 0.001 degrees between gnomon and plane
constexpr double kMinSunPlaneSine = 1e-12;             // the sun in the plane casts no shadow
constexpr double kMinTiltAxisLength = 1e-9;            // gnomon along the tilt direction
constexpr double kMinCurveDeterminantRelative = 1e-12; // an ellipse flatter than this has no inverse

double Dot(Vec3 a, Vec3 b)
{
    return a.east * b.east + a.north * b.north + a.up * b.up;
}

Vec3 Cross(Vec3 a, Vec3 b)
{
    return {a.north * b.up - a.up * b.north, a.up * b.east - a.east * b.up, a.east * b.north - a.north * b.east};
}

Vec3 Scaled(Vec3 a, double k)
{
    return {a.east * k, a.north * k, a.up * k};
}

Vec3 Sum(Vec3 a, Vec3 b)
{
    return {a.east + b.east, a.north + b.north, a.up + b.up};
}

Vec3 Unit(Vec3 a)
{
    return Scaled(a, 1 / std::sqrt(Dot(a, a)));
}

bool Finite(Vec3 a)
{
    return std::isfinite(a.east) && std::isfinite(a.north) && std::isfinite(a.up);
}

/// Dial coordinates of a vector lying in the plane.
DialPoint InPlane(const DialFrame& frame, Vec3 v)
{
    return {Dot(v, frame.xAxis), Dot(v, frame.yAxis)};
}

/// The plane of inclination ze and deviation P: normal, x axis, y axis.
DialFrame PlaneOf(double inclinationDeg, double deviationDeg)
{
    const double sinZe = std::sin(inclinationDeg * degToRad);
    const double cosZe = std::cos(inclinationDeg * degToRad);
    const double sinP = std::sin(deviationDeg * degToRad);
    const double cosP = std::cos(deviationDeg * degToRad);
    DialFrame frame;
    frame.normal = {-sinP * sinZe, -cosP * sinZe, cosZe};
    frame.xAxis = {cosP, -sinP, 0};
    frame.yAxis = {sinP * cosZe, cosP * cosZe, sinZe};
    return frame;
}

/// The gnomon of inclination z leaning towards azimuth D.
Vec3 GnomonOf(double inclinationDeg, double deviationDeg)
{
    const double sinZ = std::sin(inclinationDeg * degToRad);
    return {-sinZ * std::sin(deviationDeg * degToRad), -sinZ * std::cos(deviationDeg * degToRad),
            std::cos(inclinationDeg * degToRad)};
}

DialPoint Plus(DialPoint a, DialPoint b)
{
    return {a.x + b.x, a.y + b.y};
}

DialPoint Minus(DialPoint a, DialPoint b)
{
    return {a.x - b.x, a.y - b.y};
}

DialPoint Times(DialPoint a, double k)
{
    return {a.x * k, a.y * k};
}

/// The curve centre + sin H sinAxis + cos H cosAxis of an hour-mark formula, from its marks at 0, 90 and 180
/// degrees: every formula of the program is of this form.
template <typename Formula> HourCurve CurveThrough(Formula mark)
{
    const DialPoint noon = mark(0);
    const DialPoint evening = mark(90);
    const DialPoint midnight = mark(180);
    const DialPoint centre = Times(Plus(noon, midnight), 0.5);
    return {centre, Minus(evening, centre), Times(Minus(noon, midnight), 0.5)};
}

} // namespace

std::optional<DialFrame> DialFrameOf(const DialParameters& p)
{
    const Vec3 up{0, 0, 1};
    DialFrame frame;
    switch (p.type()) {
    case DialType::Horizontal:
    case DialType::HorizontalTiltedGnomon:
    case DialType::FixedGnomon:
        frame = PlaneOf(0, 0);
        frame.gnomon = GnomonOf(p.gnomonInclination, p.gnomonDeviation);
        break;
    case DialType::InclinedPlane:
        frame = PlaneOf(p.planeInclination, p.planeDeviation);
        frame.gnomon = up;
        break;
    case DialType::InclinedPlaneGnomon:
        frame = PlaneOf(p.planeInclination, 0);
        frame.gnomon = GnomonOf(p.gnomonInclination, 0);
        break;
    case DialType::VerticalSouth: {
        const double z = std::abs(p.gnomonInclination) < kType4MinGnomonInclinationDeg ? kType4MinGnomonInclinationDeg
                                                                                       : p.gnomonInclination;
        frame = PlaneOf(kVerticalPlaneDeg, 0);
        frame.gnomon = GnomonOf(z, 0);
        break;
    }
    case DialType::VerticalDeclining:
        frame = PlaneOf(kVerticalPlaneDeg, p.planeDeviation);
        frame.gnomon = frame.normal;
        break;
    case DialType::MeanTime:
        frame = PlaneOf(0, 0);
        frame.gnomon = up;
        break;
    }
    if (!Finite(frame.normal) || !Finite(frame.xAxis) || !Finite(frame.yAxis) || !Finite(frame.gnomon))
        return std::nullopt;
    // Only the gnomon's line enters the projections; its tip is put on the side of the face.
    const double gnomonNormal = Dot(frame.gnomon, frame.normal);
    if (!(std::abs(gnomonNormal) >= kMinGnomonPlaneSine))
        return std::nullopt;
    if (gnomonNormal < 0)
        frame.gnomon = Scaled(frame.gnomon, -1);
    return frame;
}

Vec3 SunDirection(double hourAngleDeg, double declDeg, double latitudeDeg)
{
    const double sinH = std::sin(hourAngleDeg * degToRad);
    const double cosH = std::cos(hourAngleDeg * degToRad);
    const double sinD = std::sin(declDeg * degToRad);
    const double cosD = std::cos(declDeg * degToRad);
    const double sinL = std::sin(latitudeDeg * degToRad);
    const double cosL = std::cos(latitudeDeg * degToRad);
    return {-cosD * sinH, sinD * cosL - cosD * cosH * sinL, sinD * sinL + cosD * cosH * cosL};
}

Vec3 EquatorialCirclePoint(double hourAngleDeg, double latitudeDeg, double radius)
{
    const double cosH = std::cos(hourAngleDeg * degToRad);
    return {radius * std::sin(hourAngleDeg * degToRad), radius * cosH * std::sin(latitudeDeg * degToRad),
            -radius * cosH * std::cos(latitudeDeg * degToRad)};
}

Vec3 PolarAxisPoint(double latitudeDeg, double distance)
{
    return {0, distance * std::cos(latitudeDeg * degToRad), distance * std::sin(latitudeDeg * degToRad)};
}

DialPoint ProjectAlongGnomon(const DialFrame& frame, Vec3 point)
{
    const double k = Dot(point, frame.normal) / Dot(frame.gnomon, frame.normal);
    return InPlane(frame, Sum(point, Scaled(frame.gnomon, -k)));
}

std::optional<ShadowGeometry> ShadowOnDial(const DialFrame& frame, Vec3 sun)
{
    const double sunNormal = Dot(sun, frame.normal);
    if (!(sun.up > 0) || !(sunNormal > kMinSunPlaneSine))
        return std::nullopt;
    // The tip g casts its shadow at g - k s on the plane, k = g.n / s.n; the foot casts it on itself.
    const double k = Dot(frame.gnomon, frame.normal) / sunNormal;
    const DialPoint tip = InPlane(frame, Sum(frame.gnomon, Scaled(sun, -k)));
    const double length = std::hypot(tip.x, tip.y);
    if (!(length > 0) || !std::isfinite(length))
        return std::nullopt; // the sun along the gnomon: no direction
    return ShadowGeometry{Times(tip, 1 / length), tip};
}

DialFrame TiltGnomon(const DialFrame& frame, Vec3 towards, double angleDeg)
{
    Vec3 axis = Cross(frame.gnomon, towards);
    if (!(std::sqrt(Dot(axis, axis)) > kMinTiltAxisLength))
        axis = Cross(Vec3{0, 0, 1}, towards);
    axis = Unit(axis);
    // Rodrigues: the component along the axis stays, the rest turns by the angle.
    const double c = std::cos(angleDeg * degToRad);
    const double s = std::sin(angleDeg * degToRad);
    const Vec3 g = frame.gnomon;
    DialFrame tilted = frame;
    tilted.gnomon = Sum(Sum(Scaled(g, c), Scaled(Cross(axis, g), s)), Scaled(axis, Dot(axis, g) * (1 - c)));
    return tilted;
}

HourCurve HourCurveOf(const DialParameters& p)
{
    return CurveThrough([&](double hourAngleDeg) { return HourMarkPosition(p, hourAngleDeg); });
}

HourCurve FixedHourCurveOf(const DialParameters& p, double declDeg)
{
    const double scale = FixedGnomonEllipseAxis(p, declDeg);
    return CurveThrough([&](double hourAngleDeg) { return FixedHourMarkPosition(p, scale, declDeg, hourAngleDeg); });
}

DialPoint HourCurvePoint(const HourCurve& curve, double hourAngleDeg)
{
    return Plus(curve.centre, Plus(Times(curve.sinAxis, std::sin(hourAngleDeg * degToRad)),
                                   Times(curve.cosAxis, std::cos(hourAngleDeg * degToRad))));
}

DialPoint HourCurveTangent(const HourCurve& curve, double hourAngleDeg)
{
    const DialPoint d = Minus(Times(curve.sinAxis, std::cos(hourAngleDeg * degToRad)),
                              Times(curve.cosAxis, std::sin(hourAngleDeg * degToRad)));
    const double length = std::hypot(d.x, d.y);
    if (!(length > 0) || !std::isfinite(length))
        return {};
    return Times(d, 1 / length);
}

RayCrossings CrossHourCurve(const HourCurve& curve, DialPoint origin, DialPoint direction)
{
    RayCrossings out;
    // M = [sinAxis cosAxis] maps (sin H, cos H) to the curve relative to its centre.
    const DialPoint u = curve.sinAxis;
    const DialPoint v = curve.cosAxis;
    const double det = u.x * v.y - v.x * u.y;
    const double scale = (u.x * u.x + u.y * u.y + v.x * v.x + v.y * v.y);
    if (!(std::abs(det) > kMinCurveDeterminantRelative * scale))
        return out;
    const auto inverse = [&](DialPoint w) {
        return DialPoint{(v.y * w.x - v.x * w.y) / det, (u.x * w.y - u.y * w.x) / det};
    };
    const DialPoint g = inverse(Minus(origin, curve.centre));
    const DialPoint e = inverse(direction);
    const double ee = e.x * e.x + e.y * e.y;
    const double ge = g.x * e.x + g.y * e.y;
    const double gg1 = g.x * g.x + g.y * g.y - 1;
    const double disc = ge * ge - ee * gg1;
    if (!(ee > 0) || !(disc >= 0) || !std::isfinite(disc))
        return out;
    // The two roots of ee t^2 + 2 ge t + gg1 = 0 without cancellation.
    const double q = -(ge + std::copysign(std::sqrt(disc), ge));
    std::array<double, 2> roots{q / ee, q != 0 ? gg1 / q : q / ee};
    if (roots[1] < roots[0])
        std::swap(roots[0], roots[1]);
    for (std::size_t i = 0; i < roots.size(); ++i) {
        const double t = roots[i];
        if (!(t > 0) || (i == 1 && t == roots[0]))
            continue;
        const DialPoint onCircle = Plus(g, Times(e, t));
        out.crossings[static_cast<std::size_t>(out.count++)] = {std::atan2(onCircle.x, onCircle.y) / degToRad, t};
    }
    return out;
}

} // namespace umbrix
