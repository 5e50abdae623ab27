#pragma once
// The JSON report of a umbrix-cli run: parameters, messages and every result table.

#include "core/fields.h"
#include "core/model.h"

#include <string>
#include <vector>

namespace umbrix {

/// The version of the report's layout that docs/umbrix-cli.schema.json describes.
constexpr int kJsonSchemaVersion = 1;

/// Whether the report lists the result tables, or only the parameters, the error and the messages of a
/// construction that cannot be built (every table then an empty list).
enum class ReportTables : bool { Written, Empty };

class JsonWriter;
struct AnalysisResults;

/// The messages as a JSON array of {caption, text}, as the report's `messages` holds them.
void WriteMessages(JsonWriter& json, const std::vector<UiMessage>& messages);
struct SiteFacts;

/// `analyses`: the parts the analysis options asked for, written after the result tables; null for none.
/// `place`: the gazetteer's place of the site for the `site` object; null when there is none.
std::string JsonReport(const Model& model, int errorCode, const std::vector<UiMessage>& messages,
                       ReportTables tables = ReportTables::Written, const AnalysisResults* analyses = nullptr,
                       const SiteFacts* place = nullptr);

} // namespace umbrix
