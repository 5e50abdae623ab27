#include "text/language.h"
#include "ui/help_window.h"

#include "text/own_texts.h"
#include "ui/qt_text.h"

#include <QBoxLayout>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>

namespace umbrix {

namespace {

constexpr int kHelpWidthPx = 860;
constexpr int kHelpHeightPx = 700;

QToolButton* MakeToolButton(QWidget* parent, const char* name)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)), back_(MakeToolButton(this, "HelpBack")),
      forward_(MakeToolButton(this, "HelpForward")), contents_(MakeToolButton(this, "HelpContents")),
      close_(MakeToolButton(this, "HelpClose")), findLabel_(new QLabel(this)), findField_(new QLineEdit(this))
{
    findField_->setObjectName(QStringLiteral("HelpFind"));
    findField_->setClearButtonEnabled(true);
    findLabel_->setBuddy(findField_);
    setObjectName(QStringLiteral("HelpWindow"));
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    // Links within the page stay here; web and mail addresses open in the desktop's programs.
    browser_->setOpenExternalLinks(true);
    browser_->setOpenLinks(true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents_);
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addStretch(1);
    buttons->addWidget(findLabel_);
    buttons->addWidget(findField_);
    buttons->addWidget(close_);
    column->addLayout(buttons);
    column->addWidget(browser_, 1);

    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents_, &QToolButton::clicked, browser_, &QTextBrowser::home);
    connect(close_, &QToolButton::clicked, this, &QWidget::close);
    connect(findField_, &QLineEdit::returnPressed, this, [this] {
        (void)find(findField_->text(), QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
    });
    connect(findField_, &QLineEdit::textEdited, this, [this](const QString& text) {
        // Typing searches from the top of the page.
        browser_->moveCursor(QTextCursor::Start);
        (void)find(text);
    });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Umbrix") : title);
    });

    QSize size(kHelpWidthPx, kHelpHeightPx);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize());
    resize(size);
    setLanguage(1);
}

bool HelpWindow::showPage(const QString& path)
{
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return false;
    const QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
    // A new page starts a new history; the same page is shown again at its contents.
    if (browser_->source() != url) {
        browser_->setSource(url);
        browser_->clearHistory();
    } else {
        browser_->home();
    }
    browser_->verticalScrollBar()->setValue(0);
    show();
    raise();
    activateWindow();
    return true;
}

bool HelpWindow::showTopic(const QString& path, const QString& topic)
{
    if (!showPage(path))
        return false;
    if (!topic.isEmpty()) {
        // The browser goes to the anchor once the page is laid out; the way back returns to where it was.
        QUrl at = browser_->source().adjusted(QUrl::RemoveFragment);
        at.setFragment(topic);
        browser_->setSource(at);
    }
    return true;
}

bool HelpWindow::find(const QString& text, bool backward)
{
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (browser_->find(text, flags))
        return true;
    // Wrapped around: from the other end of the page.
    browser_->moveCursor(backward ? QTextCursor::End : QTextCursor::Start);
    return browser_->find(text, flags);
}

void HelpWindow::setLanguage(int languageIndex)
{
    const bool german = LanguageOf({languageIndex, 0}) == Language::German;
    contents_->setText(german ? QStringLiteral("&Inhalt") : QStringLiteral("&Contents"));
    back_->setText(german ? QStringLiteral("&Zurück") : QStringLiteral("&Back"));
    forward_->setText(german ? QStringLiteral("&Vor") : QStringLiteral("&Forward"));
    const LanguageState lang = StateFor(german ? Language::German : Language::English);
    close_->setText(ToQt(OwnTextOf(lang, OwnText::HelpClose)));
    close_->setToolTip(ToQt(OwnTextOf(lang, OwnText::HelpCloseTip)));
    findLabel_->setText(ToQt(OwnTextOf(lang, OwnText::HelpFind)));
    findField_->setToolTip(ToQt(OwnTextOf(lang, OwnText::HelpFindTip)));
}

void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    // Esc closes the help as its close button does; the browser passes on the keys it does not use.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace umbrix
