#pragma once
// Runs umbrix-cli in the test process and keeps its exit code and both output streams.

#include "cli/cli_app.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace umbrix {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

inline CliRun Cli(std::vector<std::string> args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

/// `name` in a folder of this test process's own below the temporary folder, named from `prefix` and the
/// process id, so that two checkouts testing at once do not meet.
inline std::filesystem::path TempFileIn(const std::string& prefix, const std::string& name)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir / name;
}

/// The whole file as bytes; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// Whether `part` occurs in `text`.
inline bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace umbrix
