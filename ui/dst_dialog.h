#pragma once
// Options > Daylight saving: the rule the summer time follows (the time zone's, none, the EU's, the dates
// given), the summer-time hour ring (none, second labels, inner ring), the offset of summer time, the inner
// ring's size and the period of summer time.

#include "ui/option_dialog.h"

class QComboBox;
class QRadioButton;

namespace umbrix {

class DstDialog : public OptionDialog {
    Q_OBJECT
public:
    /// Shows the model's summer-time options. The inner ring is disabled, with a tooltip saying why, for a
    /// dial that cannot carry it (DstRingAllowed).
    DstDialog(Model& model, Host& host, std::function<void()> applied, QWidget* parent);

protected:
    [[nodiscard]] std::vector<NamedValue> changes() const override;

private:
    /// Rings 1 and 2 follow the rule chosen: disabled, with the reason, where it gives no summer time.
    void ruleChosen();

    QComboBox* rule_ = nullptr;
    QRadioButton* rings_[3] = {};
    QComboBox* offset_ = nullptr;
    QLineEdit* scale_ = nullptr;
    QLineEdit* start_ = nullptr;
    QLineEdit* end_ = nullptr;
    // The texts shown at the start, against which changes are found.
    int shownRing_ = 0;
    int shownRule_ = 0;
    QString shownOffset_, shownScale_, shownStart_, shownEnd_;
};

} // namespace umbrix
