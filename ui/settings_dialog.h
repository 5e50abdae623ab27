#pragma once
// Options > Further settings: the magnetic declination at the site, the two leap-cycle switches, and the
// hour numbers of the outputs a maker builds from (every whole hour or the screen's, and their height).

#include "ui/option_dialog.h"

class QCheckBox;

namespace umbrix {

class SettingsDialog : public OptionDialog {
    Q_OBJECT
public:
    SettingsDialog(Model& model, Host& host, std::function<void()> applied, QWidget* parent);

protected:
    [[nodiscard]] std::vector<NamedValue> changes() const override;

private:
    QLineEdit* declination_ = nullptr;
    QCheckBox* showLeapCycle_ = nullptr;
    QCheckBox* leapCycleMean_ = nullptr;
    QCheckBox* everyHour_ = nullptr; // hourLabels: all (checked) or screen
    QLineEdit* labelSize_ = nullptr; // hourLabelSize
    QString shownLabelSize_;
    QString shownDeclination_;
};

} // namespace umbrix
