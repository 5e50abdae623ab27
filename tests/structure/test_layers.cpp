// The layers of the source tree, read from the files themselves: nothing below the window includes from it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

/// The lines of `text` that include a header of the window's folder.
std::vector<std::string> UiIncludes(const std::string& text)
{
    static const std::regex kUiInclude(R"(^\s*#\s*include\s*[<"](\./)?ui/)");
    std::vector<std::string> found;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        const std::string line = text.substr(begin, end - begin);
        if (std::regex_search(line, kUiInclude))
            found.push_back(line);
        begin = end + 1;
    }
    return found;
}

} // namespace

TEST(Layers, TheSearchSeesAnIncludeFromTheWindowsFolder)
{
    EXPECT_EQ(UiIncludes("#include \"ui/main_window.h\"\n").size(), 1u);
    EXPECT_EQ(UiIncludes("int a;\n  # include <ui/widgets.h>\n").size(), 1u);
    EXPECT_EQ(UiIncludes("#include \"core/ui_state.h\"\n#include \"text/texts.h\"\n").size(), 0u);
    EXPECT_EQ(UiIncludes("// see ui/main_window.h\n").size(), 0u);
}

TEST(Layers, NothingBelowTheWindowIncludesFromIt)
{
    const fs::path root(UMBRIX_SOURCE_DIR);
    int files = 0;
    for (const char* folder : {"text", "core", "site", "graphics", "export"}) {
        ASSERT_TRUE(fs::is_directory(root / folder)) << folder;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp"))
                continue;
            ++files;
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            for (const std::string& line : UiIncludes(text))
                ADD_FAILURE() << fs::relative(entry.path(), root).generic_string() << ": " << line;
        }
    }
    EXPECT_GT(files, 50);
}

namespace {

/// The #include lines of a file.
std::vector<std::string> Includes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> out;
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("#include", 0) == 0)
            out.push_back(line);
    return out;
}

} // namespace

TEST(Layers, TheGazetteerAndTheZoneLibraryStayInTheirOwnFiles)
{
    const fs::path root(UMBRIX_SOURCE_DIR);
    // The core gets plain data from the hosts: nothing of the site layer or its libraries.
    for (const auto& entry : fs::recursive_directory_iterator(root / "core"))
        for (const std::string& line : Includes(entry.path()))
            EXPECT_TRUE(line.find("site/") == std::string::npos && line.find("geonames") == std::string::npos &&
                        line.find("cctz") == std::string::npos)
                << entry.path().filename() << ": " << line;
    // The index, the coordinate reader, the sign check and the zone-rule interface build without them.
    for (const char* file : {"place_index.h", "place_index.cpp", "coordinates.h", "coordinates.cpp", "site_check.h",
                             "site_check.cpp", "zone_rules.h", "zone_rules.cpp"})
        for (const std::string& line : Includes(root / "site" / file))
            EXPECT_TRUE(line.find("geonames.h") == std::string::npos && line.find("cctz/") == std::string::npos &&
                        line.find("site/geonames_places.h") == std::string::npos &&
                        line.find("site/cctz_zone_rules.h") == std::string::npos)
                << file << ": " << line;
}
