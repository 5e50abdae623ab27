#pragma once
// DXF release 10 text records written by the HPGL-to-DXF converter: number texts, the fixed beginning of the
// file, the entity records and the final line-end step. Every record line ends with a single CR until
// WithCrLf turns the line ends into CR LF.
//
// Entity records begin with their name, because the "0" group code before them has already been written,
// and end with a "0" line that introduces the next entity or the final "ENDSEC".

#include <optional>
#include <string>
#include <string_view>

namespace umbrix::dxf {

/// Degrees are radians divided by this: the converter's own rounded value, which its angles are written with.
constexpr double kRadiansPerDegree = 0.0174532925;

/// value right-aligned in `width` characters with `decimals` digits after "." (any locale); a longer number
/// is written whole. -0 is written as 0; a value that is not finite (an overflow of absurd input) as 0.
/// The arguments stand in FormatFixed's order (core/numeric.h); unlike it, a small negative value keeps its
/// sign ("-0.0000") and a value that is not finite is written as 0, as the converter always wrote them.
[[nodiscard]] std::string ConverterFixed(int width, int decimals, double value);

/// value in scientific notation with one decimal ("6.0E-01"), right-aligned in `width` characters.
[[nodiscard]] std::string FormatScientific(double value, int width);

/// Reads a number text as the converter writes and reads them: blanks around it, one leading "+",
/// "." as decimal point, no exponent. nullopt unless the whole text is one finite number.
[[nodiscard]] std::optional<double> ParseNumber(std::string_view text);

/// Appends one line ended by CR.
void WriteLine(std::string& out, std::string_view text);

/// Header, line types, layers L_1 to L_11, text styles, empty blocks and the start of the entities section.
/// The drawing extents are 16440 x 11500 plotter units divided by unitsPerMm ("  411.00", "  287.50" at 40).
void WriteFixedBeginning(std::string& out, double unitsPerMm);

/// "ENDSEC", "  0", "EOF".
void WriteEnd(std::string& out);

/// Attributes every entity takes from the current pen.
struct PenStyle {
    std::string_view pen;      // pen number text; layer "L_" + pen, colour pen
    std::string_view lineType; // CONTINUOUS, DASHED, DASHDOT or DOT
};

void WritePolyline(std::string& out, const PenStyle& style, std::string_view width);
void WriteVertex(std::string& out, const PenStyle& style, std::string_view x, std::string_view y);
void WriteSeqend(std::string& out, const PenStyle& style);
void WriteCircle(std::string& out, const PenStyle& style, std::string_view centreX, std::string_view centreY,
                 std::string_view radius);
/// Counter-clockwise from startDeg to endDeg (degrees texts).
void WriteArc(std::string& out, const PenStyle& style, std::string_view centreX, std::string_view centreY,
              std::string_view radius, std::string_view startDeg, std::string_view endDeg);

struct TextAttributes {
    std::string_view height;      // drawing units
    std::string_view widthFactor; // relative to the height
    std::string_view rotationDeg; // direction of the baseline
    std::string_view obliqueDeg;  // slant
    bool alternateSet = false;    // style STYLE1 instead of STANDARD
};

/// A TEXT entity at (x, y). The caller passes a text without control characters.
void WriteText(std::string& out, const PenStyle& style, std::string_view x, std::string_view y,
               const TextAttributes& attributes, std::string_view text);

/// The final line-end step: the text read as lines (CR, LF or CR LF ends a line) and written back with
/// CR LF after every line. Both sides are Windows-1252, so the bytes of a line stay as they are.
[[nodiscard]] std::string WithCrLf(std::string_view text);

} // namespace umbrix::dxf
