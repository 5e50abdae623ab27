// Golden files: every output of umbrix-cli for a fixed parameter set per dial type and per method of the
// split dial, compared with the files checked in beside this test. Plot, DXF, SVG, configuration and tables
// must match byte for byte; the JSON report matches in its text, with numbers to 12 significant digits.
//
// `make golden` (UMBRIX_GOLDEN_UPDATE=1) writes the files anew; review the diff before committing it.

#include "tests/cli/cli_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace umbrix;
namespace fs = std::filesystem;

namespace {

struct GoldenCase {
    std::string name;
    std::vector<std::string> options; // --lang and --set options of this dial
    bool split = false;               // split dial: the loop tables exist
};

void PrintTo(const GoldenCase& c, std::ostream* os)
{
    *os << c.name;
}

std::vector<std::string> Sets(std::initializer_list<const char*> assignments)
{
    std::vector<std::string> options;
    for (const char* a : assignments) {
        options.emplace_back("--set");
        options.emplace_back(a);
    }
    return options;
}

std::vector<GoldenCase> Cases()
{
    std::vector<GoldenCase> cases = {
        {"type0", {}},
        {"type1", Sets({"dialType=1", "gnomonInclination=20", "gnomonDeviation=30"})},
        {"type2", Sets({"dialType=2", "planeInclination=40", "planeDeviation=20"})},
        {"type3", Sets({"dialType=3", "planeInclination=30", "gnomonInclination=10"})},
        {"type4", Sets({"dialType=4", "latitude=50"})},
        {"type5", Sets({"dialType=5", "planeDeviation=25"})},
        {"type6", Sets({"dialType=6", "latitude=52.5"})},
        {"type7", Sets({"dialType=7"})},
    };
    // One dial in English, so that the English texts of every output are pinned too.
    cases[2].options.insert(cases[2].options.begin(), {"--lang", "en"});
    for (int method = 0; method <= 4; ++method) {
        const std::string m = "doubleAnalemmaMethod=" + std::to_string(method);
        cases.push_back(
            {"split" + std::to_string(method), Sets({"dialType=6", "marksMode=2", m.c_str(), "latitude=52.5"}), true});
    }
    return cases;
}

/// The files of a case and the options that write them into `dir`.
std::vector<std::pair<std::string, std::vector<std::string>>> Outputs(const GoldenCase& c)
{
    std::vector<std::pair<std::string, std::vector<std::string>>> outputs = {
        {"dial.json", {"--json"}},
        {"construction.svg", {"--svg"}},
        {"dial.plt", {"--plt"}},
        {"dial.dxf", {"--dxf"}},
        {"dial.ini", {"--save-config"}},
        {"hours.txt", {"--table", "hours"}},
        {"shadow.txt", {"--table", "shadow"}},
        {"dates.csv", {"--table", "dates"}},
    };
    if (c.split) {
        outputs.push_back({"loops-am.txt", {"--table", "loops-am"}});
        outputs.push_back({"loops-pm.csv", {"--table", "loops-pm"}});
    }
    return outputs;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool IsNumberStart(char c)
{
    return (c >= '0' && c <= '9') || c == '-';
}

/// Compares two JSON texts: numbers to 12 significant digits, everything else exactly. Returns the offset
/// in `expected` of the first difference, or npos.
std::size_t JsonDifference(const std::string& expected, const std::string& actual)
{
    std::size_t i = 0;
    std::size_t j = 0;
    bool inString = false;
    while (i < expected.size() && j < actual.size()) {
        const char e = expected[i];
        if (!inString && IsNumberStart(e) && IsNumberStart(actual[j])) {
            std::size_t usedE = 0;
            std::size_t usedA = 0;
            const double x = std::stod(expected.substr(i, 40), &usedE);
            const double y = std::stod(actual.substr(j, 40), &usedA);
            const double scale = std::max(std::fabs(x), std::fabs(y));
            if (std::fabs(x - y) > 5e-13 * scale)
                return i;
            i += usedE;
            j += usedA;
            continue;
        }
        if (e != actual[j])
            return i;
        if (e == '"' && (i == 0 || expected[i - 1] != '\\'))
            inString = !inString;
        ++i;
        ++j;
    }
    return i == expected.size() && j == actual.size() ? std::string::npos : i;
}

std::string ShellQuote(const std::string& s)
{
    return "'" + s + "'";
}

/// The first lines of `diff -u` between the golden and the written file.
std::string Diff(const fs::path& golden, const fs::path& actual)
{
    const std::string command = "diff -u --label golden/" + golden.parent_path().filename().string() + "/" +
                                golden.filename().string() + " --label written " + ShellQuote(golden.string()) + " " +
                                ShellQuote(actual.string()) + " | head -n 40";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::string text;
    if (!pipe)
        return text;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr)
        text += buffer;
    return text;
}

class GoldenFiles : public testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenFiles, EveryOutputMatches)
{
    const GoldenCase& c = GetParam();
    const fs::path goldenDir = fs::path(UMBRIX_GOLDEN_DIR) / c.name;
    const fs::path outDir = fs::path(UMBRIX_BINARY_DIR) / "golden-written" / c.name;
    fs::remove_all(outDir);
    fs::create_directories(outDir);

    std::vector<std::string> args = c.options;
    for (const auto& [file, option] : Outputs(c)) {
        args.insert(args.end(), option.begin(), option.end());
        args.push_back((outDir / file).string());
    }
    const CliRun run = Cli(args);
    ASSERT_EQ(run.code, 0) << run.err;

    const bool update = std::getenv("UMBRIX_GOLDEN_UPDATE") != nullptr;
    for (const auto& [file, option] : Outputs(c)) {
        const fs::path written = outDir / file;
        const fs::path golden = goldenDir / file;
        ASSERT_TRUE(fs::exists(written)) << file;
        if (update) {
            fs::create_directories(goldenDir);
            fs::copy_file(written, golden, fs::copy_options::overwrite_existing);
            continue;
        }
        ASSERT_TRUE(fs::exists(golden)) << golden << " is missing: run `make golden`";
        const std::string expected = ReadFile(golden);
        const std::string actual = ReadFile(written);
        const bool same =
            file.ends_with(".json") ? JsonDifference(expected, actual) == std::string::npos : expected == actual;
        EXPECT_TRUE(same) << c.name << "/" << file << " differs from its golden file:\n" << Diff(golden, written);
    }
}

INSTANTIATE_TEST_SUITE_P(Dials, GoldenFiles, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<GoldenCase>& info) { return info.param.name; });

TEST(GoldenJsonComparison, NumbersAgreeToTwelveDigitsAndTextExactly)
{
    EXPECT_EQ(JsonDifference(R"({"x": 0.10000000000000001})", R"({"x": 0.1})"), std::string::npos);
    EXPECT_EQ(JsonDifference(R"({"x": -1.2345678901234})", R"({"x": -1.2345678901235})"), std::string::npos);
    EXPECT_NE(JsonDifference(R"({"x": 1.23456789012})", R"({"x": 1.23456789013})"), std::string::npos);
    EXPECT_NE(JsonDifference(R"({"x": 1})", R"({"y": 1})"), std::string::npos);
    EXPECT_NE(JsonDifference(R"({"t": "a1"})", R"({"t": "a2"})"), std::string::npos);
    EXPECT_NE(JsonDifference(R"([1, 2])", R"([1, 2, 3])"), std::string::npos);
}

} // namespace
