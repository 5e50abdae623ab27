// The construction at a stated scale: the SVG's size in millimetres as a real renderer sees it, the
// scale ratio's syntax, the scale bar's round lengths, and the page's room round the dial.

#include "graphics/true_scale.h"

#include "core/driver.h"
#include "core/input_panel.h"
#include "core/numeric.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

using namespace umbrix;

namespace {

std::unique_ptr<Model> CalculatedModel(int dialType)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    (void)SelectDialType(*m, dialType);
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

/// Width of a PNG in pixels, from its IHDR chunk; 0 when the file is no PNG.
long PngWidth(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    if (!in || header[1] != 'P' || header[2] != 'N' || header[3] != 'G')
        return 0;
    return (long{header[16]} << 24) | (long{header[17]} << 16) | (long{header[18]} << 8) | long{header[19]};
}

} // namespace

TEST(TrueScale, ScaleRatioSyntax)
{
    EXPECT_EQ(ParseScaleRatio("1:50"), 50);
    EXPECT_EQ(ParseScaleRatio("1 : 20"), 20);
    EXPECT_EQ(ParseScaleRatio("1:1"), 1);
    for (const char* bad : {"2:5", "1:0", "1:-3", "1:x", "50", "1:5.5", "", "1:10000000000"})
        EXPECT_FALSE(ParseScaleRatio(bad).has_value()) << bad;
}

TEST(TrueScale, ScaleBarTakesTheLargestRoundLength)
{
    EXPECT_DOUBLE_EQ(RoundScaleBarLength(7.3), 5);
    EXPECT_DOUBLE_EQ(RoundScaleBarLength(0.034), 0.02);
    EXPECT_DOUBLE_EQ(RoundScaleBarLength(1.0), 1);
    EXPECT_DOUBLE_EQ(RoundScaleBarLength(0), 0);
    EXPECT_DOUBLE_EQ(RoundScaleBarLength(NAN), 0);
}

// rsvg-convert at 96 dpi renders the picture with the pixel width its millimetres ask for, within 1 px;
// the page is the dial's extent at 1:N plus 10 mm on each side.
TEST(TrueScale, SvgHasTheWidthItsMillimetresAskFor)
{
    if (std::system("command -v rsvg-convert >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "rsvg-convert is not installed";
    const auto dir = std::filesystem::temp_directory_path() / ("umbrix_true_scale_svg_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (const auto& [type, n] : {std::pair{0, 50}, {5, 20}, {7, 100}}) {
        auto m = CalculatedModel(type);
        const TrueScaleSvg svg = DrawTrueScaleSvg(*m, LengthUnit::Metre, n);
        ASSERT_TRUE(svg.ok) << svg.reason;
        const ConstructionGeometry g = BuildConstructionGeometry(*m);
        EXPECT_NEAR(svg.widthMm, g.dial.width() * 1000.0 / n + 20, 0.1);
        EXPECT_NE(svg.document.find("width=\"" + FormatLength(svg.widthMm, LengthUnit::Millimetre)), std::string::npos);
        EXPECT_NE(svg.document.find("1 : " + std::to_string(n)), std::string::npos);
        const auto file = dir / ("dial" + std::to_string(type) + ".svg");
        std::ofstream(file) << svg.document;
        const auto png = dir / "dial.png";
        const std::string command = "rsvg-convert -d 96 -p 96 -o '" + png.string() + "' '" + file.string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
        EXPECT_NEAR(PngWidth(png), svg.widthMm / 25.4 * 96, 1.0) << type;
    }
    std::filesystem::remove_all(dir);
}

TEST(TrueScale, RefusesAPageBeyondAKilometre)
{
    auto m = CalculatedModel(0);
    EXPECT_FALSE(DrawTrueScaleSvg(*m, LengthUnit::Metre, 0).ok);
    m->params.semiMajorAxis = 2000;
    RecordingHost host;
    (void)Recalculate(*m, host);
    EXPECT_FALSE(DrawTrueScaleSvg(*m, LengthUnit::Metre, 1).ok);
    EXPECT_TRUE(DrawTrueScaleSvg(*m, LengthUnit::Metre, 1000).ok);
}

TEST(TrueScale, UpArrowOnVerticalPlanesNorthOnHorizontalOnes)
{
    EXPECT_TRUE(DialYIsNorth(CalculatedModel(0)->params));
    EXPECT_TRUE(DialYIsNorth(CalculatedModel(7)->params));
    EXPECT_FALSE(DialYIsNorth(CalculatedModel(4)->params));
    EXPECT_FALSE(DialYIsNorth(CalculatedModel(5)->params));
}
