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

/// One option of umbrix-cli: the single description from which the usage text, the parser's recognition
/// of the option and of its missing value, the manual pages' synopsis and option list, the bash
/// completion and the help's list of options are made.
struct OptionDoc {
    std::string_view name;
    OptionValue value = OptionValue::None;
    std::string_view choices{};    // separated by blanks (Choice, TableAndFile)
    std::string_view shownValue{}; // the value as the usage shows it; Choice rows show their choices a|b|c
    std::string_view missing{};    // what "NAME needs ..." says when the value is missing
    bool repeatable = false;       // may be given more than once (--set, --table)
    std::string_view belongsTo{};  // the output or input it modifies ("--svg" for --size); empty: its own
    std::string_view meaningEn{};
    std::string_view meaningDe{};
    std::string_view alias{}; // a second name of the option ("-h" for --help); empty: none
};

/// Every option of umbrix-cli, in the order of the usage text.
[[nodiscard]] std::span<const OptionDoc> CliOptionDocs();

/// The row of an option ("-h" is --help); nullptr for a word that is no option of umbrix-cli.
[[nodiscard]] const OptionDoc* FindCliOption(std::string_view name);

/// What an option's missing value is called in the message "NAME needs ...": its own phrase, or for a
/// file "a file", for choices "a, b or c".
[[nodiscard]] std::string MissingValueText(const OptionDoc& option);

/// The usage lines --help and a usage error print, made from the option table: every option with its
/// value, the options that modify another inside its brackets, wrapped below "usage: umbrix-cli".
[[nodiscard]] std::string UsageText();

/// The options with their meaning in `language`, one a line, for --help.
[[nodiscard]] std::string OptionList(Language language);

/// The parameter names the program accepts that the parameter table does not describe (empty when all are).
[[nodiscard]] std::vector<std::string_view> UndescribedParameters();

/// What --help prints after the usage lines: every parameter with its values, one a line, and the exit codes.
[[nodiscard]] std::string HelpReference();

/// `text` safe for a roff text line: backslashes, minus signs and a leading control character escaped.
[[nodiscard]] std::string RoffEscaped(std::string_view text);

/// A manual page from its template: the lines "@SYNOPSIS@", "@PARAMETERS@" and "@EXIT_CODES@" become the
/// synopsis, the parameter list and the exit codes in `language`, "@VERSION@" and "@DATE@" anywhere become
/// `version` and `date`. The line "@OPTIONS@" and what follows it up to the next section (".SH") become the
/// option list: every option in the table's order, its name and value, its meaning as a sentence, then the
/// template's own further text for it, the lines after a line "@OPTION NAME@"; lines before the first such
/// marker open the list. A name the table does not know keeps its marker line, so that the page shows the
/// fault.
[[nodiscard]] std::string ManualPage(std::string_view manTemplate, Language language, std::string_view version,
                                     std::string_view date);

/// The lines that open and close the part of a help page written from the tables: the part named `part`
/// ("options" or "parameters") of the chapter on umbrix-cli.
[[nodiscard]] std::string HelpPartBegin(std::string_view part);
[[nodiscard]] std::string_view HelpPartEnd();

/// A help page in `language` with its written parts made anew: between each pair of marker lines, the usage
/// and the options with their values and meanings ("options"), or the parameters of --set with their meanings
/// and values ("parameters"). Text outside the marker lines stays as it is; a page without them is returned
/// unchanged.
[[nodiscard]] std::string HelpPage(std::string_view page, Language language);

/// The JSON schema of the --json report from its template: the text "@PARAMETER_PROPERTIES@" becomes the
/// schema of every key of the report's `parameters` object and "@PARAMETER_NAMES@" the list of those keys,
/// both laid out as the rest of the schema: two blanks more per level than the line the placeholder stands in.
[[nodiscard]] std::string JsonSchema(std::string_view schemaTemplate);

/// The bash completion of umbrix-cli: options, parameter names and the values of choices and switches.
[[nodiscard]] std::string BashCompletion();

} // namespace umbrix
