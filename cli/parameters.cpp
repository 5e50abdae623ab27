#include "cli/parameters.h"

#include "core/parameters.h"

#include <variant>

namespace umbrix {

void WriteParameters(JsonWriter& json, const Model& model)
{
    for (const ParameterRow& row : ParameterTable()) {
        if (row.kind == ValueKind::HoursTable)
            continue;
        json.key(row.name);
        std::visit([&](const auto& value) { json.value(value); }, ValueOf(row, model));
    }
}

} // namespace umbrix
