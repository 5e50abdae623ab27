#pragma once
// The gazetteer's index: every place once, with its names in German and English and its own name, searched
// by the beginning of any of them in either language, whatever the program's language. Built from plain
// records, so that it does not care where they came from (libgeonames, or a compact data file).
//
// Longitudes here are EAST positive, as on every map and in the gazetteer; the program's own parameters are
// west positive.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// One place of the gazetteer.
struct PlaceRecord {
    std::string ownName; // the gazetteer's own name
    std::string nameEn;  // in English (the own name when there is no translation)
    std::string nameDe;  // in German
    std::string stateEn; // the state, province or region
    std::string stateDe;
    std::string countryEn;
    std::string countryDe;
    std::string countryCode;  // ISO 3166-1 alpha-2 ("AT")
    std::string timeZone;     // IANA zone ("Europe/Vienna")
    double latitude = 0;      // degrees, north positive
    double longitudeEast = 0; // degrees, EAST positive
    std::uint32_t population = 0;
};

/// The language a place's names are shown in.
enum class PlaceLanguage : std::uint8_t { German, English };

[[nodiscard]] const std::string& NameIn(const PlaceRecord& place, PlaceLanguage language);
[[nodiscard]] const std::string& StateIn(const PlaceRecord& place, PlaceLanguage language);
[[nodiscard]] const std::string& CountryIn(const PlaceRecord& place, PlaceLanguage language);

/// A text folded for comparison: lower case, the accents of Latin letters dropped ("München" -> "munchen",
/// "ß" -> "ss"); other characters are kept as they are.
[[nodiscard]] std::string FoldForSearch(std::string_view text);

/// Great-circle distance in km between two positions (degrees), on a sphere of 6371 km.
[[nodiscard]] double DistanceKm(double latitudeA, double longitudeA, double latitudeB, double longitudeB);

/// A place found near a position.
struct NearPlace {
    const PlaceRecord* place = nullptr;
    double distanceKm = 0;
};

class PlaceIndex {
public:
    PlaceIndex() = default;
    explicit PlaceIndex(std::vector<PlaceRecord> records);

    [[nodiscard]] std::size_t size() const { return places_.size(); }
    [[nodiscard]] const std::vector<PlaceRecord>& places() const { return places_; }

    /// The places whose name (own, English or German) begins with `text`, ignoring case and accents.
    /// "NAME, COUNTRY" keeps those whose country's name in either language begins with COUNTRY, or whose
    /// country code is COUNTRY. Order: an exact name in `language` or in English first, then any other exact
    /// name, then the others; within each, the most populous first. At most `limit` places.
    [[nodiscard]] std::vector<const PlaceRecord*> Search(std::string_view text, PlaceLanguage language,
                                                         std::size_t limit) const;

    /// The place nearest to a position (degrees, longitude east positive); with a zone, the nearest of that
    /// zone. Empty when there is none.
    [[nodiscard]] std::optional<NearPlace> Nearest(double latitude, double longitudeEast,
                                                   std::string_view timeZone = {}) const;

private:
    struct Folded {
        std::string own, en, de, countryEn, countryDe, code;
    };
    std::vector<PlaceRecord> places_;
    std::vector<Folded> folded_;
};

} // namespace umbrix
