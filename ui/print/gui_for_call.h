#pragma once
// Text on a PDF page needs a QGuiApplication. umbrix-cli has none: GuiForCall makes one for the length of a
// call, on the offscreen platform when neither a display nor QT_QPA_PLATFORM is set.

#include <QCoreApplication>
#include <QGuiApplication>

#include <clocale>
#include <memory>
#include <string>

namespace umbrix {

/// A QGuiApplication for the length of one call when the process has none. Qt switches the C library to
/// the user's locale on start-up; the previous locale is restored afterwards.
class GuiForCall {
public:
    GuiForCall()
    {
        if (QCoreApplication::instance())
            return;
        if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (const char* locale = std::setlocale(LC_ALL, nullptr))
            locale_ = locale;
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    ~GuiForCall()
    {
        if (!app_)
            return;
        app_.reset();
        if (!locale_.empty())
            std::setlocale(LC_ALL, locale_.c_str());
    }
    GuiForCall(const GuiForCall&) = delete;
    GuiForCall& operator=(const GuiForCall&) = delete;

private:
    int argc_ = 1;
    char name_[11] = "umbrix-cli";
    char* argv_[2] = {name_, nullptr};
    std::string locale_;
    std::unique_ptr<QGuiApplication> app_;
};

} // namespace umbrix
