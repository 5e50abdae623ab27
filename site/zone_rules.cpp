#include "site/zone_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace umbrix {

namespace {

constexpr double kSecondsPerHour = 3600;
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr double kDegreesPerHour = 15;

std::string Lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

/// Levenshtein distance.
std::size_t EditDistance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[b.size()];
}

std::string_view LastPart(std::string_view name)
{
    const std::size_t slash = name.rfind('/');
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

} // namespace

double ZoneMeridianOf(const ZoneYear& zone)
{
    return -kDegreesPerHour * zone.standardOffsetHours;
}

std::int64_t DaysFromCivil(int year, int month, int day)
{
    // H. Hinnant, "chrono-Compatible Low-Level Date Algorithms": days_from_civil.
    const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::string LocalDateText(std::int64_t utc, double offsetHours)
{
    const std::int64_t local = utc + static_cast<std::int64_t>(std::llround(offsetHours * kSecondsPerHour));
    const std::int64_t days = local >= 0 ? local / kSecondsPerDay : (local - kSecondsPerDay + 1) / kSecondsPerDay;
    // civil_from_days, the inverse of DaysFromCivil.
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    char text[8];
    std::snprintf(text, sizeof text, "%02d/%02d", day, month);
    return text;
}

ZoneSummerTime ToCoreZone(const ZoneYear& zone)
{
    ZoneSummerTime out;
    out.year = zone.year;
    out.zoneMeridian = ZoneMeridianOf(zone);
    out.standardAbbreviation = zone.standardAbbreviation;
    // 1 January 00:00 zone time as an instant.
    const double yearStartUtc = static_cast<double>(DaysFromCivil(zone.year, 1, 1) * kSecondsPerDay) -
                                zone.standardOffsetHours * kSecondsPerHour;
    for (const ZonePeriod& period : zone.summer)
        out.spans.push_back({(static_cast<double>(period.startUtc) - yearStartUtc) / kSecondsPerHour,
                             (static_cast<double>(period.endUtc) - yearStartUtc) / kSecondsPerHour,
                             period.offsetHours - zone.standardOffsetHours, period.abbreviation});
    return out;
}

std::vector<std::string> CloseZoneNames(const std::vector<std::string>& names, std::string_view wanted,
                                        std::size_t count)
{
    const std::string lowWanted = Lower(wanted);
    const std::string lowLast = Lower(LastPart(wanted));
    struct Scored {
        std::size_t score;
        const std::string* name;
    };
    std::vector<Scored> scored;
    for (const std::string& name : names) {
        const std::string low = Lower(name);
        const std::size_t contains = !lowWanted.empty() && low.find(lowWanted) != std::string::npos ? 0 : 1000;
        scored.push_back({contains + EditDistance(Lower(LastPart(name)), lowLast), &name});
    }
    std::stable_sort(scored.begin(), scored.end(), [](const Scored& a, const Scored& b) { return a.score < b.score; });
    std::vector<std::string> out;
    for (std::size_t i = 0; i < scored.size() && out.size() < count; ++i)
        out.push_back(*scored[i].name);
    return out;
}

std::vector<std::string> ZonesContaining(const std::vector<std::string>& names, std::string_view text)
{
    const std::string low = Lower(text);
    std::vector<std::string> out;
    for (const std::string& name : names)
        if (Lower(name).find(low) != std::string::npos)
            out.push_back(name);
    return out;
}

} // namespace umbrix
