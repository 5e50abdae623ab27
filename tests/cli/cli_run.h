#pragma once
// Runs umbrix-cli in the test process and keeps its exit code and both output streams.

#include "cli/cli_app.h"

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

} // namespace umbrix
