#pragma once
// Where the program finds its start configuration and where it saves it.

#include <optional>
#include <string>
#include <vector>

namespace umbrix {

/// Where the start configuration is read from: "umbrix.ini" in the program folder, then in the user's
/// folder; only when neither exists "start.adt" in the program folder, then in the data folders in order.
[[nodiscard]] std::optional<std::string> FindStartConfiguration(const std::string& programDir,
                                                                const std::string& userDir,
                                                                const std::vector<std::string>& dataDirs);

/// Where "Save as start configuration" writes: the program folder when it is writable and not under /usr,
/// else the user's folder (created when missing).
[[nodiscard]] std::string StartConfigurationTarget(const std::string& programDir, const std::string& userDir);

} // namespace umbrix
