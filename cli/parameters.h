#pragma once
// Parameters by their own names, as umbrix-cli sets them and its JSON report lists them.

#include "cli/json_writer.h"
#include "core/fields.h"
#include "core/model.h"

#include <string_view>
#include <vector>

namespace umbrix {

enum class SetStatus { Accepted, UnknownName, Rejected, Disabled };

struct SetOutcome {
    SetStatus status = SetStatus::Accepted;
    std::vector<UiMessage> messages; // everything the window would have shown, in order
};

/// Sets one parameter through the same check as its input control. A name the program does not know, a value
/// the check rejects, or a control the window disables in the current state leave the model as it was.
[[nodiscard]] SetOutcome SetParameter(Model& model, std::string_view name, std::string_view value);

/// Every name SetParameter accepts, in the order of the input panel's fields, then the other controls.
[[nodiscard]] std::vector<std::string_view> ParameterNames();

/// True for the names applied before all others (the dial type and its variants).
bool IsPresetParameter(std::string_view name);

/// Writes every parameter and switch by its own name as the members of the current JSON object.
void WriteParameters(JsonWriter& json, const Model& model);

} // namespace umbrix
