#pragma once
// The table pages: the hour marks, the shadow path, and the date marks with the rise/set error panel of
// the common dial or the explanation of the split dial beside them.

#include "core/grid.h"
#include "core/model.h"
#include "text/language.h"

#include <QWidget>

#include <optional>

class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QLabel;
class QPushButton;

namespace umbrix {

class GridView;
class ImageView;

/// "TsDat": the hour marks, their output as x/y or as distances, the save button.
class HourTablePage : public QWidget {
public:
    HourTablePage(int helpContext, const LanguageState& lang, QWidget* parent);
};

/// "tsShade": the shadow path of the chosen day and its save button.
class ShadowTablePage : public QWidget {
public:
    ShadowTablePage(int helpContext, QWidget* parent);
};

/// "TSAnaDat": the date marks, the rise/set error panel (pErrGraph) or the split dial's explanation (pSplit),
/// the save button.
class DateMarkPage : public QWidget {
public:
    /// `largeScreen`: the error graph takes its larger size.
    DateMarkPage(int helpContext, bool largeScreen, QWidget* parent);

    GridView* dates() const { return dates_; }            // StrGridDat
    QFrame* splitPanel() const { return split_; }         // pSplit
    QFrame* errorPanel() const { return errorPanel_; }    // pErrGraph
    ImageView* errorGraph() const { return errorGraph_; } // ImError
    QLineEdit* riseSetField() const { return riseSet_; }  // eRiseSet

    /// Places the table at the left, the explanation or the error panel beside it, and the save button below
    /// the panel that is shown.
    void layOut();

    /// How many columns of the date grid the table shows (the split dial's loops show more).
    void setOwnColumns(int columns);
    /// Shows the model's date grid: its own columns and, with showLeapCycle, the leap-cycle scatter columns
    /// after them (the table is then kept narrow enough to leave the panel beside it on the page).
    void showDates(const Model& model);

private:
    GridView* dates_ = nullptr;
    QFrame* split_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QFrame* errorPanel_ = nullptr;
    ImageView* errorGraph_ = nullptr;
    QLineEdit* riseSet_ = nullptr;
    QPushButton* save_ = nullptr;
    QLabel* lengthsIn_ = nullptr; // the unit of the table's lengths, below the save button
    int ownColumns_ = 0;
    bool scatterShown_ = false;
};

/// The date grid with the leap-cycle scatter columns after its first `ownColumns` columns, as the table
/// export writes them: the headers on the header row, each date mark's cells on the row of its label. None
/// without showLeapCycle or without a scatter (dial type 7, the split dial).
[[nodiscard]] std::optional<StringGrid> LeapCycleDateGrid(const Model& model, int ownColumns);

} // namespace umbrix
