#pragma once
// umbrix-cli --pdf: the printed graphic and lists as a PDF document, through the one PDF path
// (export/pdf_document.h), in every build.

#include "core/model.h"
#include "export/pdf_document.h"

namespace umbrix {

struct PdfRequest {
    bool lists = true;     // all lists after the graphic page
    int imageWidth = 1180; // width of the (absent) window image: the pan conversion's reference
};

/// The page of the printed graphic: A4 landscape with 5 mm margins.
[[nodiscard]] PdfPageFormat PrintPdfFormat();

/// Prints the graphic page (A4 landscape, 5 mm margins) and then, when asked, all lists (portrait) into a
/// PDF document in memory, with the view at zoom 1 and no pan, as the window prints them. The drawing
/// state receives what the printed drawing leaves, as after the window's print.
[[nodiscard]] PdfBytes RenderPdf(Model& model, const PdfRequest& request);

} // namespace umbrix
