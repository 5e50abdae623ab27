// The window's setting-out plan and full-size template in the File menu: the form chosen by the file's
// ending, the sheets question and refusal, the printer path, and bad choices refused with a message.
// Dialogs are answered by the test; runs offscreen.

#include "export/table_export.h"
#include "graphics/construction_geometry.h"
#include "graphics/setting_out.h"
#include "text/own_texts.h"
#include "text/texts.h"
#include "ui/true_scale_actions.h"
#include "window_fixture.h"

#include <QAction>
#include <QMarginsF>
#include <QPrinter>
#include <QStatusBar>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace umbrix {
namespace {

namespace fs = std::filesystem;

const LanguageState kDe = StateFor(Language::German);

std::string Contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// The line of `pdfinfo` that begins with `key`.
std::string PdfInfo(const fs::path& file, const std::string& key)
{
    std::string out;
    FILE* pipe = popen(("pdfinfo '" + file.string() + "' 2>/dev/null").c_str(), "r");
    if (!pipe)
        return out;
    std::array<char, 512> line{};
    while (fgets(line.data(), line.size(), pipe))
        if (std::string(line.data()).starts_with(key))
            out = line.data();
    pclose(pipe);
    return out;
}

class TrueScaleMenu : public test::WindowTest {
protected:
    void SetUp() override
    {
        test::WindowTest::SetUp();
        dir = fs::path(FromQt(folder.path()));
        actions = window->findChild<TrueScaleActions*>();
        ASSERT_NE(actions, nullptr);
        actions->setFileChooser([this](const SaveDialogRequest& request) -> std::optional<SaveDialogAnswer> {
            ++dialogs;
            if (chosen.empty())
                return std::nullopt;
            EXPECT_EQ(FromQt(request.dialog.directory), window->lastFolder().folder());
            return SaveDialogAnswer{chosen.string(), filter};
        });
        actions->setTemplateChooser([this](const TemplateChoice&) { return choice; });
        actions->setSheetsQuestion([this](const QString&, const QString& text) {
            questions.push_back(FromQt(text));
            return answerYes;
        });
        host.messages.clear();
    }

    /// A semi-major axis typed into its field, and the calculation that follows.
    void axis(const char* metres)
    {
        typeAndLeave("eHalb", metres);
        QCoreApplication::processEvents();
        host.messages.clear();
    }
    /// The sheets of the grid the window's template takes (the orientation with fewer), and of them those
    /// printed (the sheets with some of the construction).
    long long sheets(PaperSize paper) const
    {
        return LayoutTemplate(BuildConstructionGeometry(window->model()).dial, 1000, paper, TemplateOrientation::Auto)
            .sheets();
    }
    long long printed(PaperSize paper) const
    {
        const ConstructionGeometry g = BuildConstructionGeometry(window->model());
        const std::vector<bool> used =
            SheetsWithContent(LayoutTemplate(g.dial, 1000, paper, TemplateOrientation::Auto), g, 1000);
        return std::count(used.begin(), used.end(), true);
    }

    fs::path dir;
    TrueScaleActions* actions = nullptr;
    fs::path chosen;
    int filter = 1;
    int dialogs = 0;
    std::optional<TemplateChoice> choice = TemplateChoice{};
    std::vector<std::string> questions;
    bool answerYes = true;
};

TEST_F(TrueScaleMenu, ThePlanTakesTheFormOfItsEndingAndANameWithoutOneTakesTheFilters)
{
    const std::string csv = SettingOutCsv(BuildSettingOutPlan(window->model()), LengthUnit::Metre);
    struct Case {
        std::string name;
        int filter;
        std::string written;
        bool pdf;
    };
    for (const Case& c : {Case{"plan.csv", 1, "plan.csv", false}, Case{"Plan.PDF", 2, "Plan.PDF", true},
                          Case{"bare", 2, "bare.csv", false}, Case{"other", 1, "other.pdf", true}}) {
        chosen = dir / c.name;
        filter = c.filter;
        action("Absteckplan1")->trigger();
        const std::string bytes = Contents(dir / c.written);
        if (c.pdf)
            EXPECT_TRUE(bytes.starts_with("%PDF-")) << c.name;
        else
            EXPECT_EQ(bytes, csv) << c.name;
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(window->lastFolder().folder(), dir.string());

    // Another ending is refused with a message naming it; nothing is written.
    chosen = dir / "plan.txt";
    action("Absteckplan1")->trigger();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, OwnTextWith(kDe, OwnText::SettingOutEnding, chosen.string()));
    EXPECT_FALSE(fs::exists(chosen));
    // A cancelled dialog writes nothing and says nothing.
    chosen.clear();
    action("Absteckplan1")->trigger();
    EXPECT_EQ(host.messages.size(), 1u);
}

// Every true-scale output confirms its save in the status bar with the file's name: the plan in both forms
// and the full-size template; a refused name leaves no confirmation.
TEST_F(TrueScaleMenu, EveryTrueScaleSaveIsConfirmedInTheStatusBarWithItsFileName)
{
    const auto status = [&] { return FromQt(window->statusBar()->currentMessage()); };
    for (const char* name : {"plan.csv", "plan.pdf"}) {
        window->statusBar()->clearMessage();
        chosen = dir / name;
        action("Absteckplan1")->trigger();
        ASSERT_TRUE(fs::exists(chosen)) << name;
        EXPECT_EQ(status(), OwnTextWith(kDe, OwnText::StatusSaved, name));
    }
    window->statusBar()->clearMessage();
    chosen = dir / "template.pdf";
    action("Originalgroesse1")->trigger();
    ASSERT_TRUE(fs::exists(chosen));
    EXPECT_EQ(status(), OwnTextWith(kDe, OwnText::StatusSaved, "template.pdf"));
    window->statusBar()->clearMessage();
    chosen = dir / "plan.txt";
    action("Absteckplan1")->trigger();
    EXPECT_EQ(status(), "");
}

TEST_F(TrueScaleMenu, MoreThanAHundredSheetsAskFirstAndMoreThanAThousandAreRefused)
{
    axis("2.5");
    ASSERT_GT(printed(PaperSize::A4), kTemplateWarnSheets);
    ASSERT_LE(sheets(PaperSize::A4), kTemplateMaxSheets);
    chosen = dir / "template.pdf";
    answerYes = false;
    action("Originalgroesse1")->trigger();
    ASSERT_EQ(questions.size(), 1u);
    // The question counts the sheets that would be printed, not the empty ones of the grid.
    EXPECT_EQ(questions[0], OwnTextWith(kDe, OwnText::SheetsQuestion, std::to_string(printed(PaperSize::A4))));
    EXPECT_EQ(dialogs, 0);
    EXPECT_FALSE(fs::exists(chosen));
    EXPECT_TRUE(host.messages.empty());

    axis("30");
    ASSERT_GT(sheets(PaperSize::A4), kTemplateMaxSheets);
    answerYes = true;
    action("Originalgroesse1")->trigger();
    EXPECT_EQ(questions.size(), 1u); // refused without a question
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, OwnTextWith(kDe, OwnText::SheetsCounted, std::to_string(sheets(PaperSize::A4))));
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(fs::exists(chosen));
}

TEST_F(TrueScaleMenu, TheTemplateGoesToAFileOrThroughThePrintDialogOnItsPaper)
{
    axis("1.5");
    choice = TemplateChoice{{PaperSize::A3, 1.0, 1.0}, false};
    ASSERT_LE(sheets(PaperSize::A3), kTemplateWarnSheets);
    const long long expected = printed(PaperSize::A3);
    chosen = dir / "file.pdf";
    action("Originalgroesse1")->trigger();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(questions.empty());
    EXPECT_NE(PdfInfo(chosen, "Pages:").find(std::to_string(expected + 1)), std::string::npos);
    EXPECT_NE(PdfInfo(chosen, "Page size:").find("A3"), std::string::npos) << PdfInfo(chosen, "Page size:");

    // The printer: a print dialog that chooses a PDF file gets the same document.
    const fs::path printed = dir / "printed.pdf";
    int printDialogs = 0;
    actions->setPrinterDialog([&](QPrinter& printer) {
        ++printDialogs;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(ToQt(printed.string()));
        return true;
    });
    choice->toPrinter = true;
    dialogs = 0;
    action("Originalgroesse1")->trigger();
    EXPECT_EQ(printDialogs, 1);
    EXPECT_EQ(dialogs, 0); // no save dialog on the way to the printer
    EXPECT_TRUE(host.messages.empty());
    EXPECT_NE(PdfInfo(printed, "Pages:").find(std::to_string(expected + 1)), std::string::npos);

    // A correction factor outside its range is refused before anything is asked.
    choice = TemplateChoice{{PaperSize::A4, 1.5, 1.0}, false};
    fs::remove(chosen);
    action("Originalgroesse1")->trigger();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(fs::exists(chosen));
    // A cancelled full-size dialog does nothing.
    choice.reset();
    action("Originalgroesse1")->trigger();
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_FALSE(fs::exists(chosen));
}

} // namespace
} // namespace umbrix
