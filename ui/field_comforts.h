#pragma once
// Comforts of the input fields: Escape brings back the stored value, every parameter field explains itself
// in a tooltip, and an angle field shows its unit beside it.

#include "core/fields.h"
#include "text/language.h"

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QLineEdit;
class QWidget;

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

/// `field` with the unit sign "°" right of it when its parameter is an angle (the pair then forms one cell
/// of the panel's layout, the sign named after the field + "Unit"); otherwise `field` itself.
[[nodiscard]] QWidget* WithAngleUnit(QLineEdit& field, Field check);

} // namespace umbrix
