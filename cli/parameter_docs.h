#pragma once
// What each parameter of `umbrix-cli --set` means and which values it takes, in German and English, keyed by
// the parameter's own name. The parameter lists of --help, the manual pages and the shell completion are
// written from this table for the names the program accepts (ParameterNames), so none of them can drift.

#include "text/language.h"

#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>

namespace umbrix {

enum class ValueKind : std::uint8_t {
    Real,      // a number, "." as decimal point ("," is taken as well)
    Integer,   // a whole number
    Choice,    // one of the listed values
    Boolean,   // 0, 1, true, false
    Date,      // dd/mm
    HoursTable // four columns separated by ";", cells by "/"
};

enum class ValueUnit : std::uint8_t { None, Degrees, DialUnits, Hours };

/// Bounds of a number; an open bound excludes its own value, an infinite one is no bound.
struct ValueBounds {
    double lo = -std::numeric_limits<double>::infinity();
    double hi = std::numeric_limits<double>::infinity();
    bool loOpen = false;
    bool hiOpen = false;
};

/// One value of a choice parameter and what it selects.
struct ChoiceDoc {
    std::string_view value;
    std::string_view meaningEn;
    std::string_view meaningDe;
};

struct ParameterDoc {
    std::string_view name;
    ValueKind kind = ValueKind::Real;
    ValueUnit unit = ValueUnit::None;
    ValueBounds bounds{};                 // Real and Integer
    std::span<const ChoiceDoc> choices{}; // Choice
    std::string_view meaningEn;
    std::string_view meaningDe;
    std::string_view rangeEn{}; // a range no bounds can state; replaces the bounds and the unit in the text
    std::string_view rangeDe{};
};

/// Every row of the table.
[[nodiscard]] std::span<const ParameterDoc> ParameterDocs();

/// The row of a parameter, or nullptr for a name the table does not describe.
[[nodiscard]] const ParameterDoc* FindParameterDoc(std::string_view name);

/// The values a parameter takes, briefly: "-90 .. 90 degrees", "> 1 dial units", "0|1|true|false", "dd/mm".
[[nodiscard]] std::string RangeText(const ParameterDoc& doc, Language language);

/// The values a completion offers after NAME= (choices and booleans); empty for free values.
[[nodiscard]] std::string CompletionValues(const ParameterDoc& doc);

[[nodiscard]] inline std::string_view Meaning(const ParameterDoc& doc, Language language)
{
    return language == Language::English ? doc.meaningEn : doc.meaningDe;
}

[[nodiscard]] inline std::string_view Meaning(const ChoiceDoc& choice, Language language)
{
    return language == Language::English ? choice.meaningEn : choice.meaningDe;
}

} // namespace umbrix
