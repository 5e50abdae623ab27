#pragma once
// The messages of a file that could not be written or read: the first line is the program's usual text,
// the second names the file and the reason ("PATH: REASON").

#include "core/fields.h"
#include "export/file_writer.h"

#include <string>

namespace umbrix {

/// How an output's first line reads when the target is not write-protected.
enum class SaveFirstLine {
    WriteProtection, // PATH + MessageTable row 18 (" :  Datei kann nicht gespeichert werden! Schreibgeschützt?")
    OpenError,       // "Open error: File  " + PATH, the table export's own line
};

/// A failed save: the error caption and icon; a write-protected target always gets row 18.
[[nodiscard]] UiMessage SaveFailureMessage(const LanguageState& lang, const std::string& path,
                                           const FileFailure& failure,
                                           SaveFirstLine firstLine = SaveFirstLine::WriteProtection);

/// A file that could not be read: MessageTable row 7 with the information caption and the error icon.
[[nodiscard]] UiMessage ReadFailureMessage(const LanguageState& lang, const FileFailure& failure);

} // namespace umbrix
