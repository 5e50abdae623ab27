// Where and when in umbrix-cli: --place, --place-list, --coordinates, the time zone and its summer time in
// the outputs, and the warnings about a site's signs.

#include "core/driver.h"
#include "core/input_panel.h"
#include "core/parameter_set.h"
#include "graphics/setting_out_pages.h"
#include "site/command_line_site.h"
#include "tests/cli/cli_run.h"

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <sstream>
#include <string>

using namespace umbrix;

namespace {

/// The number after "KEY": in a JSON text (the first occurrence after `after`), or NaN.
double JsonNumber(const std::string& json, const std::string& key, const std::string& after = {})
{
    const std::size_t from = after.empty() ? 0 : json.find(after);
    const std::size_t at = json.find("\"" + key + "\":", from == std::string::npos ? 0 : from);
    if (at == std::string::npos)
        return std::nan("");
    return std::strtod(json.c_str() + at + key.size() + 3, nullptr);
}

/// The text after "KEY": in a JSON text up to the next comma or brace.
std::string JsonRaw(const std::string& json, const std::string& key, const std::string& after = {})
{
    const std::size_t from = after.empty() ? 0 : json.find(after);
    const std::size_t at = json.find("\"" + key + "\":", from == std::string::npos ? 0 : from);
    if (at == std::string::npos)
        return "<missing>";
    const std::size_t start = json.find_first_not_of(' ', at + key.size() + 3);
    const std::size_t end = json.find_first_of(",}\n", start);
    return json.substr(start, json.find_last_not_of(' ', end - 1) + 1 - start);
}

TEST(CliPlace, CapeTownHasNoSummerTime)
{
    // The reviewer's case: South Africa keeps zone time all year. Zone meridian -30 (UTC+2), longitude
    // 18.42 E: the clock runs 46 min ahead of local mean time, plus the equation of time of mid-July
    // (about -6 min), 52.2 min.
    const CliRun run = Cli({"--place", "Cape Town", "--at", "15/07/2015 10:00", "--json", "-", "--lang", "en"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(JsonRaw(run.out, "summerTime", "\"simulation\""), "null");
    EXPECT_NEAR(JsonNumber(run.out, "watchCorrectionMinutes"), 52.2, 0.2);
    EXPECT_EQ(JsonRaw(run.out, "summerTime", "\"site\""), "null");
    EXPECT_EQ(JsonRaw(run.out, "countryCode"), "\"ZA\"");
    EXPECT_EQ(JsonRaw(run.out, "timeZone", "\"parameters\""), "\"Africa/Johannesburg\"");
    EXPECT_DOUBLE_EQ(JsonNumber(run.out, "zoneMeridian"), -30);
    // Its correction table has no summer column; the rule is named in the title.
    const CliRun table = Cli({"--place", "Cape Town", "--table", "correction", "-", "--lang", "en"});
    ASSERT_EQ(table.code, 0) << table.err;
    EXPECT_FALSE(Has(table.out, "Summer time (min)"));
    EXPECT_TRUE(Has(table.out, "no summer time"));
    // A ring of summer hours is refused for such a site.
    const CliRun ring = Cli({"--place", "Cape Town", "--set", "dstRing=1", "--lang", "en"});
    EXPECT_EQ(ring.code, 2);
    EXPECT_TRUE(Has(ring.err, "this site has no summer time")) << ring.err;
    EXPECT_EQ(Cli({"--set", "summerTimeRule=none", "--set", "dstRing=2"}).code, 2);
}

TEST(CliPlace, NamesInBothLanguagesAndOthersOfTheSameName)
{
    for (const std::string lang : {"de", "en"}) {
        for (const std::string name : {"Wien", "Vienna"}) {
            const CliRun run = Cli({"--place", name, "--json", "-", "--lang", lang});
            ASSERT_EQ(run.code, 0) << name << run.err;
            EXPECT_NEAR(JsonNumber(run.out, "latitude"), 48.2085, 0.01) << name;
            EXPECT_NEAR(JsonNumber(run.out, "longitude"), -16.3721, 0.01) << name; // west positive
            EXPECT_NEAR(JsonNumber(run.out, "longitudeEast", "\"site\""), 16.3721, 0.01) << name;
            EXPECT_DOUBLE_EQ(JsonNumber(run.out, "zoneMeridian"), -15) << name;
            EXPECT_EQ(JsonRaw(run.out, "name", "\"site\""), lang == "de" ? "\"Wien\"" : "\"Vienna\"");
        }
    }
    // Vienna, Virginia is named on standard error, the most populous Vienna is taken.
    const CliRun vienna = Cli({"--place", "Vienna", "--lang", "en"});
    EXPECT_TRUE(Has(vienna.err, "Virginia")) << vienna.err;
    const CliRun virginia = Cli({"--place", "Vienna, US", "--json", "-", "--lang", "en"});
    EXPECT_NEAR(JsonNumber(virginia.out, "latitude"), 38.90, 0.01);
    EXPECT_EQ(JsonRaw(virginia.out, "timeZone", "\"parameters\""), "\"America/New_York\"");
    // A --set after --place still corrects a value.
    const CliRun corrected = Cli({"--place", "Wien", "--set", "latitude=48.3", "--json", "-"});
    EXPECT_DOUBLE_EQ(JsonNumber(corrected.out, "latitude"), 48.3);
    const CliRun none = Cli({"--place", "Xqzzyv", "--lang", "en"});
    EXPECT_EQ(none.code, 2);
    EXPECT_TRUE(Has(none.err, "no place named Xqzzyv")) << none.err;
}

TEST(CliPlace, PlaceListAndSavedPlace)
{
    const CliRun list = Cli({"--place-list", "Kapstadt", "--lang", "de"});
    ASSERT_EQ(list.code, 0) << list.err;
    EXPECT_EQ(list.out.substr(0, list.out.find('\n')),
              "Kapstadt; Western Cape; Republik Südafrika; 33.9258 S; 18.4232 E; Africa/Johannesburg");
    // The place, the zone and the rule in force survive a configuration file.
    const std::string file = TempFileIn("umbrix_site_", "wien.ini").string();
    ASSERT_EQ(Cli({"--place", "Wien", "--save-config", file}).code, 0);
    const std::string saved = ReadFile(file);
    EXPECT_TRUE(Has(saved, "timeZone=Europe/Vienna\r\n"));
    EXPECT_TRUE(Has(saved, "place=Wien\r\n"));
    EXPECT_FALSE(Has(saved, "summerTimeRule=")); // not set: zone by default with a time zone
    const CliRun again = Cli({"--config", file, "--json", "-", "--set", "year=2027"});
    ASSERT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(JsonRaw(again.out, "countryCode"), "\"AT\"");
    EXPECT_EQ(JsonRaw(again.out, "start", "\"site\""), "\"28/03\"");
    EXPECT_EQ(JsonRaw(again.out, "abbreviation", "\"site\""), "\"CEST\"");
}

TEST(CliTimeZone, ZonesAndTheirRefusals)
{
    const CliRun kolkata = Cli({"--set", "timeZone=Asia/Kolkata", "--json", "-"});
    ASSERT_EQ(kolkata.code, 0) << kolkata.err;
    EXPECT_DOUBLE_EQ(JsonNumber(kolkata.out, "zoneMeridian"), -82.5);
    EXPECT_EQ(JsonRaw(kolkata.out, "summerTime", "\"site\""), "null");
    const CliRun unknown = Cli({"--set", "timeZone=Europe/Viena", "--lang", "en"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_TRUE(Has(unknown.err, "Europe/Vienna")) << unknown.err;
    EXPECT_EQ(Cli({"--set", "timeZone=Pacific/Kiritimati"}).code, 2);
    EXPECT_EQ(Cli({"--set", "timeZone=../etc/passwd"}).code, 2);
    // A zone meridian typed after the zone is kept, with a warning.
    const CliRun typed =
        Cli({"--set", "timeZone=Europe/Vienna", "--set", "zoneMeridian=-10", "--json", "-", "--lang", "en"});
    ASSERT_EQ(typed.code, 0);
    EXPECT_DOUBLE_EQ(JsonNumber(typed.out, "zoneMeridian"), -10);
    EXPECT_TRUE(Has(typed.err, "no longer matches the time zone Europe/Vienna")) << typed.err;
    // Casablanca's period below its zone time is named and not drawn.
    const CliRun casablanca = Cli({"--set", "year=2027", "--set", "timeZone=Africa/Casablanca", "--lang", "en"});
    EXPECT_EQ(casablanca.code, 0);
    EXPECT_TRUE(Has(casablanca.err, "below its zone time")) << casablanca.err;
}

TEST(CliSummerTime, TheChangeoverInstantAndTheRules)
{
    // The EU rule: the clocks went back at 01:00 UTC on 31 October 2027, so noon is zone time ...
    const CliRun noon = Cli({"--set", "year=2027", "--at", "31/10/2027 12:00", "--json", "-"});
    ASSERT_EQ(noon.code, 0) << noon.err;
    EXPECT_EQ(JsonRaw(noon.out, "summerTime", "\"simulation\""), "null");
    // ... while 01:30 zone time (02:30 on the clock) is still summer time, and 02:00 no longer.
    const CliRun night = Cli({"--set", "year=2027", "--at", "31/10/2027 01:30", "--json", "-"});
    EXPECT_DOUBLE_EQ(JsonNumber(night.out, "summerTime", "\"simulation\""), 2.5);
    const CliRun two = Cli({"--set", "year=2027", "--at", "31/10/2027 02:00", "--json", "-"});
    EXPECT_EQ(JsonRaw(two.out, "summerTime", "\"simulation\""), "null");
    // The default dial and every file without a rule read as before: the EU rule.
    const CliRun plain = Cli({"--json", "-"});
    EXPECT_EQ(JsonRaw(plain.out, "summerTimeRule"), "\"eu\"");
    EXPECT_EQ(JsonRaw(plain.out, "rule", "\"site\""), "\"eu\"");
    // No summer time at all.
    const CliRun none =
        Cli({"--set", "summerTimeRule=none", "--at", "15/07/2015 10:00", "--correction", "--json", "-"});
    EXPECT_EQ(JsonRaw(none.out, "summerTime", "\"simulation\""), "null");
    EXPECT_EQ(JsonRaw(none.out, "offsetHours", "\"correction\""), "null");
    // Sydney across the new year: summer time in January and in December, not in July.
    for (const auto& [at, summer] : {std::pair<std::string, bool>{"15/01/2027 12:00", true},
                                     {"15/07/2027 12:00", false},
                                     {"15/12/2027 12:00", true}}) {
        const CliRun sydney =
            Cli({"--set", "year=2027", "--set", "timeZone=Australia/Sydney", "--at", at, "--json", "-"});
        ASSERT_EQ(sydney.code, 0) << sydney.err;
        EXPECT_EQ(JsonRaw(sydney.out, "summerTime", "\"simulation\"") != "null", summer) << at;
    }
    // The zone of another year than the design year serves --at all the same.
    const CliRun other = Cli({"--set", "timeZone=America/New_York", "--at", "01/07/2027 12:00", "--json", "-"});
    EXPECT_DOUBLE_EQ(JsonNumber(other.out, "summerTime", "\"simulation\""), 13);
}

TEST(CliCoordinates, PastedFormsAndRejectedText)
{
    const CliRun run = Cli({"--coordinates", "48°12'30.6\"N 16°22'19.6\"E", "--json", "-"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NEAR(JsonNumber(run.out, "latitude"), 48.2085, 1e-4);
    EXPECT_NEAR(JsonNumber(run.out, "longitude"), -16.3721, 1e-4);
    const CliRun bad = Cli({"--coordinates", "Wien", "--lang", "en"});
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(Has(bad.err, "N 48.2085 E 16.3721")) << bad.err;
}

TEST(CliSiteCheck, SignWarnings)
{
    struct Case {
        const char* latitude;
        const char* longitude;
        bool warns;
    };
    for (const Case c : {Case{"52.52", "13.4", true}, Case{"43.37", "8.4", false}, Case{"40.71", "74.0", false},
                         Case{"-33.92", "18.42", true}}) {
        const CliRun run = Cli({"--set", std::string("latitude=") + c.latitude, "--set",
                                std::string("longitude=") + c.longitude, "--lang", "en"});
        EXPECT_EQ(run.code, 0) << c.longitude;
        const bool warned = Has(run.err, std::string("umbrix-cli: warning: longitude ") + c.longitude + ": ");
        EXPECT_EQ(warned, c.warns) << c.longitude << ": " << run.err;
        if (c.warns) {
            EXPECT_TRUE(Has(run.err, "longitudes are west positive here (did you mean -")) << run.err;
        }
    }
}

TEST(SettingOutPlan, ViennaNoonTableShowsSummerClockTimes)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    SetLanguage(*m, Language::German);
    std::ostringstream err;
    CliSite site;
    SiteOptions options;
    options.place = "Wien";
    ASSERT_FALSE(site.ApplyOptions(*m, options, err)) << err.str();
    ASSERT_EQ(SetParameter(*m, "shadowDate", "15/05").status, SetStatus::Accepted);
    RecordingHost host;
    (void)Recalculate(*m, host, RecalcSource::None);
    const SettingOutDocument d = BuildSettingOutDocument(*m, LengthUnit::Metre, std::nullopt);
    const PlanTable* noon = nullptr;
    for (const PlanSection& s : d.sections)
        if (s.table && !s.table->header.empty() && s.table->header[1] == "Uhrzeit")
            noon = &*s.table;
    ASSERT_TRUE(noon);
    // Vienna (16.37 E) in May: apparent noon about 11:51 CET, 12:51 on the clocks.
    const std::string& first = noon->rows.at(0).at(1);
    EXPECT_TRUE(std::regex_match(first, std::regex("12:5[0-9] MESZ"))) << first;
}

} // namespace
