// The print commands on a Qt printer writing PDF files (offscreen): the graphic page in landscape with the
// printer portrait again afterwards, the lists of the default and the split dial in order, the long
// date-mark list over two pages, and the refusal, cancel and not-ready paths. The set-up dialog is replaced
// by a function that chooses the PDF file, so nothing blocks.

#include "qt_app.h"

#include "core/driver.h"
#include "core/host.h"
#include "core/input_panel.h"
#include "core/model.h"
#include "graphics/print_layout.h"
#include "text/own_texts.h"
#include "text/texts.h"
#include "ui/print/pdf_memory.h"
#include "ui/printing.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QAction>
#include <QApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

using namespace umbrix;

namespace {

namespace fs = std::filesystem;

fs::path TempPdf(const std::string& name)
{
    const fs::path dir = fs::temp_directory_path() / ("umbrix_print_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path path = dir / name;
    fs::remove(path);
    return path;
}

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
    return std::system("command -v pdftotext > /dev/null 2>&1 && command -v pdfinfo > /dev/null 2>&1") == 0;
}

/// The text of some pages (all when first is 0), lines kept apart by blanks as poppler lays them out.
std::string PdfText(const fs::path& pdf, int first = 0, int last = 0)
{
    std::string range;
    if (first > 0)
        range = "-f " + std::to_string(first) + " -l " + std::to_string(last) + " ";
    return Capture("pdftotext -layout " + range + "'" + pdf.string() + "' - 2>/dev/null");
}

int PageCount(const fs::path& pdf)
{
    const std::string info = Capture("pdfinfo '" + pdf.string() + "' 2>/dev/null");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

/// Blanks collapsed, so that a line of the PDF text compares with a line the program wrote.
std::string Squeezed(const std::string& text)
{
    std::string out;
    for (const char ch : text) {
        const bool blank = ch == ' ' || ch == '\n' || ch == '\f';
        if (blank && (out.empty() || out.back() == ' '))
            continue;
        out += blank ? ' ' : ch;
    }
    return out;
}

/// Every needle appears in the text, each after the one before.
testing::AssertionResult InOrder(const std::string& text, const std::vector<std::string>& needles)
{
    const std::string haystack = Squeezed(text);
    std::size_t from = 0;
    for (const std::string& needle : needles) {
        const std::string wanted = Squeezed(needle);
        const std::size_t at = haystack.find(wanted, from);
        if (at == std::string::npos)
            return testing::AssertionFailure() << "missing after position " << from << ": \"" << wanted << "\"";
        from = at + wanted.size();
    }
    return testing::AssertionSuccess();
}

std::unique_ptr<Model> Calculated(int dialType, const std::function<void(Model&)>& adjust = {})
{
    auto model = std::make_unique<Model>();
    InitDefaults(*model);
    (void)SelectDialType(*model, dialType);
    if (adjust)
        adjust(*model);
    (void)ShowParameters(*model);
    model->state.dialTitle = DialTitle(*model);
    RecordingHost host;
    (void)Recalculate(*model, host);
    return model;
}

/// A printer as the window keeps it: high resolution, A4, portrait.
std::unique_ptr<QPrinter> MakePrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    return printer;
}

/// The set-up dialog confirmed with a PDF file and 5 mm margins; counts its calls and keeps the orientation
/// it was shown with.
struct PdfDialog {
    fs::path path;
    int calls = 0;
    QPageLayout::Orientation shownWith = QPageLayout::Portrait;
    PrinterDialog function()
    {
        return [this](QPrinter& printer) {
            ++calls;
            shownWith = printer.pageLayout().orientation();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(path.string()));
            printer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
            return true;
        };
    }
};

/// The header lines of a list as the pages show them.
std::vector<std::string> TitleAndHeader(const Model& model, PrintedList list)
{
    std::vector<std::string> lines{ListTitle(model, list)};
    for (const std::string& line : ListHeaderLines(model, list))
        lines.push_back(line);
    return lines;
}

class Printing : public testing::Test {
protected:
    void SetUp() override { (void)test::App(); }
    RecordingHost host;
};

} // namespace

TEST_F(Printing, TheGraphicIsOneLandscapePageWithItsLegendAndThePrinterTurnsBackToPortrait)
{
    auto model = Calculated(0);
    model->drawing.lastImageWidth = 1180;
    model->drawing.surfaceWidth = 1180; // as a screen drawing left them
    model->drawing.originX = 590;
    const auto printer = MakePrinter();
    PdfDialog dialog{TempPdf("graphic.pdf")};
    EXPECT_EQ(GrafikG(nullptr, *model, ViewState{}, *printer, host, dialog.function()), PrintOutcome::Printed);
    EXPECT_EQ(dialog.shownWith, QPageLayout::Landscape);
    EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_TRUE(host.messages.empty());
    // 297 x 210 mm with 5 mm margins: the area is capped to 2820, centred at 25, 1709 high.
    EXPECT_EQ(model->drawing.printAreaWidth, 2820);
    EXPECT_EQ(model->drawing.printAreaLeft, 25);
    EXPECT_EQ(model->drawing.printAreaHeight, 1709);
    EXPECT_EQ(model->drawing.printPageHeight, 1998);
    // The view's pan step and drag still refer to the screen drawing.
    EXPECT_EQ(model->drawing.surfaceWidth, 1180);
    EXPECT_EQ(model->drawing.originX, 590);
    if (!HavePoppler())
        GTEST_SKIP() << "poppler-utils missing";
    EXPECT_EQ(PageCount(dialog.path), 1);
    EXPECT_NE(Capture("pdfinfo '" + dialog.path.string() + "'").find("842 x 595"), std::string::npos);
    EXPECT_TRUE(InOrder(PdfText(dialog.path), {model->state.dialTitle + ", Analemmatische Sonnenuhr", "geogr. Breite",
                                               "Berechnung fuer Jahr", "umbrix"}));
}

TEST_F(Printing, ACancelledDialogPrintsNothingAndAPrinterThatCannotStartIsReported)
{
    auto model = Calculated(0);
    const auto printer = MakePrinter();
    const fs::path never = TempPdf("never.pdf");
    EXPECT_EQ(GrafikG(nullptr, *model, ViewState{}, *printer, host, [](QPrinter&) { return false; }),
              PrintOutcome::Cancelled);
    EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(
        Listedrucken1Click(nullptr, *model, true, ListPage::Graphic, *printer, host, [](QPrinter&) { return false; }),
        PrintOutcome::Cancelled);
    EXPECT_TRUE(host.messages.empty());

    // A PDF file in a folder that does not exist: the document is drawn in memory, and the file that cannot
    // be written is reported with its folder and the reason.
    const fs::path unwritablePath = never.parent_path() / "no-such-folder" / "x.pdf";
    PdfDialog unwritable{unwritablePath};
    EXPECT_EQ(GrafikG(nullptr, *model, ViewState{}, *printer, host, unwritable.function()), PrintOutcome::Failed);
    EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Portrait);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, unwritablePath.string() + "\n" + unwritablePath.parent_path().string() + ": " +
                                         std::string(OwnTextOf(model->state.language, OwnText::NoSuchFile)));
    EXPECT_EQ(host.messages[0].caption, CaptionText(model->state.language, Caption::Error));
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(fs::exists(never));
}

TEST_F(Printing, TheDisplayedListIsRefusedWhileTheGraphicIsInFront)
{
    auto model = Calculated(0);
    const auto printer = MakePrinter();
    PdfDialog dialog{TempPdf("refused.pdf")};
    EXPECT_EQ(Listedrucken1Click(nullptr, *model, false, ListPage::Graphic, *printer, host, dialog.function()),
              PrintOutcome::Refused);
    EXPECT_EQ(dialog.calls, 0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, TextRow(model->state.language, TextId::NoTableShown));
    EXPECT_EQ(host.messages[0].caption, CaptionText(model->state.language, Caption::Information));
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Question);
    EXPECT_FALSE(fs::exists(dialog.path));
}

TEST_F(Printing, AllListsOfTheDefaultDialHaveTheirTitlesAndHeaderLinesInOrder)
{
    if (!HavePoppler())
        GTEST_SKIP() << "poppler-utils missing";
    auto model = Calculated(0);
    const auto printer = MakePrinter();
    PdfDialog dialog{TempPdf("lists-default.pdf")};
    ASSERT_EQ(Listedrucken1Click(nullptr, *model, true, ListPage::Graphic, *printer, host, dialog.function()),
              PrintOutcome::Printed);
    EXPECT_EQ(dialog.shownWith, QPageLayout::Portrait); // lists keep the printer's orientation
    ASSERT_EQ(PageCount(dialog.path), 3);
    std::vector<std::string> expected;
    for (const PrintedList list : {PrintedList::HourMarks, PrintedList::ShadowPath, PrintedList::DateMarks}) {
        for (const std::string& line : TitleAndHeader(*model, list))
            expected.push_back(line);
    }
    EXPECT_TRUE(InOrder(PdfText(dialog.path), expected));
    // Each list on its page, with its table header and, for the hour marks, the distance sketch.
    EXPECT_TRUE(InOrder(PdfText(dialog.path, 1, 1), {"Stundenmarkierung - Koordinaten", "Nr. Zeit x y", "P(x/y)"}));
    EXPECT_TRUE(InOrder(PdfText(dialog.path, 2, 2), {"Weg des Schattens - 01. Mai", "Zeit x y"}));
    EXPECT_TRUE(InOrder(PdfText(dialog.path, 3, 3),
                        {"Datumsmarkierung", "Datum x-li. y-li. Dekl. EoT", "21.Dez", "11.Dez", "Fehler in Grad"}));
}

TEST_F(Printing, AllListsOfTheSplitDialEndWithBothLoopLists)
{
    if (!HavePoppler())
        GTEST_SKIP() << "poppler-utils missing";
    auto model = Calculated(6, [](Model& m) {
        m.params.marksMode = MarksMode::DoubleAnalemma;
        m.state.doubleAnalemmaActive = true;
    });
    const auto printer = MakePrinter();
    PdfDialog dialog{TempPdf("lists-split.pdf")};
    ASSERT_EQ(Listedrucken1Click(nullptr, *model, true, ListPage::Graphic, *printer, host, dialog.function()),
              PrintOutcome::Printed);
    const int pages = PageCount(dialog.path);
    ASSERT_EQ(pages, 5);
    std::vector<std::string> expected;
    for (const PrintedList list : {PrintedList::HourMarks, PrintedList::ShadowPath, PrintedList::DateMarks,
                                   PrintedList::LoopsMorning, PrintedList::LoopsAfternoon}) {
        for (const std::string& line : TitleAndHeader(*model, list))
            expected.push_back(line);
    }
    EXPECT_TRUE(InOrder(PdfText(dialog.path), expected));
    EXPECT_TRUE(InOrder(PdfText(dialog.path, 3, 3), {"Datum x-li. y-li. Dekl. EoT x-re. y-re."}));
    EXPECT_TRUE(InOrder(PdfText(dialog.path, 4, 4), {"Vormittag", "Datum x-li. y-li. Dekl. Fehler 8:00"}));
    EXPECT_TRUE(InOrder(PdfText(dialog.path, 5, 5), {"Nachmittag", "Datum x-li. y-li. Dekl. Fehler 12:30"}));
}

TEST_F(Printing, SeventyTwoDateMarksSpanTwoPagesWithTheHeaderRowRepeated)
{
    if (!HavePoppler())
        GTEST_SKIP() << "poppler-utils missing";
    auto model = Calculated(0, [](Model& m) { m.params.marksPerMonth = 6; });
    const auto printer = MakePrinter();
    PdfDialog dialog{TempPdf("dates-72.pdf")};
    ASSERT_EQ(Listedrucken1Click(nullptr, *model, false, ListPage::DateMarks, *printer, host, dialog.function()),
              PrintOutcome::Printed);
    ASSERT_EQ(PageCount(dialog.path), 2);
    const StringGrid& grid = model->grids.StrGridDat;
    const GridColumns layout = LayoutGridColumns(grid, true);
    const std::string header = GridLine(grid, layout, 0);
    // Rows 1 to 51 on the first page, 52 to 72 under the repeated header on the second.
    EXPECT_TRUE(InOrder(PdfText(dialog.path, 1, 1),
                        {" Datumsmarkierung ", header, GridLine(grid, layout, 1), GridLine(grid, layout, 51)}));
    const std::string second = PdfText(dialog.path, 2, 2);
    EXPECT_TRUE(InOrder(second, {header, GridLine(grid, layout, 52), GridLine(grid, layout, 72)}));
    EXPECT_EQ(Squeezed(second).find(Squeezed(GridLine(grid, layout, 51))), std::string::npos);
}

namespace {

/// What the preview showed before it was closed: its page count and whether it was found at all.
struct PreviewSeen {
    int pages = -1;
    int setUps = 0;
};

/// Answers the real set-up dialog with OK and closes the preview once it has drawn its pages: with its
/// print button (`print`) or as a cancel. Runs beside the modal dialogs on the event loop.
void AnswerDialogs(QTimer& watcher, PreviewSeen& seen, bool print)
{
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, [&watcher, &seen, print] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* setUp = qobject_cast<QPrintDialog*>(modal)) {
            ++seen.setUps;
            setUp->accept();
        } else if (auto* preview = qobject_cast<QPrintPreviewDialog*>(modal)) {
            auto* pages = preview->findChild<QPrintPreviewWidget*>();
            if (pages == nullptr || pages->pageCount() == 0)
                return; // not drawn yet
            seen.pages = pages->pageCount();
            EXPECT_EQ(preview->objectName(), QStringLiteral("PrintPreview"));
            if (!print) {
                preview->reject();
            } else {
                for (QAction* action : preview->findChildren<QAction*>())
                    if (action->text().remove(QLatin1Char('&')) == QStringLiteral("Print"))
                        action->trigger();
            }
            watcher.stop();
        }
    });
    watcher.start();
}

} // namespace

// Without a set-up function the real dialogs run: the printer's set-up, then the preview of the pages the
// print would have, drawn on the printer in preview mode. Closed, nothing is printed; its print button
// prints the pages it showed through the program's own path.
TEST_F(Printing, ThePreviewShowsThePagesOfThePrintAndOnlyItsPrintButtonPrints)
{
    auto model = Calculated(0, [](Model& m) { m.params.marksPerMonth = 6; });
    const fs::path graphic = TempPdf("preview-graphic.pdf");
    const auto printer = MakePrinter();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(graphic.string()));
    {
        QTimer watcher;
        PreviewSeen seen;
        AnswerDialogs(watcher, seen, false);
        EXPECT_EQ(GrafikG(nullptr, *model, ViewState{}, *printer, host), PrintOutcome::Cancelled);
        EXPECT_EQ(seen.setUps, 1);
        EXPECT_EQ(seen.pages, 1); // the construction on one landscape page
        EXPECT_FALSE(fs::exists(graphic));
        EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Portrait);
    }
    // The 72 date marks: two pages in the preview and in the file its print button writes.
    const fs::path dates = TempPdf("preview-dates.pdf");
    printer->setOutputFileName(QString::fromStdString(dates.string()));
    QTimer watcher;
    PreviewSeen seen;
    AnswerDialogs(watcher, seen, true);
    EXPECT_EQ(Listedrucken1Click(nullptr, *model, false, ListPage::DateMarks, *printer, host),
              PrintOutcome::Printed);
    EXPECT_EQ(seen.pages, 2);
    EXPECT_TRUE(host.messages.empty());
    ASSERT_TRUE(fs::exists(dates));
    if (!HavePoppler())
        GTEST_SKIP() << "poppler-utils missing";
    EXPECT_EQ(PageCount(dates), 2);
    EXPECT_TRUE(InOrder(PdfText(dates, 1, 1), {" Datumsmarkierung "}));
}

TEST(PdfInMemory, OnlyACompleteDocumentIsHandedToTheWriter)
{
    const std::string body = "%PDF-1.4\n" + std::string(5000, 'x') + "\nstartxref\n123\n%%EOF\n";
    EXPECT_TRUE(IsCompletePdf(body));
    EXPECT_FALSE(IsCompletePdf(body.substr(0, body.size() / 2))); // cut off, as by a full disk
    EXPECT_FALSE(IsCompletePdf(""));
    EXPECT_FALSE(IsCompletePdf("%%EOF"));
    // The end marker must lie within the last 1 KiB.
    EXPECT_FALSE(IsCompletePdf("%PDF-1.4\n%%EOF\n" + std::string(2000, ' ')));
}
