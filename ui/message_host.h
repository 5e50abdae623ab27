#pragma once
// The window's side of the Host interface: messages as modal message boxes, progress on the waiting panel.

#include "core/host.h"

#include <functional>

class QWidget;

namespace umbrix {

/// What the waiting panel does while a long computation runs.
struct ProgressDisplay {
    std::function<void(int total)> begin;
    std::function<void()> step;
    std::function<void()> end;
};

class MessageBoxHost : public Host {
public:
    /// `parent`: the window the boxes belong to; `progress`: the waiting panel (may be empty).
    MessageBoxHost(QWidget* parent, ProgressDisplay progress);

    void showMessage(std::string_view caption, std::string_view text, MessageIcon icon) override;
    void progressBegin(int total) override;
    void progressStep() override;
    void progressEnd() override;

private:
    QWidget* parent_;
    ProgressDisplay progress_;
};

/// The host the tests give the window: messages are recorded instead of shown, and progress still reaches
/// the waiting panel.
class RecordingWindowHost : public RecordingHost {
public:
    void setProgressDisplay(ProgressDisplay progress) { progress_ = std::move(progress); }
    void progressBegin(int total) override;
    void progressStep() override;
    void progressEnd() override;

private:
    ProgressDisplay progress_;
};

} // namespace umbrix
