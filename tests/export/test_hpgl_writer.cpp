// The HPGL plot: the primitives and their window, the page set-up and header, the scale rules, the file's
// dialect (one line, ETX after labels, Windows-1252), and every dial type read by hp2xx.

#include "export/hpgl_plot.h"
#include "export/hpgl_writer.h"
#include "export/plot_export.h"

#include "core/driver.h"
#include "core/input_panel.h"
#include "graphics/construction_geometry.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

using namespace umbrix;

namespace {

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

PlotResult Plot(Model& m, PlotSettings settings = {.axisOrZoom = 2.75})
{
    RecordingHost host;
    return WriteConstructionPlot(m, host, settings);
}

std::size_t Count(const std::string& text, std::string_view what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++n;
    return n;
}

} // namespace

TEST(HpglPrimitives, WindowDropsPointsFromItsEdgeOn)
{
    HpglPlot plot;
    plot.moveTo(23499, 100);
    EXPECT_EQ(plot.out, ";PU    23499      100");
    plot.out.clear();
    plot.moveTo(23500, 100); // |23500 - 8500| = 15000: outside
    plot.moveTo(-6500, 100);
    plot.drawTo(100, 16000);
    plot.label(100, -4000, "x");
    EXPECT_EQ(plot.out, "");
    // A line point at y = 14600 is written, a circle centred there is not (its window is 8500).
    plot.drawTo(100, 14600);
    plot.circle(90, 14590, 110, 14610);
    EXPECT_EQ(plot.out, ";PU      100    14600");
    plot.out.clear();
    plot.circle(90, 14489, 110, 14509); // centre 14499: just inside
    EXPECT_EQ(plot.out, ";PU      100    14499;CI       10, 1");
}

TEST(HpglPrimitives, DropLeavesNoStrayLineAndLabelsEndWithEtx)
{
    HpglPlot plot;
    plot.moveTo(100, 100);
    plot.drawTo(200, 100);
    plot.drawTo(90000, 100); // dropped
    plot.drawTo(300, 100);   // the pen is not where the drawing thinks: move, do not draw
    plot.drawTo(400, 100);
    EXPECT_EQ(plot.out, ";PU      100      100;PD      200      100;PU      300      100;PD      400      100");
    plot.out.clear();
    plot.label(10, 20, "Größe");
    EXPECT_EQ(plot.out, std::string(";PU       10       20;LBGr\xF6\xDF"
                                    "e\x03"));
    EXPECT_EQ(PlotInt(123456789), "123456789");
}

TEST(HpglWriter, UnenlargedPageStartsWithTheFixedHeader)
{
    auto m = CalculatedModel(0);
    const PlotResult plot = Plot(*m);
    EXPECT_EQ(plot.text.rfind("IN;SS;VS 1;PA;SP 4;PU 1 1;PD    16400 1   16400    11480 1     11480 1 1;"
                              ";SP 4;PU 0 0;",
                              0),
              0u);
    EXPECT_EQ(plot.pageWidth, 16400);
    EXPECT_EQ(plot.unitsPerLength, 400);
    EXPECT_EQ(plot.text.find('\n'), std::string::npos);
    EXPECT_EQ(plot.text.find('\r'), std::string::npos);
    EXPECT_EQ(Count(plot.text, ";LB"), Count(plot.text, "\x03"));
    EXPECT_GT(Count(plot.text, ";LB"), 10u);
    // The centre: W/2 and round(H/2 * 1.1) from the top.
    EXPECT_EQ(plot.originX, 8200);
    EXPECT_EQ(plot.originY, 6314);
}

TEST(HpglWriter, ScaleFollowsTheExportKind)
{
    auto m = CalculatedModel(0);
    // Screen-like at zoom 1: u = round(18 / A) * 400 with A = extentX = 2.75: round(6.545) = 7.
    EXPECT_EQ(Plot(*m, {.axisOrZoom = 1.0}).unitsPerLength, 2800);
    EXPECT_EQ(Plot(*m, {.axisOrZoom = 1.2}).unitsPerLength, 400);
    EXPECT_EQ(InitialExportAxis(0.35), 3.5);
    EXPECT_EQ(InitialExportAxis(250), 2.5);
    EXPECT_EQ(InitialExportAxis(2.75), 2.75);
}

TEST(HpglWriter, WideConstructionWidensThePage)
{
    auto m = CalculatedModel(0);
    m->params.semiMajorAxis = 20; // u A = 8000 > 0.96 * 8200
    RecordingHost host;
    (void)Recalculate(*m, host);
    const PlotResult plot = Plot(*m, {.axisOrZoom = 20});
    EXPECT_EQ(plot.pageWidth, 17280); // round(2 * 20 * 400 * 1.08)
    EXPECT_EQ(plot.text.rfind("IN;SS;VS 1;PA;SP 4;PU 1 1;PD    17280 1   17280 ", 0), 0u);
}

TEST(HpglWriter, LegendCarriesTheParameters)
{
    auto m = CalculatedModel(0);
    const std::string text = Plot(*m).text;
    EXPECT_NE(text.find(";LBgeogr. Breite =  47.25;\x03"), std::string::npos);
    EXPECT_NE(text.find(";LBBerechnung fuer Jahr = 2015\x03"), std::string::npos);
    EXPECT_NE(text.find(";LBWahre Ortszeit\x03"), std::string::npos); // first 14 characters without zone time
    EXPECT_NE(text.find(";LBumbrix\x03"), std::string::npos);
    EXPECT_NE(text.find(";SI 0.20 0.30;SP 4"), std::string::npos);
}

// Every dial type, and the split dial with each method, as hp2xx reads it.
TEST(HpglWriter, Hp2xxReadsEveryDialType)
{
    if (std::system("command -v hp2xx >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "hp2xx is not installed";
    const auto dir = std::filesystem::temp_directory_path() / ("umbrix_hp2xx_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    struct Case {
        int type;
        int marksMode;
        int method;
    };
    std::vector<Case> cases;
    for (int t = 0; t < kDialTypeCount; ++t)
        cases.push_back({t, 1, 1});
    for (int method = 0; method <= 4; ++method)
        cases.push_back({6, 2, method});
    for (const auto& c : cases) {
        auto m = std::make_unique<Model>();
        InitDefaults(*m);
        m->params.marksMode = static_cast<MarksMode>(c.marksMode);
        m->params.doubleAnalemmaMethod = static_cast<DoubleAnalemmaMethod>(c.method);
        (void)SelectDialType(*m, c.type);
        RecordingHost host;
        (void)Recalculate(*m, host);
        const std::string name =
            "t" + std::to_string(c.type) + "m" + std::to_string(c.marksMode) + std::to_string(c.method);
        const auto plt = dir / (name + ".plt");
        const auto png = dir / (name + ".png");
        const auto log = dir / (name + ".log");
        std::filesystem::remove(png);
        ASSERT_TRUE(ExportPlotFile(*m, host, {.axisOrZoom = 1.0}, plt.string()).ok);
        const std::string command =
            "hp2xx -m png -f " + png.string() + " " + plt.string() + " </dev/null >" + log.string() + " 2>&1";
        (void)std::system(command.c_str());
        EXPECT_TRUE(std::filesystem::exists(png)) << name;
        std::ifstream in(log);
        const std::string out((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_NE(out.find("HPGL command(s) ignored: 0"), std::string::npos) << name << "\n" << out;
    }
    std::filesystem::remove_all(dir);
}

// The DXF export of a real dial: the temporary plot file is gone, the drawing reads in a CAD reader.
TEST(DxfExport, DefaultDialReadsInEzdxfAndLeavesNoTemporaryFile)
{
    const auto dir = std::filesystem::temp_directory_path() / ("umbrix_dxf_export_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    auto m = CalculatedModel(0);
    m->state.markRiseSet = true;
    RecordingHost host;
    const auto dxf = dir / "dial.dxf";
    const ExportOutcome outcome = ExportDxfFile(*m, host, {.axisOrZoom = 1.0}, dxf.string());
    ASSERT_TRUE(outcome.ok);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages.back().text, "\r       File dial.dxf gespeichert! ");
    EXPECT_FALSE(std::filesystem::exists(dir / "umbrix.$$$"));

    // A failed export leaves the previous file as it was.
    const auto before = std::filesystem::file_size(dxf);
    const ExportOutcome failed = ExportDxfFile(*m, host, {}, (dir / "missing" / "x.dxf").string());
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(std::filesystem::file_size(dxf), before);

    if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ezdxf is not installed";
    const std::string script = "import ezdxf, sys\n"
                               "from ezdxf import recover\n"
                               "doc, auditor = recover.readfile(sys.argv[1])\n"
                               "assert not auditor.has_errors, auditor.errors\n"
                               "strict = ezdxf.readfile(sys.argv[1])\n"
                               "texts = [e.dxf.text for e in strict.modelspace().query('TEXT')]\n"
                               "assert any(t.startswith('geogr. Breite') for t in texts), texts\n"
                               "assert len(strict.modelspace().query('POLYLINE')) > 5\n";
    const auto scriptFile = dir / "check.py";
    std::ofstream(scriptFile) << script;
    const std::string command = "/usr/bin/python3 " + scriptFile.string() + " " + dxf.string();
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::filesystem::remove_all(dir);
}

// Every dial type and the split dial: the DXF opens in a CAD reader, its entities match the plot's pen-down
// runs, circles and labels, and the title's umlaut reads back as it was written.
TEST(DxfExport, EveryDialTypeMatchesItsPlotInEzdxf)
{
    if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ezdxf is not installed";
    const auto dir = std::filesystem::temp_directory_path() / ("umbrix_dxf_types_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const auto script = dir / "count.py";
    std::ofstream(script) << "import ezdxf, sys\n"
                             "from ezdxf import recover\n"
                             "doc, auditor = recover.readfile(sys.argv[1])\n"
                             "assert not auditor.has_errors, auditor.errors\n"
                             "msp = ezdxf.readfile(sys.argv[1]).modelspace()\n"
                             "texts = [e.dxf.text for e in msp.query('TEXT')]\n"
                             "print(len(msp.query('POLYLINE')), len(msp.query('CIRCLE')), len(texts),\n"
                             "      int(any('häufigste' in t for t in texts)))\n";
    for (int variant = 0; variant < kDialTypeCount + 1; ++variant) {
        const int type = variant < kDialTypeCount ? variant : 6;
        auto m = std::make_unique<Model>();
        InitDefaults(*m);
        m->params.marksMode = static_cast<MarksMode>(variant < kDialTypeCount ? 1 : 2);
        (void)SelectDialType(*m, type);
        RecordingHost host;
        (void)Recalculate(*m, host);
        const auto dxf = dir / ("t" + std::to_string(variant) + ".dxf");
        ASSERT_TRUE(ExportDxfFile(*m, host, {.axisOrZoom = 1.0}, dxf.string()).ok) << variant;
        const std::string plot = WriteConstructionPlot(*m, host, {.axisOrZoom = 1.0}).text;

        // Pen-down runs: a PD that follows anything but a PD starts a new polyline.
        std::size_t runs = 0;
        bool inRun = false;
        for (std::size_t at = 0; (at = plot.find(';', at)) != std::string::npos; ++at) {
            const bool down = plot.compare(at + 1, 2, "PD") == 0;
            runs += down && !inRun;
            inRun = down;
        }
        const std::string command =
            "/usr/bin/python3 " + script.string() + " " + dxf.string() + " > " + (dir / "counts.txt").string();
        ASSERT_EQ(std::system(command.c_str()), 0) << variant;
        std::ifstream in(dir / "counts.txt");
        std::size_t polylines = 0, circles = 0, texts = 0, umlaut = 0;
        in >> polylines >> circles >> texts >> umlaut;
        EXPECT_EQ(polylines, runs) << "variant " << variant;
        EXPECT_EQ(circles, Count(plot, ";CI")) << "variant " << variant;
        EXPECT_EQ(texts, Count(plot, ";LB")) << "variant " << variant;
        if (type == 0) {
            EXPECT_EQ(umlaut, 1u);
        }
    }
    std::filesystem::remove_all(dir);
}

namespace {

/// The plotter points of the pen-down and pen-up moves of `plot` between the first `start` and the next
/// ";SP ", as dial points through the page's centre and scale.
std::vector<DialPoint> PlotRun(const PlotResult& plot, std::string_view start)
{
    std::vector<DialPoint> points;
    const std::size_t from = plot.text.find(start);
    if (from == std::string::npos)
        return points;
    const std::size_t to = plot.text.find(";SP ", from + start.size());
    std::istringstream in(plot.text.substr(from + start.size(), to - from - start.size()));
    for (std::string command; std::getline(in, command, ';');) {
        if (!command.starts_with("PU") && !command.starts_with("PD"))
            continue;
        std::istringstream xy(command.substr(2));
        double x = 0;
        double y = 0;
        xy >> x >> y;
        points.push_back(
            {(x - plot.originX) / plot.unitsPerLength, (y - (plot.pageHeight - plot.originY)) / plot.unitsPerLength});
    }
    return points;
}

} // namespace

TEST(HpglWriter, FixedGnomonSunriseAndSunsetCurvesSurviveBeyondThePolarCircle)
{
    // North and south of the polar circles the first date lines have no sunrise or sunset; the curves start
    // at the first line that has them and lie where the true-size construction puts them.
    for (const double latitude : {47.25, 67.0, 70.0, -70.0}) {
        auto m = std::make_unique<Model>();
        InitDefaults(*m);
        m->params.latitude = latitude;
        (void)SelectDialType(*m, 7);
        RecordingHost host;
        (void)Recalculate(*m, host);
        const PlotResult plot = Plot(*m);
        std::vector<DialPoint> construction;
        for (const GeometryPolyline& line : BuildConstructionGeometry(*m).polylines)
            if (line.layer == DrawingLayer::RiseSet)
                construction.insert(construction.end(), line.points.begin(), line.points.end());
        const double tolerance = 1 / plot.unitsPerLength; // one plotter step of rounding
        for (const std::string_view curve : {";SP 8;", ";SP 3;"}) {
            const std::vector<DialPoint> run = PlotRun(plot, curve);
            EXPECT_GE(run.size(), 2U) << latitude << " " << curve;
            for (const DialPoint& at : run) {
                double nearest = 1e300;
                for (const DialPoint& c : construction)
                    nearest = std::min(nearest, std::hypot(at.x - c.x, at.y - c.y));
                EXPECT_LE(nearest, tolerance) << latitude << " " << curve << " " << at.x << " " << at.y;
            }
        }
    }
}
