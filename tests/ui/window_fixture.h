#pragma once
// A main window for a test: its folders in a temporary folder (no start configuration of the machine is
// read), messages recorded, shown and past its first activation.

#include "qt_app.h"
#include "ui/main_window.h"
#include "ui/message_host.h"
#include "ui/qt_text.h"
#include "ui/window_settings.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace umbrix::test {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        App();
        ASSERT_TRUE(folder.isValid());
        // Every test starts without anything a window kept from an earlier one.
        ForgetWindowMemory();
        window = makeWindow(options());
    }

    /// Options whose folders all lie in `dir` (the temporary folder unless given) and whose messages are
    /// recorded.
    WindowOptions options(const QString& in = {})
    {
        const std::string dir = FromQt(in.isEmpty() ? folder.path() : in);
        WindowOptions o;
        o.paths.programDir = dir + "/";
        o.paths.userDir = dir + "/user/";
        o.paths.dataDirs = {dir + "/data/", UMBRIX_SOURCE_DIR "/help/"}; // the help pages of the sources
        o.paths.workingDir = dir;
        o.host = &host;
        return o;
    }

    std::unique_ptr<MainWindow> makeWindow(WindowOptions o)
    {
        auto w = std::make_unique<MainWindow>(std::move(o));
        // Changed parameters are given up without a question unless a test answers it itself.
        w->setSaveQuestion([](const QString&, const QString&) { return SaveAnswer::Discard; });
        w->show();
        QApplication::setActiveWindow(w.get());
        QCoreApplication::processEvents();
        w->activateOnce();
        QCoreApplication::processEvents(); // the layout settles before a test measures the drawing
        return w;
    }

    template <class T> T* get(const char* name) const
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QAction* action(const char* name) const { return get<QAction>(name); }
    QTabWidget* pages() const { return get<QTabWidget>("PgCtrl"); }

    /// The place of a page in the page control, found by its name.
    int pageIndex(const char* name) const { return pages()->indexOf(get<QWidget>(name)); }

    /// Shows a page and lets it take its size.
    void showPage(const char* name)
    {
        pages()->setCurrentIndex(pageIndex(name));
        QCoreApplication::processEvents();
    }

    /// Types `text` over the field's contents and leaves the field with Enter.
    void typeAndLeave(const char* field, const char* text)
    {
        QLineEdit* edit = get<QLineEdit>(field);
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(text));
        QTest::keyClick(edit, Qt::Key_Return);
    }

    /// Double click on a cell of a table that is shown, as the window system delivers it: press, release,
    /// press, double click, release.
    void doubleClickCell(QTableWidget* table, int row, int column)
    {
        const QPoint at = table->visualRect(table->model()->index(row, column)).center();
        QWidget* area = table->viewport();
        QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(area, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, at);
    }

    QTemporaryDir folder;
    RecordingWindowHost host;
    std::unique_ptr<MainWindow> window;
};

} // namespace umbrix::test
