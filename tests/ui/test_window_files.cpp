// The window and its configuration files: the title with the file and its change mark, the question
// before changed parameters are left, the recent files, a file named at the start or dropped on the
// window, and what the window keeps between runs.

#include "ui/window_settings.h"
#include "window_fixture.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUndoStack>

namespace umbrix {
namespace {

const QString kCaption = QStringLiteral("Umbrix,  vers. 2.6");

class WindowFiles : public test::WindowTest {
protected:
    /// Saves the parameters through the save command into `name` in the test folder; returns the path.
    std::string saveAs(const char* name)
    {
        const std::string path = FromQt(folder.filePath(QString::fromLatin1(name)));
        window->setFileChooser([path](const FileDialogRequest&) { return path; });
        action("Datenspeichern1")->trigger();
        return path;
    }

    /// Answers the question about changed parameters with `answer`, counting the questions.
    void answer(SaveAnswer given)
    {
        window->setSaveQuestion([this, given](const QString&, const QString& text) {
            questions.push_back(text);
            return given;
        });
    }

    /// Drags `data` onto the window and drops it; whether the window took the drag.
    bool drop(QMimeData& data)
    {
        const QPoint at = window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &dropped);
        return true;
    }

    double latitude() const { return window->model().params.latitude; }

    QStringList questions;
};

TEST_F(WindowFiles, TheTitleNamesTheFileAndMarksParametersThatDifferFromIt)
{
    EXPECT_EQ(window->windowTitle(), kCaption + QStringLiteral(" \u2013 Unbenannt")); // no file yet
    saveAs("garden.ini");
    EXPECT_EQ(window->windowTitle(), kCaption + QStringLiteral(" \u2013 garden.ini"));
    typeAndLeave("eBreit", "47");
    EXPECT_TRUE(window->parametersChanged());
    EXPECT_EQ(window->windowTitle(), kCaption + QStringLiteral(" \u2013 garden.ini*"));
    // Undone back to what the file holds: the mark goes.
    window->undoStack().undo();
    EXPECT_FALSE(window->parametersChanged());
    EXPECT_EQ(window->windowTitle(), kCaption + QStringLiteral(" \u2013 garden.ini"));
}

TEST_F(WindowFiles, ClosingOrLoadingWhileMarkedAsksAndACancelKeepsEverything)
{
    const std::string garden = saveAs("garden.ini");
    typeAndLeave("eBreit", "47");
    const std::string other = saveAs("other.ini");
    ASSERT_TRUE(window->openConfiguration(garden));
    typeAndLeave("eBreit", "12");

    answer(SaveAnswer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->openConfiguration(other));
    EXPECT_EQ(latitude(), 12);
    EXPECT_EQ(window->currentFile(), garden);
    ASSERT_EQ(questions.size(), 2);
    EXPECT_TRUE(questions.front().contains(QStringLiteral("garden.ini"))) << FromQt(questions.front());

    // Discard: the other file is read, the changes are gone, nothing was written.
    answer(SaveAnswer::Discard);
    ASSERT_TRUE(window->openConfiguration(other));
    EXPECT_EQ(latitude(), 47);
    ASSERT_TRUE(window->openConfiguration(garden));
    EXPECT_NE(latitude(), 12);

    // Save: the file takes the changes before the window closes.
    typeAndLeave("eBreit", "33");
    answer(SaveAnswer::Save);
    EXPECT_TRUE(window->close());
    ASSERT_TRUE(window->openConfiguration(other));
    ASSERT_TRUE(window->openConfiguration(garden));
    EXPECT_EQ(latitude(), 33);
}

TEST_F(WindowFiles, AFailedSaveBeforeLeavingKeepsTheWindowAndSaysWhy)
{
    const std::string garden = saveAs("garden.ini");
    typeAndLeave("eBreit", "47");
    ASSERT_TRUE(QFile::setPermissions(ToQt(garden), QFileDevice::ReadOwner));
    answer(SaveAnswer::Save);
    host.messages.clear();
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(host.messages.empty());
    EXPECT_TRUE(window->parametersChanged());
    QFile::setPermissions(ToQt(garden), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(WindowFiles, TheFileMenuListsTheLastEightFilesMostRecentFirstAndTheyAreKept)
{
    std::vector<std::string> files;
    for (int i = 1; i <= 10; ++i)
        files.push_back(saveAs(("dial" + std::to_string(i) + ".ini").c_str()));
    ASSERT_TRUE(window->openConfiguration(files[2]));
    const QStringList recent = window->recentFiles();
    ASSERT_EQ(recent.size(), kMaxRecentFiles);
    EXPECT_EQ(recent.front(), ToQt(files[2]));
    EXPECT_EQ(recent[1], ToQt(files[9]));
    EXPECT_EQ(recent.count(ToQt(files[2])), 1);
    EXPECT_FALSE(recent.contains(ToQt(files[0])));
    EXPECT_EQ(get<QMenu>("RecentFiles1")->actions().size(), kMaxRecentFiles);

    action("RecentFile2")->trigger();
    EXPECT_EQ(window->currentFile(), files[9]);

    // The next run lists them too.
    auto next = makeWindow(options());
    EXPECT_EQ(next->recentFiles(), window->recentFiles());
}

TEST_F(WindowFiles, AFileNamedAtTheStartIsOpenedAfterTheStartConfiguration)
{
    typeAndLeave("eBreit", "41");
    const std::string garden = saveAs("garden.ini");
    WindowOptions o = options();
    o.openFile = garden;
    auto started = makeWindow(std::move(o));
    EXPECT_EQ(started->currentFile(), garden);
    EXPECT_EQ(started->model().params.latitude, 41);
    EXPECT_FALSE(started->parametersChanged());
}

TEST_F(WindowFiles, ABadFileAtTheStartGetsTheLoadCommandsMessageAndTheStartConfigurationStays)
{
    const std::string missing = FromQt(folder.filePath(QStringLiteral("missing.adt")));
    window->setFileChooser([missing](const FileDialogRequest&) { return missing; });
    host.messages.clear();
    action("Datenladen1")->trigger();
    const auto menuMessages = host.messages;
    ASSERT_FALSE(menuMessages.empty());

    host.messages.clear();
    const double startLatitude = latitude();
    WindowOptions o = options();
    o.openFile = missing;
    auto started = makeWindow(std::move(o));
    ASSERT_EQ(host.messages.size(), menuMessages.size());
    EXPECT_EQ(host.messages.front().text, menuMessages.front().text);
    EXPECT_EQ(started->model().params.latitude, startLatitude);
    EXPECT_TRUE(started->currentFile().empty());
}

TEST_F(WindowFiles, OnlyDropsWithFileUrlsAreOpened)
{
    typeAndLeave("eBreit", "39");
    const std::string garden = saveAs("garden.ini");
    typeAndLeave("eBreit", "10");
    answer(SaveAnswer::Discard);

    QMimeData text;
    text.setText(ToQt(garden));
    EXPECT_FALSE(drop(text));
    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.org/garden.ini"))});
    EXPECT_FALSE(drop(web));
    EXPECT_EQ(latitude(), 10);

    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(ToQt(garden))});
    EXPECT_TRUE(drop(file));
    EXPECT_EQ(latitude(), 39);
}

TEST_F(WindowFiles, TheWindowKeepsSizePageRecentFilesAndFolderButNoParameterInItsOwnFile)
{
    const QString settings = WindowSettingsPath();
    EXPECT_TRUE(settings.startsWith(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")))) << FromQt(settings);
    EXPECT_TRUE(settings.endsWith(QStringLiteral("/umbrix/window.conf"))) << FromQt(settings);

    QDir(folder.path()).mkdir(QStringLiteral("dials"));
    const std::string garden = saveAs("dials/garden.ini");
    showPage("TSAnaDat");
    window->showNormal();
    window->resize(1100, 720);
    answer(SaveAnswer::Discard);
    ASSERT_TRUE(window->close());

    QFile file(settings);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray kept = file.readAll();
    EXPECT_TRUE(kept.contains("TSAnaDat"));
    EXPECT_FALSE(kept.contains("latitude") || kept.contains("Breite") || kept.contains("language"));

    auto next = makeWindow(options());
    EXPECT_EQ(next->findChild<QTabWidget*>(QStringLiteral("PgCtrl"))->currentWidget()->objectName(),
              QStringLiteral("TSAnaDat"));
    EXPECT_EQ(next->size(), QSize(1100, 720));
    EXPECT_FALSE(next->isMaximized());
    EXPECT_EQ(ToQt(next->lastFolder().folder()), QFileInfo(ToQt(garden)).absolutePath());
    EXPECT_EQ(next->recentFiles().front(), ToQt(garden));

    // Forgetting: nothing is left, and the next run starts as the first.
    next->findChild<QAction*>(QStringLiteral("ForgetWindow1"))->trigger();
    EXPECT_TRUE(next->recentFiles().isEmpty());
    ASSERT_TRUE(next->close());
    const WindowMemory memory = ReadWindowMemory();
    EXPECT_FALSE(memory.size);
    EXPECT_TRUE(memory.page.isEmpty());
    EXPECT_TRUE(memory.recent.isEmpty());
    EXPECT_TRUE(memory.lastFolder.isEmpty());
}

TEST(WindowMemoryList, RecentFilesKeepOneEntryPerFileAndAtMostEight)
{
    QStringList recent;
    for (int i = 0; i < 12; ++i)
        recent = WithRecentFile(recent, QStringLiteral("/d/%1.ini").arg(i % 9));
    EXPECT_EQ(recent.size(), kMaxRecentFiles);
    EXPECT_EQ(recent.front(), QStringLiteral("/d/2.ini"));
    EXPECT_EQ(recent.removeDuplicates(), 0);
}

} // namespace
} // namespace umbrix
