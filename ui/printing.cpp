#include "ui/printing.h"

#include "core/driver.h"
#include "export/file_messages.h"
#include "export/file_writer.h"
#include "text/texts.h"
#include "ui/print/pdf_memory.h"
#include "ui/print/print_document.h"
#include "ui/qt_text.h"

#include <QAction>
#include <QDialog>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace umbrix {

namespace {

/// Shows the pages `draw` makes as the printer would print them; true when the user goes on to print.
/// The preview draws on the printer in its preview mode, so the print itself still takes the program's own
/// path (a PDF file through the safe writer).
bool ConfirmPreview(QWidget* parent, QPrinter& printer, const std::function<void(PrintDocument&)>& draw)
{
    QPrintPreviewDialog box(&printer, parent);
    box.setObjectName(QStringLiteral("PrintPreview"));
    QObject::connect(&box, &QPrintPreviewDialog::paintRequested, &box, [&draw](QPrinter* shown) {
        PrintDocument document(*shown);
        draw(document);
    });
    // The dialog's own print button would print past the program's path: it only confirms here.
    for (QAction* action : box.findChildren<QAction*>())
        if (const QString text = action->text().remove(QLatin1Char('&'));
            text == QStringLiteral("Print") || text == QStringLiteral("Drucken")) {
            QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
            QObject::connect(action, &QAction::triggered, &box, &QDialog::accept);
        }
    return box.exec() == QDialog::Accepted;
}

/// The set-up dialog, then (on the screen) the preview of the pages.
bool ConfirmPrinter(QWidget* parent, QPrinter& printer, const PrinterDialog& dialog,
                    const std::function<void(PrintDocument&)>& draw)
{
    if (dialog)
        return dialog(printer);
    QPrintDialog box(&printer, parent);
    if (box.exec() != QDialog::Accepted)
        return false;
    return ConfirmPreview(parent, printer, draw);
}

void ReportNotReady(const Model& model, Host& host)
{
    const LanguageState& lang = model.state.language;
    host.showMessage(CaptionText(lang, Caption::Warning), MessageRow(lang, MessageId::PrinterNotReady),
                     MessageIcon::Warning);
}

void ReportFailure(const Model& model, Host& host)
{
    const LanguageState& lang = model.state.language;
    host.showMessage(CaptionText(lang, Caption::Error), MessageRow(lang, MessageId::PrintingFailed),
                     MessageIcon::Warning);
}

/// Graphic printing leaves the printer in portrait orientation, however it ends.
class PortraitAgain {
public:
    explicit PortraitAgain(QPrinter& printer) : printer_(printer) {}
    ~PortraitAgain() { printer_.setPageOrientation(QPageLayout::Portrait); }
    PortraitAgain(const PortraitAgain&) = delete;
    PortraitAgain& operator=(const PortraitAgain&) = delete;

private:
    QPrinter& printer_;
};

/// Runs `pages` on a document of the printer. A printer that prints to a PDF file gets a PDF document of
/// its paper and margins from the one PDF path instead; the complete document then goes through the safe
/// writer, so a failure leaves the old file.
PrintOutcome PrintOnDocument(const Model& model, QPrinter& printer, Host& host,
                             const std::function<PrintOutcome(PrintJob&)>& pages)
{
    if (!PrintsToPdfFile(printer)) {
        PrintDocument document(printer);
        return pages(document);
    }
    PdfDocument document(PdfFormatOf(printer), PdfInfoOf(printer));
    const PrintOutcome outcome = pages(document);
    if (outcome != PrintOutcome::Printed)
        return outcome; // its message has been shown
    const PdfBytes pdf = document.result("the PDF document could not be finished");
    if (pdf.failure) {
        ReportFailure(model, host);
        return PrintOutcome::Failed;
    }
    const std::string path = FromQt(printer.outputFileName());
    if (const std::optional<FileFailure> failure = WriteFileSafely(path, pdf.bytes)) {
        const UiMessage message = SaveFailureMessage(model.state.language, path, *failure);
        host.showMessage(message.caption, message.text, message.icon);
        return PrintOutcome::Failed;
    }
    return PrintOutcome::Printed;
}

} // namespace

void PrinterSetup(QWidget* parent, QPrinter& printer)
{
    QPageSetupDialog box(&printer, parent);
    (void)box.exec();
}

PrintOutcome GrafikG(QWidget* parent, Model& model, const ViewState& view, QPrinter& printer, Host& host,
                     const PrinterDialog& dialog)
{
    const PortraitAgain portraitAgain(printer);
    try {
        printer.setPageOrientation(QPageLayout::Landscape);
        const auto preview = [&](PrintDocument& document) {
            if (document.StartPrintPage(model.drawing)) {
                StorePrintedDrawing(model, DrawPrintedGraphic(model, view, document.page()));
                (void)document.finish();
            }
        };
        if (!ConfirmPrinter(parent, printer, dialog, preview))
            return PrintOutcome::Cancelled;
        return PrintOnDocument(model, printer, host, [&](PrintJob& document) {
            if (!document.StartPrintPage(model.drawing)) {
                ReportNotReady(model, host);
                return PrintOutcome::NotReady;
            }
            StorePrintedDrawing(model, DrawPrintedGraphic(model, view, document.page()));
            if (!document.finish()) {
                ReportFailure(model, host);
                return PrintOutcome::Failed;
            }
            return PrintOutcome::Printed;
        });
    } catch (...) {
        ReportFailure(model, host);
        return PrintOutcome::Failed;
    }
}

PrintOutcome Listedrucken1Click(QWidget* parent, Model& model, bool printAllLists, ListPage visiblePage,
                                QPrinter& printer, Host& host, const PrinterDialog& dialog)
{
    try {
        const ListPrintRequest request{printAllLists, visiblePage};
        if (ListPrintRefused(request)) {
            const LanguageState& lang = model.state.language;
            host.showMessage(CaptionText(lang, Caption::Information), TextRow(lang, TextId::NoTableShown),
                             MessageIcon::Question);
            return PrintOutcome::Refused;
        }
        if (SelectedLists(model, request).empty())
            return PrintOutcome::NothingToPrint;
        const auto preview = [&](PrintDocument& document) {
            if (document.StartPrintPage(model.drawing)) {
                (void)PrintLists(model, document, request);
                (void)document.finish();
            }
        };
        if (!ConfirmPrinter(parent, printer, dialog, preview))
            return PrintOutcome::Cancelled;
        return PrintOnDocument(model, printer, host, [&](PrintJob& document) {
            if (!document.StartPrintPage(model.drawing)) {
                ReportNotReady(model, host);
                return PrintOutcome::NotReady;
            }
            const ListPrintStatus status = PrintLists(model, document, request);
            if (status != ListPrintStatus::Printed || !document.finish()) {
                ReportFailure(model, host);
                return PrintOutcome::Failed;
            }
            return PrintOutcome::Printed;
        });
    } catch (...) {
        ReportFailure(model, host);
        return PrintOutcome::Failed;
    }
}

} // namespace umbrix
