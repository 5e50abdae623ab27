#pragma once
// A time zone as a sequence of offsets in time, and the year's rule read from it. The tz database (through
// cctz) is one such sequence; a table of its transitions, written once by the build for hosts without the
// database (the WebAssembly build), is another. Both give their years through the same YearFromTimeline.
//
// Instants are seconds of UTC since 1970-01-01 00:00; offsets are seconds EAST of UTC.

#include "site/zone_rules.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// The offset and abbreviation in force at an instant.
struct ZoneState {
    int offsetSeconds = 0;
    std::string abbreviation;
    bool operator==(const ZoneState&) const = default;
};

class ZoneTimeline {
public:
    virtual ~ZoneTimeline() = default;
    [[nodiscard]] virtual ZoneState StateAt(std::int64_t utc) const = 0;
    /// The first instant after `utc` at which the state changes; none when it never does again.
    [[nodiscard]] virtual std::optional<std::int64_t> NextChangeAfter(std::int64_t utc) const = 0;
};

/// The rule of one year: zone time is the lower of the offsets on 15 January and 15 July (12:00 UTC); the
/// year runs from 1 January 00:00 to the next in zone time; the stretches at a higher offset are its
/// summer, those at a lower one are `below`.
[[nodiscard]] ZoneYear YearFromTimeline(const ZoneTimeline& timeline, std::string_view zone, int year);

/// Seconds of UTC at a civil date and hour of UTC (proleptic Gregorian).
[[nodiscard]] std::int64_t UtcSeconds(int year, int month, int day, int hour);

/// A zone's changes over a span of years, as plain data.
struct ZoneTable {
    ZoneState initial;                                       // before the first change
    std::vector<std::pair<std::int64_t, ZoneState>> changes; // at ascending instants
};

/// The changes of `timeline` from 1 January of `firstYear` (minus a day) to 1 January of `lastYear` + 1
/// (plus a day).
[[nodiscard]] ZoneTable TableOf(const ZoneTimeline& timeline, int firstYear, int lastYear);

/// The zones of a table file (see WriteZoneTables), as a ZoneRules host. Outside the span the table was
/// made for, a zone keeps the state at the span's edge; the tables span every design year.
class TableZoneRules final : public ZoneRules {
public:
    explicit TableZoneRules(std::map<std::string, ZoneTable, std::less<>> zones) : zones_(std::move(zones)) {}
    [[nodiscard]] std::optional<ZoneYear> YearOf(std::string_view zone, int year) const override;
    [[nodiscard]] std::vector<std::string> ZoneNames() const override;

private:
    std::map<std::string, ZoneTable, std::less<>> zones_;
};

/// The file of several zones' tables: "umbrix-zones 1", then per zone a line "Z<tab>name<tab>offset<tab>
/// abbreviation" (the initial state) followed by its lines "T<tab>instant<tab>offset<tab>abbreviation".
[[nodiscard]] std::string WriteZoneTables(const std::map<std::string, ZoneTable, std::less<>>& zones);

/// The zones of such a file, or none with `error` naming the line.
[[nodiscard]] std::optional<std::map<std::string, ZoneTable, std::less<>>> ReadZoneTables(std::string_view text,
                                                                                         std::string& error);

} // namespace umbrix
