#include "core/axes.h"

#include "core/numeric.h"

#include <algorithm>
#include <cmath>

namespace umbrix {

void UpdateAxes(DialParameters& p, const SharedState& s)
{
    p.cosPlaneGnomon = Guard(std::cos((p.planeInclination - p.gnomonInclination) * degToRad), 1e-5);

    double a = p.semiMajorAxis;
    if (p.type() == DialType::FixedGnomon)
        a = std::max(a, s.fixedGnomonReach);
    const double sinL = std::sin(p.latitude * degToRad);
    const double cosL = std::cos(p.latitude * degToRad);
    const double tanZ = std::tan(p.gnomonInclination * degToRad);
    const double cosD = std::cos(p.gnomonDeviation * degToRad);
    const double sinP = std::sin(p.planeDeviation * degToRad);
    const double cosP = std::cos(p.planeDeviation * degToRad);
    const double te = std::tan(s.obliquity * degToRad);

    switch (p.type()) {
    case DialType::Horizontal:
    case DialType::HorizontalTiltedGnomon:
    case DialType::MeanTime:
    case DialType::FixedGnomon:
        p.semiMinorAxis = a * (sinL - tanZ * cosD * cosL);
        p.extentX = a;
        p.extentY = std::max(p.semiMinorAxis, a * te * (cosL + tanZ * cosD * sinL));
        break;
    case DialType::InclinedPlane: {
        p.semiMinorAxis = a * sinL;
        const double u = std::max(a * sinL, a * cosL * te);
        p.extentX = std::max(a * cosP, u * sinP);
        p.extentY = std::max(u * cosP, a * sinP);
        break;
    }
    case DialType::InclinedPlaneGnomon:
    case DialType::VerticalSouth:
        p.semiMinorAxis = std::abs(a * cosL * cosP);
        p.extentX = std::max(a, a * sinL * te);
        p.extentY = std::max(p.semiMinorAxis, a * cosL * sinP * te);
        break;
    case DialType::VerticalDeclining:
        p.semiMinorAxis = a * sinL;
        p.extentX = a;
        p.extentY = std::max(p.semiMinorAxis, a * cosL * te);
        break;
    }
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
    return a * zd / Guard(zd - std::tan(declDeg * degToRad) * g.s * g.q * a, 1e-9);
}

double FixedGnomonReach(const DialParameters& p, double roundedObliquity)
{
    return FixedGnomonEllipseAxis(p, Sign(p.distanceZ) * roundedObliquity);
}

} // namespace umbrix
