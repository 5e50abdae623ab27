#pragma once
// What setting a parameter does besides storing its value, for the parameters without a numeric input
// field: the value has passed the check of its kind (bounds, choices, switch, text) already. Each returns
// Rejected with the message when the state it meets refuses the value; the caller then drops the change.

#include "core/parameters.h"

namespace umbrix {

/// The "Problem" message M6 for a refused value.
[[nodiscard]] UiMessage InputErrorMessage(const LanguageState& lang);

SetOutcome ApplyDialType(Model& model, const ParameterValue& value);
SetOutcome ApplyMarksMode(Model& model, const ParameterValue& value);
SetOutcome ApplyDoubleAnalemmaMethod(Model& model, const ParameterValue& value);
SetOutcome ApplyMarksPerMonth(Model& model, const ParameterValue& value);
SetOutcome ApplyLinesPerHour(Model& model, const ParameterValue& value);
SetOutcome ApplyHourFrom(Model& model, const ParameterValue& value);
SetOutcome ApplyHourTo(Model& model, const ParameterValue& value);
SetOutcome ApplyErrorHourFrom(Model& model, const ParameterValue& value);
SetOutcome ApplyErrorHourTo(Model& model, const ParameterValue& value);
SetOutcome ApplyShowZoneTime(Model& model, const ParameterValue& value);
SetOutcome ApplyShowLambertCircle(Model& model, const ParameterValue& value);
SetOutcome ApplyShowShadowPath(Model& model, const ParameterValue& value);
SetOutcome ApplyMarkRiseSet(Model& model, const ParameterValue& value);
SetOutcome ApplyCoordinatesAsXY(Model& model, const ParameterValue& value);
SetOutcome ApplyUseDefaultHours(Model& model, const ParameterValue& value);
SetOutcome ApplyFineSearch(Model& model, const ParameterValue& value);
/// The shadow date "dd/mm" through the check of MaskEdit1.
SetOutcome ApplyShadowDate(Model& model, const ParameterValue& value);
/// The four columns of StrGridEin, columns separated by ";", cells by "/"; more than four columns are refused.
SetOutcome ApplyHoursTable(Model& model, const ParameterValue& value);

} // namespace umbrix
