#pragma once
// Export of a result table: a header describing the dial, then every row of the grid with each cell followed
// by "; ", CR LF after every line, so that a text editor or a spreadsheet reads it.

#include "core/fields.h"
#include "core/model.h"
#include "export/file_writer.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// The result pages whose grid can be exported.
enum class TablePage { HourMarks, ShadowPath, DateMarks, Loops };

/// Which grid a page exports: for the figure-eight page the afternoon table when afternoon is set
/// (rgAnzeige item 1), else the morning one.
struct TableChoice {
    TablePage page = TablePage::HourMarks;
    bool afternoon = false;
};

/// The lines of the export file (without line ends): the dial's name, the title, the header lines P1..P5
/// and the grid rows.
[[nodiscard]] std::vector<std::string> BuildTableExport(const Model& model, TableChoice choice);

/// The lines of an export of a grid that is no result page (the analysis tables of umbrix-cli): the dial's
/// name, `title` as the page title, the header lines P1..P5 as BuildTableExport writes them for the morning,
/// and the grid rows.
[[nodiscard]] std::vector<std::string> BuildGridExport(const Model& model, std::string_view title,
                                                       const StringGrid& grid);

/// Export lines as the bytes of a table file: every line followed by CR LF, the csv form with the byte-order
/// mark first.
[[nodiscard]] std::string TableLinesText(const std::vector<std::string>& lines, bool csv);

/// The bytes of the export file: every line followed by CR LF; the spreadsheet form (csv) begins with the
/// UTF-8 byte-order mark, so that a spreadsheet assuming a Windows code page still reads "für" and "±".
[[nodiscard]] std::string TableExportText(const Model& model, TableChoice choice, bool csv);

/// Whether `path` ends in `lowerEnding` (written in lower case, such as ".csv"), in any letter case.
[[nodiscard]] bool FileEndsWith(std::string_view path, std::string_view lowerEnding);

/// True when `path` ends in ".csv", false when it ends in ".txt"; the letter case does not matter. Nothing
/// for any other ending.
[[nodiscard]] std::optional<bool> TableFileIsCsv(std::string_view path);

/// The file name the export writes: everything from the first "." of the last path component on is
/// replaced by ".csv" (csv) or ".txt"; folders keep their dots.
[[nodiscard]] std::string TableFileName(const std::string& chosenPath, bool csv);

/// Writes the export through the safe writer, in the spreadsheet form when the target's path ends in ".csv"
/// in any letter case. On failure the message is "Open error: File  " + name (the write-protection text for
/// a protected target) with the reason on a second line, and an existing file is left as it was.
[[nodiscard]] std::optional<UiMessage> WriteTableExport(const Model& model, TableChoice choice,
                                                        const OutputTarget& target);

} // namespace umbrix
