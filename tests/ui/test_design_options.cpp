// The Options menu's dialogs for the summer-time ring and the further settings, the planner page, and the
// leap-cycle columns of the date-mark page.

#include "core/design_settings.h"
#include "core/parameter_set.h"
#include "core/leap_cycle.h"
#include "core/reach_planner.h"
#include "export/table_export.h"
#include "ui/dst_dialog.h"
#include "ui/grid_view.h"
#include "ui/planner_page.h"
#include "ui/settings_dialog.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

namespace umbrix {
namespace {

class DesignOptions : public test::WindowTest {
protected:
    /// Opens a dialog from its menu item; the dialog found among the window's children.
    template <class Dialog> Dialog* openDialog(const char* item)
    {
        action(item)->trigger();
        QCoreApplication::processEvents();
        auto* dialog = window->findChild<Dialog*>();
        EXPECT_NE(dialog, nullptr) << item;
        if (dialog) {
            EXPECT_TRUE(dialog->isVisible());
        }
        return dialog;
    }
    /// Closes a dialog (it deletes itself) and lets the deletion happen.
    void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void chooseDialType(int type)
    {
        for (QAction* item : get<QMenu>("Aus1")->actions())
            if (item->property("dialType").toInt() == type && item->isCheckable())
                item->trigger();
        ASSERT_EQ(DialTypeNumber(window->model().params.dialType), type);
    }

    template <class T> T* in(QWidget* parent, const char* name)
    {
        T* found = parent->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    PlannerPage* planner() { return get<PlannerPage>("tsPlanner"); }
};

TEST_F(DesignOptions, SummerTimeDialogAppliesOnOkRefusesABadValueWholeAndCancelChangesNothing)
{
    const DstOptions before = window->model().params.dst;
    DstDialog* dialog = openDialog<DstDialog>("Sommerzeit1");
    ASSERT_NE(dialog, nullptr);
    // A bad ring scale refuses the whole dialog: the offset chosen with it is not applied either.
    in<QComboBox>(dialog, "cbDstOffset")->setCurrentText(QStringLiteral("1.5"));
    in<QLineEdit>(dialog, "eDstRingScale")->setText(QStringLiteral("0.99"));
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_FALSE(host.messages.empty());
    // The message names the value by its caption, never by the parameter's internal name.
    EXPECT_EQ(host.messages.back().text.find("dstRingScale"), std::string::npos) << host.messages.back().text;
    EXPECT_NE(host.messages.back().text.find("0.99"), std::string::npos) << host.messages.back().text;
    EXPECT_EQ(window->model().params.dst.offsetHours, before.offsetHours);
    EXPECT_EQ(window->model().params.dst.ringScale, before.ringScale);

    // Corrected, OK applies every value and the dial is calculated anew.
    const int draws = window->drawCount();
    in<QLineEdit>(dialog, "eDstRingScale")->setText(QStringLiteral("0,7"));
    in<QLineEdit>(dialog, "eDstStart")->setText(QStringLiteral("01/04"));
    in<QRadioButton>(dialog, "rbDstRing2")->setChecked(true);
    dialog->accept();
    settle();
    const DstOptions& dst = window->model().params.dst;
    EXPECT_EQ(static_cast<int>(dst.ring), 2);
    EXPECT_EQ(dst.offsetHours, 1.5);
    EXPECT_EQ(dst.ringScale, 0.7);
    ASSERT_TRUE(dst.start.has_value());
    EXPECT_EQ(dst.start->day, 1);
    EXPECT_EQ(dst.start->month, 4);
    EXPECT_FALSE(dst.end.has_value()); // left empty: the European rule
    EXPECT_GT(window->drawCount(), draws);
    EXPECT_EQ(window->findChild<DstDialog*>(), nullptr);

    // Cancel keeps the model as it was.
    dialog = openDialog<DstDialog>("Sommerzeit1");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(in<QLineEdit>(dialog, "eDstRingScale")->text(), QStringLiteral("0.7"));
    in<QLineEdit>(dialog, "eDstRingScale")->setText(QStringLiteral("0.6"));
    in<QRadioButton>(dialog, "rbDstRing0")->setChecked(true);
    dialog->reject();
    settle();
    EXPECT_EQ(window->model().params.dst.ringScale, 0.7);
    EXPECT_EQ(static_cast<int>(window->model().params.dst.ring), 2);
}

// The summer-time rule: the one in force shown, "none" taking the rings away, applied as --set
// summerTimeRule=... applies it, undone as one step, and shown again after a file is opened.
TEST_F(DesignOptions, TheSummerTimeRuleIsChosenUndoneAndComesBackWithAFile)
{
    const auto ruleShown = [&](DstDialog* dialog) {
        return in<QComboBox>(dialog, "cbSummerTimeRule")->currentData().toString();
    };
    const auto chooseRule = [&](DstDialog* dialog, const char* rule) {
        auto* list = in<QComboBox>(dialog, "cbSummerTimeRule");
        const int index = list->findData(QString::fromLatin1(rule));
        ASSERT_GE(index, 0) << rule;
        list->setCurrentIndex(index);
    };
    // Without a zone the EU rule is in force; ring 1 goes with it.
    DstDialog* dialog = openDialog<DstDialog>("Sommerzeit1");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ruleShown(dialog), QStringLiteral("eu"));
    EXPECT_EQ(in<QComboBox>(dialog, "cbSummerTimeRule")->count(), 4);
    EXPECT_EQ(in<QComboBox>(dialog, "cbSummerTimeRule")->currentText(), QStringLiteral("Sommerzeit nach EU-Regel"));
    in<QRadioButton>(dialog, "rbDstRing1")->setChecked(true);
    dialog->accept();
    settle();
    ASSERT_EQ(window->model().params.dst.ring, DstRingKind::SecondLabels);

    // "none" disables the rings with the reason and gives up the ring chosen.
    dialog = openDialog<DstDialog>("Sommerzeit1");
    ASSERT_NE(dialog, nullptr);
    chooseRule(dialog, "none");
    for (const char* ring : {"rbDstRing1", "rbDstRing2"}) {
        EXPECT_FALSE(in<QRadioButton>(dialog, ring)->isEnabled()) << ring;
        EXPECT_FALSE(in<QRadioButton>(dialog, ring)->toolTip().isEmpty()) << ring;
    }
    EXPECT_TRUE(in<QRadioButton>(dialog, "rbDstRing0")->isChecked());
    // Back to the EU rule, the rings come back.
    chooseRule(dialog, "eu");
    EXPECT_TRUE(in<QRadioButton>(dialog, "rbDstRing1")->isEnabled());
    EXPECT_TRUE(in<QRadioButton>(dialog, "rbDstRing1")->toolTip().isEmpty());
    chooseRule(dialog, "none");
    const int steps = window->undoStack().count();
    dialog->accept();
    settle();
    const Model& model = window->model();
    // The same state --set summerTimeRule=none --set dstRing=0 gives.
    Model set = window->model();
    set.params.dst.rule.reset();
    set.params.dst.ring = DstRingKind::SecondLabels;
    ASSERT_EQ(SetParameters(set, {{"summerTimeRule", "none"}, {"dstRing", "0"}}).status, SetStatus::Accepted);
    EXPECT_EQ(model.params.dst.rule, set.params.dst.rule);
    EXPECT_EQ(model.params.dst.ring, DstRingKind::None);
    EXPECT_EQ(std::get<std::string>(FindParameter("summerTimeRule")->read(model)), "none");
    EXPECT_EQ(window->undoStack().count(), steps + 1);

    // A typed date chooses the dates given.
    dialog = openDialog<DstDialog>("Sommerzeit1");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ruleShown(dialog), QStringLiteral("none"));
    QTest::keyClicks(in<QLineEdit>(dialog, "eDstStart"), QStringLiteral("01/05"));
    EXPECT_EQ(ruleShown(dialog), QStringLiteral("custom"));
    dialog->reject();
    settle();

    // Saved with the rule, undone to the EU rule, the file brings it back.
    const std::string path = FromQt(folder.filePath(QStringLiteral("no-summer.ini")));
    window->setFileChooser([path](const FileDialogRequest&) { return path; });
    action("Datenspeichern1")->trigger();
    window->undoStack().undo();
    EXPECT_FALSE(window->model().params.dst.rule.has_value());
    EXPECT_EQ(window->model().params.dst.ring, DstRingKind::SecondLabels);
    ASSERT_TRUE(window->openConfiguration(path));
    dialog = openDialog<DstDialog>("Sommerzeit1");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ruleShown(dialog), QStringLiteral("none"));
    EXPECT_FALSE(in<QRadioButton>(dialog, "rbDstRing1")->isEnabled());
    dialog->reject();
    settle();
}

TEST_F(DesignOptions, TheInnerRingCannotBeChosenForDialsWithoutRoomForIt)
{
    for (const int type : {0, 3, 6}) {
        chooseDialType(type);
        DstDialog* dialog = openDialog<DstDialog>("Sommerzeit1");
        ASSERT_NE(dialog, nullptr);
        auto* inner = in<QRadioButton>(dialog, "rbDstRing2");
        EXPECT_EQ(inner->isEnabled(), type != 3) << type;
        EXPECT_EQ(inner->toolTip().isEmpty(), type != 3) << type;
        EXPECT_TRUE(in<QRadioButton>(dialog, "rbDstRing1")->isEnabled());
        dialog->reject();
        settle();
    }
}

TEST_F(DesignOptions, FurtherSettingsApplyTheDeclinationAndTheLeapCycleSwitches)
{
    auto* dialog = openDialog<SettingsDialog>("WeitereEinstellungen1");
    ASSERT_NE(dialog, nullptr);
    in<QLineEdit>(dialog, "eMagneticDeclination")->setText(QStringLiteral("200"));
    in<QCheckBox>(dialog, "chbLeapCycleMean")->setChecked(true);
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(window->model().params.leapCycleMean, 0);
    in<QLineEdit>(dialog, "eMagneticDeclination")->setText(QStringLiteral("-2,5"));
    dialog->accept();
    settle();
    EXPECT_EQ(window->model().params.magneticDeclination, -2.5);
    EXPECT_EQ(window->model().params.leapCycleMean, 1);
    EXPECT_EQ(window->model().params.showLeapCycle, 0);
}

// The hour numbers of the maker's outputs: the screen's rule and a larger numeral, a size out of range kept
// out whole.
TEST_F(DesignOptions, FurtherSettingsChooseTheHourNumbersOfTheMakersOutputs)
{
    auto* dialog = openDialog<SettingsDialog>("WeitereEinstellungen1");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(in<QCheckBox>(dialog, "chbEveryHourNumbered")->isChecked());
    in<QCheckBox>(dialog, "chbEveryHourNumbered")->setChecked(false);
    in<QLineEdit>(dialog, "eHourLabelSize")->setText(QStringLiteral("0.5"));
    dialog->accept();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(window->model().params.hourLabelsScreenRule);
    in<QLineEdit>(dialog, "eHourLabelSize")->setText(QStringLiteral("0.1"));
    dialog->accept();
    settle();
    EXPECT_TRUE(window->model().params.hourLabelsScreenRule);
    EXPECT_EQ(window->model().params.hourLabelSize, 0.1);
}

// The date-mark page shows the scatter columns the table export writes, and without the switch exactly what
// it showed before.
TEST_F(DesignOptions, TheDatePageShowsTheLeapCycleColumnsOnlyWithTheSwitch)
{
    auto* dates = get<GridView>("StrGridDat");
    const auto cells = [&] {
        std::vector<QStringList> rows;
        for (int r = 0; r < dates->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < dates->columnCount(); ++c)
                row << dates->cellText(c, r);
            rows.push_back(row);
        }
        return rows;
    };
    const std::vector<QStringList> plain = cells();
    ASSERT_GT(plain.size(), 2u);

    auto* dialog = openDialog<SettingsDialog>("WeitereEinstellungen1");
    ASSERT_NE(dialog, nullptr);
    in<QCheckBox>(dialog, "chbShowLeapCycle")->setChecked(true);
    dialog->accept();
    settle();
    const Model& model = window->model();
    const std::vector<std::string> headers =
        LeapCycleColumnHeaders(model.params.year, model.state.language, model.params.lengthUnit);
    const int own = static_cast<int>(plain[0].size());
    ASSERT_EQ(dates->columnCount(), own + static_cast<int>(headers.size()));
    // Each line of the export ends with the cells the page shows after its own columns.
    const std::vector<std::string> lines = BuildTableExport(model, {.page = TablePage::DateMarks});
    const std::size_t first = lines.size() - static_cast<std::size_t>(dates->rowCount());
    for (int r = 0; r < 3; ++r) {
        std::string tail;
        for (int c = own; c < dates->columnCount(); ++c)
            tail += FromQt(dates->cellText(c, r)) + "; ";
        EXPECT_FALSE(dates->cellText(own, r).isEmpty()) << r;
        const std::string& line = lines[first + static_cast<std::size_t>(r)];
        ASSERT_GE(line.size(), tail.size());
        EXPECT_EQ(line.substr(line.size() - tail.size()), tail) << r;
    }
    for (int r = 0; r < dates->rowCount(); ++r)
        for (int c = 0; c < own; ++c)
            EXPECT_EQ(dates->cellText(c, r), plain[static_cast<std::size_t>(r)][c]);

    dialog = openDialog<SettingsDialog>("WeitereEinstellungen1");
    ASSERT_NE(dialog, nullptr);
    in<QCheckBox>(dialog, "chbShowLeapCycle")->setChecked(false);
    dialog->accept();
    settle();
    EXPECT_EQ(cells(), plain);
}

TEST_F(DesignOptions, ThePlannerIsComputedOnlyWhileItsPageIsShown)
{
    EXPECT_EQ(planner()->computeCount(), 0);
    EXPECT_TRUE(planner()->stale());
    showPage("tsPlanner");
    EXPECT_EQ(planner()->computeCount(), 1);
    EXPECT_FALSE(planner()->stale());
    showPage("TSAnaDat");
    get<QPushButton>("BitBtn1")->click(); // a calculation while another page is shown
    EXPECT_TRUE(planner()->stale());
    EXPECT_EQ(planner()->computeCount(), 1);
    showPage("tsPlanner");
    EXPECT_EQ(planner()->computeCount(), 2);
    // A dial type it does not apply to: the page says so instead.
    chooseDialType(3);
    EXPECT_TRUE(get<QLabel>("lPlanNotForType")->isVisible());
    EXPECT_FALSE(get<QWidget>("pPlanner")->isVisible());
}

TEST_F(DesignOptions, PlannerApplyTakesTheRecommendationOrIsDisabledWithTheCentimetreHint)
{
    showPage("tsPlanner");
    Model& model = window->model();
    ReachMap reach = ComputeReachMap(model.params, model.state, model.results, AnalysisSettingsOf(model).reach);
    ASSERT_TRUE(reach.recommendedSemiMajorAxis.has_value());
    ASSERT_FALSE(reach.recommendationRefused);
    ASSERT_NE(*reach.recommendedSemiMajorAxis, model.params.semiMajorAxis);
    auto* apply = get<QPushButton>("btPlanApply");
    EXPECT_TRUE(apply->isEnabled());
    EXPECT_FALSE(get<QLabel>("lPlanUseCm")->isVisible());
    EXPECT_EQ(get<QLabel>("lPlanBodyUnit")->text(), QStringLiteral("m"));
    apply->click();
    EXPECT_NEAR(model.params.semiMajorAxis, *reach.recommendedSemiMajorAxis, 1e-12);
    EXPECT_EQ(get<QLineEdit>("eHalb")->text().trimmed().toDouble(), model.params.semiMajorAxis);

    // A refused coverage leaves the model and names the parameter.
    host.messages.clear();
    typeAndLeave("ePlanCoverage", "1.5");
    EXPECT_EQ(model.params.reachCoverage, 0.9);
    ASSERT_FALSE(host.messages.empty());

    // A child's height on a metre dial: the recommendation falls below the semi-major axis check.
    typeAndLeave("ePlanBodyHeight", "0.06");
    ASSERT_EQ(model.params.bodyHeight, 0.06);
    reach = ComputeReachMap(model.params, model.state, model.results, AnalysisSettingsOf(model).reach);
    ASSERT_TRUE(reach.recommendationRefused);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_TRUE(get<QLabel>("lPlanUseCm")->isVisible());
    const double axis = model.params.semiMajorAxis;
    apply->click();
    EXPECT_EQ(model.params.semiMajorAxis, axis);
}

} // namespace
} // namespace umbrix
