#pragma once
// Configuration files: one complete parameter set as 26 text lines, CR LF after every line, "." as the
// decimal point, reals with 6 decimals, several values on a line separated by three blanks.

#include "core/configuration_lines.h"
#include "core/configured_dial.h"
#include "core/fields.h"
#include "core/model.h"
#include "export/file_writer.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// A configuration is read only up to this size; a longer file is no configuration (a real one is under
/// 2 KiB).
constexpr std::size_t kMaxConfigurationBytes = 64 * 1024;

/// The 26 lines of the current parameters and input settings.
[[nodiscard]] std::vector<std::string> BuildConfigurationLines(const Model& model);

/// The lines joined with CR LF after every line.
[[nodiscard]] std::string ConfigurationText(const std::vector<std::string>& lines);

/// Splits file bytes into lines; CR, LF and CR LF each end a line.
[[nodiscard]] std::vector<std::string> SplitConfigurationLines(std::string_view bytes);

struct ConfigurationRead {
    bool ok = true;                     // false: nothing was read (empty list, unreadable or refused file, bad line)
    int linesRead = 0;                  // lines interpreted before the end or the stop
    std::vector<UiMessage> messages;    // in the order the window shows them
    std::optional<ConfiguredDial> dial; // what the file sets, when it was read in full (ApplyConfiguredDial)
    std::vector<LineWarning> warnings;  // the lines not taken as written; the file was read all the same
    int failedLine = 0;                 // the line of the failure when !ok; 0 when no line is to blame
};

/// The warnings as umbrix-cli prints them after "umbrix-cli: warning: ": "FILE:LINE: TEXT", one a line.
[[nodiscard]] std::vector<std::string> WarningLines(const std::string& path, const std::vector<LineWarning>& warnings);

/// The warnings as the window shows them after loading: one message, "While loading FILE:" and a line
/// "LINE: TEXT" for each; nothing when there are none.
[[nodiscard]] std::optional<UiMessage> WarningsMessage(const LanguageState& lang, const std::string& path,
                                                       const std::vector<LineWarning>& warnings);

/// Reads parameters and settings from the lines that exist, all or nothing: starting from the model's values,
/// the lines are read (ReadConfigurationInto) into a copy that the result holds only when no line failed.
[[nodiscard]] ConfigurationRead ReadConfigurationLines(const Model& model, const std::vector<std::string>& lines);

/// Reads a configuration file of at most kMaxConfigurationBytes (ReadFileBounded: devices,
/// sockets and folders refused, a FIFO waited for at most 2 s a piece and 10 s in all). Unreadable or refused
/// file: M7 with the information caption and "PATH: REASON"; empty: "File " + M29 and the reason. A line that
/// fails adds "PATH:LINE" below its message.
[[nodiscard]] ConfigurationRead LoadConfigurationFile(const Model& model, const std::string& path,
                                                      const FileSystem& fs = SystemFileSystem());

/// Writes the configuration through the safe writer; on failure the message is the file name followed by
/// M18 and the reason, and an existing file is left as it was.
[[nodiscard]] std::optional<UiMessage> SaveConfigurationFile(const Model& model, const OutputTarget& target);

/// Where the start configuration is read from: "umbrix.ini" in the program folder, then in the user's
/// folder; only when neither exists "start.adt" in the program folder, then in the data folders in order.
[[nodiscard]] std::optional<std::string> FindStartConfiguration(const std::string& programDir,
                                                                const std::string& userDir,
                                                                const std::vector<std::string>& dataDirs);

/// Where "Save as start configuration" writes: the program folder when it is writable and not under /usr,
/// else the user's folder (created when missing).
[[nodiscard]] std::string StartConfigurationTarget(const std::string& programDir, const std::string& userDir);

} // namespace umbrix
