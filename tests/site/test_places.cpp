// The gazetteer's index over the real libgeonames data: names in both languages whatever the program's
// language, the country filter, the ranking, and the sign checks of a typed site.

#include "site/geonames_places.h"
#include "site/site_check.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>

namespace umbrix {
namespace {

constexpr double kPositionTolDeg = 0.01;

/// One index for the whole suite: reading the gazetteer takes about 0.1 s.
const PlaceIndex& Index()
{
    static const PlaceIndex index = BuildGeonamesIndex();
    return index;
}

struct Case {
    const char* typed;
    double latitude, longitudeEast;
    const char* zone;
    const char* nameDe;
    const char* nameEn;
};

TEST(Gazetteer, FindsPlacesByTheirNamesInEitherLanguage)
{
    ASSERT_GT(Index().size(), 20000u);
    // Positions from the GeoNames records of the cities (degrees, east positive).
    const Case cases[] = {
        {"Wien", 48.2085, 16.3721, "Europe/Vienna", "Wien", "Vienna"},
        {"Vienna", 48.2085, 16.3721, "Europe/Vienna", "Wien", "Vienna"},
        {"München", 48.1374, 11.5755, "Europe/Berlin", "München", "Munich"},
        {"Munich", 48.1374, 11.5755, "Europe/Berlin", "München", "Munich"},
        {"Kapstadt", -33.9258, 18.4232, "Africa/Johannesburg", "Kapstadt", "Cape Town"},
        {"Cape Town", -33.9258, 18.4232, "Africa/Johannesburg", "Kapstadt", "Cape Town"},
    };
    for (const Case& c : cases) {
        for (const PlaceLanguage language : {PlaceLanguage::German, PlaceLanguage::English}) {
            const std::vector<const PlaceRecord*> found = Index().Search(c.typed, language, 5);
            ASSERT_FALSE(found.empty()) << c.typed;
            EXPECT_NEAR(found[0]->latitude, c.latitude, kPositionTolDeg) << c.typed;
            EXPECT_NEAR(found[0]->longitudeEast, c.longitudeEast, kPositionTolDeg) << c.typed;
            EXPECT_EQ(found[0]->timeZone, c.zone) << c.typed;
            EXPECT_EQ(NameIn(*found[0], language), language == PlaceLanguage::German ? c.nameDe : c.nameEn);
        }
    }
    // Without accents and in any case.
    EXPECT_EQ(Index().Search("MUNCHEN", PlaceLanguage::English, 1).at(0)->nameEn, "Munich");
    // The number format of the process stays as it was.
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
}

TEST(Gazetteer, SeveralPlacesOfOneNameAndTheCountryFilter)
{
    // Vienna, Austria outnumbers Vienna, Virginia; both are exact names.
    const std::vector<const PlaceRecord*> vienna = Index().Search("Vienna", PlaceLanguage::English, 10);
    ASSERT_GE(vienna.size(), 2u);
    EXPECT_EQ(vienna[0]->countryCode, "AT");
    EXPECT_TRUE(std::any_of(vienna.begin(), vienna.end(), [](const PlaceRecord* p) { return p->countryCode == "US"; }));
    // An exact name wins over a more populous place that only begins with it.
    const std::vector<const PlaceRecord*> baden = Index().Search("Baden", PlaceLanguage::German, 3);
    ASSERT_FALSE(baden.empty());
    EXPECT_EQ(FoldForSearch(baden[0]->nameDe), "baden");
    // "NAME, COUNTRY": the country's name in either language, or its code.
    for (const char* typed : {"Vienna, United States", "Vienna, Vereinigte", "Vienna, US", "vienna, us"}) {
        const std::vector<const PlaceRecord*> us = Index().Search(typed, PlaceLanguage::English, 5);
        ASSERT_FALSE(us.empty()) << typed;
        EXPECT_EQ(us[0]->countryCode, "US") << typed;
    }
    EXPECT_TRUE(Index().Search("Vienna, Narnia", PlaceLanguage::English, 5).empty());
    EXPECT_TRUE(Index().Search("Xqzzyv", PlaceLanguage::English, 5).empty());
    EXPECT_TRUE(Index().Search("  ", PlaceLanguage::English, 5).empty());
}

TEST(Gazetteer, FoldingAndDistances)
{
    EXPECT_EQ(FoldForSearch("München"), "munchen");
    EXPECT_EQ(FoldForSearch("Straßburg"), "strassburg");
    EXPECT_EQ(FoldForSearch("Łódź"), "lodz");
    EXPECT_EQ(FoldForSearch("Αθήνα"), "Αθήνα"); // other scripts are kept
    // One degree of a great circle: 111.19 km on a sphere of 6371 km.
    EXPECT_NEAR(DistanceKm(0, 0, 1, 0), 111.195, 0.001);
    EXPECT_NEAR(DistanceKm(48.2085, 16.3721, 48.2085, 16.3721), 0, 1e-9);
}

struct SignCase {
    const char* what;
    double latitude;
    double longitudeWest; // as typed, in the program's convention
    bool warns;
};

TEST(SiteCheck, ReversedSignsThatLandOnAPlace)
{
    const SignCase cases[] = {
        {"Berlin typed from a map", 52.52, 13.4, true},
        {"A Coruna, far from its zone meridian and right", 43.37, 8.4, false},
        {"New York", 40.71, 74.0, false},
        {"Cape Town typed from a map", -33.92, 18.42, true},
        {"Berlin as it should be", 52.52, -13.4, false},
    };
    for (const SignCase& c : cases) {
        const std::vector<SignSuspicion> found = CheckSigns(Index(), c.latitude, c.longitudeWest, {});
        const bool longitudeWarning =
            std::any_of(found.begin(), found.end(), [](const SignSuspicion& s) { return !s.latitude; });
        EXPECT_EQ(longitudeWarning, c.warns) << c.what;
        if (longitudeWarning) {
            EXPECT_DOUBLE_EQ(found[0].suggested, -c.longitudeWest) << c.what;
        }
    }
    // With a zone, only its places count: Berlin reversed lands in Europe/Berlin.
    EXPECT_EQ(CheckSigns(Index(), 52.52, 13.4, "Europe/Berlin").size(), 1u);
    EXPECT_TRUE(CheckSigns(Index(), 52.52, 13.4, "America/New_York").empty());
    // The hemisphere: Sydney typed north of the equator.
    const std::vector<SignSuspicion> sydney = CheckSigns(Index(), 33.87, -151.21, {});
    ASSERT_EQ(sydney.size(), 1u);
    EXPECT_TRUE(sydney[0].latitude);
    EXPECT_EQ(SignWarningText(sydney[0], true).rfind("latitude 33.87: ", 0), 0u);
    const std::vector<SignSuspicion> berlin = CheckSigns(Index(), 52.52, 13.4, {});
    EXPECT_EQ(SignWarningText(berlin.at(0), true),
              "longitude 13.4: Berlin, Germany lies there; longitudes are west positive here (did you mean -13.4?)");
}

} // namespace
} // namespace umbrix
