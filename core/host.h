#pragma once
// The one interface between the computations and whoever runs them (the window, umbrix-cli, a test).

#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

enum class MessageIcon { Warning, Error, Information, Question };

/// All the core may ask of its host: show a modal message, and step a progress display.
struct Host {
    virtual ~Host() = default;
    virtual void showMessage(std::string_view caption, std::string_view text, MessageIcon icon) = 0;
    virtual void progressBegin(int total) = 0;
    virtual void progressStep() = 0;
    virtual void progressEnd() = 0;
};

/// A host that keeps every call: for tests, and for umbrix-cli's JSON "messages".
struct RecordingHost : Host {
    struct Message {
        std::string caption;
        std::string text;
        MessageIcon icon;
    };
    std::vector<Message> messages;
    int progressTotal = 0;
    int progressSteps = 0;
    int progressBegins = 0;
    int progressEnds = 0;

    void showMessage(std::string_view caption, std::string_view text, MessageIcon icon) override
    {
        messages.push_back({std::string(caption), std::string(text), icon});
    }
    void progressBegin(int total) override
    {
        progressTotal = total;
        ++progressBegins;
    }
    void progressStep() override { ++progressSteps; }
    void progressEnd() override { ++progressEnds; }
};

} // namespace umbrix
