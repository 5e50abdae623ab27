#pragma once
// The elements of the construction plot, each written onto the HPGL page of one export, and what they share:
// the export's context and the helpers that measure labels and trace hour curves. Used by the plot writer
// (export/hpgl_writer.cpp) alone.

#include "core/host.h"
#include "core/model.h"
#include "export/hpgl_plot.h"

#include <string>
#include <string_view>

namespace umbrix::plot {

constexpr double kLabelCharWidth = 48;       // plotter units of a ";SI 0.12 0.18" character cell (1.2 mm)
constexpr double kLabelCharHeight = 72;      // 1.8 mm
constexpr double kWholeHourTolerance = 0.05; // hours: a time this close to a whole hour counts as that hour

/// Everything one export needs besides the plot: the model, its texts, the centres of a split dial.
struct PlotContext {
    const Model& model;
    Host& host;
    HpglPlot& plot;
    bool split = false;
    long long leftCentreX = 0;
    long long rightCentreX = 0;

    const DialParameters& p() const { return model.params; }
    const LanguageState& lang() const { return model.state.language; }
    double zoneShiftDeg() const { return p().showZoneTime ? p().zoneMeridian - p().longitude : 0.0; }
    double hourAngle(double clockHours) const { return (clockHours - 12) * 15 + zoneShiftDeg(); }
};

/// The first `count` characters (not bytes) of a UTF-8 text.
[[nodiscard]] std::string FirstChars(std::string_view text, int count);

/// The number of characters (not bytes) of a UTF-8 text.
[[nodiscard]] int CharCount(std::string_view text);

/// Width in plotter units of a label in the current scaled character size.
[[nodiscard]] double LabelWidth(const HpglPlot& plot, std::string_view text);

/// Number of hour curves: one ellipse, or one per date line of the fixed-gnomon dial.
[[nodiscard]] int CurveCount(const DialParameters& p);

/// A point of hour curve n (1-based) at the hour angle hDeg.
[[nodiscard]] DialPoint CurvePoint(const PlotContext& c, int n, double hDeg);

/// Element 1: the axes through a centre, with ticks, scale numbers and the compass letters. The left centre
/// of a split dial (labelled) draws the west half and the scale numbers; the right one the east half.
void PlotAxes(PlotContext& c, bool labelled);

/// Element 2: the rise and set marks of the common dial.
void PlotRiseSetMarks(PlotContext& c);

/// Element 3, types 0 to 5 (and 6 with marks on the date line): ticks and month labels of the date scale.
void PlotDateScale(PlotContext& c);

/// Element 3 of the mean-time dial with marks on the analemma: its loop.
void PlotDateScaleB(PlotContext& c);

/// Element 3 of the split dial: the morning loop round the left centre, the afternoon loop round the right.
void PlotDateScaleC(PlotContext& c);

/// Element 5: the fixed-gnomon dial's sunrise and sunset curves over the 37 zodiac declinations, each run of
/// date lines within the hour range (as every drawing of the dial shows them), and the hour lines from the
/// first to the last date line.
void PlotFixedGnomonFigure(PlotContext& c);

/// Element 6: the hour curves through the whole hours, the split dial switching to its afternoon centre.
void PlotHourCurves(PlotContext& c);

/// Element 7: the hour marks with their dots, then the labels of the even hours (and the fixed-gnomon
/// dial's symbols at 9 and 15).
void PlotHourMarks(PlotContext& c);

/// After element 7, with a summer-time ring the dial may carry: ring 1 the second labels of the numbered
/// hours, ring 2 the inner hour ellipse with its points and labels (pen 9) and its date scale (pen 10).
/// Nothing for ring 0; leaves the label size and pen as element 7 leaves them.
void PlotDstRing(PlotContext& c);

/// Element 8: the gnomon's direction lines (types 1, 3 and 7).
void PlotGnomonLines(PlotContext& c);

/// Element 9: the fixed gnomon's point Z, its line to the centre and a cross.
void PlotPointZ(PlotContext& c);

/// Element 10: the shadow path of the shadow day, its whole-hour dots and the gnomon's position that day.
void PlotShadowPath(PlotContext& c);

/// Element 12: title, signature and the legend of the parameters.
void PlotLegend(PlotContext& c);

} // namespace umbrix::plot
