#pragma once
// Summer time (daylight saving time): from one instant to another the clocks run a fixed offset ahead of
// standard time of the zone meridian ("zone time"). Which instants, follows the dial's rule:
//   zone    the transitions of the dial's time zone in the design year, handed in by the host as spans;
//   none    no summer time;
//   eu      the European rule: from 01:00 UTC on the last Sunday of March to 01:00 UTC on the last Sunday
//           of October;
//   custom  from 02:00 zone time on dstStart to 02:00 zone time on the day after dstEnd (dstEnd is the last
//           whole day of summer time); an end that is not set follows the European rule.
// A clock time is summer time from the switch instant on. A period whose start lies after its end in the
// year wraps over the new year, as in the southern hemisphere. Times in decimal hours.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// A calendar date without its year.
struct DayMonth {
    int day = 1;   // 1..31
    int month = 1; // 1..12
};

/// Days of a year from one date to another, both included; start after end wraps over the new year.
struct SummerTimePeriod {
    DayMonth start;
    DayMonth end;
};

constexpr double kDstOffsetLimitHours = 2;  // dstOffsetHours runs from -2 to 2 ...
constexpr double kDstOffsetStepHours = 0.5; // ... in steps of half an hour, and is never 0
constexpr double kDstRingScaleMin = 0.5;    // dstRingScale: the inner ring's size as a fraction of the dial
constexpr double kDstRingScaleMax = 0.95;

/// Where the summer time of a dial comes from; the value of `summerTimeRule`.
enum class SummerTimeRule : std::uint8_t { Zone = 0, None = 1, Eu = 2, Custom = 3 };

/// The word of a rule on the command line and in files: "zone", "none", "eu", "custom".
[[nodiscard]] std::string_view RuleName(SummerTimeRule rule);
/// The rule of a word, or none.
[[nodiscard]] std::optional<SummerTimeRule> RuleNamed(std::string_view name);

/// One stretch of a year in which the clocks run `offsetHours` ahead of zone time: from `startHours` up to
/// (not including) `endHours`, both zone time counted in hours from 1 January 00:00 of the year. A period
/// across the new year is two spans, one from 0 and one up to the end of the year.
struct SummerSpan {
    double startHours = 0;
    double endHours = 0;
    double offsetHours = 1;
    std::string abbreviation; // of the clock time in the span ("CEST"); empty without a zone
};

/// What the host read from the dial's time zone for one year: plain data, no time-zone library here.
struct ZoneSummerTime {
    int year = 0;                     // the year the spans are of; 0: not resolved
    double zoneMeridian = 0;          // degrees, west positive, of the zone's standard offset
    std::string standardAbbreviation; // "CET"
    std::vector<SummerSpan> spans;    // in year order, offsets above zone time only
};

/// The summer-time hours a dial shows; the number is the configuration file's and the JSON report's.
enum class DstRingKind : std::uint8_t {
    None = 0,
    SecondLabels = 1, // every hour point gets a second label, its hour plus the offset
    InnerRing = 2,    // an inner hour ellipse with a date scale of its own, scaled about P
};
constexpr int kDstRingCount = 3;

/// The summer-time options of a dial.
struct DstOptions {
    DstRingKind ring = DstRingKind::None;       // dstRing
    double offsetHours = 1;                     // dstOffsetHours: summer time minus standard time
    double ringScale = 0.8;                     // dstRingScale: the inner ring's scale about P (InnerRing)
    std::optional<DayMonth> start;              // dstStart; none: the European rule
    std::optional<DayMonth> end;                // dstEnd; none: the European rule
    std::optional<SummerTimeRule> rule;         // summerTimeRule; none: RuleInForce's default
    std::string timeZone;                       // timeZone: an IANA zone name ("Europe/Vienna"); empty: none
    ZoneSummerTime zone;                        // timeZone resolved by the host for the design year
    std::vector<ZoneSummerTime> zoneOtherYears; // the same zone for further years a host asked for
};

/// The rule in force: the one set, else `zone` with a time zone, `custom` when dstStart or dstEnd is set,
/// else `eu` (so that files without the rule read as before).
[[nodiscard]] SummerTimeRule RuleInForce(const DstOptions& options);

/// The summer time of one year under the rule in force.
struct SummerSchedule {
    SummerTimeRule rule = SummerTimeRule::Eu;
    int year = 0;
    std::vector<SummerSpan> spans; // empty: no summer time that year
};

/// The schedule of `year` for a zone meridian (degrees, west positive: zone time = UTC - meridian / 15 h).
/// Under `zone` the host's spans, when they are of that year (else none); no spans when the offset or a
/// date that is set is not valid.
[[nodiscard]] SummerSchedule ScheduleOf(const DstOptions& options, double zoneMeridian, int year);

/// The offset in force at zone time zoneHours on `date` of the schedule's year, or none outside summer time.
[[nodiscard]] std::optional<double> SummerOffsetAt(const SummerSchedule& schedule, DayMonth date, double zoneHours);

/// The span in force at zone time zoneHours on `date` of the schedule's year, or null outside summer time.
[[nodiscard]] const SummerSpan* SpanAt(const SummerSchedule& schedule, DayMonth date, double zoneHours);

/// The span in force at noon (12:00 zone time) of `date`, or null.
[[nodiscard]] const SummerSpan* SpanAtNoon(const SummerSchedule& schedule, DayMonth date);

/// The days whose noon is summer time as one period (start after end: across the new year); none without
/// summer time. Of several periods in one year, the longest.
[[nodiscard]] std::optional<SummerTimePeriod> NoonPeriod(const SummerSchedule& schedule);

/// -2..2 in steps of 0.5, not 0.
[[nodiscard]] bool IsValidDstOffset(double hours);
/// 0.5..0.95.
[[nodiscard]] bool IsValidDstRingScale(double scale);
/// A date that exists in some year: 29 February counts.
[[nodiscard]] bool IsValidDayMonth(DayMonth date);

/// The European rule for `year`: the last Sundays of March and of October.
[[nodiscard]] SummerTimePeriod EuropeanSummerTime(int year);

/// The days of `year` whose noon is summer time under the options (see NoonPeriod). None without summer
/// time or when a date that is set is not valid.
[[nodiscard]] std::optional<SummerTimePeriod> SummerTimePeriodOf(const DstOptions& options, double zoneMeridian,
                                                                 int year);

/// Whether month/day lies in the period, both ends included.
[[nodiscard]] bool InSummerTime(const SummerTimePeriod& period, DayMonth date);

/// hours reduced to [0, 24).
[[nodiscard]] double ReduceHours24(double hours);

/// The summer time at standard time zoneHours on `date` of `year`: zoneHours + offset, reduced to [0, 24),
/// from the switch instant on; none outside summer time, and none when the options are not valid.
[[nodiscard]] std::optional<double> SummerTimeAt(const DstOptions& options, double zoneMeridian, int year,
                                                 DayMonth date, double zoneHours);

/// The offset of summer time in force under the options: the zone's summer offset under `zone` (that of
/// its first span), dstOffsetHours under `eu` and `custom`; none under `none`, for a zone without summer
/// time, or when the offset is not valid.
[[nodiscard]] std::optional<double> SummerOffsetOf(const DstOptions& options, double zoneMeridian, int year);

} // namespace umbrix
