#include "ui/print/pdf_export.h"

#include "graphics/print_layout.h"
#include "ui/print/gui_for_call.h"
#include "ui/print/pdf_memory.h"
#include "ui/print/print_document.h"

#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace umbrix {

namespace {

constexpr double kPdfMarginMm = 5;

/// Prints every page on the document; the reason of a failure, if any.
std::optional<std::string> PrintPdfPages(Model& model, const PdfRequest& request, PrintDocument& document,
                                         QPdfWriter& writer)
{
    if (!document.StartPrintPage(model.drawing))
        return std::string("cannot start the PDF document");
    // No window: the pans are 0 and the image width is the size given.
    model.drawing.imageWidth = request.imageWidth;
    model.drawing.lastImageWidth = request.imageWidth;
    PrintGraphicPage(model, ViewState{}, document);

    if (request.lists) {
        const ListPrintRequest all{true, ListPage::Graphic};
        if (!SelectedLists(model, all).empty()) {
            writer.setPageOrientation(QPageLayout::Portrait);
            if (!document.NewPage() || PrintLists(model, document, all) == ListPrintStatus::PageFailed)
                return std::string("a page of the PDF document could not be started");
        }
    }
    if (!document.finish())
        return std::string("the PDF document could not be finished");
    return std::nullopt;
}

} // namespace

bool PdfOutputAvailable()
{
    return true;
}

PdfBytes RenderPdf(Model& model, const PdfRequest& request)
{
    GuiForCall gui;
    QPdfWriter* pdfWriter = nullptr;
    const auto setUp = [&](QPdfWriter& writer) {
        pdfWriter = &writer;
        writer.setResolution(kPdfDotsPerInch);
        writer.setCreator(QStringLiteral("umbrix-cli"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setPageMargins(QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                              QPageLayout::Millimeter);
    };
    return DrawPdfInMemory(
        setUp, [&](PrintDocument& document) { return PrintPdfPages(model, request, document, *pdfWriter); });
}

} // namespace umbrix
