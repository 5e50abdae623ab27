#include "cli/analysis_outputs.h"

#include "cli/svg_output.h"
#include "export/file_messages.h"
#include "export/table_export.h"
#include "graphics/instant_drawing.h"

#include <cmath>
#include <ostream>

namespace umbrix {

namespace {

std::string InstantProblem(InstantError error, const std::string& text)
{
    switch (error) {
    case InstantError::None:
        break;
    case InstantError::Malformed:
        return "--at takes \"DD/MM/YYYY HH:MM\" (standard time of the zone meridian), not \"" + text + "\"";
    case InstantError::NoSuchDate:
        return "--at: there is no such date: \"" + text + "\"";
    case InstantError::YearOutOfRange:
        return "--at: the year must lie in " + std::to_string(kInstantYearMin) + ".." +
               std::to_string(kInstantYearMax) + ", not \"" + text + "\"";
    case InstantError::NoSuchTime:
        return "--at: the time must lie in 00:00..23:59, not \"" + text + "\"";
    }
    return {};
}

/// "H:MM" of decimal hours, minutes rounded.
std::string ClockText(double hours)
{
    const long total = std::lround(ReduceHours24(hours) * 60) % (24 * 60);
    const long minutes = total % 60;
    return std::to_string(total / 60) + (minutes < 10 ? ":0" : ":") + std::to_string(minutes);
}

/// The caption of a simulated instant under the construction.
std::string InstantCaption(const Model& model, const Simulation& sim)
{
    std::string text = sim.date + " " + ClockText(sim.zoneTime) + std::string(Say(model, OwnText::SimulationZoneTime));
    if (sim.summerTime)
        text += " (" + ClockText(*sim.summerTime) + std::string(Say(model, OwnText::SimulationSummerTime));
    if (sim.reading)
        text += std::string(Say(model, OwnText::SimulationReads)) + ClockText(*sim.reading);
    else if (sim.status == ReadingStatus::NoCrossing)
        text += Say(model, OwnText::SimulationMissesCurve);
    else
        text += Say(model, OwnText::SimulationTextNoShadow);
    return text;
}

} // namespace

std::string_view Say(const Model& model, OwnText text)
{
    return OwnTextOf(model.state.language, text);
}

std::optional<AnalysisTable> AnalysisTableByName(std::string_view name)
{
    if (name == "accuracy")
        return AnalysisTable::Accuracy;
    if (name == "correction")
        return AnalysisTable::Correction;
    if (name == "dst")
        return AnalysisTable::Dst;
    return std::nullopt;
}

bool AnalysisOptions::wantsDesignError() const
{
    if (accuracy || svgAccuracy)
        return true;
    for (const auto& [table, file] : tables)
        if (table == AnalysisTable::Accuracy)
            return true;
    return false;
}

bool AnalysisOptions::wantsCorrection() const
{
    if (correction)
        return true;
    for (const auto& [table, file] : tables)
        if (table == AnalysisTable::Correction)
            return true;
    return false;
}

OptionParse ParseAnalysisOption(std::span<const std::string> args, std::size_t& i, AnalysisOptions& options,
                                std::string& problem)
{
    const std::string& arg = args[i];
    if (arg == "--accuracy" || arg == "--reach" || arg == "--correction") {
        (arg == "--accuracy" ? options.accuracy : arg == "--reach" ? options.reach : options.correction) = true;
        return OptionParse::Taken;
    }
    if (arg != "--at" && arg != "--svg-accuracy" && arg != "--svg-reach")
        return OptionParse::NotAnalysis;
    if (i + 1 >= args.size()) {
        problem = arg + (arg == "--at" ? " needs a value \"DD/MM/YYYY HH:MM\"" : " needs a file");
        return OptionParse::Bad;
    }
    const std::string& value = args[++i];
    if (arg == "--at") {
        const InstantParse parsed = ParseInstant(value);
        if (!parsed.instant) {
            problem = InstantProblem(parsed.error, value);
            return OptionParse::Bad;
        }
        options.at = parsed.instant;
    } else {
        (arg == "--svg-accuracy" ? options.svgAccuracy : options.svgReach) = value;
    }
    return OptionParse::Taken;
}

std::optional<std::string> RefusedAnalysis(const Model& model, const AnalysisOptions& options)
{
    if (options.wantsReach() && !ReachPlannerApplies(model.params))
        return std::string(options.reach ? "--reach" : "--svg-reach") +
               ": the body-height planner is for dial types 0 and 6 only, not dialType=" +
               std::to_string(DialTypeNumber(model.params.dialType));
    return std::nullopt;
}

AnalysisResults ComputeAnalyses(const Model& model, const AnalysisOptions& options)
{
    const AnalysisSettings settings = AnalysisSettingsOf(model);
    const DialParameters& p = model.params;
    AnalysisResults out;
    if (options.wantsDesignError())
        out.designError = ComputeDesignErrorMap(p, model.state, model.results);
    if (options.accuracy)
        out.errorBudget = ComputeErrorBudget(p, model.state, model.results, UnitSizeMm(settings.lengthUnit));
    out.accuracyInJson = options.accuracy;
    if (options.at) {
        out.simulationAsked = true;
        out.simulation = Simulate(p, model.state, model.results, *options.at, settings.dst);
    }
    if (options.wantsReach())
        out.reach = ComputeReachMap(p, model.state, model.results, settings.reach);
    if (options.wantsCorrection())
        out.correction = ComputeCorrectionTable(p, model.results, settings.dst);
    out.correctionInJson = out.correction.has_value();
    return out;
}

void DrawAnalysisOverlay(SvgPictures& pictures, const Model& model, const AnalysisResults& results)
{
    if (!results.simulation)
        return;
    DrawInstant(pictures.constructionSurface(), pictures.drawingState(), model.params, model.derived,
                pictures.zoomFactor(), *results.simulation, InstantCaption(model, *results.simulation));
}

bool WriteAnalysisFiles(const Model& model, const AnalysisOptions& options, const AnalysisResults& results,
                        const std::function<OutputTarget(const std::string&)>& targetOf, std::ostream& err)
{
    const LanguageState& lang = model.state.language;
    const auto write = [&](const std::string& path, const std::string& bytes, SaveFirstLine firstLine) {
        const std::optional<FileFailure> failure = WriteOutput(targetOf(path), bytes);
        if (!failure)
            return true;
        const UiMessage message = SaveFailureMessage(lang, path, *failure, firstLine);
        err << message.caption << ": " << message.text << '\n';
        return false;
    };
    for (const auto& [table, file] : options.tables) {
        const bool csv = TableFileIsCsv(file).value_or(false);
        std::string text;
        switch (table) {
        case AnalysisTable::Accuracy:
            text = AccuracyTableText(model, *results.designError, csv);
            break;
        case AnalysisTable::Correction:
            text = CorrectionTableText(model, *results.correction, csv);
            break;
        case AnalysisTable::Dst:
            text = DstTableText(model, csv);
            break;
        }
        if (!write(file, text, SaveFirstLine::OpenError))
            return false;
    }
    if (options.svgAccuracy &&
        !write(*options.svgAccuracy, AccuracyHeatMapSvg(model, *results.designError), SaveFirstLine::WriteProtection))
        return false;
    if (options.svgReach &&
        !write(*options.svgReach, ReachHeatMapSvg(model, *results.reach), SaveFirstLine::WriteProtection))
        return false;
    return true;
}

} // namespace umbrix
