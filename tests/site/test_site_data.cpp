// The site data of hosts without the gazetteer library or the tz database: the place file and the zone
// tables give back exactly what they were written from, and bad files are refused naming their line.

#include "site/cctz_zone_rules.h"
#include "site/geonames_places.h"
#include "site/place_data.h"
#include "site/zone_timeline.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

namespace umbrix {
namespace {

auto Fields(const PlaceRecord& p)
{
    return std::tie(p.ownName, p.nameEn, p.nameDe, p.stateEn, p.stateDe, p.countryEn, p.countryDe, p.countryCode,
                    p.timeZone, p.latitude, p.longitudeEast, p.population);
}

TEST(PlaceData, TheWholeGazetteerComesBackAsItWasAndSearchesAlike)
{
    const std::vector<PlaceRecord> places = ReadGeonamesPlaces();
    ASSERT_GT(places.size(), 20000u);
    std::string error;
    const auto back = ReadPlaceData(WritePlaceData(places), error);
    ASSERT_TRUE(back) << error;
    ASSERT_EQ(back->size(), places.size());
    for (std::size_t i = 0; i < places.size(); ++i)
        ASSERT_TRUE(Fields((*back)[i]) == Fields(places[i])) << places[i].ownName;
    const PlaceIndex library(places);
    const PlaceIndex file(*back);
    for (const char* text : {"Wien", "Kapstadt", "Mün", "Vienna, US", "san"}) {
        const auto a = library.Search(text, PlaceLanguage::German, 20);
        const auto b = file.Search(text, PlaceLanguage::German, 20);
        ASSERT_EQ(a.size(), b.size()) << text;
        for (std::size_t i = 0; i < a.size(); ++i)
            EXPECT_EQ(a[i]->ownName, b[i]->ownName) << text;
    }
}

TEST(PlaceData, AFieldWithATabCannotSplitItsRecord)
{
    PlaceRecord p;
    p.ownName = "Tab\tTown";
    p.nameEn = "Tab\tTown";
    p.nameDe = "Neu\nstadt";
    p.timeZone = "Europe/Vienna";
    p.latitude = -33.925;
    p.longitudeEast = 18.4232;
    p.population = 4294967295u;
    std::string error;
    const auto back = ReadPlaceData(WritePlaceData({p}), error);
    ASSERT_TRUE(back) << error;
    ASSERT_EQ(back->size(), 1u);
    EXPECT_EQ((*back)[0].ownName, "Tab Town");
    EXPECT_EQ((*back)[0].nameEn, "Tab Town");
    EXPECT_EQ((*back)[0].nameDe, "Neu stadt");
    EXPECT_EQ((*back)[0].latitude, -33.925);
    EXPECT_EQ((*back)[0].population, 4294967295u);
}

TEST(PlaceData, BadFilesAreRefusedNamingTheLine)
{
    const std::string head = "umbrix-places 1\nZ\tEurope/Vienna\nC\tAT\tAustria\tÖsterreich\nS\tVienna\tWien\n";
    const std::string good = "P\tWien\tVienna\t\t0\t0\t0\t48.2\t16.37\t1691468\n";
    std::string error;
    ASSERT_TRUE(ReadPlaceData(head + good, error)) << error;
    for (const auto& [text, line, what] : {
             std::tuple{std::string("umbrix-places 2\n"), 1, "version"},
             std::tuple{std::string(), 0, "empty"},
             std::tuple{head + "P\tWien\tVienna\t\t1\t0\t0\t48.2\t16.37\t1\n", 5, "number"},
             std::tuple{head + "P\tWien\tVienna\t\t0\t0\t0\t91\t16.37\t1\n", 5, "latitude"},
             std::tuple{head + "P\tWien\tVienna\t\t0\t0\t0\t48.2\t16.37e\t1\n", 5, "latitude"},
             std::tuple{head + "P\tWien\tVienna\t\t0\t0\t0\t48.2\t16.37\t-1\n", 5, "population"},
             std::tuple{head + "P\tWien\n", 5, "fields"},
             std::tuple{head + "X\tfoo\n", 5, "kind"},
         }) {
        error.clear();
        EXPECT_FALSE(ReadPlaceData(text, error)) << text;
        if (line > 0) {
            EXPECT_NE(error.find("line " + std::to_string(line) + ":"), std::string::npos) << error;
        }
        EXPECT_NE(error.find(what), std::string::npos) << error;
    }
}

void ExpectSameYear(const ZoneYear& a, const ZoneYear& b)
{
    const auto periods = [](const std::vector<ZonePeriod>& v) {
        std::vector<std::tuple<std::int64_t, std::int64_t, double, std::string>> out;
        for (const ZonePeriod& p : v)
            out.emplace_back(p.startUtc, p.endUtc, p.offsetHours, p.abbreviation);
        return out;
    };
    EXPECT_EQ(a.standardOffsetHours, b.standardOffsetHours) << a.zone << " " << a.year;
    EXPECT_EQ(a.standardAbbreviation, b.standardAbbreviation) << a.zone << " " << a.year;
    EXPECT_EQ(periods(a.summer), periods(b.summer)) << a.zone << " " << a.year;
    EXPECT_EQ(periods(a.below), periods(b.below)) << a.zone << " " << a.year;
}

// Every zone the gazetteer names, in years of old rules, of today's, across the new year and at the ends of
// the design years: the table gives the very year the tz database gives.
TEST(ZoneTables, EveryNamedZoneGivesTheDatabasesYearsThroughItsTable)
{
    const std::vector<std::string> names = ZonesNamed(ReadGeonamesPlaces());
    ASSERT_GT(names.size(), 300u);
    std::map<std::string, ZoneTable, std::less<>> tables;
    for (const std::string& name : names)
        if (auto table = CctzZoneTable(name, 1700, 2100))
            tables.emplace(name, std::move(*table));
    EXPECT_GT(tables.size(), 300u);
    std::string error;
    auto read = ReadZoneTables(WriteZoneTables(tables), error);
    ASSERT_TRUE(read) << error;
    const TableZoneRules fromTable(std::move(*read));
    const CctzZoneRules database;
    EXPECT_EQ(fromTable.ZoneNames().size(), tables.size());
    for (const auto& entry : tables)
        for (const int year : {1700, 1916, 1945, 1980, 2015, 2027, 2038, 2100}) {
            const auto a = fromTable.YearOf(entry.first, year);
            const auto b = database.YearOf(entry.first, year);
            ASSERT_TRUE(a && b) << entry.first;
            ExpectSameYear(*a, *b);
        }
    EXPECT_FALSE(fromTable.YearOf("Mars/Olympus_Mons", 2027));
    EXPECT_FALSE(fromTable.YearOf("", 2027));
}

TEST(ZoneTables, BadFilesAreRefusedNamingTheLine)
{
    std::string error;
    ASSERT_TRUE(ReadZoneTables("umbrix-zones 1\nZ\tEurope/Vienna\t3600\tCET\nT\t100\t7200\tCEST\n", error)) << error;
    for (const auto& [text, what] : {
             std::pair{"umbrix-zones 9\n", "version"},
             std::pair{"umbrix-zones 1\nT\t100\t7200\tCEST\n", "outside a zone"},
             std::pair{"umbrix-zones 1\nZ\tA\t0\tX\nT\t100\t0\tY\nT\t100\t0\tZ\n", "not after"},
             std::pair{"umbrix-zones 1\nZ\tA\t86400\tX\n", "within a day"},
             std::pair{"umbrix-zones 1\nZ\tA\t0\tX\nZ\tA\t0\tX\n", "twice"},
             std::pair{"umbrix-zones 1\nZ\tA\t0\n", "fields"},
         }) {
        error.clear();
        EXPECT_FALSE(ReadZoneTables(text, error)) << text;
        EXPECT_NE(error.find(what), std::string::npos) << error;
    }
}

} // namespace
} // namespace umbrix
