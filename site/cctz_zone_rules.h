#pragma once
// Zones from the system's tz database (Debian's tzdata) through the cctz library.

#include "site/zone_rules.h"

namespace umbrix {

class CctzZoneRules final : public ZoneRules {
public:
    [[nodiscard]] std::optional<ZoneYear> YearOf(std::string_view zone, int year) const override;
    /// The zones and links listed in the database's tzdata.zi.
    [[nodiscard]] std::vector<std::string> ZoneNames() const override;
};

} // namespace umbrix
