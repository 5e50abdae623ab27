// A time zone as a sequence of offsets in time, and the year's rule read from it (see zone_timeline.h).

#include "site/zone_timeline.h"

#include "core/number_text.h"
#include "site/tab_records.h"

#include <algorithm>
#include <utility>

namespace umbrix {

namespace {

constexpr double kSecondsPerHour = 3600;
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::string_view kHeader = "umbrix-zones 1";

/// A zone's table as a timeline: the state of the last change at or before an instant.
class TableTimeline final : public ZoneTimeline {
public:
    explicit TableTimeline(const ZoneTable& table) : table_(table) {}

    ZoneState StateAt(std::int64_t utc) const override
    {
        const auto after = firstAfter(utc);
        return after == table_.changes.begin() ? table_.initial : std::prev(after)->second;
    }
    std::optional<std::int64_t> NextChangeAfter(std::int64_t utc) const override
    {
        const auto after = firstAfter(utc);
        return after == table_.changes.end() ? std::nullopt : std::optional(after->first);
    }

private:
    std::vector<std::pair<std::int64_t, ZoneState>>::const_iterator firstAfter(std::int64_t utc) const
    {
        return std::upper_bound(table_.changes.begin(), table_.changes.end(), utc,
                                [](std::int64_t t, const auto& change) { return t < change.first; });
    }
    const ZoneTable& table_;
};

template <class Integer> std::optional<Integer> WholeNumber(std::string_view field)
{
    Integer value = 0;
    const auto [ptr, ec] = ReadInteger(field, value);
    if (ec != std::errc() || ptr != field.data() + field.size())
        return std::nullopt;
    return value;
}

/// Offsets of the tz database lie within a day either side of UTC.
std::optional<ZoneState> StateOf(std::string_view offset, std::string_view abbreviation)
{
    const std::optional<long long> seconds = WholeNumber<long long>(offset);
    if (!seconds || *seconds <= -kSecondsPerDay || *seconds >= kSecondsPerDay)
        return std::nullopt;
    return ZoneState{static_cast<int>(*seconds), std::string(abbreviation)};
}

} // namespace

std::int64_t UtcSeconds(int year, int month, int day, int hour)
{
    return DaysFromCivil(year, month, day) * kSecondsPerDay + static_cast<std::int64_t>(hour) * 3600;
}

ZoneYear YearFromTimeline(const ZoneTimeline& timeline, std::string_view zone, int year)
{
    ZoneYear out;
    out.zone = std::string(zone);
    out.year = year;
    const ZoneState january = timeline.StateAt(UtcSeconds(year, 1, 15, 12));
    const ZoneState july = timeline.StateAt(UtcSeconds(year, 7, 15, 12));
    const ZoneState& standard = july.offsetSeconds < january.offsetSeconds ? july : january;
    out.standardOffsetHours = standard.offsetSeconds / kSecondsPerHour;
    out.standardAbbreviation = standard.abbreviation;

    // The year in zone time, and every stretch of one offset in it.
    const std::int64_t yearStart = UtcSeconds(year, 1, 1, 0) - standard.offsetSeconds;
    const std::int64_t yearEnd = UtcSeconds(year + 1, 1, 1, 0) - standard.offsetSeconds;
    std::vector<ZonePeriod> stretches;
    for (std::int64_t from = yearStart; from < yearEnd;) {
        const ZoneState at = timeline.StateAt(from);
        std::int64_t to = yearEnd;
        if (const std::optional<std::int64_t> next = timeline.NextChangeAfter(from); next && *next > from && *next < yearEnd)
            to = *next;
        const double offsetHours = at.offsetSeconds / kSecondsPerHour;
        if (!stretches.empty() && stretches.back().offsetHours == offsetHours &&
            stretches.back().abbreviation == at.abbreviation)
            stretches.back().endUtc = to;
        else
            stretches.push_back({from, to, offsetHours, at.abbreviation});
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

ZoneTable TableOf(const ZoneTimeline& timeline, int firstYear, int lastYear)
{
    const std::int64_t start = UtcSeconds(firstYear, 1, 1, 0) - kSecondsPerDay;
    const std::int64_t end = UtcSeconds(lastYear + 1, 1, 1, 0) + kSecondsPerDay;
    ZoneTable table;
    table.initial = timeline.StateAt(start);
    ZoneState last = table.initial;
    for (std::optional<std::int64_t> next = timeline.NextChangeAfter(start); next && *next <= end;
         next = timeline.NextChangeAfter(*next)) {
        ZoneState state = timeline.StateAt(*next);
        if (state == last)
            continue;
        last = state;
        table.changes.emplace_back(*next, std::move(state));
    }
    return table;
}

std::optional<ZoneYear> TableZoneRules::YearOf(std::string_view zone, int year) const
{
    const auto found = zones_.find(zone);
    if (zone.empty() || found == zones_.end())
        return std::nullopt;
    return YearFromTimeline(TableTimeline(found->second), zone, year);
}

std::vector<std::string> TableZoneRules::ZoneNames() const
{
    std::vector<std::string> names;
    for (const auto& entry : zones_)
        names.push_back(entry.first);
    return names;
}

std::string WriteZoneTables(const std::map<std::string, ZoneTable, std::less<>>& zones)
{
    std::string out = std::string(kHeader) + '\n';
    for (const auto& [name, table] : zones) {
        out += "Z\t" + name + '\t' + std::to_string(table.initial.offsetSeconds) + '\t' + table.initial.abbreviation +
               '\n';
        for (const auto& [instant, state] : table.changes)
            out += "T\t" + std::to_string(instant) + '\t' + std::to_string(state.offsetSeconds) + '\t' +
                   state.abbreviation + '\n';
    }
    return out;
}

std::optional<std::map<std::string, ZoneTable, std::less<>>> ReadZoneTables(std::string_view text, std::string& error)
{
    std::map<std::string, ZoneTable, std::less<>> zones;
    ZoneTable* current = nullptr;
    const auto record = [&](const std::vector<std::string_view>& f) -> std::string {
        if (f.size() != 4 || (f[0] != "Z" && f[0] != "T"))
            return "a line of unknown kind or with the wrong number of fields";
        const std::optional<ZoneState> state = StateOf(f[2], f[3]);
        if (!state)
            return "an offset that is not a whole number of seconds within a day";
        if (f[0] == "Z") {
            if (f[1].empty() || zones.contains(f[1]))
                return "a zone without a name, or named twice";
            current = &zones[std::string(f[1])];
            current->initial = *state;
            return {};
        }
        const std::optional<std::int64_t> instant = WholeNumber<long long>(f[1]);
        if (!current || !instant || (!current->changes.empty() && *instant <= current->changes.back().first))
            return "a change outside a zone or not after the one before it";
        current->changes.emplace_back(*instant, *state);
        return {};
    };
    if (std::optional<std::string> fault = ReadTabRecords(text, kHeader, "zone table file", record)) {
        error = std::move(*fault);
        return std::nullopt;
    }
    return zones;
}

} // namespace umbrix
