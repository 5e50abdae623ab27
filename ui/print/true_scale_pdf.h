#pragma once
// The PDF documents of the true-scale outputs, made in memory: the setting-out plan (A4 portrait) and the
// full-size template (its paper, portrait). The bytes go to the one safe writer. This header needs no Qt.

#include "core/length_unit.h"
#include "core/model.h"
#include "graphics/full_size_template.h"
#include "graphics/setting_out_pages.h"
#include "ui/print/pdf_export.h"

#include <string>

class QPrinter;

namespace umbrix {

/// The setting-out plan as a PDF. Text needs a QGuiApplication: one is made for the call when the process
/// has none (see GuiForCall).
[[nodiscard]] PdfBytes SettingOutPdf(const SettingOutDocument& document);

/// The full-size template as a PDF: the sheet map, then one page per sheet. Refused (with the reason as its
/// failure) when the layout needs more than 1000 sheets or a correction factor is out of range; a layout of
/// more than 100 sheets is made (the caller asks or warns first, see TemplateLayout::warn).
[[nodiscard]] PdfBytes TemplatePdf(const Model& model, LengthUnit unit, const TemplateRequest& request);

/// The full-size template on a printer: the printer is given the request's paper, portrait, and the whole
/// sheet as its page (the template keeps its own 10 mm margins), then the sheet map and every sheet are
/// printed as TemplatePdf makes them. The failure's reason, or nothing when every page went to the printer;
/// refused alike.
[[nodiscard]] std::optional<std::string> PrintTemplate(QPrinter& printer, const Model& model, LengthUnit unit,
                                                       const TemplateRequest& request);

} // namespace umbrix
