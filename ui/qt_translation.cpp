#include "ui/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include <utility>

namespace umbrix {

QtDialogLanguage::QtDialogLanguage(QObject* parent, QString translationsDir)
    : QObject(parent), translationsDir_(translationsDir.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                                                                  : std::move(translationsDir))
{
}

bool QtDialogLanguage::apply(Language language)
{
    if (language == Language::English) {
        if (installed_)
            QCoreApplication::removeTranslator(&german_);
        installed_ = false;
        return true;
    }
    // Loaded once, at the first switch to German: an English session never reads the file.
    if (!loaded_)
        loaded_ = german_.load(QStringLiteral("qtbase_de"), translationsDir_);
    if (loaded_ && !installed_)
        installed_ = QCoreApplication::installTranslator(&german_);
    return installed_;
}

} // namespace umbrix
