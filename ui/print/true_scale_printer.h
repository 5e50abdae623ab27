#pragma once
// The full-size template on a printer. Its PDF, and the setting-out plan's, are made by the one PDF path
// (export/pdf_outputs.h).

#include "core/length_unit.h"
#include "core/model.h"
#include "graphics/full_size_template.h"

#include <optional>
#include <string>

class QPrinter;

namespace umbrix {

/// The full-size template on a printer: the printer is given the request's paper, portrait, and the whole
/// sheet as its page (the template keeps its own 10 mm margins), then the sheet map and every sheet are
/// printed as TemplatePdf (export/pdf_outputs.h) makes them. The failure's reason, or nothing when every
/// page went to the printer; refused alike.
[[nodiscard]] std::optional<std::string> PrintTemplate(QPrinter& printer, const Model& model, LengthUnit unit,
                                                       const TemplateRequest& request);

} // namespace umbrix
