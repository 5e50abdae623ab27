// The `parameters` part of the JSON schema of umbrix-cli --json, written from the parameter table: one
// property per key of the report's `parameters` object, its type and its whole-number range from the row, its
// description from the row's meaning.

#include "cli/json_writer.h"
#include "cli/parameters.h"
#include "cli/reference.h"
#include "cli/reference_text.h"
#include "core/parameters.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace umbrix {

namespace {

using reference::Sentence;

/// A JSON value as the schema writes it: a scalar already in JSON text, an object or an array.
struct SchemaNode {
    std::string scalar;                                      // set for a scalar
    std::vector<std::string> keys;                           // an object's members, in order
    std::vector<SchemaNode> values;                          // (not pairs: the node is incomplete here)
    std::vector<SchemaNode> items;                           // an array's
    bool isObject = false;
    bool isArray = false;
};

std::string JsonText(std::string_view text)
{
    JsonWriter json;
    json.value(text);
    std::string out = json.text();
    while (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}

SchemaNode Scalar(std::string json)
{
    SchemaNode node;
    node.scalar = std::move(json);
    return node;
}

SchemaNode String(std::string_view text)
{
    return Scalar(JsonText(text));
}

SchemaNode Array(std::vector<SchemaNode> items)
{
    SchemaNode node;
    node.isArray = true;
    node.items = std::move(items);
    return node;
}

/// `node` as JSON with two blanks per level, one member or item a line, the first line unindented and the
/// others indented by `indent` blanks and their level.
std::string Pretty(const SchemaNode& node, std::size_t indent)
{
    const std::string inner(indent + 2, ' ');
    if (node.isObject || node.isArray) {
        const std::size_t count = node.isObject ? node.keys.size() : node.items.size();
        if (count == 0)
            return node.isObject ? "{}" : "[]";
        std::string text(node.isObject ? "{" : "[");
        for (std::size_t k = 0; k < count; ++k) {
            text += (k == 0 ? "\n" : ",\n") + inner;
            if (node.isObject)
                text += JsonText(node.keys[k]) + ": " + Pretty(node.values[k], indent + 2);
            else
                text += Pretty(node.items[k], indent + 2);
        }
        return text + "\n" + std::string(indent, ' ') + (node.isObject ? "}" : "]");
    }
    return node.scalar;
}

/// A value the program computes from the others (no input checked it) may be undefined: the report writes a
/// number that is not finite as null.
bool MayBeNull(const ParameterRow& row)
{
    return row.kind == ValueKind::Real && !row.settable && row.read != nullptr;
}

std::string UnitName(ValueUnit unit)
{
    switch (unit) {
    case ValueUnit::None:
        return {};
    case ValueUnit::Degrees:
        return "degrees";
    case ValueUnit::DialUnits:
        return "dial units (the unit of semiMajorAxis)";
    case ValueUnit::Hours:
        return "hours";
    }
    return {};
}

/// The row's meaning, then the values --set takes (each choice with its meaning; a switch and a free text need
/// none), or the unit of a value the report only shows.
std::string Description(const ParameterRow& row)
{
    std::string text = Sentence(row.meaningEn);
    if (row.settable && row.kind == ValueKind::Choice) {
        std::string values;
        for (const ChoiceDoc& choice : row.choices)
            values += (values.empty() ? "" : "; ") + std::string(choice.value) + ": " + std::string(choice.meaningEn);
        text += " Values: " + values + ".";
    } else if (row.settable && row.kind != ValueKind::Boolean && row.kind != ValueKind::Text) {
        text += " Values: " + RangeText(row, Language::English) + ".";
    } else if (!row.settable) {
        if (const std::string unit = UnitName(row.unit); !unit.empty())
            text += " In " + unit + ".";
        text += " Reported only.";
    }
    if (MayBeNull(row))
        text += " null when the value is not finite.";
    return text;
}

std::string Number(double v)
{
    return JsonNumber(v);
}

SchemaNode PropertyOf(const ParameterRow& row)
{
    SchemaNode node;
    node.isObject = true;
    auto add = [&](std::string key, SchemaNode value) {
        node.keys.push_back(std::move(key));
        node.values.push_back(std::move(value));
    };
    const bool words = ChoicesAreWords(row);
    switch (row.kind) {
    case ValueKind::Real:
        add("type", MayBeNull(row) ? Array({String("number"), String("null")}) : String("number"));
        break;
    case ValueKind::Integer:
        add("type", String("integer"));
        break;
    case ValueKind::Choice:
        add("type", String(words ? "string" : "integer"));
        break;
    case ValueKind::Boolean:
        add("type", String("boolean"));
        break;
    case ValueKind::Date:
    case ValueKind::HoursTable:
    case ValueKind::Text:
        add("type", String("string"));
        break;
    }
    add("description", String(Description(row)));
    if (row.kind == ValueKind::Choice) {
        std::vector<SchemaNode> values;
        for (const ChoiceDoc& choice : row.choices)
            values.push_back(words ? String(choice.value) : Scalar(std::string(choice.value)));
        add("enum", Array(std::move(values)));
    }
    if (row.kind == ValueKind::Integer) {
        if (std::isfinite(row.bounds.lo))
            add(row.bounds.loOpen ? "exclusiveMinimum" : "minimum", Scalar(Number(row.bounds.lo)));
        if (std::isfinite(row.bounds.hi))
            add(row.bounds.hiOpen ? "exclusiveMaximum" : "maximum", Scalar(Number(row.bounds.hi)));
    }
    return node;
}

/// The indentation of the line that holds `at`: its leading blanks.
std::size_t IndentOf(std::string_view text, std::size_t at)
{
    const std::size_t lineEnd = text.rfind('\n', at);
    const std::size_t lineStart = lineEnd == std::string_view::npos ? 0 : lineEnd + 1;
    const std::size_t firstText = text.find_first_not_of(' ', lineStart);
    return (firstText == std::string_view::npos ? text.size() : firstText) - lineStart;
}

void ReplacePlaceholder(std::string& text, std::string_view placeholder, const SchemaNode& node)
{
    for (std::size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, at)) {
        const std::string json = Pretty(node, IndentOf(text, at));
        text.replace(at, placeholder.size(), json);
        at += json.size();
    }
}

} // namespace

std::string JsonSchema(std::string_view schemaTemplate)
{
    SchemaNode properties;
    properties.isObject = true;
    std::vector<SchemaNode> names;
    for (const ParameterRow& row : ParameterTable()) {
        if (!ReportedInParameters(row))
            continue;
        properties.keys.emplace_back(row.name);
        properties.values.push_back(PropertyOf(row));
        names.push_back(String(row.name));
    }
    std::string schema(schemaTemplate);
    ReplacePlaceholder(schema, "@PARAMETER_PROPERTIES@", properties);
    ReplacePlaceholder(schema, "@PARAMETER_NAMES@", Array(std::move(names)));
    return schema;
}

} // namespace umbrix
