#pragma once
// What the window keeps between runs, in ~/.config/umbrix/window.conf ($XDG_CONFIG_HOME/umbrix/window.conf):
// its size, whether it was maximised, the last page (by name), the recently used configuration files and
// the last folder of the file dialogs, and the language last chosen in the window's menu. No dial parameter:
// those belong to the configuration files and the start configuration umbrix.ini, which this never touches.

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace umbrix {

/// The recent-file list holds at most this many files.
constexpr int kMaxRecentFiles = 8;

struct WindowMemory {
    std::optional<QSize> size; // the window's normal (not maximised) size
    bool maximised = false;
    QString page;          // object name of the page shown last
    QStringList recent;    // most recent first, at most kMaxRecentFiles, no file twice
    QString lastFolder;    // where the file dialogs opened or chose last
    int languageIndex = 0; // 1 German, 2 English as chosen in the window's menu; 0 never chosen
};

/// The file the window's memory is kept in.
[[nodiscard]] QString WindowSettingsPath();

/// What the file holds; defaults for what it lacks or holds in a form that cannot be read (a size that is
/// not positive, too many recent files).
[[nodiscard]] WindowMemory ReadWindowMemory();
void WriteWindowSize(std::optional<QSize> size, bool maximised, const QString& page);
void WriteRecentFiles(const QStringList& recent);
void WriteLastFolder(const QString& folder);
/// Keeps the language chosen in the window's menu (languageIndex 1 German, 2 English).
void WriteLanguageChoice(int languageIndex);

/// The language of the system's locale for messages: German when the first of LC_ALL, LC_MESSAGES and LANG
/// that is set and not empty begins with "de", English otherwise (also when none is set).
[[nodiscard]] bool SystemLanguageIsGerman();
/// Removes everything the window keeps.
void ForgetWindowMemory();

/// `recent` with `path` in front, an earlier entry of the same file removed, cut to kMaxRecentFiles.
[[nodiscard]] QStringList WithRecentFile(QStringList recent, const QString& path);

} // namespace umbrix
