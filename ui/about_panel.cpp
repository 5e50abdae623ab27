#include "ui/about_panel.h"

#include "ui/widgets.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace umbrix {

namespace {

constexpr const char* kAuthorLine = "© Umbrix developers";
constexpr int kAboutWidthPx = 560;
constexpr int kAboutHeightPx = 380;

QString MailAddress()
{
    // The panel shows the address without its scheme.
    return QUrl(QString::fromLatin1(kMailUrl)).path();
}

} // namespace

LinkPanel::LinkPanel(const QString& name, const QString& text, QUrl target, QWidget* parent)
    : QLabel(text, parent), target_(std::move(target))
{
    setObjectName(name);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setCursor(Qt::PointingHandCursor);
    setMargin(3);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    setPalette(palette);
}

void LinkPanel::setHighlighted(bool on)
{
    QFont f = font();
    f.setItalic(on);
    setFont(f);
}

void LinkPanel::enterEvent(QEnterEvent* event)
{
    setHighlighted(true);
    QLabel::enterEvent(event);
}

void LinkPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit linkClicked(target_);
    QLabel::mouseReleaseEvent(event);
}

AboutPanel::AboutPanel(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("pAbout"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    setMouseTracking(true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 12, 16, 12);
    QLabel* caption = MakeLabel(this, "Label7", 0);
    QFont big = caption->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    caption->setFont(big);
    caption->setAlignment(Qt::AlignCenter);
    column->addWidget(caption);
    QLabel* purpose = MakeLabel(this, "Label8", 124);
    purpose->setAlignment(Qt::AlignCenter);
    column->addWidget(purpose);
    QLabel* author = MakeLabel(this, "lAuthor", 0, kAuthorLine);
    author->setAlignment(Qt::AlignCenter);
    column->addWidget(author);
    column->addSpacing(8);
    column->addWidget(MakeLabel(this, "Label10", 120));

    mail_ = new LinkPanel(QStringLiteral("Panel3"), MailAddress(), QUrl(QString::fromLatin1(kMailUrl)), this);
    web_ = new LinkPanel(QStringLiteral("Panel4"), QString::fromLatin1(kHomepageUrl),
                         QUrl(QString::fromLatin1(kHomepageUrl)), this);
    auto* links = new QGridLayout;
    links->addWidget(MakeLabel(this, "lHomepage", 0, "Homepage : "), 0, 0);
    links->addWidget(web_, 0, 1);
    links->addWidget(MakeLabel(this, "lEmail", 0, "email: "), 1, 0);
    links->addWidget(mail_, 1, 1);
    links->setColumnStretch(2, 1);
    column->addLayout(links);
    // The gazetteer's data and its licence.
    QLabel* places =
        MakeLabel(this, "lGeoNames", 0, "Places: GeoNames (www.geonames.org), CC BY 4.0 / Orte: GeoNames, CC BY 4.0");
    places->setAlignment(Qt::AlignCenter);
    column->addWidget(places);
    column->addSpacing(8);

    QPlainTextEdit* terms = MakeMemo(this, "Memo1", 30);
    terms->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    column->addWidget(terms, 1);

    QPushButton* ok = MakeButton(this, "Button2", 0, "O&K");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addStretch(1);
    column->addLayout(buttons);

    for (LinkPanel* link : {mail_, web_}) {
        connect(link, &LinkPanel::linkClicked, this, &AboutPanel::linkClicked);
        link->installEventFilter(this);
    }
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);
    resize(kAboutWidthPx, kAboutHeightPx);
    hide();
}

void AboutPanel::showWithCaption(const QString& caption)
{
    findChild<QLabel*>(QStringLiteral("Label7"))->setText(caption);
    if (QWidget* area = parentWidget())
        move(std::max((area->width() - width()) / 2, 0), std::max((area->height() - height()) / 3, 0));
    mail_->setHighlighted(false);
    web_->setHighlighted(false);
    show();
    raise();
}

bool AboutPanel::eventFilter(QObject* watched, QEvent* event)
{
    // The pointer leaving a link panel shows it normally again.
    if (event->type() == QEvent::Leave)
        if (auto* link = qobject_cast<LinkPanel*>(watched))
            link->setHighlighted(false);
    return QFrame::eventFilter(watched, event);
}

void AboutPanel::mouseMoveEvent(QMouseEvent* event)
{
    // The pointer over the panel's background: both links in their normal font.
    mail_->setHighlighted(false);
    web_->setHighlighted(false);
    QFrame::mouseMoveEvent(event);
}

} // namespace umbrix
