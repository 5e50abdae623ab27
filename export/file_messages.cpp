#include "export/file_messages.h"

#include "text/texts.h"

#include <sys/stat.h>

namespace umbrix {

UiMessage SaveFailureMessage(const LanguageState& lang, const std::string& path, const FileFailure& failure,
                             SaveFirstLine firstLine)
{
    // "Write-protection?" only where it is the cause; any other failure is the file and the system's reason.
    std::string text;
    if (failure.writeProtected())
        text = path + std::string(MessageRow(lang, MessageId::CannotSave)) + "\n";
    else if (firstLine == SaveFirstLine::OpenError)
        text = "Open error: File  " + path + "\n";
    else if (failure.path != path)
        text = path + "\n";
    text += FailureLine(lang, failure);
    return {std::string(CaptionText(lang, Caption::Error)), std::move(text), MessageIcon::Error};
}

std::optional<UiMessage> FifoRefusal(const LanguageState& lang, const std::string& path, bool save)
{
    struct ::stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISFIFO(info.st_mode))
        return std::nullopt;
    const FileFailure failure{.error = 0, .own = OwnText::FifoRefused, .path = path};
    return save ? SaveFailureMessage(lang, path, failure) : ReadFailureMessage(lang, failure);
}

UiMessage ReadFailureMessage(const LanguageState& lang, const FileFailure& failure)
{
    return {std::string(CaptionText(lang, Caption::Information)),
            std::string(MessageRow(lang, MessageId::ReadError)) + "\n" + FailureLine(lang, failure),
            MessageIcon::Error};
}

} // namespace umbrix
