#pragma once
// A heat map of a table of values: one coloured cell per row (a date) and column (an hour), grey where a
// cell has no value, and a colour bar that gives the values of the colours. The palette is ColorBrewer's
// diverging red-blue scheme of eleven classes (Brewer, colorbrewer2.org), which stays readable with the
// common forms of colour blindness: the first colour (dark blue) stands for the scale's low end, the pale
// middle colour for its centre, the last (dark red) for its high end. Colours are interpolated linearly in
// RGB between the eleven classes; values beyond an end take that end's colour.

#include "graphics/surface.h"

#include <optional>
#include <string>
#include <vector>

namespace umbrix {

/// Where a value falls on the palette.
struct HeatScale {
    double low = -1;          // value of the first colour
    double high = 1;          // value of the last colour; may be below low (the palette then runs backwards)
    bool logarithmic = false; // positions by log(value): low, high and the values must be positive
};

/// The grey of a cell without a value: darker than the palette's pale centre, so the two never mix up.
constexpr Colour kHeatMapNoValue{0x9E, 0x9E, 0x9E};

/// What a heat map shows; texts in UTF-8.
struct HeatMap {
    std::string title;
    std::string rowHeading;                                 // over the row labels ("date")
    std::vector<std::string> rowLabels;                     // one per row
    std::vector<std::string> columnLabels;                  // one per column
    std::vector<std::vector<std::optional<double>>> values; // values[row][column]; none: grey
    HeatScale scale;
    std::string barCaption;    // the colour bar's unit ("minutes")
    std::vector<double> ticks; // values written beside the colour bar
    std::string noValueLabel;  // the legend of the grey cell
};

/// The frame of a map of dates (rows) by full hours (columns): its title, the rows' heading and both sets
/// of labels; the values, the scale and the legend are the caller's.
[[nodiscard]] HeatMap DatesByHoursMap(std::string title, std::string rowHeading, const std::vector<std::string>& dates,
                                      const std::vector<int>& hours);

/// Position of `value` on the palette, 0 at scale.low and 1 at scale.high, clamped to [0, 1]; 0.5 (the
/// centre) when the scale is empty or a value is not usable (not finite, or not positive on a logarithmic
/// scale).
[[nodiscard]] double HeatPosition(const HeatScale& scale, double value);

/// The palette's colour at a position in [0, 1] (clamped).
[[nodiscard]] Colour HeatColour(double position);

/// The picture's size in surface units for the texts as `measure` measures them in its current font.
struct HeatMapSize {
    int width = 0;
    int height = 0;
};
[[nodiscard]] HeatMapSize MeasureHeatMap(const HeatMap& map, Surface& measure);

/// Draws the heat map with its top-left corner at the surface's origin, in the size MeasureHeatMap gives.
/// A value row shorter than the column labels leaves its missing cells grey.
void DrawHeatMap(Surface& surface, const HeatMap& map);

/// The heat map as a standalone SVG document, sized to fit.
[[nodiscard]] std::string HeatMapSvg(const HeatMap& map);

} // namespace umbrix
