// Umbrix: the desktop program.

#include "ui/event_guard.h"
#include "ui/help_bridge.h"
#include "ui/main_window.h"
#include "ui/program_arguments.h"

#include "export/file_writer.h"

#include <QApplication>
#include <QPointer>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

namespace {

/// Keeps a failure inside one event from taking the whole program down (see DeliverGuarded).
class Application : public QApplication {
public:
    using QApplication::QApplication;

    void setWindow(umbrix::MainWindow* window) { window_ = window; }

    bool notify(QObject* receiver, QEvent* event) override
    {
        return umbrix::DeliverGuarded(receiver, window_, [&] { return QApplication::notify(receiver, event); });
    }

private:
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
    // The desktop finds the program's entry (and its icon) by the shipped desktop file's id.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(umbrix::kDesktopFileName));
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
