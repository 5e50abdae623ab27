#pragma once
// Where the program finds its data files (start configuration, help pages) and the user's folder.

#include <string>
#include <vector>

namespace umbrix {

/// The folders that may hold the shipped data files, in the order they are searched: the installed data
/// folder beside the program (<program>/../share/umbrix), the data folder of the install prefix the
/// build was configured for, and, only for a program whose folder lies inside the build tree, the source
/// tree's data and help folders. An empty programDir (unknown) never reaches the source tree.
[[nodiscard]] std::vector<std::string> DataDirectories(const std::string& programDir);

/// Whether the folder `dir` is `root` or lies below it (both made absolute, symbolic links resolved as
/// far as they exist, compared element by element: "/a/bc" is not inside "/a/b").
[[nodiscard]] bool InsideFolder(const std::string& dir, const std::string& root);

/// The user's configuration folder: $XDG_CONFIG_HOME/umbrix or ~/.config/umbrix (empty when unknown).
[[nodiscard]] std::string UserConfigDirectory();

/// The first folder of DataDirectories that holds `fileName`, joined with it; empty when none does.
[[nodiscard]] std::string FindDataFile(const std::string& programDir, const std::string& fileName);

/// The first of `dirs` that holds `fileName`, joined with it; empty when none does.
[[nodiscard]] std::string FindFileIn(const std::vector<std::string>& dirs, const std::string& fileName);

} // namespace umbrix
