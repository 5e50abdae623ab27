#pragma once
// One print job on a QPrinter (a CUPS printer or a PDF file): StartPrintPage, the pages in 0.1 mm, and the
// page of the printed graphic. Used by the window's print commands and by umbrix-cli --pdf.

#include "core/model.h"
#include "graphics/print_layout.h"
#include "graphics/view.h"
#include "ui/print/print_surface.h"

#include <QPainter>

class QPrinter;

namespace umbrix {

/// The device capabilities of a QPrinter, from its page layout: the printable area in millimetres and in
/// device pixels at the printer's resolution, its offset from the paper's corner, the orientation.
[[nodiscard]] PrinterCapabilities CapabilitiesOf(const QPrinter& printer);

class PrintDocument : public PageFlow {
public:
    explicit PrintDocument(QPrinter& printer);
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

    QPrinter& printer_;
    QPainter painter_;
    PrintSurface surface_{painter_};
};

/// The graphic page of GrafikG once the document is started: printAreaHeight = round(printAreaWidth / 1.65),
/// printer font Arial 40, DrawConstruction in print mode with the view's zoom and pan (converted by the
/// width ratio of the window image, drawing.imageWidth or else lastImageWidth). The size, centres and tick
/// length of the last screen drawing stay in the drawing state; the print geometry is kept there too.
void PrintGraphicPage(Model& model, const ViewState& view, PrintDocument& document);

} // namespace umbrix
