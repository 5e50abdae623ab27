#include "core/parameter_set.h"

#include "core/number_text.h"
#include "core/numeric.h"
#include "core/parameter_effects.h"
#include "text/own_texts.h"
#include "text/texts.h"

#include <algorithm>
#include <charconv>
#include <memory>

namespace umbrix {

namespace {

std::optional<int> ReadInt(std::string_view text)
{
    int v = 0;
    const auto [end, ec] = ReadInteger(text, v);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return v;
}

UiMessage DisabledMessage(const Model& model, std::string_view name)
{
    const LanguageState& lang = model.state.language;
    std::string text = OwnTextWith(lang, OwnText::FieldDisabled, name, "");
    return {std::string(CaptionText(lang, Caption::Problem)), std::move(text), MessageIcon::Warning};
}

/// The value of a text as the row's kind reads it, within its bounds or among its choices.
std::optional<ParameterValue> ParseValue(const ParameterRow& row, std::string_view text)
{
    switch (row.kind) {
    case ValueKind::Integer: {
        const std::optional<int> v = ReadInt(text);
        if (!v || !row.bounds.contains(*v))
            return std::nullopt;
        return *v;
    }
    case ValueKind::Choice: {
        if (ChoicesAreWords(row)) {
            if (std::none_of(row.choices.begin(), row.choices.end(),
                             [&](const ChoiceDoc& c) { return c.value == text; }))
                return std::nullopt;
            return std::string(text);
        }
        const std::optional<int> v = ReadInt(text);
        if (!v || std::none_of(row.choices.begin(), row.choices.end(),
                               [&](const ChoiceDoc& c) { return ReadInt(c.value) == v; }))
            return std::nullopt;
        return *v;
    }
    case ValueKind::Boolean:
        if (const std::optional<bool> v = ParseSwitch(text))
            return *v;
        return std::nullopt;
    case ValueKind::Real: // reals go through their field's check
    case ValueKind::Date:
    case ValueKind::HoursTable:
    case ValueKind::Text:
        return std::string(text);
    }
    return std::nullopt;
}

/// A real through the on-leave check of its field, into a trial copy that replaces the model when accepted.
SetOutcome SetField(Model& model, Field field, std::string_view value)
{
    // The key filter of the fields turns a typed "," into ".".
    std::string text(value);
    std::replace(text.begin(), text.end(), ',', '.');
    const auto trial = std::make_unique<Model>(model);
    const FieldOutcome outcome = ValidateField(*trial, field, text, true);
    if (!outcome.accepted)
        return {SetStatus::Rejected, outcome.messages};
    model = std::move(*trial);
    return {SetStatus::Accepted, outcome.messages};
}

} // namespace

SetOutcome SetParameterValue(Model& model, const ParameterRow& row, std::string_view value)
{
    if (row.field)
        return SetField(model, *row.field, value);
    if (!row.settable || !row.apply)
        return {SetStatus::UnknownName, {}};
    const std::optional<ParameterValue> parsed = ParseValue(row, value);
    if (!parsed)
        return {SetStatus::Rejected,
                {InputErrorMessage(model, row), ValueNotAllowedMessage(model.state.language, row, value)}};
    const auto trial = std::make_unique<Model>(model);
    SetOutcome out = row.apply(*trial, *parsed);
    if (out.status == SetStatus::Accepted)
        model = std::move(*trial);
    return out;
}

SetOutcome SetParameter(Model& model, std::string_view name, std::string_view value)
{
    const ParameterRow* row = FindParameter(name);
    if (!row || !row->settable)
        return {SetStatus::UnknownName, {}};
    if (!ParameterEnabled(*row, model.params))
        return {SetStatus::Disabled, {DisabledMessage(model, name)}};
    if (row->refusedBySet)
        if (const std::optional<ParameterValue> parsed = ParseValue(*row, value))
            if (std::optional<UiMessage> refused = row->refusedBySet(model, *parsed))
                return {SetStatus::Rejected, {std::move(*refused)}};
    return SetParameterValue(model, *row, value);
}

SetOutcome SetParameters(Model& model, const std::vector<NamedValue>& values)
{
    const auto trial = std::make_unique<Model>(model);
    SetOutcome all;
    for (const NamedValue& v : values) {
        SetOutcome one = SetParameter(*trial, v.name, v.value);
        if (one.status != SetStatus::Accepted)
            return one;
        all.messages.insert(all.messages.end(), one.messages.begin(), one.messages.end());
    }
    model = std::move(*trial);
    return all;
}

std::string RejectionLine(const Model& model, std::string_view name)
{
    if (const ParameterRow* row = FindParameter(name))
        return RejectionLine(model, *row);
    for (int f = 0; f < kFieldCount; ++f)
        if (FieldName(static_cast<Field>(f)) == name)
            return RejectionLine(model, static_cast<Field>(f));
    return {};
}

bool IsPresetParameter(std::string_view name)
{
    const ParameterRow* row = FindParameter(name);
    return row && row->preset;
}

} // namespace umbrix
