#pragma once
// Options > Further settings: the magnetic declination at the site and the two leap-cycle switches.

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
    QString shownDeclination_;
};

} // namespace umbrix
