#include "ui/printing.h"

#include "export/file_messages.h"
#include "export/file_writer.h"
#include "ui/print/pdf_memory.h"
#include "ui/print/print_document.h"
#include "ui/qt_text.h"
#include "text/texts.h"

#include <QDialog>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

namespace umbrix {

namespace {

bool ConfirmPrinter(QWidget* parent, QPrinter& printer, const PrinterDialog& dialog)
{
    if (dialog)
        return dialog(printer);
    QPrintDialog box(&printer, parent);
    return box.exec() == QDialog::Accepted;
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

/// Runs `pages` on a document of the printer. A printer that prints to a PDF file draws into memory
/// instead; the complete document then goes through the safe writer, so a failure leaves the old file.
PrintOutcome PrintOnDocument(const Model& model, QPrinter& printer, Host& host,
                             const std::function<PrintOutcome(PrintDocument&)>& pages)
{
    if (!PrintsToPdfFile(printer)) {
        PrintDocument document(printer);
        return pages(document);
    }
    PrintOutcome outcome = PrintOutcome::Printed;
    const PdfBytes pdf = DrawPdfInMemory([&](QPdfWriter& writer) { SetUpLikePrinter(writer, printer); },
                                         [&](PrintDocument& document) -> std::optional<std::string> {
                                             outcome = pages(document);
                                             if (outcome != PrintOutcome::Printed)
                                                 return std::string("not printed");
                                             return std::nullopt;
                                         });
    if (outcome != PrintOutcome::Printed)
        return outcome; // its message has been shown
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
        if (!ConfirmPrinter(parent, printer, dialog))
            return PrintOutcome::Cancelled;
        return PrintOnDocument(model, printer, host, [&](PrintDocument& document) {
            if (!document.StartPrintPage(model.drawing)) {
                ReportNotReady(model, host);
                return PrintOutcome::NotReady;
            }
            PrintGraphicPage(model, view, document);
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
        if (!ConfirmPrinter(parent, printer, dialog))
            return PrintOutcome::Cancelled;
        return PrintOnDocument(model, printer, host, [&](PrintDocument& document) {
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
