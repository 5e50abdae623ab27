#include "ui/print/true_scale_printer.h"

#include "graphics/true_scale.h"
#include "text/own_texts.h"
#include "ui/print/print_surface.h"

#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
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

} // namespace

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
