// umbrix-cli on the split dial for mean time: the figure-eight methods, their JSON and grids.

#include "cli/json_report.h"
#include "core/driver.h"
#include "core/input_panel.h"
#include "core/parameter_set.h"
#include "tests/cli/cli_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

using namespace umbrix;

namespace {

std::vector<std::string> SplitDial(int method, std::vector<std::string> more = {})
{
    std::vector<std::string> args{"--set",       "dialType=6", "--set",
                                  "marksMode=2", "--set",      "doubleAnalemmaMethod=" + std::to_string(method)};
    args.insert(args.end(), more.begin(), more.end());
    args.insert(args.end(), {"--json", "-"});
    return args;
}

/// The text of one member of the report, from its key to the next top-level key.
std::string Section(const std::string& json, std::string_view key, std::string_view nextKey)
{
    const std::size_t begin = json.find("\"" + std::string(key) + "\":");
    const std::size_t end = json.find("\"" + std::string(nextKey) + "\":", begin);
    if (begin == std::string::npos || end == std::string::npos)
        return {};
    return json.substr(begin, end - begin);
}

int Count(const std::string& text, std::string_view what)
{
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(CliLoops, EveryMethodGivesFiniteLoopsAndStatistics)
{
    for (int method = 0; method <= 4; ++method) {
        const CliRun r = Cli(SplitDial(method));
        ASSERT_EQ(r.code, 0) << method << r.err;
        const std::string loops = Section(r.out, "loops", "riseSetPoint");
        ASSERT_FALSE(loops.empty()) << method;
        EXPECT_EQ(Count(loops, "\"insideFlag\""), 72) << method; // 36 rows per half, 3 marks per month
        EXPECT_EQ(Count(loops, "\"maxAbs\""), 2) << method;
        EXPECT_EQ(Count(loops, "null"), 0) << method;
        EXPECT_EQ(Count(loops, "NaN"), 0) << method;
        EXPECT_EQ(Count(Section(r.out, "StrGrid8", "StrGrid8b"), "NaN"), 0) << method;
        EXPECT_EQ(Count(Section(r.out, "StrMittel", "zzz"), "???"), 0) << method;
    }
}

TEST(CliLoops, GridsAndRiseSetCurveAreReported)
{
    const CliRun r = Cli(SplitDial(1, {"--set", "useDefaultHours=0", "--set", "hoursTable=8/11;/0.5;13/16;"}));
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string ein = Section(r.out, "StrGridEin", "StrMittel");
    EXPECT_NE(ein.find("\"  8:30\""), std::string::npos);
    EXPECT_NE(ein.find("\"  0.50\""), std::string::npos);
    EXPECT_NE(Section(r.out, "StrGrid8b", "StrGridEin").find("\"Fehler \""), std::string::npos);
    const std::string curve = Section(r.out, "riseSetErrorCurve", "fixedGnomon");
    EXPECT_EQ(Count(curve, "\"declination\""), 24);
    EXPECT_NE(curve.find("\"declination\": 23.44"), std::string::npos);
    EXPECT_NE(curve.find("\"maxError\""), std::string::npos);
}

TEST(CliLoops, AListOfOneHourIsACalculationError)
{
    const CliRun r = Cli(SplitDial(1, {"--set", "useDefaultHours=0", "--set", "hoursTable=8/9;/2;;"}));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("\"errorCode\": 21,"), std::string::npos);
    EXPECT_NE(r.err.find("Tabelle fehlerhaft"), std::string::npos);
    EXPECT_EQ(Count(Section(r.out, "loops", "riseSetPoint"), "\"insideFlag\""), 0);
}

TEST(CliLoops, OtherDialsHaveNoLoops)
{
    const CliRun r = Cli({"--json", "-"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string loops = Section(r.out, "loops", "riseSetPoint");
    EXPECT_NE(loops.find("\"morning\": []"), std::string::npos);
    EXPECT_NE(loops.find("\"morning\": {}"), std::string::npos); // no figures
}

// The same inputs give the same report however often the calculation runs: each method rewrites the hour
// table after reading it, and the rewritten table must read back as the same hours and weights.
TEST(CliLoops, RepeatedCalculationsGiveByteIdenticalReports)
{
    const char* tables[] = {
        "8.25/11;;13.5/17.5;",                         // method 0: two hours per half
        "8/11;/0.5;13/16;/1.5",                        // method 1: first and last hour with a step
        "7.5/9/10.5/11.5;2//1/0.5;13/15/17/19;1/3//2", // methods 2 to 4: hours with weights
    };
    for (int method = 0; method <= 4; ++method) {
        const auto model = std::make_unique<Model>();
        InitDefaults(*model);
        const std::string table = tables[std::min(method, 2)];
        for (const auto& [name, value] : {std::pair<std::string, std::string>{"dialType", "6"},
                                          {"marksMode", "2"},
                                          {"doubleAnalemmaMethod", std::to_string(method)},
                                          {"useDefaultHours", "0"},
                                          {"hoursTable", table}}) {
            const SetOutcome set = SetParameter(*model, name, value);
            ASSERT_EQ(set.status, SetStatus::Accepted) << name << "=" << value;
        }
        (void)ShowParameters(*model);
        std::vector<std::string> reports;
        for (int run = 0; run < 3; ++run) {
            RecordingHost host;
            const std::uint8_t code = Recalculate(*model, host);
            std::vector<UiMessage> messages;
            for (const auto& m : host.messages)
                messages.push_back({m.caption, m.text, m.icon});
            reports.push_back(JsonReport(*model, code, messages));
        }
        EXPECT_EQ(reports[0].find("\"errorCode\": 0,") != std::string::npos, true) << method;
        EXPECT_TRUE(reports[1] == reports[0]) << "method " << method << ": second calculation differs";
        EXPECT_TRUE(reports[2] == reports[0]) << "method " << method << ": third calculation differs";
    }
}
