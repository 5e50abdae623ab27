// Pictures of the window at its minimum size, every page in both languages and once more under a dark
// palette, with the status bar, for a person to look at.
// Skipped unless UMBRIX_SCREENSHOT_DIR names a folder (`make screenshots` runs it under Xvfb, at device
// pixel ratio 1 and 2); the test itself checks only that every picture was written.

#include "window_fixture.h"

#include <QDir>
#include <QPixmap>
#include <QStatusBar>
#include <QTabWidget>

#include <cstdlib>

namespace umbrix {
namespace {

class Screenshots : public test::WindowTest {};

TEST_F(Screenshots, EveryPageAtTheMinimumSizeInBothLanguages)
{
    const char* dir = std::getenv("UMBRIX_SCREENSHOT_DIR");
    if (dir == nullptr || *dir == '\0')
        GTEST_SKIP() << "UMBRIX_SCREENSHOT_DIR is not set";
    ASSERT_TRUE(QDir().mkpath(QString::fromLocal8Bit(dir)));
    const QString ratio = QString::number(window->devicePixelRatio());
    window->resize(1024, 700);
    QCoreApplication::processEvents();

    for (const auto& [menu, language] : {std::pair{"Deutsch2", "de"}, std::pair{"Englisch2", "en"}}) {
        action(menu)->trigger();
        for (int i = 0; i < pages()->count(); ++i) {
            if (!pages()->isTabVisible(i))
                continue;
            pages()->setCurrentIndex(i);
            QCoreApplication::processEvents();
            const QString name = QStringLiteral("%1/umbrix-%2-%3-ratio%4.png")
                                     .arg(QString::fromLocal8Bit(dir), QString::fromLatin1(language),
                                          pages()->widget(i)->objectName(), ratio);
            EXPECT_TRUE(window->grab().save(name)) << name.toStdString();
        }
    }
}

TEST_F(Screenshots, EveryPageUnderADarkPaletteWithTheStatusBar)
{
    const char* dir = std::getenv("UMBRIX_SCREENSHOT_DIR");
    if (dir == nullptr || *dir == '\0')
        GTEST_SKIP() << "UMBRIX_SCREENSHOT_DIR is not set";
    ASSERT_TRUE(QDir().mkpath(QString::fromLocal8Bit(dir)));
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(53, 53, 53));
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        dark.setColor(group, QPalette::WindowText, QColor(230, 230, 230));
        dark.setColor(group, QPalette::Base, QColor(35, 35, 35));
        dark.setColor(group, QPalette::AlternateBase, QColor(45, 45, 45));
        dark.setColor(group, QPalette::Text, QColor(230, 230, 230));
        dark.setColor(group, QPalette::ButtonText, QColor(230, 230, 230));
    }
    QApplication::setPalette(dark);
    window = makeWindow(options());
    window->setWindowState(Qt::WindowNoState);
    window->resize(1024, 700);
    QCoreApplication::processEvents();
    const QString ratio = QString::number(window->devicePixelRatio());
    for (const auto& [menu, language] : {std::pair{"Deutsch2", "de"}, std::pair{"Englisch2", "en"}}) {
        action(menu)->trigger();
        window->reportSaved(FromQt(folder.filePath(QStringLiteral("garden.ini"))));
        for (int i = 0; i < pages()->count(); ++i) {
            if (!pages()->isTabVisible(i))
                continue;
            pages()->setCurrentIndex(i);
            QCoreApplication::processEvents();
            const QString name = QStringLiteral("%1/umbrix-dark-%2-%3-ratio%4.png")
                                     .arg(QString::fromLocal8Bit(dir), QString::fromLatin1(language),
                                          pages()->widget(i)->objectName(), ratio);
            EXPECT_TRUE(window->grab().save(name)) << name.toStdString();
        }
    }
    window.reset();
    QApplication::setPalette(light);
}

} // namespace
} // namespace umbrix
