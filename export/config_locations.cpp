// Where the start configuration is looked for and where "Save as start configuration" writes.

#include "export/config_file.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace umbrix {

std::optional<std::string> FindStartConfiguration(const std::string& programDir, const std::string& userDir,
                                                  const std::vector<std::string>& dataDirs)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    auto existing = [&](const std::string& dir, const char* name) -> std::optional<std::string> {
        if (dir.empty())
            return std::nullopt;
        const fs::path file = fs::path(dir) / name;
        if (fs::is_regular_file(file, ec))
            return file.string();
        return std::nullopt;
    };
    for (const std::string& dir : {programDir, userDir})
        if (auto found = existing(dir, "umbrix.ini"))
            return found;
    if (auto found = existing(programDir, "start.adt"))
        return found;
    for (const std::string& dir : dataDirs)
        if (auto found = existing(dir, "start.adt"))
            return found;
    return std::nullopt;
}

std::string StartConfigurationTarget(const std::string& programDir, const std::string& userDir)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    // An installed program (anything under /usr) never writes beside itself, even where it may (as root).
    const fs::path canonical = programDir.empty() ? fs::path() : fs::weakly_canonical(programDir, ec);
    const std::string program = ec ? programDir : canonical.string() + "/";
    const bool installed = program.starts_with("/usr/");
    const bool programWritable = !programDir.empty() && !installed && ::access(programDir.c_str(), W_OK) == 0;
    const std::string dir = programWritable ? programDir : userDir;
    if (!programWritable && !userDir.empty())
        fs::create_directories(userDir, ec);
    return (fs::path(dir) / "umbrix.ini").string();
}

} // namespace umbrix
