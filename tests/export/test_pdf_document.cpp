// The PDF documents of libharu as poppler reads them: the fonts embedded, the zodiac signs kept as text,
// text widths from the embedded fonts, the page formats, and failures (a missing font, broken UTF-8) that
// end in a message instead of a crash.

#include "export/pdf_document.h"
#include "tests/tools/command_output.h"
#include "export/pdf_fonts.h"
#include "export/pdf_text.h"
#include "graphics/print_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

using namespace umbrix;

namespace {

namespace fs = std::filesystem;

std::string Output(const std::string& command)
{
    return test::CommandOutput(command);
}

bool HavePoppler()
{
    return std::system("command -v pdffonts >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1") == 0;
}

fs::path Write(const std::string& name, const std::string& bytes)
{
    const fs::path file = fs::temp_directory_path() / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}

/// One A4 page with a German text in "Arial", the three zodiac signs in their own font and a sign in "Arial",
/// which Liberation Sans lacks.
PdfBytes SignsPage(PdfFontFiles fonts = DefaultPdfFontFiles())
{
    PdfDocument pdf({210, 297}, {.title = "Schablone in Originalgröße"}, std::move(fonts));
    if (!pdf.begin())
        return pdf.result("not begun");
    Surface& s = pdf.page();
    s.font = {std::string(kFontArial), 60, kBlack, FontStyle::Regular};
    s.TextOut(200, 200, "Sonnenuhr für Größe 12,5°");
    s.font.name = std::string(kFontZodiac);
    s.TextOut(200, 400, "\u2648 \u264B \u2651");
    s.font.name = std::string(kFontArial);
    s.TextOut(200, 600, "Widder \u2648");
    (void)pdf.finish();
    return pdf.result("not finished");
}

} // namespace

TEST(PdfDocument, EmbedsLiberationSansAndDejaVuSansAndKeepsTheZodiacSignsAsText)
{
    if (!HavePoppler())
        GTEST_SKIP() << "poppler-utils are not installed";
    const PdfBytes pdf = SignsPage();
    ASSERT_FALSE(pdf.failure) << *pdf.failure;
    EXPECT_TRUE(IsCompletePdf(pdf.bytes));
    const fs::path file = Write("umbrix_pdf_signs.pdf", pdf.bytes);
    // pdffonts: name, type, encoding, then "emb sub uni" as yes/no.
    const std::string fonts = Output("pdffonts '" + file.string() + "' 2>/dev/null");
    bool liberation = false;
    bool dejavu = false;
    std::size_t start = 0;
    while (start < fonts.size()) {
        const std::size_t end = std::min(fonts.find('\n', start), fonts.size());
        const std::string line = fonts.substr(start, end - start);
        const bool embedded = line.find("Identity-H       yes") != std::string::npos;
        if (line.find("+LiberationSans ") != std::string::npos)
            liberation = embedded;
        if (line.find("+DejaVuSans,Book") != std::string::npos)
            dejavu = embedded;
        start = end + 1;
    }
    EXPECT_TRUE(liberation) << fonts;
    EXPECT_TRUE(dejavu) << fonts;
    const std::string text = Output("pdftotext '" + file.string() + "' - 2>/dev/null");
    EXPECT_NE(text.find("Sonnenuhr für Größe 12,5°"), std::string::npos) << text;
    for (const char* sign : {"\u2648", "\u264B", "\u2651"})
        EXPECT_NE(text.find(sign), std::string::npos) << sign << "\n" << text;
    EXPECT_NE(text.find("Widder \u2648"), std::string::npos) << text; // the sign taken from DejaVu Sans
    const std::string info = Output("pdfinfo '" + file.string() + "' 2>/dev/null");
    EXPECT_NE(info.find("Schablone in Originalgröße"), std::string::npos) << info;
    EXPECT_NE(info.find("595 x 842 pts (A4)"), std::string::npos) << info;
    fs::remove(file);
}

// The widths a layout measures are those of the embedded font: Liberation Sans has Arial's advances,
// "M" 1706/2048 of the em and "i" 455/2048; a text is as wide as its characters together, at any height.
TEST(PdfDocument, TextWidthsComeFromTheEmbeddedFont)
{
    PdfDocument pdf({210, 297}, {});
    ASSERT_TRUE(pdf.begin()) << pdf.failure().value_or("");
    Surface& s = pdf.page();
    s.font = {std::string(kFontArial), 2048, kBlack, FontStyle::Regular};
    EXPECT_EQ(s.TextWidth("M"), 1706);
    EXPECT_EQ(s.TextWidth("i"), 455);
    EXPECT_NEAR(s.TextWidth("MiMi"), 2 * (1706 + 455), 2); // libharu keeps widths in 1/1000 em
    EXPECT_EQ(s.TextWidth(""), 0);
    s.font.height = 1024;
    EXPECT_EQ(s.TextWidth("M"), 853);
    // Ascent and descent of Liberation Sans: 0.905 + 0.212 of the em.
    s.font.height = 1000;
    EXPECT_NEAR(s.TextHeight("M"), 1117, 2);
    // The list font is fixed-pitch: every character as wide as any other.
    s.font.name = std::string(kFontListFixed);
    EXPECT_EQ(s.TextWidth("iiii"), s.TextWidth("MMMM"));
    s.font.style = FontStyle::Bold;
    EXPECT_GT(s.TextWidth("M"), 0);
    EXPECT_TRUE(pdf.finish()) << pdf.failure().value_or("");
}

TEST(PdfDocument, AMissingFontFileIsAMessageNamingItAndNoDocument)
{
    PdfFontFiles fonts = DefaultPdfFontFiles();
    fonts.paths[static_cast<std::size_t>(PdfFace::Sans)] = "/nonexistent/LiberationSans-Regular.ttf";
    const PdfBytes pdf = SignsPage(fonts);
    ASSERT_TRUE(pdf.failure);
    EXPECT_NE(pdf.failure->find("/nonexistent/LiberationSans-Regular.ttf"), std::string::npos) << *pdf.failure;
    EXPECT_TRUE(pdf.bytes.empty());

    // A file that is no font is refused before libharu reads it (it would read past the end).
    const fs::path bogus = Write("umbrix_not_a_font.ttf", "not a TrueType font");
    fonts = DefaultPdfFontFiles();
    fonts.paths[static_cast<std::size_t>(PdfFace::Sans)] = bogus.string();
    const PdfBytes broken = SignsPage(fonts);
    ASSERT_TRUE(broken.failure);
    EXPECT_NE(broken.failure->find(bogus.string()), std::string::npos) << *broken.failure;
    EXPECT_TRUE(broken.bytes.empty());
    fs::remove(bogus);

    // A font whose table directory points beyond its end: the real font cut short.
    std::ifstream in(DebianPdfFontPath(PdfFace::Sans), std::ios::binary);
    std::string font((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(font.size(), 4096u);
    EXPECT_FALSE(TrueTypeFileProblem(DebianPdfFontPath(PdfFace::Sans)));
    const fs::path cut = Write("umbrix_cut_font.ttf", font.substr(0, 4096));
    ASSERT_TRUE(TrueTypeFileProblem(cut.string()));
    EXPECT_NE(TrueTypeFileProblem(cut.string())->find("beyond the end"), std::string::npos);
    EXPECT_TRUE(TrueTypeFileProblem(Write("umbrix_short_font.ttf", font.substr(0, 40)).string()));
    EXPECT_TRUE(TrueTypeFileProblem("/nonexistent/font.ttf"));
    fonts.paths[static_cast<std::size_t>(PdfFace::Sans)] = cut.string();
    EXPECT_TRUE(SignsPage(fonts).failure);
    fs::remove(cut);

    // A font without its control-value program (the tag renamed in the table directory) is refused with
    // every text, not only where libharu's copy of it happens to end at a 4 KiB boundary.
    std::string unhinted = font;
    const std::size_t tables = (static_cast<unsigned char>(font[4]) << 8) | static_cast<unsigned char>(font[5]);
    bool renamed = false;
    for (std::size_t t = 0; t < tables; ++t) {
        const std::size_t entry = 12 + 16 * t;
        if (unhinted.compare(entry, 4, "prep") == 0) {
            unhinted.replace(entry, 4, "xrep");
            renamed = true;
        }
    }
    ASSERT_TRUE(renamed);
    const fs::path noPrep = Write("umbrix_font_without_prep.ttf", unhinted);
    const std::optional<std::string> problem = TrueTypeFileProblem(noPrep.string());
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find("prep"), std::string::npos) << *problem;
    fonts.paths[static_cast<std::size_t>(PdfFace::Sans)] = noPrep.string();
    const PdfBytes refused = SignsPage(fonts);
    ASSERT_TRUE(refused.failure);
    EXPECT_NE(refused.failure->find(noPrep.string()), std::string::npos) << *refused.failure;
    fs::remove(noPrep);
}

TEST(PdfDocument, BrokenUtf8AndControlCharactersAreDrawnWithoutHarm)
{
    PdfDocument pdf({210, 297}, {});
    ASSERT_TRUE(pdf.begin());
    Surface& s = pdf.page();
    s.TextOut(100, 100, std::string("a\xFF\xC3(b\xE2\x82", 7));
    s.TextOut(100, 200, std::string("tab\tnul\0end", 11));
    s.TextOut(100, 300, "\xF0\x9F\x8C\x9E astral");
    EXPECT_GT(s.TextWidth("\xC3"), 0); // U+FFFD from DejaVu Sans
    EXPECT_TRUE(pdf.finish()) << pdf.failure().value_or("");
    EXPECT_TRUE(IsCompletePdf(pdf.result("").bytes));

    EXPECT_EQ(DecodeUtf8("a\xC3\xA4\xE2\x99\x88"), (std::u32string{U'a', U'\u00E4', U'\u2648'}));
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"), (std::u32string{kReplacementCharacter, kReplacementCharacter})); // overlong
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), (std::u32string(3, kReplacementCharacter))); // a surrogate
    EXPECT_EQ(DecodeUtf8("\xE2\x99"), (std::u32string(2, kReplacementCharacter)));     // cut short
    std::string again;
    for (const char32_t cp : DecodeUtf8("Größe \u2648 \U0001F31E"))
        AppendUtf8(again, cp);
    EXPECT_EQ(again, "Größe \u2648 \U0001F31E");
    EXPECT_EQ(DocEncoded("Größe \u2648"), "Gr\xF6\xDF" "e ?");
}

// The printed graphic's page: A4 landscape with 5 mm margins reports the capabilities of a printer at
// 1200 dpi, and the print geometry of the window's 5 mm margins; turned, the margins go round with the paper.
TEST(PdfDocument, PageFormatsGiveThePrintGeometryOfTheirMargins)
{
    const PdfPageFormat landscape{297, 210, 5, 6, 7, 8};
    const PrinterCapabilities caps = CapabilitiesOf(landscape);
    EXPECT_FALSE(caps.portrait);
    EXPECT_DOUBLE_EQ(caps.horzSizeMm, 285);
    EXPECT_DOUBLE_EQ(caps.vertSizeMm, 196);
    EXPECT_EQ(caps.horzRes, 13465); // 285 mm at 1200 dpi
    EXPECT_EQ(caps.physicalOffsetX, 236);
    EXPECT_EQ(caps.physicalOffsetY, 283);
    const std::optional<PrintGeometry> g = ComputePrintGeometry(caps);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->marginLeft, 50);
    EXPECT_EQ(g->marginTop, 60);
    EXPECT_EQ(g->printAreaWidth, std::min(2970 - 2 * 70 - 2, kMaxPrintAreaWidth));

    const PdfPageFormat portrait = landscape.turned();
    EXPECT_DOUBLE_EQ(portrait.widthMm, 210);
    EXPECT_DOUBLE_EQ(portrait.heightMm, 297);
    EXPECT_DOUBLE_EQ(portrait.marginLeftMm, 6); // the top margin comes to the left
    EXPECT_DOUBLE_EQ(portrait.marginBottomMm, 5);
    EXPECT_TRUE(CapabilitiesOf(portrait).portrait);
    EXPECT_DOUBLE_EQ(portrait.turned().turned().turned().marginLeftMm, landscape.marginLeftMm);

    // A page with no printable area is refused before anything is drawn.
    PdfDocument none({10, 10, 5, 5, 5, 5}, {});
    DrawingState state;
    EXPECT_FALSE(none.StartPrintPage(state));
    EXPECT_TRUE(none.failure());

    // The surface is the printable area in 0.1 mm.
    PdfDocument pdf(landscape, {});
    ASSERT_TRUE(pdf.StartPrintPage(state));
    EXPECT_EQ(pdf.page().width(), 2850);
    EXPECT_EQ(pdf.page().height(), 1960);
    EXPECT_EQ(pdf.page().pixelsPerInch(), 254);
    EXPECT_TRUE(pdf.finish());
}
