// Points of the tables in the drawing, and the zoom about the mouse pointer.

#include "graphics/view_fit.h"
#include "graphics/view_point.h"
#include "ui/grid_view.h"
#include "ui/image_view.h"
#include "ui/main_window.h"
#include "ui/own_labels.h"
#include "ui/qt_text.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QTabWidget>

namespace umbrix {

namespace {

constexpr int kMarkRadiusPx = 9; // the ring around a point shown from a table
constexpr int kMarkCrossPx = 4;  // half the cross at its centre
constexpr qreal kMarkPenPx = 2.0;
const QColor kMarkColour(200, 0, 200); // magenta: no line of the construction has this colour

} // namespace

void MainWindow::connectPointTables()
{
    const std::pair<GridView*, PointTable> doubleClickTables[] = {
        {control<GridView>("StrGridStd"), PointTable::Hours},
        {control<GridView>("StrGridShad"), PointTable::Shadow},
        {StrGridDat, PointTable::Dates},
    };
    for (const auto& [grid, table] : doubleClickTables)
        connect(grid, &QTableWidget::cellDoubleClicked, this,
                [this, table](int row, int column) { showListedPoint(table, column, row); });

    // The loop tables keep their double click (it switches the loop shown); the point is in their menu,
    // above the window's own items.
    loopMenu_ = new QMenu(this);
    loopMenu_->setObjectName(QStringLiteral("PopupLoops"));
    auto* show = new QAction(loopMenu_);
    show->setObjectName(QStringLiteral("ShowInDrawing1"));
    SetOwnText(*show, OwnText::ShowInDrawing);
    show->setText(ToQt(OwnTextOf(model_.state.language, OwnText::ShowInDrawing)));
    loopMenu_->addAction(show);
    loopMenu_->addSeparator();
    loopMenu_->addActions(PopupAlem->actions());
    connect(show, &QAction::triggered, this, [this] {
        showListedPoint(static_cast<PointTable>(loopMenu_->property("pointTable").toInt()),
                        loopMenu_->property("column").toInt(), loopMenu_->property("row").toInt());
    });
    for (const auto& [grid, table] :
         {std::pair{StrGrid8b, PointTable::MorningLoop}, std::pair{StrGrid8, PointTable::AfternoonLoop}}) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this, [this, grid, table](const QPoint& pos) {
            const QModelIndex cell = grid->indexAt(pos);
            loopMenu_->setProperty("pointTable", static_cast<int>(table));
            loopMenu_->setProperty("column", cell.column());
            loopMenu_->setProperty("row", cell.row());
            loopMenu_->actions().front()->setEnabled(
                ListedPointAt(model_, table, cell.column(), cell.row()).has_value());
            loopMenu_->popup(grid->viewport()->mapToGlobal(pos));
        });
    }
    connect(Image1, &ImageView::wheelZoom, this, &MainWindow::zoomAtPointer);
}

void MainWindow::showListedPoint(PointTable table, int column, int row)
{
    if (drawingBlanked_)
        return;
    const std::optional<ListedPoint> listed = ListedPointAt(model_, table, column, row);
    if (!listed)
        return;
    LayoutWindow();
    const std::optional<PixelPoint> pixel = ListedPointPixel(model_, view_, *listed, Image1->width(), Image1->height());
    if (!pixel)
        return;
    marked_ = *listed;
    (void)CentreOnPixel(view_, *pixel, Image1->width(), Image1->height());
    PgCtrl->setCurrentWidget(TSGrafik);
    drawConstruction();
}

void MainWindow::zoomAtPointer(QPointF pixel, bool zoomIn)
{
    if (drawingBlanked_)
        return;
    const FitFrame frame = ScreenFitFrame(model_, Image1->width(), Image1->height());
    if (ZoomAtPixel(view_, zoomIn, frame, pixel.x(), pixel.y()))
        drawConstruction();
}

void MainWindow::drawPointMark(QImage& canvas) const
{
    if (!marked_)
        return;
    const std::optional<PixelPoint> pixel =
        ListedPointPixel(model_, view_, *marked_, Image1->width(), Image1->height());
    if (!pixel)
        return;
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kMarkColour, kMarkPenPx));
    painter.setBrush(Qt::NoBrush);
    const QPointF centre(pixel->x, pixel->y);
    painter.drawEllipse(centre, kMarkRadiusPx, kMarkRadiusPx);
    painter.drawLine(centre - QPointF(kMarkCrossPx, 0), centre + QPointF(kMarkCrossPx, 0));
    painter.drawLine(centre - QPointF(0, kMarkCrossPx), centre + QPointF(0, kMarkCrossPx));
}

} // namespace umbrix
