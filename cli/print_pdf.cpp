#include "cli/print_pdf.h"

#include "core/driver.h"
#include "graphics/print_layout.h"

namespace umbrix {

namespace {

constexpr double kPrintPdfMarginMm = 5;

/// Prints every page on the document; the reason of a failure, if any.
std::optional<std::string> PrintPdfPages(Model& model, const PdfRequest& request, PdfDocument& document)
{
    if (!document.StartPrintPage(model.drawing))
        return std::string("cannot start the PDF document");
    // No window: the pans are 0 and the image width is the size given.
    model.drawing.imageWidth = request.imageWidth;
    model.drawing.lastImageWidth = request.imageWidth;
    StorePrintedDrawing(model, DrawPrintedGraphic(model, ViewState{}, document.page()));

    if (request.lists) {
        const ListPrintRequest all{true, ListPage::Graphic};
        if (!SelectedLists(model, all).empty()) {
            document.setFormat(PrintPdfFormat().turned());
            if (!document.NewPage() || PrintLists(model, document, all) == ListPrintStatus::PageFailed)
                return std::string("a page of the PDF document could not be started");
        }
    }
    if (!document.finish())
        return std::string("the PDF document could not be finished");
    return std::nullopt;
}

} // namespace

PdfPageFormat PrintPdfFormat()
{
    return {kA4LongSideMm, kA4ShortSideMm, kPrintPdfMarginMm, kPrintPdfMarginMm, kPrintPdfMarginMm, kPrintPdfMarginMm};
}

PdfBytes RenderPdf(Model& model, const PdfRequest& request)
{
    PdfDocument document(PrintPdfFormat(), {.title = {}, .creator = "umbrix-cli"});
    const std::optional<std::string> failure = PrintPdfPages(model, request, document);
    return document.result(failure.value_or("the PDF document could not be finished"));
}

} // namespace umbrix
