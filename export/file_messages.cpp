#include "export/file_messages.h"

#include "text/texts.h"

namespace umbrix {

UiMessage SaveFailureMessage(const LanguageState& lang, const std::string& path, const FileFailure& failure,
                             SaveFirstLine firstLine)
{
    std::string text = firstLine == SaveFirstLine::OpenError && !failure.writeProtected()
                           ? "Open error: File  " + path
                           : path + std::string(MessageRow(lang, MessageId::CannotSave));
    text += "\n" + FailureLine(lang, failure);
    return {std::string(CaptionText(lang, Caption::Error)), std::move(text), MessageIcon::Error};
}

UiMessage ReadFailureMessage(const LanguageState& lang, const FileFailure& failure)
{
    return {std::string(CaptionText(lang, Caption::Information)),
            std::string(MessageRow(lang, MessageId::ReadError)) + "\n" + FailureLine(lang, failure),
            MessageIcon::Error};
}

} // namespace umbrix
