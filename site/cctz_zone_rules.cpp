#include "site/cctz_zone_rules.h"

#include <cctz/civil_time.h>
#include <cctz/time_zone.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace umbrix {

namespace {

using Instant = cctz::time_point<cctz::seconds>;
constexpr double kSecondsPerHour = 3600;

Instant UtcAt(int year, int month, int day, int hour)
{
    return cctz::convert(cctz::civil_second(year, month, day, hour, 0, 0), cctz::utc_time_zone());
}

std::int64_t Seconds(Instant t)
{
    return t.time_since_epoch().count();
}

/// The folder of the tz database: $TZDIR as cctz reads it, else Debian's.
std::string ZoneFolder()
{
    const char* dir = std::getenv("TZDIR");
    return dir && *dir ? dir : "/usr/share/zoneinfo";
}

} // namespace

std::optional<ZoneYear> CctzZoneRules::YearOf(std::string_view zoneName, int year) const
{
    cctz::time_zone tz;
    if (zoneName.empty() || !cctz::load_time_zone(std::string(zoneName), &tz))
        return std::nullopt;
    ZoneYear out;
    out.zone = std::string(zoneName);
    out.year = year;
    const cctz::time_zone::absolute_lookup january = tz.lookup(UtcAt(year, 1, 15, 12));
    const cctz::time_zone::absolute_lookup july = tz.lookup(UtcAt(year, 7, 15, 12));
    const cctz::time_zone::absolute_lookup& standard = july.offset < january.offset ? july : january;
    out.standardOffsetHours = standard.offset / kSecondsPerHour;
    out.standardAbbreviation = standard.abbr;

    // The year in zone time, and every stretch of one offset in it.
    const Instant yearStart = UtcAt(year, 1, 1, 0) - cctz::seconds(standard.offset);
    const Instant yearEnd = UtcAt(year + 1, 1, 1, 0) - cctz::seconds(standard.offset);
    std::vector<ZonePeriod> stretches;
    Instant from = yearStart;
    while (from < yearEnd) {
        const cctz::time_zone::absolute_lookup at = tz.lookup(from);
        Instant to = yearEnd;
        cctz::time_zone::civil_transition transition;
        if (tz.next_transition(from, &transition)) {
            const Instant next = tz.lookup(transition.to).trans;
            if (next > from && next < yearEnd)
                to = next;
        }
        const double offsetHours = at.offset / kSecondsPerHour;
        if (!stretches.empty() && stretches.back().offsetHours == offsetHours &&
            stretches.back().abbreviation == at.abbr)
            stretches.back().endUtc = Seconds(to);
        else
            stretches.push_back({Seconds(from), Seconds(to), offsetHours, at.abbr});
        from = to;
    }
    for (ZonePeriod& stretch : stretches) {
        if (stretch.offsetHours > out.standardOffsetHours)
            out.summer.push_back(std::move(stretch));
        else if (stretch.offsetHours < out.standardOffsetHours)
            out.below.push_back(std::move(stretch));
    }
    return out;
}

std::vector<std::string> CctzZoneRules::ZoneNames() const
{
    // tzdata.zi lists every zone ("Z NAME ...") and link ("L TARGET NAME").
    std::vector<std::string> names;
    std::ifstream in(ZoneFolder() + "/tzdata.zi");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind, first, second;
        words >> kind >> first >> second;
        if (kind == "Z" && !first.empty())
            names.push_back(first);
        else if (kind == "L" && !second.empty())
            names.push_back(second);
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

} // namespace umbrix
