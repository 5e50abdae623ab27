#include "site/cctz_zone_rules.h"

#include <cctz/civil_time.h>
#include <cctz/time_zone.h>

#include <algorithm>
#include <chrono>
#include <utility>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace umbrix {

namespace {

using Instant = cctz::time_point<cctz::seconds>;

/// The folder of the tz database: $TZDIR as cctz reads it, else Debian's.
std::string ZoneFolder()
{
    const char* dir = std::getenv("TZDIR");
    return dir && *dir ? dir : "/usr/share/zoneinfo";
}

/// A zone of the tz database as a timeline.
class CctzTimeline final : public ZoneTimeline {
public:
    explicit CctzTimeline(cctz::time_zone tz) : tz_(std::move(tz)) {}

    ZoneState StateAt(std::int64_t utc) const override
    {
        const cctz::time_zone::absolute_lookup at = tz_.lookup(Instant(cctz::seconds(utc)));
        return {at.offset, at.abbr};
    }
    std::optional<std::int64_t> NextChangeAfter(std::int64_t utc) const override
    {
        cctz::time_zone::civil_transition transition;
        if (!tz_.next_transition(Instant(cctz::seconds(utc)), &transition))
            return std::nullopt;
        return tz_.lookup(transition.to).trans.time_since_epoch().count();
    }

private:
    cctz::time_zone tz_;
};

std::optional<CctzTimeline> Load(std::string_view zoneName)
{
    cctz::time_zone tz;
    if (zoneName.empty() || !cctz::load_time_zone(std::string(zoneName), &tz))
        return std::nullopt;
    return CctzTimeline(tz);
}

} // namespace

std::optional<ZoneYear> CctzZoneRules::YearOf(std::string_view zoneName, int year) const
{
    const std::optional<CctzTimeline> timeline = Load(zoneName);
    if (!timeline)
        return std::nullopt;
    return YearFromTimeline(*timeline, zoneName, year);
}

std::optional<ZoneTable> CctzZoneTable(std::string_view zoneName, int firstYear, int lastYear)
{
    const std::optional<CctzTimeline> timeline = Load(zoneName);
    if (!timeline)
        return std::nullopt;
    return TableOf(*timeline, firstYear, lastYear);
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
