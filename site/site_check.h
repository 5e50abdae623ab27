#pragma once
// Whether a site's signs are plausible, judged with the gazetteer. The distance to the zone meridian alone
// cannot tell (A Coruna lies 23 degrees from the meridian of its zone and is right); a position with a sign
// reversed that lands on a place, where the position as typed lands far from any, most likely was typed
// from a map (east positive) or with the wrong hemisphere.

#include "site/place_index.h"

#include <string>
#include <vector>

namespace umbrix {

constexpr double kReversedNearKm = 50; // the reversed position has a place this close ...
constexpr double kTypedFarKm = 200;    // ... and the typed one none this close

/// A sign that is probably wrong.
struct SignSuspicion {
    bool latitude = false;              // true: the latitude's sign; false: the longitude's
    double typed = 0;                   // the value as typed (longitude west positive)
    double suggested = 0;               // the value with its sign reversed
    const PlaceRecord* place = nullptr; // what lies at the reversed position
};

/// The suspicious signs of a site (degrees; longitude WEST positive). With a time zone, only places of
/// that zone count.
[[nodiscard]] std::vector<SignSuspicion> CheckSigns(const PlaceIndex& index, double latitude, double longitude,
                                                    const std::string& timeZone);

/// The command line's warning: "longitude 13.4: Berlin, Germany lies there; longitudes are west positive
/// here (did you mean -13.4?)".
[[nodiscard]] std::string SignWarningText(const SignSuspicion& s, bool english);

} // namespace umbrix
