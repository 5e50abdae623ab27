// The current configuration file: the window's title, the question before changed parameters are left,
// the recent files, files named on the command line or dropped on the window, and what the window keeps
// between runs.

#include "export/config_file.h"
#include "export/file_messages.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/own_labels.h"
#include "ui/qt_text.h"
#include "ui/window_settings.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QTabWidget>

#include <filesystem>

namespace umbrix {

namespace {

/// The first local file among the URLs of a drop; nothing for a drop without file URLs (text, or the
/// drawing's own drag).
std::optional<QString> DroppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return std::nullopt;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            return url.toLocalFile();
    return std::nullopt;
}

SaveAnswer AskWithBox(QWidget* parent, const QString& caption, const QString& text)
{
    switch (QMessageBox::question(parent, caption, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                  QMessageBox::Save)) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

QString FileName(const std::string& path)
{
    return QFileInfo(ToQt(path)).fileName();
}

} // namespace

void MainWindow::buildFileMenuItems(QMenu& file, QAction* before, QMenu& options)
{
    recentMenu_ = new QMenu(&file);
    recentMenu_->setObjectName(QStringLiteral("RecentFiles1"));
    recentMenu_->menuAction()->setObjectName(QStringLiteral("RecentFiles1"));
    SetOwnText(*recentMenu_->menuAction(), OwnText::RecentFiles);
    file.insertMenu(before, recentMenu_);

    auto* forget = new QAction(this);
    forget->setObjectName(QStringLiteral("ForgetWindow1"));
    SetOwnText(*forget, OwnText::ForgetWindowSettings);
    options.addAction(forget);
    connect(forget, &QAction::triggered, this, &MainWindow::forgetWindowSettings);
}

void MainWindow::restoreWindowMemory()
{
    const WindowMemory memory = ReadWindowMemory();
    recent_ = memory.recent;
    const bool folderExists = !memory.lastFolder.isEmpty() && QFileInfo(memory.lastFolder).isDir();
    lastFolder_.setFolder(folderExists ? memory.lastFolder.toStdString() : paths_.workingDir);
    startPage_ = memory.page;
    if (memory.size) {
        // A window that was not maximised comes back in its size, within the screen.
        QSize size = *memory.size;
        if (const QScreen* shown = screen())
            size = size.boundedTo(shown->availableGeometry().size());
        if (!memory.maximised)
            setWindowState(windowState() & ~Qt::WindowMaximized);
        resize(size);
    }
    rebuildRecentMenu();
}

void MainWindow::showRememberedPage()
{
    if (startPage_.isEmpty())
        return;
    QWidget* page = PgCtrl->findChild<QWidget*>(startPage_);
    const int index = page ? PgCtrl->indexOf(page) : -1;
    if (index >= 0 && PgCtrl->isTabVisible(index) && PgCtrl->isTabEnabled(index))
        PgCtrl->setCurrentIndex(index);
    startPage_.clear();
}

void MainWindow::chooseFolderOf(const std::string& chosenFile)
{
    const std::string before = lastFolder_.folder();
    lastFolder_.rememberFileOf(chosenFile);
    if (lastFolder_.folder() != before)
        WriteLastFolder(ToQt(lastFolder_.folder()));
}

bool MainWindow::parametersChanged() const
{
    return !currentFile_.empty() && BuildConfigurationLines(model_) != savedLines_;
}

void MainWindow::setCurrentFile(std::string path, bool recent)
{
    if (recent) {
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(path, error);
        recent_ = WithRecentFile(recent_, ToQt(error ? path : absolute.lexically_normal().string()));
        WriteRecentFiles(recent_);
        rebuildRecentMenu();
    }
    currentFile_ = std::move(path);
    savedLines_ = BuildConfigurationLines(model_);
    updateTitle();
}

void MainWindow::updateTitle()
{
    QString title = QString::fromLatin1(kWindowCaption);
    if (!currentFile_.empty()) {
        title = title.trimmed() + QStringLiteral(" \u2013 ") + FileName(currentFile_);
        if (parametersChanged())
            title += QLatin1Char('*');
    }
    if (title != windowTitle())
        setWindowTitle(title);
}

bool MainWindow::confirmLeave()
{
    if (!parametersChanged())
        return true;
    const LanguageState& lang = model_.state.language;
    const QString caption = ToQt(OwnTextOf(lang, OwnText::UnsavedCaption));
    const QString text = ToQt(OwnTextWith(lang, OwnText::SaveChangesQuestion, FromQt(FileName(currentFile_))));
    switch (askSave_ ? askSave_(caption, text) : AskWithBox(this, caption, text)) {
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        return false;
    case SaveAnswer::Save:
        break;
    }
    // A failed save keeps the parameters where they are: the message says why, and nothing is left.
    if (const std::optional<UiMessage> fifo = FifoRefusal(model_.state.language, currentFile_, true)) {
        showMessages({*fifo});
        return false;
    }
    if (const std::optional<UiMessage> failure = SaveConfigurationFile(model_, currentFile_)) {
        showMessages({*failure});
        return false;
    }
    setCurrentFile(currentFile_, false);
    return true;
}

bool MainWindow::openConfiguration(const std::string& path)
{
    if (!confirmLeave())
        return false;
    return loadConfiguration(path);
}

void MainWindow::rebuildRecentMenu()
{
    if (!recentMenu_)
        return;
    recentMenu_->clear();
    for (int i = 0; i < recent_.size(); ++i) {
        const QString path = recent_[i];
        // "&1" .. "&8": the digits choose an entry from the keyboard.
        QAction* entry =
            recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        entry->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        connect(entry, &QAction::triggered, this, [this, path] { (void)openConfiguration(FromQt(path)); });
    }
    if (recent_.isEmpty()) {
        QAction* none = recentMenu_->addAction(ToQt(OwnTextOf(model_.state.language, OwnText::NoRecentFiles)));
        SetOwnText(*none, OwnText::NoRecentFiles);
        none->setEnabled(false);
    }
}

void MainWindow::forgetWindowSettings()
{
    ForgetWindowMemory();
    recent_.clear();
    rebuildRecentMenu();
    lastFolder_.setFolder(paths_.workingDir);
    windowMemoryForgotten_ = true;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!confirmLeave()) {
        event->ignore();
        return;
    }
    if (!windowMemoryForgotten_) {
        const QSize size = isMaximized() ? normalGeometry().size() : this->size();
        const QWidget* page = PgCtrl->currentWidget();
        WriteWindowSize(size.isValid() && !size.isEmpty() ? std::optional<QSize>(size) : std::nullopt, isMaximized(),
                        page ? page->objectName() : QString());
    }
    // Closing the window ends the program: the help window goes with it.
    if (helpWindow_)
        helpWindow_->close();
    QMainWindow::closeEvent(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (DroppedFile(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const std::optional<QString> file = DroppedFile(event->mimeData());
    if (!file) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    (void)openConfiguration(FromQt(*file));
}

} // namespace umbrix
