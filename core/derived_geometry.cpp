#include "core/derived_geometry.h"

#include "core/numeric.h"

#include <algorithm>
#include <cmath>

namespace umbrix {

namespace {

constexpr double kFixedGnomonDenominatorGuard = 1e-9; // Z on a date line's own axis point: a huge, finite scale

/// cos(planeInclination - gnomonInclination), unguarded.
double PlaneGnomonCosine(const DialParameters& p)
{
    return std::cos((p.planeInclination - p.gnomonInclination) * degToRad);
}

struct Axes {
    double semiMinor = 0;
    double extentX = 0;
    double extentY = 0;
};

/// The axes of DeriveAxes for the semi-major axis a.
Axes AxesOf(const DialParameters& p, double a, double obliquityDeg)
{
    const double sinL = std::sin(p.latitude * degToRad);
    const double cosL = std::cos(p.latitude * degToRad);
    const double tanZ = std::tan(p.gnomonInclination * degToRad);
    const double cosD = std::cos(p.gnomonDeviation * degToRad);
    const double sinP = std::sin(p.planeDeviation * degToRad);
    const double cosP = std::cos(p.planeDeviation * degToRad);
    const double te = std::tan(obliquityDeg * degToRad);
    switch (p.type()) {
    case DialType::Horizontal:
    case DialType::HorizontalTiltedGnomon:
    case DialType::MeanTime:
    case DialType::FixedGnomon: {
        const double b = a * (sinL - tanZ * cosD * cosL);
        return {b, a, std::max(b, a * te * (cosL + tanZ * cosD * sinL))};
    }
    case DialType::InclinedPlane: {
        const double u = std::max(a * sinL, a * cosL * te);
        return {a * sinL, std::max(a * cosP, u * sinP), std::max(u * cosP, a * sinP)};
    }
    case DialType::InclinedPlaneGnomon:
    case DialType::VerticalSouth: {
        const double b = std::abs(a * cosL * cosP);
        return {b, std::max(a, a * sinL * te), std::max(b, a * cosL * sinP * te)};
    }
    case DialType::VerticalDeclining: {
        const double b = a * sinL;
        return {b, a, std::max(b, a * cosL * te)};
    }
    }
    return {};
}

} // namespace

DerivedGeometry DeriveAxes(const DialParameters& p, double obliquityDeg, double fixedGnomonReach)
{
    const double a = p.type() == DialType::FixedGnomon ? std::max(p.semiMajorAxis, fixedGnomonReach) : p.semiMajorAxis;
    const Axes axes = AxesOf(p, a, obliquityDeg);
    return {.cosPlaneGnomon = Guard(PlaneGnomonCosine(p), kPlaneGnomonCosineGuard),
            .drawingScaleCosine = Guard(PlaneGnomonCosine(p), kDrawingScaleCosineGuard),
            .semiMinorAxis = axes.semiMinor,
            .extentX = axes.extentX,
            .extentY = axes.extentY,
            .fixedGnomonReach = fixedGnomonReach};
}

DerivedGeometry DeriveGeometry(const DialParameters& p, double obliquityDeg, double roundedObliquityDeg)
{
    return DeriveAxes(p, obliquityDeg, FixedGnomonReach(p, roundedObliquityDeg));
}

namespace {

struct GnomonProjection {
    double s; // Sign(A)
    double q; // sqrt(A^2 + B^2)
};

GnomonProjection Projection(const DialParameters& p)
{
    const double sinL = std::sin(p.latitude * degToRad);
    const double cosL = std::cos(p.latitude * degToRad);
    const double tanZ = std::tan(p.gnomonInclination * degToRad);
    const double a = cosL + std::cos(p.gnomonDeviation * degToRad) * sinL * tanZ;
    const double b = std::sin(p.gnomonDeviation * degToRad) * sinL * tanZ;
    return {static_cast<double>(Sign(a)), std::sqrt(a * a + b * b)};
}

} // namespace

double DateScaleFactor(const DialParameters& p)
{
    const double sinL = std::sin(p.latitude * degToRad);
    const double cosL = std::cos(p.latitude * degToRad);
    const double sinD = std::sin(p.gnomonDeviation * degToRad);
    const double cosD = std::cos(p.gnomonDeviation * degToRad);
    const double tanZ = std::tan(p.gnomonInclination * degToRad);
    const double first = cosL + cosD * sinL * tanZ;
    const double second = sinD * sinL * std::tan(-p.gnomonInclination * degToRad);
    return std::tan(23.45 * degToRad) * std::sqrt(first * first + second * second);
}

double FixedGnomonEllipseAxis(const DialParameters& p, double declDeg)
{
    const GnomonProjection g = Projection(p);
    const double a = p.semiMajorAxis;
    const double zd = p.distanceZ;
    return a * zd / Guard(zd - std::tan(declDeg * degToRad) * g.s * g.q * a, kFixedGnomonDenominatorGuard);
}

double FixedGnomonReach(const DialParameters& p, double roundedObliquity)
{
    return FixedGnomonEllipseAxis(p, Sign(p.distanceZ) * roundedObliquity);
}

} // namespace umbrix
