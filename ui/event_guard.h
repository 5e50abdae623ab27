#pragma once
// The window's last line of defence: no exception leaves an event handler.

#include <QString>

#include <functional>

class QObject;

namespace umbrix {

class MainWindow;

/// What the user did that led to an event at `receiver`: the active menu item or the button's text,
/// else the control's object name, else "?".
QString EventActionName(QObject* receiver);

/// Runs `deliver` (the delivery of one event to `receiver`) and returns its answer. An exception it throws
/// is caught: the event counts as not handled (false), the failure goes to standard error, and once the
/// event is over `window` (if it still exists) shows one message naming the action and the reason. The
/// window and its parameters stay as they were.
bool DeliverGuarded(QObject* receiver, MainWindow* window, const std::function<bool()>& deliver);

} // namespace umbrix
