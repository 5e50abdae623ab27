#pragma once
// The tables and the checklist of the setting-out plan: each built from the plan's rows or the model, in
// the language of the model, lengths in the design unit. Used by the plan's pages alone.

#include "core/accuracy.h"
#include "core/correction_table.h"
#include "graphics/setting_out_pages.h"
#include "text/own_texts.h"
#include "text/texts.h"

#include <cstddef>
#include <string>
#include <vector>

namespace umbrix::setting_out_tables {

inline std::string T(const LanguageState& lang, OwnText text)
{
    return std::string(OwnTextOf(lang, text));
}

/// A length with its unit: "1.250 m".
inline std::string Length(double v, LengthUnit unit)
{
    return FormatLength(v, unit) + " " + std::string(UnitName(unit));
}

/// Whether a row belongs to the inner summer-time ring.
inline bool IsInnerRing(SettingOutKind kind)
{
    return kind == SettingOutKind::DstHour || kind == SettingOutKind::DstDate;
}

/// The number of row i in the drawing and the table: the inner ring's rows are "S1", "S2", ...
[[nodiscard]] std::string RowNumber(const SettingOutPlan& plan, std::size_t i);

/// Every point of the plan with its number, kind, coordinates and distances d1/d2 from the stakes.
[[nodiscard]] PlanTable PointTable(const SettingOutPlan& plan, const LanguageState& lang, LengthUnit unit,
                                   bool yIsNorth);

/// The error budget's hour points and date marks: minutes per millimetre, per degree, per 0.1 degree.
[[nodiscard]] std::vector<PlanTable> BudgetTables(const ErrorBudget& budget, const LanguageState& lang);

/// The plaque's table: per date the minutes to add to the reading for standard and summer time, and the
/// clock time of apparent noon.
[[nodiscard]] PlanTable CorrectionPlanTable(const CorrectionTable& table, const LanguageState& lang);

/// The clock time of apparent noon on every day of the shadow date's month.
[[nodiscard]] PlanTable NoonTable(const Model& model);

/// The sun's azimuth at every full hour of the shadow date: a plumb line's shadow gives the meridian then.
[[nodiscard]] PlanTable AzimuthTable(const Model& model);

/// The date marks as distances from P along the y axis (and across it).
[[nodiscard]] PlanTable DateDistanceTable(const SettingOutPlan& plan, const LanguageState& lang, LengthUnit unit,
                                          bool yIsNorth);

/// The steps in their order, each with its numbers, and the chords to check.
[[nodiscard]] PlanSection ChecklistSection(const Model& model, const SettingOutDocument& d, LengthUnit unit);

} // namespace umbrix::setting_out_tables
