// The split dial for mean time in the window: the two variants of the date-mark page (the ordinary date
// scale, or the two figure-eight loops with their explanation), the figure-eight page with its input table,
// result tables and statistics, and the handlers of their controls.

#include "core/split_dial_controls.h"
#include "ui/figure_eight_page.h"
#include "ui/grid_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/table_pages.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTabWidget>

#include <algorithm>
#include <cmath>

namespace umbrix {

namespace {

constexpr int kPageMarginPx = 5;        // tables and panels keep this distance from the page's edges
constexpr int kSeparatorColumnPx = 8;   // the narrow separator columns of the date table
constexpr int kDateColumnsSplit = 9;    // morning columns 0-2 and 4-5, afternoon columns 7-8
constexpr int kDateColumnsAnalemma = 7; // the date scale: column 3 a separator
constexpr int kGapPx = 10;

} // namespace

// --- building -------------------------------------------------------------------------------------------

void MainWindow::connectSlopePage()
{
    StrGridEin = slopePage_->inputGrid();
    StrMittel = slopePage_->statistics();
    StrGrid8 = slopePage_->afternoonLoops();
    StrGrid8b = slopePage_->morningLoops();
    StrGridEin->writeEditsTo(model_.grids.StrGridEin);
    StrGrid8->writeEditsTo(model_.grids.StrGrid8);
    for (GridView* loop : {StrGrid8, StrGrid8b}) {
        connect(loop, &QTableWidget::cellDoubleClicked, this, [this, loop](int row, int column) {
            // A double click that opens the cell editor does not switch the table.
            const QTableWidgetItem* cell = loop->item(row, column);
            if (cell && cell->flags().testFlag(Qt::ItemIsEditable))
                return;
            loopGridDoubleClicked(column);
        });
    }
    connect(slopePage_->loopChoice(), &RadioGroup::itemClicked, this, &MainWindow::rgAnzeigeClicked);
    connect(slopePage_->hoursChoice(), &RadioGroup::itemClicked, this, &MainWindow::rgDefaultClicked);
    connect(slopePage_->calculateButton(), &QPushButton::clicked, this,
            [this] { calculateClicked(RecalcSource::btGo2); });
    // Entering the input table: focus arriving from another control of the window (not the window being
    // activated again, and not the table's own cell editor handing the focus back).
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        auto inside = [this](const QWidget* w) { return w && (w == StrGridEin || StrGridEin->isAncestorOf(w)); };
        if (old && inside(now) && !inside(old))
            StrGridEinEnter();
    });
    tsSlope->installEventFilter(this);
}

// --- layout ---------------------------------------------------------------------------------------------

// --- variants -------------------------------------------------------------------------------------------

void MainWindow::applySplitVariant()
{
    applyControlStates(rgTypClick(model_, static_cast<int>(model_.params.marksMode) - 1, false));
    enableSplitInputs();
    showDateColumns();
    StrMittel->showGrid(model_.grids.StrMittel);
}

void MainWindow::enableSplitInputs()
{
    // The method and the error-table hours belong to the split dial as its hour table does: usable as soon as
    // the variant is chosen, not only after the parameters were shown again.
    for (const char* name : {"rgMittelwert", "efStart", "efEnd"})
        control<QWidget>(name)->setEnabled(model_.state.doubleAnalemmaActive);
}

void MainWindow::showDateColumns()
{
    const bool split = model_.state.doubleAnalemmaActive;
    datePage_->setOwnColumns(split ? kDateColumnsSplit : kDateColumnsAnalemma);
    StrGridDat->setColumnWidthFixed(6, split ? kSeparatorColumnPx : 0);
    datePage_->showDates(model_);
    datePage_->layOut();
}

// --- handlers -------------------------------------------------------------------------------------------

void MainWindow::marksModeClicked(int item)
{
    applyControlStates(rgTypClick(model_, item, true));
    enableSplitInputs();
    showDateColumns();
    const Recalculation r = OnMarksModeChanged(model_, *host_, *redraw_, item);
    if (r.ran)
        refreshAfterCalculation();
}

void MainWindow::methodClicked(int item)
{
    applyControlStates(rgMittelwertClick(model_, item));
    if (OnDoubleAnalemmaMethodChanged(model_, *host_, *redraw_, item, true).ran)
        refreshAfterCalculation();
}

void MainWindow::fineSearchClicked(bool checked)
{
    applyControlStates(chbGenauClick(model_, checked));
    if (OnFineSearchClicked(model_, *host_, *redraw_, checked).ran)
        refreshAfterCalculation();
}

void MainWindow::errorHoursChanged()
{
    applyControlStates(efEndChange(model_, control<QSpinBox>("efStart")->value(), control<QSpinBox>("efEnd")->value()));
    StrGrid8->showGrid(model_.grids.StrGrid8);
    StrGrid8b->showGrid(model_.grids.StrGrid8b);
}

void MainWindow::rgAnzeigeClicked(int item)
{
    applyControlStates(rgAnzeigeClick(item));
}

void MainWindow::loopGridDoubleClicked(int /*column*/)
{
    applyControlStates(LoopGridDblClick(StrGrid8->isHidden() ? 0 : 1));
}

void MainWindow::StrGridEinEnter()
{
    applyControlStates(umbrix::StrGridEinEnter(model_));
    StrGrid8->showGrid(model_.grids.StrGrid8);
    StrGrid8b->showGrid(model_.grids.StrGrid8b);
    datePage_->showDates(model_);
}

void MainWindow::rgDefaultClicked(int item)
{
    applyControlStates(rgDefaultClick(model_, item));
}

} // namespace umbrix
