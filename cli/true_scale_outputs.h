#pragma once
// The outputs of umbrix-cli at a stated scale: the construction as an SVG picture at 1 : N in millimetres
// (--svg with --scale), the true-size DXF in millimetres (--dxf-mm), the setting-out plan as a PDF or a CSV
// table (--setting-out) and the full-size template on sheets of paper (--template with --paper,
// --correct-x, --correct-y, --template-orientation, --template-content). Each is made only when its option is given; without these options every
// output is as before.

#include "cli/analysis_outputs.h"
#include "core/design_settings.h"
#include "core/length_unit.h"
#include "core/model.h"
#include "export/file_writer.h"
#include "graphics/full_size_template.h"
#include "graphics/true_scale.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>

namespace umbrix {

/// The two forms of the setting-out plan, chosen by the file's ending in any letter case; "-" writes the
/// CSV form to standard output.
enum class SettingOutForm { Pdf, Csv };
[[nodiscard]] std::optional<SettingOutForm> SettingOutFormOf(std::string_view path);

/// What the command line asked for.
struct TrueScaleOptions {
    std::optional<std::int64_t> scaleDenominator; // --scale 1:N: the --svg picture at this scale
    std::optional<std::string> dxfMm;
    std::optional<std::string> settingOut;
    std::optional<std::string> templatePdf;
    std::optional<PaperSize> paper; // --paper, --correct-x and --correct-y: only with --template
    std::optional<double> correctX;
    std::optional<double> correctY;
    std::optional<TemplateOrientation> orientation; // --template-orientation, default auto
    std::optional<TemplateContent> content;         // --template-content, default full

    [[nodiscard]] TemplateRequest templateRequest() const;
};

/// Takes args[i] when it is a true-scale option, advancing i past its value. Bad: a value is missing or
/// malformed, and `problem` says which and why.
[[nodiscard]] OptionParse ParseTrueScaleOption(std::span<const std::string> args, std::size_t& i,
                                               TrueScaleOptions& options, std::string& problem);

/// An option that needs another one it is given without, or two that exclude each other: the message, for
/// exit code 2. `svg`: --svg was given; `sizeGiven`: --size was given.
[[nodiscard]] std::optional<std::string> TrueScaleUsageProblem(const TrueScaleOptions& options, bool svg,
                                                               bool sizeGiven);

/// The true-scale picture, once the dial is calculated; none when --scale was not given.
struct TrueScaleResults {
    std::optional<TrueScaleSvg> svg;
};

/// Checks what the finished dial makes of the request before anything is written: the template's sheets
/// (more than kTemplateWarnSheets: a warning on `err`; more than kTemplateMaxSheets: refused) and the size
/// of the true-scale picture, which is drawn into `results`. Returns the message of a refusal, for exit
/// code 2.
[[nodiscard]] std::optional<std::string> PrepareTrueScale(const Model& model, const TrueScaleOptions& options,
                                                          TrueScaleResults& results, std::ostream& err);

/// Writes the true-size DXF, the setting-out plan and the template through `targetOf` (the run's safe
/// writer targets); on a failure prints the message to `err` and returns false. `model` is not changed,
/// but the PDF pages of the template are drawn through the printer code, which takes it as it is.
[[nodiscard]] bool WriteTrueScaleFiles(const Model& model, const TrueScaleOptions& options,
                                       const std::function<OutputTarget(const std::string&)>& targetOf,
                                       std::ostream& err);

} // namespace umbrix
