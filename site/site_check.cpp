#include "site/site_check.h"
#include "core/number_text.h"

#include <charconv>
#include <cmath>

namespace umbrix {

namespace {

/// Whether the reversed position has a place within kReversedNearKm and the typed one none within
/// kTypedFarKm; the place found, or null.
const PlaceRecord* ReversedLandsOnPlace(const PlaceIndex& index, double typedLat, double typedLonEast,
                                        double reversedLat, double reversedLonEast, const std::string& zone)
{
    const std::optional<NearPlace> reversed = index.Nearest(reversedLat, reversedLonEast, zone);
    if (!reversed || reversed->distanceKm > kReversedNearKm)
        return nullptr;
    const std::optional<NearPlace> typed = index.Nearest(typedLat, typedLonEast, zone);
    if (typed && typed->distanceKm <= kTypedFarKm)
        return nullptr;
    return reversed->place;
}

std::string Number(double v)
{
    return RealText(v == 0 ? 0.0 : v);
}

} // namespace

std::vector<SignSuspicion> CheckSigns(const PlaceIndex& index, double latitude, double longitude,
                                      const std::string& timeZone)
{
    std::vector<SignSuspicion> out;
    if (!std::isfinite(latitude) || !std::isfinite(longitude) || index.size() == 0)
        return out;
    const double east = -longitude;
    if (longitude != 0)
        if (const PlaceRecord* place = ReversedLandsOnPlace(index, latitude, east, latitude, -east, timeZone))
            out.push_back({false, longitude, -longitude, place});
    if (latitude != 0)
        if (const PlaceRecord* place = ReversedLandsOnPlace(index, latitude, east, -latitude, east, timeZone))
            out.push_back({true, latitude, -latitude, place});
    return out;
}

std::string SignWarningText(const SignSuspicion& s, bool english)
{
    const PlaceLanguage language = english ? PlaceLanguage::English : PlaceLanguage::German;
    const std::string place = NameIn(*s.place, language) + ", " + CountryIn(*s.place, language);
    if (english)
        return std::string(s.latitude ? "latitude " : "longitude ") + Number(s.typed) + ": " + place + " lies there; " +
               (s.latitude ? "latitudes are north positive" : "longitudes are west positive") + " here (did you mean " +
               Number(s.suggested) + "?)";
    return std::string(s.latitude ? "Breite " : "Länge ") + Number(s.typed) + ": dort liegt " + place + "; " +
           (s.latitude ? "Breiten sind hier nach Norden positiv" : "Längen sind hier nach Westen positiv") +
           " (gemeint " + Number(s.suggested) + "?)";
}

} // namespace umbrix
