// Umbrix: the desktop program.

#include "ui/help_bridge.h"
#include "ui/main_window.h"
#include "ui/program_arguments.h"

#include <QApplication>

#include <csignal>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

/// Keeps a failure inside one event from taking the whole program down: the event is dropped and the
/// window stays usable.
class Application : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            std::cerr << "umbrix: " << e.what() << '\n';
        } catch (...) {
            std::cerr << "umbrix: unexpected failure\n";
        }
        return false;
    }
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
    window.show();
    return QApplication::exec();
}
