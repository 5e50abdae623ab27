// Qt's own dialogs speak the program's language: Qt's German translation comes and goes with German, and
// no text of the program passes through it.

#include "export/config_file.h"
#include "ui/qt_translation.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <memory>

namespace umbrix {
namespace {

/// The standard Cancel button as Qt's dialogs label it.
QString CancelText()
{
    const QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
}

/// Every text the window shows on its controls and menus.
QStringList WindowTexts(const QWidget& window)
{
    QStringList texts{window.windowTitle()};
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts << label->objectName() + QLatin1Char('=') + label->text();
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        texts << button->objectName() + QLatin1Char('=') + button->text() + button->toolTip();
    for (const QGroupBox* group : window.findChildren<QGroupBox*>())
        texts << group->objectName() + QLatin1Char('=') + group->title();
    for (const QAction* action : window.findChildren<QAction*>())
        texts << action->objectName() + QLatin1Char('=') + action->text();
    for (const QTabWidget* tabs : window.findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    return texts;
}

/// Translates every text Qt asks it for into something no program would show.
class TranslateEverything : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char*, int) const override
    {
        return source && *source ? QStringLiteral("#translated#") : QString();
    }
};

using QtTranslation = test::WindowTest;

TEST_F(QtTranslation, QtsDialogTextsFollowTheProgramsLanguage)
{
    // The window starts in German.
    EXPECT_EQ(CancelText(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("Datei&name:"));
    window->SetLanguage(Language::English);
    EXPECT_EQ(CancelText(), QStringLiteral("Cancel"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("File &name:"));
    window->SetLanguage(Language::German);
    EXPECT_EQ(CancelText(), QStringLiteral("Abbrechen"));
    // The translation goes with its window.
    window.reset();
    EXPECT_EQ(CancelText(), QStringLiteral("Cancel"));
}

TEST_F(QtTranslation, AStartConfigurationInEnglishLeavesQtInEnglish)
{
    Model model;
    InitDefaults(model);
    SetLanguage(model, Language::English);
    ASSERT_FALSE(SaveConfigurationFile(model, FromQt(folder.path()) + "/umbrix.ini").has_value());
    window.reset();
    window = makeWindow(options());
    ASSERT_EQ(window->model().state.language.languageIndex, 2);
    EXPECT_EQ(CancelText(), QStringLiteral("Cancel"));
    window->SetLanguage(Language::German);
    EXPECT_EQ(CancelText(), QStringLiteral("Abbrechen"));
}

TEST_F(QtTranslation, NoTextOfTheProgramPassesThroughQtsTranslation)
{
    for (const Language language : {Language::German, Language::English}) {
        window->SetLanguage(language);
        const QStringList before = WindowTexts(*window);
        {
            TranslateEverything everything;
            ASSERT_TRUE(QCoreApplication::installTranslator(&everything));
            QCoreApplication::processEvents();
            EXPECT_EQ(WindowTexts(*window), before);
        }
        QCoreApplication::processEvents();
    }
}

TEST(QtDialogLanguage, AMissingTranslationLeavesQtInEnglish)
{
    test::App();
    QtDialogLanguage missing(nullptr, QStringLiteral("/nonexistent/translations"));
    EXPECT_FALSE(missing.apply(Language::German));
    EXPECT_FALSE(missing.installed());
    EXPECT_EQ(CancelText(), QStringLiteral("Cancel"));
    EXPECT_TRUE(missing.apply(Language::English));

    QtDialogLanguage found(nullptr);
    EXPECT_TRUE(found.apply(Language::German));
    EXPECT_TRUE(found.apply(Language::German)); // installed once
    EXPECT_EQ(CancelText(), QStringLiteral("Abbrechen"));
    EXPECT_TRUE(found.apply(Language::English));
    EXPECT_EQ(CancelText(), QStringLiteral("Cancel"));
}

} // namespace
} // namespace umbrix
