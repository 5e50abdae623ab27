#include "core/simulation.h"

#include "core/accuracy.h"
#include "core/date_scale.h"
#include "core/dial_geometry.h"
#include "core/dst_ring.h"
#include "core/ephemeris.h"
#include "core/fields.h"
#include "core/leap_cycle.h"
#include "core/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace umbrix {

namespace {

constexpr double kMinutesPerHour = 60;
constexpr double kHoursPerDay = 24;
constexpr double kNoon = 12;
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::array<int, 12> kDaysInMonth{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int DaysInMonth(int year, int month)
{
    return month == 2 && IsLeapYear(year) ? 29 : kDaysInMonth[static_cast<std::size_t>(month - 1)];
}

/// The Gregorian date of a count of days since 1970-01-01 (H. Hinnant's civil calendar algorithm: eras of
/// 400 years, the year starting on 1 March so that the leap day ends it).
void CivilFromDays(std::int64_t days, Instant& out)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    out.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    out.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    out.year = static_cast<int>(yearOfEra + era * 400 + (out.month <= 2 ? 1 : 0));
}

/// The number written with minDigits..maxDigits decimal digits at the front of `text`, which is consumed;
/// none (nothing consumed) for fewer or more digits.
std::optional<int> TakeNumber(std::string_view& text, std::size_t minDigits, std::size_t maxDigits)
{
    std::size_t n = 0;
    while (n < text.size() && n < maxDigits + 1 && text[n] >= '0' && text[n] <= '9')
        ++n;
    if (n < minDigits || n > maxDigits)
        return std::nullopt;
    int value = 0;
    ReadInteger(text.substr(0, n), value);
    text.remove_prefix(n);
    return value;
}

bool TakeChar(std::string_view& text, char c)
{
    if (text.empty() || text.front() != c)
        return false;
    text.remove_prefix(1);
    return true;
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool Finite(DialPoint point)
{
    return std::isfinite(point.x) && std::isfinite(point.y);
}

DialPoint Between(DialPoint a, DialPoint b, double f)
{
    return {a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f};
}

/// The split dial's loop point for day `day` of the dial's year: linear in the day of year between the
/// neighbouring rows, over the turn of the year from the last row to the first. rows is not empty.
GnomonPlacement LoopPlacement(const std::vector<AccuracyRow>& rows, double day, double yearLength, bool morning)
{
    std::size_t next = 0;
    while (next < rows.size() && rows[next].dayOfYear <= day)
        ++next;
    const AccuracyRow& after = rows[next % rows.size()];
    const AccuracyRow& before = rows[(next + rows.size() - 1) % rows.size()];
    double from = before.dayOfYear;
    double to = after.dayOfYear;
    if (next == 0)
        from -= yearLength; // before the first row: from the last row of the year before
    if (next == rows.size())
        to += yearLength; // after the last row: towards the first row of the next year
    const double f = to > from ? (day - from) / (to - from) : 0;
    const GnomonPlacement& a = morning ? before.morning : before.afternoon;
    const GnomonPlacement& b = morning ? after.morning : after.afternoon;
    return {Between(a.foot, b.foot, f), a.curve};
}

/// The label of the row nearest to day `day` of the year, the distance counted round the year.
std::string NearestRowLabel(const std::vector<AccuracyRow>& rows, double day, double yearLength)
{
    std::string label;
    double best = std::numeric_limits<double>::infinity();
    for (const AccuracyRow& row : rows) {
        const double d = std::abs(row.dayOfYear - day);
        const double distance = std::min(d, yearLength - d);
        if (distance < best) {
            best = distance;
            label = row.label;
        }
    }
    return label;
}

/// Dial type 7: the label of the date line whose declination is nearest to declDeg.
std::string NearestDateLineLabel(const Results& r, double declDeg)
{
    std::string label;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t slot = 1; slot < r.dateMarks.size() && !r.dateMarks[slot].label.empty(); ++slot) {
        const double distance = std::abs(r.dateMarks[slot].declination - declDeg);
        if (distance < best) {
            best = distance;
            label = r.dateMarks[slot].label;
        }
    }
    return label;
}

} // namespace

bool IsValidInstant(const Instant& instant)
{
    return instant.year >= kInstantYearMin && instant.year <= kInstantYearMax && instant.month >= 1 &&
           instant.month <= 12 && instant.day >= 1 && instant.day <= DaysInMonth(instant.year, instant.month) &&
           instant.zoneHours >= 0 && instant.zoneHours < kHoursPerDay;
}

InstantParse ParseInstant(std::string_view text)
{
    constexpr int kLastHour = 23;
    constexpr int kLastMinute = 59;
    InstantParse out;
    text = TrimBlanks(text);
    const std::optional<int> day = TakeNumber(text, 1, 2);
    const bool slash1 = TakeChar(text, '/');
    const std::optional<int> month = TakeNumber(text, 1, 2);
    const bool slash2 = TakeChar(text, '/');
    const std::optional<int> year = TakeNumber(text, 4, 4);
    bool blank = false;
    while (TakeChar(text, ' '))
        blank = true;
    const std::optional<int> hour = TakeNumber(text, 1, 2);
    const bool colon = TakeChar(text, ':');
    const std::optional<int> minute = TakeNumber(text, 2, 2);
    if (!day || !slash1 || !month || !slash2 || !year || !blank || !hour || !colon || !minute || !text.empty())
        return out;
    if (*year < kInstantYearMin || *year > kInstantYearMax) {
        out.error = InstantError::YearOutOfRange;
        return out;
    }
    if (*month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month)) {
        out.error = InstantError::NoSuchDate;
        return out;
    }
    if (*hour > kLastHour || *minute > kLastMinute) {
        out.error = InstantError::NoSuchTime;
        return out;
    }
    out.instant = Instant{*year, *month, *day, *hour + *minute / kMinutesPerHour};
    out.error = InstantError::None;
    return out;
}

std::string InstantDateText(const Instant& instant)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", instant.day % 100, instant.month % 100, instant.year % 10000);
    return text;
}

std::optional<Instant> InstantFromUnixSeconds(std::int64_t unixSeconds, double zoneMeridianDeg)
{
    // West-positive meridians: standard time of a meridian east of Greenwich is ahead of universal time.
    constexpr double kSecondsPerDegree = 240;
    constexpr double kLargestMeridianDeg = 360;
    if (!(std::abs(zoneMeridianDeg) <= kLargestMeridianDeg))
        return std::nullopt;
    // Seconds since 1970 of 1700..2100 lie far inside the range of int64; keep away from its ends.
    constexpr std::int64_t kLimit = std::int64_t{1} << 40;
    if (unixSeconds < -kLimit || unixSeconds > kLimit)
        return std::nullopt;
    const double local = static_cast<double>(unixSeconds) - zoneMeridianDeg * kSecondsPerDegree;
    const auto days = static_cast<std::int64_t>(std::floor(local / kSecondsPerDay));
    Instant out;
    CivilFromDays(days, out);
    out.zoneHours = (local - static_cast<double>(days * kSecondsPerDay)) / 3600;
    if (!(out.zoneHours < kHoursPerDay))
        out.zoneHours = 0; // rounding at the end of a day (never met with whole seconds)
    if (!IsValidInstant(out))
        return std::nullopt;
    return out;
}

tUmbrixPoint DateMarkOn(const DialParameters& p, const SharedState& s, int year, DayMonth date)
{
    tUmbrixPoint mark;
    const NoonSun noon = DesignNoonSun(p, year, date.month, date.day, ReferenceMeridian(p), p.longitude);
    mark.declination = noon.declinationDeg;
    mark.equationOfTime = noon.equationOfTimeDeg;
    mark.label = LoopLabel(s, {date.month, date.day});
    const DialPoint position = DateScalePosition(p, mark.declination, mark.equationOfTime);
    mark.x = position.x;
    mark.y = position.y;
    return mark;
}

std::optional<Simulation> Simulate(const DialParameters& p, const SharedState& s, const Results& r,
                                   const Instant& instant, const DstOptions& dst)
{
    if (!IsValidInstant(instant))
        return std::nullopt;
    const std::optional<ReadingDial> dial = MakeReadingDial(p, s);
    if (!dial)
        return std::nullopt;
    const DayMonth date{instant.day, instant.month};

    Simulation out;
    out.date = InstantDateText(instant);
    out.zoneTime = instant.zoneHours;
    out.summerTime = SummerTimeAt(dst, p.zoneMeridian, instant.year, date, instant.zoneHours);
    // Standard time of a west-positive zone meridian: UT = zone time + meridian / 15.
    out.sun = SunAtUniversalTime(instant.year, DayOfYear(instant.year, instant.month, instant.day),
                                 instant.zoneHours + p.zoneMeridian / 15, p.longitude);
    out.dialTime = DialTimeOf(dial->clock, out.sun);

    // The gnomon for this calendar date of the dial's year.
    const double dialDay = DayOfYear(p.year, date.month, date.day);
    const double yearLength = DayOfYear(p.year, 12, 31);
    const tUmbrixPoint mark = DateMarkOn(p, s, p.year, date);
    if (IsSplitDial(p)) {
        const std::vector<AccuracyRow> rows = AccuracyRows(p, r);
        if (rows.empty())
            return std::nullopt;
        const bool morning = out.dialTime <= kNoon;
        out.half = morning ? DayHalf::Morning : DayHalf::Afternoon;
        out.placement = LoopPlacement(rows, dialDay, yearLength, morning);
        out.nearestMark = NearestRowLabel(rows, dialDay, yearLength);
    } else if (p.type() == DialType::FixedGnomon) {
        out.placement = {{0, 0}, FixedHourCurveOf(p, mark.declination)};
        out.nearestMark = NearestDateLineLabel(r, mark.declination);
    } else {
        out.placement = {{mark.x, mark.y}, HourCurveOf(p)};
        out.nearestMark = NearestRowLabel(AccuracyRows(p, r), dialDay, yearLength);
    }
    out.gnomon = out.placement.foot;
    if (!Finite(out.gnomon))
        return std::nullopt;

    const Reading reading = ReadDial(*dial, out.placement, out.sun);
    if (!std::isfinite(reading.sunAltitudeDeg) || !std::isfinite(reading.sunAzimuthDeg) || !std::isfinite(out.dialTime))
        return std::nullopt;
    out.sunAltitude = reading.sunAltitudeDeg;
    out.sunAzimuth = reading.sunAzimuthDeg;
    out.status = reading.status;
    out.ambiguous = reading.ambiguous;
    out.shadowDirection = reading.shadowDirection;
    out.shadowTip = reading.shadowTip;
    out.reading = reading.dialHours;
    if (out.reading) {
        out.readingErrorMinutes = (*out.reading - out.dialTime) * kMinutesPerHour;
        const double clock = out.summerTime.value_or(out.zoneTime);
        const double difference = ReduceHours24(clock - *out.reading + kNoon) - kNoon;
        out.watchCorrectionMinutes = difference * kMinutesPerHour;
    }
    if (dst.ring == DstRingKind::InnerRing && DstRingAllowed(p, dst.ring))
        out.dstRingReading = ReadInnerRing(*dial, out.placement, out.sun, dst);
    return out;
}

} // namespace umbrix
