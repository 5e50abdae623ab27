// The layers of the source tree, read from the files themselves. Each layer includes only from itself and
// the layers below it: text <- core <- graphics <- export <- cli and ui, with the site layer (places, time
// zones) beside graphics and export on top of the core: the hosts (cli, ui, web/api) may use it, the
// drawing and the exports may not, and the core gets its results as plain data. umbrix-cli takes the
// window's printing folder (ui/print, its Qt PDF path) and nothing else of the window, the window nothing of
// umbrix-cli, and the web interface (web/api) builds on umbrix-cli's runs. Outside text/ no text is
// chosen by comparing the language index: texts that depend on the language are looked up in text/.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

/// The lines of `text`, each with its number from 1.
std::vector<std::pair<int, std::string>> Lines(const std::string& text)
{
    std::vector<std::pair<int, std::string>> lines;
    std::size_t begin = 0;
    int number = 1;
    while (begin < text.size()) {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        lines.emplace_back(number++, text.substr(begin, end - begin));
        begin = end + 1;
    }
    return lines;
}

/// The path of every header a line of `text` includes by quotes or angle brackets, "./" taken off.
std::vector<std::string> Included(const std::string& text)
{
    static const std::regex kInclude(R"(^\s*#\s*include\s*[<"](?:\./)?([^>"]+)[>"])");
    std::vector<std::string> found;
    for (const auto& [number, line] : Lines(text)) {
        std::smatch m;
        if (std::regex_search(line, m, kInclude))
            found.push_back(m[1].str());
    }
    return found;
}

/// The folders a file of `layer` may include from (a folder not listed here is no layer of the program).
const std::map<std::string, std::set<std::string>>& Allowed()
{
    static const std::map<std::string, std::set<std::string>> kAllowed = {
        {"text", {"text"}},
        {"core", {"text", "core"}},
        {"site", {"text", "core", "site"}},
        {"graphics", {"text", "core", "graphics"}},
        {"export", {"text", "core", "graphics", "export"}},
        {"cli", {"text", "core", "site", "graphics", "export", "cli", "ui/print"}},
        {"ui", {"text", "core", "site", "graphics", "export", "ui"}},
        {"web/api", {"text", "core", "site", "graphics", "export", "cli", "web/api"}},
    };
    return kAllowed;
}

/// The layer a header path belongs to ("ui/print" apart from the rest of the window, "web/api" the web
/// interface's C++ side), or "" for none.
std::string LayerOf(const std::string& path)
{
    if (path.starts_with("ui/print/"))
        return "ui/print";
    if (path.starts_with("web/api/"))
        return "web/api";
    const std::size_t slash = path.find('/');
    if (slash == std::string::npos)
        return {};
    const std::string folder = path.substr(0, slash);
    return Allowed().contains(folder) ? folder : std::string();
}

/// The includes of `text`, a file of `layer`, that reach a layer above it.
std::vector<std::string> UpwardIncludes(const std::string& layer, const std::string& text)
{
    std::vector<std::string> found;
    const std::set<std::string>& allowed = Allowed().at(layer);
    for (const std::string& path : Included(text)) {
        const std::string target = LayerOf(path);
        const bool ok = target.empty() || allowed.contains(target) || (target == "ui/print" && allowed.contains("ui"));
        if (!ok)
            found.push_back(path);
    }
    return found;
}

/// The lines of `text` that compare the language index with something, outside comments.
std::vector<std::string> LanguageIndexComparisons(const std::string& text)
{
    static const std::regex kComparison(R"(languageIndex\s*[=!]=|[=!]=\s*[\w.:>()-]*languageIndex)");
    std::vector<std::string> found;
    for (const auto& [number, line] : Lines(text)) {
        const std::string code = line.substr(0, line.find("//"));
        if (std::regex_search(code, kComparison))
            found.push_back(std::to_string(number) + ": " + line);
    }
    return found;
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Calls `check` with the folder name and the text of every source and header below `folder`.
template <class Check> int ForEachSource(const std::string& folder, Check check)
{
    const fs::path root(UMBRIX_SOURCE_DIR);
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp"))
            continue;
        ++files;
        check(fs::relative(entry.path(), root).generic_string(), ReadAll(entry.path()));
    }
    return files;
}

} // namespace

TEST(Layers, TheSearchSeesEveryUpwardInclude)
{
    EXPECT_EQ(UpwardIncludes("core", "#include \"ui/main_window.h\"\n").size(), 1u);
    EXPECT_EQ(UpwardIncludes("core", "int a;\n  # include <graphics/surface.h>\n").size(), 1u);
    EXPECT_EQ(UpwardIncludes("text", "#include \"core/model.h\"\n").size(), 1u);
    EXPECT_EQ(UpwardIncludes("graphics", "#include \"export/hpgl_plot.h\"\n").size(), 1u);
    EXPECT_EQ(UpwardIncludes("export", "#include \"cli/cli_app.h\"\n").size(), 1u);
    EXPECT_EQ(UpwardIncludes("cli", "#include \"ui/main_window.h\"\n").size(), 1u);
    EXPECT_EQ(UpwardIncludes("ui", "#include \"cli/json_report.h\"\n").size(), 1u);
    EXPECT_EQ(UpwardIncludes("cli", "#include \"web/api/session.h\"\n").size(), 1u);
    // The site layer: above the core, beside the drawing and the exports, below the hosts.
    EXPECT_EQ(UpwardIncludes("core", "#include \"site/site_service.h\"\n").size(), 1u);
    EXPECT_EQ(UpwardIncludes("graphics", "#include \"site/zone_rules.h\"\n").size(), 1u);
    EXPECT_EQ(UpwardIncludes("export", "#include \"site/place_index.h\"\n").size(), 1u);
    EXPECT_EQ(UpwardIncludes("site", "#include \"graphics/surface.h\"\n").size(), 1u);
    EXPECT_EQ(UpwardIncludes("site", "#include \"cli/cli_run.h\"\n").size(), 1u);
    EXPECT_EQ(UpwardIncludes("site", "#include \"core/summer_time.h\"\n#include \"site/zone_rules.h\"\n").size(), 0u);
    EXPECT_EQ(UpwardIncludes("ui", "#include \"site/site_service.h\"\n").size(), 0u);
    EXPECT_EQ(UpwardIncludes("web/api", "#include \"cli/cli_run.h\"\n#include \"site/site_service.h\"\n").size(), 0u);
    // Downward and sideways within a layer, the standard library and comments pass.
    EXPECT_EQ(
        UpwardIncludes("graphics", "#include \"core/model.h\"\n#include \"text/texts.h\"\n#include <vector>\n").size(),
        0u);
    EXPECT_EQ(UpwardIncludes("cli", "#include \"ui/print/pdf_export.h\"\n#include \"export/dxf.h\"\n").size(), 0u);
    EXPECT_EQ(UpwardIncludes("core", "// see ui/main_window.h\n#include \"core/ui_state.h\"\n").size(), 0u);
}

TEST(Layers, NoLayerIncludesFromALayerAboveIt)
{
    int files = 0;
    for (const auto& [layer, allowed] : Allowed()) {
        ASSERT_TRUE(fs::is_directory(fs::path(UMBRIX_SOURCE_DIR) / layer)) << layer;
        files += ForEachSource(layer, [&, layer = layer](const std::string& name, const std::string& text) {
            for (const std::string& path : UpwardIncludes(layer, text))
                ADD_FAILURE() << name << " includes " << path;
        });
    }
    EXPECT_GT(files, 150);
}

TEST(Texts, TheSearchSeesALanguageIndexComparison)
{
    EXPECT_EQ(LanguageIndexComparisons("const bool en = lang.languageIndex == 2;\n").size(), 1u);
    EXPECT_EQ(LanguageIndexComparisons("if (2 != model.state.language.languageIndex) x();\n").size(), 1u);
    EXPECT_EQ(LanguageIndexComparisons("return s.languageIndex==static_cast<int>(Language::English);\n").size(), 1u);
    EXPECT_EQ(LanguageIndexComparisons("json.value(m.state.language.languageIndex);\n").size(), 0u);
    EXPECT_EQ(LanguageIndexComparisons("lang.languageIndex = 2; // languageIndex == 2 is English\n").size(), 0u);
}

TEST(Texts, NoTextOutsideTheTextsIsChosenByTheLanguageIndex)
{
    int files = 0;
    for (const char* folder : {"core", "site", "graphics", "export", "cli", "ui", "web"})
        files += ForEachSource(folder, [](const std::string& name, const std::string& text) {
            for (const std::string& line : LanguageIndexComparisons(text))
                ADD_FAILURE() << name << ":" << line;
        });
    EXPECT_GT(files, 100);
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
