#pragma once
// A printer that prints to a PDF file gets the document of the one PDF path (export/pdf_document.h): the
// printer's paper, orientation, margins and names as the PDF's page format and information.

#include "export/pdf_document.h"

class QPrinter;

namespace umbrix {

/// Whether the printer's output is a PDF file (the print dialog's "print to file").
[[nodiscard]] bool PrintsToPdfFile(const QPrinter& printer);

/// The printer's page as a PDF page format: the paper as it lies and the margins of its printable area, mm.
[[nodiscard]] PdfPageFormat PdfFormatOf(const QPrinter& printer);

/// The printer's document name as the PDF's title, its creator as the PDF's creator.
[[nodiscard]] PdfInfo PdfInfoOf(const QPrinter& printer);

} // namespace umbrix
