#include "ui/print/print_document.h"

#include <QPageLayout>
#include <QPrinter>

#include <cmath>

namespace umbrix {

PrinterCapabilities CapabilitiesOf(const QPagedPaintDevice& device, int resolutionDpi)
{
    // The page layout keeps its margins in the unit they were given in (millimetres from the dialogs); its
    // pixel rectangle rounds them to whole points first. The pixels are derived from the millimetres, so
    // that a 5 mm margin stays 5 mm.
    const QPageLayout layout = device.pageLayout();
    const double pixelsPerMm = resolutionDpi / 25.4;
    const QRectF paintMm = layout.paintRect(QPageLayout::Millimeter);
    PrinterCapabilities caps;
    caps.horzSizeMm = paintMm.width();
    caps.vertSizeMm = paintMm.height();
    caps.horzRes = static_cast<int>(std::lround(paintMm.width() * pixelsPerMm));
    caps.vertRes = static_cast<int>(std::lround(paintMm.height() * pixelsPerMm));
    caps.physicalOffsetX = static_cast<int>(std::lround(paintMm.left() * pixelsPerMm));
    caps.physicalOffsetY = static_cast<int>(std::lround(paintMm.top() * pixelsPerMm));
    caps.portrait = layout.orientation() == QPageLayout::Portrait;
    return caps;
}

PrintDocument::PrintDocument(QPrinter& printer)
    : device_(printer), printer_(&printer), resolutionDpi_(printer.resolution())
{
}

PrintDocument::~PrintDocument()
{
    if (painter_.isActive())
        painter_.end();
}

bool PrintDocument::StartPrintPage(DrawingState& state)
{
    if (!painter_.begin(&device_))
        return false;
    const std::optional<PrintGeometry> geometry = ComputePrintGeometry(CapabilitiesOf(device_, resolutionDpi_));
    if (!geometry || resolutionDpi_ <= 0) {
        if (printer_)
            printer_->abort();
        painter_.end();
        return false;
    }
    StorePrintGeometry(state, *geometry);
    mapTenthMillimetres();
    return true;
}

void PrintDocument::mapTenthMillimetres()
{
    const double scale = resolutionDpi_ / kTenthMmPerInch;
    painter_.resetTransform();
    painter_.scale(scale, scale);
    const QRectF paintMm = device_.pageLayout().paintRect(QPageLayout::Millimeter);
    const int width = static_cast<int>(std::floor(paintMm.width() * 10));
    const int height = static_cast<int>(std::floor(paintMm.height() * 10));
    surface_.setPageSize(width, height);
    // As on paper: nothing beyond the printable area (a PDF page would show what the drawing runs into
    // the unprintable margins, around the legend's frame).
    painter_.setClipRect(QRectF(0, 0, width, height));
}

bool PrintDocument::NewPage()
{
    if (!painter_.isActive() || !device_.newPage())
        return false;
    // The new page may have another orientation: its size and the mapping are read again.
    mapTenthMillimetres();
    return !printer_ || printer_->printerState() != QPrinter::Error;
}

bool PrintDocument::finish()
{
    if (!painter_.isActive())
        return false;
    const bool ended = painter_.end();
    return ended && (!printer_ || printer_->printerState() != QPrinter::Error);
}

} // namespace umbrix
