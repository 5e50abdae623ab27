// The window's last line of defence: no exception leaves an event handler.

#include "ui/event_guard.h"

#include "ui/main_window.h"
#include "ui/qt_text.h"

#include "text/own_texts.h"
#include "text/texts.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QTimer>

#include <exception>
#include <iostream>
#include <new>
#include <optional>
#include <string>

namespace umbrix {

QString EventActionName(QObject* receiver)
{
    if (auto* menu = qobject_cast<QMenu*>(receiver))
        if (const QAction* action = menu->activeAction())
            return action->text().remove(QLatin1Char('&'));
    if (auto* button = qobject_cast<QAbstractButton*>(receiver))
        if (!button->text().isEmpty())
            return button->text().remove(QLatin1Char('&'));
    return receiver && !receiver->objectName().isEmpty() ? receiver->objectName() : QStringLiteral("?");
}

namespace {

/// `what`: the failure's own text; none for exhausted memory.
void ReportFailure(QObject* receiver, MainWindow* window, const std::optional<std::string>& what)
{
    const std::string action = FromQt(EventActionName(receiver));
    std::cerr << "umbrix: " << action << ": " << what.value_or("not enough memory") << '\n';
    if (!window)
        return;
    const LanguageState& lang = window->model().state.language;
    const std::string reason = what ? *what : std::string(OwnTextOf(lang, OwnText::OutOfMemory));
    std::string caption(CaptionText(lang, Caption::Error));
    std::string text = OwnTextWith(lang, OwnText::ActionFailed, action, reason);
    // Shown once the failed event is over, never inside it.
    QTimer::singleShot(0, window, [guarded = QPointer<MainWindow>(window), caption, text] {
        if (guarded)
            guarded->host().showMessage(caption, text, MessageIcon::Warning);
    });
}

} // namespace

bool DeliverGuarded(QObject* receiver, MainWindow* window, const std::function<bool()>& deliver)
{
    try {
        return deliver();
    } catch (const std::bad_alloc&) {
        ReportFailure(receiver, window, std::nullopt);
    } catch (const std::exception& e) {
        ReportFailure(receiver, window, std::string(e.what()));
    } catch (...) {
        ReportFailure(receiver, window, std::string("unexpected failure"));
    }
    return false;
}

} // namespace umbrix
