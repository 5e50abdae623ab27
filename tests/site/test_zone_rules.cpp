// The zones' rules as the program reads them (cctz over the system's tz database), checked against Python's
// zoneinfo reading the same database by another method (sampling and halving, zone_transitions.py).

#include "site/cctz_zone_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace umbrix {
namespace {

constexpr int kYear = 2027;

struct Period {
    long long start = 0, end = 0, offset = 0;
    bool operator==(const Period&) const = default;
};
struct Expected {
    long long standard = 0;
    std::vector<Period> summer;
};

/// zoneinfo's answer for the zones given (every zone when none).
std::map<std::string, Expected> FromZoneinfo(const std::string& zones = {})
{
    const std::string command =
        "/usr/bin/python3 " UMBRIX_SOURCE_DIR "/tests/site/zone_transitions.py " + std::to_string(kYear) + " " + zones;
    std::map<std::string, Expected> out;
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return out;
    std::string text;
    std::array<char, 4096> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe.get()))
        text += buffer.data();
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string name;
        Expected e;
        words >> name >> e.standard;
        Period p;
        while (words >> p.start >> p.end >> p.offset)
            e.summer.push_back(p);
        out[name] = e;
    }
    return out;
}

/// The program's periods, neighbours of one offset joined (an abbreviation may change inside one).
std::vector<Period> Joined(const ZoneYear& zone)
{
    std::vector<Period> out;
    for (const ZonePeriod& z : zone.summer) {
        const Period p{z.startUtc, z.endUtc, std::llround(z.offsetHours * 3600)};
        if (!out.empty() && out.back().end == p.start && out.back().offset == p.offset)
            out.back().end = p.end;
        else
            out.push_back(p);
    }
    return out;
}

/// "DD/MM" of the periods' starts and ends in local clock time, for reading the cases below.
std::string Dates(const ZoneYear& zone)
{
    std::string out;
    for (const ZonePeriod& p : zone.summer)
        out += (out.empty() ? "" : " ") + LocalDateText(p.startUtc, zone.standardOffsetHours) + "-" +
               LocalDateText(p.endUtc, zone.standardOffsetHours);
    return out;
}

TEST(ZoneRules, NamedZonesAgreeWithZoneinfo)
{
    const CctzZoneRules rules;
    const std::map<std::string, Expected> expected =
        FromZoneinfo("Europe/Vienna America/New_York Australia/Sydney Africa/Johannesburg Asia/Kolkata Europe/Dublin");
    ASSERT_EQ(expected.size(), 6u) << "python3 with zoneinfo is needed";
    for (const auto& [name, e] : expected) {
        const std::optional<ZoneYear> zone = rules.YearOf(name, kYear);
        ASSERT_TRUE(zone) << name;
        EXPECT_EQ(std::llround(zone->standardOffsetHours * 3600), e.standard) << name;
        EXPECT_EQ(Joined(*zone), e.summer) << name;
    }
    // The same cases as a dial maker reads them: the clock days of the changes, the zone meridian.
    const ZoneYear vienna = *rules.YearOf("Europe/Vienna", kYear);
    EXPECT_EQ(Dates(vienna), "28/03-31/10");
    EXPECT_EQ(vienna.standardAbbreviation, "CET");
    EXPECT_EQ(vienna.summer.front().abbreviation, "CEST");
    EXPECT_DOUBLE_EQ(vienna.summer.front().offsetHours - vienna.standardOffsetHours, 1);
    EXPECT_DOUBLE_EQ(ZoneMeridianOf(vienna), -15);
    EXPECT_EQ(Dates(*rules.YearOf("America/New_York", kYear)), "14/03-07/11");
    EXPECT_DOUBLE_EQ(ZoneMeridianOf(*rules.YearOf("America/New_York", kYear)), 75);
    // Across the new year: two periods, one at each end of the year.
    EXPECT_EQ(Dates(*rules.YearOf("Australia/Sydney", kYear)), "01/01-04/04 03/10-01/01");
    EXPECT_TRUE(rules.YearOf("Africa/Johannesburg", kYear)->summer.empty());
    EXPECT_DOUBLE_EQ(ZoneMeridianOf(*rules.YearOf("Asia/Kolkata", kYear)), -82.5);
    // Dublin's winter offset is the tz database's "negative summer time"; the lower offset is zone time.
    const ZoneYear dublin = *rules.YearOf("Europe/Dublin", kYear);
    EXPECT_DOUBLE_EQ(ZoneMeridianOf(dublin), 0);
    EXPECT_EQ(Dates(dublin), "28/03-31/10");
    // Kiritimati's UTC+14 lies beyond the range of the zone meridian.
    EXPECT_GT(std::abs(ZoneMeridianOf(*rules.YearOf("Pacific/Kiritimati", kYear))), kZoneMeridianLimit);
    // Casablanca's Ramadan runs below its zone time: no summer time, a period below.
    const ZoneYear casablanca = *rules.YearOf("Africa/Casablanca", kYear);
    EXPECT_TRUE(casablanca.summer.empty());
    EXPECT_EQ(casablanca.below.size(), 1u);
    EXPECT_FALSE(rules.YearOf("Europe/Atlantis", kYear));
    EXPECT_FALSE(rules.YearOf("", kYear));
}

TEST(ZoneRules, EveryZoneOfTheDatabaseAgreesWithZoneinfo)
{
    const CctzZoneRules rules;
    const std::map<std::string, Expected> expected = FromZoneinfo();
    ASSERT_GT(expected.size(), 400u);
    std::size_t compared = 0;
    for (const auto& [name, e] : expected) {
        const std::optional<ZoneYear> zone = rules.YearOf(name, kYear);
        if (!zone)
            continue; // a name only zoneinfo lists (such as "localtime")
        ++compared;
        EXPECT_EQ(std::llround(zone->standardOffsetHours * 3600), e.standard) << name;
        EXPECT_EQ(Joined(*zone), e.summer) << name;
    }
    EXPECT_GT(compared, 400u);
    // The list the window filters holds the zones zoneinfo knows.
    const std::vector<std::string> names = rules.ZoneNames();
    EXPECT_GT(names.size(), 400u);
    for (const char* zone : {"Europe/Vienna", "America/New_York", "Asia/Kolkata", "UTC"})
        EXPECT_TRUE(std::binary_search(names.begin(), names.end(), zone)) << zone;
}

TEST(ZoneRules, CoreSpansAreZoneTimeHoursOfTheYear)
{
    const CctzZoneRules rules;
    // Vienna: summer time from 28 March 02:00 CET (day 87) to 31 October 02:00 CET (day 304).
    const ZoneSummerTime vienna = ToCoreZone(*rules.YearOf("Europe/Vienna", kYear));
    ASSERT_EQ(vienna.spans.size(), 1u);
    EXPECT_DOUBLE_EQ(vienna.spans[0].startHours, 86 * 24 + 2);
    EXPECT_DOUBLE_EQ(vienna.spans[0].endHours, 303 * 24 + 2);
    EXPECT_DOUBLE_EQ(vienna.spans[0].offsetHours, 1);
    EXPECT_DOUBLE_EQ(vienna.zoneMeridian, -15);
    // Sydney: from the start of the year, and up to its end.
    const ZoneSummerTime sydney = ToCoreZone(*rules.YearOf("Australia/Sydney", kYear));
    ASSERT_EQ(sydney.spans.size(), 2u);
    EXPECT_DOUBLE_EQ(sydney.spans[0].startHours, 0);
    EXPECT_DOUBLE_EQ(sydney.spans[1].endHours, 365 * 24);
}

TEST(ZoneRules, CloseNamesAndFilter)
{
    const std::vector<std::string> names{"America/New_York", "Europe/Berlin", "Europe/Vienna", "Europe/Vilnius"};
    const std::vector<std::string> close = CloseZoneNames(names, "Europe/Viena", 2);
    ASSERT_EQ(close.size(), 2u);
    EXPECT_EQ(close[0], "Europe/Vienna");
    EXPECT_EQ(ZonesContaining(names, "euro/").size(), 0u);
    EXPECT_EQ(ZonesContaining(names, "EUROPE/V").size(), 2u);
    EXPECT_EQ(LocalDateText(0, 0), "01/01");
    EXPECT_EQ(LocalDateText(-1, 0), "31/12");
    EXPECT_EQ(DaysFromCivil(2000, 3, 1), 11017);
}

} // namespace
} // namespace umbrix
