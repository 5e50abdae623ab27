#include "site/place_index.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace umbrix {

namespace {

constexpr double kEarthRadiusKm = 6371;
constexpr double kDegToRad = 0.017453292519943295;

/// The ASCII folding of the Latin-1 letters U+00C0..U+00FF (second byte of "\xC3.." minus 0x80); empty
/// where the character is no letter to fold.
constexpr std::array<std::string_view, 64> kLatin1Folded{
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",  // C0..CF
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss", // D0..DF
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",  // E0..EF
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",  // F0..FF
};

/// The ASCII folding of Latin Extended-A, U+0100..U+017F (Central and Eastern Europe's letters).
constexpr std::array<std::string_view, 128> kExtendedAFolded{
    "a", "a", "a", "a", "a", "a", "c",  "c",  "c", "c", "c", "c", "c", "c", "d", "d", "d",  "d",  "e", "e", "e", "e",
    "e", "e", "e", "e", "e", "e", "g",  "g",  "g", "g", "g", "g", "g", "g", "h", "h", "h",  "h",  "i", "i", "i", "i",
    "i", "i", "i", "i", "i", "i", "ij", "ij", "j", "j", "k", "k", "k", "l", "l", "l", "l",  "l",  "l", "l", "l", "l",
    "l", "n", "n", "n", "n", "n", "n",  "n",  "n", "n", "o", "o", "o", "o", "o", "o", "oe", "oe", "r", "r", "r", "r",
    "r", "r", "s", "s", "s", "s", "s",  "s",  "s", "s", "t", "t", "t", "t", "t", "t", "u",  "u",  "u", "u", "u", "u",
    "u", "u", "u", "u", "u", "u", "w",  "w",  "y", "y", "y", "z", "z", "z", "z", "z", "z",  "s",
};

std::string_view FoldExtendedA(unsigned code)
{
    return code >= 0x100 && code < 0x180 ? kExtendedAFolded[code - 0x100] : std::string_view{};
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

const std::string& NameIn(const PlaceRecord& place, PlaceLanguage language)
{
    return language == PlaceLanguage::German ? place.nameDe : place.nameEn;
}

const std::string& StateIn(const PlaceRecord& place, PlaceLanguage language)
{
    return language == PlaceLanguage::German ? place.stateDe : place.stateEn;
}

const std::string& CountryIn(const PlaceRecord& place, PlaceLanguage language)
{
    return language == PlaceLanguage::German ? place.countryDe : place.countryEn;
}

std::string FoldForSearch(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
            continue;
        }
        if (i + 1 < text.size() && (c == 0xC3 || c == 0xC4 || c == 0xC5)) {
            const auto d = static_cast<unsigned char>(text[i + 1]);
            const unsigned code = ((c & 0x1Fu) << 6) | (d & 0x3Fu);
            const std::string_view folded =
                code >= 0xC0 && code <= 0xFF ? kLatin1Folded[code - 0xC0] : FoldExtendedA(code);
            if (!folded.empty()) {
                out += folded;
                ++i;
                continue;
            }
        }
        out += static_cast<char>(c);
    }
    return out;
}

double DistanceKm(double latitudeA, double longitudeA, double latitudeB, double longitudeB)
{
    // Haversine formula: well conditioned for the short distances the checks ask about.
    const double dLat = (latitudeB - latitudeA) * kDegToRad;
    const double dLon = (longitudeB - longitudeA) * kDegToRad;
    const double h = std::sin(dLat / 2) * std::sin(dLat / 2) + std::cos(latitudeA * kDegToRad) *
                                                                   std::cos(latitudeB * kDegToRad) *
                                                                   std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(h)));
}

PlaceIndex::PlaceIndex(std::vector<PlaceRecord> records) : places_(std::move(records))
{
    folded_.reserve(places_.size());
    for (const PlaceRecord& p : places_)
        folded_.push_back({FoldForSearch(p.ownName), FoldForSearch(p.nameEn), FoldForSearch(p.nameDe),
                           FoldForSearch(p.countryEn), FoldForSearch(p.countryDe), FoldForSearch(p.countryCode)});
}

std::vector<const PlaceRecord*> PlaceIndex::Search(std::string_view text, PlaceLanguage language,
                                                   std::size_t limit) const
{
    std::string_view name = text;
    std::string_view country;
    if (const std::size_t comma = text.rfind(','); comma != std::string_view::npos) {
        name = text.substr(0, comma);
        country = text.substr(comma + 1);
    }
    const std::string wanted = FoldForSearch(Trimmed(name));
    const std::string wantedCountry = FoldForSearch(Trimmed(country));
    if (wanted.empty())
        return {};
    struct Hit {
        int rank = 0; // 0 exact in the language or English, 1 another exact name, 2 a beginning
        const PlaceRecord* place = nullptr;
    };
    std::vector<Hit> hits;
    for (std::size_t i = 0; i < places_.size(); ++i) {
        const Folded& f = folded_[i];
        if (!StartsWith(f.own, wanted) && !StartsWith(f.en, wanted) && !StartsWith(f.de, wanted))
            continue;
        if (!wantedCountry.empty() && !StartsWith(f.countryEn, wantedCountry) &&
            !StartsWith(f.countryDe, wantedCountry) && f.code != wantedCountry)
            continue;
        const std::string& inLanguage = language == PlaceLanguage::German ? f.de : f.en;
        int rank = 2;
        if (inLanguage == wanted || f.en == wanted)
            rank = 0;
        else if (f.own == wanted || f.de == wanted)
            rank = 1;
        hits.push_back({rank, &places_[i]});
    }
    std::sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        if (a.place->population != b.place->population)
            return a.place->population > b.place->population;
        return a.place < b.place;
    });
    std::vector<const PlaceRecord*> out;
    for (std::size_t i = 0; i < hits.size() && out.size() < limit; ++i)
        out.push_back(hits[i].place);
    return out;
}

std::optional<NearPlace> PlaceIndex::Nearest(double latitude, double longitudeEast, std::string_view timeZone) const
{
    std::optional<NearPlace> best;
    for (const PlaceRecord& p : places_) {
        if (!timeZone.empty() && p.timeZone != timeZone)
            continue;
        const double d = DistanceKm(latitude, longitudeEast, p.latitude, p.longitudeEast);
        if (!best || d < best->distanceKm)
            best = NearPlace{&p, d};
    }
    return best;
}

} // namespace umbrix
