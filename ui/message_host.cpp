#include "ui/message_host.h"

#include "ui/qt_text.h"

#include <QMessageBox>

namespace umbrix {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

/// The texts of the tables break lines with "\r\n" or "\n\r"; a message box wants one "\n".
QString BoxText(std::string_view text)
{
    QString out = ToQt(text);
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

void Call(const std::function<void()>& f)
{
    if (f)
        f();
}

} // namespace

MessageBoxHost::MessageBoxHost(QWidget* parent, ProgressDisplay progress)
    : parent_(parent), progress_(std::move(progress))
{
}

void MessageBoxHost::showMessage(std::string_view caption, std::string_view text, MessageIcon icon)
{
    QMessageBox box(BoxIcon(icon), ToQt(caption), BoxText(text), QMessageBox::Ok, parent_);
    box.exec();
}

void MessageBoxHost::progressBegin(int total)
{
    if (progress_.begin)
        progress_.begin(total);
}

void MessageBoxHost::progressStep()
{
    Call(progress_.step);
}

void MessageBoxHost::progressEnd()
{
    Call(progress_.end);
}

void RecordingWindowHost::progressBegin(int total)
{
    RecordingHost::progressBegin(total);
    if (progress_.begin)
        progress_.begin(total);
}

void RecordingWindowHost::progressStep()
{
    RecordingHost::progressStep();
    Call(progress_.step);
}

void RecordingWindowHost::progressEnd()
{
    RecordingHost::progressEnd();
    Call(progress_.end);
}

} // namespace umbrix
