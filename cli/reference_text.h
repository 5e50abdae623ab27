#pragma once
// What the writers of umbrix-cli's reference share: the pieces of the option table's text, the settable
// parameters and the exit codes. Included by cli/reference*.cpp alone.

#include "cli/reference.h"
#include "core/parameters.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix::reference {

/// The options that modify `parent` (belongsTo), in the table's order.
[[nodiscard]] std::vector<const OptionDoc*> ModifiersOf(std::string_view parent);

/// The words of a blank-separated list.
[[nodiscard]] std::vector<std::string> Words(std::string_view list);

[[nodiscard]] std::string JoinedWith(const std::vector<std::string>& words, std::string_view separator);

/// The value of an option as the usage shows it.
[[nodiscard]] std::string ShownValue(const OptionDoc& o);

/// The value of an option as its own entry in a list shows it: a table name and a file stay two words.
[[nodiscard]] std::string ListedValue(const OptionDoc& o);

/// A meaning as a sentence: first letter capital, full stop at the end.
[[nodiscard]] std::string Sentence(std::string_view text);

/// `text` with the placeholders named as the German pages name them.
[[nodiscard]] std::string GermanPlaceholders(std::string text);

void ReplaceAll(std::string& text, std::string_view from, std::string_view to);

/// The settable parameters in the program's order.
[[nodiscard]] std::vector<const ParameterRow*> DescribedParameters();

struct ExitCodeDoc {
    int code;
    std::string_view meaningEn;
    std::string_view meaningDe;
};

/// Every exit code of umbrix-cli with its meaning.
[[nodiscard]] std::span<const ExitCodeDoc> ExitCodeDocs();

} // namespace umbrix::reference
