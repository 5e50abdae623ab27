#pragma once
// The one QApplication of the window tests (offscreen: QT_QPA_PLATFORM is set by the test runner).

#include <QApplication>
#include <QString>

#include <ostream>

/// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace umbrix::test {

inline QApplication& App()
{
    static int argc = 1;
    static char name[] = "umbrix_ui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

} // namespace umbrix::test
