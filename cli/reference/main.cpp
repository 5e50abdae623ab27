// umbrix-cli-reference: writes the manual pages, the bash completion, the JSON schema of the report and the
// help pages' chapter on umbrix-cli from the program's own lists of options and parameters. Run by the build;
// not installed.
//
//   umbrix-cli-reference man de|en VERSION DATE TEMPLATE OUTPUT
//   umbrix-cli-reference completion OUTPUT
//   umbrix-cli-reference schema TEMPLATE OUTPUT
//   umbrix-cli-reference help de|en PAGE OUTPUT      (OUTPUT may be PAGE: its written parts made anew)

#include "cli/reference.h"
#include "export/file_writer.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

const umbrix::LanguageState kEnglish = umbrix::StateFor(umbrix::Language::English);
constexpr std::size_t kMaxTemplateBytes = 1 << 20;

int Read(const std::string& path, std::string& text)
{
    if (const auto failure = umbrix::ReadFileBounded(path, kMaxTemplateBytes, text)) {
        std::cerr << "umbrix-cli-reference: " << umbrix::FailureLine(kEnglish, *failure) << '\n';
        return 1;
    }
    return 0;
}

int Write(const std::string& path, const std::string& text)
{
    if (const auto failure = umbrix::WriteFileSafely(path, text)) {
        std::cerr << "umbrix-cli-reference: " << umbrix::FailureLine(kEnglish, *failure) << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const auto missing = umbrix::UndescribedParameters(); !missing.empty()) {
        for (const std::string_view name : missing)
            std::cerr << "umbrix-cli-reference: the parameter " << name << " has no row in the parameter table\n";
        return 1;
    }
    const auto language = [](const std::string& code) {
        return code == "en" ? umbrix::Language::English : umbrix::Language::German;
    };
    const bool languageGiven = args.size() > 1 && (args[1] == "de" || args[1] == "en");
    std::string input;
    if (args.size() == 6 && args[0] == "man" && languageGiven) {
        if (Read(args[4], input) != 0)
            return 1;
        const std::string page = umbrix::ManualPage(input, language(args[1]), args[2], args[3]);
        if (const std::size_t at = page.find("\n@"); at != std::string::npos) {
            std::cerr << "umbrix-cli-reference: " << args[4] << ": a marker names no option or placeholder: "
                      << page.substr(at + 1, page.find('\n', at + 1) - at - 1) << '\n';
            return 1;
        }
        return Write(args[5], page);
    }
    if (args.size() == 2 && args[0] == "completion")
        return Write(args[1], umbrix::BashCompletion());
    if (args.size() == 3 && args[0] == "schema")
        return Read(args[1], input) != 0 ? 1 : Write(args[2], umbrix::JsonSchema(input));
    if (args.size() == 4 && args[0] == "help" && languageGiven) {
        if (Read(args[2], input) != 0)
            return 1;
        const std::string page = umbrix::HelpPage(input, language(args[1]));
        return page == input && args[2] == args[3] ? 0 : Write(args[3], page);
    }
    std::cerr << "usage: umbrix-cli-reference man de|en VERSION DATE TEMPLATE OUTPUT\n"
                 "       umbrix-cli-reference completion OUTPUT\n"
                 "       umbrix-cli-reference schema TEMPLATE OUTPUT\n"
                 "       umbrix-cli-reference help de|en PAGE OUTPUT\n";
    return 2;
}
