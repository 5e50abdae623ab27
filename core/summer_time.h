#pragma once
// Summer time (daylight saving time): on the days of a period the clocks run a fixed offset ahead of
// standard time of the zone meridian. The period is a pair of calendar dates; each end that is not set
// follows the European rule (last Sunday of March to last Sunday of October). Both ends are whole days of
// summer time; a start later in the year than the end wraps over the new year, as in the southern
// hemisphere. Times in decimal hours.

#include <cstdint>
#include <optional>

namespace umbrix {

/// A calendar date without its year.
struct DayMonth {
    int day = 1;   // 1..31
    int month = 1; // 1..12
};

constexpr double kDstOffsetLimitHours = 2;  // dstOffsetHours runs from -2 to 2 ...
constexpr double kDstOffsetStepHours = 0.5; // ... in steps of half an hour, and is never 0
constexpr double kDstRingScaleMin = 0.5;    // dstRingScale: the inner ring's size as a fraction of the dial
constexpr double kDstRingScaleMax = 0.95;

/// The summer-time options of a dial.
/// The summer-time hours a dial shows; the number is the configuration file's and the JSON report's.
enum class DstRingKind : std::uint8_t {
    None = 0,
    SecondLabels = 1, // every hour point gets a second label, its hour plus the offset
    InnerRing = 2,    // an inner hour ellipse with a date scale of its own, scaled about P
};
constexpr int kDstRingCount = 3;

struct DstOptions {
    DstRingKind ring = DstRingKind::None; // dstRing
    double offsetHours = 1;        // dstOffsetHours: summer time minus standard time
    double ringScale = 0.8;        // dstRingScale: the inner ring's scale about P (ring 2)
    std::optional<DayMonth> start; // dstStart; none: the European rule
    std::optional<DayMonth> end;   // dstEnd; none: the European rule
};

/// -2..2 in steps of 0.5, not 0.
[[nodiscard]] bool IsValidDstOffset(double hours);
/// 0.5..0.95.
[[nodiscard]] bool IsValidDstRingScale(double scale);
/// A date that exists in some year: 29 February counts.
[[nodiscard]] bool IsValidDayMonth(DayMonth date);

/// The days of summer time of one year; start after end wraps over the new year.
struct SummerTimePeriod {
    DayMonth start;
    DayMonth end;
};

/// The European rule for `year`: the last Sundays of March and of October.
[[nodiscard]] SummerTimePeriod EuropeanSummerTime(int year);

/// The period the options give for `year`: each end that is set, the European rule for the other. None
/// when an end that is set is no valid date.
[[nodiscard]] std::optional<SummerTimePeriod> SummerTimePeriodOf(const DstOptions& options, int year);

/// Whether month/day lies in the period, both ends included.
[[nodiscard]] bool InSummerTime(const SummerTimePeriod& period, DayMonth date);

/// hours reduced to [0, 24).
[[nodiscard]] double ReduceHours24(double hours);

/// The summer time at standard time zoneHours on `date` of `year`: zoneHours + offset, reduced to [0, 24),
/// inside the period; none outside it, and none when the options' offset or period is not valid.
[[nodiscard]] std::optional<double> SummerTimeAt(const DstOptions& options, int year, DayMonth date, double zoneHours);

} // namespace umbrix
