// umbrix-cli's analyses of the finished dial: each JSON part only when asked for, the tables and heat maps
// through the safe writer, the simulated instant on the drawing, and the refusals of bad arguments.

#include "tests/cli/cli_run.h"
#include "tests/graphics/xml_well_formed.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using namespace umbrix;

namespace {

namespace fs = std::filesystem;

fs::path TempFile(const std::string& name)
{
    return TempFileIn("umbrix_analyses_", name);
}

/// The number after the first `"key": ` at or after `from`; none for null or a missing key.
std::optional<double> NumberAfter(const std::string& json, const std::string& key, std::size_t from = 0)
{
    const std::size_t at = json.find("\"" + key + "\": ", from);
    if (at == std::string::npos)
        return std::nullopt;
    const char* start = json.c_str() + at + key.size() + 4;
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start)
        return std::nullopt;
    return value;
}

constexpr const char* kAnalysisKeys[] = {"\"designError\"", "\"errorBudget\"", "\"simulation\"", "\"reach\"",
                                         "\"correction\""};

std::vector<std::string> PartsIn(const std::string& json)
{
    std::vector<std::string> parts;
    for (const char* key : kAnalysisKeys)
        if (Has(json, std::string("\n  ") + key + ": "))
            parts.emplace_back(key);
    return parts;
}

} // namespace

TEST(CliAnalyses, EachPartOnlyWhenAskedAndTheRestUnchanged)
{
    const CliRun plain = Cli({"--json", "-"});
    ASSERT_EQ(plain.code, 0) << plain.err;
    EXPECT_TRUE(PartsIn(plain.out).empty());

    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases{
        {{"--accuracy"}, {"\"designError\"", "\"errorBudget\""}},
        {{"--at", "21/06/2015 10:30"}, {"\"simulation\""}},
        {{"--reach"}, {"\"reach\""}},
        {{"--correction"}, {"\"correction\""}},
        {{"--table", "correction", TempFile("c.txt").string()}, {"\"correction\""}},
        {{"--svg-reach", TempFile("r.svg").string()}, {"\"reach\""}},
        // The map's table and picture add nothing to the JSON.
        {{"--table", "accuracy", TempFile("a.csv").string(), "--svg-accuracy", TempFile("a.svg").string()}, {}},
    };
    for (const auto& [options, parts] : cases) {
        std::vector<std::string> args{"--json", "-"};
        args.insert(args.end(), options.begin(), options.end());
        const CliRun r = Cli(args);
        ASSERT_EQ(r.code, 0) << options[0] << ": " << r.err;
        EXPECT_EQ(PartsIn(r.out), parts) << options[0];
        // The report before the new parts is the plain one, byte for byte.
        EXPECT_EQ(r.out.substr(0, plain.out.size() - 3), plain.out.substr(0, plain.out.size() - 3)) << options[0];
    }
}

TEST(CliAccuracy, MapAndBudgetOfTheDefaultDial)
{
    const CliRun r = Cli({"--json", "-", "--accuracy"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::size_t map = r.out.find("\"designError\": {");
    ASSERT_NE(map, std::string::npos);
    // The default dial (type 0) is exact by design: its errors are only the sun's motion within the day.
    const std::optional<double> maxAbs = NumberAfter(r.out, "maxAbs", r.out.find("\"minutes\": [", map));
    ASSERT_TRUE(maxAbs);
    EXPECT_LT(*maxAbs, 2.0);
    EXPECT_GE(*maxAbs, *NumberAfter(r.out, "meanAbs", map));
    // Worst cell's magnitude is the largest.
    EXPECT_NEAR(std::abs(*NumberAfter(r.out, "minutes", r.out.find("\"worst\": {", map))), *maxAbs, 1e-12);
    // A metre dial: a millimetre of setting-out costs far less than a minute of time.
    const std::size_t budget = r.out.find("\"errorBudget\": {");
    ASSERT_NE(budget, std::string::npos);
    const std::optional<double> along = NumberAfter(r.out, "minutesPerMmAlong", budget);
    ASSERT_TRUE(along);
    EXPECT_GT(std::abs(*along), 0.0);
    EXPECT_LT(std::abs(*along), 1.0);
}

TEST(CliAccuracy, SplitDialErrorReachesMinutesAwayFromItsChosenHours)
{
    const CliRun r = Cli({"--set", "dialType=6", "--set", "marksMode=2", "--set", "doubleAnalemmaMethod=2", "--json",
                          "-", "--accuracy"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::optional<double> maxAbs = NumberAfter(r.out, "maxAbs", r.out.find("\"designError\": {"));
    ASSERT_TRUE(maxAbs);
    EXPECT_GT(*maxAbs, 1.0);
}

TEST(CliAccuracy, TableFilesFollowTheTableFormat)
{
    const fs::path csv = TempFile("accuracy.csv");
    const fs::path txt = TempFile("accuracy.txt");
    const CliRun r = Cli({"--lang", "en", "--table", "accuracy", csv.string(), "--table", "accuracy", txt.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string c = ReadFile(csv);
    const std::string t = ReadFile(txt);
    EXPECT_EQ(c.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(c.substr(3), t);
    EXPECT_TRUE(Has(t, "Design error of the reading in minutes"));
    EXPECT_TRUE(Has(t, "\r\nDate; 5; 6; 7; 8; 9; 10; 11; 12; 13; 14; 15; 16; 17; 18; 19; 20; 21; \r\n"));
    EXPECT_TRUE(Has(t, "\r\nLargest magnitude; "));
    // Every line ends CR LF; no bare line feed.
    for (std::size_t at = t.find('\n'); at != std::string::npos; at = t.find('\n', at + 1))
        ASSERT_EQ(t[at - 1], '\r') << at;
    // Standard output takes the text form.
    const CliRun out = Cli({"--lang", "en", "--table", "accuracy", "-"});
    EXPECT_EQ(out.out, t);
}

TEST(CliAccuracy, HeatMapIsWellFormedWithGreyForEveryEmptyCell)
{
    // Type 6 at 52.5 N: early and late hours without sun in winter leave empty cells.
    const fs::path svg = TempFile("accuracy.svg");
    const CliRun r = Cli({"--set", "dialType=6", "--set", "latitude=52.5", "--set", "hourFrom=5", "--set", "hourTo=19",
                          "--svg-accuracy", svg.string(), "--json", "-", "--accuracy"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string doc = ReadFile(svg);
    EXPECT_EQ(XmlProblem(doc), "");
    const std::string minutes =
        r.out.substr(r.out.find("\"minutes\": ["), r.out.find("\"maxAbs\"") - r.out.find("\"minutes\": ["));
    int nulls = 0;
    for (std::size_t at = minutes.find("null"); at != std::string::npos; at = minutes.find("null", at + 1))
        ++nulls;
    EXPECT_GT(nulls, 0);
    int greys = 0;
    const std::string grey = "fill=\"#9E9E9E\"";
    for (std::size_t at = doc.find(grey); at != std::string::npos; at = doc.find(grey, at + 1))
        ++greys;
    EXPECT_EQ(greys, nulls + 1); // and the legend
    // Symmetric limits: the worst cell takes one of the palette's ends.
    EXPECT_TRUE(Has(doc, "fill=\"#67001F\"") || Has(doc, "fill=\"#053061\""));
    if (std::system("command -v rsvg-convert > /dev/null 2>&1") == 0) {
        const std::string command = "rsvg-convert '" + svg.string() + "' -o '" + svg.string() + ".png' 2>/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
}

TEST(CliAt, SimulationOfAnInstantAndItsDrawing)
{
    const fs::path svg = TempFile("instant.svg");
    const CliRun r = Cli({"--lang", "en", "--json", "-", "--at", "21/06/2015 11:00", "--svg", svg.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::size_t sim = r.out.find("\"simulation\": {");
    ASSERT_NE(sim, std::string::npos);
    EXPECT_TRUE(Has(r.out, "\"date\": \"21/06/2015\""));
    EXPECT_EQ(NumberAfter(r.out, "zoneTime", sim), 11.0);
    EXPECT_EQ(NumberAfter(r.out, "summerTime", sim), 12.0); // the European period, one hour
    const double reading = *NumberAfter(r.out, "reading", sim);
    const double dialTime = *NumberAfter(r.out, "dialTime", sim);
    // The default dial is exact near a mark: it reads its own clock to a few minutes.
    EXPECT_NEAR(*NumberAfter(r.out, "readingErrorMinutes", sim), (reading - dialTime) * 60, 1e-9);
    EXPECT_LT(std::abs(reading - dialTime) * 60, 3.0);
    EXPECT_NEAR(*NumberAfter(r.out, "watchCorrectionMinutes", sim), (12.0 - reading) * 60, 1e-9);
    EXPECT_GT(*NumberAfter(r.out, "altitude", sim), 50.0); // midsummer late morning at 47 N
    // The drawing carries the sun, the shadow and the caption.
    const std::string doc = ReadFile(svg);
    EXPECT_EQ(XmlProblem(doc), "");
    EXPECT_TRUE(Has(doc, "#E69F00"));
    EXPECT_TRUE(Has(doc, "21/06/2015 11:00 zone time (12:00 summer time): the dial reads "));
}

TEST(CliAt, NightGivesNullsAndTheDrawingNoShadow)
{
    const fs::path svg = TempFile("night.svg");
    const CliRun r = Cli({"--json", "-", "--at", "01/01/2015 01:00", "--svg", svg.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::size_t sim = r.out.find("\"simulation\": {");
    EXPECT_TRUE(Has(r.out.substr(sim), "\"summerTime\": null"));
    EXPECT_TRUE(Has(r.out.substr(sim), "\"shadowTip\": null"));
    EXPECT_TRUE(Has(r.out.substr(sim), "\"reading\": null"));
    EXPECT_TRUE(Has(r.out.substr(sim), "\"watchCorrectionMinutes\": null"));
    EXPECT_LT(*NumberAfter(r.out, "altitude", sim), 0.0);
    EXPECT_TRUE(Has(ReadFile(svg), "kein Schatten auf dem Zifferblatt"));
}

TEST(CliAt, MalformedInstantsExitTwoNamingTheValue)
{
    for (const char* bad : {"2015-06-21 10:00", "21/06/2015", "31/04/2015 10:00", "29/02/2015 10:00",
                            "21/06/1699 10:00", "21/06/2101 10:00", "21/06/2015 24:00", "21/06/2015 10:60", ""}) {
        const fs::path json = TempFile("never.json");
        fs::remove(json);
        const CliRun r = Cli({"--json", json.string(), "--at", bad});
        EXPECT_EQ(r.code, 2) << bad;
        EXPECT_TRUE(Has(r.err, "--at")) << bad;
        EXPECT_TRUE(Has(r.err, std::string("\"") + bad + "\"")) << r.err;
        EXPECT_FALSE(fs::exists(json)) << bad;
    }
    EXPECT_EQ(Cli({"--at"}).code, 2);
    EXPECT_TRUE(Has(Cli({"--at"}).err, "--at needs a value"));
}

TEST(CliReach, PlannerForTypesZeroAndSixOnly)
{
    const fs::path svg = TempFile("reach.svg");
    const CliRun r = Cli({"--json", "-", "--reach", "--svg-reach", svg.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::size_t reach = r.out.find("\"reach\": {");
    ASSERT_NE(reach, std::string::npos);
    const std::optional<double> coverage = NumberAfter(r.out, "coverage", reach);
    ASSERT_TRUE(coverage);
    EXPECT_GE(*coverage, 0.0);
    EXPECT_LE(*coverage, 1.0);
    EXPECT_TRUE(NumberAfter(r.out, "recommendedSemiMajorAxis", reach));
    EXPECT_EQ(XmlProblem(ReadFile(svg)), "");

    for (const char* type : {"1", "2", "3", "4", "5", "7"}) {
        const fs::path json = TempFile("refused.json");
        fs::remove(json);
        const CliRun refused = Cli({"--set", std::string("dialType=") + type, "--json", json.string(), "--reach"});
        EXPECT_EQ(refused.code, 2) << type;
        EXPECT_TRUE(Has(refused.err, "dial types 0 and 6")) << refused.err;
        EXPECT_FALSE(fs::exists(json)) << "nothing is written";
    }
    EXPECT_EQ(Cli({"--set", "dialType=7", "--svg-reach", svg.string()}).code, 2);
    EXPECT_EQ(Cli({"--set", "dialType=6", "--set", "marksMode=2", "--reach"}).code, 0);
}

TEST(CliCorrection, TableAndJsonAgree)
{
    const fs::path csv = TempFile("correction.csv");
    const CliRun r = Cli({"--json", "-", "--correction", "--table", "correction", csv.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::size_t part = r.out.find("\"correction\": {");
    ASSERT_NE(part, std::string::npos);
    EXPECT_EQ(NumberAfter(r.out, "offsetHours", part), 1.0);
    const std::string table = ReadFile(csv);
    EXPECT_EQ(table.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_TRUE(Has(table, "(Sommerzeit = Zonenzeit + 1.0 h);\r\n"));
    // The first row's label and standard-time minutes, in both.
    const std::size_t row = r.out.find("\"label\": \"", part) + 10;
    const std::string label = r.out.substr(row, r.out.find('"', row) - row);
    const double minutes = *NumberAfter(r.out, "standardTimeMinutes", part);
    char cell[32];
    std::snprintf(cell, sizeof cell, "%6.1f", minutes);
    EXPECT_TRUE(Has(table, "\r\n" + label + "; ")) << label;
    EXPECT_TRUE(Has(table, std::string("; ") + cell + "; ")) << cell;
}

TEST(CliAnalyses, MissingFileArgumentsExitTwo)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--svg-accuracy"}, {"--svg-reach"}, {"--table", "accuracy"}, {"--table", "correction"}}) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.code, 2) << args[0];
        EXPECT_TRUE(Has(r.err, "needs")) << r.err;
    }
    EXPECT_EQ(Cli({"--table", "accuracy", TempFile("map.pdf").string()}).code, 2);
    EXPECT_EQ(Cli({"--table", "accuracies", TempFile("map.csv").string()}).code, 2);
}

TEST(CliAnalyses, WriteProtectedTargetIsLeftIntact)
{
    for (const std::string option : {"--svg-accuracy", "--svg-reach", "--table"}) {
        const fs::path file = TempFile("protected" + option + ".txt");
        fs::remove(file);
        std::ofstream(file) << "keep";
        ::chmod(file.c_str(), 0444);
        std::vector<std::string> args{option};
        if (option == "--table")
            args.emplace_back("correction");
        args.push_back(file.string());
        const CliRun r = Cli(args);
        EXPECT_EQ(r.code, 3) << option;
        EXPECT_EQ(ReadFile(file), "keep") << option;
        EXPECT_TRUE(Has(r.err, file.string())) << r.err;
        ::chmod(file.c_str(), 0644);
    }
}

// showLeapCycle: every date mark of the report carries its scatter, and the date-mark table gets the scatter
// columns; the spreads of 21 March are those of the core's scatter. Without it neither output changes.
TEST(CliLeapCycle, ScatterInTheReportAndTheDateMarkTableOnlyWhenAsked)
{
    const CliRun plain = Cli({"--json", "-"});
    const CliRun shown = Cli({"--set", "showLeapCycle=1", "--json", "-"});
    ASSERT_EQ(plain.code, 0) << plain.err;
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_FALSE(Has(plain.out, "\"leapCycle\""));
    std::size_t marks = 0;
    for (std::size_t at = shown.out.find("\"leapCycle\": {"); at != std::string::npos;
         at = shown.out.find("\"leapCycle\": {", at + 1))
        ++marks;
    EXPECT_EQ(marks, 36u); // three marks a month
    const std::size_t march = shown.out.find("\"label\": \"21.Mrz \"");
    ASSERT_NE(march, std::string::npos);
    const std::optional<double> declinationSpread = NumberAfter(shown.out, "declinationSpread", march);
    const std::optional<double> positionSpread = NumberAfter(shown.out, "positionSpread", march);
    ASSERT_TRUE(declinationSpread && positionSpread);
    EXPECT_GT(*declinationSpread, 0.25); // about 0.3 degrees near the equinox
    EXPECT_LT(*declinationSpread, 0.45);
    EXPECT_GT(*positionSpread, 0.008); // about a centimetre on the 2.75 m dial, in metres

    const fs::path plainTable = TempFile("dates_plain.csv");
    const fs::path scatterTable = TempFile("dates_scatter.csv");
    ASSERT_EQ(Cli({"--table", "dates", plainTable.string()}).code, 0);
    ASSERT_EQ(
        Cli({"--set", "showLeapCycle=1", "--set", "lengthUnit=cm", "--table", "dates", scatterTable.string()}).code, 0);
    const std::string before = ReadFile(plainTable);
    const std::string after = ReadFile(scatterTable);
    EXPECT_FALSE(Has(before, "Dekl. 2013"));
    EXPECT_TRUE(Has(after, "Dekl. 2013; Dekl. 2014; Dekl. 2015; Dekl. 2016; ZG 2013; "));
    EXPECT_TRUE(Has(after, "Streuung Lage cm; "));
    // The rows of the marks keep their own cells in front of the scatter columns.
    const std::size_t row = before.find("21.Mrz ");
    ASSERT_NE(row, std::string::npos);
    const std::string ownCells = before.substr(row, before.find("\r\n", row) - row);
    EXPECT_TRUE(Has(after, ownCells));
    fs::remove(plainTable);
    fs::remove(scatterTable);
}
