#pragma once
// The JSON report of a umbrix-cli run: parameters, messages and every result table.

#include "core/fields.h"
#include "core/model.h"

#include <string>
#include <vector>

namespace umbrix {

std::string JsonReport(const Model& model, int errorCode, const std::vector<UiMessage>& messages);

} // namespace umbrix
