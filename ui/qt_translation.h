#pragma once
// Qt's own texts - the buttons and captions of the file, print, page setup and message dialogs, the
// context menu of a field - in the program's language. The program's texts come from its text tables and
// never pass through Qt's translation, so installing it changes none of them.

#include "text/language.h"

#include <QObject>
#include <QString>
#include <QTranslator>

namespace umbrix {

/// Installs Qt's German translation (qtbase_de.qm of the Debian package qt6-translations-l10n) on the
/// application while the program speaks German and removes it for English (Qt's own language). Removed
/// with its owner.
class QtDialogLanguage : public QObject {
    Q_OBJECT
public:
    /// `translationsDir`: the folder of Qt's translation files; empty: the folder Qt was built with.
    explicit QtDialogLanguage(QObject* parent, QString translationsDir = {});

    /// Switches Qt's texts to `language`. Returns false when that language's translation cannot be loaded;
    /// Qt's texts are then English.
    bool apply(Language language);

    /// Whether Qt's German translation is installed now.
    [[nodiscard]] bool installed() const { return installed_; }

private:
    QString translationsDir_;
    QTranslator german_;
    bool loaded_ = false;
    bool installed_ = false;
};

} // namespace umbrix
