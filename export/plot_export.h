#pragma once
// Writing the construction as an HPGL plot file or, through a temporary plot file, as a DXF drawing.

#include "core/fields.h"
#include "export/file_writer.h"
#include "export/hpgl_writer.h"

#include <string>
#include <vector>

namespace umbrix {

/// The name the DXF export gives the plot it converts, in its messages about that plot. The plot itself
/// stays in memory: nothing is written beside the target.
constexpr std::string_view kTempPlotName = "umbrix.$$$";

struct ExportOutcome {
    bool ok = false;
    std::vector<UiMessage> messages; // what the window shows (the DXF result message, or the file error)
    bool splitDial = false;          // the plot drew the split dial: the caller keeps it as doubleAnalemmaActive
};

/// Writes the plot through the safe writer; a failure names the path with M18 and the reason.
[[nodiscard]] ExportOutcome ExportPlotFile(const Model& model, Host& host, const PlotSettings& settings,
                                           const OutputTarget& target);

/// Converts the plot to DXF in memory and writes it through the safe writer. An existing DXF file is
/// replaced only by a complete conversion.
[[nodiscard]] ExportOutcome ExportDxfFile(const Model& model, Host& host, const PlotSettings& settings,
                                          const OutputTarget& target);

} // namespace umbrix
