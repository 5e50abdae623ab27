#pragma once
// The lines of a configuration file read into the model: the 26 fixed lines, then the extension lines.

#include "core/fields.h"
#include "core/model.h"

#include <string>
#include <vector>

namespace umbrix {

constexpr int kConfigurationLineCount = 26;
constexpr int kHoursTableRows = 255; // rows 1..255 of a StrGridEin column are saved

/// A line that was not taken as written, and what was done instead.
struct LineWarning {
    int line = 0;
    std::string text; // in the model's language, without the file and the line
};

struct LinesRead {
    bool ok = true;                    // false: a line failed; part of the lines may be in the model
    int linesRead = 0;                 // lines interpreted before the end or the stop
    std::vector<UiMessage> messages;   // in the order the window shows them
    int failedLine = 0;                // the line of the failure when !ok; 0 when no line is to blame
    std::vector<LineWarning> warnings; // in line order; the reading went on
};

/// Reads the lines that exist into the model, in order; the caller keeps what the model held in case a line
/// fails (the configuration reader of the files reads into a copy).
/// - Line 1 may begin with a UTF-8 byte-order mark.
/// - A line that is not a real number where one is required stops the reading ("Error during File Input!");
///   so does a number followed by anything but a separator ("1e2", "52.5 m"): no exponent is read.
/// - On a line of one real, a "," between digits is its decimal point ("52,5"); elsewhere it separates.
/// - Every line not taken as written gets a warning: a file ending before line 26 (at its last line), an
///   integer out of its range that falls back, a line with more numbers than it uses.
/// - A real value of a field that the file's dial type enables goes through the field's input check; a
///   value the check refuses is an error of its line naming the line and the parameter. A disabled field
///   keeps the value as read.
/// - Integer values outside the range of their control fall back to the line's default; a first hour at or
///   after the last hour is an error of its line.
/// - The distance to Z is checked after the last line: not finite or beyond 1e6 axes it becomes -3.0
///   (an error of line 7 on the fixed-gnomon dial, whose Z is then moved out of the date scale's reach).
/// - Lines after 26 of the form "name=value" set the extension parameters; an unknown name or a refused
///   value is skipped with a warning.
/// Final steps: the dial title, the nudge of a gnomon inclination of +-90, the derived geometry.
[[nodiscard]] LinesRead ReadConfigurationInto(Model& model, const std::vector<std::string>& lines);

} // namespace umbrix
