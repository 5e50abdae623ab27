#pragma once
// The save dialog of the exports: a file dialog that starts on a given filter and reports the filter the
// user left it on. Replaceable by a function, so that tests answer it without showing it.

#include "ui/main_window.h"

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace umbrix {

/// A save dialog with a preselected filter.
struct SaveDialogRequest {
    FileDialogRequest dialog; // title, filters, default suffix, proposed name, folder
    int filterIndex = 1;      // the filter chosen when the dialog opens, counted from 1
};

/// What the user chose.
struct SaveDialogAnswer {
    std::string path;
    int filterIndex = 1; // the filter chosen when the dialog was closed, counted from 1
};

/// Shows the dialog; the chosen file and filter, or nothing when it was cancelled.
using SaveFileChooser = std::function<std::optional<SaveDialogAnswer>(const SaveDialogRequest&)>;

/// The save dialog of the toolkit, with the overwrite prompt. Choosing a filter with a single extension
/// makes that extension the one appended to a name typed without one.
[[nodiscard]] std::optional<SaveDialogAnswer> ShowSaveDialog(QWidget* parent, const SaveDialogRequest& request);

/// Restores the normal cursor when it goes out of scope; shows the wait cursor meanwhile.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace umbrix
