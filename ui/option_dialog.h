#pragma once
// The dialogs of the Options menu that set rows of the parameter table: the summer-time ring and the further
// settings. They show the model's values and apply the changed ones through the table's own checks.

#include "core/host.h"
#include "core/model.h"
#include "core/parameter_set.h"
#include "text/own_texts.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QAbstractButton;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace umbrix {

/// A real shown in a field: at most four decimals, trailing zeros dropped, "." as decimal point.
[[nodiscard]] QString ShortNumber(double value);

/// A parameter's caption as the window shows it to the user: its meaning up to the first comma, semicolon
/// or colon, capitalised ("Geografische Breite des Standorts"); never its internal name.
[[nodiscard]] std::string ParameterCaption(const ParameterRow& row, Language language);

/// A message about a refused value with the parameter's internal name ("dstStart=35/03: ...") replaced by its
/// caption ("Erster Tag der Sommerzeit: 35/03: ..."); any other text unchanged.
[[nodiscard]] std::string WithoutInternalName(std::string text, const ParameterRow& row, Language language);

/// The text of a field as a parameter's value: trimmed, a typed "," read as ".".
[[nodiscard]] std::string FieldValue(const QLineEdit& edit);

/// A label, button or check box whose text is the own text `text` in the language of `lang`, and follows
/// the language from then on.
template <class Control>
Control* OwnControl(QWidget* parent, const char* name, OwnText text, const LanguageState& lang);

class OptionDialog : public QDialog {
    Q_OBJECT
public:
    /// `applied` runs after OK applied the values (the window recalculates there).
    OptionDialog(Model& model, Host& host, std::function<void()> applied, QWidget* parent);

    /// OK: every changed value through SetParameters. A refused value shows its message through the host and
    /// keeps the dialog open with nothing changed; otherwise the dialog closes and `applied` runs.
    void accept() override;

protected:
    /// The values the dialog's controls hold that differ from the model's, in the order they are applied.
    [[nodiscard]] virtual std::vector<NamedValue> changes() const = 0;
    /// Lays out the rows above the OK and Cancel buttons.
    void finish(QGridLayout* rows);

    Model& model_;

private:
    Host& host_;
    std::function<void()> applied_;
};

} // namespace umbrix
