#include "export/pdf_outputs.h"

#include "graphics/true_scale.h"
#include "text/own_texts.h"

namespace umbrix {

namespace {

constexpr const char* kPageFailed = "a page of the PDF document could not be started";

} // namespace

PdfBytes SettingOutPdf(const SettingOutDocument& document)
{
    const PaperMm a4 = PaperDimensions(PaperSize::A4);
    PdfDocument pdf({a4.width, a4.height}, {.title = document.title});
    if (!pdf.begin())
        return pdf.result("the PDF document could not be started");
    if (!DrawSettingOutDocument(document, pdf))
        return {{}, pdf.failure().value_or(kPageFailed)};
    (void)pdf.finish();
    return pdf.result("the PDF document could not be finished");
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
    const PaperMm paper = PaperDimensions(request.paper);
    PdfPageFormat format{paper.width, paper.height};
    if (layout.landscape)
        format = format.turned();
    PdfDocument pdf(format, {.title = std::string(OwnTextOf(lang, OwnText::TemplateTitle))});
    if (!pdf.begin())
        return pdf.result("the PDF document could not be started");
    if (!DrawTemplate(model, unit, request, pdf))
        return {{}, pdf.failure().value_or(kPageFailed)};
    (void)pdf.finish();
    return pdf.result("the PDF document could not be finished");
}

} // namespace umbrix
