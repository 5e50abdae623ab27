#include "core/dst_ring.h"

#include "core/date_scale.h"
#include "core/ephemeris.h"
#include "core/numeric.h"
#include "core/simulation.h"
#include "text/own_texts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <utility>

namespace umbrix {

namespace {

constexpr int kMinutesPerHour = 60;
constexpr double kNoon = 12;
constexpr double kDegreesPerHour = 15;

DialPoint Scaled(DialPoint a, double k)
{
    return {a.x * k, a.y * k};
}

bool Finite(DialPoint a)
{
    return std::isfinite(a.x) && std::isfinite(a.y);
}

/// Days from the period's start to `date`, round the year of `year`.
int DaysFromStart(const SummerTimePeriod& period, int year, DayMonth date)
{
    const int yearLength = DayOfYear(year, 12, 31);
    const int days = DayOfYear(year, date.month, date.day) - DayOfYear(year, period.start.month, period.start.day);
    return days < 0 ? days + yearLength : days;
}

bool SameDate(DayMonth a, DayMonth b)
{
    return a.day == b.day && a.month == b.month;
}

/// Every hour point of the last calculation, with its own time.
std::vector<HourPoint> OuterHourPoints(const DialParameters& p, const Results& r)
{
    std::vector<HourPoint> points;
    if (p.type() != DialType::FixedGnomon) {
        const int count = std::clamp(r.hourPointCount, 0, kHourPointSlots);
        for (int k = 1; k <= count; ++k)
            points.push_back(r.hourPoints[static_cast<std::size_t>(k)]);
        return points;
    }
    const int lines = std::clamp(r.fixedDateLineCount, 0, kFixedDateLines);
    const int entries = std::clamp(r.fixedHourPointCount, 0, kFixedHourPointSlots);
    for (int line = 1; line <= lines; ++line) {
        for (int e = 1; e <= entries; ++e) {
            const FixedHourPoint& point =
                r.fixedHourPoints[static_cast<std::size_t>(line)][static_cast<std::size_t>(e)];
            points.push_back({point.x, point.y, kNoon + point.hourAngle / kDegreesPerHour});
        }
    }
    return points;
}

/// A date mark of the inner date scale with its calendar date.
struct DatedMark {
    DayMonth date;
    tUmbrixPoint mark;
};

/// The inner date scale: the marks of the period and a mark on each of its ends, from start to end, at the
/// dial's scale (scaled by the caller).
std::vector<DatedMark> PeriodMarks(const DialParameters& p, const SharedState& s, const Results& r,
                                   const SummerTimePeriod& period)
{
    struct Dated {
        int daysFromStart = 0;
        DatedMark mark;
    };
    std::vector<Dated> marks;
    bool hasStart = false;
    bool hasEnd = false;
    const std::vector<CalendarDate> dates = CalendarMarkDates(p.marksPerMonth);
    for (std::size_t i = 0; i < dates.size() && i + 1 < r.dateMarks.size(); ++i) {
        const tUmbrixPoint& mark = r.dateMarks[i + 1];
        if (mark.label.empty())
            break;
        const DayMonth date{dates[i].day, dates[i].month};
        if (!InSummerTime(period, date))
            continue;
        hasStart = hasStart || SameDate(date, period.start);
        hasEnd = hasEnd || SameDate(date, period.end);
        marks.push_back({DaysFromStart(period, p.year, date), {date, mark}});
    }
    if (!hasStart)
        marks.push_back({0, {period.start, DateMarkOn(p, s, p.year, period.start)}});
    if (!hasEnd && !SameDate(period.start, period.end))
        marks.push_back(
            {DaysFromStart(period, p.year, period.end), {period.end, DateMarkOn(p, s, p.year, period.end)}});
    std::stable_sort(marks.begin(), marks.end(),
                     [](const Dated& a, const Dated& b) { return a.daysFromStart < b.daysFromStart; });
    std::vector<DatedMark> out;
    for (const Dated& dated : marks)
        out.push_back(dated.mark);
    return out;
}

/// "HH:MM" of decimal hours, rounded to the minute.
std::string ClockText(double hours)
{
    constexpr int kMinutesPerDay = 24 * kMinutesPerHour;
    const int minutes = static_cast<int>(std::lround(hours * kMinutesPerHour)) % kMinutesPerDay;
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", (minutes / kMinutesPerHour) % 100, minutes % kMinutesPerHour);
    return text;
}

} // namespace

bool DstRingAllowed(const DialParameters& p, DstRingKind ring)
{
    switch (ring) {
    case DstRingKind::None:
    case DstRingKind::SecondLabels:
        return true;
    case DstRingKind::InnerRing:
        break;
    }
    if (ring != DstRingKind::InnerRing)
        return false;
    const DialType type = p.type();
    const bool split = IsSplitDial(p);
    return (type == DialType::Horizontal || type == DialType::HorizontalTiltedGnomon || type == DialType::MeanTime) &&
           !split;
}

bool DrawsInnerDstRing(const DialParameters& p)
{
    return p.dst.ring == DstRingKind::InnerRing && DstRingAllowed(p, DstRingKind::InnerRing);
}

double DstLabelHours(double hours, double offsetHours)
{
    return ReduceHours24(hours + offsetHours);
}

std::string DstHourLabel(double labelHours)
{
    constexpr int kMinutesPerDay = 24 * kMinutesPerHour;
    if (!std::isfinite(labelHours))
        return {};
    const long total = std::lround(ReduceHours24(labelHours) * kMinutesPerHour) % kMinutesPerDay;
    const std::string hour = std::to_string(total / kMinutesPerHour);
    const long minutes = total % kMinutesPerHour;
    if (minutes == 0)
        return hour;
    return hour + (minutes < 10 ? ":0" : ":") + std::to_string(minutes);
}

GnomonPlacement InnerRingPlacement(const GnomonPlacement& outer, double scale)
{
    GnomonPlacement inner;
    inner.foot = Scaled(outer.foot, scale);
    inner.curve.centre = Scaled(outer.curve.centre, scale);
    inner.curve.sinAxis = Scaled(outer.curve.sinAxis, scale);
    inner.curve.cosAxis = Scaled(outer.curve.cosAxis, scale);
    return inner;
}

std::optional<double> ReadInnerRing(const ReadingDial& dial, const GnomonPlacement& outer, const SolarInstant& sun,
                                    const DstOptions& dst)
{
    if (!IsValidDstRingScale(dst.ringScale) || !IsValidDstOffset(dst.offsetHours))
        return std::nullopt;
    const Reading inner = ReadDial(dial, InnerRingPlacement(outer, dst.ringScale), sun);
    if (!inner.dialHours)
        return std::nullopt;
    return DstLabelHours(*inner.dialHours, dst.offsetHours);
}

std::optional<DstRing> ComputeDstRing(const DialParameters& p, const SharedState& s, const Results& r,
                                      const DstOptions& dst)
{
    const std::optional<double> offset = SummerOffsetOf(dst, p.zoneMeridian, p.year);
    if (dst.ring == DstRingKind::None || !DstRingAllowed(p, dst.ring) || !offset)
        return std::nullopt;
    if (dst.ring == DstRingKind::InnerRing && !IsValidDstRingScale(dst.ringScale))
        return std::nullopt;
    const std::optional<SummerTimePeriod> period = SummerTimePeriodOf(dst, p.zoneMeridian, p.year);
    if (!period)
        return std::nullopt;
    DstRing out;
    out.ring = dst.ring;
    out.offsetHours = *offset;
    out.scale = dst.ring == DstRingKind::InnerRing ? dst.ringScale : 1;
    out.period = *period;
    for (const HourPoint& point : OuterHourPoints(p, r)) {
        const DialPoint at = Scaled({point.x, point.y}, out.scale);
        if (Finite(at))
            out.hourPoints.push_back({at.x, at.y, DstLabelHours(point.time, *offset)});
    }
    if (dst.ring == DstRingKind::InnerRing) {
        for (DatedMark dated : PeriodMarks(p, s, r, *period)) {
            const DialPoint at = Scaled({dated.mark.x, dated.mark.y}, out.scale);
            if (!Finite(at))
                continue;
            dated.mark.x = at.x;
            dated.mark.y = at.y;
            out.dateMarks.push_back(dated.mark);
            out.dateMarkDates.push_back(dated.date);
        }
        out.labelsOpposite = p.type() == DialType::Horizontal || p.type() == DialType::MeanTime;
    }
    return out;
}

std::vector<DstTableRow> DstTableRows(const DstRing& ring)
{
    std::vector<DstTableRow> rows;
    for (const HourPoint& point : ring.hourPoints)
        rows.push_back({"dst-hour", ClockText(point.time), point.x, point.y, point.time});
    for (const tUmbrixPoint& mark : ring.dateMarks)
        rows.push_back({"dst-date", mark.label, mark.x, mark.y, std::nullopt});
    return rows;
}

std::string SummerRuleText(const LanguageState& lang, const DstOptions& dst)
{
    switch (RuleInForce(dst)) {
    case SummerTimeRule::Zone:
        // A zone read without summer time in the design year.
        if (dst.zone.year != 0 && dst.zone.spans.empty())
            return std::string(OwnTextOf(lang, OwnText::SummerRuleNone)) + " (" + dst.timeZone + ")";
        return OwnTextWith(lang, OwnText::SummerRuleZone, dst.timeZone);
    case SummerTimeRule::None:
        return std::string(OwnTextOf(lang, OwnText::SummerRuleNone));
    case SummerTimeRule::Eu:
        return std::string(OwnTextOf(lang, OwnText::SummerRuleEu));
    case SummerTimeRule::Custom:
        return std::string(OwnTextOf(lang, OwnText::SummerRuleCustom));
    }
    return {};
}

std::string ClockLabel(const LanguageState& lang, bool summer, std::string_view abbreviation)
{
    // The German names of Europe's zone times.
    constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kGerman{
        {{"CET", "MEZ"}, {"CEST", "MESZ"}, {"EET", "OEZ"}, {"EEST", "OESZ"}, {"WET", "WEZ"}, {"WEST", "WESZ"}}};
    // A numeric abbreviation ("+0530") says nothing the offset does not.
    const bool named = !abbreviation.empty() && abbreviation[0] != '+' && abbreviation[0] != '-';
    if (!named)
        return summer ? std::string(OwnTextOf(lang, OwnText::SummerTimeLabel)) : std::string();
    if (LanguageOf(lang) == Language::German)
        for (const auto& [english, german] : kGerman)
            if (english == abbreviation)
                return std::string(german);
    return std::string(abbreviation);
}

std::string DstHeading(const LanguageState& lang, double offsetHours)
{
    const double magnitude = std::abs(offsetHours);
    std::string number = FormatFixed(1, magnitude == std::round(magnitude) ? 0 : 1, magnitude);
    return OwnTextWith(lang, OwnText::SummerTimeHeading, (offsetHours < 0 ? "- " : "+ ") + number);
}

} // namespace umbrix
