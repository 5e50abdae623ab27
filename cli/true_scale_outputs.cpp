#include "cli/true_scale_outputs.h"

#include "core/fields.h"
#include "export/file_messages.h"
#include "export/pdf_outputs.h"
#include "export/table_export.h"
#include "export/true_size_dxf.h"
#include "graphics/construction_geometry.h"
#include "graphics/setting_out.h"
#include "graphics/setting_out_pages.h"
#include "text/own_texts.h"

#include <ostream>

namespace umbrix {

namespace {

/// A printer correction factor: a finite number with "." in kMinCorrection..kMaxCorrection.
std::optional<double> ParseCorrection(std::string_view text)
{
    const RealParse parsed = ParseRealText(text);
    if (parsed.error || !parsed.value || *parsed.value < kMinCorrection || *parsed.value > kMaxCorrection)
        return std::nullopt;
    return parsed.value;
}

std::string CorrectionRange()
{
    return FormatDecimals(kMinCorrection, 2) + " to " + FormatDecimals(kMaxCorrection, 2);
}

} // namespace

std::optional<SettingOutForm> SettingOutFormOf(std::string_view path)
{
    if (path == "-")
        return SettingOutForm::Csv;
    if (FileEndsWith(path, ".pdf"))
        return SettingOutForm::Pdf;
    if (FileEndsWith(path, ".csv"))
        return SettingOutForm::Csv;
    return std::nullopt;
}

TemplateRequest TrueScaleOptions::templateRequest() const
{
    TemplateRequest request;
    request.paper = paper.value_or(PaperSize::A4);
    request.correctX = correctX.value_or(1.0);
    request.correctY = correctY.value_or(1.0);
    request.orientation = orientation.value_or(TemplateOrientation::Auto);
    request.content = content.value_or(TemplateContent::Full);
    return request;
}

OptionParse ParseTrueScaleOption(std::span<const std::string> args, std::size_t& i, TrueScaleOptions& options,
                                 std::string& problem)
{
    const std::string& arg = args[i];
    const bool takesFile = arg == "--dxf-mm" || arg == "--setting-out" || arg == "--template";
    if (!takesFile && arg != "--scale" && arg != "--paper" && arg != "--correct-x" && arg != "--correct-y" &&
        arg != "--template-orientation" && arg != "--template-content")
        return OptionParse::NotAnalysis;
    if (i + 1 >= args.size()) {
        problem = arg + (takesFile                         ? " needs a file"
                         : arg == "--scale"                ? " needs a ratio 1:N"
                         : arg == "--paper"                ? " needs A4, A3 or letter"
                         : arg == "--template-orientation" ? " needs portrait, landscape or auto"
                         : arg == "--template-content"     ? " needs full or marks"
                                                           : " needs a factor");
        return OptionParse::Bad;
    }
    const std::string& value = args[++i];
    if (arg == "--scale") {
        options.scaleDenominator = ParseScaleRatio(value);
        if (!options.scaleDenominator)
            problem = "--scale takes 1:N with N a whole number from 1 to 1000000000, not " + value;
    } else if (arg == "--paper") {
        options.paper = ParsePaperSize(value);
        if (!options.paper)
            problem = "--paper takes A4, A3 or letter, not " + value;
    } else if (arg == "--template-orientation") {
        options.orientation = ParseTemplateOrientation(value);
        if (!options.orientation)
            problem = "--template-orientation takes portrait, landscape or auto, not " + value;
    } else if (arg == "--template-content") {
        options.content = ParseTemplateContent(value);
        if (!options.content)
            problem = "--template-content takes full or marks, not " + value;
    } else if (arg == "--correct-x" || arg == "--correct-y") {
        (arg == "--correct-x" ? options.correctX : options.correctY) = ParseCorrection(value);
        if (!(arg == "--correct-x" ? options.correctX : options.correctY))
            problem = arg + " takes a factor from " + CorrectionRange() + ", not " + value;
    } else if (arg == "--setting-out") {
        options.settingOut = value;
        if (!SettingOutFormOf(value))
            problem = "--setting-out writes FILE.pdf, FILE.csv or -, not " + value;
    } else {
        (arg == "--dxf-mm" ? options.dxfMm : options.templatePdf) = value;
    }
    return problem.empty() ? OptionParse::Taken : OptionParse::Bad;
}

std::optional<std::string> TrueScaleUsageProblem(const TrueScaleOptions& options, bool svg, bool sizeGiven)
{
    if (options.scaleDenominator && !svg)
        return std::string("--scale needs --svg FILE");
    if (options.scaleDenominator && sizeGiven)
        return std::string("--size (pixels) and --scale (1:N in millimetres) exclude each other");
    if (!options.templatePdf) {
        for (const auto& [given, name] : {std::pair{options.paper.has_value(), "--paper"},
                                          {options.correctX.has_value(), "--correct-x"},
                                          {options.correctY.has_value(), "--correct-y"},
                                          {options.orientation.has_value(), "--template-orientation"},
                                          {options.content.has_value(), "--template-content"}})
            if (given)
                return std::string(name) + " needs --template FILE.pdf";
    }
    return std::nullopt;
}

std::optional<std::string> PrepareTrueScale(const Model& model, const TrueScaleOptions& options,
                                            TrueScaleResults& results, std::ostream& err)
{
    const TrueScaleSettings settings = TrueScaleSettingsOf(model);
    if (options.templatePdf || options.settingOut || options.dxfMm || options.scaleDenominator)
        if (const std::optional<std::string> warning = GnomonHeightWarning(model, settings.lengthUnit))
            err << "umbrix-cli: warning: " << *warning << '\n';
    if (options.templatePdf) {
        const TemplateRequest request = options.templateRequest();
        const ConstructionGeometry geometry = BuildConstructionGeometry(model);
        const double unitMm = UnitSizeMm(settings.lengthUnit);
        const TemplateLayout layout = LayoutTemplate(geometry.dial, unitMm, request.paper, request.orientation);
        const LanguageState& lang = model.state.language;
        // The sentence with the sheets counted before its full stop: the tiles, and the sheets printed of them.
        const auto counted = [&](OwnText text, std::optional<long long> printed) {
            std::string sentence(OwnTextOf(lang, text));
            if (sentence.ends_with('.'))
                sentence.pop_back();
            return "--template: " + sentence + " (" + (printed ? std::to_string(*printed) + "; " : std::string()) +
                   std::to_string(layout.columns) + " x " + std::to_string(layout.rows) + " = " +
                   std::to_string(layout.sheets()) + ").";
        };
        if (layout.refused())
            return counted(OwnText::SheetsRefused, std::nullopt);
        if (const long long printed = PrintedSheets(layout, geometry, unitMm); SheetsNeedConfirming(printed))
            err << "umbrix-cli: " << counted(OwnText::TooManySheets, printed) << '\n';
    }
    if (options.scaleDenominator) {
        results.svg = DrawTrueScaleSvg(model, settings.lengthUnit, *options.scaleDenominator);
        if (!results.svg->ok)
            return "--scale 1:" + std::to_string(*options.scaleDenominator) + ": " + results.svg->reason;
    }
    return std::nullopt;
}

bool WriteTrueScaleFiles(const Model& model, const TrueScaleOptions& options,
                         const std::function<OutputTarget(const std::string&)>& targetOf, std::ostream& err)
{
    const TrueScaleSettings settings = TrueScaleSettingsOf(model);
    const LanguageState& lang = model.state.language;
    const auto write = [&](const std::string& path, const std::string& bytes) {
        const std::optional<FileFailure> failure = WriteOutput(targetOf(path), bytes);
        if (!failure)
            return true;
        const UiMessage message = SaveFailureMessage(lang, path, *failure);
        err << message.caption << ": " << message.text << '\n';
        return false;
    };
    // A document that could not be made: nothing is written, the reason is told.
    const auto failed = [&](const std::string& path, const std::string& reason) {
        err << "umbrix-cli: " << path << ": " << reason << '\n';
        return false;
    };
    const auto writePdf = [&](const std::string& path, const PdfBytes& pdf) {
        return pdf.failure ? failed(path, *pdf.failure) : write(path, pdf.bytes);
    };
    if (options.dxfMm) {
        const TrueSizeDxf dxf = WriteTrueSizeDxf(model, settings.lengthUnit);
        if (!(dxf.ok ? write(*options.dxfMm, dxf.bytes) : failed(*options.dxfMm, dxf.reason)))
            return false;
    }
    if (options.settingOut) {
        const std::string& path = *options.settingOut;
        const bool written = SettingOutFormOf(path) == SettingOutForm::Pdf
                                 ? writePdf(path, SettingOutPdf(BuildSettingOutDocument(
                                                      model, settings.lengthUnit, settings.magneticDeclinationDeg)))
                                 : write(path, SettingOutCsv(BuildSettingOutPlan(model), settings.lengthUnit));
        if (!written)
            return false;
    }
    if (options.templatePdf &&
        !writePdf(*options.templatePdf, TemplatePdf(model, settings.lengthUnit, options.templateRequest())))
        return false;
    return true;
}

} // namespace umbrix
