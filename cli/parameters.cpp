#include "cli/parameters.h"

#include "core/parameters.h"

#include <variant>

namespace umbrix {

bool ReportedInParameters(const ParameterRow& row)
{
    return row.kind != ValueKind::HoursTable;
}

void WriteParameters(JsonWriter& json, const Model& model)
{
    for (const ParameterRow& row : ParameterTable()) {
        if (!ReportedInParameters(row))
            continue;
        json.key(row.name);
        std::visit([&](const auto& value) { json.value(value); }, ValueOf(row, model));
    }
}

} // namespace umbrix
