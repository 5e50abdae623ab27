#pragma once
// Configuration files: one complete parameter set as 26 text lines, CR LF after every line, "." as the
// decimal point, reals with 6 decimals, several values on a line separated by three blanks.

#include "core/fields.h"
#include "core/model.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

constexpr int kConfigurationLineCount = 26;

/// The 26 lines of the current parameters and input settings.
[[nodiscard]] std::vector<std::string> BuildConfigurationLines(const Model& model);

/// The lines joined with CR LF after every line.
[[nodiscard]] std::string ConfigurationText(const std::vector<std::string>& lines);

/// Splits file bytes into lines; CR, LF and CR LF each end a line.
[[nodiscard]] std::vector<std::string> SplitConfigurationLines(std::string_view bytes);

struct ConfigurationRead {
    bool ok = true;                  // false: the list was empty, or reading stopped at a line that is no number
    int linesRead = 0;               // lines interpreted before the end or the stop
    std::vector<UiMessage> messages; // in the order the window shows them
};

/// Sets parameters and settings from the lines 1..26 that exist. A line that is not a real number where one
/// is required stops the reading ("Error during File Input!"); the values read before stay set and the final
/// steps are skipped. Values outside the range of their control fall back to the line's default.
/// Final steps: the dial title, the nudge of a gnomon inclination of +-90, cosPlaneGnomon, UpdateAxes.
[[nodiscard]] ConfigurationRead ReadConfigurationLines(Model& model, const std::vector<std::string>& lines);

/// Reads a configuration file into the model. Unreadable file: M7 with the information caption; empty:
/// "File " + M29.
[[nodiscard]] ConfigurationRead LoadConfigurationFile(Model& model, const std::string& path);

/// Writes the configuration through a temporary file renamed over the target; on failure the message is
/// the file name followed by M18, and an existing file is left as it was.
[[nodiscard]] std::optional<UiMessage> SaveConfigurationFile(const Model& model, const std::string& path);

/// Where the start configuration is read from: "umbrix.ini" in the program folder, then in the user's
/// folder; only when neither exists "start.adt" in the program folder, then in the data folders in order.
[[nodiscard]] std::optional<std::string> FindStartConfiguration(const std::string& programDir,
                                                                const std::string& userDir,
                                                                const std::vector<std::string>& dataDirs);

/// Where "Save as start configuration" writes: the program folder when it is writable, else the user's folder.
[[nodiscard]] std::string StartConfigurationTarget(const std::string& programDir, const std::string& userDir);

} // namespace umbrix
