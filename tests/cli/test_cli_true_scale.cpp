// umbrix-cli at a stated scale: the SVG at 1 : N in millimetres, the true-size DXF read back by ezdxf, the
// setting-out plan as CSV and PDF, the full-size template and its sheet limits; the usage errors of these
// options, and a write-protected target of each, which must be kept.

#include "core/driver.h"
#include "core/input_panel.h"
#include "core/length_unit.h"
#include "graphics/construction_geometry.h"
#include "graphics/full_size_template.h"
#include "tests/cli/cli_run.h"
#include "export/pdf_outputs.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace umbrix;

namespace {

namespace fs = std::filesystem;

class CliTrueScale : public testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("umbrix_true_scale_" + std::to_string(::getpid()) + "_" +
                                           testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string File(const std::string& name) const { return (dir / name).string(); }
    fs::path dir;
};

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Standard output of a shell command.
std::string Capture(const std::string& command)
{
    std::string text;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return text;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        text.append(buffer, n);
    ::pclose(pipe);
    return text;
}

bool Have(const std::string& tool)
{
    return std::system(("command -v " + tool + " > /dev/null 2>&1").c_str()) == 0;
}

int PdfPages(const std::string& pdf)
{
    const std::string info = Capture("pdfinfo '" + pdf + "' 2>/dev/null");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

/// The number after `name="` in an SVG's root element.
double Attribute(const std::string& svg, const std::string& name)
{
    const auto at = svg.find(" " + name + "=\"");
    return at == std::string::npos ? NAN : std::atof(svg.c_str() + at + name.size() + 3);
}

/// The sheets the layout rule gives the default dial with this semi-major axis (metres) on this paper:
/// those of the whole grid, or only those printed (the sheets with some of the construction).
long long ExpectedSheets(const std::string& semiMajorAxis, PaperSize paper,
                         TemplateOrientation orientation = TemplateOrientation::Auto, bool printedOnly = false)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    (void)ConfigureInputPanel(*m);
    m->params.semiMajorAxis = std::stod(semiMajorAxis);
    RecordingHost host;
    (void)Recalculate(*m, host);
    const ConstructionGeometry g = BuildConstructionGeometry(*m);
    const TemplateLayout layout = LayoutTemplate(g.dial, 1000, paper, orientation);
    if (!printedOnly)
        return layout.sheets();
    const std::vector<bool> used = SheetsWithContent(layout, g, 1000);
    return std::count(used.begin(), used.end(), true);
}

} // namespace

// The default dial (a = 2.75 m) spans at least 2a = 5.5 m across: at 1:1 its page is that plus 20 mm of
// margins, and the drawing at 1:10 is a tenth of the one at 1:1 (margins aside). rsvg-convert renders the
// millimetres at 96 dpi.
TEST_F(CliTrueScale, SvgAtAScaleIsSizedInMillimetres)
{
    std::map<int, double> widthMm;
    for (const int n : {1, 10, 100}) {
        const std::string svg = File("dial" + std::to_string(n) + ".svg");
        const CliRun run = Cli({"--svg", svg, "--scale", "1:" + std::to_string(n)});
        ASSERT_EQ(run.code, kExitDone) << run.err;
        const std::string text = Read(svg);
        const std::string w = FormatDecimals(Attribute(text, "width"), 4);
        const std::string h = FormatDecimals(Attribute(text, "height"), 4);
        EXPECT_NE(text.find("width=\"" + w + "mm\" height=\"" + h + "mm\" viewBox=\"0 0 " + w + " " + h + "\""),
                  std::string::npos)
            << "width, height and viewBox in the same millimetres";
        EXPECT_NE(text.find("1 : " + std::to_string(n)), std::string::npos);
        widthMm[n] = Attribute(text, "width");
        if (n == 100 && Have("rsvg-convert")) {
            const std::string png = File("dial.png");
            ASSERT_EQ(std::system(("rsvg-convert -d 96 -p 96 -o '" + png + "' '" + svg + "'").c_str()), 0);
            const std::string header = Read(png);
            ASSERT_GE(header.size(), 24u);
            const auto byte = [&](int i) { return static_cast<long>(static_cast<unsigned char>(header[i])); };
            const long pixels = (byte(16) << 24) | (byte(17) << 16) | (byte(18) << 8) | byte(19);
            EXPECT_NEAR(pixels, widthMm[n] / 25.4 * 96, 1.0);
        }
    }
    EXPECT_GE(widthMm[1], 5500 + 20);
    EXPECT_NEAR(widthMm[1] - 20, 10 * (widthMm[10] - 20), 1.0);
    EXPECT_NEAR(widthMm[10] - 20, 10 * (widthMm[100] - 20), 0.2);
    // Without --scale the picture stays in pixels.
    const std::string pixels = File("pixels.svg");
    ASSERT_EQ(Cli({"--svg", pixels}).code, kExitDone);
    EXPECT_EQ(Attribute(Read(pixels), "width"), 1180);
    EXPECT_EQ(Read(pixels).find("mm\""), std::string::npos);
}

// Read back by ezdxf: millimetres, the layers, and the noon mark of the default dial (type 0 at 47.25
// degrees, a = 2.75 m) at (0, a sin(latitude)) = (0, 2019.39) mm.
TEST_F(CliTrueScale, DxfInMillimetresReadsBackWithTheNoonMarkAtItsPlace)
{
    const std::string dxf = File("dial-mm.dxf");
    const CliRun run = Cli({"--dxf-mm", dxf});
    ASSERT_EQ(run.code, kExitDone) << run.err;
    const std::string bytes = Read(dxf);
    EXPECT_NE(bytes.find("AC1015"), std::string::npos);
    EXPECT_TRUE(bytes.ends_with("EOF\n") || bytes.ends_with("EOF\r\n"));
    if (std::system("/usr/bin/python3 -c 'import ezdxf' > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "/usr/bin/python3 cannot import ezdxf";
    std::istringstream line(Capture("/usr/bin/python3 '" + std::string(UMBRIX_SOURCE_DIR) +
                                    "/tests/export/true_size_dxf_check.py' '" + dxf + "' 2>&1"));
    int points = 0;
    int umlaut = 0;
    double x = NAN;
    double y = NAN;
    line >> points >> umlaut >> x >> y;
    EXPECT_GT(points, 0) << line.str();
    EXPECT_NEAR(x, 0, 0.01);
    EXPECT_NEAR(y, 2019.39, 0.01);
}

// The CSV in the design's unit, one row per hour point of the calculation (the distances themselves are
// checked with the plan); the ending is matched in any letter case, and "-" is the CSV on standard output.
TEST_F(CliTrueScale, SettingOutCsvHasARowPerHourPoint)
{
    const std::string csv = File("plan.CSV");
    const CliRun run = Cli({"--setting-out", csv, "--json", File("dial.json")});
    ASSERT_EQ(run.code, kExitDone) << run.err;
    const std::string text = Read(csv);
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBFunit;m\r\nkind;label;x;y;d1;d2;chord\r\n")) << text.substr(0, 60);
    std::size_t hourRows = 0;
    for (std::size_t at = text.find("\nhour;"); at != std::string::npos; at = text.find("\nhour;", at + 1))
        ++hourRows;
    const std::string json = Read(File("dial.json"));
    const auto from = json.find("\"hourPoints\"");
    ASSERT_NE(from, std::string::npos);
    const std::string hourPoints = json.substr(from, json.find(']', from) - from);
    std::size_t jsonPoints = 0;
    for (std::size_t at = hourPoints.find("\"time\""); at != std::string::npos;
         at = hourPoints.find("\"time\"", at + 1))
        ++jsonPoints;
    EXPECT_GT(jsonPoints, 10u);
    EXPECT_EQ(hourRows, jsonPoints) << "one row per hour point";
    const CliRun toStdout = Cli({"--setting-out", "-"});
    EXPECT_EQ(toStdout.code, kExitDone);
    EXPECT_EQ(toStdout.out, text);
}

TEST_F(CliTrueScale, SettingOutPdfAndTemplateArePrintedOrReportedUnavailable)
{
    const std::string plan = File("plan.Pdf");
    const std::string sheets = File("template.pdf");
    // a = 1.01 m on A3: a few dozen sheets, fewer than the warning's 100.
    const CliRun run = Cli({"--set", "semiMajorAxis=1.01", "--setting-out", plan, "--template", sheets, "--paper", "A3",
                            "--correct-x", "1.01", "--correct-y", "0.99", "--template-orientation", "portrait"});
    if (!PdfOutputAvailable()) {
        EXPECT_EQ(run.code, kExitFile);
        EXPECT_NE(run.err.find(plan + ": PDF output is not available"), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(plan));
        return;
    }
    ASSERT_EQ(run.code, kExitDone) << run.err;
    EXPECT_EQ(run.err.find("100"), std::string::npos) << "no warning below 100 sheets: " << run.err;
    EXPECT_TRUE(Read(plan).starts_with("%PDF"));
    EXPECT_TRUE(Read(sheets).starts_with("%PDF"));
    if (!Have("pdfinfo"))
        GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_GE(PdfPages(plan), 1);
    EXPECT_LE(ExpectedSheets("1.01", PaperSize::A3, TemplateOrientation::Portrait), kTemplateWarnSheets);
    const long long expected = ExpectedSheets("1.01", PaperSize::A3, TemplateOrientation::Portrait, true);
    EXPECT_EQ(PdfPages(sheets), expected + 1) << "the sheet map, then one page per sheet with content";
    EXPECT_NE(Capture("pdfinfo '" + sheets + "'").find("842 x 1191 pts (A3)"), std::string::npos) << "A3 portrait";
}

// The default dial (a = 2.75 m) on A4 needs some hundreds of sheets: warned of, and written. Ten times as
// large it would need more than 1000: refused before anything is written.
TEST_F(CliTrueScale, ManySheetsAreWarnedOfAndTooManyRefused)
{
    const long long sheets = ExpectedSheets("2.75", PaperSize::A4);
    ASSERT_GT(sheets, kTemplateWarnSheets);
    ASSERT_LE(sheets, kTemplateMaxSheets);
    const std::string many = File("many.pdf");
    const CliRun warned = Cli({"--lang", "en", "--template", many});
    // The warning counts the sheets printed, then the grid they come from.
    const std::string printed = std::to_string(ExpectedSheets("2.75", PaperSize::A4, TemplateOrientation::Auto, true));
    EXPECT_NE(warned.err.find("--template: The template needs more than 100 sheets (" + printed + "; "),
              std::string::npos)
        << warned.err;
    if (PdfOutputAvailable()) {
        EXPECT_EQ(warned.code, kExitDone) << warned.err;
        EXPECT_TRUE(Read(many).starts_with("%PDF"));
    }

    const std::string json = File("dial.json");
    const std::string refusedPdf = File("refused.pdf");
    const CliRun refused =
        Cli({"--lang", "en", "--set", "semiMajorAxis=27.5", "--json", json, "--template", refusedPdf});
    EXPECT_EQ(refused.code, kExitUsage);
    EXPECT_NE(refused.err.find("more than 1000 sheets"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(json)) << "nothing is written";
    EXPECT_FALSE(fs::exists(refusedPdf));
}

// A grid of more than 100 sheets of which at most 100 carry some of the construction prints without a
// warning: the empty sheets are left out, and only what is printed counts.
TEST_F(CliTrueScale, OnlyThePrintedSheetsCountTowardsTheWarning)
{
    std::string axis;
    for (const char* a : {"1.2", "1.35", "1.5", "1.65", "1.8", "1.95"})
        if (ExpectedSheets(a, PaperSize::A4) > kTemplateWarnSheets &&
            ExpectedSheets(a, PaperSize::A4, TemplateOrientation::Auto, true) <= kTemplateWarnSheets) {
            axis = a;
            break;
        }
    ASSERT_FALSE(axis.empty()) << "no dial between 1.2 and 1.95 m with a sparse grid";
    const CliRun run = Cli({"--lang", "en", "--set", "semiMajorAxis=" + axis, "--template", File("sparse.pdf")});
    EXPECT_EQ(run.err.find("more than 100 sheets"), std::string::npos) << axis << ": " << run.err;
}

TEST_F(CliTrueScale, BadArgumentsExit2NamingWhatWasWrong)
{
    const std::string json = File("dial.json");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--dxf-mm"}, "--dxf-mm needs a file"},
        {{"--setting-out"}, "--setting-out needs a file"},
        {{"--template"}, "--template needs a file"},
        {{"--svg", "x.svg", "--scale"}, "--scale needs a ratio"},
        {{"--svg", "x.svg", "--scale", "2:50"}, "not 2:50"},
        {{"--svg", "x.svg", "--scale", "1:0"}, "not 1:0"},
        {{"--svg", "x.svg", "--scale", "1:2.5"}, "not 1:2.5"},
        {{"--svg", "x.svg", "--size", "800x600", "--scale", "1:50"}, "--size (pixels) and --scale"},
        {{"--scale", "1:50", "--svg", "x.svg", "--size", "800x600"}, "--size (pixels) and --scale"},
        {{"--scale", "1:50"}, "--scale needs --svg"},
        {{"--setting-out", "plan.txt"}, "--setting-out writes FILE.pdf, FILE.csv or -, not plan.txt"},
        {{"--setting-out", "plan"}, "not plan"},
        {{"--template", "t.pdf", "--paper", "A5"}, "--paper takes A4, A3 or letter, not A5"},
        {{"--template", "t.pdf", "--paper"}, "--paper needs A4, A3 or letter"},
        {{"--paper", "A3"}, "--paper needs --template"},
        {{"--correct-y", "1.0"}, "--correct-y needs --template"},
        {{"--template", "t.pdf", "--correct-x", "1.3"}, "--correct-x takes a factor from 0.80 to 1.25, not 1.3"},
        {{"--template", "t.pdf", "--correct-y", "0.79"}, "not 0.79"},
        {{"--template", "t.pdf", "--correct-y", "abc"}, "not abc"},
        {{"--template", "t.pdf", "--correct-x", "nan"}, "not nan"},
        {{"--template", "t.pdf", "--correct-x"}, "--correct-x needs a factor"},
        {{"--template", "t.pdf", "--template-orientation", "upright"},
         "--template-orientation takes portrait, landscape or auto, not upright"},
        {{"--template", "t.pdf", "--template-orientation"}, "--template-orientation needs portrait, landscape or auto"},
        {{"--template", "t.pdf", "--template-content", "all"}, "--template-content takes full or marks, not all"},
        {{"--template-content", "marks"}, "--template-content needs --template"},
        {{"--template-orientation", "auto"}, "--template-orientation needs --template"},
    };
    for (const auto& [options, message] : cases) {
        std::vector<std::string> args = {"--json", json};
        args.insert(args.end(), options.begin(), options.end());
        const CliRun run = Cli(args);
        EXPECT_EQ(run.code, kExitUsage) << options.back();
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(json)) << options.back();
    }
    // At the bounds the factors are taken.
    const CliRun bounds = Cli({"--set", "semiMajorAxis=1.01", "--template", File("t.pdf"), "--paper", "A3",
                               "--correct-x", "0.8", "--correct-y", "1.25"});
    EXPECT_EQ(bounds.code, PdfOutputAvailable() ? kExitDone : kExitFile) << bounds.err;
}

// A write-protected target of each output is refused with exit code 3 and keeps its content and mode (the
// writer refuses a file without any write bit to root as well).
TEST_F(CliTrueScale, WriteProtectedTargetsAreKept)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> outputs = {
        {"dial.svg", {"--scale", "1:100", "--svg"}},
        {"dial.dxf", {"--dxf-mm"}},
        {"plan.csv", {"--setting-out"}},
        {"plan.pdf", {"--setting-out"}},
        {"template.pdf", {"--set", "semiMajorAxis=1.01", "--paper", "A3", "--template"}},
    };
    for (const auto& [name, option] : outputs) {
        const std::string file = File(name);
        std::ofstream(file) << "old content";
        ::chmod(file.c_str(), 0444);
        std::vector<std::string> args = option;
        args.push_back(file);
        const CliRun run = Cli(args);
        EXPECT_EQ(run.code, kExitFile) << name;
        const bool pdf = name.ends_with(".pdf");
        if (!pdf || PdfOutputAvailable()) {
            EXPECT_NE(run.err.find(file + " :  Datei kann nicht gespeichert werden! Schreibgeschützt?"),
                      std::string::npos)
                << run.err;
        }
        EXPECT_EQ(Read(file), "old content") << name;
        struct ::stat info {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0444u) << name;
    }
}

// The gnomon's height against the dial: the 40 cm table dial with the 1.7 default (a 1.7 cm gnomon) warns on
// standard error with the height that reaches 90 %; the README's example, whose gnomon works, does not.
TEST_F(CliTrueScale, AShortGnomonIsWarnedOfAndTheReadmeExampleIsNot)
{
    const std::vector<std::string> table = {"--lang", "en", "--set", "lengthUnit=cm", "--set", "semiMajorAxis=20"};
    std::vector<std::string> args = table;
    args.insert(args.end(), {"--setting-out", File("short.csv")});
    const CliRun warned = Cli(args);
    EXPECT_EQ(warned.code, kExitDone) << warned.err;
    const std::size_t at = warned.err.find("umbrix-cli: warning: this gnomon's shadow reaches only ");
    ASSERT_NE(at, std::string::npos) << warned.err;
    EXPECT_NE(warned.err.find("a gnomon height of ", at), std::string::npos);
    EXPECT_NE(warned.err.find(" cm reaches 90 %.", at), std::string::npos);

    const std::string readme = Read(fs::path(UMBRIX_GOLDEN_DIR) / "../../README.md");
    const std::string example = "--set lengthUnit=cm --set semiMajorAxis=20 --set gnomonHeight=18.5";
    ASSERT_NE(readme.find(example), std::string::npos);
    args = table;
    args.insert(args.end(), {"--set", "gnomonHeight=18.5", "--setting-out", File("fine.csv")});
    const CliRun fine = Cli(args);
    EXPECT_EQ(fine.code, kExitDone) << fine.err;
    EXPECT_EQ(fine.err.find("warning"), std::string::npos) << fine.err;
}
