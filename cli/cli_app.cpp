#include "cli/cli_app.h"
#include "cli/cli_run.h"

#include "cli/analysis_outputs.h"
#include "cli/json_report.h"
#include "cli/print_pdf.h"
#include "cli/reference.h"
#include "site/command_line_site.h"
#include "cli/svg_output.h"
#include "cli/true_scale_outputs.h"
#include "core/driver.h"
#include "core/input_panel.h"
#include "core/model.h"
#include "core/parameter_set.h"
#include "core/parameters.h"
#include "core/version.h"
#include "export/config_file.h"
#include "export/file_messages.h"
#include "export/file_writer.h"
#include "export/pdf_outputs.h"
#include "export/plot_export.h"
#include "export/table_export.h"
#include "graphics/construction.h"
#include "text/own_texts.h"
#include "text/text_ids.h"
#include "text/texts.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace umbrix {

namespace {

/// The table names of --table.
std::optional<TableChoice> TableByName(std::string_view name)
{
    if (name == "hours")
        return TableChoice{TablePage::HourMarks, false};
    if (name == "shadow")
        return TableChoice{TablePage::ShadowPath, false};
    if (name == "dates")
        return TableChoice{TablePage::DateMarks, false};
    if (name == "loops-am")
        return TableChoice{TablePage::Loops, false};
    if (name == "loops-pm")
        return TableChoice{TablePage::Loops, true};
    return std::nullopt;
}

/// Two outputs that would write the same place: "-" twice, or one regular file (or a file still to be
/// made) under two names. Devices and other special files may take several outputs (/dev/null).
std::optional<std::string> OutputClash(const CliOptions& options)
{
    std::vector<std::pair<std::string, std::string>> outputs; // option, path
    auto add = [&](std::string_view option, const std::optional<std::string>& path) {
        if (path)
            outputs.emplace_back(option, *path);
    };
    add("--json", options.json);
    add("--save-config", options.saveConfig);
    add("--svg", options.svg);
    add("--svg-error", options.svgError);
    add("--pdf", options.pdf);
    add("--plt", options.plt);
    add("--dxf", options.dxf);
    add("--svg-accuracy", options.analysis.svgAccuracy);
    add("--svg-reach", options.analysis.svgReach);
    add("--dxf-mm", options.trueScale.dxfMm);
    add("--setting-out", options.trueScale.settingOut);
    add("--template", options.trueScale.templatePdf);
    for (const auto& table : options.tables)
        outputs.emplace_back("--table", table.second);
    for (const auto& table : options.analysis.tables)
        outputs.emplace_back("--table", table.second);
    // What a path stands for: standard output, a special file (exempt), or the file itself.
    auto identity = [](const std::string& path) -> std::optional<std::string> {
        if (path == "-")
            return std::string("-");
        struct ::stat info {};
        if (::stat(path.c_str(), &info) == 0)
            return S_ISREG(info.st_mode) ? std::optional<std::string>(std::to_string(info.st_dev) + ":" +
                                                                      std::to_string(info.st_ino))
                                         : std::nullopt;
        std::error_code error;
        return std::filesystem::weakly_canonical(path, error).string();
    };
    for (std::size_t a = 0; a < outputs.size(); ++a) {
        const std::optional<std::string> first = identity(outputs[a].second);
        for (std::size_t b = a + 1; first && b < outputs.size(); ++b)
            if (identity(outputs[b].second) == first)
                return outputs[a].first + " " + outputs[a].second + " and " + outputs[b].first + " " +
                       outputs[b].second + " would write the same " +
                       (*first == "-" ? "standard output" : "file");
    }
    return std::nullopt;
}

/// The words of the command line read through the option table alone, before any value is looked at:
/// every option must be one of the table, an option with a value may be given once (--set and --table
/// again), and its value (two for --table) must follow. The message of the first fault, else nothing.
std::optional<std::string> OptionWordsProblem(std::span<const std::string> args)
{
    std::vector<std::string_view> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const OptionDoc* option = FindCliOption(arg);
        if (!option)
            return "unknown option " + arg;
        if (option->value != OptionValue::None && !option->repeatable) {
            if (std::find(given.begin(), given.end(), option->name) != given.end())
                return arg + " is given twice";
            given.push_back(option->name);
        }
        const std::size_t valueCount = option->value == OptionValue::None           ? 0
                                       : option->value == OptionValue::TableAndFile ? 2
                                                                                    : 1;
        if (i + valueCount >= args.size())
            return arg + " needs " + MissingValueText(*option);
        i += valueCount;
    }
    return std::nullopt;
}

/// Parses the arguments; on a usage error returns the message.
std::optional<std::string> ParseArguments(std::span<const std::string> args, CliOptions& options)
{
    if (std::optional<std::string> problem = OptionWordsProblem(args))
        return problem;
    bool help = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];

        auto next = [&](std::string& value) {
            if (i + 1 >= args.size())
                return false;
            value = args[++i];
            return true;
        };
        std::string value;
        // Help and version win over the other options, but every option must still be one the program knows.
        if (arg == "--help" || arg == "-h") {
            help = true;
            continue;
        }
        if (arg == "--version") {
            options.version = true;
            continue;
        }
        if (arg == "--svg" || arg == "--svg-error" || arg == "--size") {
            if (!next(value))
                return arg + " needs a value";
            if (arg == "--size") {
                const std::optional<SurfaceSize> size = ParseSurfaceSize(value);
                if (!size)
                    return "--size takes WxH (1 to 20000 pixels each), not " + value;
                options.imageWidth = size->width;
                options.imageHeight = size->height;
                options.sizeGiven = true;
            } else {
                (arg == "--svg" ? options.svg : options.svgError) = value;
            }
            continue;
        }
        if (arg == "--pdf" || arg == "--pdf-lists") {
            if (!next(value))
                return arg + (arg == "--pdf" ? " needs a file" : " needs all or none");
            if (arg == "--pdf")
                options.pdf = value;
            else if (value == "all" || value == "none")
                options.pdfLists = value == "all";
            else
                return "--pdf-lists takes all or none, not " + value;
            continue;
        }
        if (arg == "--plot-screen-like") {
            options.plotScreenLike = true;
            continue;
        }
        if (arg == "--plt" || arg == "--dxf") {
            if (!next(value))
                return arg + " needs a file";
            (arg == "--plt" ? options.plt : options.dxf) = value;
            continue;
        }
        if (arg == "--table") {
            std::string file;
            if (!next(value) || !next(file))
                return std::string("--table needs a table name and a file");
            const std::optional<TableChoice> table = TableByName(value);
            const std::optional<AnalysisTable> analysisTable = AnalysisTableByName(value);
            if (!table && !analysisTable)
                return "--table takes hours, shadow, dates, loops-am, loops-pm, accuracy, correction or dst, not " +
                       value;
            // The ending chooses the form, in any letter case; "-" is the .txt form on standard output.
            if (file != "-" && !TableFileIsCsv(file))
                return "--table writes FILE.txt, FILE.csv or -, not " + file;
            if (analysisTable)
                options.analysis.tables.emplace_back(*analysisTable, file);
            else
                options.tables.emplace_back(*table, file);
            continue;
        }
        std::string problem;
        if (ParseSiteOption(args, i, options.site, problem)) {
            if (!problem.empty())
                return problem;
            continue;
        }
        OptionParse parsed = ParseAnalysisOption(args, i, options.analysis, problem);
        if (parsed == OptionParse::NotAnalysis)
            parsed = ParseTrueScaleOption(args, i, options.trueScale, problem);
        if (parsed == OptionParse::Bad)
            return problem;
        if (parsed == OptionParse::Taken)
            continue;
        if (arg == "--config" || arg == "--json" || arg == "--set" || arg == "--lang" || arg == "--save-config") {
            if (!next(value))
                return arg + " needs a value";
        } else {
            return "unknown option " + arg;
        }
        if (arg == "--config") {
            options.config = value;
        } else if (arg == "--json") {
            options.json = value;
        } else if (arg == "--save-config") {
            options.saveConfig = value;
        } else if (arg == "--lang") {
            if (value == "de")
                options.language = Language::German;
            else if (value == "en")
                options.language = Language::English;
            else
                return "--lang takes de or en, not " + value;
        } else if (arg == "--set") {
            const auto eq = value.find('=');
            if (eq == std::string::npos || eq == 0)
                return "--set takes NAME=VALUE, not " + value;
            // An empty value is a script's empty variable, not a zero; only a setting that empty unsets
            // takes it.
            const ParameterRow* row = FindParameter(value.substr(0, eq));
            if (eq + 1 == value.size() && (!row || !row->isSet))
                return "--set " + value + " has no value after =";
            options.sets.emplace_back(value.substr(0, eq), value.substr(eq + 1));
        }
    }
    if (help)
        return std::string();
    if (options.version)
        return std::nullopt;
    if (const std::optional<std::string>& file = options.trueScale.templatePdf) {
        std::string ending = file->size() >= 4 ? file->substr(file->size() - 4) : std::string();
        std::transform(ending.begin(), ending.end(), ending.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (ending != ".pdf")
            return "--template writes FILE.pdf, not " + *file;
    }
    if (std::optional<std::string> clash = OutputClash(options))
        return clash;
    return TrueScaleUsageProblem(options.trueScale, options.svg.has_value(), options.sizeGiven);
}

/// Keeps every message for the JSON report and prints it at once as "CAPTION: TEXT".
struct PrintingHost : RecordingHost {
    explicit PrintingHost(std::ostream& stream) : err(stream) {}
    void showMessage(std::string_view caption, std::string_view text, MessageIcon icon) override
    {
        RecordingHost::showMessage(caption, text, icon);
        err << caption << ": " << text << '\n';
    }
    std::ostream& err;
};

/// The dial of the plot and its scale: the semi-major axis brought into 2..20 (or the axis length given)
/// becomes the dial's axis, as the export panel's OK button does, and the plot is scaled like the screen at
/// zoom 1 or by it. The plot has its own copy of the dial, so the other outputs of the run keep the dial as
/// it was calculated.
struct PlotDial {
    std::unique_ptr<Model> model;
    PlotSettings settings;
};
PlotDial PreparePlot(const Model& calculated, Host& host, const CliOptions& options)
{
    auto model = std::make_unique<Model>(calculated);
    DialParameters& p = model->params;
    const double axis =
        p.dxfAxisLength > 2 && p.dxfAxisLength <= 20 ? p.dxfAxisLength : InitialExportAxis(p.semiMajorAxis);
    p.dxfAxisLength = axis;
    if (axis != p.semiMajorAxis) {
        p.semiMajorAxis = axis;
        (void)Recalculate(*model, host, RecalcSource::None);
    }
    PlotSettings settings;
    settings.lastImageWidth = options.imageWidth;
    settings.axisOrZoom = options.plotScreenLike ? 1.0 : axis;
    return {std::move(model), settings};
}

/// Whether a cell of any table the outputs write holds a non-finite number.
bool TablesHoldNonFiniteNumbers(const Model& model)
{
    const Grids& g = model.grids;
    for (const StringGrid* grid : {&g.StrGridStd, &g.StrGridShad, &g.StrGridDat, &g.StrGrid8, &g.StrGrid8b, &g.StrMittel})
        for (int row = 0; row < grid->rowCount(); ++row)
            for (int col = 0; col < grid->colCount(); ++col)
                if (HoldsNonFiniteNumber(grid->cell(col, row)))
                    return true;
    return HoldsNonFiniteNumber(g.lKoordAufUnter);
}

void PrintMessages(std::ostream& err, const std::vector<UiMessage>& messages)
{
    for (const auto& m : messages)
        err << m.caption << ": " << m.text << '\n';
}

} // namespace

bool HoldsNonFiniteNumber(std::string_view text)
{
    auto wordChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; };
    for (const std::string_view word : {"NaN", "INF", "nan", "inf"}) {
        for (std::size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
            const std::size_t end = at + word.size();
            if ((at == 0 || !wordChar(text[at - 1])) && (end == text.size() || !wordChar(text[end])))
                return true;
        }
    }
    return false;
}

int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err, const FileSystem* system)
{
    CliOptions options;
    if (const std::optional<std::string> problem = ParseArguments(args, options)) {
        if (problem->empty()) {
            out << UsageText() << OptionList(Language::English) << HelpReference();
            return kExitDone;
        }
        err << "umbrix-cli: " << *problem << '\n' << UsageText();
        return kExitUsage;
    }
    if (options.version) {
        out << "umbrix-cli " << kUmbrixVersion << '\n';
        return kExitDone;
    }

    auto modelOwner = std::make_unique<Model>(); // large result tables: on the heap
    Model& model = *modelOwner;
    InitDefaults(model);
    if (options.language)
        SetLanguage(model, *options.language);
    std::vector<UiMessage> messages;
    if (options.config) {
        const ConfigurationRead read = LoadConfigurationFile(model, *options.config);
        PrintMessages(err, read.messages);
        for (const std::string& line : WarningLines(*options.config, read.warnings))
            err << "umbrix-cli: warning: " << line << '\n';
        if (!read.dial)
            return kExitFile;
        ApplyConfiguredDial(model, *read.dial);
        messages.insert(messages.end(), read.messages.begin(), read.messages.end());
        // The language of the command line wins over the file's language line.
        if (options.language)
            SetLanguage(model, *options.language);
    }
    CliSite site;
    if (options.site.placeList)
        return site.PrintPlaceList(model, *options.site.placeList, out, err);
    if (const std::optional<int> stop = site.AfterConfig(model, err))
        return *stop;
    (void)ConfigureInputPanel(model);
    RefreshAxes(model);
    // A place, then pasted coordinates, before the --set options, so that a --set can still correct them.
    if (const std::optional<int> stop = site.ApplyOptions(model, options.site, err))
        return *stop;
    bool siteTyped = options.site.coordinates.has_value();

    // The dial type and its variants first, wherever they stand; then the others in the order given.
    std::vector<std::pair<std::string, std::string>> ordered;
    for (const auto& s : options.sets)
        if (IsPresetParameter(s.first))
            ordered.push_back(s);
    for (const auto& s : options.sets)
        if (!IsPresetParameter(s.first))
            ordered.push_back(s);
    for (const auto& [name, value] : ordered) {
        const SetOutcome outcome = SetParameter(model, name, value);
        PrintMessages(err, outcome.messages);
        messages.insert(messages.end(), outcome.messages.begin(), outcome.messages.end());
        switch (outcome.status) {
        case SetStatus::Accepted:
            if (const std::optional<int> stop = site.AfterSet(model, name, err))
                return *stop;
            siteTyped = siteTyped || name == "latitude" || name == "longitude";
            break;
        case SetStatus::UnknownName:
            err << "umbrix-cli: unknown parameter " << name << '\n';
            return kExitUsage;
        case SetStatus::Rejected:
        case SetStatus::Disabled:
            err << "umbrix-cli: " << name << "=" << EchoedValue(value) << " rejected\n";
            return kExitUsage;
        }
    }

    return CalculateAndWrite(modelOwner, options, std::move(messages), out, err, system, &site, siteTyped);
}

std::optional<std::string> ParseCliArguments(std::span<const std::string> args, CliOptions& options)
{
    return ParseArguments(args, options);
}

int CalculateAndWrite(std::unique_ptr<Model>& owner, const CliOptions& options, std::vector<UiMessage> messages,
                      std::ostream& out, std::ostream& err, const FileSystem* system, CliSite* givenSite,
                      bool siteTyped)
{
    Model& model = *owner;
    // The run's own site, or one of its own when the caller has none (its zone tables are read only then).
    std::optional<CliSite> ownSite;
    CliSite& site = givenSite ? *givenSite : ownSite.emplace();
    // The loop tables belong to the split dial alone.
    const bool split = IsSplitDial(model.params);
    for (const auto& [table, file] : options.tables) {
        if (table.page == TablePage::Loops && !split) {
            err << "umbrix-cli: " << OwnTextOf(model.state.language, OwnText::LoopTablesOnlySplitDial) << '\n';
            return kExitUsage;
        }
    }
    if (const std::optional<std::string> refused = RefusedAnalysis(model, options.analysis)) {
        err << "umbrix-cli: " << *refused << '\n';
        return kExitUsage;
    }

    site.BeforeCalculation(model, options.analysis.at ? std::optional<int>(options.analysis.at->year) : std::nullopt,
                           siteTyped, err);

    // The activation of the window: the controls show the parameters, the title, the axes.
    (void)ShowParameters(model);
    model.state.dialTitle = DialTitle(model);
    RefreshAxes(model);

    PrintingHost host(err);
    // The construction picture is drawn by the driver's redraw, as the window image is.
    // At a stated scale the picture is drawn after the calculation instead.
    const bool pixelSvg = options.svg && !options.trueScale.scaleDenominator;
    SvgPictures pictures(
        model, [&model](DrawingState& state, const DrawingOutcome& outcome) { StoreDrawing(model, state, outcome); },
        host, {options.imageWidth, options.imageHeight}, pixelSvg);
    const std::uint8_t errorCode = Recalculate(model, host, RecalcSource::None, pictures.redraw());
    for (const auto& m : host.messages)
        messages.push_back({m.caption, m.text, m.icon});
    // The host has printed the calculation's message; the code follows on a line of its own.
    if (errorCode != kErrorNone)
        err << "umbrix-cli: calculation error " << static_cast<int>(errorCode) << '\n';
    // A construction that cannot be built (an error code, or a mean-time dial the drawing refuses) writes
    // only its JSON report, with empty tables; no other file is created or replaced.
    const bool impossible = errorCode != kErrorNone || IsImpossibleMeanTimeDial(model.params, model.derived);
    if (impossible && errorCode == kErrorNone) {
        const LanguageState& lang = model.state.language;
        const UiMessage refused{std::string(CaptionText(lang, Caption::Problem)),
                                std::string(LabelRow(lang, LabelId::ChangeParameters)), MessageIcon::Warning};
        PrintMessages(err, {refused});
        messages.push_back(refused);
    }

    // Every output goes through the safe writer; "-" is standard output.
    const LanguageState& lang = model.state.language;
    auto target = [&](const std::string& path) {
        OutputTarget t = path == "-" ? OutputTarget::Stream(out) : OutputTarget(path);
        t.system = system;
        return t;
    };
    // A number that is not finite is a failed calculation: it is reported, never written.
    const auto nonFinite = [&] {
        err << "umbrix-cli: calculation error: a result is not a finite number; nothing more is written\n";
        return kExitCalculationError;
    };
    if (!impossible && TablesHoldNonFiniteNumbers(model))
        return nonFinite();
    bool unwritable = false; // an output held a non-finite number
    auto written = [&](const std::string& path, std::string_view bytes, bool text = true) {
        if (text && HoldsNonFiniteNumber(bytes)) {
            unwritable = true;
            return false;
        }
        if (const std::optional<FileFailure> failure = WriteOutput(target(path), bytes)) {
            PrintMessages(err, {SaveFailureMessage(lang, path, *failure)});
            return false;
        }
        return true;
    };
    const std::optional<SiteFacts> facts = options.json ? site.Facts(model) : std::nullopt;
    if (impossible) {
        if (options.json && !written(*options.json, JsonReport(model, errorCode, messages, ReportTables::Empty, nullptr,
                                                               facts ? &*facts : nullptr)))
            return kExitFile;
        return kExitCalculationError;
    }
    const AnalysisResults analyses = ComputeAnalyses(model, options.analysis);
    if (pixelSvg)
        DrawAnalysisOverlay(pictures, model, analyses);
    TrueScaleResults trueScale;
    if (const std::optional<std::string> refused = PrepareTrueScale(model, options.trueScale, trueScale, err)) {
        err << "umbrix-cli: " << *refused << '\n';
        return kExitUsage;
    }
    if (options.saveConfig) {
        if (const std::optional<UiMessage> failed = SaveConfigurationFile(model, target(*options.saveConfig))) {
            PrintMessages(err, {*failed});
            return kExitFile;
        }
    }
    for (const auto& [table, file] : options.tables) {
        if (const std::optional<UiMessage> failed = WriteTableExport(model, table, target(file))) {
            PrintMessages(err, {*failed});
            return kExitFile;
        }
    }
    if (options.json && !written(*options.json, JsonReport(model, errorCode, messages, ReportTables::Written, &analyses,
                                                           facts ? &*facts : nullptr)))
        return unwritable ? nonFinite() : kExitFile;
    if (options.svg && !written(*options.svg, trueScale.svg ? trueScale.svg->document : pictures.construction()))
        return unwritable ? nonFinite() : kExitFile;
    if (options.svgError && !written(*options.svgError, pictures.errorGraph()))
        return unwritable ? nonFinite() : kExitFile;
    if (options.pdf) {
        const PdfBytes pdf = RenderPdf(model, {options.pdfLists, options.imageWidth});
        if (pdf.failure) {
            err << "umbrix-cli: " << *options.pdf << ": " << *pdf.failure << '\n';
            return kExitFile;
        }
        if (!written(*options.pdf, pdf.bytes, false))
            return kExitFile;
    }
    if (options.plt || options.dxf) {
        const PlotDial plot = PreparePlot(model, host, options);
        if (options.plt) {
            const ExportOutcome plotted = ExportPlotFile(*plot.model, host, plot.settings, target(*options.plt));
            PrintMessages(err, plotted.messages);
            if (!plotted.ok)
                return kExitFile;
        }
        if (options.dxf) {
            const ExportOutcome converted = ExportDxfFile(*plot.model, host, plot.settings, target(*options.dxf));
            PrintMessages(err, converted.messages);
            if (!converted.ok)
                return kExitFile;
        }
    }
    if (!WriteAnalysisFiles(model, options.analysis, analyses, target, err) ||
        !WriteTrueScaleFiles(model, options.trueScale, target, err))
        return kExitFile;
    return errorCode == 0 ? kExitDone : kExitCalculationError;
}

} // namespace umbrix
