#include "core/parameters.h"
#include "core/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace umbrix {

namespace {

/// The shortest text of a bound, written out in full ("1000000", not "1e+06").
std::string Number(double v)
{
    char buffer[64];
    const auto [end, ec] = WriteReal(buffer, buffer + sizeof buffer, v, RealFormat::ShortestFixed);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

std::string UnitText(ValueUnit unit, Language language)
{
    const bool en = language == Language::English;
    switch (unit) {
    case ValueUnit::None:
        return "";
    case ValueUnit::Degrees:
        return en ? " degrees" : " Grad";
    case ValueUnit::DialUnits:
        return en ? " dial units" : " Längeneinheiten";
    case ValueUnit::Hours:
        return " h";
    }
    return "";
}

/// The bounds and the unit: "-90 .. 90 degrees", "> 2, <= 20 dial units", "any number in degrees".
std::string BoundsText(const ValueBounds& b, ValueUnit unit, Language language)
{
    const bool hasLo = std::isfinite(b.lo);
    const bool hasHi = std::isfinite(b.hi);
    if (hasLo && hasHi && !b.loOpen && !b.hiOpen)
        return Number(b.lo) + " .. " + Number(b.hi) + UnitText(unit, language);
    std::string text;
    if (hasLo)
        text = (b.loOpen ? "> " : ">= ") + Number(b.lo);
    if (hasHi)
        text += (hasLo ? ", " : "") + std::string(b.hiOpen ? "< " : "<= ") + Number(b.hi);
    if (text.empty())
        return std::string(language == Language::English ? "any number" : "beliebige Zahl") +
               (unit == ValueUnit::None ? "" : " in" + UnitText(unit, language));
    return text + UnitText(unit, language);
}

std::string Joined(std::span<const ChoiceDoc> choices, std::string_view separator)
{
    std::string text;
    for (const ChoiceDoc& c : choices)
        text += (text.empty() ? "" : std::string(separator)) + std::string(c.value);
    return text;
}

} // namespace

const ParameterRow* FindParameter(std::string_view name)
{
    for (const ParameterRow& row : ParameterTable())
        if (row.name == name)
            return &row;
    return nullptr;
}

const ParameterRow& ParameterOf(Field field)
{
    const std::span<const ParameterRow> table = ParameterTable();
    const auto it = std::find_if(table.begin(), table.end(), [&](const ParameterRow& r) { return r.field == field; });
    // Every field has its row; a table test holds them together.
    return it != table.end() ? *it : table.front();
}

std::vector<std::string_view> ParameterNames()
{
    std::vector<std::string_view> names;
    for (int f = 0; f < kFieldCount; ++f)
        names.push_back(ParameterOf(static_cast<Field>(f)).name);
    for (const ParameterRow& row : ParameterTable())
        if (row.settable && !row.field)
            names.push_back(row.name);
    return names;
}

std::vector<const ParameterRow*> ParametersOnLine(int line)
{
    std::vector<const ParameterRow*> rows;
    for (const ParameterRow& row : ParameterTable())
        if (row.saved.line == line)
            rows.push_back(&row);
    std::sort(rows.begin(), rows.end(),
              [](const ParameterRow* a, const ParameterRow* b) { return a->saved.position < b->saved.position; });
    return rows;
}

bool WritesExtensionLine(const ParameterRow& row, const Model& model)
{
    return row.saved.extension == ExtensionLine::ReadWrite && (!row.isSet || row.isSet(model));
}

bool ChoicesAreWords(const ParameterRow& row)
{
    if (row.kind != ValueKind::Choice || row.choices.empty())
        return false;
    const std::string_view first = row.choices.front().value;
    int ignored = 0;
    const auto [end, ec] = ReadInteger(first, ignored);
    return ec != std::errc() || end != first.data() + first.size();
}

ParameterValue ValueOf(const ParameterRow& row, const Model& model)
{
    if (row.real)
        return model.params.*row.real;
    if (row.read)
        return row.read(model);
    return std::string();
}

std::optional<ParameterValue> DefaultOf(const ParameterRow& row)
{
    const DefaultValue& d = row.byDefault;
    if (d.rule == DefaultRule::Derived)
        return std::nullopt;
    switch (row.kind) {
    case ValueKind::Real:
        return d.number;
    case ValueKind::Choice:
        if (ChoicesAreWords(row))
            return std::string(d.text);
        return static_cast<int>(d.number);
    case ValueKind::Integer:
        return static_cast<int>(d.number);
    case ValueKind::Boolean:
        return d.number != 0;
    case ValueKind::Date:
    case ValueKind::HoursTable:
    case ValueKind::Text:
        return std::string(d.text);
    }
    return std::nullopt;
}

bool ParameterEnabled(const ParameterRow& row, const DialParameters& p)
{
    const Enabling& e = row.enabling;
    const bool typeEnabled = e.dialTypes == kAllDialTypes || Contains(e.dialTypes, p.dialType);
    if (!typeEnabled)
        return false;
    if (e.splitDialOnly && p.marksMode != MarksMode::DoubleAnalemma)
        return false;
    return !e.searchMethodOnly || IsSearchMethod(p.doubleAnalemmaMethod);
}

std::string RangeText(const ParameterRow& row, Language language)
{
    const std::string_view special = language == Language::English ? row.rangeEn : row.rangeDe;
    if (!special.empty())
        return std::string(special);
    switch (row.kind) {
    case ValueKind::Real:
    case ValueKind::Integer:
        return BoundsText(row.bounds, row.unit, language);
    case ValueKind::Choice:
        return Joined(row.choices, "|");
    case ValueKind::Boolean:
        return "0|1|true|false";
    case ValueKind::Date:
        return language == Language::English ? "dd/mm" : "TT/MM";
    case ValueKind::HoursTable:
        return language == Language::English ? "COLUMN;COLUMN;COLUMN;COLUMN, cells separated by /"
                                             : "SPALTE;SPALTE;SPALTE;SPALTE, Zellen durch / getrennt";
    case ValueKind::Text:
        return language == Language::English ? "text" : "Text";
    }
    return "";
}

std::string CompletionValues(const ParameterRow& row)
{
    if (row.kind == ValueKind::Choice)
        return Joined(row.choices, " ");
    if (row.kind == ValueKind::Boolean)
        return "0 1 true false";
    return "";
}

} // namespace umbrix
