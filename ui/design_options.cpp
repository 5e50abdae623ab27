// The Options menu's dialogs for the design's further settings (summer-time ring, magnetic declination,
// leap cycle) and the planner page: they set rows of the parameter table, and the window recalculates.

#include "core/driver.h"
#include "core/input_panel.h"
#include "ui/dst_dialog.h"
#include "ui/main_window.h"
#include "ui/own_labels.h"
#include "ui/planner_page.h"
#include "ui/qt_text.h"
#include "ui/settings_dialog.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>

namespace umbrix {

namespace {

/// Opens the dialog window-modal and lets it delete itself when closed.
void OpenDialog(QDialog* dialog)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

} // namespace

void MainWindow::buildPlannerPage()
{
    // The host is looked up when a message is shown: the window sets it up after its pages.
    plannerPage_ = new PlannerPage(
        model_, [this]() -> Host& { return *host_; }, [this] { recalculateAfterOption(); }, PgCtrl);
    SetOwnText(*plannerPage_, OwnText::PlannerPage); // the tab's title, relabelled with the language
    PgCtrl->addTab(plannerPage_, ToQt(OwnTextOf(model_.state.language, OwnText::PlannerPage)));
}

void MainWindow::buildOptionDialogItems(QMenu& options)
{
    const auto item = [&](const char* name, OwnText text) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        SetOwnText(*action, text);
        action->setText(ToQt(OwnTextOf(model_.state.language, text)));
        options.addAction(action);
        return action;
    };
    connect(item("Sommerzeit1", OwnText::DstDialogItem), &QAction::triggered, this, [this] {
        OpenDialog(new DstDialog(
            model_, *host_, [this] { recalculateAfterOption(); }, this));
    });
    connect(item("WeitereEinstellungen1", OwnText::SettingsDialogItem), &QAction::triggered, this, [this] {
        OpenDialog(new SettingsDialog(
            model_, *host_, [this] { recalculateAfterOption(); }, this));
    });
}

void MainWindow::recalculateAfterOption()
{
    applyControlStates(ShowParameters(model_));
    (void)Recalculate(model_, *host_, RecalcSource::None, *redraw_);
    refreshAfterCalculation();
}

} // namespace umbrix
