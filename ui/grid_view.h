#pragma once
// A string grid of a page: mirrors a StringGrid of the model, its fixed header cells painted yellow.

#include "core/grid.h"

#include <QTableWidget>

namespace umbrix {

class GridView : public QTableWidget {
    Q_OBJECT
public:
    GridView(const QString& name, int tag, QWidget* parent);

    /// Copies every cell of `grid` (rows, columns and texts); fixed rows and columns are yellow and
    /// cannot be edited.
    void showGrid(const StringGrid& grid);
    /// Copies the texts back, for a grid the user edits.
    void readGrid(StringGrid& grid) const;

    /// Width given to every column that has no width of its own.
    void setDefaultColumnWidth(int width);
    /// A column with its own width (the narrow separator columns).
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
};

} // namespace umbrix
