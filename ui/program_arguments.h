#pragma once
// The command line of the desktop program: what it asks for before any window exists, and the file it names.

#include <optional>
#include <string>
#include <vector>

namespace umbrix {

/// The text `umbrix --help`, `-h` or `--version` prints, or nothing when the window is to start. These are
/// looked at before Qt starts, so they work without a display. arguments[0] is the program.
[[nodiscard]] std::optional<std::string> ProgramInfoText(const std::vector<std::string>& arguments);

/// The configuration file named on the command line: the first argument that is not an option ("-…",
/// "/debug"); after "--" every argument is a file. arguments[0] is the program.
[[nodiscard]] std::optional<std::string> FileArgument(const std::vector<std::string>& arguments);

} // namespace umbrix
