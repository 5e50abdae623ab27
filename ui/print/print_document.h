#pragma once
// One print job on a QPrinter (a CUPS printer, or the print preview): StartPrintPage and the pages in
// 0.1 mm. A printer that prints to a PDF file is given a PdfDocument instead (ui/print/pdf_memory.h).

#include "core/model.h"
#include "graphics/print_layout.h"
#include "graphics/view.h"
#include "ui/print/print_surface.h"

#include <QPainter>

class QPagedPaintDevice;
class QPrinter;

namespace umbrix {

/// The device capabilities of a printer or PDF writer, from its page layout: the printable area in
/// millimetres and in device pixels at `resolutionDpi`, its offset from the paper's corner, the orientation.
[[nodiscard]] PrinterCapabilities CapabilitiesOf(const QPagedPaintDevice& device, int resolutionDpi);

class PrintDocument : public PrintJob {
public:
    explicit PrintDocument(QPrinter& printer);
    /// Ends a document that is still open.
    ~PrintDocument() override;
    PrintDocument(const PrintDocument&) = delete;
    PrintDocument& operator=(const PrintDocument&) = delete;

    /// Begins the document, computes the page geometry into `state` (ComputePrintGeometry) and maps one
    /// logical unit onto 0.1 mm with y downwards from the printable origin. False when the printer cannot
    /// begin or reports no usable page: the document is then ended.
    [[nodiscard]] bool StartPrintPage(DrawingState& state) override;

    Surface& page() override { return surface_; }
    bool NewPage() override;

    /// Ends the document; false when the printer reported an error.
    [[nodiscard]] bool finish() override;

private:
    void mapTenthMillimetres();

    QPagedPaintDevice& device_;
    QPrinter* printer_ = nullptr; // set for a printer: its state tells of failures
    int resolutionDpi_;
    QPainter painter_;
    PrintSurface surface_{painter_};
};

} // namespace umbrix
