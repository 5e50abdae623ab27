// The window as a desktop document: the untitled start, Save and Save As, the undo stack, the status bar,
// the language of the first start, black text on yellow under a dark theme, the unit question, refused
// inputs, the keys, the view after a type change, the heat maps, the icons, the help topics and the
// template's sheet count.

#include "graphics/construction_geometry.h"
#include "graphics/full_size_template.h"
#include "text/own_texts.h"
#include "ui/design_settings_window.h"
#include "ui/export_panel.h"
#include "ui/field_comforts.h"
#include "ui/help_window.h"
#include "ui/option_dialog.h"
#include "ui/radio_group.h"
#include "ui/scaled_picture.h"
#include "ui/window_settings.h"
#include "window_fixture.h"

#include "export/config_file.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>

#include <algorithm>
#include <cmath>

namespace umbrix {
namespace {

class Document : public test::WindowTest {
protected:
    /// Lets the file dialogs choose `name` in the test folder; returns its path.
    std::string chooseFile(const char* name)
    {
        const std::string path = FromQt(folder.filePath(QString::fromLatin1(name)));
        window->setFileChooser([this, path](const FileDialogRequest&) {
            ++dialogs;
            return std::optional<std::string>(path);
        });
        return path;
    }

    void chooseUnit(const char* unit)
    {
        auto* choice = get<QComboBox>(kLengthUnitChoice);
        const int index = choice->findText(QString::fromLatin1(unit));
        ASSERT_GE(index, 0) << unit;
        choice->setCurrentIndex(index);
        emit choice->activated(index);
    }

    QString status() const { return window->statusBar()->currentMessage(); }
    double latitude() const { return window->model().params.latitude; }

    int dialogs = 0;
};

// --- the document -------------------------------------------------------------------------------------

TEST_F(Document, StartsUntitledAndSaveAsksForANameWithoutTouchingTheStartConfiguration)
{
    // A start configuration of the user's beside the program: the window reads it, but Save never writes it.
    Model start;
    InitDefaults(start);
    start.params.latitude = 50;
    const std::string startFile = FromQt(folder.filePath(QStringLiteral("umbrix.ini")));
    ASSERT_FALSE(SaveConfigurationFile(start, startFile).has_value());
    QFile read(ToQt(startFile));
    ASSERT_TRUE(read.open(QIODevice::ReadOnly));
    const QByteArray startBytes = read.readAll();
    read.close();
    window = makeWindow(options());

    EXPECT_DOUBLE_EQ(latitude(), 50);
    EXPECT_TRUE(window->currentFile().empty());
    EXPECT_EQ(window->documentName(), QStringLiteral("Unbenannt"));
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("Unbenannt"))) << FromQt(window->windowTitle());
    EXPECT_FALSE(window->parametersChanged());

    typeAndLeave("eBreit", "52.5");
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("Unbenannt*")));
    const std::string garden = chooseFile("garden.ini");
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs, 1); // an untitled document asks for its name
    EXPECT_EQ(window->currentFile(), garden);
    EXPECT_FALSE(window->parametersChanged());
    EXPECT_TRUE(status().contains(QStringLiteral("garden.ini"))) << FromQt(status());

    // The next Save writes the file it has, without a dialog.
    typeAndLeave("eBreit", "53");
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(window->parametersChanged());
    ASSERT_TRUE(read.open(QIODevice::ReadOnly));
    EXPECT_EQ(read.readAll(), startBytes);
    read.close();

    // Opening the start configuration itself and saving it asks for another name.
    ASSERT_TRUE(window->openConfiguration(startFile));
    typeAndLeave("eBreit", "54");
    (void)chooseFile("other.ini");
    EXPECT_TRUE(window->saveDocument());
    EXPECT_EQ(dialogs, 2);
    ASSERT_TRUE(read.open(QIODevice::ReadOnly));
    EXPECT_EQ(read.readAll(), startBytes);
}

TEST_F(Document, NewStartsTheStartConfigurationUntitledAfterTheQuestion)
{
    const std::string garden = chooseFile("garden.ini");
    typeAndLeave("eBreit", "33");
    ASSERT_TRUE(window->saveDocumentAs());
    typeAndLeave("eBreit", "34");
    QStringList asked;
    window->setSaveQuestion([&asked](const QString&, const QString& text) {
        asked.push_back(text);
        return SaveAnswer::Cancel;
    });
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked.front().contains(QStringLiteral("garden.ini")));
    EXPECT_DOUBLE_EQ(latitude(), 34);

    window->setSaveQuestion([](const QString&, const QString&) { return SaveAnswer::Discard; });
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(latitude(), 47.25);
    EXPECT_TRUE(window->currentFile().empty());
    EXPECT_FALSE(window->parametersChanged());
    EXPECT_FALSE(window->undoStack().canUndo());
}

TEST_F(Document, TheFileAndEditCommandsHaveTheirDesktopShortcuts)
{
    const std::vector<std::pair<const char*, QKeySequence>> expected{
        {"FileNew1", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"FileOpen1", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"FileSave1", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"FileSaveAs1", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"Schlieen1", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"Undo1", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"Redo1", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {"Redo1", QKeySequence(Qt::CTRL | Qt::Key_Y)}};
    for (const auto& [name, key] : expected)
        EXPECT_TRUE(action(name)->shortcuts().contains(key)) << name << " " << FromQt(key.toString());
    // Every shortcut of the window belongs to one command, in both languages.
    for (const Language language : {Language::German, Language::English}) {
        window->SetLanguage(language);
        std::map<QString, QString> owners;
        for (const QAction* a : window->findChildren<QAction*>())
            for (const QKeySequence& key : a->shortcuts()) {
                const auto [at, added] = owners.emplace(key.toString(), a->objectName());
                EXPECT_TRUE(added) << FromQt(key.toString()) << ": " << FromQt(at->second) << " and "
                                   << FromQt(a->objectName());
            }
    }
}

// --- undo and redo ------------------------------------------------------------------------------------

TEST_F(Document, EveryAcceptedChangeIsOneStepNamedAfterIt)
{
    QUndoStack& steps = window->undoStack();
    typeAndLeave("eBreit", "52.5");
    ASSERT_EQ(steps.count(), 1);
    EXPECT_EQ(steps.undoText(), QStringLiteral("Geografische Breite des Standorts 47.25 \u2192 52.5"));
    // A refused value is no step.
    typeAndLeave("eBreit", "95");
    EXPECT_EQ(steps.count(), 1);

    const int drawn = window->drawCount();
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(latitude(), 47.25);
    EXPECT_EQ(get<QLineEdit>("eBreit")->text().trimmed(), QStringLiteral("47.25"));
    EXPECT_EQ(window->drawCount(), drawn + 1); // recalculated once
    EXPECT_FALSE(window->parametersChanged());
    EXPECT_FALSE(window->windowTitle().endsWith(QLatin1Char('*')));

    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(latitude(), 52.5);
    EXPECT_TRUE(window->windowTitle().endsWith(QLatin1Char('*')));
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(latitude(), 52.5);
    // The step's name follows the language of the menu.
    window->SetLanguage(Language::English);
    EXPECT_TRUE(action("Undo1")->text().startsWith(QStringLiteral("&Undo")));
}

TEST_F(Document, ADialTypeAMarksModeAndAnOpenedFileAreStepsToo)
{
    QUndoStack& steps = window->undoStack();
    action("analemmat8")->trigger(); // type 7
    ASSERT_EQ(window->model().params.dialType, DialType::FixedGnomon);
    ASSERT_EQ(steps.count(), 1);
    EXPECT_TRUE(steps.undoText().contains(QStringLiteral("0 \u2192 7"))) << FromQt(steps.undoText());
    steps.undo();
    EXPECT_EQ(window->model().params.dialType, DialType::Horizontal);

    action("analemmat7")->trigger(); // type 6, the split dial's variants
    emit get<RadioGroup>("rgTyp")->itemClicked(1);
    ASSERT_EQ(window->model().params.marksMode, MarksMode::DoubleAnalemma);
    const int afterMode = steps.count();
    steps.undo();
    EXPECT_EQ(window->model().params.marksMode, MarksMode::Analemma);
    EXPECT_EQ(window->model().params.dialType, DialType::MeanTime);
    EXPECT_EQ(steps.index(), afterMode - 1);

    Model other;
    InitDefaults(other);
    other.params.latitude = 12;
    const std::string file = FromQt(folder.filePath(QStringLiteral("other.ini")));
    ASSERT_FALSE(SaveConfigurationFile(other, file).has_value());
    ASSERT_TRUE(window->openConfiguration(file));
    EXPECT_EQ(steps.undoText(), QStringLiteral("Geöffnet: other.ini"));
    EXPECT_FALSE(window->parametersChanged());
    steps.undo();
    EXPECT_EQ(window->model().params.dialType, DialType::MeanTime);
    EXPECT_TRUE(window->parametersChanged()); // no longer what the file holds
}

TEST_F(Document, ADialogsAppliedSettingsAreOneStep)
{
    action("WeitereEinstellungen1")->trigger();
    auto* dialog = window->findChild<QDialog*>(QStringLiteral("SettingsDialog"));
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QLineEdit*>(QStringLiteral("eMagneticDeclination"))->setText(QStringLiteral("3.5"));
    dialog->accept();
    ASSERT_DOUBLE_EQ(window->model().params.magneticDeclination, 3.5);
    ASSERT_EQ(window->undoStack().count(), 1);
    EXPECT_TRUE(window->undoStack().undoText().endsWith(QStringLiteral("0 \u2192 3.5")))
        << FromQt(window->undoStack().undoText());
    window->undoStack().undo();
    EXPECT_DOUBLE_EQ(window->model().params.magneticDeclination, 0);
}

TEST_F(Document, ThePlannersApplyIsOneStep)
{
    showPage("tsPlanner");
    auto* apply = get<QPushButton>("btPlanApply");
    if (!apply->isEnabled())
        GTEST_SKIP() << "the planner recommends nothing for the default dial";
    const double before = window->model().params.semiMajorAxis;
    apply->click();
    ASSERT_NE(window->model().params.semiMajorAxis, before);
    window->undoStack().undo();
    EXPECT_DOUBLE_EQ(window->model().params.semiMajorAxis, before);
}

// --- the status bar -----------------------------------------------------------------------------------

TEST_F(Document, TheStatusBarShowsThePointerTheScaleTheTimeAndEverySave)
{
    auto* image = get<QWidget>("Image1");
    const QPoint centre(window->drawingState().originX, window->drawingState().originY);
    QTest::mouseMove(image, centre);
    QMouseEvent move(QEvent::MouseMove, QPointF(centre), image->mapToGlobal(QPointF(centre)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(image, &move);
    // The dial's centre lies at x = y = 0 within a pixel (a few millimetres at this scale).
    const QString cursor = get<QLabel>("StatusCursor1")->text();
    const QRegularExpressionMatch at =
        QRegularExpression(QStringLiteral("^x (-?[0-9.]+) m   y (-?[0-9.]+) m")).match(cursor);
    ASSERT_TRUE(at.hasMatch()) << FromQt(cursor);
    EXPECT_LT(std::abs(at.captured(1).toDouble()), 0.02) << FromQt(cursor);
    EXPECT_LT(std::abs(at.captured(2).toDouble()), 0.02) << FromQt(cursor);
    EXPECT_TRUE(get<QLabel>("StatusScale1")->text().contains(QStringLiteral("Zoom 1.00")))
        << FromQt(get<QLabel>("StatusScale1")->text());
    EXPECT_TRUE(get<QLabel>("StatusTime1")->text().contains(QStringLiteral("ms")));

    // A plot through the export panel, then the start configuration: each names its file.
    auto* panel = window->findChild<ExportPanel*>(QStringLiteral("PanSave"));
    ASSERT_NE(panel, nullptr);
    const std::string plot = FromQt(folder.filePath(QStringLiteral("dial.plt")));
    panel->setFileChooser([plot](const SaveDialogRequest&) {
        return std::optional<SaveDialogAnswer>(SaveDialogAnswer{plot, 1});
    });
    get<QAbstractButton>("tbHpg")->click();
    get<QAbstractButton>("Button3")->click();
    ASSERT_TRUE(QFile::exists(ToQt(plot)));
    EXPECT_TRUE(status().contains(QStringLiteral("dial.plt"))) << FromQt(status());
    action("Startkonfiguration1")->trigger();
    EXPECT_TRUE(status().contains(QStringLiteral("umbrix.ini"))) << FromQt(status());
}

// --- language -----------------------------------------------------------------------------------------

class FirstStart : public Document {
protected:
    void TearDown() override
    {
        qputenv("LANG", savedLang);
        qputenv("LC_MESSAGES", savedMessages);
        ForgetWindowMemory();
    }
    std::unique_ptr<MainWindow> startWith(const char* lang)
    {
        qunsetenv("LC_MESSAGES");
        qputenv("LANG", lang);
        return makeWindow(options());
    }
    QByteArray savedLang = qgetenv("LANG");
    QByteArray savedMessages = qgetenv("LC_MESSAGES");
};

TEST_F(FirstStart, TheSystemsLanguageDecidesUntilTheMenuChoosesOne)
{
    EXPECT_EQ(startWith("en_GB.UTF-8")->model().state.language.languageIndex, 2);
    auto german = startWith("de_AT.UTF-8");
    EXPECT_EQ(german->model().state.language.languageIndex, 1);
    EXPECT_EQ(german->documentName(), QStringLiteral("Unbenannt"));

    // The shipped start configuration's language does not decide.
    Model shipped;
    InitDefaults(shipped);
    SetLanguage(shipped, Language::English);
    QDir(folder.path()).mkpath(QStringLiteral("data"));
    ASSERT_FALSE(SaveConfigurationFile(shipped, FromQt(folder.path()) + "/data/start.adt").has_value());
    EXPECT_EQ(startWith("de_DE.UTF-8")->model().state.language.languageIndex, 1);

    // The menu's choice is kept and wins over the system's at the next start.
    auto chosen = startWith("de_DE.UTF-8");
    chosen->findChild<QAction*>(QStringLiteral("Englisch2"))->trigger();
    auto next = startWith("de_DE.UTF-8");
    EXPECT_EQ(next->model().state.language.languageIndex, 2);
    EXPECT_EQ(next->documentName(), QStringLiteral("Untitled"));
}

TEST_F(FirstStart, AStartConfigurationOfTheUsersCarriesItsLanguage)
{
    Model saved;
    InitDefaults(saved);
    SetLanguage(saved, Language::English);
    ASSERT_FALSE(SaveConfigurationFile(saved, FromQt(folder.path()) + "/umbrix.ini").has_value());
    EXPECT_EQ(startWith("de_DE.UTF-8")->model().state.language.languageIndex, 2);
}

// --- colours ------------------------------------------------------------------------------------------

TEST_F(Document, YellowCellsAndFieldsCarryBlackTextUnderADarkPalette)
{
    const QPalette light = QApplication::palette();
    QPalette dark;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        dark.setColor(group, QPalette::Window, QColor(40, 40, 40));
        dark.setColor(group, QPalette::WindowText, Qt::white);
        dark.setColor(group, QPalette::Base, QColor(30, 30, 30));
        dark.setColor(group, QPalette::Text, Qt::white);
        dark.setColor(group, QPalette::Button, QColor(50, 50, 50));
        dark.setColor(group, QPalette::ButtonText, Qt::white);
    }
    QApplication::setPalette(dark);
    window = makeWindow(options());
    action("analemmat3")->trigger(); // type 2: some fields yellow and disabled

    auto* dates = get<QTableWidget>("StrGridDat");
    ASSERT_GT(dates->rowCount(), 1);
    for (const auto& [row, column] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{2, 0}}) {
        const QTableWidgetItem* cell = dates->item(row, column);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->background().color(), kFixedCellYellow) << row << "/" << column;
        EXPECT_EQ(cell->foreground().color(), QColor(Qt::black)) << row << "/" << column;
    }
    int yellowFields = 0;
    for (const QLineEdit* field : window->findChildren<QLineEdit*>())
        if (field->palette().color(QPalette::Disabled, QPalette::Base) == kDisabledYellow) {
            ++yellowFields;
            EXPECT_EQ(field->palette().color(QPalette::Disabled, QPalette::Text), QColor(Qt::black))
                << FromQt(field->objectName());
        }
    EXPECT_GT(yellowFields, 0);
    // Labels the core calls black are drawn in the theme's text colour.
    for (const QLabel* label : get<QWidget>("Panel1")->findChildren<QLabel*>())
        EXPECT_NE(label->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::black))
            << FromQt(label->objectName());
    window.reset();
    QApplication::setPalette(light);
}

// --- the unit -----------------------------------------------------------------------------------------

TEST_F(Document, AnotherUnitAsksWhetherToConvertTheLengthsOrKeepTheNumbers)
{
    QString asked;
    bool convert = true;
    window->setUnitQuestion([&](const QString&, const QString& text) {
        asked = text;
        return convert;
    });
    chooseUnit("cm");
    EXPECT_TRUE(asked.contains(QStringLiteral("2.75 m \u2192 275 cm"))) << FromQt(asked);
    EXPECT_TRUE(asked.contains(QStringLiteral("1.7 m \u2192 170 cm"))) << FromQt(asked);
    EXPECT_TRUE(asked.contains(QStringLiteral("(2.75 cm, 1.7 cm"))) << FromQt(asked);
    EXPECT_DOUBLE_EQ(window->model().params.semiMajorAxis, 275);
    EXPECT_DOUBLE_EQ(window->model().params.gnomonHeight, 170);
    EXPECT_DOUBLE_EQ(window->model().params.distanceZ, -300);
    EXPECT_EQ(window->model().params.dxfAxisLength, 0); // 0 stays 0
    EXPECT_EQ(window->model().params.lengthUnit, LengthUnit::Centimetre);
    EXPECT_EQ(get<QLabel>("lLengthsStd")->text(), QStringLiteral("Längen in cm"));

    // One step takes unit and lengths back.
    window->undoStack().undo();
    EXPECT_EQ(window->model().params.lengthUnit, LengthUnit::Metre);
    EXPECT_DOUBLE_EQ(window->model().params.semiMajorAxis, 2.75);

    convert = false;
    chooseUnit("mm");
    EXPECT_EQ(window->model().params.lengthUnit, LengthUnit::Millimetre);
    EXPECT_DOUBLE_EQ(window->model().params.semiMajorAxis, 2.75);
    EXPECT_DOUBLE_EQ(window->model().params.gnomonHeight, 1.7);
    EXPECT_EQ(get<QLabel>("lLengthsShad")->text(), QStringLiteral("Längen in mm"));
}

// --- refused input ------------------------------------------------------------------------------------

TEST_F(Document, ARefusedFieldShowsItsStoredValueAndDroppedLettersAreNamed)
{
    typeAndLeave("ejahr", "99999");
    EXPECT_FALSE(host.messages.empty());
    EXPECT_EQ(get<QLineEdit>("ejahr")->text().trimmed(), QStringLiteral("2015"));

    host.messages.clear();
    typeAndLeave("MaskEdit1", "3102");
    EXPECT_FALSE(host.messages.empty());
    EXPECT_EQ(get<QLineEdit>("MaskEdit1")->text(), QStringLiteral("01/05"));
    EXPECT_EQ(get<QLabel>("lDat2")->text(), QStringLiteral("01. Mai"));

    QLineEdit* axis = get<QLineEdit>("eHalb");
    axis->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(axis, QStringLiteral("x"));
    EXPECT_EQ(status(), QStringLiteral("„x“ gehört nicht zu einer Zahl"));
}

TEST_F(Document, OptionDialogsNameTheParameterByItsCaption)
{
    const ParameterRow* row = FindParameter("dstStart");
    ASSERT_NE(row, nullptr);
    const std::string text = WithoutInternalName("dstStart=35/03: erlaubt: TT/MM", *row, Language::German);
    EXPECT_EQ(text.find("dstStart"), std::string::npos) << text;
    EXPECT_NE(text.find("35/03: erlaubt: TT/MM"), std::string::npos) << text;
    EXPECT_EQ(WithoutInternalName("anything else", *row, Language::German), "anything else");
}

// --- keys ---------------------------------------------------------------------------------------------

TEST_F(Document, TheMainKeyboardZoomsAndEscapeClosesThePanels)
{
    QWidget* focus = get<QLineEdit>("eBreit");
    focus->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(focus, Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(window->view().zoomFactor, kZoomStep);
    QTest::keyClick(focus, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(window->view().zoomFactor, kZoomStep * kZoomStep);
    QTest::keyClick(focus, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_NEAR(window->view().zoomFactor, kZoomStep, 1e-12);

    action("About1")->trigger();
    auto* about = get<QWidget>("pAbout");
    ASSERT_TRUE(about->isVisible());
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(), Qt::Key_Escape);
    EXPECT_FALSE(about->isVisible());

    get<QAbstractButton>("tbHpg")->click();
    auto* exportPanel = get<QWidget>("PanSave");
    ASSERT_TRUE(exportPanel->isVisible());
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(), Qt::Key_Escape);
    EXPECT_FALSE(exportPanel->isVisible());
}

// --- the view -----------------------------------------------------------------------------------------

/// Records how many drawings the window had made when each message came.
class DrawCountingHost : public RecordingWindowHost {
public:
    void showMessage(std::string_view caption, std::string_view text, MessageIcon icon) override
    {
        drawsAtMessage.push_back(window ? window->drawCount() : -1);
        RecordingWindowHost::showMessage(caption, text, icon);
    }
    const MainWindow* window = nullptr;
    std::vector<int> drawsAtMessage;
};

TEST_F(Document, ADialTypeStartsFromTheResetViewAndItsMessageComesOverItsDrawing)
{
    action("analemmat8")->trigger();
    action("FitToWindow1")->trigger();
    ASSERT_NE(window->view().zoomFactor, 1.0);
    action("analemmat1")->trigger();
    EXPECT_EQ(window->view().zoomFactor, 1.0);
    EXPECT_EQ(window->view().panX, 0);
    EXPECT_EQ(window->view().panY, 0);

    DrawCountingHost counting;
    WindowOptions o = options();
    o.host = &counting;
    window = makeWindow(std::move(o));
    counting.window = window.get();
    // A semi-major axis whose date scale reaches past Z: choosing type 7 moves Z and says so.
    typeAndLeave("eHalb", "30");
    counting.messages.clear();
    const int before = window->drawCount();
    action("analemmat8")->trigger();
    ASSERT_FALSE(counting.messages.empty()) << window->model().params.semiMajorAxis << " "
                                            << window->model().params.distanceZ; // the distance to Z
    EXPECT_GT(counting.drawsAtMessage.front(), before);
    window.reset();
}

TEST_F(Document, HeatMapsAndTheSimulationFollowTheWindowsSize)
{
    window->setWindowState(Qt::WindowNoState);
    window->resize(1024, 700);
    showPage("tsAccuracy");
    QTest::qWait(50);
    auto* map = get<ScaledPicture>("AccuracyMap");
    ASSERT_FALSE(map->pixmap().isNull());
    const QRect small = map->shownRect();
    EXPECT_TRUE(map->rect().contains(small)) << small.width() << "x" << small.height();

    window->resize(1280, 1000);
    QTest::qWait(50);
    const QRect large = map->shownRect();
    EXPECT_GT(large.width() * large.height(), small.width() * small.height());
    EXPECT_TRUE(map->rect().contains(large));

    // Resized while another page is in front: the simulation takes the new size when it is shown.
    showPage("tsSimulation");
    QTest::qWait(50);
    showPage("TSGrafik");
    window->resize(1024, 700);
    QTest::qWait(50);
    showPage("tsSimulation");
    QTest::qWait(50);
    auto* picture = get<QLabel>("SimulationPicture");
    EXPECT_EQ(picture->pixmap().deviceIndependentSize().toSize(), picture->size());
}

// --- desktop integration ------------------------------------------------------------------------------

TEST_F(Document, TheWindowAndItsToolsCarryIcons)
{
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_FALSE(window->windowIcon().pixmap(32, 32).isNull());
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("io.github.umbrix.Umbrix"));
    for (const char* tool : {"tbMinus", "tbPlus", "tbLeft", "tbRight", "tbUp", "tbDown", "tbReset", "tbFit", "tbPrint",
                             "ToolButton1", "tbHpg", "tbDXF"}) {
        auto* button = get<QToolButton>(tool);
        EXPECT_FALSE(button->icon().isNull()) << tool;
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon) << tool;
        EXPECT_FALSE(button->text().isEmpty()) << tool;
    }
}

TEST_F(Document, HelpOpensAtThePagesTopicAndFindsText)
{
    EXPECT_EQ(HelpTopicOfPage("tsShade"), "seiteschatten");
    EXPECT_EQ(HelpTopicOfPage("nothing"), "");
    showPage("TSGrafik");
    QTest::keyClick(window.get(), Qt::Key_F1);
    HelpWindow* help = window->helpWindow();
    ASSERT_NE(help, nullptr);
    const int graphicTopic = help->browser()->verticalScrollBar()->value();
    EXPECT_GT(graphicTopic, 0) << help->browser()->verticalScrollBar()->maximum();
    showPage("tsShade");
    action("Hilfe2")->trigger(); // the help window is in front now: F1's menu item directly
    EXPECT_GT(help->browser()->verticalScrollBar()->value(), graphicTopic)
        << help->browser()->verticalScrollBar()->maximum() << " " << FromQt(pages()->currentWidget()->objectName());

    EXPECT_TRUE(help->find(QStringLiteral("Lambert")));
    EXPECT_EQ(help->browser()->textCursor().selectedText(), QStringLiteral("Lambert"));
    EXPECT_FALSE(help->find(QStringLiteral("no such words here at all")));
    EXPECT_NE(help->findChild<QLineEdit*>(QStringLiteral("HelpFind")), nullptr);
}

TEST_F(Document, TheTemplateDialogCountsThePrintedSheetsAsThePaperAndOrientationChange)
{
    QString a4Count;
    QString a3Count;
    QString portraitCount;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto* count = dialog->findChild<QLabel*>(QStringLiteral("lSheets"));
        auto* paper = dialog->findChild<QComboBox*>(QStringLiteral("cbPaper"));
        if (count && paper) {
            paper->setCurrentIndex(0);
            a4Count = count->text();
            paper->setCurrentIndex(1);
            a3Count = count->text();
            paper->setCurrentIndex(0);
            if (auto* orientation = dialog->findChild<QComboBox*>(QStringLiteral("cbOrientation"))) {
                orientation->setCurrentIndex(1); // portrait
                portraitCount = count->text();
            }
        }
        dialog->reject();
    });
    action("Originalgroesse1")->trigger();
    // The sheets left out for want of content are not counted: the count is that of the printed sheets.
    const ConstructionGeometry geometry = BuildConstructionGeometry(window->model());
    const double unitMm = UnitSizeMm(WindowTrueScaleSettings(window->model()).lengthUnit);
    const std::vector<bool> used =
        SheetsWithContent(LayoutTemplate(geometry.dial, unitMm, PaperSize::A4, TemplateOrientation::Portrait),
                          geometry, unitMm);
    const long long printed = std::count(used.begin(), used.end(), true);
    EXPECT_EQ(portraitCount, ToQt(OwnTextWith(window->model().state.language, OwnText::TemplateSheets,
                                              std::to_string(printed), std::to_string(printed + 1))));
    EXPECT_TRUE(a4Count.contains(QStringLiteral("Blätter"))) << FromQt(a4Count);
    EXPECT_TRUE(a4Count.contains(QStringLiteral("Seiten"))) << FromQt(a4Count);
    EXPECT_NE(a4Count, a3Count);
}

} // namespace
} // namespace umbrix
