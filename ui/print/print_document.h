#pragma once
// One print job on a QPrinter (a CUPS printer) or on a QPdfWriter (a PDF in memory): StartPrintPage, the
// pages in 0.1 mm, and the page of the printed graphic. Used by the window's print commands and by
// umbrix-cli --pdf.

#include "core/model.h"
#include "graphics/print_layout.h"
#include "graphics/view.h"
#include "ui/print/print_surface.h"

#include <QPainter>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

namespace umbrix {

/// The device capabilities of a printer or PDF writer, from its page layout: the printable area in
/// millimetres and in device pixels at `resolutionDpi`, its offset from the paper's corner, the orientation.
[[nodiscard]] PrinterCapabilities CapabilitiesOf(const QPagedPaintDevice& device, int resolutionDpi);

class PrintDocument : public PageFlow {
public:
    explicit PrintDocument(QPrinter& printer);
    explicit PrintDocument(QPdfWriter& writer);
    /// Ends a document that is still open.
    ~PrintDocument() override;
    PrintDocument(const PrintDocument&) = delete;
    PrintDocument& operator=(const PrintDocument&) = delete;

    /// Begins the document, computes the page geometry into `state` (ComputePrintGeometry) and maps one
    /// logical unit onto 0.1 mm with y downwards from the printable origin. False when the printer cannot
    /// begin or reports no usable page: the document is then ended.
    [[nodiscard]] bool StartPrintPage(DrawingState& state);

    Surface& page() override { return surface_; }
    bool NewPage() override;

    /// Ends the document; false when the printer reported an error.
    [[nodiscard]] bool finish();

private:
    void mapTenthMillimetres();

    QPagedPaintDevice& device_;
    QPrinter* printer_ = nullptr; // set for a printer: its state tells of failures
    int resolutionDpi_;
    QPainter painter_;
    PrintSurface surface_{painter_};
};

/// The graphic page of GrafikG once the document is started: printAreaHeight = round(printAreaWidth / 1.65),
/// printer font Arial 40, DrawConstruction in print mode with the view's zoom and pan (converted by the
/// width ratio of the window image, drawing.imageWidth or else lastImageWidth). The size, centres and tick
/// length of the last screen drawing stay in the drawing state; the print geometry is kept there too.
void PrintGraphicPage(Model& model, const ViewState& view, PrintDocument& document);

} // namespace umbrix
