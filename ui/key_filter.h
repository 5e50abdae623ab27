#pragma once
// Keys of the input fields and the keys the window reads before its controls.

#include "graphics/view.h"

#include <QKeyCombination>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QKeyEvent;
class QWidget;

namespace umbrix {

/// What a key press in an input field becomes.
enum class FieldKey {
    Pass,        // the field handles the key (digits, "-", ".", and every key that types no character)
    Swallow,     // every other typed character is dropped
    Dot,         // "," types "."
    NextControl, // Enter moves the focus on
};

/// Whether a key press types characters: its text holds no control character and neither Ctrl (without
/// Alt, which together are AltGr on some keyboards) nor Meta is held. Editing keys (Backspace, Delete,
/// arrows), Tab, Escape and the Ctrl shortcuts of a field (select all, clipboard, undo) type nothing.
[[nodiscard]] bool TypesCharacters(const QString& text, Qt::KeyboardModifiers modifiers);

/// The key filter of the numeric fields (`numeric`) and of the date field (only Enter is filtered there).
/// Only typed characters are filtered: a pasted text reaches the field and is checked when the field is
/// left, as a typed one is.
[[nodiscard]] FieldKey FieldKeyAction(int qtKey, const QString& text, Qt::KeyboardModifiers modifiers, bool numeric);

/// The action of a key the window reads before its controls (zoom and shift of the drawing).
[[nodiscard]] ViewAction ViewActionForQtKey(int qtKey, Qt::KeyboardModifiers modifiers, bool graphicPageShown);

/// Applies FieldKeyAction to the fields it is installed on.
class FieldKeyFilter : public QObject {
    Q_OBJECT
public:
    FieldKeyFilter(bool numeric, QObject* parent) : QObject(parent), numeric_(numeric) {}
    /// Told of every typed character the filter drops (the window names it in its status bar).
    void setDroppedReport(std::function<void(const QString& typed)> report) { dropped_ = std::move(report); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool numeric_;
    std::function<void(const QString&)> dropped_;
};

/// Lets a window see the keys of its controls before they do (installed on the application).
class KeyPreview : public QObject {
    Q_OBJECT
public:
    /// `onKey` returns true when it used the key. `windowShortcuts` are key combinations the window's
    /// menus keep even while an edit field has the focus (the fields would otherwise claim them).
    KeyPreview(QWidget* window, std::function<bool(const QKeyEvent&)> onKey,
               std::vector<QKeyCombination> windowShortcuts);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    std::function<bool(const QKeyEvent&)> onKey_;
    std::vector<QKeyCombination> windowShortcuts_;
};

} // namespace umbrix
