#pragma once
// umbrix-cli --pdf: the printed graphic and lists as a PDF file. This header needs no Qt; without Qt the
// program is built with an implementation that only reports that PDF output is unavailable.

#include "core/model.h"

#include <optional>
#include <string>

namespace umbrix {

struct PdfRequest {
    std::string path;
    bool lists = true;     // all lists after the graphic page
    int imageWidth = 1180; // width of the (absent) window image: the pan conversion's reference
};

/// Whether this build can write PDF files.
[[nodiscard]] bool PdfOutputAvailable();

/// Prints the graphic page (A4 landscape, 5 mm margins) and then, when asked, all lists (portrait) to a PDF
/// file through the print code of the window, with the view at zoom 1 and no pan. Text needs a
/// QGuiApplication: when there is none, one is made for the call, on the offscreen platform when neither a
/// display nor QT_QPA_PLATFORM is set. The file is written beside the target and renamed over it, so a
/// failure leaves an existing file alone. Returns the reason of a failure.
[[nodiscard]] std::optional<std::string> WritePdf(Model& model, const PdfRequest& request);

} // namespace umbrix
