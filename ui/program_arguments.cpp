#include "ui/program_arguments.h"

#include "core/version.h"

namespace umbrix {

namespace {

constexpr std::string_view kProgramUsage =
    "usage: umbrix [-debug] [FILE]\n"
    "       umbrix --help | --version\n"
    "\n"
    "Designs analemmatic sundials. FILE is a configuration (.adt or .ini) to open;\n"
    "-debug (or /debug) writes a log of the help window to umbrix_debug.log.\n"
    "The options of every Qt program (-platform, -style ...) work as well.\n"
    "See man umbrix, and umbrix-cli for the same work without a window.\n";

} // namespace

std::optional<std::string> ProgramInfoText(const std::vector<std::string>& arguments)
{
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (arg == "--")
            break;
        if (arg == "--help" || arg == "-h")
            return std::string(kProgramUsage);
        if (arg == "--version")
            return "umbrix " + std::string(kUmbrixVersion) + "\n";
    }
    return std::nullopt;
}

std::optional<std::string> FileArgument(const std::vector<std::string>& arguments)
{
    bool onlyFiles = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (!onlyFiles && arg == "--") {
            onlyFiles = true;
            continue;
        }
        if (!onlyFiles && (arg.starts_with('-') || arg == "/debug"))
            continue;
        if (!arg.empty())
            return arg;
    }
    return std::nullopt;
}

} // namespace umbrix
