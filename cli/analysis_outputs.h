#pragma once
// The analyses of the finished dial that umbrix-cli writes on request: the design-error map and the error
// budget (--accuracy, --table accuracy, --svg-accuracy), the simulation of one instant (--at), the
// body-height planner (--reach, --svg-reach) and the correction table of a plaque (--correction, --table
// correction). Each is computed only when one of its options is given, and each JSON part is present only
// then; without these options every output is as before.

#include "core/accuracy.h"
#include "core/correction_table.h"
#include "core/design_settings.h"
#include "core/length_unit.h"
#include "core/model.h"
#include "core/reach_planner.h"
#include "core/simulation.h"
#include "core/summer_time.h"
#include "export/file_writer.h"
#include "text/own_texts.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace umbrix {

class JsonWriter;
class SvgPictures;

/// The own text in the run's language.
[[nodiscard]] std::string_view Say(const Model& model, OwnText text);

/// The tables --table writes besides the result pages.
enum class AnalysisTable { Accuracy, Correction, Dst };
[[nodiscard]] std::optional<AnalysisTable> AnalysisTableByName(std::string_view name);

/// What the command line asked for.
struct AnalysisOptions {
    bool accuracy = false;     // --accuracy: designError and errorBudget in the JSON
    std::optional<Instant> at; // --at: the simulation of this instant
    bool reach = false;        // --reach
    bool correction = false;   // --correction
    std::optional<std::string> svgAccuracy;
    std::optional<std::string> svgReach;
    std::vector<std::pair<AnalysisTable, std::string>> tables;

    [[nodiscard]] bool wantsDesignError() const;
    [[nodiscard]] bool wantsReach() const { return reach || svgReach.has_value(); }
    [[nodiscard]] bool wantsCorrection() const;
};

enum class OptionParse { NotAnalysis, Taken, Bad };

/// Takes args[i] when it is an option of the analyses (not --table), advancing i past its value. Bad: a
/// value is missing or malformed, and `problem` says which and why.
[[nodiscard]] OptionParse ParseAnalysisOption(std::span<const std::string> args, std::size_t& i,
                                              AnalysisOptions& options, std::string& problem);

/// A request the dial cannot serve (the planner on a dial type it does not apply to): the message, for
/// exit code 2 before anything is written.
[[nodiscard]] std::optional<std::string> RefusedAnalysis(const Model& model, const AnalysisOptions& options);

/// The analyses of one run; each present when asked for.
struct AnalysisResults {
    std::optional<DesignErrorMap> designError; // with the design-error map's options
    std::optional<ErrorBudget> errorBudget;    // with --accuracy
    bool simulationAsked = false;
    std::optional<Simulation> simulation; // none although asked: the dial cannot show the instant
    std::optional<ReachMap> reach;
    std::optional<CorrectionTable> correction;
    bool accuracyInJson = false;   // designError and errorBudget go into the JSON
    bool correctionInJson = false; // correction goes into the JSON
};

/// Computes what `options` ask for on the finished dial.
[[nodiscard]] AnalysisResults ComputeAnalyses(const Model& model, const AnalysisOptions& options);

/// Adds the JSON parts of the analyses to the report's top-level object.
void WriteAnalysisJson(JsonWriter& json, const AnalysisResults& results);

/// The map as a table file (txt or csv, as the other tables): the dial's header lines, then one row per
/// date and one column per hour, minutes with two decimals, empty where there is no value.
[[nodiscard]] std::string AccuracyTableText(const Model& model, const DesignErrorMap& map, bool csv);
/// The correction table as a table file: one row per date.
[[nodiscard]] std::string CorrectionTableText(const Model& model, const CorrectionTable& table, bool csv);

/// The summer-time table as a table file: the heading "Summer time = zone time + N h" as its title, then
/// one row per hour point and date mark of the ring (kind, label, x, y, time); only the column heads for a
/// dial without a ring.
[[nodiscard]] std::string DstTableText(const Model& model, bool csv);

/// The heat maps of the design error (colours +-maxAbs) and of the planner's ratios.
[[nodiscard]] std::string AccuracyHeatMapSvg(const Model& model, const DesignErrorMap& map);
[[nodiscard]] std::string ReachHeatMapSvg(const Model& model, const ReachMap& reach);

/// Draws the simulated instant on the construction picture (with --svg and --at).
void DrawAnalysisOverlay(SvgPictures& pictures, const Model& model, const AnalysisResults& results);

/// Writes the analyses' files through `targetOf` (the run's safe writer targets); on a failure prints the
/// message to `err` and returns false.
[[nodiscard]] bool WriteAnalysisFiles(const Model& model, const AnalysisOptions& options,
                                      const AnalysisResults& results,
                                      const std::function<OutputTarget(const std::string&)>& targetOf,
                                      std::ostream& err);

} // namespace umbrix
