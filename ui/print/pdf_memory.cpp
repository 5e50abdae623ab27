#include "ui/print/pdf_memory.h"

#include <QBuffer>
#include <QByteArray>
#include <QPdfWriter>
#include <QPrinter>

namespace umbrix {

namespace {

constexpr std::string_view kPdfStart = "%PDF-";
constexpr std::string_view kPdfEnd = "%%EOF";
constexpr std::size_t kPdfTailBytes = 1024; // the end marker lies within this tail

} // namespace

bool IsCompletePdf(std::string_view bytes)
{
    if (!bytes.starts_with(kPdfStart))
        return false;
    const std::string_view tail = bytes.substr(bytes.size() > kPdfTailBytes ? bytes.size() - kPdfTailBytes : 0);
    return tail.find(kPdfEnd) != std::string_view::npos;
}

PdfBytes DrawPdfInMemory(const std::function<void(QPdfWriter&)>& setUp,
                         const std::function<std::optional<std::string>(PrintDocument&)>& draw)
{
    QByteArray data;
    PdfBytes pdf;
    {
        QBuffer buffer(&data);
        if (!buffer.open(QIODevice::WriteOnly))
            return {{}, std::string("the PDF document could not be started in memory")};
        QPdfWriter writer(&buffer);
        setUp(writer);
        PrintDocument document(writer);
        pdf.failure = draw(document);
    }
    if (pdf.failure)
        return pdf;
    pdf.bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    if (!IsCompletePdf(pdf.bytes))
        return {{}, std::string("the PDF document is incomplete")};
    return pdf;
}

bool PrintsToPdfFile(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

void SetUpLikePrinter(QPdfWriter& writer, const QPrinter& printer)
{
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    writer.setCreator(printer.creator());
    writer.setTitle(printer.docName());
}

} // namespace umbrix
