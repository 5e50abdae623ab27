#include "ui/print/pdf_export.h"

#include "graphics/print_layout.h"
#include "ui/print/pdf_memory.h"
#include "ui/print/print_document.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <clocale>
#include <memory>

namespace umbrix {

namespace {

constexpr double kPdfMarginMm = 5;
constexpr int kPdfResolutionDpi = 1200; // as a high-resolution printer

/// A QGuiApplication for the length of one call when the process has none. Qt switches the C library to
/// the user's locale on start-up; the previous locale is restored afterwards.
class GuiForCall {
public:
    GuiForCall()
    {
        if (QCoreApplication::instance())
            return;
        if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (const char* locale = std::setlocale(LC_ALL, nullptr))
            locale_ = locale;
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    ~GuiForCall()
    {
        if (!app_)
            return;
        app_.reset();
        if (!locale_.empty())
            std::setlocale(LC_ALL, locale_.c_str());
    }
    GuiForCall(const GuiForCall&) = delete;
    GuiForCall& operator=(const GuiForCall&) = delete;

private:
    int argc_ = 1;
    char name_[11] = "umbrix-cli";
    char* argv_[2] = {name_, nullptr};
    std::string locale_;
    std::unique_ptr<QGuiApplication> app_;
};

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
        writer.setResolution(kPdfResolutionDpi);
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
