// The structure of the source tree, read from the tree itself: the derived geometry is stored by the
// calculation driver alone, drawing, printing and the exports only read the model, and no file grows
// beyond what a reader takes in at once.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

/// The folders of the product's own code.
const std::vector<std::string> kProductFolders = {"text", "core", "site", "graphics", "export", "ui", "cli", "bench"};

/// The one file that stores the derived geometry in the model.
constexpr std::string_view kDriverSource = "core/driver.cpp";

/// The text with every comment and every string or character literal blanked out (line breaks kept), so
/// that only code is searched.
std::string CodeOnly(const std::string& text)
{
    std::string out = text;
    enum class In { Code, LineComment, BlockComment, String, Char } in = In::Code;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        switch (in) {
        case In::Code:
            if (c == '/' && next == '/')
                in = In::LineComment;
            else if (c == '/' && next == '*')
                in = In::BlockComment;
            else if (c == '"')
                in = In::String;
            else if (c == '\'' && !(i > 0 && std::isxdigit(static_cast<unsigned char>(text[i - 1]))))
                in = In::Char; // not a digit separator as in 1'000
            else
                continue;
            break;
        case In::LineComment:
            if (c == '\n')
                in = In::Code;
            break;
        case In::BlockComment:
            if (c == '*' && next == '/') {
                out[i] = out[i + 1] = ' ';
                ++i;
                in = In::Code;
                continue;
            }
            break;
        case In::String:
        case In::Char:
            if (c == '\\') {
                out[i] = ' ';
                if (i + 1 < out.size() && out[i + 1] != '\n')
                    out[++i] = ' ';
                continue;
            }
            if (c == (in == In::String ? '"' : '\''))
                in = In::Code;
            break;
        }
        if (out[i] != '\n')
            out[i] = ' ';
    }
    return out;
}

struct Finding {
    std::string file;
    int line = 0;
    std::string text;
};

/// Every match of `pattern` in the code of `text` (comments and literals left out) that `keep` accepts;
/// keep gets the code and the match.
template <typename Keep>
std::vector<Finding> Matches(const std::string& relative, const std::string& text, const std::regex& pattern, Keep keep)
{
    std::vector<Finding> found;
    const std::string code = CodeOnly(text);
    for (auto it = std::sregex_iterator(code.begin(), code.end(), pattern); it != std::sregex_iterator(); ++it) {
        if (!keep(code, *it))
            continue;
        const auto at = static_cast<std::size_t>(it->position());
        const int line = 1 + static_cast<int>(std::count(code.begin(), code.begin() + static_cast<long>(at), '\n'));
        const std::size_t begin = text.rfind('\n', at) == std::string::npos ? 0 : text.rfind('\n', at) + 1;
        found.push_back({relative, line, text.substr(begin, text.find('\n', at) - begin)});
    }
    return found;
}

/// Whether the code just before the match ends with `before`.
bool Preceded(const std::string& code, const std::smatch& match, const std::regex& before)
{
    const auto at = static_cast<std::size_t>(match.position());
    const std::size_t from = at > 60 ? at - 60 : 0;
    return std::regex_search(code.substr(from, at - from), before);
}

/// The C++ sources and headers under the given folders of the source tree, as paths relative to it.
std::vector<std::string> SourcesUnder(const std::vector<std::string>& folders)
{
    std::vector<std::string> files;
    const fs::path root(UMBRIX_SOURCE_DIR);
    for (const std::string& folder : folders) {
        if (!fs::is_directory(root / folder))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string ext = entry.path().extension().string();
            if (entry.is_regular_file() && (ext == ".cpp" || ext == ".h"))
                files.push_back(fs::relative(entry.path(), root).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string Read(const std::string& relative)
{
    std::ifstream in(fs::path(UMBRIX_SOURCE_DIR) / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Listed(const std::vector<Finding>& findings)
{
    std::string text;
    for (const Finding& f : findings)
        text += f.file + ":" + std::to_string(f.line) + ": " + f.text + "\n";
    return text;
}

/// Writes into the model's derived geometry: an assignment to `derived` or to one of its members, or a
/// reference or pointer through which it could be written (a DerivedGeometry& or * that is not const, or
/// an auto& or auto* that is not const bound to something named derived).
std::vector<Finding> DerivedWrites(const std::string& relative, const std::string& text)
{
    static const std::regex kAssignment(R"(\bderived\s*(\.\s*\w+\s*)?([-+*/]?=)(?!=))");
    static const std::regex kTypedHandle(R"(\bDerivedGeometry\s*[&*](?!&))");
    static const std::regex kAutoHandle(R"(\bauto\s*[&*]\s*(\w+|\[[^\]]*\])\s*=[^;]*\bderived\b)");
    // A variable named derived being declared is no write; whether it is a handle is checked below.
    static const std::regex kDeclaredBefore(R"(\b(DerivedGeometry|auto)\s*[&*]?\s*$)");
    static const std::regex kConstBefore(R"(\bconst\s+$)");
    const auto assignment = [](const std::string& code, const std::smatch& m) {
        return !Preceded(code, m, kDeclaredBefore);
    };
    const auto mutableHandle = [](const std::string& code, const std::smatch& m) {
        return !Preceded(code, m, kConstBefore);
    };
    std::vector<Finding> found = Matches(relative, text, kAssignment, assignment);
    for (const std::regex* handle : {&kTypedHandle, &kAutoHandle}) {
        const std::vector<Finding> more = Matches(relative, text, *handle, mutableHandle);
        found.insert(found.end(), more.begin(), more.end());
    }
    return found;
}

/// The folders whose functions take the model read-only: the drawing, printing and the exports.
const std::vector<std::string> kReadOnlyFolders = {"graphics", "export"};

/// umbrix-cli's PDF print prints through the run's model, as the window's print does: the printed drawing
/// leaves its state there.
const std::vector<std::string> kPrinterStandIns = {"cli/print_pdf.h", "cli/print_pdf.cpp"};

/// A reference or pointer to a model that is not const: Model& or Model* without const before it.
std::vector<Finding> MutableModelHandles(const std::string& relative, const std::string& text)
{
    static const std::regex kHandle(R"(\bModel\s*(&|\*))");
    static const std::regex kConstBefore(R"(\bconst\s+(umbrix::)?$)");
    return Matches(relative, text, kHandle,
                   [](const std::string& code, const std::smatch& m) { return !Preceded(code, m, kConstBefore); });
}

/// A parameter of a function (or a lambda) that is a model which may be written: a MutableModelHandles
/// finding inside parentheses.
std::vector<Finding> WritableModelParameters(const std::string& relative, const std::string& text)
{
    static const std::regex kHandle(R"(\bModel\s*(&|\*))");
    static const std::regex kConstBefore(R"(\bconst\s+(umbrix::)?$)");
    return Matches(relative, text, kHandle, [](const std::string& code, const std::smatch& m) {
        const auto at = static_cast<long>(m.position());
        const long depth =
            std::count(code.begin(), code.begin() + at, '(') - std::count(code.begin(), code.begin() + at, ')');
        return depth > 0 && !Preceded(code, m, kConstBefore);
    });
}

/// What `scan` finds in each of the files but the `skipped` ones.
template <typename Scan>
std::vector<Finding> FindingsIn(const std::vector<std::string>& files, const std::vector<std::string>& skipped,
                                Scan scan)
{
    std::vector<Finding> all;
    for (const std::string& file : files) {
        if (std::find(skipped.begin(), skipped.end(), file) != skipped.end())
            continue;
        const std::vector<Finding> found = scan(file, Read(file));
        all.insert(all.end(), found.begin(), found.end());
    }
    return all;
}

} // namespace

TEST(ModelAccess, TheSearchSeesWritesOfTheDerivedGeometryAndNothingElse)
{
    const auto hits = [](const std::string& code) { return DerivedWrites("sample.cpp", code).size(); };
    EXPECT_EQ(hits("model.derived = DeriveGeometry(p, 1, 2);"), 1u);
    EXPECT_EQ(hits("m.derived.semiMinorAxis = 2;"), 1u);
    EXPECT_EQ(hits("model.derived.extentX *= 2;"), 1u);
    EXPECT_EQ(hits("void Store(DerivedGeometry& out);"), 1u);
    EXPECT_EQ(hits("DerivedGeometry* target = &model.derived;"), 1u);
    EXPECT_EQ(hits("auto& d = model.derived;"), 1u);
    EXPECT_EQ(hits("    auto& [b, x] = model.derived;"), 1u);
    EXPECT_EQ(hits("DerivedGeometry& derived = model.derived;"), 1u);

    EXPECT_EQ(hits("const DerivedGeometry& d = model.derived;"), 0u);
    EXPECT_EQ(hits("double f(const DialParameters& p, const DerivedGeometry& derived);"), 0u);
    EXPECT_EQ(hits("if (model.derived.extentX == 2) return;"), 0u);
    EXPECT_EQ(hits("const double b = model.derived.semiMinorAxis;"), 0u);
    EXPECT_EQ(hits("const auto& d = model.derived;"), 0u);
    EXPECT_EQ(hits("const DerivedGeometry derived = model.derived;"), 0u);
    EXPECT_EQ(hits("const DerivedGeometry& derived = model.derived;"), 0u);
    EXPECT_EQ(hits("DerivedGeometry g = DeriveAxes(p, 23.44, 0);"), 0u);
    EXPECT_EQ(hits("// model.derived = nothing; a comment"), 0u);
    EXPECT_EQ(hits("text = \"derived = 1\";"), 0u);
}

TEST(ModelAccess, OnlyTheDriverStoresTheDerivedGeometry)
{
    const std::vector<std::string> files = SourcesUnder(kProductFolders);
    ASSERT_GT(files.size(), 50u) << "the source tree was not found at " << UMBRIX_SOURCE_DIR;
    ASSERT_NE(std::find(files.begin(), files.end(), std::string(kDriverSource)), files.end());
    const std::vector<Finding> outside = FindingsIn(files, {std::string(kDriverSource)}, DerivedWrites);
    EXPECT_TRUE(outside.empty()) << "the derived geometry is written outside " << kDriverSource << ":\n"
                                 << Listed(outside);
}

TEST(ModelAccess, TheSearchSeesAModelThatMayBeWritten)
{
    const auto hits = [](const std::string& code) { return MutableModelHandles("sample.cpp", code).size(); };
    EXPECT_EQ(hits("void Draw(Model& model);"), 1u);
    EXPECT_EQ(hits("void Draw(umbrix::Model& model);"), 1u);
    EXPECT_EQ(hits("Model* target = nullptr;"), 1u);
    EXPECT_EQ(hits("    Model &model = *owner;"), 1u);
    EXPECT_EQ(hits("void Draw(const Model& model);"), 0u);
    EXPECT_EQ(hits("void Draw(const umbrix::Model& model);"), 0u);
    EXPECT_EQ(hits("const Model* source = &m;"), 0u);
    EXPECT_EQ(hits("DialParameters p = model.params; // takes a Model& elsewhere"), 0u);
    EXPECT_EQ(hits("std::unique_ptr<Model> m;"), 0u);
}

TEST(ModelAccess, DrawingPrintingAndTheExportsOnlyReadTheModel)
{
    const std::vector<std::string> files = SourcesUnder(kReadOnlyFolders);
    ASSERT_GT(files.size(), 20u) << "the source tree was not found at " << UMBRIX_SOURCE_DIR;
    const std::vector<Finding> writable = FindingsIn(files, {}, MutableModelHandles);
    EXPECT_TRUE(writable.empty()) << "a model that may be written in graphics/ or export/:\n" << Listed(writable);
}

TEST(ModelAccess, TheSearchSeesAFunctionThatTakesAModelItMayWrite)
{
    const auto hits = [](const std::string& code) { return WritableModelParameters("sample.cpp", code).size(); };
    EXPECT_EQ(hits("void Set(Model& model, int v);"), 1u);
    EXPECT_EQ(hits("auto f = [](int a,\n umbrix::Model* m) {};"), 1u);
    EXPECT_EQ(hits("void Show(const Model& model);"), 0u);
    EXPECT_EQ(hits("    Model& model = *owner; Run(model);"), 0u); // the owner of a run works on its own model
    EXPECT_EQ(hits("// void Set(Model& model);"), 0u);
}

TEST(ModelAccess, TheCommandLineProgramChangesTheModelOnlyThroughTheCore)
{
    const std::vector<std::string> files = SourcesUnder({"cli"});
    ASSERT_GT(files.size(), 10u) << "the source tree was not found at " << UMBRIX_SOURCE_DIR;
    const std::vector<Finding> writable = FindingsIn(files, kPrinterStandIns, WritableModelParameters);
    EXPECT_TRUE(writable.empty()) << "a function in cli/ that takes a model it may write:\n" << Listed(writable);
}

TEST(SourceTree, NoSourceOrHeaderOfTheLayersIsLongerThan600Lines)
{
    constexpr long kMaxLines = 600;
    const std::vector<std::string> files = SourcesUnder({"text", "core", "graphics", "export", "ui", "cli"});
    ASSERT_GT(files.size(), 100u) << "the source tree was not found at " << UMBRIX_SOURCE_DIR;
    for (const std::string& file : files) {
        const std::string text = Read(file);
        EXPECT_LE(std::count(text.begin(), text.end(), '\n'), kMaxLines) << file;
    }
}

// Every number of every build goes through the program's one conversion: the WebAssembly toolchain's
// library has no floating-point <charconv>, so a direct call would build natively and break there.
TEST(SourceTree, NumbersAreConvertedOnlyThroughTheProgramsOwnConversion)
{
    const std::regex direct(R"(std::(to_chars|from_chars)\s*\()");
    for (const std::string& file : SourcesUnder({"text", "core", "graphics", "export", "site", "ui", "cli", "web"})) {
        if (file.starts_with("core/number_text"))
            continue;
        EXPECT_FALSE(std::regex_search(Read(file), direct)) << file;
    }
}

// Every drawing - the screen and the print, the SVG pictures, the plot and its DXF, the true-size DXF, the
// setting-out plan and the template - takes the dial's positions from one place: the placed marks and the
// offered curves of graphics/dial_points. None calls the core's position formulas itself, so no two outputs
// can place a mark differently.
TEST(SourceTree, OnlyThePlacedMarksCallTheDialsPositionFormulas)
{
    const std::regex formula(R"(\b(HourMarkPosition|FixedHourMarkPosition|ZodiacEllipseAxis)\s*\()");
    const std::vector<std::string> files = SourcesUnder({"graphics", "export", "cli", "ui", "web"});
    EXPECT_FALSE(files.empty());
    for (const std::string& file : files) {
        if (file.starts_with("graphics/dial_points."))
            continue;
        EXPECT_FALSE(std::regex_search(Read(file), formula)) << file;
    }
    EXPECT_TRUE(std::regex_search(Read("graphics/dial_points.cpp"), formula)) << "the search sees a call";
}
