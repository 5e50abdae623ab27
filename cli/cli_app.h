#pragma once
// umbrix-cli: the computations and exports without a window.

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace umbrix {

enum CliExit : int {
    kExitDone = 0,
    kExitCalculationError = 1, // the calculation reported an error code
    kExitUsage = 2,            // bad usage or rejected input
    kExitFile = 3,             // a file could not be read or written
};

struct FileSystem;

/// Whether a text holds a number that is not finite as a formatter writes it: "NaN", "INF", "-INF", "nan",
/// "inf" standing as a word of its own. No output may hold one: it is a calculation that failed.
[[nodiscard]] bool HoldsNonFiniteNumber(std::string_view text);

/// Runs umbrix-cli with its arguments (without the program name); standard output and error are given.
/// `system`: the system calls of the file outputs (tests make them fail); null for the real ones.
int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err, const FileSystem* system = nullptr);

} // namespace umbrix
