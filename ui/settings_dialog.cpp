#include "ui/settings_dialog.h"

#include "ui/qt_text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace umbrix {

SettingsDialog::SettingsDialog(Model& model, Host& host, std::function<void()> applied, QWidget* parent)
    : OptionDialog(model, host, std::move(applied), parent)
{
    setObjectName(QStringLiteral("SettingsDialog"));
    const LanguageState& lang = model.state.language;
    setWindowTitle(ToQt(OwnTextOf(lang, OwnText::SettingsDialogTitle)));

    auto* rows = new QGridLayout;
    rows->addWidget(OwnControl<QLabel>(this, "lMagneticDeclination", OwnText::MagneticDeclination, lang), 0, 0);
    shownDeclination_ = ShortNumber(model.params.magneticDeclination);
    declination_ = new QLineEdit(shownDeclination_, this);
    declination_->setObjectName(QStringLiteral("eMagneticDeclination"));
    declination_->setMaximumWidth(90);
    rows->addWidget(declination_, 0, 1);
    showLeapCycle_ = OwnControl<QCheckBox>(this, "chbShowLeapCycle", OwnText::ShowLeapCycle, lang);
    showLeapCycle_->setChecked(model.params.showLeapCycle != 0);
    rows->addWidget(showLeapCycle_, 1, 0, 1, 2);
    leapCycleMean_ = OwnControl<QCheckBox>(this, "chbLeapCycleMean", OwnText::LeapCycleMean, lang);
    leapCycleMean_->setChecked(model.params.leapCycleMean != 0);
    rows->addWidget(leapCycleMean_, 2, 0, 1, 2);
    // The hour numbers of the plan, the template, the true-scale SVG and the true-size DXF.
    everyHour_ = OwnControl<QCheckBox>(this, "chbEveryHourNumbered", OwnText::EveryHourNumbered, lang);
    everyHour_->setChecked(!model.params.hourLabelsScreenRule);
    rows->addWidget(everyHour_, 3, 0, 1, 2);
    rows->addWidget(OwnControl<QLabel>(this, "lHourLabelSize", OwnText::HourLabelSizeLabel, lang), 4, 0);
    shownLabelSize_ = ShortNumber(model.params.hourLabelSize);
    labelSize_ = new QLineEdit(shownLabelSize_, this);
    labelSize_->setObjectName(QStringLiteral("eHourLabelSize"));
    labelSize_->setMaximumWidth(90);
    rows->addWidget(labelSize_, 4, 1);
    rows->setColumnStretch(0, 1);
    finish(rows);
}

std::vector<NamedValue> SettingsDialog::changes() const
{
    std::vector<NamedValue> out;
    if (declination_->text() != shownDeclination_)
        out.push_back({"magneticDeclination", FieldValue(*declination_)});
    if (showLeapCycle_->isChecked() != (model_.params.showLeapCycle != 0))
        out.push_back({"showLeapCycle", showLeapCycle_->isChecked() ? "1" : "0"});
    if (leapCycleMean_->isChecked() != (model_.params.leapCycleMean != 0))
        out.push_back({"leapCycleMean", leapCycleMean_->isChecked() ? "1" : "0"});
    if (everyHour_->isChecked() == model_.params.hourLabelsScreenRule)
        out.push_back({"hourLabels", everyHour_->isChecked() ? "all" : "screen"});
    if (labelSize_->text() != shownLabelSize_)
        out.push_back({"hourLabelSize", FieldValue(*labelSize_)});
    return out;
}

} // namespace umbrix
