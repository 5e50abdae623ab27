#pragma once
// The site of a umbrix-cli run, on the host side of the site layer as the window's site panel is:
// --place, --place-list and --coordinates, the time zone of timeZone resolved through the tz database, and
// the warnings about a site's signs. The gazetteer's index is built by the first option that needs it, once
// per run.

#include "core/model.h"
#include "site/site_service.h"

#include <iosfwd>
#include <optional>
#include <span>
#include <string>

namespace umbrix {

/// The JSON report's `site` facts of a place from the gazetteer.
struct SiteFacts {
    std::string name;
    std::string state;
    std::string country;
    std::string countryCode;
    double latitude = 0;      // degrees, north positive
    double longitudeEast = 0; // degrees, EAST positive
};

struct SiteOptions {
    std::optional<std::string> place;       // --place NAME or "NAME, COUNTRY"
    std::optional<std::string> placeList;   // --place-list TEXT
    std::optional<std::string> coordinates; // --coordinates TEXT
};

/// Takes args[i] when it is a site option, advancing i past its value; false when it is none. A missing
/// value sets `problem`.
[[nodiscard]] bool ParseSiteOption(std::span<const std::string> args, std::size_t& i, SiteOptions& options,
                                   std::string& problem);

/// The site of one run. Every step returns an exit code when it stops the run (2: rejected input).
class CliSite {
public:
    CliSite();

    /// --place-list: the matches, one per line.
    [[nodiscard]] int PrintPlaceList(const Model& model, const std::string& text, std::ostream& out, std::ostream& err);
    /// After --config: the file's time zone resolved; its zone meridian is kept.
    [[nodiscard]] std::optional<int> AfterConfig(Model& model, std::ostream& err);
    /// --place, then --coordinates, before the --set options.
    [[nodiscard]] std::optional<int> ApplyOptions(Model& model, const SiteOptions& options, std::ostream& err);
    /// After an accepted --set: a new zone sets the zone meridian, a new year reads the zone again.
    [[nodiscard]] std::optional<int> AfterSet(Model& model, std::string_view name, std::ostream& err);
    /// Before the calculation: the zone for a further year (--at), the zone-meridian and sign warnings.
    void BeforeCalculation(Model& model, std::optional<int> otherYear, bool siteTyped, std::ostream& err);
    /// The place of the report's `site`, or none.
    [[nodiscard]] std::optional<SiteFacts> Facts(const Model& model);

private:
    [[nodiscard]] std::optional<int> Resolve(Model& model, bool setMeridian, std::ostream& err);
    SiteServices services_;
    std::optional<PlaceRecord> chosen_;
};

} // namespace umbrix
