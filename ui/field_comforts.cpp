#include "ui/field_comforts.h"

#include "text/own_texts.h"

#include "core/parameters.h"
#include "ui/own_labels.h"
#include "ui/qt_text.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace umbrix {

void FieldRestore::watch(QLineEdit& edit, std::function<QString()> storedText)
{
    fields_.emplace_back(&edit, std::move(storedText));
    edit.installEventFilter(this);
}

bool FieldRestore::watches(const QObject& edit) const
{
    return std::any_of(fields_.begin(), fields_.end(), [&](const auto& entry) { return entry.first == &edit; });
}

bool FieldRestore::eventFilter(QObject* watched, QEvent* event)
{
    // The window's shortcuts would take Escape before the field's key press: claim it when it restores.
    const bool override = event->type() == QEvent::ShortcutOverride;
    if (!override && event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier)
        return false;
    const auto it = std::find_if(fields_.begin(), fields_.end(), [&](const auto& e) { return e.first == watched; });
    if (it == fields_.end())
        return false;
    QLineEdit& edit = *it->first;
    const QString stored = it->second();
    if (edit.text() == stored && !edit.isModified())
        return false;
    if (override) {
        event->accept();
        return true;
    }
    edit.setText(stored);
    edit.setModified(false);
    edit.selectAll();
    return true;
}

void SetFieldTips(QWidget& root, const LanguageState& lang, const FieldRestore& restore)
{
    const Language language = LanguageOf(lang);
    if (auto* choice = root.findChild<QComboBox*>(QString::fromLatin1(kLengthUnitChoice))) {
        QString tip = ToQt(Meaning(*FindParameter("lengthUnit"), language));
        if (!tip.isEmpty())
            tip[0] = tip[0].toUpper();
        choice->setToolTip(tip);
    }
    for (const ParameterRow& row : ParameterTable()) {
        if (row.control.empty() || (row.controlKind != ControlKind::Edit && row.controlKind != ControlKind::Spin &&
                                    row.controlKind != ControlKind::DateEdit))
            continue;
        auto* control = root.findChild<QWidget*>(ToQt(row.control));
        if (!control)
            continue;
        QString tip = ToQt(Meaning(row, language));
        if (!tip.isEmpty())
            tip[0] = tip[0].toUpper();
        tip += QStringLiteral(" (") + ToQt(RangeText(row, language)) + QLatin1Char(')');
        if (restore.watches(*control))
            tip += QLatin1Char('\n') + ToQt(OwnTextOf(lang, OwnText::FieldEscTip));
        control->setToolTip(tip);
    }
}

namespace {

/// Shows and hides a unit with its field: a field the dial type does not use is hidden, and its unit with it.
class UnitFollowsField : public QObject {
public:
    UnitFollowsField(QWidget& field, QWidget& unit) : QObject(&field), unit_(unit)
    {
        unit_.setVisible(!field.isHidden());
        field.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShowToParent)
            unit_.show();
        else if (event->type() == QEvent::HideToParent)
            unit_.hide();
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& unit_;
};

} // namespace

QWidget* WithUnit(QLineEdit& field, Field check, QWidget* unitControl)
{
    const ValueUnit unit = ParameterOf(check).unit;
    if (unit != ValueUnit::Degrees && unit != ValueUnit::DialUnits && unitControl == nullptr)
        return &field;
    auto* cell = new QWidget(field.parentWidget());
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(&field);
    if (unitControl != nullptr) {
        unitControl->setParent(cell);
        row->addWidget(unitControl);
        return cell;
    }
    auto* label = new QLabel(cell);
    label->setObjectName(field.objectName() + QStringLiteral("Unit"));
    if (unit == ValueUnit::Degrees) {
        // The longitude says its convention without hovering: west positive, unlike maps.
        const OwnText sign = check == Field::eLang ? OwnText::LongitudeUnit : OwnText::DegreeSign;
        SetOwnText(*label, sign);
        label->setText(ToQt(OwnTextOf(StateFor(Language::German), sign)));
    } else {
        // The symbol of the design's length unit, shown by ShowLengthUnit.
        label->setProperty(kLengthUnitLabel, true);
        label->setText(ToQt(UnitName(LengthUnit::Metre)));
    }
    row->addWidget(label);
    new UnitFollowsField(field, *label);
    return cell;
}

void ShowLengthUnit(QWidget& root, LengthUnit unit)
{
    const QString symbol = ToQt(UnitName(unit));
    for (QLabel* label : root.findChildren<QLabel*>())
        if (label->property(kLengthUnitLabel).toBool())
            label->setText(symbol);
    if (auto* choice = root.findChild<QComboBox*>(QString::fromLatin1(kLengthUnitChoice))) {
        const QSignalBlocker quiet(choice);
        choice->setCurrentIndex(choice->findText(symbol));
    }
}

QLabel* MakeLengthsInLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setProperty(kLengthsInLabel, true);
    return label;
}

void ShowLengthsIn(QWidget& root, const LanguageState& lang, LengthUnit unit)
{
    const QString text = ToQt(OwnTextWith(lang, OwnText::LengthsIn, UnitName(unit)));
    for (QLabel* label : root.findChildren<QLabel*>())
        if (label->property(kLengthsInLabel).toBool()) {
            label->setText(text);
            label->adjustSize();
        }
}

QComboBox* MakeLengthUnitChoice(QWidget* parent)
{
    auto* choice = new QComboBox(parent);
    choice->setObjectName(QString::fromLatin1(kLengthUnitChoice));
    for (const LengthUnit unit :
         {LengthUnit::Metre, LengthUnit::Centimetre, LengthUnit::Millimetre, LengthUnit::Inch, LengthUnit::Foot})
        choice->addItem(ToQt(UnitName(unit)));
    choice->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return choice;
}

} // namespace umbrix
