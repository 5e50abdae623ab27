// The PDF documents of the true-scale outputs opened in poppler: the template's page count and paper, its
// check bars measured in the PDF's own coordinates, and the plan's texts.

#include "qt_app.h"
#include "tests/tools/command_output.h"

#include "core/driver.h"
#include "core/input_panel.h"
#include "core/parameter_set.h"
#include "export/pdf_outputs.h"
#include "graphics/setting_out.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>

using namespace umbrix;

namespace {

namespace fs = std::filesystem;

std::unique_ptr<Model> DialInCentimetres(double semiMajorAxisCm)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    (void)SelectDialType(*m, 0);
    m->params.semiMajorAxis = semiMajorAxisCm;
    m->params.gnomonHeight = semiMajorAxisCm;
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

std::string Output(const std::string& command)
{
    return test::CommandOutput(command);
}

fs::path Write(const std::string& name, const std::string& bytes)
{
    const fs::path file = fs::temp_directory_path() / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}

} // namespace

TEST(TrueScalePdf, TemplateHasAMapAndOneA4PagePerSheet)
{
    test::App();
    if (std::system("command -v pdfinfo >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdfinfo is not installed";
    for (const double a : {20.0, 60.0}) {
        auto m = DialInCentimetres(a);
        TemplateRequest portrait;
        portrait.orientation = TemplateOrientation::Portrait;
        const PdfBytes pdf = TemplatePdf(*m, LengthUnit::Centimetre, portrait);
        ASSERT_FALSE(pdf.failure) << *pdf.failure;
        const ConstructionGeometry g = BuildConstructionGeometry(*m);
        const TemplateLayout layout = LayoutTemplate(g.dial, 10, PaperSize::A4);
        const std::vector<bool> used = SheetsWithContent(layout, g, 10);
        const fs::path file = Write("umbrix_template.pdf", pdf.bytes);
        const std::string info = Output("pdfinfo '" + file.string() + "'");
        const std::size_t pages = info.find("Pages:");
        ASSERT_NE(pages, std::string::npos) << info;
        EXPECT_EQ(std::stoll(info.substr(pages + 6)), 1 + std::count(used.begin(), used.end(), true)) << info;
        EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
        fs::remove(file);
    }
}

// The bars as poppler reads them: pdftocairo writes the first sheet as SVG in points (paths with their
// transform); each bar is a stroked segment of 100 mm = 283.46 pt, within 0.1 mm.
TEST(TrueScalePdf, CheckBarIsAHundredMillimetresInThePdf)
{
    test::App();
    if (std::system("command -v pdftocairo >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftocairo is not installed";
    auto m = DialInCentimetres(20);
    const PdfBytes pdf = TemplatePdf(*m, LengthUnit::Centimetre, {});
    ASSERT_FALSE(pdf.failure) << *pdf.failure;
    const fs::path file = Write("umbrix_template_bars.pdf", pdf.bytes);
    const fs::path svg = fs::temp_directory_path() / "umbrix_template_bars.svg";
    ASSERT_EQ(std::system(("pdftocairo -svg -f 2 -l 2 '" + file.string() + "' '" + svg.string() + "'").c_str()), 0);
    std::ifstream in(svg);
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::regex segment(
        R"(d="M ([-0-9.]+) ([-0-9.]+) L ([-0-9.]+) ([-0-9.]+) "(?: transform="matrix\(([-0-9.]+),0,0,([-0-9.]+),)?)");
    const double mmPerPt = 25.4 / 72;
    bool horizontal = false;
    bool vertical = false;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), segment); it != std::sregex_iterator(); ++it) {
        const double kx = (*it)[5].matched ? std::stod((*it)[5]) : 1.0;
        const double ky = (*it)[6].matched ? std::stod((*it)[6]) : 1.0;
        const double x1 = kx * std::stod((*it)[1]), y1 = ky * std::stod((*it)[2]);
        const double x2 = kx * std::stod((*it)[3]), y2 = ky * std::stod((*it)[4]);
        if (std::abs(y1 - y2) < 1e-3 && std::abs(std::abs(x2 - x1) * mmPerPt - 100) <= 0.1)
            horizontal = true;
        if (std::abs(x1 - x2) < 1e-3 && std::abs(std::abs(y2 - y1) * mmPerPt - 100) <= 0.1)
            vertical = true;
    }
    EXPECT_TRUE(horizontal);
    EXPECT_TRUE(vertical);
    fs::remove(file);
    fs::remove(svg);
}

TEST(TrueScalePdf, PlanStatesItsScaleAndTrueNorth)
{
    test::App();
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftotext is not installed";
    auto m = DialInCentimetres(275);
    const SettingOutDocument d = BuildSettingOutDocument(*m, LengthUnit::Centimetre, -1.5);
    const PdfBytes pdf = SettingOutPdf(d);
    ASSERT_FALSE(pdf.failure) << *pdf.failure;
    const fs::path file = Write("umbrix_plan.pdf", pdf.bytes);
    const std::string text = Output("pdftotext -layout '" + file.string() + "' -");
    EXPECT_NE(text.find("Absteckplan"), std::string::npos);
    EXPECT_NE(text.find("geographisch Nord, nicht magnetisch"), std::string::npos);
    EXPECT_NE(text.find("1.5"), std::string::npos); // compass bearing 1.5 degrees for 1.5 degrees west
    EXPECT_NE(text.find("1 : " + ScaleNumberText(d.scaleDenominator)), std::string::npos);
    fs::remove(file);
}

namespace {

/// A dial set by its parameters' own names, as the command line sets them, then calculated.
std::unique_ptr<Model> SetDial(const std::vector<std::pair<std::string, std::string>>& sets)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    SetLanguage(*m, Language::English);
    for (const auto& [name, value] : sets)
        EXPECT_EQ(SetParameter(*m, name, value).status, SetStatus::Accepted) << name;
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

/// "pages words overlaps" and the overlaps, as pdftotext -bbox reads the document.
std::string Overlaps(const fs::path& pdf)
{
    return Output(std::string("/usr/bin/python3 ") + UMBRIX_GOLDEN_DIR + "/../tools/pdf_word_overlaps.py '" +
                  pdf.string() + "'");
}

} // namespace

// Read as a reader sees them: the Vienna garden dial's plan (3 m, the inner summer-time ring, the leap
// cycle's scatter) and the Madrid table dial's template (40 cm, in cm) have no two words overlapping on any
// page; the template's map page names the gnomon that is too short.
TEST(TrueScalePdf, MakersDocumentsHaveNoOverprintedWords)
{
    test::App();
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftotext is not installed";
    const auto vienna = SetDial({{"latitude", "48.21"},
                                 {"longitude", "-16.37"},
                                 {"zoneMeridian", "-15"},
                                 {"semiMajorAxis", "1.5"},
                                 {"dstRing", "2"},
                                 {"showLeapCycle", "1"}});
    const PdfBytes plan = SettingOutPdf(BuildSettingOutDocument(*vienna, LengthUnit::Metre, std::nullopt));
    ASSERT_FALSE(plan.failure) << *plan.failure;
    const auto madrid = SetDial({{"latitude", "40.42"},
                                 {"longitude", "3.70"},
                                 {"zoneMeridian", "-15"},
                                 {"lengthUnit", "cm"},
                                 {"semiMajorAxis", "20"}});
    const PdfBytes sheets = TemplatePdf(*madrid, LengthUnit::Centimetre, {});
    ASSERT_FALSE(sheets.failure) << *sheets.failure;
    for (const auto& [name, bytes] : {std::pair{"umbrix_vienna_plan.pdf", plan.bytes},
                                      std::pair{"umbrix_madrid_template.pdf", sheets.bytes}}) {
        const fs::path file = Write(name, bytes);
        const std::string report = Overlaps(file);
        std::istringstream in(report);
        int pages = 0;
        int words = 0;
        int overlaps = -1;
        in >> pages >> words >> overlaps;
        EXPECT_GE(pages, 2) << name;
        EXPECT_GT(words, 100) << name;
        EXPECT_EQ(overlaps, 0) << name << "\n" << report;
        fs::remove(file);
    }
    const fs::path file = Write("umbrix_madrid_template.pdf", sheets.bytes);
    const std::string map = Output("pdftotext -f 1 -l 1 '" + file.string() + "' -");
    EXPECT_NE(map.find("reaches only"), std::string::npos) << map;
    fs::remove(file);
}
