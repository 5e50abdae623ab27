// The About panel, the links it opens and the help window: F1 opens the help at the topic of the page in front.

#include "text/texts.h"
#include "ui/about_panel.h"
#include "ui/help_bridge.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

#include <QDesktopServices>
#include <QTabWidget>

#include <string_view>

namespace umbrix {

std::string HelpTopicOfPage(const std::string& pageName)
{
    struct Topic {
        std::string_view page;
        std::string_view anchor;
    };
    constexpr Topic kTopics[] = {{"TSGrafik", "seitegrafik"},         {"TsDat", "seitestunden"},
                                 {"tsShade", "seiteschatten"},        {"TSAnaDat", "seitedatum"},
                                 {"tsSlope", "seiteschleifen"},       {"tsAccuracy", "seitegenauigkeit"},
                                 {"tsSimulation", "seitesimulation"}, {"tsPlanner", "planer"}};
    for (const Topic& topic : kTopics)
        if (topic.page == pageName)
            return std::string(topic.anchor);
    return {};
}

void MainWindow::About1Click()
{
    pAbout->showWithCaption(QString::fromLatin1(kWindowCaption));
}

void MainWindow::openLink(const QUrl& url)
{
    const bool opened = openUrl_ ? openUrl_(url) : QDesktopServices::openUrl(url);
    help_->log("open " + FromQt(url.toString()) + (opened ? "" : ": failed"));
    if (!opened) {
        const LanguageState& lang = model_.state.language;
        host_->showMessage(CaptionText(lang, Caption::Error), MessageRow(lang, MessageId::NoInternetLink),
                           MessageIcon::Error);
    }
}

void MainWindow::chooseHelpFile(bool reportMissing)
{
    help_->setLanguage(model_.state.language.languageIndex);
    if (helpWindow_)
        helpWindow_->setLanguage(model_.state.language.languageIndex);
    if (!help_->available() && reportMissing)
        host_->showMessage(CaptionText(model_.state.language, Caption::Information),
                           MissingHelpMessage(help_->shownPath()), MessageIcon::Question);
}

void MainWindow::Hilfe2Click()
{
    // A page installed since the start is found now.
    if (!help_->available())
        chooseHelpFile(false);
    if (!help_->available()) {
        help_->log("help asked for, no help page");
        host_->showMessage(CaptionText(model_.state.language, Caption::Information),
                           MissingHelpMessage(help_->shownPath()), MessageIcon::Question);
        return;
    }
    if (!helpWindow_) {
        helpWindow_ = new HelpWindow(this);
        helpWindow_->setLanguage(model_.state.language.languageIndex);
    }
    // The help opens at the topic of the page in front.
    const QWidget* page = PgCtrl->currentWidget();
    const bool shown = helpWindow_->showTopic(ToQt(help_->helpFile()),
                                              page ? ToQt(HelpTopicOfPage(FromQt(page->objectName()))) : QString());
    help_->log("help page " + help_->helpFile() + (shown ? " shown" : " could not be read"));
    if (!shown)
        host_->showMessage(CaptionText(model_.state.language, Caption::Information),
                           MissingHelpMessage(help_->helpFile()), MessageIcon::Question);
}

} // namespace umbrix
