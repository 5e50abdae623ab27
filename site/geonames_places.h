#pragma once
// The places of Debian's GeoNames gazetteer (libgeonames: the cities of 15 000 people or more), read once
// through the library into plain records. GeoNames data: CC BY 4.0, https://www.geonames.org/.

#include "site/place_index.h"

#include <vector>

namespace umbrix {

/// Every city of the gazetteer with its own name and its names, states and countries in English and
/// German (the library translates through the message catalogues of LC_MESSAGES; a language whose locale
/// the system lacks keeps the own names). LC_NUMERIC is "C" and LC_MESSAGES as before when it returns.
[[nodiscard]] std::vector<PlaceRecord> ReadGeonamesPlaces();

/// The index of ReadGeonamesPlaces().
[[nodiscard]] PlaceIndex BuildGeonamesIndex();

} // namespace umbrix
