#include "ui/option_dialog.h"

#include "core/length_unit.h"
#include "ui/own_labels.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace umbrix {

QString ShortNumber(double value)
{
    std::string text = FormatDecimals(value, 4);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return ToQt(text);
}

std::string FieldValue(const QLineEdit& edit)
{
    QString text = edit.text().trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    return FromQt(text);
}

template <class Control> Control* OwnControl(QWidget* parent, const char* name, OwnText text, const LanguageState& lang)
{
    auto* control = new Control(ToQt(OwnTextOf(lang, text)), parent);
    control->setObjectName(QString::fromLatin1(name));
    SetOwnText(*control, text);
    return control;
}
template QLabel* OwnControl<QLabel>(QWidget*, const char*, OwnText, const LanguageState&);
template QCheckBox* OwnControl<QCheckBox>(QWidget*, const char*, OwnText, const LanguageState&);
template QRadioButton* OwnControl<QRadioButton>(QWidget*, const char*, OwnText, const LanguageState&);
template QPushButton* OwnControl<QPushButton>(QWidget*, const char*, OwnText, const LanguageState&);

OptionDialog::OptionDialog(Model& model, Host& host, std::function<void()> applied, QWidget* parent)
    : QDialog(parent), model_(model), host_(host), applied_(std::move(applied))
{
}

void OptionDialog::finish(QGridLayout* rows)
{
    auto* column = new QVBoxLayout(this);
    column->addLayout(rows);
    column->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OptionDialog::reject);
    column->addWidget(buttons);
}

void OptionDialog::accept()
{
    const std::vector<NamedValue> values = changes();
    const SetOutcome outcome = SetParameters(model_, values);
    for (const UiMessage& m : outcome.messages)
        host_.showMessage(m.caption, m.text, m.icon);
    if (outcome.status != SetStatus::Accepted)
        return;
    QDialog::accept();
    if (!values.empty() && applied_)
        applied_();
}

} // namespace umbrix
