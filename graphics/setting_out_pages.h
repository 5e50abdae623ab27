#pragma once
// The pages of the setting-out plan, A4 portrait, drawn on any surface in 0.1 mm: the plan at a stated
// scale with every point numbered as in the table, the scale bar, the north arrow (true north, not
// magnetic; with the compass bearing of true north when a magnetic declination is given) or the "up" arrow
// of a plane that is not horizontal; then sections of notes and tables flowing over as many pages as they
// need. A section is a heading, paragraphs and an optional table, so further tables join the plan as
// further sections.

#include "core/length_unit.h"
#include "core/model.h"
#include "graphics/construction_geometry.h"
#include "graphics/print_layout.h"
#include "graphics/setting_out.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace umbrix {

constexpr int kPlanPageWidth = 10 * kA4ShortSideMm; // A4 portrait, 0.1 mm
constexpr int kPlanPageHeight = 10 * kA4LongSideMm;
constexpr int kPlanMargin = 150;
constexpr int kPlanBoxSize = 1800; // the square the plan is drawn in

struct PlanTable {
    std::vector<std::string> header;
    std::vector<int> widths;        // 0.1 mm per column
    std::vector<bool> rightAligned; // per column
    std::vector<std::vector<std::string>> rows;
    bool keepTogether = false; // a short table starts a new page rather than split
};

struct PlanSection {
    bool newPage = false; // the section begins a page of its own
    std::string heading;
    std::vector<std::string> paragraphs;
    std::optional<PlanTable> table;
};

struct SettingOutDocument {
    std::string title;
    std::string subtitle;
    std::string scaleLabel;
    LengthUnit unit = LengthUnit::Metre;
    SettingOutPlan plan;
    ConstructionGeometry geometry;
    double scaleDenominator = 1; // of the series 1, 2, 2.5, 4, 5 times a power of ten
    bool yIsNorth = true;
    std::optional<double> magneticDeclinationDeg; // east positive
    std::string arrowLabel;
    std::vector<std::string> arrowNotes; // beside the arrow
    std::vector<PlanSection> sections;
};

/// The largest scale 1 : N of the series 1, 2, 2.5, 4, 5, 10, 20, 25, 40, 50, ... at which an extent (dial
/// units of size unitSizeMm) fits a box of boxMm x boxMm; 1 for an empty extent.
[[nodiscard]] double FittingScaleDenominator(const Extent& extent, double unitSizeMm, double boxMm);

/// N of a scale 1 : N as printed: "50", "2.5".
[[nodiscard]] std::string ScaleNumberText(double denominator);

/// The plan of the last calculation: rows, geometry, the scale that fits the plan's box, the arrow, and the
/// sections: notes (gnomon height and the date scale, the string method with A and c, the two tapes, which
/// way is up, the site's true-north hint for the shadow date's month) and the point table.
/// magneticDeclinationDeg: degrees, east positive; none when not given.
[[nodiscard]] SettingOutDocument BuildSettingOutDocument(const Model& model, LengthUnit unit,
                                                         std::optional<double> magneticDeclinationDeg);

/// Draws the plan page and the sections. Each page is laid out on pages.page() in 0.1 mm from the sheet's
/// top-left corner; false when a new page could not be started.
[[nodiscard]] bool DrawSettingOutDocument(const SettingOutDocument& document, PageFlow& pages);

/// The greedy line breaks of a text for a width, measured with the surface's current font.
[[nodiscard]] std::vector<std::string> WrapText(const Surface& s, const std::string& text, int width);

} // namespace umbrix
