// umbrix-cli --pdf: the graphic page and all lists of every dial type as a PDF that poppler reads and
// renders; --pdf-lists none; usage errors; a file that cannot be written; the zodiac signs and the embedded
// fonts; an unusable font file.

#include "tests/cli/cli_run.h"
#include "export/pdf_outputs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

using namespace umbrix;

namespace {

namespace fs = std::filesystem;

fs::path TempDir()
{
    const fs::path dir = fs::temp_directory_path() / ("umbrix_pdf_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}

/// Standard output of a shell command.
std::string Capture(const std::string& command)
{
    std::string text;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe)
        return text;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get()))
        text.append(buffer, n);
    return text;
}

bool HavePoppler()
{
    return std::system("command -v pdfinfo > /dev/null 2>&1 && command -v pdftoppm > /dev/null 2>&1") == 0;
}

int PageCount(const fs::path& pdf)
{
    const std::string info = Capture("pdfinfo '" + pdf.string() + "' 2>/dev/null");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

std::string PageSize(const fs::path& pdf, int page)
{
    const std::string n = std::to_string(page);
    const std::string info = Capture("pdfinfo -f " + n + " -l " + n + " '" + pdf.string() + "' 2>/dev/null");
    const auto at = info.find("size:");
    return at == std::string::npos ? std::string() : info.substr(at + 5, info.find('\n', at) - at - 5);
}

struct DialCase {
    std::string name;
    std::vector<std::string> sets;
    int lists; // list pages after the graphic page
};

class CliPdfDial : public testing::TestWithParam<DialCase> {};

} // namespace

TEST_P(CliPdfDial, GraphicAndListsArePrintedAndRender)
{
    if (!PdfOutputAvailable())
        GTEST_SKIP() << "built without Qt";
    if (!HavePoppler())
        GTEST_SKIP() << "poppler-utils missing";
    const fs::path pdf = TempDir() / (GetParam().name + ".pdf");
    std::vector<std::string> args;
    for (const auto& s : GetParam().sets) {
        args.push_back("--set");
        args.push_back(s);
    }
    args.push_back("--pdf");
    args.push_back(pdf.string());
    const CliRun run = Cli(args);
    ASSERT_EQ(run.code, 0) << run.err;

    // The graphic page in landscape, the lists in portrait, one list per page (the long tables may go on).
    const int pages = PageCount(pdf);
    EXPECT_GE(pages, 1 + GetParam().lists);
    EXPECT_NE(PageSize(pdf, 1).find("842 x 595"), std::string::npos) << PageSize(pdf, 1);
    if (pages > 1) {
        EXPECT_NE(PageSize(pdf, 2).find("595 x 842"), std::string::npos) << PageSize(pdf, 2);
    }

    // The legend of the graphic page names the dial; every page renders.
    const std::string text = Capture("pdftotext -f 1 -l 1 '" + pdf.string() + "' - 2>/dev/null");
    EXPECT_NE(text.find("Analemmatische Sonnenuhr"), std::string::npos) << text;
    const fs::path prefix = pdf.parent_path() / (GetParam().name + "-page");
    ASSERT_EQ(std::system(("pdftoppm -r 20 -png '" + pdf.string() + "' '" + prefix.string() + "' 2>/dev/null").c_str()),
              0);
    int rendered = 0;
    for (const auto& entry : fs::directory_iterator(pdf.parent_path()))
        if (entry.path().filename().string().rfind(GetParam().name + "-page", 0) == 0 && fs::file_size(entry) > 0)
            ++rendered;
    EXPECT_EQ(rendered, pages);
}

// Lists: hour marks (not type 7), shadow path (not types 2 and 5), date marks (not type 7), and the two
// loop lists of the split dial.
INSTANTIATE_TEST_SUITE_P(EveryDialType, CliPdfDial,
                         testing::Values(DialCase{"type0", {"dialType=0"}, 3}, DialCase{"type1", {"dialType=1"}, 3},
                                         DialCase{"type2", {"dialType=2"}, 2}, DialCase{"type3", {"dialType=3"}, 3},
                                         DialCase{"type4", {"dialType=4"}, 3}, DialCase{"type5", {"dialType=5"}, 2},
                                         DialCase{"type6", {"dialType=6"}, 3},
                                         DialCase{"type6split", {"dialType=6", "marksMode=2"}, 5},
                                         DialCase{"type7", {"dialType=7"}, 1}),
                         [](const testing::TestParamInfo<DialCase>& info) { return info.param.name; });

TEST(CliPdf, ListsCanBeLeftOutAndBadUseIsRefused)
{
    if (!PdfOutputAvailable())
        GTEST_SKIP() << "built without Qt";
    const fs::path pdf = TempDir() / "graphic-only.pdf";
    const CliRun run = Cli({"--pdf", pdf.string(), "--pdf-lists", "none", "--lang", "en"});
    ASSERT_EQ(run.code, 0) << run.err;
    if (HavePoppler()) {
        EXPECT_EQ(PageCount(pdf), 1);
        const std::string text = Capture("pdftotext '" + pdf.string() + "' - 2>/dev/null");
        EXPECT_NE(text.find("Analemmatic Sundial"), std::string::npos) << text;
    }
    EXPECT_EQ(Cli({"--pdf-lists", "some", "--pdf", pdf.string()}).code, kExitUsage);
    EXPECT_EQ(Cli({"--pdf"}).code, kExitUsage);
}

TEST(CliPdf, AFileThatCannotBeWrittenLeavesExitCode3AndNamesTheFile)
{
    const std::string path = (TempDir() / "no-such-folder" / "dial.pdf").string();
    const CliRun run = Cli({"--pdf", path});
    EXPECT_EQ(run.code, kExitFile);
    EXPECT_NE(run.err.find(path), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(path));

    // An existing file is left alone when the new one cannot be written.
    const fs::path dir = TempDir() / "read-only";
    fs::create_directories(dir);
    const fs::path kept = dir / "kept.pdf";
    std::ofstream(kept) << "old";
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(dir.c_str(), W_OK) != 0) { // root may write anyway
        EXPECT_EQ(Cli({"--pdf", kept.string()}).code, kExitFile);
        std::ifstream in(kept);
        std::string text;
        in >> text;
        EXPECT_EQ(text, "old");
    }
    fs::permissions(dir, fs::perms::owner_all);
}

// The fixed-gnomon dial marks hours 9 and 15 with a zodiac sign: it reaches the PDF as text, in DejaVu Sans,
// beside the embedded Liberation Sans.
TEST(CliPdf, ZodiacSignsOfTheFixedGnomonDialSurviveAsTextInEmbeddedFonts)
{
    if (std::system("command -v pdftotext > /dev/null 2>&1 && command -v pdffonts > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "poppler-utils are not installed";
    const fs::path pdf = TempDir() / "fixed-gnomon.pdf";
    const CliRun run = Cli({"--set", "dialType=7", "--pdf", pdf.string(), "--pdf-lists", "none"});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string text = Capture("pdftotext '" + pdf.string() + "' - 2>/dev/null");
    // Hours 9 and 15 carry cancer for a point Z north of the centre, capricorn for one south of it.
    EXPECT_TRUE(text.find("\u2651") != std::string::npos || text.find("\u264B") != std::string::npos) << text;
    const std::string fonts = Capture("pdffonts '" + pdf.string() + "' 2>/dev/null");
    EXPECT_NE(fonts.find("+LiberationSans "), std::string::npos) << fonts;
    EXPECT_NE(fonts.find("+DejaVuSans"), std::string::npos) << fonts;
    EXPECT_EQ(fonts.find(" no  "), std::string::npos) << "every font embedded\n" << fonts;
}

// A font file that is no font ends the PDF with exit code 3 and a message naming the PDF and the font; the
// file is not written.
TEST(CliPdf, AnUnusableFontFileIsExitCode3AndNoFile)
{
    const fs::path fonts = TempDir() / "broken-fonts";
    fs::create_directories(fonts);
    std::ofstream(fonts / "LiberationSans-Regular.ttf") << "no font";
    ::setenv("UMBRIX_FONT_DIR", fonts.c_str(), 1);
    const fs::path pdf = TempDir() / "no-font.pdf";
    const CliRun run = Cli({"--pdf", pdf.string()});
    ::unsetenv("UMBRIX_FONT_DIR");
    EXPECT_EQ(run.code, kExitFile);
    EXPECT_NE(run.err.find(pdf.string()), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("LiberationSans-Regular.ttf"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(pdf));
}
