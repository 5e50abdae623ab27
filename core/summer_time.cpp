#include "core/summer_time.h"

#include "core/ephemeris.h"

#include <algorithm>
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

constexpr double kEuSwitchUtHours = 1;   // the European rule switches at 01:00 UTC
constexpr double kCustomSwitchHours = 2; // a custom period switches at 02:00 zone time
constexpr double kNoon = 12;

/// Zone time hours from 1 January 00:00 of `year` to hours on `date`.
double HoursIntoYear(int year, DayMonth date, double hours)
{
    return (DayOfYear(year, date.month, date.day) - 1) * kHoursPerDay + hours;
}

/// Spans from `start` to `end` (hours into a year of yearHours), two across the new year.
std::vector<SummerSpan> SpansBetween(double start, double end, double yearHours, double offsetHours)
{
    if (start == end)
        return {};
    if (start < end)
        return {{start, end, offsetHours, {}}};
    return {{0, end, offsetHours, {}}, {start, yearHours, offsetHours, {}}};
}

/// The date of whole day `day` (1 for 1 January) of `year`.
DayMonth DateOfYearDay(int year, int day)
{
    int month = 1;
    while (month < 12 && DayOfYear(year, month + 1, 1) <= day)
        ++month;
    return {day - DayOfYear(year, month, 1) + 1, month};
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

std::string_view RuleName(SummerTimeRule rule)
{
    switch (rule) {
    case SummerTimeRule::Zone:
        return "zone";
    case SummerTimeRule::None:
        return "none";
    case SummerTimeRule::Eu:
        return "eu";
    case SummerTimeRule::Custom:
        return "custom";
    }
    return {};
}

std::optional<SummerTimeRule> RuleNamed(std::string_view name)
{
    for (const SummerTimeRule rule :
         {SummerTimeRule::Zone, SummerTimeRule::None, SummerTimeRule::Eu, SummerTimeRule::Custom})
        if (RuleName(rule) == name)
            return rule;
    return std::nullopt;
}

SummerTimeRule RuleInForce(const DstOptions& options)
{
    if (options.rule)
        return *options.rule;
    if (!options.timeZone.empty())
        return SummerTimeRule::Zone;
    return options.start || options.end ? SummerTimeRule::Custom : SummerTimeRule::Eu;
}

SummerSchedule ScheduleOf(const DstOptions& options, double zoneMeridian, int year)
{
    SummerSchedule schedule;
    schedule.rule = RuleInForce(options);
    schedule.year = year;
    const double yearHours = DayOfYear(year, 12, 31) * kHoursPerDay;
    const double utToZone = -zoneMeridian / 15; // zone time = UTC - meridian / 15 (west positive)
    const SummerTimePeriod europe = EuropeanSummerTime(year);
    const double euStart = HoursIntoYear(year, europe.start, kEuSwitchUtHours + utToZone);
    const double euEnd = HoursIntoYear(year, europe.end, kEuSwitchUtHours + utToZone);
    switch (schedule.rule) {
    case SummerTimeRule::Zone:
        if (options.zone.year == year)
            schedule.spans = options.zone.spans;
        for (const ZoneSummerTime& other : options.zoneOtherYears)
            if (other.year == year)
                schedule.spans = other.spans;
        break;
    case SummerTimeRule::None:
        break;
    case SummerTimeRule::Eu:
        if (IsValidDstOffset(options.offsetHours))
            schedule.spans = SpansBetween(euStart, euEnd, yearHours, options.offsetHours);
        break;
    case SummerTimeRule::Custom: {
        if (!IsValidDstOffset(options.offsetHours) || (options.start && !IsValidDayMonth(*options.start)) ||
            (options.end && !IsValidDayMonth(*options.end)))
            break;
        // 29 February in a common year: the day after 28 February.
        auto dayHours = [&](DayMonth date) {
            return (DayOfYear(year, date.month, 1) - 1 + date.day - 1) * kHoursPerDay;
        };
        const double start = options.start ? dayHours(*options.start) + kCustomSwitchHours : euStart;
        const double end =
            options.end ? std::fmod(dayHours(*options.end) + kHoursPerDay, yearHours) + kCustomSwitchHours : euEnd;
        schedule.spans = SpansBetween(start, end, yearHours, options.offsetHours);
        break;
    }
    }
    return schedule;
}

const SummerSpan* SpanAt(const SummerSchedule& schedule, DayMonth date, double zoneHours)
{
    if (!std::isfinite(zoneHours) || !IsValidDayMonth(date))
        return nullptr;
    const double at = HoursIntoYear(schedule.year, date, zoneHours);
    for (const SummerSpan& span : schedule.spans)
        if (at >= span.startHours && at < span.endHours)
            return &span;
    return nullptr;
}

std::optional<double> SummerOffsetAt(const SummerSchedule& schedule, DayMonth date, double zoneHours)
{
    if (const SummerSpan* span = SpanAt(schedule, date, zoneHours))
        return span->offsetHours;
    return std::nullopt;
}

const SummerSpan* SpanAtNoon(const SummerSchedule& schedule, DayMonth date)
{
    const double at = HoursIntoYear(schedule.year, date, kNoon);
    for (const SummerSpan& span : schedule.spans)
        if (at >= span.startHours && at < span.endHours)
            return &span;
    return nullptr;
}

std::optional<SummerTimePeriod> NoonPeriod(const SummerSchedule& schedule)
{
    const int days = DayOfYear(schedule.year, 12, 31);
    std::vector<bool> summer(static_cast<std::size_t>(days));
    for (int d = 1; d <= days; ++d)
        summer[static_cast<std::size_t>(d - 1)] = SpanAtNoon(schedule, DateOfYearDay(schedule.year, d)) != nullptr;
    if (std::none_of(summer.begin(), summer.end(), [](bool b) { return b; }))
        return std::nullopt;
    if (std::all_of(summer.begin(), summer.end(), [](bool b) { return b; }))
        return SummerTimePeriod{{1, 1}, {31, 12}};
    // Runs of summer days, the one through the new year joined: start from a day after a winter day.
    int bestStart = 0;
    int bestLength = 0;
    for (int d = 0; d < days; ++d) {
        const auto at = [&](int k) { return summer[static_cast<std::size_t>(((k % days) + days) % days)]; };
        if (!at(d) || at(d - 1))
            continue;
        int length = 0;
        while (at(d + length))
            ++length;
        if (length > bestLength) {
            bestLength = length;
            bestStart = d;
        }
    }
    return SummerTimePeriod{DateOfYearDay(schedule.year, bestStart + 1),
                            DateOfYearDay(schedule.year, (bestStart + bestLength - 1) % days + 1)};
}

std::optional<SummerTimePeriod> SummerTimePeriodOf(const DstOptions& options, double zoneMeridian, int year)
{
    return NoonPeriod(ScheduleOf(options, zoneMeridian, year));
}

std::optional<double> SummerOffsetOf(const DstOptions& options, double zoneMeridian, int year)
{
    const SummerSchedule schedule = ScheduleOf(options, zoneMeridian, year);
    if (schedule.spans.empty())
        return std::nullopt;
    const double offset = schedule.spans.front().offsetHours;
    return IsValidDstOffset(offset) ? std::optional<double>(offset) : std::nullopt;
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

std::optional<double> SummerTimeAt(const DstOptions& options, double zoneMeridian, int year, DayMonth date,
                                   double zoneHours)
{
    const std::optional<double> offset = SummerOffsetAt(ScheduleOf(options, zoneMeridian, year), date, zoneHours);
    if (!offset)
        return std::nullopt;
    return ReduceHours24(zoneHours + *offset);
}

} // namespace umbrix
