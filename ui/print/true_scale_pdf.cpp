#include "ui/print/true_scale_pdf.h"

#include "graphics/true_scale.h"
#include "text/own_texts.h"
#include "ui/print/gui_for_call.h"
#include "ui/print/print_surface.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace umbrix {

namespace {

QPageSize PageSizeOf(PaperSize paper)
{
    switch (paper) {
    case PaperSize::A4:
        return QPageSize(QPageSize::A4);
    case PaperSize::A3:
        return QPageSize(QPageSize::A3);
    case PaperSize::Letter:
        return QPageSize(QPageSize::Letter);
    }
    return QPageSize(QPageSize::A4);
}

/// Pages of a PDF written into memory, each mapped to 0.1 mm from the paper's top-left corner.
class PdfPages : public PageFlow {
public:
    PdfPages(const QPageSize& size, const QString& title, bool landscape = false) : writer_(&buffer_)
    {
        buffer_.open(QIODevice::WriteOnly);
        writer_.setPageSize(size);
        writer_.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        writer_.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer_.setResolution(kPdfDotsPerInch);
        writer_.setCreator(QStringLiteral("umbrix"));
        writer_.setTitle(title);
        QSizeF mm = size.size(QPageSize::Millimeter);
        if (landscape)
            mm.transpose();
        surface_.setPageSize(static_cast<int>(mm.width() * 10), static_cast<int>(mm.height() * 10));
        began_ = painter_.begin(&writer_);
        map();
    }

    bool began() const { return began_; }
    Surface& page() override { return surface_; }
    bool NewPage() override
    {
        if (!writer_.newPage())
            return false;
        map();
        return true;
    }
    /// Ends the document; the bytes, or nothing when it failed.
    std::optional<std::string> finish()
    {
        if (!painter_.end())
            return std::nullopt;
        const QByteArray& data = buffer_.data();
        if (!data.startsWith("%PDF"))
            return std::nullopt;
        return std::string(data.constData(), static_cast<std::size_t>(data.size()));
    }

private:
    void map()
    {
        painter_.resetTransform();
        const double scale = writer_.resolution() / kTenthMmPerInch;
        painter_.scale(scale, scale);
        painter_.setRenderHint(QPainter::Antialiasing, true);
    }

    QBuffer buffer_;
    QPdfWriter writer_;
    QPainter painter_;
    PrintSurface surface_{painter_};
    bool began_ = false;
};

/// Pages of a printer, each mapped to 0.1 mm from the paper's top-left corner.
class PrinterPages : public PageFlow {
public:
    explicit PrinterPages(QPrinter& printer) : printer_(printer)
    {
        began_ = painter_.begin(&printer_);
        const QSizeF mm = printer_.pageLayout().fullRect(QPageLayout::Millimeter).size();
        surface_.setPageSize(static_cast<int>(mm.width() * 10), static_cast<int>(mm.height() * 10));
        map();
    }

    bool began() const { return began_; }
    Surface& page() override { return surface_; }
    bool NewPage() override
    {
        if (!printer_.newPage())
            return false;
        map();
        return true;
    }
    /// Ends the job; false when the printer reported an error.
    bool finish() { return painter_.end() && printer_.printerState() != QPrinter::Error; }

private:
    void map()
    {
        painter_.resetTransform();
        const double scale = printer_.resolution() / kTenthMmPerInch;
        painter_.scale(scale, scale);
        painter_.setRenderHint(QPainter::Antialiasing, true);
    }

    QPrinter& printer_;
    QPainter painter_;
    PrintSurface surface_{painter_};
    bool began_ = false;
};

PdfBytes Finished(PdfPages& pages, bool drawn, const std::string& whatFailed)
{
    PdfBytes result;
    std::optional<std::string> bytes = pages.finish();
    if (!drawn || !bytes) {
        result.failure = whatFailed;
        return result;
    }
    result.bytes = std::move(*bytes);
    return result;
}

} // namespace

PdfBytes SettingOutPdf(const SettingOutDocument& document)
{
    GuiForCall gui;
    PdfPages pages(QPageSize(QPageSize::A4), QString::fromStdString(document.title));
    if (!pages.began())
        return {{}, "the PDF document could not be started"};
    const bool drawn = DrawSettingOutDocument(document, pages);
    return Finished(pages, drawn, "a page of the PDF document could not be started");
}

PdfBytes TemplatePdf(const Model& model, LengthUnit unit, const TemplateRequest& request)
{
    const LanguageState& lang = model.state.language;
    if (!CorrectionAccepted(request))
        return {{}, "a printer correction factor lies outside 0.8 .. 1.25"};
    const TemplateLayout layout =
        LayoutTemplate(BuildConstructionGeometry(model).dial, UnitSizeMm(unit), request.paper, request.orientation);
    if (layout.refused())
        return {{}, std::string(OwnTextOf(lang, OwnText::SheetsRefused))};
    GuiForCall gui;
    PdfPages pages(PageSizeOf(request.paper), QString::fromUtf8(OwnTextOf(lang, OwnText::TemplateTitle).data()),
                   layout.landscape);
    if (!pages.began())
        return {{}, "the PDF document could not be started"};
    const bool drawn = DrawTemplate(model, unit, request, pages);
    return Finished(pages, drawn, "a page of the PDF document could not be started");
}

std::optional<std::string> PrintTemplate(QPrinter& printer, const Model& model, LengthUnit unit,
                                         const TemplateRequest& request)
{
    if (!CorrectionAccepted(request))
        return "a printer correction factor lies outside 0.8 .. 1.25";
    const TemplateLayout layout =
        LayoutTemplate(BuildConstructionGeometry(model).dial, UnitSizeMm(unit), request.paper, request.orientation);
    if (layout.refused())
        return std::string(OwnTextOf(model.state.language, OwnText::SheetsRefused));
    printer.setPageSize(PageSizeOf(request.paper));
    printer.setPageOrientation(layout.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    PrinterPages pages(printer);
    if (!pages.began())
        return "the printer could not start the document";
    const bool drawn = DrawTemplate(model, unit, request, pages);
    if (!pages.finish() || !drawn)
        return "the printer reported an error";
    return std::nullopt;
}

} // namespace umbrix
