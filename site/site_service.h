#pragma once
// What a host (umbrix-cli, the window) owns of the gazetteer and the time zones, and how their answers
// reach the model: plain coordinates, the zone meridian and the summer-time spans.

#include "core/model.h"
#include "site/place_index.h"
#include "site/zone_rules.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace umbrix {

/// The gazetteer and the zones of one host. The index is built at the first call of places(), not before.
class SiteServices {
public:
    SiteServices(std::unique_ptr<ZoneRules> zones, std::function<PlaceIndex()> buildIndex);
    /// The libgeonames gazetteer and the system's tz database.
    [[nodiscard]] static SiteServices System();

    [[nodiscard]] const PlaceIndex& places();
    [[nodiscard]] bool placesBuilt() const { return index_.has_value(); }
    [[nodiscard]] const ZoneRules& zones() const { return *zones_; }
    /// Every zone name (read once).
    [[nodiscard]] const std::vector<std::string>& zoneNames();

private:
    std::unique_ptr<ZoneRules> zones_;
    std::function<PlaceIndex()> buildIndex_;
    std::optional<PlaceIndex> index_;
    std::optional<std::vector<std::string>> zoneNames_;
};

/// A zone read for the model: the core's plain data, or why it was refused, and warnings.
struct ZoneResolution {
    std::optional<ZoneYear> year;
    std::optional<std::string> error;  // unknown zone (with close names) or a meridian out of range
    std::vector<std::string> warnings; // periods below zone time, which are not drawn
};

/// The rule of `zone` for `year`, checked.
[[nodiscard]] ZoneResolution ResolveZone(SiteServices& site, std::string_view zone, int year, bool english);

/// Stores a resolved zone into the options: the core's spans and, with `setMeridian`, the zone meridian;
/// dstOffsetHours becomes the zone's summer offset when it has a valid one.
void ApplyZone(Model& model, const ZoneYear& zone, bool setMeridian);

/// The warning when the zone meridian differs from the zone's; none when it matches or there is no zone.
[[nodiscard]] std::optional<std::string> MeridianMismatch(const DialParameters& p, bool english);

/// The parameter values a place sets, in the order to apply them: latitude, longitude (west positive),
/// timeZone, place.
[[nodiscard]] std::vector<std::pair<std::string, std::string>> PlaceSettings(const PlaceRecord& place,
                                                                             PlaceLanguage language);

/// One line of --place-list: name; state; country; latitude; longitude (east positive, E/W); time zone.
[[nodiscard]] std::string PlaceListLine(const PlaceRecord& place, PlaceLanguage language);

/// "48.2085° N, 16.3721° E" with four decimals.
[[nodiscard]] std::string PositionText(double latitude, double longitudeEast);

/// The place a model's `place` names: the one of that name nearest the site's coordinates, or null.
[[nodiscard]] const PlaceRecord* PlaceOfModel(SiteServices& site, const DialParameters& p);

} // namespace umbrix
