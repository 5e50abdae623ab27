#include "ui/grid_view.h"

#include "ui/qt_text.h"

#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace umbrix {

namespace {

constexpr int kCellPaddingPx = 10; // room beside the text of a cell

} // namespace

GridView::GridView(const QString& name, int tag, QWidget* parent) : QTableWidget(parent)
{
    setObjectName(name);
    setProperty("tag", tag);
    horizontalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1); // the separator columns are narrower than the style's least
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFont(FixedPitchFont(font().pointSize()));
}

void GridView::showGrid(const StringGrid& grid)
{
    const bool editable = editTriggers() != QAbstractItemView::NoEditTriggers;
    fixedCols_ = grid.fixedCols();
    fixedRows_ = grid.fixedRows();
    setUpdatesEnabled(false);
    const int columns = shownColumns_ > 0 ? std::min(shownColumns_, grid.colCount()) : grid.colCount();
    setColumnCount(columns);
    setRowCount(grid.rowCount());
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            QTableWidgetItem* item = this->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                setItem(r, c, item);
            }
            item->setText(ToQt(grid.cell(c, r)));
            const bool fixed = r < fixedRows_ || c < fixedCols_;
            // The yellow header cells carry black text whatever the theme; the others follow the palette.
            item->setBackground(fixed ? QBrush(kFixedCellYellow) : QBrush());
            item->setForeground(fixed ? QBrush(Qt::black) : QBrush());
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (editable && !fixed && (!columnEditable_ || columnEditable_(c)))
                flags |= Qt::ItemIsEditable;
            item->setFlags(flags);
        }
    }
    applyColumnWidths();
    setUpdatesEnabled(true);
}

void GridView::writeEditsTo(StringGrid& grid)
{
    // showGrid writes the model's own texts, so the copy back changes nothing then.
    connect(this, &QTableWidget::itemChanged, this, [this, &grid](QTableWidgetItem* item) {
        if (item->row() < grid.rowCount() && item->column() < grid.colCount())
            grid.setCell(item->column(), item->row(), FromQt(item->text()));
    });
}

void GridView::setDefaultColumnWidth(int width)
{
    defaultWidth_ = std::max(width, 8);
    horizontalHeader()->setDefaultSectionSize(defaultWidth_);
    applyColumnWidths();
}

void GridView::setColumnWidthFixed(int column, int width)
{
    if (width <= 0) {
        std::erase_if(fixedWidths_, [column](const auto& fixed) { return fixed.first == column; });
        applyColumnWidths();
        return;
    }
    for (auto& [c, w] : fixedWidths_)
        if (c == column) {
            w = width;
            applyColumnWidths();
            return;
        }
    fixedWidths_.emplace_back(column, width);
    applyColumnWidths();
}

QString GridView::cellText(int column, int row) const
{
    const QTableWidgetItem* it = item(row, column);
    return it ? it->text() : QString();
}

void GridView::applyColumnWidths()
{
    // A column is never narrower than its texts: the default width is where the layout wants it, the
    // contents decide where the layout could not yet know the table's width.
    const QFontMetrics metrics(font());
    for (int c = 0; c < columnCount(); ++c) {
        int content = 0;
        for (int r = 0; r < rowCount(); ++r)
            if (const QTableWidgetItem* it = item(r, c))
                content = std::max(content, metrics.horizontalAdvance(it->text()));
        setColumnWidth(c, std::max(defaultWidth_, content + kCellPaddingPx));
    }
    for (const auto& [c, w] : fixedWidths_)
        if (c < columnCount())
            setColumnWidth(c, w);
    if (widthFollowsColumns_) {
        int total = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
        for (int c = 0; c < columnCount(); ++c)
            total += columnWidth(c);
        setFixedWidth(total);
    }
}

} // namespace umbrix
