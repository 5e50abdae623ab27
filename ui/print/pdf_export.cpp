#include "ui/print/pdf_export.h"

#include "graphics/print_layout.h"
#include "ui/print/gui_for_call.h"
#include "ui/print/print_document.h"

#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryFile>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace umbrix {

namespace {

constexpr double kPdfMarginMm = 5;

/// Prints into the open printer; the reason of a failure, if any.
std::optional<std::string> PrintPdfPages(Model& model, const PdfRequest& request, QPrinter& printer)
{
    PrintDocument document(printer);
    if (!document.StartPrintPage(model.drawing))
        return std::string("cannot start the PDF document");
    // No window: the pans are 0 and the image width is the size given.
    model.drawing.imageWidth = request.imageWidth;
    model.drawing.lastImageWidth = request.imageWidth;
    PrintGraphicPage(model, ViewState{}, document);

    if (request.lists) {
        const ListPrintRequest all{true, ListPage::Graphic};
        if (!SelectedLists(model, all).empty()) {
            printer.setPageOrientation(QPageLayout::Portrait);
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

std::optional<std::string> WritePdf(Model& model, const PdfRequest& request)
{
    if (request.path.empty())
        return std::string("no file name");
    GuiForCall gui;

    const QString target = QString::fromStdString(request.path);
    const QFileInfo info(target);
    QTemporaryFile temporary(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    temporary.setAutoRemove(true);
    if (!temporary.open())
        return "cannot write into the folder " + info.absolutePath().toStdString();
    temporary.close();
    temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                             QFileDevice::ReadOther);

    std::optional<std::string> failure;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(temporary.fileName());
        printer.setCreator(QStringLiteral("umbrix-cli"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setPageMargins(QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                               QPageLayout::Millimeter);
        failure = PrintPdfPages(model, request, printer);
    }
    if (failure)
        return failure;
    if (QFileInfo(temporary.fileName()).size() <= 0)
        return std::string("the PDF document is empty");

    std::error_code error;
    std::filesystem::rename(temporary.fileName().toStdString(), request.path, error);
    if (error)
        return error.message();
    temporary.setAutoRemove(false); // renamed: nothing left to remove
    return std::nullopt;
}

} // namespace umbrix
