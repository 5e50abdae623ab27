// The main window, driven as a user drives it: fields left with Enter, menu shortcuts, view keys, dragging
// the drawing, configuration files. Runs offscreen; messages are recorded, never shown.

#include "core/numeric.h"
#include "export/config_file.h"
#include "qt_app.h"
#include "text/own_texts.h"
#include "text/texts.h"
#include "ui/grid_view.h"
#include "ui/image_view.h"
#include "ui/main_window.h"
#include "ui/message_host.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace umbrix {
namespace {

const LanguageState kDe = StateFor(Language::German);
const LanguageState kEn = StateFor(Language::English);

class Window : public test::WindowTest {
protected:
    using WindowTest::makeWindow;
    /// A window whose program, user and data folders are `dir` (so no start configuration of the machine
    /// is read), shown, active and past its first activation.
    std::unique_ptr<MainWindow> makeWindow(const QString& dir) { return makeWindow(options(dir)); }
};

// --- start-up and activation ------------------------------------------------------------------------------

TEST_F(Window, StartsMaximisedWithItsCaptionAndTheDefaultDialDrawn)
{
    EXPECT_TRUE(window->windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Umbrix,  vers. 2.6 \u2013 Unbenannt"));
    EXPECT_TRUE(window->activated());
    EXPECT_TRUE(window->model().state.uiReady);
    EXPECT_GE(window->drawCount(), 1);
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
    EXPECT_EQ(get<QLineEdit>("eBreit")->text(), QStringLiteral(" 47.25"));
    EXPECT_EQ(get<QLineEdit>("MaskEdit1")->text(), QStringLiteral("01/05"));
    EXPECT_EQ(window->model().state.dialTitle, std::string(ResourceTextPlain(kDe, ResourceId::DialTitleFirst)));
    // The default dial has no figure-eight page; its error panel is shown.
    EXPECT_FALSE(pages()->isTabVisible(pageIndex("tsSlope")));
    EXPECT_FALSE(get<QWidget>("pErrGraph")->isHidden());
    EXPECT_FALSE(get<QLabel>("lmaxErrAbs")->text().isEmpty());
}

TEST_F(Window, StartConfigurationFromTheDataFolderIsReadButItsLanguageLeftToTheSystem)
{
    QDir(folder.path()).mkpath(QStringLiteral("other/data"));
    Model model;
    InitDefaults(model);
    model.params.latitude = 51.5;
    SetLanguage(model, Language::English);
    ASSERT_FALSE(SaveConfigurationFile(model, FromQt(folder.path()) + "/other/data/start.adt").has_value());

    window = makeWindow(folder.path() + QStringLiteral("/other"));
    EXPECT_DOUBLE_EQ(window->model().params.latitude, 51.5);
    EXPECT_EQ(get<QLineEdit>("eBreit")->text(), QStringLiteral(" 51.50"));
    // The shipped start configuration does not choose the language: the system's (German here) does.
    EXPECT_TRUE(action("Deutsch2")->isChecked());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Window, ABrokenStartConfigurationIsReportedWithoutStoppingTheStart)
{
    QDir(folder.path()).mkpath(QStringLiteral("broken"));
    QFile file(folder.path() + QStringLiteral("/broken/umbrix.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("2030   0\r\nnorth\r\n");
    file.close();
    window = makeWindow(folder.path() + QStringLiteral("/broken"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Error during File Input!\n" + FromQt(folder.path()) + "/broken/umbrix.ini:2");
    // Nothing of a broken file is taken, not even the lines before the broken one.
    EXPECT_EQ(window->model().params.year, 2015);
    EXPECT_DOUBLE_EQ(window->model().params.latitude, 47.25);
    EXPECT_GE(window->drawCount(), 1);
}

// --- field checks -----------------------------------------------------------------------------------------

TEST_F(Window, ARejectedLatitudeKeepsTheStoredValueAndTheFocus)
{
    const int drawn = window->drawCount();
    typeAndLeave("eBreit", "91");
    ASSERT_EQ(host.messages.size(), 1u);
    // The box keeps its text and adds the field's caption and range on a second line.
    EXPECT_EQ(host.messages[0].text, std::string(MessageRow(kDe, MessageId::InputError)) + "\n" +
                                         RejectionLine(window->model(), Field::eBreit));
    EXPECT_NE(host.messages[0].text.find("Breite"), std::string::npos) << host.messages[0].text;
    EXPECT_NE(host.messages[0].text.find("90"), std::string::npos) << host.messages[0].text;
    EXPECT_EQ(host.messages[0].caption, std::string(CaptionText(kDe, Caption::Problem)));
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_DOUBLE_EQ(window->model().params.latitude, 47.25);
    EXPECT_EQ(get<QLineEdit>("eBreit")->text().trimmed(), QStringLiteral("47.25"));
    EXPECT_EQ(QApplication::focusWidget(), get<QLineEdit>("eBreit"));
    EXPECT_EQ(window->drawCount(), drawn);
}

TEST_F(Window, AnAcceptedLatitudeIsStoredAndRecalculated)
{
    const int drawn = window->drawCount();
    typeAndLeave("eBreit", "0");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_DOUBLE_EQ(window->model().params.latitude, 0.005);
    EXPECT_GT(window->drawCount(), drawn);
    EXPECT_NE(QApplication::focusWidget(), get<QLineEdit>("eBreit"));
}

TEST_F(Window, LeavingAFieldUnchangedDoesNothing)
{
    QLineEdit* latitude = get<QLineEdit>("eBreit");
    const QString before = latitude->text();
    const int drawn = window->drawCount();
    latitude->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(latitude, Qt::Key_Return);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(window->drawCount(), drawn);
    EXPECT_EQ(latitude->text(), before);
    // After a handled exit the field counts as unchanged again.
    typeAndLeave("eBreit", "48");
    const int afterEdit = window->drawCount();
    latitude->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(latitude, Qt::Key_Return);
    EXPECT_EQ(window->drawCount(), afterEdit);
}

TEST_F(Window, TheKeyFilterTurnsCommaIntoPointAndDropsOtherCharacters)
{
    typeAndLeave("eHalb", "3x,5a");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_DOUBLE_EQ(window->model().params.semiMajorAxis, 3.5);
}

TEST_F(Window, AWrongShadowDateIsReportedAndTheDateFieldEmptied)
{
    typeAndLeave("MaskEdit1", "3104");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, std::string(MessageRow(kDe, MessageId::DateError)));
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(window->model().state.shadowDateText, "01/05");
    EXPECT_EQ(QApplication::focusWidget(), get<QLineEdit>("MaskEdit1"));

    host.messages.clear();
    typeAndLeave("MaskEdit1", "2106");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(window->model().state.shadowDateText, "21/06");
    EXPECT_EQ(get<QLabel>("lDat2")->text(), QStringLiteral("21. Jun"));
}

TEST_F(Window, APolarDayIsDrawnWithoutAMessage)
{
    typeAndLeave("MaskEdit1", "2106");
    typeAndLeave("eBreit", "89.9");
    EXPECT_TRUE(host.messages.empty());
    const Results& r = window->model().results;
    for (int s = 1; s <= r.shadowPathCount; ++s)
        EXPECT_GE(r.shadowPath[s].x, kShadowPresentLimit) << s;
}

TEST_F(Window, ChecksThatChangeOtherFieldsShowTheirNewValues)
{
    // A new year without 29 February moves the shadow date to the 28th.
    typeAndLeave("ejahr", "2016");
    typeAndLeave("MaskEdit1", "2902");
    ASSERT_EQ(window->model().state.shadowDateText, "29/02");
    typeAndLeave("ejahr", "2017");
    EXPECT_EQ(get<QLineEdit>("MaskEdit1")->text(), QStringLiteral("28/02"));
    EXPECT_EQ(get<QLabel>("lDat2")->text(), QStringLiteral("28. Feb"));

    // The vertical declining dial turns its gnomon with the plane.
    action("analemmat6")->trigger();
    ASSERT_EQ(DialTypeNumber(window->model().params.dialType), 5);
    typeAndLeave("eDek", "-20");
    EXPECT_DOUBLE_EQ(window->model().params.gnomonDeviation, -20);
    EXPECT_EQ(get<QLineEdit>("eGnomDek")->text().trimmed(), QStringLiteral("-20.00"));
}

TEST_F(Window, SpinEditsAndCheckBoxesRecalculateTheHourMarksOnly)
{
    const StringGrid dates = window->model().grids.StrGridDat;
    const std::string firstHour = window->model().grids.StrGridStd.cell(1, 1);
    get<QSpinBox>("eStart")->setValue(7);
    EXPECT_EQ(window->model().state.hourFrom, 7);
    EXPECT_NE(window->model().grids.StrGridStd.cell(1, 1), firstHour);
    EXPECT_EQ(get<GridView>("StrGridStd")->cellText(1, 1), ToQt(window->model().grids.StrGridStd.cell(1, 1)));
    for (int r = 0; r < dates.rowCount(); ++r)
        EXPECT_EQ(window->model().grids.StrGridDat.cell(1, r), dates.cell(1, r));

    // Without the shadow path its inputs and its page go away.
    get<QCheckBox>("chBSchatt")->click();
    EXPECT_FALSE(window->model().state.showShadowPath);
    EXPECT_TRUE(get<QLineEdit>("MaskEdit1")->isHidden());
    EXPECT_FALSE(pages()->isTabVisible(pageIndex("tsShade")));
    get<QCheckBox>("chBSchatt")->click();
    EXPECT_TRUE(pages()->isTabVisible(pageIndex("tsShade")));
}

TEST_F(Window, AnHourRangeThatEndsBeforeItStartsIsRefusedAndTheSpinEditRestored)
{
    get<QSpinBox>("eEnd")->setValue(12);
    ASSERT_TRUE(host.messages.empty());
    const int drawn = window->drawCount();
    get<QSpinBox>("eStart")->setValue(14);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, std::string(CaptionText(kDe, Caption::Problem)));
    EXPECT_EQ(window->model().state.hourFrom, 5);
    EXPECT_EQ(get<QSpinBox>("eStart")->value(), 5);
    EXPECT_EQ(window->drawCount(), drawn);
    EXPECT_EQ(host.messages.size(), 1u); // restoring the spin edit is no second change
    get<QSpinBox>("eStart")->setValue(11);
    EXPECT_EQ(window->model().state.hourFrom, 11);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(Window, AGnomonTooCloseToThePlaneIsReportedOnceAndTheDrawingBlanked)
{
    action("analemmat4")->trigger(); // type 3: plane and gnomon inclination can be typed
    const int drawn = window->drawCount();
    typeAndLeave("eIncl", "80");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, std::string(MessageRow(kDe, MessageId::NoGnomonShadow)));
    EXPECT_EQ(host.messages[0].caption, std::string(CaptionText(kDe, Caption::Problem)));
    EXPECT_EQ(window->drawCount(), drawn);
    // Switching the language does not repeat the message.
    action("Englisch2")->trigger();
    EXPECT_EQ(host.messages.size(), 1u);
}

// --- dial types -------------------------------------------------------------------------------------------

TEST_F(Window, DialTypeMenuPresetsTheInputs)
{
    action("analemmat4")->trigger(); // type 3: the gnomon inclination can be typed
    ASSERT_EQ(DialTypeNumber(window->model().params.dialType), 3);
    EXPECT_TRUE(get<QLineEdit>("eGnomInc")->isEnabled());
    typeAndLeave("eGnomInc", "3");
    ASSERT_DOUBLE_EQ(window->model().params.gnomonInclination, 3);

    action("analemmat5")->trigger(); // type 4: a nearly vertical gnomon is set upright
    EXPECT_EQ(DialTypeNumber(window->model().params.dialType), 4);
    EXPECT_DOUBLE_EQ(window->model().params.gnomonInclination, 90);
    EXPECT_EQ(get<QLineEdit>("eGnomInc")->text().trimmed(), QStringLiteral("90"));
    EXPECT_FALSE(get<QLineEdit>("eIncl")->isEnabled());
    EXPECT_EQ(get<QLineEdit>("eIncl")->palette().color(QPalette::Disabled, QPalette::Base), kDisabledYellow);
    EXPECT_EQ(window->model().state.dialTitle, std::string(ResourceTextPlain(kDe, ResourceId::DialTitleFirst, 4)));
    EXPECT_TRUE(get<QWidget>("pErrGraph")->isHidden());

    action("analemmat8")->trigger(); // type 7: the date scale becomes date lines
    EXPECT_EQ(get<RadioGroup>("rgAnzahl")->title(), ToQt(ResourceText(kDe, ResourceId::DateLines)));
    EXPECT_FALSE(pages()->isTabVisible(pageIndex("TsDat")));
    EXPECT_EQ(action("analemmat8")->shortcut(), QKeySequence(Qt::Key_F8));
}

TEST_F(Window, DistanceToZIsBoundedAndMovesOnlyOnTheFixedGnomonDial)
{
    action("analemmat5")->trigger(); // type 4: the gnomon stands at 90 degrees, there is no point Z
    typeAndLeave("eHalb", "3");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(window->model().params.distanceZ, -3.0);

    // Type 7 tilts the gnomon to 70 degrees: its date scale now reaches beyond 3 and Z moves out, once.
    action("analemmat8")->trigger();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find(std::string(MessageRow(kDe, MessageId::AdjustedTo))), std::string::npos);
    const double moved = window->model().params.distanceZ;
    EXPECT_LT(moved, -3.0);
    EXPECT_EQ(get<QLineEdit>("eVergr")->text().trimmed(), ToQt(FormatFixed(6, 2, moved)).trimmed());

    host.messages.clear();
    typeAndLeave("eVergr", "-9000000"); // beyond a million axes of 3
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text.rfind(std::string(MessageRow(kDe, MessageId::InputError)), 0), 0u);
    EXPECT_EQ(window->model().params.distanceZ, moved);
    EXPECT_EQ(QApplication::focusWidget(), get<QLineEdit>("eVergr"));
}

TEST_F(Window, SixMarksPerMonthFallBackToThreeOnTheFixedGnomonDial)
{
    action("analemmat8")->trigger();
    auto* marks = get<RadioGroup>("rgAnzahl");
    QTest::mouseClick(marks->button(3), Qt::LeftButton);
    EXPECT_EQ(window->model().params.marksPerMonth, 3);
    EXPECT_EQ(marks->itemIndex(), 2);
}

// --- language ---------------------------------------------------------------------------------------------

/// Every caption the relabelling walks write, by object name.
std::map<QString, QString> Captions(const MainWindow& w)
{
    std::map<QString, QString> out;
    for (QObject* o : w.findChildren<QObject*>()) {
        const QString key = o->objectName() + QLatin1Char('/') + QString::fromLatin1(o->metaObject()->className());
        if (auto* label = qobject_cast<QLabel*>(o))
            out[key] = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(o))
            out[key] = button->text();
        else if (auto* group = qobject_cast<RadioGroup*>(o))
            out[key] = group->title() + QLatin1Char('|') + group->items().join(QLatin1Char('|'));
        else if (auto* a = qobject_cast<QAction*>(o))
            out[key] = a->text() + (a->isChecked() ? QStringLiteral(" [x]") : QString());
        else if (auto* tabs = qobject_cast<QTabWidget*>(o))
            for (int i = 0; i < tabs->count(); ++i)
                out[key + QString::number(i)] = tabs->tabText(i);
    }
    for (QAction* top : w.menuBar()->actions())
        out[QStringLiteral("menu/") + top->objectName()] = top->text();
    return out;
}

TEST_F(Window, CtrlESwitchesToEnglish)
{
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(window->model().state.language.languageIndex, 2);
    EXPECT_EQ(pages()->tabText(0), QStringLiteral(" Graphic Display "));
    auto* marks = get<RadioGroup>("rgAnzahl");
    EXPECT_EQ(marks->title(), QStringLiteral("     Date Marks     "));
    EXPECT_EQ(marks->items(),
              QStringList({" 1 per month", " 2 per month (1/15)", " 3 per month (1/11/21)", " on 1/6/11/16/21/26"}));
    EXPECT_EQ(get<QPushButton>("BitBtn1")->text(), ToQt(ResourceText(kEn, ResourceId::NewCalculation)));
    EXPECT_EQ(get<QCheckBox>("chBSchatt")->text(), QStringLiteral("Shadow path"));
    EXPECT_EQ(window->menuBar()->actions().front()->text(), ToQt(MenuCaptions(kEn)[0]));
    EXPECT_EQ(action("Englisch2")->text(), ToQt(MenuCaptions(kEn)[27]));
    EXPECT_TRUE(action("Englisch2")->isChecked());
    EXPECT_FALSE(action("Deutsch2")->isChecked());
    EXPECT_EQ(action("Konfigurationladen1")->text(), QStringLiteral("Load Configuration"));
    EXPECT_EQ(get<QLabel>("lDat2")->text(), QStringLiteral("01. May"));
    // The tables are made again in the new language.
    EXPECT_EQ(get<GridView>("StrGridDat")->cellText(0, 1).trimmed(), QStringLiteral("21.Dec"));
    EXPECT_EQ(window->model().state.dialTitle, std::string(ResourceTextPlain(kEn, ResourceId::DialTitleFirst)));
}

TEST_F(Window, SwitchingBackToGermanRestoresEveryCaption)
{
    const auto german = Captions(*window);
    // Keys typed while an edit field has the focus reach the menu all the same.
    get<QLineEdit>("eLang")->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(get<QLineEdit>("eLang"), Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(window->model().state.language.languageIndex, 2);
    EXPECT_NE(Captions(*window), german);
    QTest::keyClick(get<QLineEdit>("eLang"), Qt::Key_D, Qt::ControlModifier);
    const auto again = Captions(*window);
    for (const auto& [name, text] : german)
        if (!name.startsWith(QStringLiteral("StatusTime"))) { // the time the calculation took differs
            EXPECT_EQ(again.at(name), text) << FromQt(name);
        }
    EXPECT_TRUE(action("Deutsch2")->isChecked());
}

// --- view -------------------------------------------------------------------------------------------------

TEST_F(Window, ZoomKeysNeedExactlyCtrlAndWorkOnEveryPage)
{
    QWidget* focus = get<QLineEdit>("eLang");
    focus->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(focus, Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier);
    EXPECT_DOUBLE_EQ(window->view().zoomFactor, 1.0);

    pages()->setCurrentIndex(pageIndex("TsDat"));
    QTest::keyClick(focus, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_DOUBLE_EQ(window->view().zoomFactor, 1.2);
    EXPECT_EQ(pages()->currentIndex(), pageIndex("TsDat"));
    QTest::keyClick(focus, Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_NEAR(window->view().zoomFactor, 1.0, 1e-12);
}

TEST_F(Window, AltArrowsShiftTheDrawingOnlyOnTheGraphicPage)
{
    QWidget* focus = get<QLineEdit>("eLang");
    focus->setFocus(Qt::OtherFocusReason);
    pages()->setCurrentIndex(pageIndex("TsDat"));
    QTest::keyClick(focus, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(window->view().panX, 0);

    pages()->setCurrentIndex(pageIndex("TSGrafik"));
    const int step = window->drawingState().surfaceWidth / 40;
    ASSERT_GT(step, 0);
    QTest::keyClick(focus, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(window->view().panX, -step);
}

TEST_F(Window, DraggingTheImageMovesTheDrawing)
{
    auto* image = get<ImageView>("Image1");
    // A fresh drawing fitted to the window as it is now.
    get<QToolButton>("tbReset")->click();
    const int x0 = window->drawingState().originX;
    const int y0 = window->drawingState().originY;
    QTest::mousePress(image, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(image, QPoint(115, 94));
    QTest::mouseMove(image, QPoint(130, 88));
    QTest::mouseRelease(image, Qt::LeftButton, Qt::NoModifier, QPoint(130, 88));
    EXPECT_EQ(window->view().panX, 30);
    EXPECT_EQ(window->view().panY, -12);
    EXPECT_EQ(window->drawingState().originX, x0 + 30);
    EXPECT_EQ(window->drawingState().originY, y0 - 12);

    // A click without movement is no drag.
    QTest::mouseClick(image, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_EQ(window->view().panX, 30);

    // The reset brings the drawing back.
    get<QToolButton>("tbReset")->click();
    EXPECT_EQ(window->view().panX, 0);
    EXPECT_EQ(window->drawingState().originX, x0);
}

// --- calculation and pages --------------------------------------------------------------------------------

TEST_F(Window, PagesAreKnownByNameWhereverTheyStand)
{
    // A page put in front of the others moves every page one place on: the help topic stays the page's own
    // and a calculation returns to the page the user was on.
    pages()->insertTab(0, new QWidget(pages()), QStringLiteral("new"));
    showPage("tsShade");
    EXPECT_EQ(pages()->property("helpContext").toInt(), 46);
    showPage("TsDat");
    typeAndLeave("eBreit", "48");
    EXPECT_DOUBLE_EQ(window->model().params.latitude, 48);
    EXPECT_EQ(pages()->currentWidget()->objectName(), QStringLiteral("TsDat"));
}

TEST_F(Window, ARecalculationKeepsThePageAndRefreshesTheTables)
{
    pages()->setCurrentIndex(pageIndex("TsDat"));
    get<QPushButton>("BitBtn1")->click();
    EXPECT_EQ(pages()->currentIndex(), pageIndex("TsDat"));

    const StringGrid& hours = window->model().grids.StrGridStd;
    auto* table = get<GridView>("StrGridStd");
    ASSERT_EQ(table->rowCount(), hours.rowCount());
    ASSERT_FALSE(hours.cell(1, 1).empty());
    EXPECT_EQ(table->cellText(1, 1), ToQt(hours.cell(1, 1)));
    EXPECT_EQ(table->item(0, 0)->background().color(), kFixedCellYellow);
    EXPECT_NE(table->item(1, 1)->background().color(), kFixedCellYellow);

    typeAndLeave("eLang", "-10");
    EXPECT_EQ(pages()->currentIndex(), pageIndex("TsDat"));
    EXPECT_EQ(table->cellText(1, 1), ToQt(window->model().grids.StrGridStd.cell(1, 1)));
}

TEST_F(Window, RightClickOnTheInputPanelSwapsPanelsOnlyForTheMeanTimeDial)
{
    QWidget* first = get<QWidget>("Panel1");
    QTest::mouseClick(first, Qt::RightButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_FALSE(first->isHidden());

    action("analemmat7")->trigger(); // type 6 shows the second panel
    QWidget* second = get<QWidget>("Panel2");
    ASSERT_FALSE(second->isHidden());
    QTest::mouseClick(second, Qt::RightButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_FALSE(first->isHidden());
    EXPECT_TRUE(second->isHidden());
}

TEST_F(Window, ThePanelHintGoesAfterTheFirstFewMoves)
{
    QWidget* panel = get<QWidget>("Panel1");
    ASSERT_FALSE(panel->toolTip().isEmpty());
    // Moves of the pointer without a button pressed (QTest would only move the cursor).
    auto move = [panel](int x) {
        QMouseEvent event(QEvent::MouseMove, QPointF(x, 10), panel->mapToGlobal(QPointF(x, 10)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(panel, &event);
    };
    for (int i = 0; i < 6; ++i)
        move(10 + i);
    EXPECT_FALSE(panel->toolTip().isEmpty());
    move(30);
    EXPECT_TRUE(panel->toolTip().isEmpty());
    EXPECT_TRUE(get<QWidget>("Panel2")->toolTip().isEmpty());
}

// --- configuration files ----------------------------------------------------------------------------------

TEST_F(Window, SavingAndLoadingAConfigurationThroughTheDialogs)
{
    const std::string file = FromQt(folder.path()) + "/saved.ini";
    FileDialogRequest asked;
    window->setFileChooser([&](const FileDialogRequest& request) -> std::optional<std::string> {
        asked = request;
        return file;
    });
    typeAndLeave("eBreit", "52");
    action("Datenspeichern1")->trigger();
    EXPECT_TRUE(asked.save);
    EXPECT_EQ(asked.title, ToQt(CaptionText(kDe, Caption::SaveDrawing)));
    EXPECT_EQ(asked.fileName, QStringLiteral("myDial"));
    EXPECT_EQ(asked.defaultSuffix, QStringLiteral("ini"));
    EXPECT_EQ(asked.filter, QtFileFilter(TextRow(kDe, TextId::ConfigurationFilter)));
    EXPECT_EQ(asked.directory, folder.path());
    EXPECT_TRUE(QFile::exists(ToQt(file)));
    EXPECT_TRUE(host.messages.empty());

    typeAndLeave("eBreit", "40");
    QTest::keyClick(window.get(), Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    action("Konfigurationladen1")->trigger();
    EXPECT_FALSE(asked.save);
    EXPECT_EQ(asked.title, ToQt(CaptionText(kDe, Caption::LoadData)));
    EXPECT_DOUBLE_EQ(window->model().params.latitude, 52);
    EXPECT_EQ(get<QLineEdit>("eBreit")->text().trimmed(), QStringLiteral("52.00"));
    EXPECT_DOUBLE_EQ(window->view().zoomFactor, 1.0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Window, CancelledDialogsAndUnreadableFilesChangeNothing)
{
    window->setFileChooser([](const FileDialogRequest&) -> std::optional<std::string> { return std::nullopt; });
    action("Datenladen1")->trigger();
    action("Datenspeichern1")->trigger();
    EXPECT_TRUE(host.messages.empty());

    window->setFileChooser(
        [&](const FileDialogRequest&) -> std::optional<std::string> { return FromQt(folder.path()) + "/missing.ini"; });
    action("Datenladen1")->trigger();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, std::string(MessageRow(kDe, MessageId::ReadError)) + "\n" + FromQt(folder.path()) +
                                         "/missing.ini: " + std::string(OwnTextOf(kDe, OwnText::NoSuchFile)));
    EXPECT_DOUBLE_EQ(window->model().params.latitude, 47.25);

    host.messages.clear();
    window->setFileChooser([&](const FileDialogRequest&) -> std::optional<std::string> {
        return FromQt(folder.path()) + "/no/such/folder/x.ini";
    });
    action("Datenspeichern1")->trigger();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, FromQt(folder.path()) + "/no/such/folder/x.ini\n" + FromQt(folder.path()) +
                                         "/no/such/folder: " + std::string(OwnTextOf(kDe, OwnText::NoSuchFile)));
}

TEST_F(Window, SavingTheStartConfigurationNeedsNoDialog)
{
    window->setFileChooser([](const FileDialogRequest&) -> std::optional<std::string> {
        ADD_FAILURE() << "no dialog expected";
        return std::nullopt;
    });
    action("Startkonfiguration1")->trigger();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "\"umbrix.ini\" : " + std::string(MessageRow(kDe, MessageId::FileSaved)));
    EXPECT_EQ(host.messages[0].caption, std::string(CaptionText(kDe, Caption::Information)));
    EXPECT_TRUE(QFile::exists(folder.path() + QStringLiteral("/umbrix.ini")));
}

} // namespace
} // namespace umbrix
