#pragma once
// A string grid as the window shows it: rows x columns of text, with fixed header rows and columns.

#include <string>
#include <vector>

namespace umbrix {

/// Plain text table; cell (col, row) as the window's grids address it. Out-of-range access is ignored on
/// write and yields an empty text on read, so a computation that fills fewer rows than it counts never
/// writes outside the grid.
class StringGrid {
public:
    StringGrid() = default;
    StringGrid(int colCount, int rowCount, int fixedCols = 1, int fixedRows = 1)
    {
        resize(colCount, rowCount, fixedCols, fixedRows);
    }

    void resize(int colCount, int rowCount, int fixedCols = 1, int fixedRows = 1)
    {
        cols_ = colCount < 0 ? 0 : colCount;
        rows_ = rowCount < 0 ? 0 : rowCount;
        fixedCols_ = fixedCols;
        fixedRows_ = fixedRows;
        cells_.assign(static_cast<std::size_t>(cols_) * static_cast<std::size_t>(rows_), std::string());
    }
    void clear()
    {
        for (auto& c : cells_)
            c.clear();
    }

    int colCount() const { return cols_; }
    int rowCount() const { return rows_; }
    int fixedCols() const { return fixedCols_; }
    int fixedRows() const { return fixedRows_; }

    const std::string& cell(int col, int row) const
    {
        static const std::string kEmpty;
        return inside(col, row) ? cells_[index(col, row)] : kEmpty;
    }
    void setCell(int col, int row, std::string text)
    {
        if (inside(col, row))
            cells_[index(col, row)] = std::move(text);
    }
    /// Row texts, for exports and JSON.
    std::vector<std::string> row(int r) const
    {
        std::vector<std::string> out;
        for (int c = 0; c < cols_; ++c)
            out.push_back(cell(c, r));
        return out;
    }

private:
    bool inside(int col, int row) const { return col >= 0 && row >= 0 && col < cols_ && row < rows_; }
    std::size_t index(int col, int row) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(col);
    }

    int cols_ = 0;
    int rows_ = 0;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    std::vector<std::string> cells_;
};

} // namespace umbrix
