#pragma once
// What setting a parameter does besides storing its value, for the parameters without a numeric input
// field: the value has passed the check of its kind (bounds, choices, switch, text) already. Each returns
// Rejected with the message when the state it meets refuses the value; the caller then drops the change.

#include "core/parameters.h"

#include <type_traits>

namespace umbrix {

/// The "Problem" message M6 for a refused value.
[[nodiscard]] UiMessage InputErrorMessage(const LanguageState& lang);

/// A setting stored as it is: a switch, or a whole number into its member's type.
template <class T> void StoreValue(T& target, const ParameterValue& value)
{
    if constexpr (std::is_same_v<T, bool>)
        target = std::get<bool>(value);
    else
        target = static_cast<T>(std::get<int>(value));
}
template <auto Member> SetOutcome StoreParameter(Model& model, const ParameterValue& value)
{
    StoreValue(model.params.*Member, value);
    return {};
}
template <auto Member> SetOutcome StoreState(Model& model, const ParameterValue& value)
{
    StoreValue(model.state.*Member, value);
    return {};
}

SetOutcome ApplyDialType(Model& model, const ParameterValue& value);
SetOutcome ApplyMarksMode(Model& model, const ParameterValue& value);
SetOutcome ApplyMarksPerMonth(Model& model, const ParameterValue& value);
SetOutcome ApplyHourFrom(Model& model, const ParameterValue& value);
SetOutcome ApplyHourTo(Model& model, const ParameterValue& value);
SetOutcome ApplyShowShadowPath(Model& model, const ParameterValue& value);
/// The shadow date "dd/mm" through the check of MaskEdit1.
SetOutcome ApplyShadowDate(Model& model, const ParameterValue& value);
/// The four columns of StrGridEin, columns separated by ";", cells by "/"; more than four columns are refused.
SetOutcome ApplyHoursTable(Model& model, const ParameterValue& value);

} // namespace umbrix
