// umbrix-cli-reference: writes the manual pages and the bash completion of umbrix-cli from the program's own
// lists of options and parameters. Run by the build; not installed.
//
//   umbrix-cli-reference man de|en VERSION DATE TEMPLATE OUTPUT
//   umbrix-cli-reference completion OUTPUT

#include "cli/reference.h"
#include "export/file_writer.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

const umbrix::LanguageState kEnglish = umbrix::StateFor(umbrix::Language::English);
constexpr std::size_t kMaxTemplateBytes = 1 << 20;

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
    if (args.size() == 6 && args[0] == "man" && (args[1] == "de" || args[1] == "en")) {
        std::string manTemplate;
        if (const auto failure = umbrix::ReadFileBounded(args[4], kMaxTemplateBytes, manTemplate)) {
            std::cerr << "umbrix-cli-reference: " << umbrix::FailureLine(kEnglish, *failure) << '\n';
            return 1;
        }
        const umbrix::Language language = args[1] == "en" ? umbrix::Language::English : umbrix::Language::German;
        return Write(args[5], umbrix::ManualPage(manTemplate, language, args[2], args[3]));
    }
    if (args.size() == 2 && args[0] == "completion")
        return Write(args[1], umbrix::BashCompletion());
    std::cerr << "usage: umbrix-cli-reference man de|en VERSION DATE TEMPLATE OUTPUT\n"
                 "       umbrix-cli-reference completion OUTPUT\n";
    return 2;
}
