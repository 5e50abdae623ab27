// Umbrix: the desktop program.

#include "ui/main_window.h"

#include <QApplication>

#include <exception>
#include <iostream>

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
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("umbrix"));
    umbrix::MainWindow window;
    window.show();
    return QApplication::exec();
}
