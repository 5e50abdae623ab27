// The site of a native host: the libgeonames gazetteer and the system's tz database.

#include "site/cctz_zone_rules.h"
#include "site/geonames_places.h"
#include "site/site_service.h"

#include <memory>

namespace umbrix {

SiteServices SiteServices::System()
{
    return SiteServices(std::make_unique<CctzZoneRules>(), [] { return BuildGeonamesIndex(); });
}

} // namespace umbrix
