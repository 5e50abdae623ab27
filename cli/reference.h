#pragma once
// The reference of umbrix-cli that --help prints and the build writes into the manual pages and the bash
// completion: its options, the parameters of --set with their values and meanings, and the exit codes.

#include "text/language.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// What follows an option on the command line.
enum class OptionValue : std::uint8_t {
    None,        // a switch
    File,        // a file name
    Word,        // a value no completion can guess (WxH)
    Choice,      // one of `choices`
    Parameter,   // NAME=VALUE of --set
    TableAndFile // a table name out of `choices`, then a file name
};

struct OptionDoc {
    std::string_view name;
    OptionValue value = OptionValue::None;
    std::string_view choices{}; // separated by blanks
};

/// Every option of umbrix-cli.
[[nodiscard]] std::span<const OptionDoc> CliOptionDocs();

/// The parameter names the program accepts that the parameter table does not describe (empty when all are).
[[nodiscard]] std::vector<std::string_view> UndescribedParameters();

/// What --help prints after the usage lines: every parameter with its values, one a line, and the exit codes.
[[nodiscard]] std::string HelpReference();

/// `text` safe for a roff text line: backslashes, minus signs and a leading control character escaped.
[[nodiscard]] std::string RoffEscaped(std::string_view text);

/// A manual page from its template: the lines "@PARAMETERS@" and "@EXIT_CODES@" become the parameter list and
/// the exit codes in `language`, "@VERSION@" and "@DATE@" anywhere become `version` and `date`.
[[nodiscard]] std::string ManualPage(std::string_view manTemplate, Language language, std::string_view version,
                                     std::string_view date);

/// The bash completion of umbrix-cli: options, parameter names and the values of choices and switches.
[[nodiscard]] std::string BashCompletion();

} // namespace umbrix
