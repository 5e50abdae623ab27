// umbrix-cli calculates once per call: every output of a call comes from the same results, whatever other
// outputs are asked for, and a construction that cannot be built writes only its JSON report.

#include "tests/cli/cli_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

using namespace umbrix;
namespace fs = std::filesystem;

namespace {

class CliOneCalculation : public testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("umbrix_one_calculation_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    static std::string Read(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static std::size_t Count(const std::string& text, const std::string& part)
    {
        std::size_t n = 0;
        for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++n;
        return n;
    }

    fs::path dir_;
};

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

const std::vector<std::string> kSplitDial = {"--set",       "dialType=6", "--set",
                                             "marksMode=2", "--set",      "doubleAnalemmaMethod=0"};

TEST_F(CliOneCalculation, ATableIsTheSameWhateverElseTheCallWrites)
{
    const std::vector<std::string> dial = With(kSplitDial, {"--set", "latitude=52.5"});
    ASSERT_EQ(Cli(With(dial, {"--table", "loops-am", path("alone.txt")})).code, 0);
    const CliRun all = Cli(With(dial, {"--svg", path("dial.svg"), "--plt", path("dial.plt"), "--table", "loops-am",
                                       path("with.txt"), "--json", path("dial.json")}));
    ASSERT_EQ(all.code, 0) << all.err;
    EXPECT_EQ(Read(path("alone.txt")), Read(path("with.txt")));
}

TEST_F(CliOneCalculation, APlotOfAScaledAxisLeavesTheOtherOutputsAsCalculated)
{
    // An axis of 1.5 is brought to 15 for the plot; the report of the same call keeps the dial as entered.
    const std::vector<std::string> dial = {"--set", "semiMajorAxis=1.5"};
    ASSERT_EQ(Cli(With(dial, {"--json", path("alone.json")})).code, 0);
    ASSERT_EQ(Cli(With(dial, {"--plt", path("dial.plt"), "--json", path("with.json")})).code, 0);
    EXPECT_EQ(Read(path("alone.json")), Read(path("with.json")));
}

// The mean-time dial at latitude 10 cannot be built (the drawing refuses it): only the report is written, with
// its message and empty tables; no other file is created, an existing one is left as it was, exit 1.
TEST_F(CliOneCalculation, AConstructionTheDrawingRefusesWritesOnlyItsReport)
{
    std::ofstream(path("old.txt")) << "previous table";
    const CliRun run =
        Cli(With(kSplitDial, {"--set", "latitude=10", "--table", "loops-am", path("old.txt"), "--table", "hours",
                              path("hours.csv"), "--svg", path("dial.svg"), "--plt", path("dial.plt"), "--dxf",
                              path("dial.dxf"), "--save-config", path("dial.ini"), "--json", path("dial.json")}));
    EXPECT_EQ(run.code, 1);
    const std::string text = "Eingabewerte der Konstruktion bitte ändern!";
    EXPECT_EQ(Count(run.err, text), 1u) << run.err;
    for (const char* file : {"hours.csv", "dial.svg", "dial.plt", "dial.dxf", "dial.ini"})
        EXPECT_FALSE(fs::exists(path(file))) << file;
    EXPECT_EQ(Read(path("old.txt")), "previous table");

    const std::string json = Read(path("dial.json"));
    EXPECT_NE(json.find("\"errorCode\": 0,"), std::string::npos);
    EXPECT_NE(json.find(text), std::string::npos);
    for (const char* table : {"\"hourPoints\": []", "\"dateMarks\": []", "\"shadowPath\": []", "\"morning\": []",
                              "\"afternoon\": []", "\"points\": []", "\"StrGrid8\": []"})
        EXPECT_NE(json.find(table), std::string::npos) << table;
}

// A calculation error (the gnomon stands within 15 degrees of the plane): the message once, then the code.
TEST_F(CliOneCalculation, ACalculationErrorWritesOnlyItsReportAndItsMessageOnce)
{
    const CliRun run = Cli({"--set", "dialType=3", "--set", "planeInclination=80", "--svg", path("dial.svg"), "--table",
                            "hours", path("hours.txt"), "--json", path("dial.json")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(Count(run.err, "Kein Gnomonschatten"), 1u) << run.err;
    EXPECT_NE(run.err.find("umbrix-cli: calculation error 12\n"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(path("dial.svg")));
    EXPECT_FALSE(fs::exists(path("hours.txt")));
    const std::string json = Read(path("dial.json"));
    EXPECT_NE(json.find("\"errorCode\": 12,"), std::string::npos);
    EXPECT_NE(json.find("\"hourPoints\": []"), std::string::npos);
}

} // namespace
