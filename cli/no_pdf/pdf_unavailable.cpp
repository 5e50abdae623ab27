// umbrix-cli built without Qt: there is no printer code, so --pdf only reports that it is unavailable.

#include "ui/print/pdf_export.h"

namespace umbrix {

bool PdfOutputAvailable()
{
    return false;
}

PdfBytes RenderPdf(Model&, const PdfRequest&)
{
    return {{}, std::string("PDF output is not available: umbrix-cli was built without Qt")};
}

} // namespace umbrix
