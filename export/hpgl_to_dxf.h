#pragma once
// HPGL-to-DXF converter: turns an HPGL plot into a DXF release 10 drawing (header version "AC1006").
//
// Accepted HPGL subset: IN, PA, PR, PU, PD, SP, LT, CI, AA, AR, EA, ER, LB, SI, DI, SL, SA, SS, IW, PW, VS;
// any other command is logged and skipped. Pens become layers "L_<pen>" with colour <pen>, pen strokes become
// POLYLINE/VERTEX/SEQEND entities, circles CIRCLE, arcs ARC and labels TEXT. HPGL coordinates are divided
// by unitsPerMillimetre, so at 40 plotter units per millimetre the drawing unit is the millimetre.
//
// Both the plot and the DXF carry their texts in Windows-1252; label bytes are copied unchanged.
// The converter knows nothing of sundials and keeps no state between calls.

#include "export/file_writer.h"
#include <cstdint>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

struct DxfConversionOptions {
    /// HPGL plotter units per DXF drawing unit; 40 makes the drawing unit the millimetre.
    /// A value that is not positive (or not a number) is replaced by 1.
    double unitsPerMillimetre = 40.0;
    /// Polyline width = (6 * widthStep - 6) / unitsPerMillimetre; the plot export passes 1 (width 0).
    int widthStep = 1;
    /// Name of the plot in log lines (the path of the HPGL file for a file conversion).
    std::string sourceName;
};

enum class DxfConversionStatus : std::uint8_t {
    Converted = 0,        // a drawing command was converted; the DXF is complete
    NotHpgl = 1,          // no command letter, or nothing but blanks and line ends after it; no DXF
    NothingConverted = 2, // the plot holds no drawing command; the DXF holds only the empty drawing
};

struct DxfConversion {
    DxfConversionStatus status = DxfConversionStatus::NotHpgl;
    /// The DXF file, Windows-1252. Converted: every line ended by CR LF. NothingConverted: the drawing as
    /// written before the final line-end step (lines ended by CR). NotHpgl: empty.
    std::string dxf;
    /// Diagnostic lines of this conversion (number errors, unsupported commands), UTF-8. Not shown to the user.
    std::vector<std::string> conversionLog;
    /// Texts the caller shows, each with the error caption and the question icon, in this order
    /// (a label longer than the converter keeps: "<command><text>: Befehl ist zu lang und wird gekürzt!"). UTF-8.
    std::vector<std::string> notices;
};

/// Converts HPGL bytes into DXF bytes. Never fails on bad input: malformed numbers and commands are
/// logged and skipped; runs in time linear in the input. Throws nothing but std::bad_alloc.
[[nodiscard]] DxfConversion ConvertHpglToDxf(std::string_view hpglBytes, const DxfConversionOptions& options = {});

enum class DxfFileStatus : std::uint8_t {
    Converted = 0,        // the DXF file was written (message: DXF file name + MessageTable row 38)
    NotHpgl = 1,          // the plot file is not HPGL; no DXF written (plot file name + MessageTable row 45)
    NothingConverted = 2, // no drawing command in the plot; no DXF written (plot file name + MessageTable row 45)
    InputUnreadable = 3,  // the plot file could not be opened or read (failure says why)
    OutputNotWritten = 4, // the DXF file could not be created, written or put in place (failure says why)
};

struct DxfFileConversion {
    DxfFileStatus status = DxfFileStatus::InputUnreadable;
    /// The file name (without folder, UTF-8) that the result message names: the DXF file for Converted and
    /// the output errors, the plot file otherwise.
    std::string fileName;
    /// For the file errors: which file and why; empty otherwise.
    std::optional<FileFailure> failure;
    std::vector<std::string> conversionLog;
    std::vector<std::string> notices;
};

/// The largest plot file ConvertHpglFileToDxf reads.
constexpr std::size_t kMaxPlotFileBytes = std::size_t{256} << 20;

/// Converts the plot `hpgl` (named `hpglName` in messages and the log) and writes the DXF through the safe
/// writer. Unless the status is Converted, an existing file at the target is left untouched. Throws nothing.
[[nodiscard]] DxfFileConversion ConvertHpglToDxfFile(std::string_view hpgl, const std::string& hpglName,
                                                     const OutputTarget& dxf,
                                                     DxfConversionOptions options = {}) noexcept;

/// Reads the HPGL file hpglPath (at most kMaxPlotFileBytes) and converts it with ConvertHpglToDxfFile.
/// options.sourceName is replaced by hpglPath. Throws nothing.
[[nodiscard]] DxfFileConversion ConvertHpglFileToDxf(const std::filesystem::path& hpglPath,
                                                     const std::filesystem::path& dxfPath,
                                                     DxfConversionOptions options = {}) noexcept;

} // namespace umbrix
