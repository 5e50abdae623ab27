// Small comforts of the window: tooltips, the unit of the angle fields, Escape in a field, the check mark of
// the dial type, the help window's close button and Esc, the Tab order of the input panels and the folder
// the file dialogs open in.

#include "core/input_panel.h"
#include "export/config_file.h"
#include "text/own_texts.h"
#include "ui/help_window.h"
#include "ui/last_folder.h"
#include "ui/table_export_dialog.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <fstream>
#include <vector>

namespace umbrix {
namespace {

const LanguageState kDe = StateFor(Language::German);

using Comforts = test::WindowTest;

TEST_F(Comforts, ToolButtonsAndFieldsExplainThemselvesInTheCurrentLanguage)
{
    QList<QToolButton*> tools;
    for (QToolButton* tool : get<QToolBar>("ToolBar1")->findChildren<QToolButton*>())
        if (!tool->objectName().startsWith(QStringLiteral("qt_"))) // the tool bar's own extension button
            tools.push_back(tool);
    ASSERT_GE(tools.size(), 12);
    for (const char* field : {"eBreit", "eHalb", "ejahr", "eStart", "eLph", "MaskEdit1", "efStart", "eRiseSet"})
        EXPECT_FALSE(get<QWidget>(field)->toolTip().isEmpty()) << field;
    const QString germanLatitude = get<QWidget>("eBreit")->toolTip();
    EXPECT_TRUE(germanLatitude.startsWith(QStringLiteral("Geografische Breite"))) << germanLatitude.toStdString();
    EXPECT_TRUE(germanLatitude.contains(QStringLiteral("90"))); // the range
    EXPECT_TRUE(germanLatitude.contains(QStringLiteral("Esc")));
    std::vector<QString> germanTools;
    for (QToolButton* tool : tools) {
        EXPECT_FALSE(tool->toolTip().isEmpty()) << tool->objectName().toStdString();
        germanTools.push_back(tool->toolTip());
    }

    window->SetLanguage(Language::English);
    EXPECT_TRUE(get<QWidget>("eBreit")->toolTip().startsWith(QStringLiteral("Geographic latitude")));
    EXPECT_EQ(get<QWidget>("tbPlus")->toolTip(), QStringLiteral("Zoom in (Ctrl+keypad plus)"));
    for (qsizetype i = 0; i < tools.size(); ++i)
        EXPECT_NE(tools[i]->toolTip(), germanTools[static_cast<std::size_t>(i)])
            << tools[i]->objectName().toStdString();
}

TEST_F(Comforts, EveryAngleAndLengthFieldShowsItsUnitRightOfIt)
{
    const auto unitOf = [this](const char* name) {
        return window->findChild<QLabel*>(QString::fromLatin1(name) + QStringLiteral("Unit"));
    };
    const auto expectRightOf = [this](const QWidget& unit, const char* name) {
        const auto* field = get<QWidget>(name);
        EXPECT_GE(unit.mapTo(window.get(), QPoint()).x(), field->mapTo(window.get(), QPoint(field->width(), 0)).x())
            << name;
    };
    for (const char* name : {"eBreit", "eLang", "eZone", "eGnomInc", "eGnomDek", "eIncl", "eDek"}) {
        const auto* unit = unitOf(name);
        ASSERT_NE(unit, nullptr) << name;
        // The longitude's unit names its sign convention as well.
        EXPECT_EQ(unit->text(), std::string_view(name) == "eLang" ? QStringLiteral("° (W +)") : QStringLiteral("°"));
        expectRightOf(*unit, name);
    }
    for (const char* name : {"eHoehe", "eVergr"}) {
        const auto* unit = unitOf(name);
        ASSERT_NE(unit, nullptr) << name;
        EXPECT_EQ(unit->text(), QStringLiteral("m"));
    }
    expectRightOf(*unitOf("eHoehe"), "eHoehe");
    // The distance to Z is a field of the fixed gnomon only: its unit is hidden and shown with it.
    EXPECT_TRUE(unitOf("eVergr")->isHidden());
    action("analemmat8")->trigger();
    EXPECT_FALSE(get<QWidget>("eVergr")->isHidden());
    EXPECT_FALSE(unitOf("eVergr")->isHidden());
    action("analemmat1")->trigger();
    EXPECT_TRUE(unitOf("eVergr")->isHidden());
    // The semi-major axis has the unit's choice beside it instead of a label; the year has no unit.
    EXPECT_EQ(unitOf("eHalb"), nullptr);
    EXPECT_EQ(unitOf("ejahr"), nullptr);
    expectRightOf(*get<QComboBox>("cbEinheit"), "eHalb");
}

// The unit is a name for the lengths: choosing it converts no value, every length label follows it, it is
// kept in the parameters (and so in a saved file), and a loaded file shows its own unit.
TEST_F(Comforts, TheLengthUnitChoiceNamesTheLengthsAndKeepsTheNumbersWhenAskedTo)
{
    window->setUnitQuestion([](const QString&, const QString&) { return false; });
    auto* choice = get<QComboBox>("cbEinheit");
    const double axis = window->model().params.semiMajorAxis;
    choice->setCurrentIndex(choice->findText(QStringLiteral("cm")));
    emit choice->activated(choice->currentIndex());
    EXPECT_EQ(window->model().params.lengthUnit, LengthUnit::Centimetre);
    EXPECT_EQ(window->model().params.semiMajorAxis, axis);
    EXPECT_EQ(get<QLabel>("eHoeheUnit")->text(), QStringLiteral("cm"));
    EXPECT_EQ(get<QLabel>("eVergrUnit")->text(), QStringLiteral("cm"));
    EXPECT_EQ(get<QLabel>("EddxfAchsUnit")->text(), QStringLiteral("cm")); // the plot's axis, in the export panel

    // A file of a dial in inches shows inches; one written before the unit existed shows metres.
    std::vector<std::string> lines = BuildConfigurationLines(window->model());
    std::replace(lines.begin(), lines.end(), std::string("lengthUnit=cm"), std::string("lengthUnit=in"));
    const std::string inches = FromQt(folder.filePath(QStringLiteral("inches.adt")));
    const std::string old = FromQt(folder.filePath(QStringLiteral("old.adt")));
    const auto write = [](const std::string& path, const std::vector<std::string>& text) {
        std::ofstream file(path, std::ios::binary);
        for (const std::string& line : text)
            file << line << "\r\n";
        return file.good();
    };
    ASSERT_TRUE(write(inches, lines));
    lines.resize(26);
    ASSERT_TRUE(write(old, lines));
    ASSERT_TRUE(window->openConfiguration(inches));
    EXPECT_EQ(choice->currentText(), QStringLiteral("in"));
    EXPECT_EQ(get<QLabel>("eHoeheUnit")->text(), QStringLiteral("in"));
    ASSERT_TRUE(window->openConfiguration(old));
    EXPECT_EQ(choice->currentText(), QStringLiteral("m"));
}

TEST_F(Comforts, EscapeBringsBackTheStoredValueWithoutAMessage)
{
    auto* latitude = get<QLineEdit>("eBreit");
    const double stored = window->model().params.latitude;
    latitude->setFocus(Qt::OtherFocusReason);
    latitude->selectAll();
    QTest::keyClicks(latitude, QStringLiteral("9x"));
    QTest::keyClick(latitude, Qt::Key_Escape);
    EXPECT_EQ(latitude->text(), ToQt(ShownFieldText(window->model(), Field::eBreit)));
    EXPECT_FALSE(latitude->isModified());
    EXPECT_EQ(latitude->selectedText(), latitude->text());

    // Leaving the field afterwards neither complains nor changes the value.
    const int draws = window->drawCount();
    get<QLineEdit>("eLang")->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
    EXPECT_DOUBLE_EQ(window->model().params.latitude, stored);
    EXPECT_EQ(window->drawCount(), draws);

    // After an accepted entry the new value is the one Escape brings back.
    latitude->setFocus(Qt::OtherFocusReason);
    latitude->selectAll();
    QTest::keyClicks(latitude, QStringLiteral("47.5"));
    QTest::keyClick(latitude, Qt::Key_Return);
    latitude->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(latitude, QStringLiteral("3"));
    QTest::keyClick(latitude, Qt::Key_Escape);
    EXPECT_EQ(latitude->text().trimmed(), QStringLiteral("47.50"));

    // The shadow date too.
    auto* date = get<QLineEdit>("MaskEdit1");
    const std::string storedDate = window->model().state.shadowDateText;
    date->setFocus(Qt::OtherFocusReason);
    date->selectAll();
    QTest::keyClicks(date, QStringLiteral("3"));
    QTest::keyClick(date, Qt::Key_Escape);
    EXPECT_EQ(FromQt(date->text()), storedDate);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Comforts, TheDialTypeMenuChecksTheCurrentTypeOnly)
{
    auto checkedTypes = [this] {
        std::vector<QString> names;
        for (QAction* item : get<QMenu>("Aus1")->actions())
            if (item->isChecked())
                names.push_back(item->objectName());
        return names;
    };
    EXPECT_EQ(checkedTypes(), std::vector<QString>{QStringLiteral("analemmat1")});
    action("analemmat5")->trigger(); // the vertical south dial, type 4
    EXPECT_EQ(DialTypeNumber(window->model().params.dialType), 4);
    EXPECT_EQ(checkedTypes(), std::vector<QString>{QStringLiteral("analemmat5")});
    window->SetLanguage(Language::English);
    EXPECT_EQ(checkedTypes(), std::vector<QString>{QStringLiteral("analemmat5")});

    // A type set behind the menu's back is checked when the menu opens.
    window->model().params.dialType = DialType::FixedGnomon;
    emit get<QMenu>("Aus1")->aboutToShow();
    EXPECT_EQ(checkedTypes(), std::vector<QString>{QStringLiteral("analemmat8")});
}

TEST_F(Comforts, TheHelpWindowClosesByItsButtonAndByEsc)
{
    action("Hilfe2")->trigger();
    HelpWindow* help = window->helpWindow();
    ASSERT_NE(help, nullptr);
    auto* close = help->findChild<QAbstractButton*>(QStringLiteral("HelpClose"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), ToQt(OwnTextOf(kDe, OwnText::HelpClose)));
    close->click();
    EXPECT_FALSE(help->isVisible());

    action("Hilfe2")->trigger();
    ASSERT_TRUE(help->isVisible());
    QTest::keyClick(help->browser(), Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
    // Other keys stay the browser's.
    action("Hilfe2")->trigger();
    QTest::keyClick(help->browser(), Qt::Key_Down);
    EXPECT_TRUE(help->isVisible());
}

/// The controls of `panel` that Tab reaches, in Tab order from its first one (radio items by their group, the
/// text of a spin edit by its spin edit).
std::vector<QString> TabChain(QWidget& panel, QWidget& first)
{
    std::vector<QString> names;
    QWidget* w = &first;
    do {
        if (panel.isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus)) {
            const bool item = qobject_cast<QRadioButton*>(w) || qobject_cast<QAbstractSpinBox*>(w->parentWidget());
            const QString name = item ? w->parentWidget()->objectName() : w->objectName();
            // The editable zone list's own line edit has no name of its own: it is part of its list.
            if (!name.isEmpty() && (names.empty() || names.back() != name))
                names.push_back(name);
        }
        w = w->nextInFocusChain();
    } while (w != &first);
    return names;
}

TEST_F(Comforts, TabFollowsTheInputPanelsColumnByColumnThenAlongTheSwitches)
{
    const std::vector<QString> first{"eBreit",    "eLang",      "eZone",  "ejahr", "eGnomInc", "eGnomDek",
                                     "eHoehe",    "MaskEdit1",  "eIncl",  "eDek",  "eHalb",    "cbEinheit",
                                     "eVergr",    "eStart",     "eEnd",   "eLph",  "rgAnzahl", "chBzonzeit",
                                     "chBSchatt", "ChBRiseSet", "Button1",  "ePlace", "cbTimeZone", "bPasteCoordinates"};
    EXPECT_EQ(TabChain(*get<QWidget>("Panel1"), *get<QWidget>("eBreit")), first);
    const std::vector<QString> second{"rgTyp", "bMore2", "rgMittelwert", "efStart", "efEnd", "chbGenau"};
    auto* firstItem = get<QWidget>("rgTyp")->findChild<QRadioButton*>();
    ASSERT_NE(firstItem, nullptr);
    EXPECT_EQ(TabChain(*get<QWidget>("Panel2"), *firstItem), second);

    // Items made anew by a change of language keep their place.
    window->SetLanguage(Language::English);
    EXPECT_EQ(TabChain(*get<QWidget>("Panel1"), *get<QWidget>("eBreit")), first);
}

TEST_F(Comforts, FileDialogsOpenInTheFolderOfTheLastFileChosen)
{
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("dials")));
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("tables")));
    std::vector<QString> opened;
    std::string answer = FromQt(folder.path()) + "/dials/site.ini";
    window->setFileChooser([&](const FileDialogRequest& request) -> std::optional<std::string> {
        opened.push_back(request.directory);
        return answer;
    });
    action("Datenspeichern1")->trigger();
    action("Datenladen1")->trigger();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], folder.path());
    EXPECT_EQ(opened[1], folder.path() + QStringLiteral("/dials"));
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;

    // The table export shares the folder both ways.
    auto* tables = window->findChild<TableExportDialog*>();
    ASSERT_NE(tables, nullptr);
    tables->setFileChooser([&](const SaveDialogRequest& request) -> std::optional<SaveDialogAnswer> {
        opened.push_back(request.dialog.directory);
        return SaveDialogAnswer{FromQt(folder.path()) + "/tables/hours.txt", 1};
    });
    showPage("TsDat");
    tables->Tabellespeichern1Click();
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[2], folder.path() + QStringLiteral("/dials"));
    answer = FromQt(folder.path()) + "/tables/site.ini";
    action("Datenladen1")->trigger();
    EXPECT_EQ(opened.back(), folder.path() + QStringLiteral("/tables"));

    // A cancelled dialog keeps the folder; the folder can be set from outside (kept between runs).
    window->setFileChooser([&](const FileDialogRequest& request) -> std::optional<std::string> {
        opened.push_back(request.directory);
        return std::nullopt;
    });
    action("Datenladen1")->trigger();
    window->lastFolder().setFolder("/elsewhere");
    action("Datenladen1")->trigger();
    EXPECT_EQ(opened[opened.size() - 2], folder.path() + QStringLiteral("/tables"));
    EXPECT_EQ(opened.back(), QStringLiteral("/elsewhere"));
}

TEST(LastFolder, KeepsTheFolderOfAChosenFileAndIgnoresNamesWithoutOne)
{
    LastFolder last("/home/user");
    last.rememberFileOf("plan.ini"); // a bare name: the folder shown
    EXPECT_EQ(last.folder(), "/home/user");
    last.rememberFileOf("dials/plan.ini");
    EXPECT_EQ(last.folder(), "/home/user/dials");
    last.rememberFileOf("/tmp/x/plan.ini");
    EXPECT_EQ(last.folder(), "/tmp/x");
    last.setFolder("");
    EXPECT_EQ(last.folder(), "/tmp/x");
}

} // namespace
} // namespace umbrix
