// The web library's session against umbrix-cli: the same inputs must give the very same report and files,
// since the page offers them as the program's own.
#include "web/api/session.h"

#include "cli/cli_app.h"
#include "cli/reference.h"
#include "core/parameters.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace umbrix {
namespace {

struct CliRun {
    int code = 0;
    std::string out;
    std::string err;
};

CliRun Cli(std::vector<std::string> args)
{
    std::ostringstream out, err;
    CliRun run;
    run.code = RunCli(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

/// The JSON without its layout: no line breaks and indentation, no blank after a key's colon.
std::string Compact(const std::string& json)
{
    std::string out;
    for (std::size_t i = 0; i < json.size(); ++i) {
        if (json[i] == '\n') {
            while (i + 1 < json.size() && json[i + 1] == ' ')
                ++i;
            continue;
        }
        out += json[i];
        if (json[i] == ':' && i + 1 < json.size() && json[i + 1] == ' ' && i > 0 && json[i - 1] == '"')
            ++i;
    }
    return out;
}

std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() /
               ("umbrix-session-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    /// The bytes umbrix-cli writes into FILE for the --set options and then `output` (with FILE last).
    std::string CliFile(const std::vector<std::string>& sets, std::vector<std::string> output, const std::string& name)
    {
        std::vector<std::string> args;
        for (const std::string& s : sets)
            args.insert(args.end(), {"--set", s});
        const std::string file = (dir_ / name).string();
        for (std::string& a : output)
            if (a == "FILE")
                a = file;
        args.insert(args.end(), output.begin(), output.end());
        const CliRun run = Cli(args);
        EXPECT_EQ(run.code, 0) << run.err;
        return FileBytes(file);
    }

    std::filesystem::path dir_;
};

TEST_F(SessionTest, ReportAndFilesEqualThoseOfTheCommandLine)
{
    const std::vector<std::string> sets = {"latitude=48.1", "dialType=6", "marksMode=2", "semiMajorAxis=3.5"};
    Session session;
    // The dial type after the latitude, as a page may send them; the presets come first either way.
    for (const char* s : {"latitude=48.1", "semiMajorAxis=3.5"}) {
        const std::string text(s);
        const auto eq = text.find('=');
        ASSERT_NE(Compact(session.setParameter(text.substr(0, eq), text.substr(eq + 1))).find("\"accepted\""),
                  std::string::npos);
    }
    EXPECT_NE(Compact(session.setParameter("dialType", "6")).find("\"accepted\""), std::string::npos);
    EXPECT_NE(Compact(session.setParameter("marksMode", "2")).find("\"accepted\""), std::string::npos);

    EXPECT_EQ(session.calculate(), Cli({"--set", sets[0], "--set", sets[1], "--set", sets[2], "--set", sets[3],
                                        "--json", "-"})
                                       .out);
    EXPECT_EQ(session.output("dxf", "{}"), CliFile(sets, {"--dxf", "FILE"}, "a.dxf"));
    EXPECT_EQ(session.output("svg", R"({"size": "800x600"})"), CliFile(sets, {"--svg", "FILE", "--size", "800x600"}, "a.svg"));
    EXPECT_EQ(session.output("table", R"({"name":"loops-am","format":"csv"})"),
              CliFile(sets, {"--table", "loops-am", "FILE"}, "a.csv"));
    EXPECT_EQ(session.output("save-config", R"({"format":"adt"})"), CliFile(sets, {"--save-config", "FILE"}, "a.adt"));
    EXPECT_EQ(session.output("at", R"({"at":"21/06/2026 12:00"})"),
              CliFile(sets, {"--json", "FILE", "--at", "21/06/2026 12:00"}, "at.json"));
    EXPECT_EQ(session.lastError(), "");
}

TEST_F(SessionTest, RefusedInputsAnswerWithStatusAndMessageAndChangeNothing)
{
    Session session;
    const std::string before = session.parameters();
    EXPECT_NE(Compact(session.setParameter("latitude", "95")).find("\"status\":\"rejected\""), std::string::npos);
    EXPECT_NE(Compact(session.setParameter("noSuchName", "1")).find("\"status\":\"unknown\""), std::string::npos);
    // The horizontal dial (type 0) disables the plane's inclination.
    EXPECT_NE(Compact(session.setParameter("planeInclination", "10")).find("\"status\":\"disabled\""), std::string::npos);
    EXPECT_EQ(session.parameters(), before);

    const std::string refused = Compact(session.validateField("latitude", "abc"));
    EXPECT_NE(refused.find("\"accepted\":false"), std::string::npos) << refused;
    EXPECT_NE(refused.find("\"caption\""), std::string::npos) << refused;
    const std::string taken = Compact(session.validateField("latitude", "47.5"));
    EXPECT_NE(taken.find("\"accepted\":true"), std::string::npos) << taken;
    EXPECT_NE(Compact(session.parameters()).find("\"latitude\":47.5"), std::string::npos);

    EXPECT_EQ(session.output("no-such-output", "{}"), "");
    EXPECT_NE(session.lastError(), "");
    EXPECT_EQ(session.output("svg", "{not json"), "");
    EXPECT_NE(session.lastError(), "");
    EXPECT_EQ(session.output("table", R"({"name":"hours","format":"doc"})"), "");
    EXPECT_NE(session.lastError(), "");
}

TEST_F(SessionTest, ConfigurationBytesReadThroughTheCoresReader)
{
    Session writer;
    ASSERT_NE(writer.setParameter("latitude", "40.25").find("accepted"), std::string::npos);
    ASSERT_NE(writer.setParameter("dialType", "3").find("accepted"), std::string::npos);
    const std::string ini = writer.output("save-config", R"({"format":"ini"})");
    ASSERT_FALSE(ini.empty()) << writer.lastError();

    Session reader;
    const std::string read = Compact(reader.readConfig(ini, "garden.ini"));
    EXPECT_NE(read.find("\"ok\":true"), std::string::npos) << read;
    EXPECT_EQ(reader.parameters(), writer.parameters());

    const std::string bad = Compact(reader.readConfig("", "../../x.adt"));
    EXPECT_NE(bad.find("\"ok\":false"), std::string::npos) << bad;
    EXPECT_NE(reader.lastError(), "");
    EXPECT_EQ(reader.parameters(), writer.parameters()) << "a refused file changes nothing";

    // Whatever the reader makes of a file, the session makes the same as umbrix-cli --config.
    const std::string odd = "no configuration at all\r\n52.5\r\n";
    Session oddReader;
    (void)oddReader.readConfig(odd, "odd.adt");
    {
        std::ofstream(dir_ / "odd.adt", std::ios::binary) << odd;
    }
    const CliRun cli = Cli({"--config", (dir_ / "odd.adt").string(), "--json", "-"});
    const std::string report = Compact(cli.out);
    const std::string parameters = Compact(oddReader.parameters());
    EXPECT_NE(report.find(parameters.substr(0, parameters.size() - 1)), std::string::npos) << report;
}

TEST_F(SessionTest, LanguageAndPlaceAndDescriptionComeFromTheCore)
{
    Session session;
    session.setLanguage("en");
    const std::string english = session.setParameter("latitude", "95");
    session.setLanguage("de");
    const std::string german = session.setParameter("latitude", "95");
    EXPECT_NE(english, german);

    EXPECT_NE(session.setPlace(R"({"name":"Wien","latitude":48.2,"longitudeEast":16.37})").find("accepted"),
              std::string::npos);
    const std::string parameters = Compact(session.parameters());
    EXPECT_NE(parameters.find("\"latitude\":48.2"), std::string::npos) << parameters;
    EXPECT_NE(parameters.find("\"longitude\":-16.37"), std::string::npos) << parameters;

    const std::string description = Compact(DescribeJson());
    for (const ParameterRow& row : ParameterTable())
        EXPECT_NE(description.find("\"name\":\"" + std::string(row.name) + "\""), std::string::npos) << row.name;
    EXPECT_NE(description.find("\"name\":\"--template\""), std::string::npos);
    // Every option carries its meaning in both languages, for the page's tooltips.
    EXPECT_EQ(description.find("\"meaning\":{\"de\":\"\",\"en\":\"\"}"), std::string::npos);
    for (const OptionDoc& option : CliOptionDocs())
        EXPECT_FALSE(option.meaningEn.empty() || option.meaningDe.empty()) << option.name;
    EXPECT_NE(description.find("\"caption\":{\"de\":\"Geogr. Breite\",\"en\":\"Latitude\"}"), std::string::npos);
    EXPECT_NE(description.find("\"enabledByDialType\":[true,true,true,true,true,true,true,true]"),
              std::string::npos);
}

// A place found by the page sets what --place sets: the position, the zone with its meridian and summer
// time, and the place's name; the report then equals umbrix-cli's for --place.
TEST_F(SessionTest, APlaceFoundSetsWhatThePlaceOptionSets)
{
    const std::string found = Compact(SearchPlacesJson("Kapstadt", "de"));
    EXPECT_NE(found.find("\"name\":\"Kapstadt\""), std::string::npos) << found;
    EXPECT_NE(found.find("\"timeZone\":\"Africa/Johannesburg\""), std::string::npos) << found;
    EXPECT_NE(Compact(SearchPlacesJson("Wien, AT", "en")).find("\"name\":\"Vienna\""), std::string::npos);
    EXPECT_EQ(SearchPlacesJson("Qqqxqq", "en"), "[]\n");

    Session session;
    session.setLanguage("en");
    const std::string answer = session.setPlace(
        R"({"name":"Vienna","latitude":48.20849,"longitudeEast":16.37208,"timeZone":"Europe/Vienna"})");
    EXPECT_NE(answer.find("accepted"), std::string::npos) << answer;
    const std::string parameters = Compact(session.parameters());
    EXPECT_NE(parameters.find("\"timeZone\":\"Europe/Vienna\""), std::string::npos) << parameters;
    EXPECT_NE(parameters.find("\"zoneMeridian\":-15"), std::string::npos) << parameters;
    EXPECT_NE(parameters.find("\"place\":\"Vienna\""), std::string::npos) << parameters;

    // An unknown zone is refused and changes nothing.
    const std::string before = session.parameters();
    EXPECT_NE(session.setParameter("timeZone", "Mars/Olympus").find("rejected"), std::string::npos);
    EXPECT_EQ(session.parameters(), before);
}

} // namespace
} // namespace umbrix
