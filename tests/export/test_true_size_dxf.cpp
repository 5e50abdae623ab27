// The true-size DXF: read back by ezdxf (strict reader and auditor), the layers, the unit, the umlauts of
// the German title, and the hour point of 12:00 at its place in millimetres.

#include "export/true_size_dxf.h"

#include "core/driver.h"
#include "core/input_panel.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

using namespace umbrix;

namespace {

namespace fs = std::filesystem;

std::unique_ptr<Model> CalculatedModel(int dialType, int marksMode = 1)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    m->params.marksMode = static_cast<MarksMode>(marksMode);
    (void)SelectDialType(*m, dialType);
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

bool HaveEzdxf()
{
    return std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") == 0;
}

/// Runs the reader script on the files; its output lines, or a failure.
std::vector<std::string> ReadBack(const std::vector<fs::path>& files)
{
    std::string command = std::string("/usr/bin/python3 ") + UMBRIX_GOLDEN_DIR + "/../export/true_size_dxf_check.py";
    for (const fs::path& f : files)
        command += " '" + f.string() + "'";
    std::vector<std::string> lines;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return lines;
    }
    std::array<char, 512> buffer{};
    std::string out;
    while (fgets(buffer.data(), buffer.size(), pipe))
        out += buffer.data();
    EXPECT_EQ(pclose(pipe), 0) << out;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

fs::path Folder(const std::string& name)
{
    const fs::path dir = fs::temp_directory_path() / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

} // namespace

TEST(TrueSizeDxf, EndsWithItsEofRecordAndStatesMillimetresAndTheCodePage)
{
    const auto m = CalculatedModel(0);
    const TrueSizeDxf dxf = WriteTrueSizeDxf(*m, LengthUnit::Metre);
    ASSERT_TRUE(dxf.ok) << dxf.reason;
    EXPECT_TRUE(dxf.bytes.ends_with("  0\nEOF\n"));
    // Right after dxflib's own header variables.
    const std::size_t handseed = dxf.bytes.find("$HANDSEED");
    const std::size_t units = dxf.bytes.find("$INSUNITS\n 70\n4\n");
    const std::size_t codepage = dxf.bytes.find("$DWGCODEPAGE\n  3\nANSI_1252\n");
    ASSERT_NE(units, std::string::npos);
    ASSERT_NE(codepage, std::string::npos);
    EXPECT_LT(handseed, units);
    EXPECT_LT(units, codepage);
    EXPECT_EQ(dxf.bytes.find("nan"), std::string::npos);
    EXPECT_EQ(dxf.bytes.find("inf"), std::string::npos);
}

// Hand computation: type 0, L = 47.25, a = 2.75 m: the 12:00 mark lies at y = a sin L = 2019.388 mm.
// In centimetres with a = 20 cm: y = 200 sin L = 146.865 mm. The German title keeps its umlaut in
// Windows-1252 and reads back as UTF-8.
TEST(TrueSizeDxf, ReadsBackInEzdxfWithTheNoonMarkAtItsPlace)
{
    if (!HaveEzdxf())
        GTEST_SKIP() << "/usr/bin/python3 cannot import ezdxf";
    const fs::path dir = Folder("umbrix_true_size_dxf");
    auto metres = CalculatedModel(0);
    auto centimetres = CalculatedModel(0);
    centimetres->params.semiMajorAxis = 20;
    centimetres->params.gnomonHeight = 30;
    RecordingHost host;
    (void)Recalculate(*centimetres, host);
    const std::array<std::pair<Model*, LengthUnit>, 2> cases{
        {{metres.get(), LengthUnit::Metre}, {centimetres.get(), LengthUnit::Centimetre}}};
    std::vector<fs::path> files;
    for (const auto& [model, unit] : cases) {
        const TrueSizeDxf dxf = WriteTrueSizeDxf(*model, unit);
        ASSERT_TRUE(dxf.ok) << dxf.reason;
        files.push_back(dir / ("dial_" + std::string(UnitName(unit)) + ".dxf"));
        std::ofstream(files.back(), std::ios::binary) << dxf.bytes;
    }
    const std::vector<std::string> lines = ReadBack(files);
    ASSERT_EQ(lines.size(), 2u);
    const double sinL = std::sin(47.25 * 0.0174532925199433);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        std::istringstream in(lines[k]);
        int points = 0;
        int umlaut = 0;
        double x = 1;
        double y = 0;
        in >> points >> umlaut >> x >> y;
        EXPECT_EQ(points, cases[k].first->results.hourPointCount) << lines[k];
        EXPECT_EQ(umlaut, 1) << lines[k];
        EXPECT_NEAR(x, 0, 0.01);
        EXPECT_NEAR(y, k == 0 ? 2750 * sinL : 200 * sinL, 0.01);
    }
    EXPECT_NEAR(2750 * sinL, 2019.39, 0.01);
    fs::remove_all(dir);
}

// Every dial type, the split dial and the fixed-gnomon dial with its date lines: all open without an error.
TEST(TrueSizeDxf, EveryDialTypeOpensInEzdxf)
{
    if (!HaveEzdxf())
        GTEST_SKIP() << "/usr/bin/python3 cannot import ezdxf";
    const fs::path dir = Folder("umbrix_true_size_dxf_types");
    std::vector<fs::path> files;
    std::vector<int> expectedPoints;
    for (int variant = 0; variant <= kDialTypeCount; ++variant) {
        const bool split = variant == kDialTypeCount;
        auto m = CalculatedModel(split ? 6 : variant, split ? 2 : 1);
        m->state.markRiseSet = variant == 0;
        RecordingHost host;
        (void)Recalculate(*m, host);
        const TrueSizeDxf dxf = WriteTrueSizeDxf(*m, LengthUnit::Metre);
        ASSERT_TRUE(dxf.ok) << dxf.reason;
        files.push_back(dir / ("type" + std::to_string(variant) + ".dxf"));
        std::ofstream(files.back(), std::ios::binary) << dxf.bytes;
        const int marks = (m->state.hourTo - m->state.hourFrom) * m->params.linesPerHour + 1;
        expectedPoints.push_back(variant == 7 ? marks * m->results.fixedDateLineCount : m->results.hourPointCount);
    }
    const std::vector<std::string> lines = ReadBack(files);
    ASSERT_EQ(lines.size(), files.size());
    for (std::size_t k = 0; k < lines.size(); ++k)
        EXPECT_EQ(std::stoi(lines[k]), expectedPoints[k]) << files[k];
    fs::remove_all(dir);
}

// What a CNC or laser user takes as it is: every whole hour of the range numbered on HOUR_LABELS (hourLabels
// all; the screen's rule numbers fewer), the hour ellipse once more as one exact ELLIPSE on its own layer,
// switched off, and a recover run that fixes nothing. Type 0 at L = 47.25 with a = 2.75 m: semi-axes 2750 and
// 2750 sin L mm round P; the hours 5 to 21 are x = a sin H, y = b cos H, so the curve runs clockwise from the
// parameter 90 - (-105) = 195 degrees to 90 - 135 = -45 degrees: counter-clockwise from 315 to 195 degrees.
TEST(TrueSizeDxf, EveryHourNumberedAndTheEllipseExactForACutter)
{
    if (!HaveEzdxf())
        GTEST_SKIP() << "/usr/bin/python3 cannot import ezdxf";
    const fs::path dir = Folder("umbrix_true_size_dxf_maker");
    auto all = CalculatedModel(0);
    auto screen = CalculatedModel(0);
    screen->params.hourLabelsScreenRule = true;
    auto split = CalculatedModel(6, 2);
    std::vector<fs::path> files;
    for (const auto& [model, name] : {std::pair{all.get(), "all"}, {screen.get(), "screen"}, {split.get(), "split"}}) {
        const TrueSizeDxf dxf = WriteTrueSizeDxf(*model, LengthUnit::Metre);
        ASSERT_TRUE(dxf.ok) << dxf.reason;
        files.push_back(dir / (std::string(name) + ".dxf"));
        std::ofstream(files.back(), std::ios::binary) << dxf.bytes;
    }
    const std::vector<std::string> lines = ReadBack(files);
    ASSERT_EQ(lines.size(), 3u);
    struct Line {
        int labels = 0;
        int arcOff = 0;
        std::vector<std::array<double, 6>> ellipses;
    };
    const auto parse = [](const std::string& text) {
        std::istringstream in(text);
        std::string skip;
        in >> skip >> skip >> skip;
        if (skip != "none")
            in >> skip;
        Line l;
        int count = 0;
        in >> l.labels >> l.arcOff >> count;
        for (int i = 0; i < count; ++i) {
            std::array<double, 6> e{};
            for (double& v : e)
                in >> v;
            l.ellipses.push_back(e);
        }
        return l;
    };
    const Line a = parse(lines[0]);
    EXPECT_EQ(a.labels, 17) << lines[0]; // 5 h to 21 h
    EXPECT_LT(parse(lines[1]).labels, 17) << lines[1];
    EXPECT_EQ(a.arcOff, 1);
    ASSERT_EQ(a.ellipses.size(), 1u) << lines[0];
    const double pi = std::acos(-1.0);
    const double sinL = std::sin(47.25 * pi / 180);
    const std::array<double, 6>& e = a.ellipses.front();
    EXPECT_NEAR(e[0], 0, 0.01);
    EXPECT_NEAR(e[1], 0, 0.01);
    EXPECT_NEAR(e[2], 2750, 0.01);
    EXPECT_NEAR(e[3], 2750 * sinL, 0.01);
    EXPECT_NEAR(e[4], 315 * pi / 180, 1e-6);
    EXPECT_NEAR(e[5], 195 * pi / 180, 1e-6);
    // The split dial: one arc per half, each round its own centre.
    const Line s = parse(lines[2]);
    ASSERT_EQ(s.ellipses.size(), 2u) << lines[2];
    EXPECT_NEAR(s.ellipses[0][0], -s.ellipses[1][0], 1e-6);
    EXPECT_GT(std::abs(s.ellipses[0][0]), 1);
    fs::remove_all(dir);
}
