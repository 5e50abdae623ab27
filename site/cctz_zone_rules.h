#pragma once
// Zones from the system's tz database (Debian's tzdata) through the cctz library.

#include "site/zone_rules.h"
#include "site/zone_timeline.h"

namespace umbrix {

class CctzZoneRules final : public ZoneRules {
public:
    [[nodiscard]] std::optional<ZoneYear> YearOf(std::string_view zone, int year) const override;
    /// The zones and links listed in the database's tzdata.zi.
    [[nodiscard]] std::vector<std::string> ZoneNames() const override;
};

/// The changes of a zone of the tz database over a span of years (see TableOf); none for an unknown zone.
[[nodiscard]] std::optional<ZoneTable> CctzZoneTable(std::string_view zone, int firstYear, int lastYear);

} // namespace umbrix
