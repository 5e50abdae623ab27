#include "ui/key_filter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace umbrix {

bool TypesCharacters(const QString& text, Qt::KeyboardModifiers modifiers)
{
    if (text.isEmpty() || modifiers.testFlag(Qt::MetaModifier))
        return false;
    if (modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier))
        return false;
    // Ctrl+A arrives as "\x01", Delete as "\x7f", Escape as "\x1b": keys with a text that types nothing.
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control)
            return false;
    return true;
}

FieldKey FieldKeyAction(int qtKey, const QString& text, Qt::KeyboardModifiers modifiers, bool numeric)
{
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter)
        return FieldKey::NextControl;
    if (!numeric || !TypesCharacters(text, modifiers))
        return FieldKey::Pass;
    if (text.size() != 1)
        return FieldKey::Swallow;
    const QChar c = text.front();
    if (c == QLatin1Char(','))
        return FieldKey::Dot;
    if (c == QLatin1Char('-') || c == QLatin1Char('.') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
        return FieldKey::Pass;
    return FieldKey::Swallow;
}

ViewAction ViewActionForQtKey(int qtKey, Qt::KeyboardModifiers modifiers, bool graphicPageShown)
{
    // Plus, "=" (plus without Shift on most layouts) and minus zoom from the main keyboard as from the keypad.
    ViewKey key = ViewKey::Other;
    switch (qtKey) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        key = ViewKey::KeypadPlus;
        break;
    case Qt::Key_Minus:
        key = ViewKey::KeypadMinus;
        break;
    case Qt::Key_Left:
        key = ViewKey::Left;
        break;
    case Qt::Key_Right:
        key = ViewKey::Right;
        break;
    case Qt::Key_Up:
        key = ViewKey::Up;
        break;
    case Qt::Key_Down:
        key = ViewKey::Down;
        break;
    default:
        break;
    }
    // Any modifier beyond Ctrl, Alt and Shift (the Windows key, AltGr) makes the set inexact.
    const Qt::KeyboardModifiers others = modifiers & ~Qt::KeyboardModifiers(Qt::KeypadModifier | Qt::ControlModifier |
                                                                            Qt::AltModifier | Qt::ShiftModifier);
    if (others)
        return ViewAction::None;
    const KeyModifiers held{.ctrl = modifiers.testFlag(Qt::ControlModifier),
                            .alt = modifiers.testFlag(Qt::AltModifier),
                            // Plus on the main keyboard often needs Shift: Ctrl+Shift+plus is Ctrl+plus.
                            .shift = modifiers.testFlag(Qt::ShiftModifier) &&
                                     !(qtKey == Qt::Key_Plus && !modifiers.testFlag(Qt::KeypadModifier))};
    return ViewActionForKey(key, held, graphicPageShown);
}

bool FieldKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (!field)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (FieldKeyAction(key->key(), key->text(), key->modifiers(), numeric_)) {
    case FieldKey::Pass:
        return false;
    case FieldKey::Swallow:
        if (dropped_)
            dropped_(key->text());
        return true;
    case FieldKey::Dot:
        field->insert(QStringLiteral("."));
        return true;
    case FieldKey::NextControl: {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(field, &tab);
        return true;
    }
    }
    return false;
}

KeyPreview::KeyPreview(QWidget* window, std::function<bool(const QKeyEvent&)> onKey,
                       std::vector<QKeyCombination> windowShortcuts)
    : QObject(window), window_(window), onKey_(std::move(onKey)), windowShortcuts_(std::move(windowShortcuts))
{
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::ShortcutOverride) {
        for (const QKeyCombination& combination : windowShortcuts_)
            if (key->keyCombination() == combination) {
                event->ignore(); // the shortcut goes to the window
                return true;
            }
        return false;
    }
    return onKey_ && onKey_(*key);
}

} // namespace umbrix
