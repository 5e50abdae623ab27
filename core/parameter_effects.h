#pragma once
// What setting a parameter does besides storing its value, for the parameters without a numeric input
// field: the value has passed the check of its kind (bounds, choices, switch, text) already. Each returns
// Rejected with the message when the state it meets refuses the value; the caller then drops the change.

#include "core/parameters.h"
#include "core/summer_time.h"

#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace umbrix {

/// The "Problem" message M6 for a refused value.
[[nodiscard]] UiMessage InputErrorMessage(const LanguageState& lang);
/// M6 for a refused value of the row, with its rejection line below: the text every front end shows.
[[nodiscard]] UiMessage InputErrorMessage(const Model& model, const ParameterRow& row);

/// The "Problem" message of a value a parameter does not take: "NAME=VALUE: allowed: RANGE" (the value as
/// printable ASCII, at most 40 characters), RANGE as the help states it.
[[nodiscard]] UiMessage ValueNotAllowedMessage(const LanguageState& lang, const ParameterRow& row,
                                               std::string_view value);

/// A calendar date "dd/mm" (one or two digits each, nothing else) that exists in some year (29/02 counts);
/// nothing for any other text.
[[nodiscard]] std::optional<DayMonth> ParseDayMonth(std::string_view text);
/// "dd/mm" with two digits each; the empty text for none.
[[nodiscard]] std::string DayMonthText(const std::optional<DayMonth>& date);

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

// The design's further settings. Reals and dates arrive as the text given; a refused value leaves the model
// as it was and says what the parameter takes.
SetOutcome ApplyLengthUnit(Model& model, const ParameterValue& value);
SetOutcome ApplyMagneticDeclination(Model& model, const ParameterValue& value);
SetOutcome ApplyShowLeapCycle(Model& model, const ParameterValue& value);
SetOutcome ApplyLeapCycleMean(Model& model, const ParameterValue& value);
SetOutcome ApplyDstRing(Model& model, const ParameterValue& value);
SetOutcome ApplyDstOffsetHours(Model& model, const ParameterValue& value);
SetOutcome ApplyDstRingScale(Model& model, const ParameterValue& value);
/// dd/mm; the empty text unsets it (the European rule for `year`).
SetOutcome ApplyDstStart(Model& model, const ParameterValue& value);
SetOutcome ApplyDstEnd(Model& model, const ParameterValue& value);
/// Above 0.05 dial units, as gnomonHeight; the empty text unsets it, so that it follows gnomonHeight again.
SetOutcome ApplyTimeZone(Model& model, const ParameterValue& value);
SetOutcome ApplySummerTimeRule(Model& model, const ParameterValue& value);
SetOutcome ApplyPlace(Model& model, const ParameterValue& value);
/// Whether the dial's site has summer time at all: not under the rule `none`, nor under a zone that the
/// host resolved without summer time in the design year.
[[nodiscard]] bool SiteHasSummerTime(const DialParameters& p);
SetOutcome ApplyBodyHeight(Model& model, const ParameterValue& value);
SetOutcome ApplyReachCoverage(Model& model, const ParameterValue& value);
/// "all" or "screen".
SetOutcome ApplyHourLabels(Model& model, const ParameterValue& value);
/// kMinHourLabelSize .. kMaxHourLabelSize of the semi-major axis.
SetOutcome ApplyHourLabelSize(Model& model, const ParameterValue& value);

constexpr double kMinHourLabelSize = 0.01;
constexpr double kMaxHourLabelSize = 0.2;

/// --set refuses ring 2 on a dial type that cannot carry it (DstRingAllowed); a configuration file keeps it.
[[nodiscard]] std::optional<UiMessage> DstRingRefusedBySet(const Model& model, const ParameterValue& value);

} // namespace umbrix
