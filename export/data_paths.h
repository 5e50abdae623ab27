#pragma once
// Where the program finds its data files (start configuration, help pages) and the user's folder.

#include <string>
#include <vector>

namespace umbrix {

/// The folders that may hold the shipped data files, in the order they are searched: the installed data
/// folder beside the program (<program>/../share/umbrix), the data folder the build was configured for,
/// and, for a program run from the build tree, the source tree's data and help folders.
[[nodiscard]] std::vector<std::string> DataDirectories(const std::string& programDir);

/// The user's configuration folder: $XDG_CONFIG_HOME/umbrix or ~/.config/umbrix (empty when unknown).
[[nodiscard]] std::string UserConfigDirectory();

/// The first folder of DataDirectories that holds `fileName`, joined with it; empty when none does.
[[nodiscard]] std::string FindDataFile(const std::string& programDir, const std::string& fileName);

} // namespace umbrix
