#pragma once
// The messages of a file that could not be written or read: the first line is the program's usual text,
// the second names the file and the reason ("PATH: REASON").

#include "core/fields.h"
#include "export/file_writer.h"

#include <optional>
#include <string>

namespace umbrix {

/// How an output's first line reads when the target is not write-protected.
enum class SaveFirstLine {
    WriteProtection, // PATH + MessageTable row 18 (" :  Datei kann nicht gespeichert werden! Schreibgeschützt?")
    OpenError,       // "Open error: File  " + PATH, the table export's own line
};

/// A failed save: the error caption and icon. A write-protected target (permission denied, read-only file
/// system) gets row 18 above "PATH: REASON"; any other failure is "PATH: REASON" alone (with the target's
/// path above it when the reason is about another file, such as its folder), or the open-error line above it.
[[nodiscard]] UiMessage SaveFailureMessage(const LanguageState& lang, const std::string& path,
                                           const FileFailure& failure,
                                           SaveFirstLine firstLine = SaveFirstLine::WriteProtection);

/// The window's refusal of a FIFO (a named pipe, also behind a link) as a file to save or to load: with no
/// program at its other end the window would wait for one. The save or read failure message naming it, or
/// nothing for any other path. Devices stay allowed: a plot may go straight to a plotter.
[[nodiscard]] std::optional<UiMessage> FifoRefusal(const LanguageState& lang, const std::string& path, bool save);

/// A file that could not be read: MessageTable row 7 with the information caption and the error icon.
[[nodiscard]] UiMessage ReadFailureMessage(const LanguageState& lang, const FileFailure& failure);

} // namespace umbrix
