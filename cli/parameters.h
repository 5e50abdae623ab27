#pragma once
// The parameters by their own names in umbrix-cli's JSON report.

#include "cli/json_writer.h"
#include "core/model.h"
#include "core/parameters.h"

namespace umbrix {

/// Whether the report's `parameters` object has the row: every row but the hours table, which the report
/// has among the grids.
[[nodiscard]] bool ReportedInParameters(const ParameterRow& row);

/// Writes every row of the parameter table but the hours table (the report has it among the grids) as the
/// members of the current JSON object, in table order.
void WriteParameters(JsonWriter& json, const Model& model);

} // namespace umbrix
