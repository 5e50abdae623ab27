#pragma once
// The parameter table: one row per parameter, holding everything the program knows about it - its name on
// the command line and in the JSON report, its input control, the values it takes, how the input panel
// shows it, where a configuration file keeps it, its default, the dial types that enable it and what it
// means. The field checks, the input panel, --set, the JSON report, the configuration files, the help
// texts, the manual pages and the shell completion all read it.
//
// A new parameter is a member of the model, one row in parameter_table.cpp (in the place its JSON key
// takes) and, when setting it does more than store the value, the function that says what it does.

#include "core/fields.h"
#include "core/model.h"
#include "text/language.h"

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace umbrix {

enum class ValueKind : std::uint8_t {
    Real,       // a number, "." as decimal point ("," is taken as well)
    Integer,    // a whole number
    Choice,     // one of the listed values: whole numbers, or words (then the value is the word)
    Boolean,    // 0, 1, true, false
    Date,       // dd/mm
    HoursTable, // four columns separated by ";", cells by "/"
    Text,       // a text (reported only)
};

enum class ValueUnit : std::uint8_t { None, Degrees, DialUnits, Hours };

/// Bounds of a number; an open bound excludes its own value, an infinite one is no bound.
struct ValueBounds {
    double lo = -std::numeric_limits<double>::infinity();
    double hi = std::numeric_limits<double>::infinity();
    bool loOpen = false;
    bool hiOpen = false;

    [[nodiscard]] constexpr bool contains(double v) const
    {
        return (loOpen ? v > lo : v >= lo) && (hiOpen ? v < hi : v <= hi);
    }
};

/// One value of a choice parameter and what it selects.
struct ChoiceDoc {
    std::string_view value;
    std::string_view meaningEn;
    std::string_view meaningDe;
};

/// A range no bounds can state.
enum class RangeRule : std::uint8_t {
    Bounds,          // the bounds (or the choices) say it all
    BeyondDateScale, // |value| beyond the reach of the date scale, semiMajorAxis * k, and within 1e6 axes
};

/// The control that shows a parameter in the input panels.
enum class ControlKind : std::uint8_t { None, Edit, Spin, CheckBox, RadioGroup, DateEdit, Grid };

/// A real shown in its field through FormatFixed(width, decimals).
struct DisplayFormat {
    int width = 7;
    int decimals = 2;
};

/// How a value is written on its configuration line.
enum class ConfigCodec : std::uint8_t {
    Plain,        // reals with 6 decimals, whole numbers, switches as 1 or 0, texts as they are
    SwitchItem,   // a switch as the item of its radio group: 0 when on, 1 when off
    Letter,       // a switch as "j" or "n", run together with the other letters of its line
    LanguageName, // "Deutsch" or "English"
    PlusNinety,   // the gnomon inclination + 90
    MinusNinety,  // the value of the PlusNinety line less 90, so that both lines agree to the last decimal
    GridColumns,  // the four columns of the hours table on four lines, every cell followed by "/"
};

/// Whether a parameter has an extension line "name=value" after the fixed lines, under its own name.
enum class ExtensionLine : std::uint8_t {
    None,
    Read,      // taken when a file has it, never written
    ReadWrite, // written after the fixed lines, in table order, and read back
};

/// Where a configuration file keeps a value: a fixed line (from 1) and the position on it (from 1); line 0
/// is none.
struct SavedAt {
    int line = 0;
    int position = 1;
    ConfigCodec codec = ConfigCodec::Plain;
    ExtensionLine extension = ExtensionLine::None;
    // A whole-number line's value when the line holds no number or one out of range: the file format's own
    // rule, which for hourTo (19), errorHourFrom (5), errorHourTo (19) and year (2016) is not the default;
    // for a choice line the value as written in the file (rgDefault: its item).
    std::optional<int> fallback{};
};

enum class DefaultRule : std::uint8_t {
    Constant, // `number` (or `text`)
    Derived,  // computed from the other parameters; no default of its own
};
struct DefaultValue {
    DefaultRule rule = DefaultRule::Derived;
    double number = 0;
    std::string_view text{};
};
[[nodiscard]] constexpr DefaultValue Default(double number)
{
    return {DefaultRule::Constant, number, {}};
}
[[nodiscard]] constexpr DefaultValue DefaultText(std::string_view text)
{
    return {DefaultRule::Constant, 0, text};
}

/// The dial types as bits, type n at bit n.
using DialTypeSet = std::uint32_t;
static_assert(kDialTypeCount <= 32, "DialTypeSet holds one bit per dial type");
constexpr DialTypeSet kAllDialTypes = (DialTypeSet{1} << kDialTypeCount) - 1;
[[nodiscard]] constexpr DialTypeSet DialTypes(std::initializer_list<int> types)
{
    DialTypeSet set = 0;
    for (const int t : types)
        set |= DialTypeSet{1} << t;
    return set;
}
/// Whether `set` holds `type`.
[[nodiscard]] constexpr bool Contains(DialTypeSet set, DialType type)
{
    const int n = DialTypeNumber(type);
    return n >= 0 && n < kDialTypeCount && ((set >> n) & 1u) != 0;
}

/// When the input control of a parameter is enabled: for the listed dial types, and with the further
/// conditions that are set. The dial types are applied with the type's presets, the conditions whenever the
/// parameters are shown.
struct Enabling {
    DialTypeSet dialTypes = kAllDialTypes;
    bool splitDialOnly = false;    // only with the double analemma (marksMode 2)
    bool searchMethodOnly = false; // only with a searching method of the split dial (doubleAnalemmaMethod > 1)
};

/// A parameter's value: reals, whole numbers (choices too), switches and texts.
using ParameterValue = std::variant<double, int, bool, std::string>;

enum class SetStatus { Accepted, UnknownName, Rejected, Disabled };

struct SetOutcome {
    SetStatus status = SetStatus::Accepted;
    std::vector<UiMessage> messages; // everything the window would have shown, in order
};

struct ParameterRow {
    std::string_view name; // on the command line, in the JSON report and on an extension line
    ValueKind kind = ValueKind::Real;
    ValueUnit unit = ValueUnit::None;
    std::optional<Field> field{}; // the numeric input field whose check the value goes through
    std::string_view control{};   // the object name of the input control; empty: none
    ControlKind controlKind = ControlKind::None;
    ValueBounds bounds{};                 // Real and Integer
    std::span<const ChoiceDoc> choices{}; // Choice; a radio group shows the item of the value's place
    RangeRule rangeRule = RangeRule::Bounds;
    DisplayFormat shown{};    // Real in an edit field: as the input panel shows it
    DisplayFormat restored{}; // Real in an edit field: shown again after a refused input
    SavedAt saved{};
    DefaultValue byDefault{};
    Enabling enabling{};
    bool settable = true;                   // false: reported only (derived values and state)
    bool preset = false;                    // --set applies it before all others (the dial type and its variants)
    double DialParameters::*real = nullptr; // where a real field stores its value
    ParameterValue (*read)(const Model&) = nullptr;               // the value, unless `real` holds it
    SetOutcome (*apply)(Model&, const ParameterValue&) = nullptr; // stores a checked value, with its effects
    // A value --set refuses in the model's state although a configuration file keeps it: the message, or none.
    std::optional<UiMessage> (*refusedBySet)(const Model&, const ParameterValue&) = nullptr;
    // An extension line that is written only while this holds (a value that is "not set" by default); the
    // empty text unsets it, and a file without its line reads as not set.
    bool (*isSet)(const Model&) = nullptr;
    std::string_view meaningEn{};
    std::string_view meaningDe{};
    std::string_view rangeEn{}; // a range no bounds can state; replaces the bounds and the unit in the text
    std::string_view rangeDe{};
};

/// Every row, in the order of the JSON report's `parameters` object.
[[nodiscard]] std::span<const ParameterRow> ParameterTable();

/// The row of a name, or nullptr.
[[nodiscard]] const ParameterRow* FindParameter(std::string_view name);

/// The row of an input field (every field has one).
[[nodiscard]] const ParameterRow& ParameterOf(Field field);

/// Every name --set accepts: the input fields in the panel's order, then the other settable parameters in
/// table order.
[[nodiscard]] std::vector<std::string_view> ParameterNames();

/// The rows a fixed line of a configuration file holds, by their position on it.
[[nodiscard]] std::vector<const ParameterRow*> ParametersOnLine(int line);

/// Whether a configuration file gets the extension line of a row for the model: every ReadWrite row, those
/// with isSet only while set.
[[nodiscard]] bool WritesExtensionLine(const ParameterRow& row, const Model& model);

/// Whether a choice row's values are words ("m", "cm") rather than whole numbers.
[[nodiscard]] bool ChoicesAreWords(const ParameterRow& row);

/// The current value of a row.
[[nodiscard]] ParameterValue ValueOf(const ParameterRow& row, const Model& model);

/// The default of a row as a value of its kind; nothing for a derived value.
[[nodiscard]] std::optional<ParameterValue> DefaultOf(const ParameterRow& row);

/// Whether the input control of a row is enabled for the model's dial type, marks mode and method.
[[nodiscard]] bool ParameterEnabled(const ParameterRow& row, const DialParameters& p);

/// The values a parameter takes, briefly: "-90 .. 90 degrees", "> 1 dial units", "0|1|true|false", "dd/mm".
[[nodiscard]] std::string RangeText(const ParameterRow& row, Language language);

/// The second line of every rejection of the row's value: the caption of its field (the parameter's name
/// where it has no field of its own), ": ", and the values it takes in the model's state with their unit.
[[nodiscard]] std::string RejectionLine(const Model& model, const ParameterRow& row);

/// The values a completion offers after NAME= (choices and booleans); empty for free values.
[[nodiscard]] std::string CompletionValues(const ParameterRow& row);

[[nodiscard]] inline std::string_view Meaning(const ParameterRow& row, Language language)
{
    return language == Language::English ? row.meaningEn : row.meaningDe;
}

[[nodiscard]] inline std::string_view Meaning(const ChoiceDoc& choice, Language language)
{
    return language == Language::English ? choice.meaningEn : choice.meaningDe;
}

} // namespace umbrix
