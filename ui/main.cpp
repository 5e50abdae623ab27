// Umbrix: the desktop program.

#include "ui/help_bridge.h"
#include "ui/main_window.h"
#include "ui/program_arguments.h"

#include "export/file_writer.h"
#include "text/own_texts.h"
#include "text/texts.h"
#include "ui/qt_text.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <csignal>
#include <exception>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace {

/// What the user did that led to an event: the menu item or button text, else the control's name.
QString ActionName(QObject* receiver)
{
    if (auto* menu = qobject_cast<QMenu*>(receiver))
        if (const QAction* action = menu->activeAction())
            return action->text().remove(QLatin1Char('&'));
    if (auto* button = qobject_cast<QAbstractButton*>(receiver))
        if (!button->text().isEmpty())
            return button->text().remove(QLatin1Char('&'));
    return receiver && !receiver->objectName().isEmpty() ? receiver->objectName() : QStringLiteral("?");
}

/// Keeps a failure inside one event from taking the whole program down: no exception leaves an event
/// handler. The event is dropped, a message names the action and the reason, and the window with its
/// parameters stays as it was.
class Application : public QApplication {
public:
    using QApplication::QApplication;

    void setWindow(umbrix::MainWindow* window) { window_ = window; }

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::bad_alloc&) {
            report(receiver, std::nullopt);
        } catch (const std::exception& e) {
            report(receiver, std::string(e.what()));
        } catch (...) {
            report(receiver, std::string("unexpected failure"));
        }
        return false;
    }

private:
    /// `what`: the failure's own text; none for exhausted memory.
    void report(QObject* receiver, const std::optional<std::string>& what)
    {
        const std::string action = umbrix::FromQt(ActionName(receiver));
        std::cerr << "umbrix: " << action << ": " << what.value_or("not enough memory") << '\n';
        if (!window_)
            return;
        const umbrix::LanguageState& lang = window_->model().state.language;
        const std::string reason = what ? *what : std::string(umbrix::OwnTextOf(lang, umbrix::OwnText::OutOfMemory));
        const QString caption = umbrix::ToQt(umbrix::CaptionText(lang, umbrix::Caption::Error));
        const QString text = umbrix::ToQt(umbrix::OwnTextWith(lang, umbrix::OwnText::ActionFailed, action, reason));
        // Shown once the failed event is over, never inside it.
        QTimer::singleShot(0, window_, [window = window_, caption, text] {
            if (window)
                QMessageBox::warning(window, caption, text);
        });
    }

    QPointer<umbrix::MainWindow> window_;
};

} // namespace

int main(int argc, char** argv)
{
    // --help and --version are answered before Qt starts: they need no display.
    if (const auto info = umbrix::ProgramInfoText(std::vector<std::string>(argv, argv + argc))) {
        std::cout << *info;
        return 0;
    }
    // A FIFO whose reader has gone makes a save fail with EPIPE instead of ending the program.
    std::signal(SIGPIPE, SIG_IGN);
    // A terminating signal during a save removes the temporary file first.
    umbrix::InstallTemporaryFileCleanup();
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("umbrix"));
    umbrix::WindowOptions options;
    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments())
        arguments.push_back(argument.toStdString());
    options.helpDebug = umbrix::HelpDebugRequested(arguments, options.paths.programDir);
    // Qt has taken its own options (-platform, -style ...) out of the arguments by now.
    options.openFile = umbrix::FileArgument(arguments);
    umbrix::MainWindow window(std::move(options));
    app.setWindow(&window);
    window.show();
    return QApplication::exec();
}
