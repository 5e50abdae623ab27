// umbrix-cli: options, the order of work, messages, exit codes and the JSON report.

#include "cli/json_writer.h"
#include "tests/cli/cli_run.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

using namespace umbrix;

TEST(CliJson, DefaultParametersAndObliquity)
{
    const CliRun r = Cli({"--json", "-"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"latitude\": 47.25,"), std::string::npos);
    EXPECT_NE(r.out.find("\"longitude\": -9.59,"), std::string::npos);
    EXPECT_NE(r.out.find("\"semiMajorAxis\": 2.75,"), std::string::npos);
    EXPECT_NE(r.out.find("\"year\": 2015,"), std::string::npos);
    EXPECT_NE(r.out.find("\"shadowDate\": \"01/05\","), std::string::npos);
    EXPECT_NE(r.out.find("\"roundedObliquity\": 23.44"), std::string::npos);
    EXPECT_NE(r.out.find("\"errorCode\": 0,"), std::string::npos);
    EXPECT_NE(r.out.find("\"messages\": [],"), std::string::npos);
    EXPECT_NE(r.out.find("\"dialTitle\": \"Ebene horizontal, Zeiger vertikal (häufigste analemm. SU)\""),
              std::string::npos);
}

TEST(CliSet, RejectedValueExitsTwoWithTheFieldsMessage)
{
    const CliRun de = Cli({"--set", "latitude=91", "--json", "-"});
    EXPECT_EQ(de.code, 2);
    EXPECT_NE(de.err.find("UMBRIX.EXE  -  Problem!: Fehlerhafte Eingabe !\nGeogr. Breite: \u221290 \u2026 90\u00b0\n"),
              std::string::npos);
    EXPECT_TRUE(de.out.empty()); // nothing written

    const CliRun en = Cli({"--lang", "en", "--set", "latitude=91"});
    EXPECT_EQ(en.code, 2);
    EXPECT_NE(en.err.find("UMBRIX.EXE  -  Problem!: Error in Input !\nLatitude: \u221290 \u2026 90\u00b0\n"),
              std::string::npos);
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
    const auto path = std::filesystem::temp_directory_path() / ("umbrix_cli_test_" + std::to_string(::getpid()) + ".json");
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
    EXPECT_EQ(JsonNumber(0.1), "0.1");
    EXPECT_EQ(JsonNumber(-9.59), "-9.59");
    EXPECT_EQ(JsonNumber(-3), "-3");
    for (const double v : {1.0 / 3, 2.0 / 3 * 1e-7, 6.02214076e23, -0.1 - 0.2, 1e300})
        EXPECT_EQ(std::stod(JsonNumber(v)), v) << JsonNumber(v);
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

namespace {

/// Every number of a JSON text outside its strings, and whether a bare word other than true/false (null,
/// NaN, Infinity) stands where a value belongs.
struct JsonNumbers {
    std::vector<double> values;
    bool nonFinite = false;
};

JsonNumbers ScanJsonNumbers(const std::string& text)
{
    JsonNumbers out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i)
                if (text[i] == '\\')
                    ++i;
        } else if (c == '-' || (c >= '0' && c <= '9')) {
            std::size_t end = i;
            while (end < text.size() && std::string_view("+-.eE0123456789").find(text[end]) != std::string_view::npos)
                ++end;
            const double v = std::strtod(text.substr(i, end - i).c_str(), nullptr);
            out.values.push_back(v);
            out.nonFinite = out.nonFinite || !std::isfinite(v);
            i = end - 1;
        } else if (std::isalpha(static_cast<unsigned char>(c))) {
            std::size_t end = i;
            while (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end])))
                ++end;
            const std::string word = text.substr(i, end - i);
            out.nonFinite = out.nonFinite || (word != "true" && word != "false");
            i = end - 1;
        }
    }
    return out;
}

std::size_t Count(const std::string& text, std::string_view what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(CliJson, EveryDialTypeWithItsDefaultsCalculatesWithFiniteNumbers)
{
    for (int type = 0; type < 8; ++type) {
        const CliRun r = Cli({"--set", "dialType=" + std::to_string(type), "--json", "-"});
        EXPECT_EQ(r.code, 0) << "dial type " << type << ": " << r.err;
        const JsonNumbers numbers = ScanJsonNumbers(r.out);
        EXPECT_FALSE(numbers.nonFinite) << "dial type " << type;
        EXPECT_GT(numbers.values.size(), 200u) << "dial type " << type;
        EXPECT_EQ(r.out.find("NaN"), std::string::npos) << "dial type " << type;
        EXPECT_EQ(r.out.find("INF"), std::string::npos) << "dial type " << type;
        EXPECT_NE(r.out.find("\"StrGridDat\": ["), std::string::npos);
    }
}

TEST(CliJson, ResultTablesOfTheDefaultDial)
{
    const CliRun r = Cli({"--json", "-"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Count(r.out, "\"time\": "), 33u);                             // hour marks 5:00 .. 21:00, two per hour
    EXPECT_EQ(Count(r.out, "\"equationOfTime\": "), 36u);                   // three date marks per month
    EXPECT_EQ(Count(r.out, "\"t\": "), (21u - 5u + 4u) * 4u + 1u);          // shadow samples 3:00 .. 23:00
    EXPECT_NE(r.out.find("\"x\": -7777.7"), std::string::npos); // the no-shadow marker is kept
    EXPECT_NE(r.out.find("\"label\": \"21.Dez \""), std::string::npos);
    EXPECT_NE(r.out.find("\"riseSetPoint\": {\n    \"x\": 1.16242"), std::string::npos);
    EXPECT_NE(r.out.find("\"lines\": []"), std::string::npos); // no fixed gnomon
    EXPECT_NE(r.out.find("\" Nr. \""), std::string::npos);
    EXPECT_NE(r.out.find("\"  *\""), std::string::npos);
    // Grid sizes: rows x columns, header row included.
    EXPECT_EQ(Count(r.out, "\"Datum  \""), 1u);
    EXPECT_EQ(Count(r.out, "\"Zeit\""), 8u); // four column groups in StrGridStd and in StrGridShad
}

TEST(CliJson, GnomonTooFlatExitsOneWithCodeAndMessage)
{
    const CliRun r = Cli({"--set", "dialType=3", "--set", "planeInclination=80", "--json", "-"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("UMBRIX.EXE  -  Problem!: Kein Gnomonschatten, Gnomonwinkel ist zu klein!\n"),
              std::string::npos);
    EXPECT_NE(r.err.find("12"), std::string::npos);
    EXPECT_NE(r.out.find("\"errorCode\": 12,"), std::string::npos);
    EXPECT_NE(r.out.find("\"shadowPath\": []"), std::string::npos);
    EXPECT_FALSE(ScanJsonNumbers(r.out).nonFinite);

    const CliRun fine = Cli({"--set", "dialType=3", "--set", "planeInclination=75", "--json", "-"});
    EXPECT_EQ(fine.code, 0) << fine.err;
}

TEST(CliJson, WidestHourRangeAndPolarSiteStayFinite)
{
    const CliRun wide = Cli({"--set", "hourFrom=0", "--set", "hourTo=24", "--set", "linesPerHour=6", "--json", "-"});
    ASSERT_EQ(wide.code, 0) << wide.err;
    EXPECT_EQ(Count(wide.out, "\"time\": "), 145u);
    EXPECT_EQ(Count(wide.out, "\"t\": "), 169u);
    EXPECT_FALSE(ScanJsonNumbers(wide.out).nonFinite);

    const CliRun polar = Cli({"--set", "latitude=80", "--set", "shadowDate=21/06", "--json", "-"});
    ASSERT_EQ(polar.code, 0) << polar.err;
    EXPECT_EQ(Count(polar.err, "Die Taglänge in Stunden ist falsch:"), 0u);
    EXPECT_FALSE(ScanJsonNumbers(polar.out).nonFinite);
    EXPECT_NE(polar.out.find("\"riseSetPoint\": {\n    \"x\": 0,"), std::string::npos);
}

TEST(CliSet, DistanceToZStaysForDialsWithoutZAndIsBounded)
{
    // Gnomon at 90 degrees: a new axis must not move Z, which these dials do not have.
    for (const char* type : {"dialType=4", "dialType=5"}) {
        const CliRun r = Cli({"--set", type, "--set", "semiMajorAxis=3", "--json", "-"});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_NE(r.out.find("\"distanceZ\": -3,"), std::string::npos) << type;
        EXPECT_EQ(r.err.find("abgeändert"), std::string::npos) << type;
        EXPECT_EQ(r.out.find("abgeändert"), std::string::npos) << type;
    }
    // Not finite, or beyond a million axes (2.75e6 for the default axis): the input message and exit 2.
    for (const char* value : {"distanceZ=inf", "distanceZ=nan", "distanceZ=-1e300", "distanceZ=-2750001"}) {
        const CliRun r = Cli({"--set", "dialType=7", "--set", value, "--json", "-"});
        EXPECT_EQ(r.code, 2) << value;
        EXPECT_NE(r.err.find("Fehlerhafte Eingabe !"), std::string::npos) << value;
        EXPECT_TRUE(r.out.empty()) << value;
    }
    const CliRun far = Cli({"--set", "dialType=7", "--set", "distanceZ=-2750000", "--json", "-"});
    ASSERT_EQ(far.code, 0) << far.err;
    EXPECT_NE(far.out.find("\"distanceZ\": -2750000,"), std::string::npos);
}

TEST(CliSet, AnHourRangeThatEndsBeforeItStartsExitsTwo)
{
    for (const auto& range : {std::vector<std::string>{"--set", "hourFrom=20", "--set", "hourTo=5"},
                              std::vector<std::string>{"--set", "hourTo=10", "--set", "hourFrom=10"}}) {
        std::vector<std::string> args = range;
        args.insert(args.end(), {"--json", "-"});
        const CliRun r = Cli(args);
        EXPECT_EQ(r.code, 2) << range[1] << " " << range[3];
        EXPECT_NE(r.err.find("Die erste Stunde (von) muss vor der letzten Stunde (bis) liegen."), std::string::npos)
            << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    const CliRun en = Cli({"--lang", "en", "--set", "hourTo=5"});
    EXPECT_EQ(en.code, 2);
    EXPECT_NE(en.err.find("The first hour (from) must come before the last hour (to)."), std::string::npos);
    // Applied in the order given, a range may move past its old ends.
    const CliRun moved = Cli({"--set", "hourFrom=3", "--set", "hourTo=4", "--json", "-"});
    EXPECT_EQ(moved.code, 2); // hourTo ranges from 5
    const CliRun later = Cli({"--set", "hourTo=23", "--set", "hourFrom=20", "--json", "-"});
    ASSERT_EQ(later.code, 0) << later.err;
    EXPECT_NE(later.out.find("\"hourFrom\": 20,"), std::string::npos);
}

// Polar day and polar night at both poles, for a dial with a shadow path, the split dial (whose loops count
// the hours of daylight) and the rise/set marks: no message, and "NaN" in no output of any kind.
TEST(CliOutputs, PolarDaysAndNightsWriteNoNaNAnywhere)
{
    const auto dir = std::filesystem::temp_directory_path() / ("umbrix_cli_polar_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::vector<std::vector<std::string>> dials = {
        {"--set", "markRiseSet=1", "--set", "showLambertCircle=1"},
        {"--set", "dialType=7"},
        {"--set", "dialType=6", "--set", "marksMode=2", "--table", "loops-am", (dir / "am.txt").string(), "--table",
         "loops-pm", (dir / "pm.csv").string()},
        {"--set", "dialType=6", "--set", "marksMode=2", "--set", "doubleAnalemmaMethod=4"},
    };
    // Every output of a run, each with the option that writes it.
    const std::vector<std::pair<std::vector<std::string>, std::string>> outputs = {
        {{"--json"}, "dial.json"},
        {{"--svg"}, "dial.svg"},
        {{"--svg-error"}, "error.svg"},
        {{"--plt"}, "dial.plt"},
        {{"--dxf"}, "dial.dxf"},
        {{"--table", "shadow"}, "shadow.txt"},
        {{"--table", "hours"}, "hours.csv"},
        {{"--table", "dates"}, "dates.txt"},
        {{"--save-config"}, "dial.ini"},
    };
    for (const char* site : {"latitude=70", "latitude=-70", "latitude=89.9", "latitude=-89.9"}) {
        for (const char* date : {"shadowDate=21/06", "shadowDate=21/12"}) {
            for (const auto& dial : dials) {
                std::vector<std::string> args = dial;
                args.insert(args.end(), {"--set", site, "--set", date});
                std::vector<std::string> written;
                for (const auto& [option, file] : outputs) {
                    args.insert(args.end(), option.begin(), option.end());
                    args.push_back((dir / file).string());
                    written.push_back(file);
                }
                const CliRun r = Cli(args);
                const std::string what = std::string(site) + " " + date + " " + dial[1];
                ASSERT_EQ(r.code, 0) << what << ": " << r.err;
                EXPECT_EQ(r.err.find("NaN"), std::string::npos) << what << ": " << r.err;
                EXPECT_EQ(r.err.find("Taglänge"), std::string::npos) << what;
                if (dial.size() > 4 && dial[4] == "--table")
                    written.insert(written.end(), {"am.txt", "pm.csv"});
                for (const std::string& file : written) {
                    std::ifstream in(dir / file, std::ios::binary);
                    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
                    EXPECT_FALSE(text.empty()) << what << " " << file;
                    EXPECT_EQ(text.find("NaN"), std::string::npos) << what << " " << file;
                    EXPECT_EQ(text.find("nan"), std::string::npos) << what << " " << file;
                }
            }
        }
    }
    std::filesystem::remove_all(dir);
}

namespace {

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

// --table writes exactly the file named; its ending, in any letter case, decides the form: .csv with the
// UTF-8 byte-order mark for spreadsheets, .txt plain; "-" is the .txt form on standard output.
TEST(CliTables, FileNamesInAnyLetterCaseAndStandardOutput)
{
    const auto dir = std::filesystem::temp_directory_path() / ("umbrix_cli_tables_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const CliRun r = Cli({"--table", "hours", (dir / "a.txt").string(), "--table", "hours", (dir / "B.TXT").string(),
                          "--table", "hours", (dir / "c.CSV").string(), "--table", "hours", (dir / "d.Csv").string(),
                          "--table", "hours", (dir / "e.csv").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir))
        ++files;
    EXPECT_EQ(files, 5u); // exactly the names given, nothing beside them
    const std::string plain = ReadBytes(dir / "a.txt");
    ASSERT_FALSE(plain.empty());
    EXPECT_NE(plain.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(ReadBytes(dir / "B.TXT"), plain);
    for (const char* csv : {"c.CSV", "d.Csv", "e.csv"})
        EXPECT_EQ(ReadBytes(dir / csv), "\xEF\xBB\xBF" + plain) << csv;

    const CliRun out = Cli({"--table", "hours", "-"});
    ASSERT_EQ(out.code, 0) << out.err;
    EXPECT_EQ(out.out, plain);

    for (const char* bad : {"t.xls", "t.txtx", "csv", "t."}) {
        const CliRun refused = Cli({"--table", "hours", (dir / bad).string()});
        EXPECT_EQ(refused.code, 2) << bad;
        EXPECT_FALSE(std::filesystem::exists(dir / bad)) << bad;
    }
    std::filesystem::remove_all(dir);
}

TEST(CliTables, LoopTablesExistOnlyForTheSplitDial)
{
    const auto file = std::filesystem::temp_directory_path() / ("umbrix_cli_loops_" + std::to_string(::getpid()) + ".txt");
    std::filesystem::remove(file);
    for (const std::vector<std::string>& dial :
         {std::vector<std::string>{}, std::vector<std::string>{"--set", "dialType=6"},
          std::vector<std::string>{"--set", "dialType=6", "--set", "marksMode=1"}}) {
        for (const char* table : {"loops-am", "loops-pm"}) {
            std::vector<std::string> args = dial;
            args.insert(args.end(), {"--table", table, file.string(), "--json", "-"});
            const CliRun r = Cli(args);
            EXPECT_EQ(r.code, 2) << table;
            EXPECT_NE(r.err.find("Die Tabellen der Achterschleifen gibt es nur bei der geteilten Sonnenuhr"),
                      std::string::npos)
                << r.err;
            EXPECT_TRUE(r.out.empty());
            EXPECT_FALSE(std::filesystem::exists(file));
        }
    }
    const CliRun en = Cli({"--lang", "en", "--table", "loops-am", file.string()});
    EXPECT_EQ(en.code, 2);
    EXPECT_NE(en.err.find("The figure-eight loop tables exist only for the split dial"), std::string::npos);

    const CliRun split =
        Cli({"--set", "dialType=6", "--set", "marksMode=2", "--table", "loops-am", file.string(), "--json", "-"});
    EXPECT_EQ(split.code, 0) << split.err;
    EXPECT_TRUE(std::filesystem::exists(file));
    std::filesystem::remove(file);
}

TEST(CliLimits, AHugeAxisIsRefusedBeforeAnyOutputAndNoNumberIsEverNonFinite)
{
    const std::filesystem::path dxf = TempFileIn("umbrix_limits_", "m.dxf");
    // Once an abort in the true-size DXF; now the axis's bound refuses it with the field's message.
    const CliRun huge = Cli({"--set", "semiMajorAxis=1e300", "--dxf-mm", dxf.string()});
    EXPECT_EQ(huge.code, 2);
    EXPECT_TRUE(Has(huge.err, "Grosse Halbachse: > 1 \u2026 1000000 m")) << huge.err;
    EXPECT_FALSE(std::filesystem::exists(dxf));
    // The split dial once wrote "NaN" into its grids at such an axis.
    const CliRun split = Cli({"--set", "dialType=6", "--set", "marksMode=2", "--set", "semiMajorAxis=1e300",
                              "--json", "-"});
    EXPECT_EQ(split.code, 2);
    EXPECT_FALSE(Has(split.out, "NaN"));
    // At the bound itself every output is written, and none holds a non-finite number.
    const CliRun largest = Cli({"--set", "dialType=7", "--set", "semiMajorAxis=1000000", "--json", "-"});
    EXPECT_EQ(largest.code, 0) << largest.err;
    EXPECT_FALSE(HoldsNonFiniteNumber(largest.out));
    std::filesystem::remove_all(dxf.parent_path());
}

TEST(CliLimits, NonFiniteNumbersAreRecognisedAsWordsOnly)
{
    for (const char* text : {"NaN", "x = INF", "-INF; INF", "  nan\n", "1;inf;2", "\"a\": NaN,"})
        EXPECT_TRUE(HoldsNonFiniteNumber(text)) << text;
    for (const char* text : {"Information", "INFO", "infinite", "Nano", "banana", "12.5", ""})
        EXPECT_FALSE(HoldsNonFiniteNumber(text)) << text;
}

TEST(CliConfig, WarningsOfALoadedFileNameTheFileAndTheLineAndKeepTheExitCode)
{
    const std::filesystem::path ini = TempFileIn("umbrix_warn_", "cut.ini");
    std::ofstream(ini, std::ios::binary) << "2020   0\r\n52,500000\r\n";
    const CliRun r = Cli({"--config", ini.string(), "--json", "-"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(Has(r.err, "umbrix-cli: warning: " + ini.string() + ":2: die Zeilen 3 bis 26 behalten die "
                                                                     "aktuellen Werte\n"))
        << r.err;
    EXPECT_TRUE(Has(r.out, "\"latitude\": 52.5,"));
    std::filesystem::remove_all(ini.parent_path());
}
