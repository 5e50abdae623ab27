#pragma once
// Setting a parameter by its own name from a text, as umbrix-cli's --set and the extension lines of a
// configuration file do: the value goes through the same check as its input control.

#include "core/parameters.h"

#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// Sets one parameter through the same check as its input control. A name the program does not know (or a
/// value it only reports), a value the check rejects, or a control the window disables in the current state
/// leave the model as it was.
[[nodiscard]] SetOutcome SetParameter(Model& model, std::string_view name, std::string_view value);

/// The same for a known row without the enabled test: a configuration keeps what it holds for a control the
/// dial type disables.
[[nodiscard]] SetOutcome SetParameterValue(Model& model, const ParameterRow& row, std::string_view value);

/// One parameter by name and the text of its value.
struct NamedValue {
    std::string name;
    std::string value;
};

/// Sets several parameters as SetParameter sets each, in the order given, all or none: when one is refused
/// the model stays as it was, and the outcome is that value's. Accepted: the messages of every value, in
/// order.
[[nodiscard]] SetOutcome SetParameters(Model& model, const std::vector<NamedValue>& values);

/// RejectionLine of the parameter called `name` (its own name, or the object name of its input field), in the
/// model's language; empty for a name the table does not hold.
[[nodiscard]] std::string RejectionLine(const Model& model, std::string_view name);

/// True for the names applied before all others (the dial type and its variants).
[[nodiscard]] bool IsPresetParameter(std::string_view name);

} // namespace umbrix
