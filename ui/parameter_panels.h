#pragma once
// The two input panels below the page control: the parameters of every dial, and the settings of the split
// dial for mean time. They hold the controls; the window connects them to its handlers.

#include "core/fields.h"

#include <QFrame>

#include <utility>
#include <vector>

class QLineEdit;

namespace umbrix {

/// A numeric input field of the panels: right-aligned, of the panels' field width.
QLineEdit* MakeNumericField(QWidget* parent, const char* name, int tag);

/// The numeric fields of a panel with the field whose check each goes through.
using NumericFields = std::vector<std::pair<QLineEdit*, Field>>;

/// "Panel1": the site, the gnomon, the plane and the axes, the hour range, the year and the shadow date,
/// the marks per month.
class ParameterPanel : public QFrame {
public:
    explicit ParameterPanel(QWidget* parent);
    const NumericFields& fields() const { return fields_; }

private:
    /// A numeric field of the panel, with its unit when it takes an angle: the cell for the layout.
    QWidget* field(const char* name, int tag, Field check, QWidget* unitControl = nullptr);
    NumericFields fields_;
};

/// "Panel2": the marks mode, the method of the split dial with its hints, and the hours of its error table.
class SplitDialPanel : public QFrame {
public:
    explicit SplitDialPanel(QWidget* parent);
};

} // namespace umbrix
