#include "core/summer_time.h"

#include "core/ephemeris.h"

#include <array>
#include <cmath>

namespace umbrix {

namespace {

constexpr int kDaysPerWeek = 7;
constexpr double kHoursPerDay = 24;
constexpr std::array<int, 12> kLongestMonth{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

/// The last Sunday of `month` (which has 31 days) in `year`. The Julian day number of a noon plus 1, modulo
/// 7, counts the weekday from Sunday (1 January 2000, day 2451545, was a Saturday).
DayMonth LastSundayOf31DayMonth(int year, int month)
{
    constexpr int kLastDay = 31;
    const auto julianDay = static_cast<long long>(JulianDay(kLastDay, month, year).julianDay);
    const int weekday = static_cast<int>((julianDay + 1) % kDaysPerWeek);
    return {kLastDay - weekday, month};
}

/// Order of a date within the year, ignoring the year's length.
int Ordinal(DayMonth date)
{
    return date.month * 32 + date.day;
}

} // namespace

bool IsValidDstOffset(double hours)
{
    if (!(std::abs(hours) <= kDstOffsetLimitHours) || hours == 0)
        return false;
    const double steps = hours / kDstOffsetStepHours;
    return steps == std::round(steps);
}

bool IsValidDstRingScale(double scale)
{
    return scale >= kDstRingScaleMin && scale <= kDstRingScaleMax;
}

bool IsValidDayMonth(DayMonth date)
{
    return date.month >= 1 && date.month <= 12 && date.day >= 1 &&
           date.day <= kLongestMonth[static_cast<std::size_t>(date.month - 1)];
}

SummerTimePeriod EuropeanSummerTime(int year)
{
    constexpr int kMarch = 3;
    constexpr int kOctober = 10;
    return {LastSundayOf31DayMonth(year, kMarch), LastSundayOf31DayMonth(year, kOctober)};
}

std::optional<SummerTimePeriod> SummerTimePeriodOf(const DstOptions& options, int year)
{
    SummerTimePeriod period = EuropeanSummerTime(year);
    if (options.start) {
        if (!IsValidDayMonth(*options.start))
            return std::nullopt;
        period.start = *options.start;
    }
    if (options.end) {
        if (!IsValidDayMonth(*options.end))
            return std::nullopt;
        period.end = *options.end;
    }
    return period;
}

bool InSummerTime(const SummerTimePeriod& period, DayMonth date)
{
    const int day = Ordinal(date);
    const int start = Ordinal(period.start);
    const int end = Ordinal(period.end);
    if (start <= end)
        return day >= start && day <= end;
    return day >= start || day <= end; // over the new year
}

double ReduceHours24(double hours)
{
    const double reduced = std::fmod(hours, kHoursPerDay);
    const double positive = reduced < 0 ? reduced + kHoursPerDay : reduced;
    return positive < kHoursPerDay ? positive : 0; // a tiny negative value rounds up to 24 itself
}

std::optional<double> SummerTimeAt(const DstOptions& options, int year, DayMonth date, double zoneHours)
{
    if (!IsValidDstOffset(options.offsetHours) || !std::isfinite(zoneHours))
        return std::nullopt;
    const std::optional<SummerTimePeriod> period = SummerTimePeriodOf(options, year);
    if (!period || !InSummerTime(*period, date))
        return std::nullopt;
    return ReduceHours24(zoneHours + options.offsetHours);
}

} // namespace umbrix
