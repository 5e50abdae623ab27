#pragma once
// Comforts of the input fields: Escape brings back the stored value, every parameter field explains itself
// in a tooltip, and an angle or length field shows its unit beside it.

#include "core/fields.h"
#include "core/length_unit.h"
#include "text/language.h"

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QLineEdit;
class QWidget;

class QComboBox;

class QLabel;

namespace umbrix {

/// Escape in a watched field puts back the text of the value stored for it and selects it, so that a
/// half-typed entry is dropped without a message; the field then counts as unchanged. Escape in a field
/// that already shows its stored value passes on to the window.
class FieldRestore : public QObject {
    Q_OBJECT
public:
    explicit FieldRestore(QObject* parent) : QObject(parent) {}

    /// Watches `edit`; `storedText` gives the text it shows for its stored value.
    void watch(QLineEdit& edit, std::function<QString()> storedText);
    [[nodiscard]] bool watches(const QObject& edit) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<std::pair<QLineEdit*, std::function<QString()>>> fields_;
};

/// Gives every input control of a parameter below `root` (edit fields, spin edits, the shadow date) the
/// parameter's meaning and range in the language of `lang` as its tooltip; the fields `restore` watches
/// also name the Escape key.
void SetFieldTips(QWidget& root, const LanguageState& lang, const FieldRestore& restore);

/// `field` with its unit right of it, the pair forming one cell of the panel's layout: `unitControl` when
/// given (the field's unit is chosen there), else a label named after the field + "Unit": "°" for an angle,
/// the symbol of the design's length unit for a length (see ShowLengthUnit). A field without a unit is
/// returned itself.
[[nodiscard]] QWidget* WithUnit(QLineEdit& field, Field check, QWidget* unitControl = nullptr);

/// The object name of the length unit's choice beside the semi-major axis.
inline constexpr const char* kLengthUnitChoice = "cbEinheit";
/// The property that marks a label showing the length unit's symbol.
inline constexpr const char* kLengthUnitLabel = "lengthUnitLabel";

/// The choice of the design's length unit: m, cm, mm, in, ft, in this order.
[[nodiscard]] QComboBox* MakeLengthUnitChoice(QWidget* parent);
/// Shows `unit` in the unit choice and in every length unit label below `root`.
void ShowLengthUnit(QWidget& root, LengthUnit unit);

/// Marks a label beside a table as saying which unit the table's lengths are in (see ShowLengthsIn).
inline constexpr const char* kLengthsInLabel = "lengthsInLabel";
/// Makes such a label, named `name`.
[[nodiscard]] QLabel* MakeLengthsInLabel(QWidget* parent, const char* name);
/// Writes "Längen in m" / "lengths in m" into every label below `root` that MakeLengthsInLabel made.
void ShowLengthsIn(QWidget& root, const LanguageState& lang, LengthUnit unit);

} // namespace umbrix
