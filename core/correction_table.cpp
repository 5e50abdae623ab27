#include "core/correction_table.h"

#include "core/accuracy.h"
#include "core/date_scale.h"
#include "core/dst_ring.h"
#include "core/ephemeris.h"
#include "core/reading.h"

#include <cmath>

namespace umbrix {

namespace {

constexpr double kMinutesPerDegree = 4; // of hour angle
constexpr double kMinutesPerHour = 60;
constexpr double kNoon = 12;

/// The calendar date of day `day` (1 for 1 January, with a fraction: the day it falls in) of `year`; days
/// outside the year are taken round it.
DayMonth DateOfDay(int year, double day)
{
    const int yearLength = DayOfYear(year, 12, 31);
    int whole = static_cast<int>(std::floor(day));
    whole = ((whole - 1) % yearLength + yearLength) % yearLength + 1;
    int month = 1;
    while (month < 12 && DayOfYear(year, month + 1, 1) <= whole)
        ++month;
    return {whole - DayOfYear(year, month, 1) + 1, month};
}

} // namespace

CorrectionTable ComputeCorrectionTable(const DialParameters& p, const Results& r, const DstOptions& dst)
{
    CorrectionTable table;
    const SummerSchedule schedule = ScheduleOf(dst, p.zoneMeridian, p.year);
    table.offsetHours = SummerOffsetOf(dst, p.zoneMeridian, p.year);
    table.rule = schedule.rule;
    const bool meanTime = p.type() == DialType::MeanTime;
    const double longitudeMinutes = kMinutesPerDegree * (ReferenceMeridian(p) - p.zoneMeridian);
    const DialClock siteApparent{false, p.longitude, p.longitude};
    // In summer the inner ring is read: its hours are already summer time, so only the sun's terms remain.
    const bool innerRingRead = dst.ring == DstRingKind::InnerRing && DstRingAllowed(p, DstRingKind::InnerRing);
    for (const AccuracyRow& row : AccuracyRows(p, r)) {
        // The sun on the site's meridian: apparent noon.
        const SolarInstant noon = SunAtDialTime(siteApparent, p.year, row.dayOfYear, kNoon);
        CorrectionRow& out = table.rows.emplace_back();
        out.label = row.label;
        out.equationOfTimeMinutes = meanTime ? 0 : kMinutesPerDegree * noon.equationOfTimeDeg;
        out.longitudeMinutes = longitudeMinutes;
        out.standardTimeMinutes = longitudeMinutes - out.equationOfTimeMinutes;
        out.apparentNoon = noon.utHours - p.zoneMeridian / 15;
        if (const SummerSpan* span = SpanAtNoon(schedule, DateOfDay(p.year, row.dayOfYear))) {
            out.summerTimeMinutes =
                out.standardTimeMinutes + (innerRingRead ? 0.0 : kMinutesPerHour * span->offsetHours);
            out.apparentNoonSummerTime = out.apparentNoon + span->offsetHours;
            out.summerAbbreviation = span->abbreviation;
        }
        if (!std::isfinite(out.standardTimeMinutes) || !std::isfinite(out.apparentNoon))
            return {table.offsetHours, table.rule, {}};
    }
    return table;
}

} // namespace umbrix
