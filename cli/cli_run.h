#pragma once
// The two halves of a umbrix-cli run, for the hosts that hold a model of their own (the web library): the
// options as the command line gives them, and the calculation and outputs of a model whose inputs are set.

#include "cli/analysis_outputs.h"
#include "cli/true_scale_outputs.h"
#include "core/fields.h"
#include "site/command_line_site.h"
#include "export/table_export.h"
#include "text/language.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace umbrix {

struct FileSystem;
struct Model;

/// What the command line asks for.
struct CliOptions {
    std::optional<std::string> config;
    std::vector<std::pair<std::string, std::string>> sets;
    std::optional<Language> language;
    std::optional<std::string> json;
    std::optional<std::string> saveConfig;
    std::vector<std::pair<TableChoice, std::string>> tables;
    std::optional<std::string> plt;
    std::optional<std::string> dxf;
    bool plotScreenLike = false;
    int imageWidth = 1180; // width of the (absent) screen drawing, pixels
    int imageHeight = 674;
    bool sizeGiven = false; // --size was given
    std::optional<std::string> svg;
    std::optional<std::string> svgError;
    std::optional<std::string> pdf;
    bool pdfLists = true; // --pdf-lists all (default) or none
    bool version = false; // --version: print the version and do nothing else
    AnalysisOptions analysis;
    TrueScaleOptions trueScale;
    SiteOptions site;
};

/// Parses umbrix-cli's arguments (without the program name) into `options`; on a usage error returns its
/// message, for --help the empty text.
[[nodiscard]] std::optional<std::string> ParseCliArguments(std::span<const std::string> args, CliOptions& options);

/// Everything umbrix-cli does after the inputs were applied to the model that `owner` holds (defaults,
/// language, configuration, --set): the checks of the asked outputs, the calculation, and the outputs of
/// `options`, through the safe writer ("-" is `out`). The run works on the owner's model, which keeps the
/// results afterwards. `messages`: those of the inputs, for the JSON report. Returns the exit code.
[[nodiscard]] int CalculateAndWrite(std::unique_ptr<Model>& owner, const CliOptions& options,
                                    std::vector<UiMessage> messages, std::ostream& out, std::ostream& err,
                                    const FileSystem* system = nullptr, CliSite* site = nullptr,
                                    bool siteTyped = false);

} // namespace umbrix
