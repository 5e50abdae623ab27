#pragma once
// Writing the construction as an HPGL plot file or, through a temporary plot file, as a DXF drawing.

#include "core/fields.h"
#include "export/hpgl_writer.h"

#include <string>
#include <vector>

namespace umbrix {

/// The temporary plot file of a DXF export, written beside the target and deleted afterwards.
constexpr std::string_view kTempPlotName = "umbrix.$$$";

struct ExportOutcome {
    bool ok = false;
    std::vector<UiMessage> messages; // what the window shows (the DXF result message, or the file error)
};

/// Writes the plot to `path` through a temporary file renamed over it; a failure names the path with M18.
[[nodiscard]] ExportOutcome ExportPlotFile(Model& model, Host& host, const PlotSettings& settings,
                                           const std::string& path);

/// Writes the plot to the temporary plot file beside `path`, converts it to DXF at `path` and deletes the
/// temporary file. An existing DXF file is replaced only by a complete conversion.
[[nodiscard]] ExportOutcome ExportDxfFile(Model& model, Host& host, const PlotSettings& settings,
                                          const std::string& path);

} // namespace umbrix
