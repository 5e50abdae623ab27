#include "ui/figure_eight_page.h"

#include "core/split_dial_controls.h"
#include "ui/grid_view.h"
#include "ui/radio_group.h"
#include "ui/widgets.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace umbrix {

namespace {

constexpr int kPageMarginPx = 5;      // tables and panels keep this distance from the page's edges
constexpr int kSeparatorColumnPx = 8; // the narrow separator column of the loop tables
constexpr int kInputColumnPx = 360;   // the input table and the statistics below it
constexpr int kInputFixedColumnPx = 24;
constexpr int kGapPx = 10;

/// The height of a table that shows all its rows without scrolling.
int FullHeight(const GridView& grid)
{
    return grid.rowCount() * grid.verticalHeader()->defaultSectionSize() + 2 * grid.frameWidth() + 2;
}

} // namespace

FigureEightPage::FigureEightPage(int helpContext, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("tsSlope"));
    setProperty("tag", 17);
    setProperty("helpContext", helpContext);
    title_ = MakeLabel(this, "Label12", 125);
    input_ = new GridView(QStringLiteral("StrGridEin"), 0, this);
    input_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    input_->setColumnWidthFixed(0, kInputFixedColumnPx);
    defaults_ = new RadioGroup(QStringLiteral("rgDefault"), 70, 1, this);
    go_ = MakeButton(this, "btGo2", 0, "  Go ..");
    statistics_ = new GridView(QStringLiteral("StrMittel"), 30, this);
    statistics_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    statistics_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    shownLoops_ = new RadioGroup(QStringLiteral("rgAnzeige"), 60, 2, this);

    afternoon_ = new GridView(QStringLiteral("StrGrid8"), 0, this);
    afternoon_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    afternoon_->setColumnEditable(StrGrid8CellEditable);
    morning_ = new GridView(QStringLiteral("StrGrid8b"), 0, this);
    for (GridView* loop : {afternoon_, morning_})
        loop->setColumnWidthFixed(3, kSeparatorColumnPx);
    afternoon_->hide();
}

void FigureEightPage::layOut()
{
    const QSize page = size();
    title_->adjustSize();
    title_->move(kPageMarginPx, kPageMarginPx);
    const int top = title_->y() + title_->height() + 4;

    // The statistics 5 above the bottom of the page, the input table down to 10 above them.
    const int meanHeight = FullHeight(*statistics_);
    statistics_->setGeometry(kPageMarginPx, page.height() - kPageMarginPx - meanHeight, kInputColumnPx, meanHeight);
    const int meanWidth = statistics_->viewport()->width();
    statistics_->setColumnWidthFixed(0, static_cast<int>(std::lround(0.6 * meanWidth)));
    statistics_->setColumnWidthFixed(1, meanWidth / 5);
    statistics_->setColumnWidthFixed(2, meanWidth - static_cast<int>(std::lround(0.6 * meanWidth)) - meanWidth / 5);
    input_->setGeometry(kPageMarginPx, top, kInputColumnPx, std::max(statistics_->y() - kGapPx - top, 60));
    const int inputWidth = input_->viewport()->width() - kInputFixedColumnPx;
    input_->setDefaultColumnWidth(std::max(inputWidth / 4, 30));

    // The choice of default or table hours beside the input table, btGo2 15 above its bottom.
    defaults_->adjustSize();
    go_->adjustSize();
    const int middle = input_->x() + input_->width() + kGapPx;
    defaults_->move(middle, top);
    go_->move(middle, input_->y() + input_->height() - 15 - go_->height());

    // The loop tables from the morning/afternoon choice down to 5 above the bottom, 5 before the right edge.
    shownLoops_->adjustSize();
    const int right = middle + std::max(defaults_->width(), go_->width()) + kGapPx;
    shownLoops_->move(right, kPageMarginPx);
    const int loopTop = shownLoops_->y() + shownLoops_->height() + kPageMarginPx;
    for (GridView* loop : {afternoon_, morning_})
        loop->setGeometry(right, loopTop, std::max(page.width() - kPageMarginPx - right, 100),
                          std::max(page.height() - kPageMarginPx - loopTop, 60));
}

} // namespace umbrix
