// Every save of the window (configuration, plot, DXF, table, PDF) over a write-protected file and through a
// symbolic link, with the file and print dialogs answered by the test. Runs offscreen.

#include "text/texts.h"
#include "ui/export_panel.h"
#include "ui/table_export_dialog.h"
#include "ui/true_scale_actions.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QMarginsF>
#include <QPageLayout>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace umbrix {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class WindowSaves : public test::WindowTest {
protected:
    void SetUp() override
    {
        test::WindowTest::SetUp();
        dir = fs::path(FromQt(folder.path()));
        // Every dialog answers with `chosen`.
        SaveFileChooser answer = [this](const SaveDialogRequest&) -> std::optional<SaveDialogAnswer> {
            return SaveDialogAnswer{chosen.string(), 1};
        };
        window->findChild<ExportPanel*>(QStringLiteral("PanSave"))->setFileChooser(answer);
        window->findChild<TableExportDialog*>()->setFileChooser(answer);
        window->findChild<TrueScaleActions*>()->setFileChooser(answer);
        window->setFileChooser(
            [this](const FileDialogRequest&) { return std::optional<std::string>(chosen.string()); });
        window->setPrinterDialog([this](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(ToQt(chosen.string()));
            printer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
            return true;
        });
        host.messages.clear();
    }

    void click(const char* name) { get<QAbstractButton>(name)->click(); }

    /// Each save of the window, writing to `chosen`.
    void save(const std::string& what)
    {
        if (what == "configuration") {
            action("Datenspeichern1")->trigger();
        } else if (what == "plot" || what == "dxf") {
            click(what == "plot" ? "tbHpg" : "tbDXF");
            click("Button3");
        } else if (what == "table") {
            showPage("TsDat");
            click("BtnTsDat");
        } else if (what == "plan") {
            action("Absteckplan1")->trigger();
        } else {
            action("Grafikdrucken1")->trigger();
        }
    }

    fs::path dir;
    fs::path chosen;
};

const std::vector<std::string> kSaves = {"configuration", "plot", "dxf", "table", "pdf", "plan"};

/// The ending each save takes: the setting-out plan chooses its form by it.
std::string Ending(const std::string& what)
{
    return what == "plan" ? ".csv" : ".txt";
}

TEST_F(WindowSaves, AWriteProtectedFileIsRefusedWithTheWriteProtectionMessageAndKept)
{
    for (const std::string& what : kSaves) {
        chosen = dir / ("protected-" + what + Ending(what));
        std::ofstream(chosen) << "old";
        ::chmod(chosen.c_str(), 0444);
        host.messages.clear();
        save(what);
        ASSERT_FALSE(host.messages.empty()) << what;
        const std::string& text = host.messages.back().text;
        EXPECT_TRUE(text.starts_with(chosen.string() +
                                     std::string(MessageRow(window->model().state.language, MessageId::CannotSave))))
            << what << ": " << text;
        EXPECT_NE(text.find("\n" + chosen.string() + ": Zugriff verweigert"), std::string::npos) << text;
        EXPECT_EQ(Contents(chosen), "old") << what;
        struct ::stat info {};
        ASSERT_EQ(::stat(chosen.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0444u) << what;
    }
}

TEST_F(WindowSaves, ALinkStaysALinkAndItsTargetTakesTheSave)
{
    for (const std::string& what : kSaves) {
        const fs::path real = dir / ("real-" + what + Ending(what));
        std::ofstream(real) << "old";
        chosen = dir / ("link-" + what + Ending(what));
        fs::create_symlink(real.filename(), chosen);
        host.messages.clear();
        save(what);
        for (const auto& m : host.messages)
            EXPECT_NE(m.icon, MessageIcon::Error) << what << ": " << m.text;
        EXPECT_TRUE(fs::is_symlink(chosen)) << what;
        EXPECT_NE(Contents(real), "old") << what;
        EXPECT_GT(fs::file_size(real), 10u) << what;
    }
    EXPECT_TRUE(Contents(dir / "real-pdf.txt").starts_with("%PDF-"));
}

} // namespace
} // namespace umbrix
