#include "ui/window_settings.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace umbrix {

namespace {

// $XDG_CONFIG_HOME/umbrix/window.conf, in the INI syntax.
std::unique_ptr<QSettings> Store()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return std::make_unique<QSettings>(folder + QStringLiteral("/umbrix/window.conf"), QSettings::IniFormat);
}

} // namespace

QString WindowSettingsPath()
{
    return Store()->fileName();
}

WindowMemory ReadWindowMemory()
{
    const auto s = Store();
    WindowMemory m;
    const QSize size = s->value(QStringLiteral("window/size")).toSize();
    if (size.isValid() && !size.isEmpty())
        m.size = size;
    m.maximised = s->value(QStringLiteral("window/maximised"), false).toBool();
    m.page = s->value(QStringLiteral("window/page")).toString();
    for (const QString& file : s->value(QStringLiteral("files/recent")).toStringList())
        if (!file.isEmpty() && !m.recent.contains(file) && m.recent.size() < kMaxRecentFiles)
            m.recent.push_back(file);
    m.lastFolder = s->value(QStringLiteral("files/lastFolder")).toString();
    const int language = s->value(QStringLiteral("window/language"), 0).toInt();
    m.languageIndex = language == 1 || language == 2 ? language : 0;
    return m;
}

void WriteWindowSize(std::optional<QSize> size, bool maximised, const QString& page)
{
    const auto s = Store();
    if (size)
        s->setValue(QStringLiteral("window/size"), *size);
    s->setValue(QStringLiteral("window/maximised"), maximised);
    s->setValue(QStringLiteral("window/page"), page);
}

void WriteRecentFiles(const QStringList& recent)
{
    Store()->setValue(QStringLiteral("files/recent"), recent);
}

void WriteLastFolder(const QString& folder)
{
    Store()->setValue(QStringLiteral("files/lastFolder"), folder);
}

void WriteLanguageChoice(int languageIndex)
{
    Store()->setValue(QStringLiteral("window/language"), languageIndex);
}

bool SystemLanguageIsGerman()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value.startsWith(QStringLiteral("de"));
    }
    return false;
}

void ForgetWindowMemory()
{
    const auto s = Store();
    s->clear();
    s->sync();
    QFile::remove(s->fileName());
}

QStringList WithRecentFile(QStringList recent, const QString& path)
{
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kMaxRecentFiles)
        recent.removeLast();
    return recent;
}

} // namespace umbrix
