#pragma once
// A time zone's rule for one year, as plain data: its zone time (the lower of the UTC offsets in force on
// 15 January and 15 July, whatever the tz database calls "standard"), the periods in force at a higher
// offset (summer time) and those at a lower one (such as a Ramadan period). Where the data come from is
// behind the small ZoneRules interface; cctz_zone_rules.h reads the system's tz database.
//
// Offsets are hours EAST of UTC, as the tz database gives them; instants are seconds of UTC since
// 1970-01-01 00:00. The program's zone meridian is west positive: meridian = -15 x zone offset.

#include "core/summer_time.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// A stretch of the year at one offset: from startUtc up to (not including) endUtc.
struct ZonePeriod {
    std::int64_t startUtc = 0;
    std::int64_t endUtc = 0;
    double offsetHours = 0;   // east of UTC
    std::string abbreviation; // "CEST"
};

/// A zone's rule for one year. The periods are clipped to the year in zone time (1 January 00:00 to the
/// next 1 January 00:00), so that one across the new year comes as two, one at each end of the year.
struct ZoneYear {
    std::string zone;
    int year = 0;
    double standardOffsetHours = 0; // zone time: the lower of the offsets on 15 January and 15 July
    std::string standardAbbreviation;
    std::vector<ZonePeriod> summer; // offsets above zone time, in year order
    std::vector<ZonePeriod> below;  // offsets below zone time, in year order
};

/// Where zones come from.
class ZoneRules {
public:
    virtual ~ZoneRules() = default;
    /// The rule of `zone` for `year`, or none when the zone is unknown.
    [[nodiscard]] virtual std::optional<ZoneYear> YearOf(std::string_view zone, int year) const = 0;
    /// Every zone name, sorted.
    [[nodiscard]] virtual std::vector<std::string> ZoneNames() const = 0;
};

constexpr double kZoneMeridianLimit = 195; // degrees: the range of the zone meridian, both signs

/// The zone meridian of zone time, degrees west positive: UTC+1 gives -15, UTC-5 gives 75.
[[nodiscard]] double ZoneMeridianOf(const ZoneYear& zone);

/// The zone for the core: its meridian, abbreviation and summer spans in zone-time hours of the year.
[[nodiscard]] ZoneSummerTime ToCoreZone(const ZoneYear& zone);

/// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
[[nodiscard]] std::int64_t DaysFromCivil(int year, int month, int day);

/// The date ("DD/MM") of an instant in the zone at `offsetHours`.
[[nodiscard]] std::string LocalDateText(std::int64_t utc, double offsetHours);

/// Up to `count` names of `names` closest to `wanted`: those containing it (ignoring case) first, then by
/// edit distance of the part after the last "/".
[[nodiscard]] std::vector<std::string> CloseZoneNames(const std::vector<std::string>& names, std::string_view wanted,
                                                      std::size_t count);

/// The names of `names` that contain `text`, ignoring case (the window's filtering list).
[[nodiscard]] std::vector<std::string> ZonesContaining(const std::vector<std::string>& names, std::string_view text);

} // namespace umbrix
