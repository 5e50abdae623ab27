// The exports of the window: the plot export panel on the graphic page and the table export of the result
// pages, driven through their buttons with the save dialog answered by the test. Runs offscreen.

#include "core/fields.h"
#include "core/numeric.h"
#include "export/hpgl_writer.h"
#include "export/plot_export.h"
#include "export/table_export.h"
#include "qt_app.h"
#include "text/own_texts.h"
#include "text/texts.h"
#include "ui/export_panel.h"
#include "ui/main_window.h"
#include "ui/message_host.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/table_export_dialog.h"
#include "ui/window_settings.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QStatusBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace umbrix {
namespace {

const LanguageState kDe = StateFor(Language::German);
const LanguageState kEn = StateFor(Language::English);

constexpr std::string_view kPlotHeader = "IN;SS;VS 1;PA;SP 4;PU 1 1;PD ";

std::string ReadFile(const std::string& path)
{
    QFile file(ToQt(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

class Exports : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::App();
        ASSERT_TRUE(folder.isValid());
        ForgetWindowMemory();
        dir = FromQt(folder.path());
        WindowOptions options;
        options.paths.programDir = dir + "/";
        options.paths.userDir = dir + "/user/";
        options.paths.dataDirs = {dir + "/data/", UMBRIX_SOURCE_DIR "/help/"}; // the help pages of the sources
        options.paths.workingDir = dir;
        options.host = &host;
        window = std::make_unique<MainWindow>(std::move(options));
        window->show();
        QApplication::setActiveWindow(window.get());
        QCoreApplication::processEvents();
        window->activateOnce();
        panel = window->findChild<ExportPanel*>(QStringLiteral("PanSave"));
        tables = window->findChild<TableExportDialog*>();
        ASSERT_NE(panel, nullptr);
        ASSERT_NE(tables, nullptr);
        // Every dialog is answered here: `answer` is what the user chooses, `asked` what was shown.
        SaveFileChooser chooser = [this](const SaveDialogRequest& request) -> std::optional<SaveDialogAnswer> {
            asked = request;
            ++dialogs;
            return answer;
        };
        panel->setFileChooser(chooser);
        tables->setFileChooser(chooser);
        host.messages.clear();
    }

    template <class T> T* get(const char* name) const
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void click(const char* name) { get<QAbstractButton>(name)->click(); }

    QLineEdit* axisField() const { return get<QLineEdit>("EddxfAchs"); }

    void typeAxis(const char* text)
    {
        QLineEdit* edit = axisField();
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }

    void showPage(const char* name)
    {
        auto* pages = get<QTabWidget>("PgCtrl");
        QWidget* page = get<QWidget>(name);
        pages->setTabVisible(pages->indexOf(page), true);
        pages->setCurrentWidget(page);
    }

    QTemporaryDir folder;
    std::string dir;
    RecordingWindowHost host;
    std::unique_ptr<MainWindow> window;
    ExportPanel* panel = nullptr;
    TableExportDialog* tables = nullptr;
    std::optional<SaveDialogAnswer> answer;
    SaveDialogRequest asked;
    int dialogs = 0;
};

// --- the export panel ---------------------------------------------------------------------------------------

TEST_F(Exports, OpeningThePanelBringsTheAxisIntoTwoToTwentyByPowersOfTen)
{
    EXPECT_TRUE(panel->isHidden());
    struct Case {
        double semiMajorAxis;
        const char* shown;
    };
    for (const Case& c : {Case{0.35, "3.50"}, Case{250, "2.50"}, Case{200, "20.00"}, Case{0.02, "2.00"}}) {
        window->model().params.semiMajorAxis = c.semiMajorAxis;
        click("tbHpg");
        EXPECT_FALSE(panel->isHidden()) << c.semiMajorAxis;
        EXPECT_EQ(axisField()->text(), QString::fromLatin1(c.shown)) << c.semiMajorAxis;
        // Opening alone changes nothing of the dial.
        EXPECT_DOUBLE_EQ(window->model().params.semiMajorAxis, c.semiMajorAxis);
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Exports, TheHeadingNamesTheFormatOfTheButtonThatOpenedThePanel)
{
    click("tbHpg");
    EXPECT_EQ(panel->exportKind(), ExportKind::Hpgl);
    EXPECT_EQ(get<QLabel>("Label18")->text(), ToQt(ResourceText(kDe, ResourceId::SaveConstructionHpgl)));
    EXPECT_EQ(get<QLabel>("Label16")->text(), ToQt(ResourceText(kDe, ResourceId::AxisQuestion)));
    EXPECT_EQ(QApplication::focusWidget(), axisField());
    click("tbDXF");
    EXPECT_EQ(panel->exportKind(), ExportKind::Dxf);
    EXPECT_EQ(get<QLabel>("Label18")->text(), ToQt(ResourceText(kDe, ResourceId::SaveConstructionDxf)));

    window->SetLanguage(Language::English);
    EXPECT_EQ(get<QLabel>("Label18")->text(), QStringLiteral("Save Construction (dxf-format)"));
    EXPECT_EQ(get<QLabel>("Label16")->text(), QStringLiteral("Length of big half axis [2,... ,20]"));
    EXPECT_EQ(get<RadioGroup>("rgDxf")->items(),
              QStringList({ToQt(LabelRow(kEn, LabelId::ScaledToA3)), ToQt(LabelRow(kEn, LabelId::InAxisUnits))}));
    EXPECT_EQ(get<QPushButton>("Button4")->text(), ToQt(ResourceText(kEn, ResourceId::Cancel)));
}

TEST_F(Exports, TheScaleOptionSwitchesTheAxisFieldAndIsKeptForTheNextExport)
{
    click("tbHpg");
    auto* options = get<RadioGroup>("rgDxf");
    EXPECT_EQ(options->itemIndex(), 1);
    EXPECT_FALSE(panel->screenLikeExport());
    EXPECT_TRUE(axisField()->isEnabled());
    const QColor enabledColour = axisField()->palette().color(QPalette::Base);

    options->button(0)->click();
    EXPECT_TRUE(panel->screenLikeExport());
    EXPECT_FALSE(axisField()->isEnabled());
    EXPECT_NE(axisField()->palette().color(QPalette::Base), enabledColour);

    click("Button4");
    EXPECT_TRUE(panel->isHidden());
    click("tbDXF");
    EXPECT_EQ(options->itemIndex(), 0);
    EXPECT_FALSE(axisField()->isEnabled());

    options->button(1)->click();
    EXPECT_FALSE(panel->screenLikeExport());
    EXPECT_TRUE(axisField()->isEnabled());
    EXPECT_EQ(axisField()->palette().color(QPalette::Base), enabledColour);
}

TEST_F(Exports, CancelOnlyHidesThePanel)
{
    window->model().params.semiMajorAxis = 0.35;
    click("tbHpg");
    typeAxis("5");
    click("Button4");
    EXPECT_TRUE(panel->isHidden());
    EXPECT_EQ(dialogs, 0);
    EXPECT_DOUBLE_EQ(window->model().params.semiMajorAxis, 0.35);
}

TEST_F(Exports, OkWithAScaledAxisRecalculatesAndWritesTheHpglPlot)
{
    const std::string path = dir + "/dial.plt";
    answer = SaveDialogAnswer{path, 1};
    // A file of the name the DXF export gives its plot is not the export's to remove: it stays.
    QFile other(ToQt(dir + "/" + std::string(kTempPlotName)));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    const int drawn = window->drawCount();

    click("tbHpg");
    typeAxis("5");
    click("Button3");
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
    EXPECT_TRUE(panel->isHidden());
    EXPECT_DOUBLE_EQ(window->model().params.dxfAxisLength, 5);
    EXPECT_DOUBLE_EQ(window->model().params.semiMajorAxis, 5);
    EXPECT_EQ(get<QLineEdit>("eHalb")->text(), QStringLiteral("5.00"));
    EXPECT_GT(window->drawCount(), drawn);

    ASSERT_EQ(dialogs, 1);
    EXPECT_TRUE(asked.dialog.save);
    EXPECT_EQ(asked.dialog.title, QStringLiteral("UMBRIX.EXE - Konstruktion speichern (hpgl-Format)"));
    EXPECT_EQ(asked.dialog.filter, QtFileFilter(TextRow(kDe, TextId::PlotFileFilter)));
    EXPECT_EQ(asked.filterIndex, 1);
    EXPECT_EQ(asked.dialog.defaultSuffix, QStringLiteral("plt"));
    EXPECT_EQ(asked.dialog.fileName, QStringLiteral("MyDial"));
    EXPECT_EQ(asked.dialog.directory, ToQt(dir));

    const std::string plot = ReadFile(path);
    EXPECT_EQ(plot.substr(0, kPlotHeader.size()), kPlotHeader);
    EXPECT_EQ(plot.find('\n'), std::string::npos);
    EXPECT_TRUE(QFile::exists(ToQt(dir + "/" + std::string(kTempPlotName))));

    // The scaled plot is the plot of the axis typed, at the window's pan (second writer run on a copy).
    Model copy = window->model();
    RecordingHost quiet;
    PlotSettings scaled{.panX = window->view().panX,
                        .panY = window->view().panY,
                        .axisOrZoom = 5,
                        .lastImageWidth = window->drawingState().lastImageWidth};
    EXPECT_EQ(plot, WriteConstructionPlot(copy, quiet, scaled).text);
}

TEST_F(Exports, AScreenLikeExportPlotsAtTheZoomOfTheScreen)
{
    const std::string path = dir + "/screen.plt";
    answer = SaveDialogAnswer{path, 1};
    window->model().params.semiMajorAxis = 250;
    click("tbHpg");
    get<RadioGroup>("rgDxf")->button(0)->click();
    click("Button3");
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
    // The axis used is the one shown, also for this option.
    EXPECT_DOUBLE_EQ(window->model().params.semiMajorAxis, 2.5);
    EXPECT_EQ(get<QLineEdit>("eHalb")->text(), QStringLiteral("2.50"));

    Model copy = window->model();
    RecordingHost quiet;
    const PlotSettings screen{.panX = window->view().panX,
                              .panY = window->view().panY,
                              .axisOrZoom = window->view().zoomFactor,
                              .lastImageWidth = window->drawingState().lastImageWidth};
    const std::string plot = ReadFile(path);
    EXPECT_EQ(plot, WriteConstructionPlot(copy, quiet, screen).text);
    // At zoom 1 the page scale follows the construction, unlike the scaled export's 400 units per length.
    Model scaledCopy = window->model();
    EXPECT_NE(plot, WriteConstructionPlot(scaledCopy, quiet, {0, 0, 2.5, screen.lastImageWidth}).text);
}

TEST_F(Exports, OkWithADxfPathWritesTheDrawingAndRemovesTheTemporaryPlot)
{
    const std::string path = dir + "/dial.dxf";
    answer = SaveDialogAnswer{path, 2};
    click("tbDXF");
    click("Button3");
    ASSERT_EQ(dialogs, 1);
    EXPECT_EQ(asked.dialog.title, QStringLiteral("UMBRIX.EXE - Konstruktion speichern (dxf-Format)"));
    EXPECT_EQ(asked.filterIndex, 2);
    EXPECT_EQ(asked.dialog.defaultSuffix, QStringLiteral("dxf"));

    const std::string drawing = ReadFile(path);
    EXPECT_EQ(drawing.substr(0, 9), "0\r\nSECTIO");
    EXPECT_NE(drawing.find("POLYLINE"), std::string::npos);
    EXPECT_NE(drawing.find("EOF"), std::string::npos);
    EXPECT_FALSE(QFile::exists(ToQt(dir + "/" + std::string(kTempPlotName))));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(host.messages[0].text, "\r       File dial.dxf" + std::string(MessageRow(kDe, MessageId::Saved)));
}

TEST_F(Exports, AFailedWriteNamesThePathWithTheSaveErrorForBothFormats)
{
    for (const auto& [button, name] :
         {std::pair{"tbHpg", "/no/such/folder/dial.plt"}, std::pair{"tbDXF", "/no/such/folder/dial.dxf"}}) {
        host.messages.clear();
        answer = SaveDialogAnswer{dir + name, 1};
        click(button);
        click("Button3");
        ASSERT_EQ(host.messages.size(), 1u) << button;
        // A missing folder is no write protection: the file, then the folder and the reason.
        EXPECT_EQ(host.messages[0].text,
                  dir + name + "\n" + dir + "/no/such/folder: " + std::string(OwnTextOf(kDe, OwnText::NoSuchFile)));
        EXPECT_EQ(host.messages[0].caption, std::string(CaptionText(kDe, Caption::Error)));
        EXPECT_EQ(host.messages[0].icon, MessageIcon::Error);
    }
    EXPECT_FALSE(QDir(ToQt(dir + "/no")).exists());
}

TEST_F(Exports, ACancelledDialogWritesNothing)
{
    answer = std::nullopt;
    click("tbDXF");
    click("Button3");
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList());
}

TEST_F(Exports, ARejectedAxisKeepsThePanelOpenAndExportsNothing)
{
    answer = SaveDialogAnswer{dir + "/dial.plt", 1};
    window->model().params.semiMajorAxis = 0.35;
    click("tbHpg");
    typeAxis("25");
    click("Button3");
    ASSERT_EQ(host.messages.size(), 1u);
    // The box's text, then the field's caption and range on a second line.
    EXPECT_TRUE(host.messages[0].text.starts_with(std::string(MessageRow(kDe, MessageId::InputError)) + "\n"))
        << host.messages[0].text;
    EXPECT_EQ(axisField()->text(), QStringLiteral("3.50"));
    EXPECT_FALSE(panel->isHidden());
    EXPECT_EQ(dialogs, 0);
    EXPECT_DOUBLE_EQ(window->model().params.semiMajorAxis, 0.35);

    // Enter in the field confirms as OK does.
    host.messages.clear();
    typeAxis("4");
    QTest::keyClick(axisField(), Qt::Key_Return);
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
    EXPECT_EQ(dialogs, 1);
    EXPECT_DOUBLE_EQ(window->model().params.semiMajorAxis, 4);
}

// --- the table export ---------------------------------------------------------------------------------------

TEST_F(Exports, TheTableOfTheHourPageGoesToTheNameOfTheChosenFilter)
{
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("a.b")));
    showPage("TsDat");
    answer = SaveDialogAnswer{dir + "/a.b/./tab.xls", 2};
    click("BtnTsDat");
    ASSERT_EQ(dialogs, 1);
    EXPECT_TRUE(asked.dialog.save);
    EXPECT_EQ(asked.dialog.title, QStringLiteral("UMBRIX.EXE - Tabelle speichern"));
    EXPECT_EQ(asked.dialog.filter, QStringLiteral("Textdatei (*.TXT);;Excel-Datei (*.CSV)"));
    EXPECT_EQ(asked.dialog.defaultSuffix, QStringLiteral("txt"));
    EXPECT_EQ(asked.dialog.fileName, QStringLiteral("Tabelle"));
    EXPECT_EQ(asked.dialog.directory, ToQt(dir));
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
    EXPECT_FALSE(QFile::exists(ToQt(dir + "/a.b/./tab.xls")));

    // A .csv file begins with the UTF-8 byte-order mark for spreadsheets; the text follows it.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const std::string csv = ReadFile(dir + "/a.b/./tab.csv");
    ASSERT_TRUE(csv.starts_with(kByteOrderMark));
    const std::string written = csv.substr(kByteOrderMark.size());
    const StringGrid& grid = window->model().grids.StrGridStd;
    ASSERT_GT(grid.rowCount(), 1);
    // Nine lines of header, then one line per grid row, every one ended by CR LF.
    const QStringList lines = ToQt(written).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 9 + grid.rowCount() + 1);
    EXPECT_TRUE(lines.back().isEmpty());
    EXPECT_EQ(lines[0],
              ToQt(ResourceText(kDe, ResourceId::DialTitleFirst, DialTypeNumber(window->model().params.dialType))));
    EXPECT_TRUE(lines[1].startsWith(ToQt(TextRow(kDe, TextId::HourMarksTitle)))) << lines[1].toStdString();
    QString firstRow;
    for (int c = 0; c < grid.colCount(); ++c)
        firstRow += ToQt(grid.cell(c, 1)) + QStringLiteral("; ");
    EXPECT_EQ(lines[10], firstRow);

    // The dialog proposes the name written; the text filter and the menu item give a .txt file.
    answer = SaveDialogAnswer{dir + "/tab", 1};
    get<QAction>("Tabellespeichern1")->trigger();
    EXPECT_EQ(asked.dialog.fileName, QStringLiteral("tab.csv"));
    EXPECT_EQ(asked.dialog.directory, ToQt(dir + "/a.b/."));
    EXPECT_EQ(ReadFile(dir + "/tab.txt"), written); // plain UTF-8, no mark
}

TEST_F(Exports, TheGridFollowsThePageShownNotTheButton)
{
    EXPECT_TRUE(get<QAction>("Tabellespeichern1")->isEnabled());
    for (const char* button : {"BtnTsDat", "BtnTsShade", "BtnTsAna"})
        EXPECT_TRUE(get<QPushButton>(button)->isEnabled()) << button;

    // The graphic page has no table: no dialog, no file.
    showPage("TSGrafik");
    answer = SaveDialogAnswer{dir + "/none.csv", 2};
    get<QAction>("Tabellespeichern1")->trigger();
    EXPECT_EQ(dialogs, 0);
    EXPECT_FALSE(tables->shownTable().has_value());
    EXPECT_FALSE(QFile::exists(ToQt(dir + "/none.csv")));

    showPage("TSAnaDat");
    ASSERT_TRUE(tables->shownTable().has_value());
    EXPECT_EQ(tables->shownTable()->page, TablePage::DateMarks);
    answer = SaveDialogAnswer{dir + "/dates.csv", 2};
    get<QAction>("Tabellespeichern1")->trigger();
    const QStringList lines = ToQt(ReadFile(dir + "/dates.csv")).split(QStringLiteral("\r\n"));
    ASSERT_GT(lines.size(), 10);
    EXPECT_EQ(lines[1], ToQt(TextRow(kDe, TextId::DateMarksTitle)) + QLatin1Char(';'));

    showPage("tsShade");
    EXPECT_EQ(tables->shownTable()->page, TablePage::ShadowPath);

    showPage("tsSlope");
    auto* halfOfDay = get<RadioGroup>("rgAnzeige");
    halfOfDay->setItemIndex(1);
    EXPECT_EQ(tables->shownTable()->page, TablePage::Loops);
    EXPECT_TRUE(tables->shownTable()->afternoon);
    halfOfDay->setItemIndex(0);
    EXPECT_FALSE(tables->shownTable()->afternoon);
}

// Each save of the panel, the table dialog and the configuration confirms itself in the status bar with the
// file's name, in the window's language; a DXF keeps its message box as well. A cancelled dialog says nothing.
TEST_F(Exports, EverySaveIsConfirmedInTheStatusBarWithItsFileName)
{
    const auto status = [&] { return FromQt(window->statusBar()->currentMessage()); };
    const auto saved = [&](const LanguageState& lang, const char* name) {
        return OwnTextWith(lang, OwnText::StatusSaved, name);
    };
    struct Save {
        const char* button;
        const char* name;
        int filter;
    };
    for (const Save& save : {Save{"tbHpg", "dial.plt", 1}, Save{"tbDXF", "dial.dxf", 2}}) {
        window->statusBar()->clearMessage();
        answer = SaveDialogAnswer{dir + "/" + save.name, save.filter};
        click(save.button);
        click("Button3");
        ASSERT_TRUE(QFile::exists(ToQt(dir + "/" + save.name))) << save.name;
        EXPECT_EQ(status(), saved(kDe, save.name));
    }
    EXPECT_EQ(host.messages.size(), 1u); // the DXF's box

    showPage("TsDat");
    window->statusBar()->clearMessage();
    answer = SaveDialogAnswer{dir + "/hours.txt", 1};
    click("BtnTsDat");
    ASSERT_TRUE(QFile::exists(ToQt(dir + "/hours.txt")));
    EXPECT_EQ(status(), saved(kDe, "hours.txt"));
    window->statusBar()->clearMessage();
    answer.reset();
    click("BtnTsDat");
    EXPECT_EQ(status(), "");

    // The configuration: Save As, then Save to the same file, in English.
    window->SetLanguage(Language::English);
    const std::string config = dir + "/garden.ini";
    window->setFileChooser([config](const FileDialogRequest&) { return std::optional<std::string>(config); });
    window->statusBar()->clearMessage();
    ASSERT_TRUE(window->saveDocumentAs());
    EXPECT_EQ(status(), saved(kEn, "garden.ini"));
    window->statusBar()->clearMessage();
    ASSERT_TRUE(window->saveDocument());
    EXPECT_EQ(status(), saved(kEn, "garden.ini"));
}

TEST_F(Exports, ATableThatCannotBeWrittenIsReportedWithItsName)
{
    showPage("TsDat");
    answer = SaveDialogAnswer{dir + "/no/such/folder/tab.txt", 1};
    click("BtnTsDat");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Open error: File  " + dir + "/no/such/folder/tab.txt\n" + dir +
                                         "/no/such/folder: " + std::string(OwnTextOf(kDe, OwnText::NoSuchFile)));
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Error);
}

} // namespace
} // namespace umbrix
