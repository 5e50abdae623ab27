#pragma once
// umbrix-cli --pdf: the printed graphic and lists as a PDF document. This header needs no Qt; without Qt the
// program is built with an implementation that only reports that PDF output is unavailable.

#include "core/model.h"

#include <optional>
#include <string>

namespace umbrix {

struct PdfRequest {
    bool lists = true;     // all lists after the graphic page
    int imageWidth = 1180; // width of the (absent) window image: the pan conversion's reference
};

/// A PDF document in memory, or why there is none.
struct PdfBytes {
    std::string bytes;
    std::optional<std::string> failure;
};

/// Whether this build can write PDF files.
[[nodiscard]] bool PdfOutputAvailable();

/// Prints the graphic page (A4 landscape, 5 mm margins) and then, when asked, all lists (portrait) into a
/// PDF document in memory through the print code of the window, with the view at zoom 1 and no pan. The
/// document is checked to be complete; the caller writes it. Text needs a QGuiApplication: when there is
/// none, one is made for the call, on the offscreen platform when neither a display nor QT_QPA_PLATFORM is
/// set.
[[nodiscard]] PdfBytes RenderPdf(Model& model, const PdfRequest& request);

} // namespace umbrix
