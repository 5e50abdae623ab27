#pragma once
// The daylight-saving hour ring: the hours of summer time on the dial.
//
// Ring 1: every hour point keeps its place and gets a second label, its time plus the offset (modulo 24).
// Any dial type.
//
// Ring 2: a second hour ellipse, the dial scaled by dstRingScale about the centre P(0/0), with its own
// date scale scaled by the same factor, its hour points labelled with their time plus the offset. Every
// hour point and date mark is linear in the semi-major axis a (so is the shadow's direction from the
// gnomon's foot), so the inner ring is the same dial at a smaller scale: a gnomon standing on the inner date
// scale casts its shadow through the inner hour point of the very hour angle the outer dial reads. Its
// reading is the outer reading plus the offset, with the same design error: apparent solar time plus the
// offset on types 0 and 1, mean time plus the offset on type 6. For types 0, 1 and 6 without the split
// dial (whose two halves leave no room for a ring inside).
//
// The inner date scale holds the date marks inside the summer-time period and a mark on each end of it,
// labelled with its date.

#include "core/model.h"
#include "core/reading.h"
#include "core/summer_time.h"
#include "text/language.h"

#include <optional>
#include <string>
#include <vector>

namespace umbrix {

/// Whether the dial may carry ring `ring`: 0 and 1 every dial, 2 types 0, 1 and 6 but not the split dial.
[[nodiscard]] bool DstRingAllowed(const DialParameters& p, DstRingKind ring);

/// Whether the dial draws the inner ring: its options ask for ring 2 and the dial may carry it. A ring 2
/// asked of another dial draws nothing.
[[nodiscard]] bool DrawsInnerDstRing(const DialParameters& p);

/// The second label of an hour point of time `hours`: hours + offset, reduced to [0, 24).
[[nodiscard]] double DstLabelHours(double hours, double offsetHours);

/// The text of a second label on the dial: the hour alone for a whole hour ("14"), hours and minutes for
/// any other time ("13:30"), minutes rounded; labelHours in [0, 24).
[[nodiscard]] std::string DstHourLabel(double labelHours);

/// The placement `outer` scaled by `scale` about P: the inner date scale's foot and the inner hour ellipse.
[[nodiscard]] GnomonPlacement InnerRingPlacement(const GnomonPlacement& outer, double scale);

/// The time ring 2 shows at the instant of `sun`: the gnomon on the inner date scale (outer placement scaled
/// by ringScale), the shadow read on the inner hour ellipse, labelled with the offset. None without a
/// reading, or when the ring scale or the offset is not valid.
[[nodiscard]] std::optional<double> ReadInnerRing(const ReadingDial& dial, const GnomonPlacement& outer,
                                                  const SolarInstant& sun, const DstOptions& dst);

/// The ring of a finished dial.
struct DstRing {
    DstRingKind ring = DstRingKind::None; // SecondLabels or InnerRing
    double offsetHours = 1;              // the labels' offset
    double scale = 1;                    // ring 2: dstRingScale; ring 1: 1
    SummerTimePeriod period;             // of the dial's year
    std::vector<HourPoint> hourPoints;   // `dstHourPoints` [{x, y, time}]: time is the second label
    std::vector<tUmbrixPoint> dateMarks; // `dstDateMarks` (the keys of dateMarks); ring 2 only, start to end
    std::vector<DayMonth> dateMarkDates; // the calendar date of each of dateMarks
    bool labelsOpposite = false;         // ring 2 of types 0 and 6: date labels opposite the outer labels
};

/// The ring of the options on the finished dial (hour points, date marks and labels of the last
/// calculation). Ring 1: the hour table's points (dial type 7: every date line's points, line after line).
/// Ring 2: the hour table's points and the inner date scale, scaled. None for ring 0, for a ring the dial
/// may not carry, and for options that are not valid.
[[nodiscard]] std::optional<DstRing> ComputeDstRing(const DialParameters& p, const SharedState& s, const Results& r,
                                                    const DstOptions& dst);

/// One row of the summer-time table (`--table dst`, and the list printed after the dial's lists).
struct DstTableRow {
    std::string kind;           // `kind`: "dst-hour" or "dst-date"
    std::string label;          // `label`: "HH:MM" of the second label, or the date mark's label
    double x = 0;               // `x`, dial units
    double y = 0;               // `y`, dial units
    std::optional<double> time; // `time`: the second label in decimal hours; none for a date mark
};

/// The rows of the table: the hour points, then the date marks.
[[nodiscard]] std::vector<DstTableRow> DstTableRows(const DstRing& ring);

/// The table's heading: "Sommerzeit = Zonenzeit + 1 h" / "Summer time = zone time + 1 h".
[[nodiscard]] std::string DstHeading(const LanguageState& lang, double offsetHours);

/// The rule in force, named where summer time is shown: "Sommerzeit nach EU-Regel" / "summer time by the
/// EU rule", "summer time of the zone Europe/Vienna", "summer time by the dates given", "no summer time".
[[nodiscard]] std::string SummerRuleText(const LanguageState& lang, const DstOptions& dst);

/// The label of a clock time: in summer time the zone's abbreviation (German "MESZ" for "CEST") or, without
/// one, "Sommerzeit" / "summer time"; in zone time the zone's abbreviation ("MEZ"/"CET") or nothing.
[[nodiscard]] std::string ClockLabel(const LanguageState& lang, bool summer, std::string_view abbreviation);

} // namespace umbrix
