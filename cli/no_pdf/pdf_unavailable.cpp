// umbrix-cli built without Qt: there is no printer code, so --pdf, the setting-out plan as PDF and the
// full-size template only report that PDF output is unavailable.

#include "ui/print/pdf_export.h"
#include "ui/print/true_scale_pdf.h"

namespace umbrix {

namespace {

PdfBytes Unavailable()
{
    return {{}, std::string("PDF output is not available: umbrix-cli was built without Qt")};
}

} // namespace

bool PdfOutputAvailable()
{
    return false;
}

PdfBytes RenderPdf(Model&, const PdfRequest&)
{
    return Unavailable();
}

PdfBytes SettingOutPdf(const SettingOutDocument&)
{
    return Unavailable();
}

PdfBytes TemplatePdf(const Model&, LengthUnit, const TemplateRequest&)
{
    return Unavailable();
}

} // namespace umbrix
