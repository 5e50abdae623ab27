#include "export/data_paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace umbrix {

std::vector<std::string> DataDirectories(const std::string& programDir)
{
    namespace fs = std::filesystem;
    std::vector<std::string> dirs;
    if (!programDir.empty())
        dirs.push_back((fs::path(programDir) / ".." / "share" / "umbrix").lexically_normal().string());
#ifdef UMBRIX_DATA_DIR
    dirs.emplace_back(UMBRIX_DATA_DIR);
#endif
#ifdef UMBRIX_SOURCE_DIR
    dirs.push_back((fs::path(UMBRIX_SOURCE_DIR) / "data").string());
    dirs.push_back((fs::path(UMBRIX_SOURCE_DIR) / "help").string());
#endif
    return dirs;
}

std::string UserConfigDirectory()
{
    namespace fs = std::filesystem;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return (fs::path(xdg) / "umbrix").string();
    if (const char* home = std::getenv("HOME"); home && *home)
        return (fs::path(home) / ".config" / "umbrix").string();
    return {};
}

std::string FindDataFile(const std::string& programDir, const std::string& fileName)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const std::string& dir : DataDirectories(programDir)) {
        const fs::path candidate = fs::path(dir) / fileName;
        if (fs::is_regular_file(candidate, ec))
            return candidate.string();
    }
    return {};
}

} // namespace umbrix
