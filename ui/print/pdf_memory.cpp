#include "ui/print/pdf_memory.h"

#include <QPageLayout>
#include <QPrinter>

namespace umbrix {

bool PrintsToPdfFile(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

PdfPageFormat PdfFormatOf(const QPrinter& printer)
{
    // The page layout keeps its margins in the unit they were given in (millimetres from the dialogs).
    const QPageLayout layout = printer.pageLayout();
    const QRectF full = layout.fullRect(QPageLayout::Millimeter);
    const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
    PdfPageFormat format;
    format.widthMm = full.width();
    format.heightMm = full.height();
    format.marginLeftMm = paint.left() - full.left();
    format.marginTopMm = paint.top() - full.top();
    format.marginRightMm = full.right() - paint.right();
    format.marginBottomMm = full.bottom() - paint.bottom();
    return format;
}

PdfInfo PdfInfoOf(const QPrinter& printer)
{
    return {.title = printer.docName().toStdString(), .creator = printer.creator().toStdString()};
}

} // namespace umbrix
