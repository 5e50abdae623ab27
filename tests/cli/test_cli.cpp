// umbrix-cli: options, the order of work, messages, exit codes and the JSON report.

#include "cli/cli_app.h"
#include "cli/json_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace umbrix;

namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun Cli(std::vector<std::string> args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

} // namespace

TEST(CliJson, DefaultParametersAndObliquity)
{
    const CliRun r = Cli({"--json", "-"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"latitude\": 47.25,"), std::string::npos);
    EXPECT_NE(r.out.find("\"longitude\": -9.5899999999999999,"), std::string::npos);
    EXPECT_NE(r.out.find("\"semiMajorAxis\": 2.75,"), std::string::npos);
    EXPECT_NE(r.out.find("\"year\": 2015,"), std::string::npos);
    EXPECT_NE(r.out.find("\"shadowDate\": \"01/05\","), std::string::npos);
    EXPECT_NE(r.out.find("\"roundedObliquity\": 23.440000000000001"), std::string::npos);
    EXPECT_NE(r.out.find("\"errorCode\": 0,"), std::string::npos);
    EXPECT_NE(r.out.find("\"messages\": [],"), std::string::npos);
    EXPECT_NE(r.out.find("\"dialTitle\": \"Ebene horizontal, Zeiger vertikal (häufigste analemm. SU)\""),
              std::string::npos);
}

TEST(CliSet, RejectedValueExitsTwoWithTheFieldsMessage)
{
    const CliRun de = Cli({"--set", "latitude=91", "--json", "-"});
    EXPECT_EQ(de.code, 2);
    EXPECT_NE(de.err.find("UMBRIX.EXE  -  Problem!: Fehlerhafte Eingabe !\n"), std::string::npos);
    EXPECT_TRUE(de.out.empty()); // nothing written

    const CliRun en = Cli({"--lang", "en", "--set", "latitude=91"});
    EXPECT_EQ(en.code, 2);
    EXPECT_NE(en.err.find("UMBRIX.EXE  -  Problem!: Error in Input !\n"), std::string::npos);
}

TEST(CliSet, UnknownNamesAndBadUsageExitTwo)
{
    EXPECT_EQ(Cli({"--set", "colour=red"}).code, 2);
    EXPECT_EQ(Cli({"--set", "latitude"}).code, 2);
    EXPECT_EQ(Cli({"--lang", "fr"}).code, 2);
    EXPECT_EQ(Cli({"--json"}).code, 2);
    EXPECT_EQ(Cli({"--bogus"}).code, 2);
    EXPECT_EQ(Cli({"--set", "showZoneTime=yes"}).code, 2);
    EXPECT_EQ(Cli({"--set", "marksPerMonth=4"}).code, 2);
    EXPECT_EQ(Cli({"--set", "linesPerHour=7"}).code, 2);
    EXPECT_EQ(Cli({"--set", "shadowDate=31/04"}).code, 2);
}

TEST(CliSet, DialTypeIsAppliedFirstAndDisablesItsFixedFields)
{
    // planeInclination is disabled on the horizontal dial...
    const CliRun refused = Cli({"--set", "planeInclination=30"});
    EXPECT_EQ(refused.code, 2);
    EXPECT_NE(refused.err.find("planeInclination"), std::string::npos);
    // ...and open on the inclined dial, even when the dial type comes later on the line.
    const CliRun ok = Cli({"--set", "planeInclination=30", "--set", "dialType=3", "--json", "-"});
    ASSERT_EQ(ok.code, 0) << ok.err;
    EXPECT_NE(ok.out.find("\"planeInclination\": 30,"), std::string::npos);
    EXPECT_NE(ok.out.find("\"dialType\": 3,"), std::string::npos);
}

TEST(CliSet, OtherValuesApplyInOrderAndWin)
{
    const CliRun r = Cli({"--set", "latitude=40", "--set", "latitude=50.5", "--set", "showZoneTime=true", "--set",
                          "hoursTable=8/9;1/1;15/16;1/1", "--set", "shadowDate=21/06", "--set", "dialType=6", "--set",
                          "marksMode=2", "--json", "-"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"latitude\": 50.5,"), std::string::npos);
    EXPECT_NE(r.out.find("\"showZoneTime\": true,"), std::string::npos);
    EXPECT_NE(r.out.find("\"shadowDateCaption\": \"21. Jun\""), std::string::npos);
    // The hour table of the split dial is open only in its double-analemma variant.
    EXPECT_EQ(Cli({"--set", "hoursTable=8/9;1/1;15/16;1/1"}).code, 2);
}

TEST(CliJson, EnglishRunAndFileOutput)
{
    const auto path = std::filesystem::temp_directory_path() / "umbrix_cli_test.json";
    const CliRun r = Cli({"--lang", "en", "--json", path.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    std::ifstream in(path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("\"dialTitle\": \"Horizontal dial, index vertical (most popular type)\""), std::string::npos);
    EXPECT_NE(text.find("\"language\": \"en\""), std::string::npos);
    std::filesystem::remove(path);

    EXPECT_EQ(Cli({"--json", "/nonexistent-folder/x.json"}).code, 3);
}

TEST(JsonWriter, NumbersRoundTripAndNonFiniteIsNull)
{
    EXPECT_EQ(JsonNumber(0.1), "0.10000000000000001");
    EXPECT_EQ(JsonNumber(-3), "-3");
    EXPECT_EQ(JsonNumber(1e300 * 1e300), "null");
    EXPECT_EQ(JsonNumber(std::nan("")), "null");
    JsonWriter w;
    w.beginObject();
    w.key("t");
    w.value("a\"b\\c\r\n\x01");
    w.key("e");
    w.beginArray();
    w.endArray();
    w.endObject();
    EXPECT_EQ(w.text(), "{\n  \"t\": \"a\\\"b\\\\c\\r\\n\\u0001\",\n  \"e\": []\n}\n");
}
