#pragma once
// A string grid of a page: mirrors a StringGrid of the model, its fixed header cells painted yellow.

#include "core/grid.h"

#include <QTableWidget>

#include <functional>

namespace umbrix {

class GridView : public QTableWidget {
    Q_OBJECT
public:
    GridView(const QString& name, int tag, QWidget* parent);

    /// Copies every cell of `grid` (rows, columns and texts); fixed rows and columns are yellow and
    /// cannot be edited.
    void showGrid(const StringGrid& grid);
    /// Keeps `grid` up to date with every cell the user edits (the cell editor writes into the model).
    void writeEditsTo(StringGrid& grid);

    /// Shows only the first `columns` columns of the grids given to showGrid (0: all of them).
    void setShownColumns(int columns) { shownColumns_ = columns; }
    /// Which columns the cell editor may open in (by default every column that is not fixed, when the
    /// grid has edit triggers).
    void setColumnEditable(std::function<bool(int column)> editable) { columnEditable_ = std::move(editable); }

    /// Width given to every column that has no width of its own.
    void setDefaultColumnWidth(int width);
    /// A column with its own width (the narrow separator columns); a width of 0 or less gives the column back
    /// its default width.
    void setColumnWidthFixed(int column, int width);
    int defaultColumnWidth() const { return defaultWidth_; }
    /// The table is as wide as its columns (the controls beside it move up to it).
    void setWidthFollowsColumns(bool on) { widthFollowsColumns_ = on; }

    /// Cell text as shown, for tests and exports.
    QString cellText(int column, int row) const;

private:
    void applyColumnWidths();

    int defaultWidth_ = 64;
    std::vector<std::pair<int, int>> fixedWidths_;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    bool widthFollowsColumns_ = false;
    int shownColumns_ = 0;
    std::function<bool(int)> columnEditable_;
};

} // namespace umbrix
