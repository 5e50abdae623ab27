#pragma once
// Controls and menu items whose texts come from the program's own text table rather than from the
// numbered tables: they carry the id of their text (and of their tooltip) and are relabelled together.

#include "text/language.h"
#include "text/own_texts.h"

#include <optional>

class QObject;
class QString;
class QWidget;

namespace umbrix {

/// Gives a menu item or a button the own text `text` and, when given, the tooltip `tip`; both follow the
/// language at every RelabelOwnTexts.
void SetOwnText(QObject& item, OwnText text, std::optional<OwnText> tip = std::nullopt);

/// Gives a control the own tooltip `tip` only; its text stays as it is.
void SetOwnTip(QObject& item, OwnText tip);
/// Takes the own tooltip SetOwnTip gave away again: relabelling no longer sets one.
void ClearOwnTip(QObject& item);

/// Whether SetOwnText gave `item` its text (the walk over the numbered menu captions passes it by).
[[nodiscard]] bool HasOwnText(const QObject& item);

/// The own text SetOwnText gave `item`, in the language of `lang`; nothing for an item without one.
[[nodiscard]] std::optional<QString> OwnTextFor(const QObject& item, const LanguageState& lang);

/// Sets the texts and tooltips of every menu item, button and label below `root` that SetOwnText marked, in the
/// language of `lang`.
void RelabelOwnTexts(QWidget& root, const LanguageState& lang);

} // namespace umbrix
