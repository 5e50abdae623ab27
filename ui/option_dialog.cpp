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

std::string ParameterCaption(const ParameterRow& row, Language language)
{
    std::string caption(Meaning(row, language));
    caption = caption.substr(0, caption.find_first_of(",;:"));
    if (caption.empty())
        return std::string(row.name);
    if (caption.front() >= 'a' && caption.front() <= 'z')
        caption.front() = static_cast<char>(caption.front() - 'a' + 'A');
    return caption;
}

std::string WithoutInternalName(std::string text, const ParameterRow& row, Language language)
{
    const std::string prefix = std::string(row.name) + "=";
    if (text.rfind(prefix, 0) == 0)
        text = ParameterCaption(row, language) + ": " + text.substr(prefix.size());
    return text;
}

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
    // The dialog's user knows the parameters by their captions, not by their internal names.
    const Language language = LanguageOf(model_.state.language);
    for (const UiMessage& m : outcome.messages) {
        std::string text = m.text;
        for (const NamedValue& value : values)
            if (const ParameterRow* row = FindParameter(value.name))
                text = WithoutInternalName(std::move(text), *row, language);
        host_.showMessage(m.caption, text, m.icon);
    }
    if (outcome.status != SetStatus::Accepted)
        return;
    QDialog::accept();
    if (!values.empty() && applied_)
        applied_();
}

} // namespace umbrix
