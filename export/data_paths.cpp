#include "export/data_paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace umbrix {

bool InsideFolder(const std::string& dir, const std::string& root)
{
    namespace fs = std::filesystem;
    if (dir.empty() || root.empty())
        return false;
    std::error_code ec;
    const fs::path d = fs::weakly_canonical(fs::absolute(dir, ec), ec).lexically_normal();
    const fs::path r = fs::weakly_canonical(fs::absolute(root, ec), ec).lexically_normal();
    if (ec)
        return false;
    auto di = d.begin();
    for (auto ri = r.begin(); ri != r.end(); ++ri, ++di) {
        if (ri->empty()) // the empty element after a trailing separator
            continue;
        if (di == d.end() || *di != *ri)
            return false;
    }
    return true;
}

std::vector<std::string> DataDirectories(const std::string& programDir)
{
    namespace fs = std::filesystem;
    std::vector<std::string> dirs;
    if (!programDir.empty())
        dirs.push_back((fs::path(programDir) / ".." / "share" / "umbrix").lexically_normal().string());
#ifdef UMBRIX_DATA_DIR
    dirs.emplace_back(UMBRIX_DATA_DIR);
#endif
#if defined(UMBRIX_SOURCE_DIR) && defined(UMBRIX_BUILD_DIR)
    // The sources only for the program of this build tree: an installed or copied program never looks
    // into the build machine's source tree.
    if (InsideFolder(programDir, UMBRIX_BUILD_DIR)) {
        dirs.push_back((fs::path(UMBRIX_SOURCE_DIR) / "data").string());
        dirs.push_back((fs::path(UMBRIX_SOURCE_DIR) / "help").string());
    }
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
    return FindFileIn(DataDirectories(programDir), fileName);
}

std::string FindFileIn(const std::vector<std::string>& dirs, const std::string& fileName)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const std::string& dir : dirs) {
        const fs::path candidate = fs::path(dir) / fileName;
        if (fs::is_regular_file(candidate, ec))
            return candidate.string();
    }
    return {};
}

} // namespace umbrix
