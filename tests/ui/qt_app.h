#pragma once
// The one QApplication of the window tests (offscreen: QT_QPA_PLATFORM is set by the test runner).

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
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
        // The plain offscreen screen (800 x 800 at 96 dots per inch) would get the small-screen hint at every
        // start; the windows are tested on a large screen unless a test asks for another one. UMBRIX_TEST_DPR
        // gives the screen that device pixel ratio (and as many more pixels, so that its size in logical
        // pixels stays).
        const double ratio = qEnvironmentVariableIsSet("UMBRIX_TEST_DPR")
                                 ? std::clamp(qEnvironmentVariable("UMBRIX_TEST_DPR").toDouble(), 1.0, 4.0)
                                 : 1.0;
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        QString config;
        if (platform.isEmpty() || platform == "offscreen") {
            config = QDir::temp().filePath(
                QStringLiteral("umbrix_ui_tests_screen_%1.json").arg(QCoreApplication::applicationPid()));
            QFile file(config);
            if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                file.write(QStringLiteral(R"({"screens":[{"name":"S","x":0,"y":0,"width":%1,"height":%2,)"
                                          R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":%3}]})")
                               .arg(qRound(1280 * ratio))
                               .arg(qRound(1024 * ratio))
                               .arg(ratio)
                               .toLatin1());
            file.close();
            qputenv("QT_ENABLE_HIGHDPI_SCALING", ratio == 1.0 ? "0" : "1");
            qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
        }
        // The windows start in German, whatever the machine's language: the language of messages is "de"
        // (LC_ALL, which would override it, is emptied). "de" names a language, not an installed locale, so the
        // C library keeps its own messages (strerror) and numbers as they were.
        qputenv("LC_ALL", "");
        qputenv("LC_MESSAGES", "de");
        // What the window keeps between runs goes to a folder of this test run, never to the user's home.
        static QTemporaryDir configHome;
        qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
        auto* application = new QApplication(argc, argv);
        // The platform has read its screens.
        if (!config.isEmpty())
            QFile::remove(config);
        return application;
    }();
    return *app;
}

} // namespace umbrix::test
