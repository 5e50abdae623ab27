#pragma once
// PDF documents drawn through the drawing surface with libharu, in memory: the setting-out plan, the
// full-size template, the printed graphic and lists. The surface draws in 0.1 mm from the printable origin
// of the page, y downwards; every coordinate is turned into PDF points (1 mm = 72/25.4 pt) only when it is
// written. Text is set in embedded TrueType fonts (see pdf_fonts.h), and the surface's text widths come
// from the same fonts, so that what a layout measures is what the page shows.
//
// libharu's errors never escape: the first one is kept with the libharu error number, every later drawing
// call is skipped, and the document reports the failure instead of its bytes.

#include "export/pdf_fonts.h"
#include "graphics/print_layout.h"
#include "graphics/surface.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace umbrix {

/// A PDF document in memory, or why there is none.
struct PdfBytes {
    std::string bytes;
    std::optional<std::string> failure;
};

/// Whether `bytes` is a complete PDF document: it begins with "%PDF-" and ends with "%%EOF" within its
/// last 1 KiB.
[[nodiscard]] bool IsCompletePdf(std::string_view bytes);

/// A page as it lies (a landscape page is wider than high), millimetres, and its unprintable margins.
/// The surface's origin is the top-left corner of the printable area; nothing is drawn outside it.
struct PdfPageFormat {
    double widthMm = 210;
    double heightMm = 297;
    double marginLeftMm = 0;
    double marginTopMm = 0;
    double marginRightMm = 0;
    double marginBottomMm = 0;

    /// The same paper turned the other way, margins turned with it (left becomes top).
    [[nodiscard]] PdfPageFormat turned() const;
    [[nodiscard]] bool landscape() const { return widthMm > heightMm; }
};

/// The document information of a PDF.
struct PdfInfo {
    std::string title;
    std::string creator = "umbrix";
};

/// The resolution a PDF page reports as its device capabilities, as a high-resolution printer would.
constexpr int kPdfDotsPerInch = 1200;

/// The device capabilities of a PDF page at kPdfDotsPerInch.
[[nodiscard]] PrinterCapabilities CapabilitiesOf(const PdfPageFormat& format);

class PdfDocument : public PrintJob {
public:
    PdfDocument(const PdfPageFormat& format, const PdfInfo& info, PdfFontFiles fonts = DefaultPdfFontFiles());
    ~PdfDocument() override;
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    /// Starts the first page; false when the document has failed.
    [[nodiscard]] bool begin();
    /// begin, then the page geometry of the format into `state`; false when the format has no usable page.
    [[nodiscard]] bool StartPrintPage(DrawingState& state) override;
    Surface& page() override;
    /// Ends the current page and starts the next in the current format.
    bool NewPage() override;
    /// The format of the pages started from now on.
    void setFormat(const PdfPageFormat& format) { format_ = format; }
    /// Writes the document into memory; false when it or any page failed.
    [[nodiscard]] bool finish() override;

    /// The first failure, in words: a libharu error (with its number) or a font file that could not be read.
    [[nodiscard]] const std::optional<std::string>& failure() const;
    /// The finished document: its bytes after a successful finish, else the failure (`whatFailed` when
    /// nothing more precise is known).
    [[nodiscard]] PdfBytes result(const std::string& whatFailed);

    class Impl;

private:
    std::unique_ptr<Impl> impl_;
    PdfPageFormat format_;
};

} // namespace umbrix
