#include "core/shadow_path.h"

#include "core/date_scale.h"
#include "core/ephemeris.h"
#include "core/numeric.h"
#include "text/texts.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace umbrix {

namespace {

constexpr double kMinAltitudeDeg = 0.001;           // altitude guard of the tangent divisors
constexpr double kShadowAltitudeDeg = 0.05;         // the sun lower than this casts no usable shadow
constexpr double kDayEdgeHours = 0.05;              // samples this close to sunrise or sunset have none
constexpr double kVerticalPlaneToleranceDeg = 0.03; // plane guard around 90 degrees
constexpr double kNearVerticalDirectionDeg = 89.97; // the sun's direction in a plane within that guard
constexpr double kEdgeOnAzimuthDeg = 0.03;          // sun within this of the plane's horizontal direction
constexpr double kType1MinAltitudeDeg = 0.1;
constexpr double kType4MaxAzimuthDeg = 87;

double TanG(double angleDeg)
{
    return SafeTan(angleDeg * degToRad);
}

/// Constants of the shadow date, computed once before the sampling.
struct DayConstants {
    double ox = 0;        // gnomon tip offset across the meridian, dial units
    double oy = 0;        // gnomon tip offset along the meridian
    double hh = 0;        // effective gnomon height above the plane
    double dateLineY = 0; // noon date line of the shadow date: y0 (types 0, 6) or y1 (type 3), dial units
};

/// One sample: the shadow tip for the sun at altitude altDeg, azimuth azDeg and declination declDeg, or
/// kNoShadow in x and y when the sun is behind the plane (or the tip would not lie at a finite point).
DialPoint ShadowTip(const DialParameters& p, const DayConstants& c, double altDeg, double azDeg, double declDeg)
{
    const DialPoint none{kNoShadow, kNoShadow};
    const double m = p.semiMajorAxis;
    const double h = p.gnomonHeight;
    const double sinAz = std::sin(azDeg * degToRad);
    const double cosAz = std::cos(azDeg * degToRad);
    const double tanDecl = std::tan(declDeg * degToRad);
    const double sinL = std::sin(p.latitude * degToRad);
    const double cosL = std::cos(p.latitude * degToRad);
    const double z = p.gnomonInclination;
    const double ze = p.planeInclination;
    const double horizontalLength = c.hh / TanG(altDeg); // shadow length of the effective height on a level

    // Types 1, 3, 4 and 7: the sun's direction in the plane (c, s) and the shadow length along it.
    auto inPlane = [&](double& cs, double& sn, double& length) {
        const double beta = std::abs(ze - 90) < kVerticalPlaneToleranceDeg ? kNearVerticalDirectionDeg
                                                                           : std::atan(TanG(ze) * cosAz) / degToRad;
        if (std::abs(std::abs(azDeg) - 90) < kEdgeOnAzimuthDeg) {
            cs = 0;
            sn = azDeg < 0 ? -1 : 1;
        } else {
            const double r = std::abs(std::cos(ze * degToRad)) * TanG(azDeg);
            cs = 1 / std::sqrt(r * r + 1);
            if (std::abs(azDeg) > 90)
                cs = -cs;
            sn = std::sqrt(1 - cs * cs);
            if (azDeg < 0)
                sn = -sn;
        }
        if (p.type() == DialType::HorizontalTiltedGnomon)
            length = altDeg <= kType1MinAltitudeDeg ? -1 : c.hh / std::tan(altDeg * degToRad);
        else
            length = std::cos(altDeg * degToRad) * c.hh / std::sin((altDeg + beta) * degToRad);
    };

    double cs = 0;
    double sn = 0;
    double length = 0;
    DialPoint tip = none;
    switch (p.type()) {
    case DialType::Horizontal:
    case DialType::MeanTime:
        tip = {sinAz * horizontalLength, cosAz * horizontalLength + c.oy + c.dateLineY};
        break;
    case DialType::HorizontalTiltedGnomon: {
        inPlane(cs, sn, length);
        if (length < 0)
            return none;
        const double tanZ = std::tan(z * degToRad);
        const double sinD = std::sin(p.gnomonDeviation * degToRad);
        const double cosD = std::cos(p.gnomonDeviation * degToRad);
        tip = {sinAz * horizontalLength + c.ox + m * tanDecl * tanZ * sinD * sinL,
               cosAz * horizontalLength + c.oy + m * tanDecl * (cosL + sinL * cosD * tanZ)};
        break;
    }
    case DialType::InclinedPlaneGnomon:
        inPlane(cs, sn, length);
        if (length < 0)
            return none;
        tip = {length * sn, length * cs + c.dateLineY};
        break;
    case DialType::VerticalSouth: {
        inPlane(cs, sn, length);
        if (length < 0 || std::abs(azDeg) >= kType4MaxAzimuthDeg)
            return none;
        const double zUsed = VerticalSouthGnomonInclination(z);
        const double sinZ = std::sin(z * degToRad);
        tip = {std::tan(azDeg * degToRad) * sinZ * h, m * tanDecl * (sinL + cosL / std::tan(zUsed * degToRad)) +
                                                          h * std::cos(z * degToRad) - h * sinZ * TanG(altDeg) / cosAz};
        break;
    }
    case DialType::FixedGnomon:
        inPlane(cs, sn, length);
        if (length < 0)
            return none;
        tip = {sinAz * horizontalLength + c.ox, cosAz * horizontalLength + c.oy};
        break;
    case DialType::InclinedPlane:
    case DialType::VerticalDeclining:
        return none;
    }
    // A tip at infinity (the sun exactly in the plane) is no point on the dial.
    if (!std::isfinite(tip.x) || !std::isfinite(tip.y))
        return none;
    return tip;
}

/// "h:mm" of a sample, right-aligned to 6 characters ("  7:00", " 14:15").
std::string SampleTimeText(int hour, int minutes)
{
    std::string text = std::to_string(hour) + ":" + std::to_string(minutes);
    if (minutes == 0)
        text += "0";
    if (text.size() < 6)
        text.insert(0, 6 - text.size(), ' ');
    return text;
}

/// An empty StrGridShad with its header row.
StringGrid ShadowGridWithHeader(const Model& model)
{
    StringGrid grid = EmptyGridLike(model.grids.StrGridShad);
    grid.setCell(0, 0, " Nr. ");
    for (int group = 0; group < 4; ++group) {
        grid.setCell(4 * group + 1, 0, std::string(LabelRow(model.state.language, LabelId::Time)));
        grid.setCell(4 * group + 2, 0, "  x  ");
        grid.setCell(4 * group + 3, 0, "  y  ");
    }
    return grid;
}

} // namespace

double HalfDayLength(double latitudeDeg, double declDeg)
{
    const SunsetAngle sunset = SunsetHourAngle(latitudeDeg, declDeg);
    // Polar day: the whole day of 24 hours is lit; polar night: none of it.
    if (sunset.day != SunDay::RisesAndSets)
        return sunset.day == SunDay::PolarDay ? kPolarDayHalfHours : 0;
    return sunset.hourAngleDeg / 15;
}

double ShadowPlaneInclination(double planeInclinationDeg)
{
    if (!(std::abs(planeInclinationDeg - 90) < kVerticalPlaneToleranceDeg))
        return planeInclinationDeg;
    return planeInclinationDeg > 90 ? 90 + kVerticalPlaneToleranceDeg : 90 - kVerticalPlaneToleranceDeg;
}

std::optional<ShadowPathResult> ComputeShadowPath(const Model& model, int year, int month, int day)
{
    if (!HasShadowPath(model.params))
        return std::nullopt;
    // Every constant of the day is taken with the plane's inclination moved out of the band round the
    // vertical: the effective height and the divisor of y1 then share one inclination and the sign of its
    // true cosine, and their large terms cancel as the geometry demands.
    DialParameters p = model.params;
    p.planeInclination = ShadowPlaneInclination(p.planeInclination);
    ShadowPathResult r;
    r.listing = ShadowGridWithHeader(model);
    const double referenceMeridian = ReferenceMeridian(p);
    const double ze = p.planeInclination;
    const double cosPlane = std::cos(ze * degToRad);

    const int dayOfYear = DayOfYear(year, month, day);
    const double h = p.gnomonHeight;
    const double z = p.gnomonInclination;
    DayConstants c;
    c.ox = -h * std::sin(z * degToRad) * std::sin(p.gnomonDeviation * degToRad);
    c.oy = -h * std::sin(z * degToRad) * std::cos(p.gnomonDeviation * degToRad);
    c.hh = h * std::cos((z - ze) * degToRad) / cosPlane;
    const SunAltAzResult noon = SunAltAzAt(year, dayOfYear, p.longitude, p.longitude, p.latitude, 12.0, false);
    r.obliquityDeg = noon.obliquityDeg;
    const double lze = (p.latitude - ze) * degToRad;
    const double y0 =
        p.semiMajorAxis * std::tan(noon.declinationDeg * degToRad) * (std::cos(lze) - std::sin(lze) * TanG(ze - z));
    const double y1 = y0 - h * std::sin(z * degToRad) / cosPlane;
    // Types 0 and 6 add the noon date line y0 to the tip; type 3 the shifted line y1.
    c.dateLineY = p.type() == DialType::InclinedPlaneGnomon ? y1 : y0;

    const int perHour = p.linesPerHour >= 3 ? std::min<int>(p.linesPerHour, 6) : 4;
    const int first = model.state.hourFrom - 2;
    const int last = model.state.hourTo + 2;
    for (int i = first; i <= last; ++i) {
        const int samples = i == last ? 1 : perHour;
        for (int k = 1; k <= samples; ++k) {
            const int s = (i - first) * perHour + k;
            if (s > kShadowPathSlots)
                break;
            ShadowPoint& point = r.points[static_cast<std::size_t>(s)];
            const double clock = i + ((60 / perHour) * (k - 1)) / 60.0;
            point.t = clock;
            r.count = std::max(r.count, s);

            const SunAltAzResult sun =
                SunAltAzAt(year, dayOfYear, referenceMeridian, p.longitude, p.latitude, clock, false);
            r.obliquityDeg = sun.obliquityDeg;
            double alt = sun.altitudeDeg;
            if (std::abs(alt) < kMinAltitudeDeg)
                alt = kMinAltitudeDeg;
            bool lit = alt > kShadowAltitudeDeg;
            if (lit) {
                // Without a sunset there is no day edge: the altitude alone decides.
                const double halfDay = HalfDayLength(p.latitude, sun.declinationDeg);
                lit = halfDay >= kPolarDayHalfHours || halfDay - kDayEdgeHours > std::abs(12 - clock);
            }
            const DialPoint tip =
                lit ? ShadowTip(p, c, alt, sun.azimuthDeg, sun.declinationDeg) : DialPoint{kNoShadow, kNoShadow};
            point.x = tip.x;
            point.y = tip.y;
        }
    }

    // Listing: one grid row per hour (two when there are 5 or 6 samples per hour).
    StringGrid& grid = r.listing;
    const int rowsPerHour = perHour <= 4 ? 1 : 2;
    for (int j = 1; j <= grid.rowCount() - 1 && j <= last - first + 1; ++j) {
        const int hour = first + j - 1;
        const int samples = hour == last ? 1 : perHour;
        for (int k = 1; k <= samples; ++k) {
            const int s = (j - 1) * perHour + k;
            if (s > kShadowPathSlots)
                break;
            const ShadowPoint& point = r.points[static_cast<std::size_t>(s)];
            const int minutes = (k - 1) * 60 / perHour;
            int row = 0;
            int col = 0;
            if (k <= 4) {
                row = (j - 1) * rowsPerHour + 1;
                col = 4 * k - 3;
            } else {
                row = rowsPerHour * j;
                col = 4 * k - 11;
                grid.setCell(1, row, "");
            }
            const bool present = point.x >= kShadowPresentLimit || point.y >= kShadowPresentLimit;
            grid.setCell(col, row, SampleTimeText(hour, minutes));
            grid.setCell(col + 1, row, present ? FormatFixed(7, 3, point.x) : "  *");
            grid.setCell(col + 2, row, present ? FormatFixed(7, 3, point.y) : "  *");
        }
    }
    return r;
}

bool HasShadowPath(const DialParameters& p)
{
    switch (p.type()) {
    case DialType::Horizontal:
    case DialType::HorizontalTiltedGnomon:
    case DialType::InclinedPlaneGnomon:
    case DialType::VerticalSouth:
    case DialType::MeanTime:
    case DialType::FixedGnomon:
        return true;
    case DialType::InclinedPlane:
    case DialType::VerticalDeclining:
        return false;
    }
    return false;
}

double ShadowDayDeclination(const Model& model)
{
    const DialParameters& p = model.params;
    const int dayOfYear = DayOfYear(p.year, model.state.shadowMonth, model.state.shadowDay);
    return SunRiseSet(p.year, dayOfYear, p.longitude, p.latitude).declinationDeg;
}

DialPoint ShadowDayGnomonPosition(const Model& model)
{
    const DialParameters& p = model.params;
    const double rho = SafeTan(ShadowDayDeclination(model) * degToRad) * p.semiMajorAxis;
    const double sinL = std::sin(p.latitude * degToRad);
    const double cosL = std::cos(p.latitude * degToRad);
    switch (p.type()) {
    case DialType::HorizontalTiltedGnomon: {
        const double tanZ = std::tan(p.gnomonInclination * degToRad);
        return {rho * sinL * std::sin(p.gnomonDeviation * degToRad) * tanZ,
                rho * (cosL + std::cos(p.gnomonDeviation * degToRad) * sinL * tanZ)};
    }
    case DialType::VerticalSouth:
        return {0, rho * (sinL + cosL / std::tan(p.gnomonInclination * degToRad))};
    case DialType::VerticalDeclining:
        return {0, rho * sinL};
    case DialType::Horizontal:
    case DialType::InclinedPlane:
    case DialType::InclinedPlaneGnomon:
    case DialType::MeanTime:
    case DialType::FixedGnomon:
        break;
    }
    return {0, rho * std::sin((p.gnomonInclination + 90 - p.latitude) * degToRad) / model.derived.cosPlaneGnomon};
}

} // namespace umbrix
