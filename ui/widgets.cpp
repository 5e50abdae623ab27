#include "ui/widgets.h"

#include "core/input_panel.h"
#include "text/texts.h"
#include "ui/qt_text.h"

namespace umbrix {

namespace {

template <class W> W* Named(W* widget, const char* name, int tag)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setProperty("tag", tag);
    return widget;
}

} // namespace

QString DesignCaption(int tag, const char* fallback)
{
    const std::string_view text = tag > 0 ? ResourceText(StateFor(Language::German), tag) : std::string_view();
    return text.empty() ? QString::fromUtf8(fallback) : ToQt(text);
}

QLabel* MakeLabel(QWidget* parent, const char* name, int tag, const char* text)
{
    return Named(new QLabel(DesignCaption(tag, text), parent), name, tag);
}

QPushButton* MakeButton(QWidget* parent, const char* name, int tag, const char* text)
{
    return Named(new QPushButton(DesignCaption(tag, text), parent), name, tag);
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, int tag, const char* text)
{
    return Named(new QCheckBox(DesignCaption(tag, text), parent), name, tag);
}

QFrame* MakePanel(QWidget* parent, const char* name, int tag)
{
    auto* panel = Named(new QFrame(parent), name, tag);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
    return panel;
}

void MakeOpaque(QWidget& panel)
{
    panel.setBackgroundRole(QPalette::Window);
    if (!panel.palette().window().isOpaque()) {
        QPalette palette = panel.palette();
        QColor colour = palette.color(QPalette::Window);
        colour.setAlpha(255);
        palette.setColor(QPalette::Window, colour);
        panel.setPalette(palette);
    }
    panel.setAutoFillBackground(true);
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int tag)
{
    auto* edit = Named(new QLineEdit(parent), name, tag);
    edit->setMaxLength(32);
    return edit;
}

QSpinBox* MakeSpin(QWidget* parent, const char* name, const SpinRange& range)
{
    auto* spin = Named(new QSpinBox(parent), name, 0);
    spin->setRange(range.lo, range.hi);
    return spin;
}

QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, int tag)
{
    auto* memo = Named(new QPlainTextEdit(parent), name, tag);
    memo->setReadOnly(true);
    return memo;
}

void RefreshWhenShown(QWidget& page, bool& queued, const bool& stale, std::function<void()> refresh)
{
    if (!page.isVisible() || queued)
        return;
    queued = true;
    // The page is the call's context: a page that is gone gets no call.
    QMetaObject::invokeMethod(
        &page,
        [&page, &queued, &stale, refresh = std::move(refresh)] {
            queued = false;
            if (stale && page.isVisible())
                refresh();
        },
        Qt::QueuedConnection);
}

void ChainTabOrder(QWidget& parent, std::initializer_list<const char*> names)
{
    QWidget* previous = nullptr;
    for (const char* name : names) {
        auto* next = parent.findChild<QWidget*>(QString::fromLatin1(name));
        if (!next)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

int TagOf(const QObject& object)
{
    return object.property("tag").toInt();
}

} // namespace umbrix
