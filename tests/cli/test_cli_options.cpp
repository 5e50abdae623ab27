// umbrix-cli: options that conflict, repeat or lack their value are refused with exit 2 before anything
// is written.

#include "tests/cli/cli_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace umbrix;

namespace {

struct Refusal {
    std::vector<std::string> args;
    std::string named; // what the message must name
};

} // namespace

TEST(CliOptions, ConflictingRepeatedOrMalformedOptionsExitTwoNamingThem)
{
    const std::string x = TempFileIn("umbrix_options_", "x").string();
    const std::string a = TempFileIn("umbrix_options_", "a.csv").string();
    const std::string b = TempFileIn("umbrix_options_", "b.csv").string();
    const std::vector<Refusal> refusals = {
        {{"--json", "-", "--table", "hours", "-"}, "standard output"},
        {{"--json", x, "--svg", x}, "--svg " + x},
        {{"--setting-out", a, "--setting-out", b}, "--setting-out is given twice"},
        {{"--json", "-", "--json", x}, "--json is given twice"},
        {{"--template", TempFileIn("umbrix_options_", "t.svg").string()}, "--template writes FILE.pdf"},
        {{"--version", "--bogus"}, "unknown option --bogus"},
        {{"--bogus", "--help"}, "unknown option --bogus"},
        {{"--set", "latitude="}, "--set latitude= has no value"},
    };
    for (const Refusal& r : refusals) {
        const CliRun run = Cli(r.args);
        EXPECT_EQ(run.code, 2) << r.named;
        EXPECT_TRUE(Has(run.err, r.named)) << run.err;
        EXPECT_TRUE(run.out.empty()) << r.named;
        EXPECT_FALSE(std::filesystem::exists(x)) << r.named;
    }
    // Values the field checks refuse: a date with a year, a sign on a sign.
    for (const char* set : {"shadowDate=01/01/2020", "latitude=+-5"}) {
        const CliRun run = Cli({"--set", set, "--json", "-"});
        EXPECT_EQ(run.code, 2) << set;
        EXPECT_TRUE(run.out.empty()) << set;
    }
    std::filesystem::remove_all(std::filesystem::path(x).parent_path());
}

TEST(CliOptions, DevicesTakeSeveralOutputsAndEmptyUnsetsWhatItMayUnset)
{
    EXPECT_EQ(Cli({"--json", "/dev/null", "--svg", "/dev/null"}).code, 0);
    EXPECT_EQ(Cli({"--version"}).code, 0);
    EXPECT_EQ(Cli({"--set", "latitude=+5", "--json", "/dev/null"}).code, 0);
    // The body height follows the gnomon until set; an empty value unsets it.
    EXPECT_EQ(Cli({"--set", "bodyHeight=", "--json", "/dev/null"}).code, 0);
}
