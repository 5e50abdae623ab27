// The split dial for mean time in the window: choosing the variant, the figure-eight page with its input
// table, result tables and statistics, the waiting panel of the optimising methods, and the layout rules of
// the date-mark and figure-eight pages.

#include "text/texts.h"
#include "ui/grid_view.h"
#include "ui/radio_group.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace umbrix {
namespace {

const LanguageState kDe = StateFor(Language::German);

class SplitDial : public test::WindowTest {
protected:
    /// The dial for mean time, then the variant "Doppelanalemma" chosen by its radio button.
    void chooseSplitDial()
    {
        action("analemmat7")->trigger();
        ASSERT_EQ(DialTypeNumber(window->model().params.dialType), 6);
        clickItem("rgTyp", 1);
    }

    void clickItem(const char* group, int item)
    {
        QRadioButton* button = get<RadioGroup>(group)->button(item);
        ASSERT_NE(button, nullptr) << group << " " << item;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    GridView* grid(const char* name) const { return get<GridView>(name); }
};

int Right(const QWidget* w)
{
    return w->x() + w->width();
}

int Bottom(const QWidget* w)
{
    return w->y() + w->height();
}

TEST_F(SplitDial, ChoosingTheVariantShowsItsPageAndPanelsAndBack)
{
    chooseSplitDial();
    EXPECT_TRUE(window->model().state.doubleAnalemmaActive);
    EXPECT_TRUE(pages()->isTabVisible(pageIndex("tsSlope")));
    EXPECT_FALSE(get<QWidget>("pSplit")->isHidden());
    EXPECT_FALSE(get<QWidget>("pFehler")->isHidden());
    EXPECT_FALSE(get<QLineEdit>("eRiseSet")->isEnabled());
    EXPECT_FALSE(get<QCheckBox>("ChBRiseSet")->isEnabled());
    EXPECT_TRUE(get<QWidget>("StrGridEin")->isEnabled());
    EXPECT_TRUE(get<QPushButton>("btGo2")->isEnabled());
    // The date table shows the morning loop left and the afternoon loop right.
    EXPECT_EQ(grid("StrGridDat")->columnCount(), 9);
    EXPECT_EQ(grid("StrGridDat")->cellText(7, 0), ToQt(LabelRow(kDe, LabelId::XRight)));
    EXPECT_FALSE(grid("StrGridDat")->cellText(8, 1).trimmed().isEmpty());
    EXPECT_EQ(grid("StrGridDat")->columnWidth(6), 8);
    // The memo explains the columns; the statistics have their titles and values.
    QStringList memo;
    for (const std::string& line : LabelLines(kDe, LabelId::SplitMemoFirst, LabelId::SplitMemoLast))
        memo << ToQt(line);
    EXPECT_EQ(get<QPlainTextEdit>("mSplit")->toPlainText(), memo.join(QLatin1Char('\n')));
    EXPECT_EQ(grid("StrMittel")->cellText(0, 1), ToQt(LabelRow(kDe, LabelId::MaxError)));
    EXPECT_EQ(grid("StrMittel")->cellText(2, 0), ToQt(LabelRow(kDe, LabelId::AfterNoon)));
    EXPECT_FALSE(grid("StrMittel")->cellText(1, 1).trimmed().isEmpty());
    EXPECT_EQ(get<QLabel>("Label22")->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;

    clickItem("rgTyp", 0);
    EXPECT_FALSE(window->model().state.doubleAnalemmaActive);
    EXPECT_FALSE(pages()->isTabVisible(pageIndex("tsSlope")));
    EXPECT_TRUE(get<QWidget>("pSplit")->isHidden());
    EXPECT_TRUE(get<QWidget>("pFehler")->isHidden());
    EXPECT_TRUE(get<QLineEdit>("eRiseSet")->isEnabled());
    EXPECT_EQ(grid("StrGridDat")->columnCount(), 7);
    EXPECT_GT(grid("StrGridDat")->columnWidth(6), 8);
    EXPECT_TRUE(grid("StrMittel")->cellText(0, 1).isEmpty());
    EXPECT_EQ(get<QLabel>("Label22")->palette().color(QPalette::WindowText), QColor(0x80, 0x80, 0x80));
}

TEST_F(SplitDial, AnotherDialTypeLeavesTheSplitVariantBehind)
{
    chooseSplitDial();
    action("analemmat1")->trigger(); // the common dial keeps the stored variant but does not use it
    EXPECT_FALSE(window->model().state.doubleAnalemmaActive);
    EXPECT_TRUE(get<QWidget>("pSplit")->isHidden());
    EXPECT_FALSE(pages()->isTabVisible(pageIndex("tsSlope")));
    EXPECT_TRUE(get<QLineEdit>("eRiseSet")->isEnabled());
    EXPECT_TRUE(get<QCheckBox>("ChBRiseSet")->isEnabled());
    EXPECT_FALSE(get<QWidget>("pErrGraph")->isHidden());
    EXPECT_EQ(grid("StrGridDat")->columnCount(), 7);
}

TEST_F(SplitDial, TheFourthMarksItemOfTheFixedGnomonDialReadsAndChoosesThreePerMonth)
{
    action("analemmat8")->trigger();
    auto* marks = get<RadioGroup>("rgAnzahl");
    QTest::mouseClick(marks->button(3), Qt::LeftButton);
    EXPECT_EQ(window->model().params.marksPerMonth, 3);
    EXPECT_EQ(marks->itemIndex(), 2);
    EXPECT_EQ(marks->button(3)->text(), ToQt(LabelRow(kDe, LabelId::ThreePerMonth)));
}

TEST_F(SplitDial, MorningAndAfternoonTablesTakeTurns)
{
    chooseSplitDial();
    showPage("tsSlope");
    GridView* morning = grid("StrGrid8b");
    GridView* afternoon = grid("StrGrid8");
    EXPECT_FALSE(morning->isHidden());
    EXPECT_TRUE(afternoon->isHidden());
    EXPECT_EQ(morning->cellText(6, 0).trimmed(), QStringLiteral("8:00"));
    EXPECT_EQ(afternoon->cellText(6, 0), QStringLiteral("12:30"));

    clickItem("rgAnzeige", 1);
    EXPECT_TRUE(morning->isHidden());
    EXPECT_FALSE(afternoon->isHidden());

    // Only the afternoon table's third column can be edited; a double click there opens the editor.
    ASSERT_GT(afternoon->rowCount(), 1);
    EXPECT_TRUE(afternoon->item(1, 2)->flags().testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(afternoon->item(1, 1)->flags().testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(morning->item(1, 2)->flags().testFlag(Qt::ItemIsEditable));
    doubleClickCell(afternoon, 1, 2);
    EXPECT_FALSE(afternoon->isHidden());
    // The cell editor has the keyboard.
    QWidget* editor = QApplication::focusWidget();
    EXPECT_TRUE(editor && editor != afternoon && afternoon->isAncestorOf(editor));
    QTest::keyClick(editor, Qt::Key_Escape);

    // Elsewhere a double click switches to the other table, and back.
    doubleClickCell(afternoon, 2, 1);
    EXPECT_FALSE(morning->isHidden());
    EXPECT_TRUE(afternoon->isHidden());
    EXPECT_EQ(get<RadioGroup>("rgAnzeige")->itemIndex(), 0);
    doubleClickCell(morning, 2, 2);
    EXPECT_FALSE(afternoon->isHidden());
    EXPECT_EQ(get<RadioGroup>("rgAnzeige")->itemIndex(), 1);
}

TEST_F(SplitDial, HoursTypedIntoTheInputTableAreCorrectedAndUsed)
{
    chooseSplitDial();
    clickItem("rgMittelwert", 0); // exact for two hours
    showPage("tsSlope");
    ASSERT_FALSE(grid("StrGrid8b")->cellText(0, 1).isEmpty());
    EXPECT_EQ(get<RadioGroup>("rgDefault")->itemIndex(), 0);

    // Entering the table empties the results and takes the hours from the table.
    get<QPushButton>("btGo2")->setFocus(Qt::TabFocusReason);
    GridView* input = grid("StrGridEin");
    input->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(get<RadioGroup>("rgDefault")->itemIndex(), 1);
    EXPECT_FALSE(window->model().state.useDefaultHours);
    EXPECT_TRUE(grid("StrGrid8b")->cellText(0, 1).isEmpty());
    EXPECT_TRUE(grid("StrGridDat")->cellText(1, 1).isEmpty());

    // Morning hours 13 and 14 are no morning: the calculation uses 9 and 11.5.
    auto type = [&](int column, int row, const char* text) {
        // The editor opens on the current cell with its text; the typed hour replaces it.
        input->setCurrentCell(row, column);
        QWidget* editor = QApplication::focusWidget();
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->selectAll();
        QTest::keyClicks(editor, QString::fromLatin1(text));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents(); // the editor hands its text over
    };
    type(1, 1, "13");
    type(1, 2, "14");
    EXPECT_EQ(window->model().grids.StrGridEin.cell(1, 2), "14");
    const int drawn = window->drawCount();
    QTest::mouseClick(get<QPushButton>("btGo2"), Qt::LeftButton);
    EXPECT_EQ(input->cellText(1, 1), QStringLiteral("  9.00"));
    EXPECT_EQ(input->cellText(1, 2), QStringLiteral(" 11.50"));
    EXPECT_FALSE(grid("StrGrid8b")->cellText(0, 1).isEmpty());
    // btGo2 leaves the drawing as it was.
    EXPECT_EQ(window->drawCount(), drawn);
    EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
}

TEST_F(SplitDial, TheMethodShowsItsHintAndOffersTheFinerSearch)
{
    chooseSplitDial();
    clickItem("rgMittelwert", 0);
    EXPECT_EQ(static_cast<int>(window->model().params.doubleAnalemmaMethod), 0);
    EXPECT_EQ(get<QLabel>("Label4")->text(), ToQt(TextRow(kDe, TextId::MethodHintFirst)));
    EXPECT_TRUE(get<QLabel>("lOptimier")->isHidden());
    EXPECT_FALSE(get<QCheckBox>("chbGenau")->isEnabled());

    clickItem("rgMittelwert", 3);
    EXPECT_EQ(get<QLabel>("Label4")->text(), ToQt(TextRow(kDe, TextId::MethodHintFirst, 3)));
    EXPECT_FALSE(get<QLabel>("lOptimier")->isHidden());
    EXPECT_TRUE(get<QCheckBox>("chbGenau")->isEnabled());
    EXPECT_EQ(window->model().grids.StrGridEin.cell(2, 0), std::string(LabelRow(kDe, LabelId::Weight)));
}

TEST_F(SplitDial, ChangingTheErrorHoursEmptiesTheLoopTables)
{
    chooseSplitDial();
    ASSERT_FALSE(grid("StrGrid8")->cellText(0, 1).isEmpty());
    get<QSpinBox>("efStart")->setValue(6);
    EXPECT_EQ(window->model().state.errorHourFrom, 6);
    EXPECT_TRUE(grid("StrGrid8")->cellText(0, 1).isEmpty());
    EXPECT_TRUE(grid("StrGrid8b")->cellText(0, 1).isEmpty());
    // The next calculation starts the morning error table at 6:00.
    QTest::mouseClick(get<QPushButton>("btGo2"), Qt::LeftButton);
    EXPECT_EQ(grid("StrGrid8b")->cellText(6, 0).trimmed(), QStringLiteral("6:00"));
}

/// Watches the waiting panel while the optimisation steps it.
class ProgressWatcher : public RecordingWindowHost {
public:
    MainWindow* window = nullptr;
    std::vector<int> values;
    std::vector<bool> panelShown;

    void progressStep() override
    {
        RecordingWindowHost::progressStep();
        values.push_back(window->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->value());
        panelShown.push_back(window->findChild<QWidget*>(QStringLiteral("pGeduld"))->isVisible());
    }
};

TEST_F(SplitDial, TheWaitingPanelIsSteppedOncePerMonthAndHalfToItsEnd)
{
    ProgressWatcher watcher;
    test::WindowTest::window.reset();
    WindowOptions o = options();
    o.host = &watcher;
    window = makeWindow(std::move(o));
    watcher.window = window.get();

    chooseSplitDial();
    EXPECT_EQ(watcher.progressBegins, 0); // method 1 needs no waiting
    clickItem("rgMittelwert", 4);
    EXPECT_EQ(watcher.progressBegins, 1);
    EXPECT_EQ(watcher.progressEnds, 1);
    ASSERT_EQ(watcher.values.size(), 24u);
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(watcher.values[static_cast<std::size_t>(i)], i + 1);
        EXPECT_TRUE(watcher.panelShown[static_cast<std::size_t>(i)]) << i;
    }
    auto* bar = get<QProgressBar>("ProgressBar1");
    EXPECT_EQ(bar->maximum(), 24);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(get<QWidget>("pGeduld")->isHidden());
    EXPECT_FALSE(grid("StrGrid8")->cellText(0, 1).isEmpty());
    window.reset(); // before the watcher goes
}

TEST_F(SplitDial, TheFigureEightPageKeepsItsDistances)
{
    chooseSplitDial();
    showPage("tsSlope");
    const QWidget* page = get<QWidget>("tsSlope");
    const QWidget* mean = grid("StrMittel");
    const QWidget* input = grid("StrGridEin");
    EXPECT_EQ(Bottom(mean), page->height() - 5);
    EXPECT_EQ(Bottom(input), mean->y() - 10);
    EXPECT_EQ(Bottom(get<QWidget>("btGo2")), Bottom(input) - 15);
    for (const char* loop : {"StrGrid8", "StrGrid8b"})
        EXPECT_EQ(Right(grid(loop)), page->width() - 5) << loop;

    // The window grows: the rules still hold.
    window->resize(window->width() - 100, window->height() - 80);
    QCoreApplication::processEvents();
    EXPECT_EQ(Bottom(mean), page->height() - 5);
    EXPECT_EQ(Right(grid("StrGrid8b")), page->width() - 5);
}

TEST_F(SplitDial, TheDatePagePlacesItsPanelsBesideTheTable)
{
    chooseSplitDial();
    showPage("TSAnaDat");
    const QWidget* page = get<QWidget>("TSAnaDat");
    const QWidget* dates = grid("StrGridDat");
    const QWidget* split = get<QWidget>("pSplit");
    const QWidget* memo = get<QWidget>("mSplit");
    EXPECT_EQ(split->x(), Right(dates) + 5);
    EXPECT_EQ(Right(split), page->width() - 10);
    EXPECT_EQ(memo->x(), 5);
    EXPECT_EQ(memo->width(), split->width() - 10);
    EXPECT_EQ(get<QWidget>("BtnTsAna")->x(), Right(dates) + 8);
    EXPECT_EQ(get<QWidget>("BtnTsAna")->y(), Bottom(split) + 10);

    // The common dial: the error panel 15 right of the narrower table, the save button 10 below it.
    action("analemmat1")->trigger();
    QCoreApplication::processEvents();
    const QWidget* errors = get<QWidget>("pErrGraph");
    ASSERT_FALSE(errors->isHidden());
    EXPECT_EQ(errors->x(), Right(dates) + 15);
    EXPECT_EQ(get<QWidget>("BtnTsAna")->x(), Right(dates) + 8);
    EXPECT_EQ(get<QWidget>("BtnTsAna")->y(), Bottom(errors) + 10);
}

TEST_F(SplitDial, APageChangeShowsTheCurrentShadowDate)
{
    window->model().state.shadowDateText = "24/12";
    showPage("tsShade");
    EXPECT_EQ(get<QLabel>("Label2")->text(), ToQt(LabelRow(kDe, LabelId::ShadowPathOn)) + QStringLiteral(" 24/12"));
    EXPECT_EQ(pages()->property("helpContext").toInt(), 46 /* the shadow-path page */);
}

} // namespace
} // namespace umbrix
