// Golden files: every output of umbrix-cli for a fixed parameter set per dial type and per method of the
// split dial, compared with the files checked in beside this test. The JSON report and the true-size DXF
// match in their text with every number to a relative 5e-13 (an absolute 5e-13 below magnitude 1); every
// other file (plot, R10 DXF, SVG pictures, configuration, tables, setting-out list) matches byte for byte.
//
// `make golden` (UMBRIX_GOLDEN_UPDATE=1) writes the files anew; review the diff before committing it.

#include "core/number_text.h"
#include "tests/cli/cli_run.h"
#include "tests/golden/golden_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
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
using umbrix::test::Cases;
using umbrix::test::GoldenCase;
namespace fs = std::filesystem;

namespace {

using OutputList = std::vector<std::pair<std::string, std::vector<std::string>>>;

/// The files of a case's main run and the options that write them; each option is followed by the file.
OutputList Outputs(const GoldenCase& c)
{
    OutputList outputs = {
        {"dial.json", {"--json"}},
        {"construction.svg", {"--svg"}},
        {"dial.plt", {"--plt"}},
        {"dial.dxf", {"--dxf"}},
        {"dial.ini", {"--save-config"}},
        {"hours.txt", {"--table", "hours"}},
        {"shadow.txt", {"--table", "shadow"}},
        {"dates.csv", {"--table", "dates"}},
        {"dial-mm.dxf", {"--dxf-mm"}},
        {"setting-out.csv", {"--setting-out"}},
        {"error.svg", {"--svg-error"}},
        {"accuracy.svg", {"--svg-accuracy"}},
        {"accuracy.txt", {"--table", "accuracy"}},
        {"dst.csv", {"--table", "dst"}},
        {"correction.txt", {"--table", "correction"}},
    };
    if (c.split) {
        outputs.push_back({"loops-am.txt", {"--table", "loops-am"}});
        outputs.push_back({"loops-pm.csv", {"--table", "loops-pm"}});
    }
    if (c.reach)
        outputs.push_back({"reach.svg", {"--svg-reach"}});
    return outputs;
}

/// Options of the main run that add the analyses' parts to dial.json.
std::vector<std::string> AnalysisFlags(const GoldenCase& c)
{
    std::vector<std::string> flags = {"--accuracy", "--correction"};
    if (c.reach)
        flags.emplace_back("--reach");
    return flags;
}

/// The true-scale SVG needs a run of its own: a run writes one construction SVG.
const OutputList kScaledOutputs = {{"construction-1-20.svg", {"--svg"}}};
const std::vector<std::string> kScaledFlags = {"--scale", "1:20"};

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool IsNumberStart(char c)
{
    return (c >= '0' && c <= '9') || c == '-';
}

/// Whether two numbers agree: relatively to 5e-13, and absolutely to 5e-13 below magnitude 1, so that a
/// value rounded near zero (1e-17 against -3e-17) is not a difference.
bool NumbersAgree(double x, double y)
{
    const double scale = std::max({std::fabs(x), std::fabs(y), 1.0});
    return std::fabs(x - y) <= 5e-13 * scale;
}

/// The number that begins at `text[at]`, and how many characters it takes (0: no number there).
std::pair<double, std::size_t> NumberAt(const std::string& text, std::size_t at)
{
    double value = 0;
    const char* begin = text.data() + at;
    const auto [end, error] = ReadReal(std::string_view(begin, static_cast<std::size_t>(text.data() + text.size() - begin)), value);
    return {value, error == std::errc() ? static_cast<std::size_t>(end - begin) : 0};
}

/// Compares two JSON texts: numbers outside strings by NumbersAgree, everything else exactly. Returns the
/// offset in `expected` of the first difference, or npos.
std::size_t JsonDifference(const std::string& expected, const std::string& actual)
{
    std::size_t i = 0;
    std::size_t j = 0;
    bool inString = false;
    while (i < expected.size() && j < actual.size()) {
        const char e = expected[i];
        if (!inString && IsNumberStart(e) && IsNumberStart(actual[j])) {
            const auto [x, usedE] = NumberAt(expected, i);
            const auto [y, usedA] = NumberAt(actual, j);
            if (usedE == 0 || usedA == 0 || !NumbersAgree(x, y))
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

/// The lines of a text, without their line ends.
std::vector<std::string> LinesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.ends_with('\r'))
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

/// Compares two DXF texts value line by value line: a line that is a number in both by NumbersAgree, every
/// other line (group codes are numbers too) exactly, and the line ends byte for byte. Returns the number
/// (from 1) of the first differing line, or 0.
std::size_t DxfDifference(const std::string& expected, const std::string& actual)
{
    if (expected.find("\r\n") == std::string::npos && actual.find("\r\n") != std::string::npos)
        return 1;
    const std::vector<std::string> e = LinesOf(expected);
    const std::vector<std::string> a = LinesOf(actual);
    for (std::size_t n = 0; n < std::max(e.size(), a.size()); ++n) {
        if (n >= e.size() || n >= a.size())
            return n + 1;
        if (e[n] == a[n])
            continue;
        const std::size_t se = e[n].find_first_not_of(' ');
        const std::size_t sa = a[n].find_first_not_of(' ');
        if (se == std::string::npos || sa == std::string::npos)
            return n + 1;
        const auto [x, usedE] = NumberAt(e[n], se);
        const auto [y, usedA] = NumberAt(a[n], sa);
        if (usedE == 0 || se + usedE != e[n].size() || usedA == 0 || sa + usedA != a[n].size() || !NumbersAgree(x, y))
            return n + 1;
    }
    return 0;
}

/// Whether `file` (named by its golden name) matches by the rule of its kind.
bool SameOutput(const std::string& file, const std::string& expected, const std::string& actual)
{
    if (file.ends_with(".json"))
        return JsonDifference(expected, actual) == std::string::npos;
    if (file.ends_with("-mm.dxf"))
        return DxfDifference(expected, actual) == 0;
    return expected == actual;
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

/// Runs umbrix-cli for case `c` with `flags` and writes `outputs` into `outDir`; then compares them with the
/// golden files, or with UMBRIX_GOLDEN_UPDATE set copies them over the golden files.
void RunAndCompare(const GoldenCase& c, const OutputList& outputs, const std::vector<std::string>& flags,
                   const fs::path& outDir)
{
    const fs::path goldenDir = fs::path(UMBRIX_GOLDEN_DIR) / c.name;
    std::vector<std::string> args = c.options;
    args.insert(args.end(), flags.begin(), flags.end());
    for (const auto& [file, option] : outputs) {
        args.insert(args.end(), option.begin(), option.end());
        args.push_back((outDir / file).string());
    }
    const CliRun run = Cli(args);
    ASSERT_EQ(run.code, 0) << run.err;

    const bool update = std::getenv("UMBRIX_GOLDEN_UPDATE") != nullptr;
    for (const auto& [file, option] : outputs) {
        const fs::path written = outDir / file;
        const fs::path golden = goldenDir / file;
        ASSERT_TRUE(fs::exists(written)) << file;
        if (update) {
            fs::create_directories(goldenDir);
            fs::copy_file(written, golden, fs::copy_options::overwrite_existing);
            continue;
        }
        ASSERT_TRUE(fs::exists(golden)) << golden << " is missing: run `make golden`";
        EXPECT_TRUE(SameOutput(file, ReadFile(golden), ReadFile(written)))
            << c.name << "/" << file << " differs from its golden file:\n"
            << Diff(golden, written);
    }
}

TEST_P(GoldenFiles, EveryOutputMatches)
{
    const GoldenCase& c = GetParam();
    const fs::path outDir = fs::path(UMBRIX_BINARY_DIR) / "golden-written" / c.name;
    fs::remove_all(outDir);
    fs::create_directories(outDir);
    RunAndCompare(c, Outputs(c), AnalysisFlags(c), outDir);
    RunAndCompare(c, kScaledOutputs, kScaledFlags, outDir);
}

INSTANTIATE_TEST_SUITE_P(Dials, GoldenFiles, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<GoldenCase>& info) { return info.param.name; });

TEST(GoldenComparison, JsonNumbersAgreeToTheRelativeRuleAndTextExactly)
{
    EXPECT_EQ(JsonDifference(R"({"x": 0.10000000000000001})", R"({"x": 0.1})"), std::string::npos);
    EXPECT_EQ(JsonDifference(R"({"x": -1.2345678901234})", R"({"x": -1.2345678901235})"), std::string::npos);
    EXPECT_NE(JsonDifference(R"({"x": 1.23456789012})", R"({"x": 1.23456789013})"), std::string::npos);
    EXPECT_NE(JsonDifference(R"({"x": 1})", R"({"y": 1})"), std::string::npos);
    EXPECT_NE(JsonDifference(R"({"t": "a1"})", R"({"t": "a2"})"), std::string::npos);
    EXPECT_NE(JsonDifference(R"([1, 2])", R"([1, 2, 3])"), std::string::npos);
    // Below magnitude 1 the floor is absolute: rounding noise round zero passes, a real offset does not.
    EXPECT_EQ(JsonDifference(R"({"x": 1e-17})", R"({"x": -3e-17})"), std::string::npos);
    EXPECT_EQ(JsonDifference(R"({"x": 0})", R"({"x": 4e-13})"), std::string::npos);
    EXPECT_NE(JsonDifference(R"({"x": 0})", R"({"x": 1e-12})"), std::string::npos);
    EXPECT_NE(JsonDifference(R"({"x": 1250.5})", R"({"x": 1250.500000001})"), std::string::npos);
    // A minus sign that starts no number is text.
    EXPECT_NE(JsonDifference(R"({"x": -})", R"({"x": -1})"), std::string::npos);
}

TEST(GoldenComparison, DxfValuesAgreeByNumberAndEveryOtherLineExactly)
{
    const std::string golden = "  0\r\nPOINT\r\n  8\r\nhour-points\r\n 10\r\n1234.5678901234\r\n 20\r\n0.0\r\n";
    EXPECT_EQ(DxfDifference(golden, golden), 0U);
    EXPECT_EQ(DxfDifference(golden, "  0\r\nPOINT\r\n  8\r\nhour-points\r\n 10\r\n1234.56789012341\r\n 20\r\n"
                                    "-1e-16\r\n"),
              0U);
    EXPECT_EQ(DxfDifference(golden, "  0\r\nPOINT\r\n  8\r\nhour-points\r\n 10\r\n1234.5678901\r\n 20\r\n0.0\r\n"),
              6U);
    EXPECT_EQ(DxfDifference(golden, "  0\r\nPOINT\r\n  8\r\nhour-point\r\n 10\r\n1234.5678901234\r\n 20\r\n0.0\r\n"),
              4U);
    EXPECT_EQ(DxfDifference(golden, "  0\r\nPOINT\r\n  8\r\nhour-points\r\n 11\r\n1234.5678901234\r\n 20\r\n0.0\r\n"),
              5U);
    EXPECT_EQ(DxfDifference(golden, golden + "  0\r\nEOF\r\n"), 9U);
    // A drawing whose line ends changed is a different file.
    EXPECT_NE(DxfDifference("  0\nEOF\n", "  0\r\nEOF\r\n"), 0U);
    EXPECT_TRUE(SameOutput("dial.dxf", golden, golden));
    EXPECT_FALSE(SameOutput("dial.dxf", golden, golden + " "));
}

} // namespace
