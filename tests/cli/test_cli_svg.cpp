// umbrix-cli --svg and --svg-error: every dial type gives a picture a renderer accepts; the size option;
// a calculation error blanks the picture and writes the start of its message.

#include "cli/cli_app.h"
#include "tests/cli/cli_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

using namespace umbrix;

namespace {

namespace fs = std::filesystem;

fs::path TempFile(const std::string& name)
{
    return TempFileIn("umbrix_svg_", name);
}

int RunQuietly(std::vector<std::string> args)
{
    std::ostringstream out;
    std::ostringstream err;
    return RunCli(args, out, err);
}

bool HaveRsvg()
{
    return std::system("command -v rsvg-convert > /dev/null 2>&1") == 0;
}

struct DialCase {
    std::string name;
    std::vector<std::string> sets;
};

class CliSvgDial : public testing::TestWithParam<DialCase> {};

} // namespace

TEST_P(CliSvgDial, ConstructionAndErrorGraphRender)
{
    const DialCase& dial = GetParam();
    const fs::path svg = TempFile(dial.name + ".svg");
    const fs::path graph = TempFile(dial.name + "_error.svg");
    std::vector<std::string> args;
    for (const auto& set : dial.sets) {
        args.push_back("--set");
        args.push_back(set);
    }
    args.insert(args.end(), {"--svg", svg.string(), "--svg-error", graph.string()});
    ASSERT_EQ(RunQuietly(args), 0);
    const std::string doc = ReadFile(svg);
    EXPECT_EQ(doc.rfind("<?xml", 0), 0u);
    EXPECT_NE(doc.find("width=\"1180\" height=\"674\""), std::string::npos);
    EXPECT_NE(doc.find("<ellipse"), std::string::npos); // hour dots or loop marks
    EXPECT_EQ(doc.substr(doc.size() - 7), "</svg>\n");

    if (!HaveRsvg())
        GTEST_SKIP() << "rsvg-convert is not installed";
    for (const fs::path& picture : {svg, graph}) {
        const fs::path png = fs::path(picture).replace_extension(".png");
        const std::string command = "rsvg-convert '" + picture.string() + "' -o '" + png.string() + "' 2>/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << picture;
        EXPECT_TRUE(fs::exists(png) && fs::file_size(png) > 0) << png;
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllDialTypes, CliSvgDial,
    testing::Values(DialCase{"Horizontal", {"dialType=0", "markRiseSet=1"}},
                    DialCase{"HorizontalTiltedGnomon", {"dialType=1"}}, DialCase{"InclinedPlane", {"dialType=2"}},
                    DialCase{"InclinedPlaneGnomon", {"dialType=3"}}, DialCase{"VerticalSouth", {"dialType=4"}},
                    DialCase{"VerticalDeclining", {"dialType=5"}}, DialCase{"MeanTime", {"dialType=6"}},
                    DialCase{"FixedGnomon", {"dialType=7"}},
                    DialCase{"SplitMethod0", {"dialType=6", "marksMode=2", "doubleAnalemmaMethod=0"}},
                    DialCase{"SplitMethod1", {"dialType=6", "marksMode=2", "doubleAnalemmaMethod=1"}},
                    DialCase{"SplitMethod2", {"dialType=6", "marksMode=2", "doubleAnalemmaMethod=2"}},
                    DialCase{"SplitMethod3", {"dialType=6", "marksMode=2", "doubleAnalemmaMethod=3"}},
                    DialCase{"SplitMethod4", {"dialType=6", "marksMode=2", "doubleAnalemmaMethod=4"}}),
    [](const testing::TestParamInfo<DialCase>& info) { return info.param.name; });

TEST(CliSvg, SizeOptionSetsThePictureAndRejectsNonsense)
{
    const fs::path svg = TempFile("sized.svg");
    ASSERT_EQ(RunQuietly({"--svg", svg.string(), "--size", "700x424"}), 0);
    EXPECT_NE(ReadFile(svg).find("width=\"700\" height=\"424\""), std::string::npos);
    for (const char* bad : {"0x400", "700", "700x", "x424", "70ax424", "700x424x3", "-5x10"})
        EXPECT_EQ(RunQuietly({"--svg", svg.string(), "--size", bad}), 2) << bad;
    EXPECT_EQ(RunQuietly({"--svg"}), 2);
}

TEST(CliSvg, CalculationErrorWritesNoPicture)
{
    // The gnomon stands 10 degrees off the plane: error 12, "Kein Gnomonschatten, Gnomonwinkel ist zu klein!".
    // Only the window shows the blanked drawing with the message's start; the command line writes no picture.
    const fs::path svg = TempFile("error12.svg");
    fs::remove(svg);
    ASSERT_EQ(RunQuietly({"--set", "dialType=3", "--set", "gnomonInclination=0", "--set", "planeInclination=80",
                          "--svg", svg.string()}),
              1);
    EXPECT_FALSE(fs::exists(svg));
}
