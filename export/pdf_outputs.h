#pragma once
// The PDF files of the true-scale outputs, made in memory through libharu (pdf_document.h) in every build:
// the setting-out plan and the full-size template. The bytes go to the one safe writer. The printed graphic
// and lists are made by the same document (cli/print_pdf.h, the window's printing).

#include "core/length_unit.h"
#include "core/model.h"
#include "export/pdf_document.h"
#include "graphics/full_size_template.h"
#include "graphics/setting_out_pages.h"

#include <string>

namespace umbrix {

/// Whether this build writes PDF files: every build does.
[[nodiscard]] constexpr bool PdfOutputAvailable()
{
    return true;
}

/// The setting-out plan as a PDF (A4 portrait, the whole sheet as its page).
[[nodiscard]] PdfBytes SettingOutPdf(const SettingOutDocument& document);

/// The full-size template as a PDF: the sheet map, then one page per sheet, on the request's paper with the
/// whole sheet as its page (the template keeps its own 10 mm margins). Refused (with the reason as its
/// failure) when the layout needs more than 1000 sheets or a correction factor is out of range; a layout of
/// more than 100 sheets is made (the caller asks or warns first, see TemplateLayout::warn).
[[nodiscard]] PdfBytes TemplatePdf(const Model& model, LengthUnit unit, const TemplateRequest& request);

} // namespace umbrix
