#pragma once
// A PDF document drawn into memory (QPdfWriter on a QBuffer) and checked before anything is written, so
// that a failed or truncated document never reaches a file.

#include "ui/print/pdf_export.h"
#include "ui/print/print_document.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QPdfWriter;
class QPrinter;

namespace umbrix {

/// Whether `bytes` is a complete PDF document: it begins with "%PDF-" and ends with "%%EOF" within its
/// last 1 KiB.
[[nodiscard]] bool IsCompletePdf(std::string_view bytes);

/// `setUp` gives the writer its page layout, resolution and names; `draw` prints every page on the
/// document (and finishes it) and returns the reason of a failure. The bytes are checked with IsCompletePdf.
[[nodiscard]] PdfBytes DrawPdfInMemory(const std::function<void(QPdfWriter&)>& setUp,
                                       const std::function<std::optional<std::string>(PrintDocument&)>& draw);

/// Whether the printer's output is a PDF file (the print dialog's "print to file").
[[nodiscard]] bool PrintsToPdfFile(const QPrinter& printer);

/// A writer with the printer's page layout, resolution, creator and title.
void SetUpLikePrinter(QPdfWriter& writer, const QPrinter& printer);

} // namespace umbrix
