#include "core/reading.h"

#include "core/date_scale.h"
#include "core/ephemeris.h"
#include "core/numeric.h"

#include <algorithm>
#include <cmath>

namespace umbrix {

namespace {

constexpr int kEquationOfTimeSteps = 3;
constexpr double kHourRangeRoundingHours = 1e-9;
constexpr double kHoursPerDay = 24;

double Reduce24(double hours)
{
    const double reduced = std::fmod(hours, kHoursPerDay);
    return reduced < 0 ? reduced + kHoursPerDay : reduced;
}

} // namespace

DialClock DialClockOf(const DialParameters& p)
{
    return {p.type() == DialType::MeanTime, ReferenceMeridian(p), p.longitude};
}

SolarInstant SunAtUniversalTime(int year, double dayOfYear, double utHours, double longitudeDeg)
{
    const SunPositionResult sun = SunPosition(year, dayOfYear + (utHours - 12) / kHoursPerDay);
    SolarInstant out;
    out.year = year;
    out.dayOfYear = dayOfYear;
    out.utHours = utHours;
    out.declinationDeg = sun.declinationDeg;
    out.equationOfTimeDeg = sun.equationOfTimeDeg;
    // West-positive longitude: the sun reaches a western site later, so its hour angle there is smaller.
    out.hourAngleDeg = (utHours - 12) * 15 - longitudeDeg + sun.equationOfTimeDeg;
    return out;
}

SolarInstant SunAtDialTime(const DialClock& clock, int year, double dayOfYear, double dialHours)
{
    const double meanUt = dialHours + clock.referenceMeridianDeg / 15;
    if (clock.meanTime)
        return SunAtUniversalTime(year, dayOfYear, meanUt, clock.longitudeDeg);
    // Apparent time h: the mean time is h - E / 15 with E at that very instant.
    SolarInstant sun = SunAtUniversalTime(year, dayOfYear, meanUt, clock.longitudeDeg);
    for (int step = 0; step < kEquationOfTimeSteps; ++step)
        sun = SunAtUniversalTime(year, dayOfYear, meanUt - sun.equationOfTimeDeg / 15, clock.longitudeDeg);
    return sun;
}

double DialTimeOf(const DialClock& clock, const SolarInstant& sun)
{
    const double meanTime = sun.utHours - clock.referenceMeridianDeg / 15;
    return Reduce24(clock.meanTime ? meanTime : meanTime + sun.equationOfTimeDeg / 15);
}

std::optional<ReadingDial> MakeReadingDial(const DialParameters& p, const SharedState& s)
{
    const std::optional<DialFrame> frame = DialFrameOf(p);
    if (!frame)
        return std::nullopt;
    ReadingDial dial;
    dial.frame = *frame;
    dial.clock = DialClockOf(p);
    dial.latitudeDeg = p.latitude;
    dial.zoneCorrectionDeg = dial.clock.referenceMeridianDeg - dial.clock.longitudeDeg;
    dial.firstHour = s.hourFrom;
    dial.lastHour = s.hourTo;
    dial.gnomonLength = p.gnomonHeight;
    return dial;
}

Reading ReadDial(const ReadingDial& dial, const GnomonPlacement& placement, const SolarInstant& sun)
{
    Reading out;
    const Vec3 s = SunDirection(sun.hourAngleDeg, sun.declinationDeg, dial.latitudeDeg);
    out.sunAltitudeDeg = std::asin(std::clamp(s.up, -1.0, 1.0)) / degToRad;
    out.sunAzimuthDeg = std::atan2(-s.east, -s.north) / degToRad;
    const std::optional<ShadowGeometry> shadow = ShadowOnDial(dial.frame, s);
    const DialPoint foot = placement.foot;
    if (!shadow || !std::isfinite(foot.x) || !std::isfinite(foot.y))
        return out;
    out.shadowDirection = shadow->direction;
    const DialPoint tip{foot.x + dial.gnomonLength * shadow->tip.x, foot.y + dial.gnomonLength * shadow->tip.y};
    if (std::isfinite(tip.x) && std::isfinite(tip.y))
        out.shadowTip = tip;

    out.status = ReadingStatus::NoCrossing;
    const double instantHours = DialTimeOf(dial.clock, sun);
    const RayCrossings crossings = CrossHourCurve(placement.curve, foot, shadow->direction);
    int inRange = 0;
    for (int i = 0; i < crossings.count; ++i) {
        const double hours =
            12 + (crossings.crossings[static_cast<std::size_t>(i)].hourAngleDeg - dial.zoneCorrectionDeg) / 15;
        for (const double day : {-kHoursPerDay, 0.0, kHoursPerDay}) {
            const double t = hours + day;
            if (!(t >= dial.firstHour - kHourRangeRoundingHours && t <= dial.lastHour + kHourRangeRoundingHours) ||
                !std::isfinite(t))
                continue;
            ++inRange;
            if (!out.dialHours || std::abs(t - instantHours) < std::abs(*out.dialHours - instantHours))
                out.dialHours = t;
        }
    }
    if (out.dialHours)
        out.status = ReadingStatus::Read;
    out.ambiguous = inRange > 1;
    return out;
}

} // namespace umbrix
