#pragma once
// The setting-out plan: every point a maker stakes out on the ground, with the distances d1 and d2 from the
// two stakes B1 and B2 at the ends of the minor axis (the two-tape method) and the chord to the previous
// point of the same kind; the foci of the axis-parallel hour ellipses for the string method; and the
// true-north hint (the zone time of apparent noon on each day of the shadow date's month).
// Lengths in dial units (the design's length unit), x east, y north (up the plane), origin P(0/0).

#include "core/length_unit.h"
#include "core/model.h"
#include "graphics/dial_points.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

enum class SettingOutKind : std::uint8_t { Hour, Date, Centre, Stake, Focus, Z, LoopAm, LoopPm, DstHour, DstDate };

/// The kind as the CSV writes it: hour, date, centre, stake, focus, Z, loop-am, loop-pm, dst-hour, dst-date.
[[nodiscard]] std::string_view SettingOutKindName(SettingOutKind kind);

struct SettingOutRow {
    SettingOutKind kind = SettingOutKind::Hour;
    std::string label;
    DialPoint at;
    double d1 = 0;               // distance from B1 (of the row's half on a split dial)
    double d2 = 0;               // distance from B2
    std::optional<double> chord; // to the previous row of the same kind; none for the first
    DialHalf half = DialHalf::Whole;
    std::string secondLabel; // ring 1 of the summer time: the hour's summer-time label (the PDF prints it)
};

/// An ellipse that can be drawn with a string: length 2A, ends tied at the foci, c from the centre.
struct StringEllipse {
    std::string label; // empty for the hour ellipse, "am"/"pm" for the halves, the date of a date line
    DialPoint centre;
    double semiAxisA = 0;     // the longer semi-axis
    double semiAxisB = 0;     // the shorter one
    double focalDistance = 0; // c = sqrt(A^2 - B^2)
    bool alongX = true;       // the longer axis is the x axis
};

struct SettingOutPlan {
    std::vector<SettingOutRow> rows; // centres and stakes, foci, Z, hour points, date marks, loop points
    std::vector<StringEllipse> ellipses;
    int hourRows = 0;
    int dateRows = 0;
};

/// The rows of the last calculation. Types 0 to 6: centre P, stakes B1 (0, b) and B2 (0, -b) with b the
/// semi-minor axis, each named with its direction ("B1 (north)"), every hour point, every date mark; foci
/// for types 0, 3, 4, 6 and for type 1 with gnomon deviation or inclination 0. Split dial: centre and stakes
/// of each half, its hour points, the loop points, foci per half. Type 7: P, B1, B2, Z, and per date line
/// its ellipse's centre (a date row), its foci when the gnomon deviation or inclination is 0, and its hour
/// points. Summer-time ring 2: the inner ring's hour points (dst-hour, labelled with their summer time) and
/// its date marks (dst-date) last; ring 1 adds no rows but gives every hour row its summer-time label as
/// secondLabel.
[[nodiscard]] SettingOutPlan BuildSettingOutPlan(const Model& model);

/// The plan as CSV: UTF-8 with byte-order mark, CR LF, ";" between cells; line 1 "unit;<unit>", line 2
/// "kind;label;x;y;d1;d2;chord", then one line per row, lengths with the unit's decimals, the chord empty
/// for the first row of a kind.
[[nodiscard]] std::string SettingOutCsv(const SettingOutPlan& plan, LengthUnit unit);

/// The kind in the language of `lang`, for the plan's table.
[[nodiscard]] std::string_view SettingOutKindText(const LanguageState& lang, SettingOutKind kind);

/// Which way each stake lies from P, in the model's language: "north"/"south" on a horizontal plane,
/// "up"/"down" on others. B1 is (0, b): north where the 12 o'clock point lies north of P, south otherwise.
struct StakeDirections {
    std::string b1;
    std::string b2;
    bool b1OnPositiveY = true;
};
[[nodiscard]] StakeDirections StakeDirectionsOf(const Model& model);

/// The warning of a gnomon too short for its dial (CheckGnomonHeight below 50 %): the share reached and the
/// height that reaches 90 %, in the model's language; none when the gnomon is tall enough or the check does
/// not apply (dial types other than 0 and 6).
[[nodiscard]] std::optional<std::string> GnomonHeightWarning(const Model& model, LengthUnit unit);

/// Zone time of apparent noon at the site (decimal hours) on every day of a month: when a plumb line's
/// shadow lies exactly north-south. 12 + (longitude - zoneMeridian) / 15 - equation of time / 15.
[[nodiscard]] std::vector<double> ApparentNoonZoneTimes(const DialParameters& p, int month);

/// A clock time of a date: its hours and its label (see ClockLabel).
struct ClockTimeOfDate {
    double hours = 0;
    std::string label;
};

/// The clock time of apparent noon on every day of a month: summer time inside the period of the rule in
/// force, zone time outside it, each with its label.
[[nodiscard]] std::vector<ClockTimeOfDate> ApparentNoonClockTimes(const DialParameters& p, const LanguageState& lang,
                                                                  int month);

/// The sun at a full hour of zone time on one day: its azimuth from true north, clockwise, and its altitude,
/// degrees. A plumb line's shadow points to azimuthDeg + 180.
struct SunBearing {
    int hour = 12;
    double azimuthDeg = 0;
    double altitudeDeg = 0;
};

/// Every full hour of zone time on day/month of the dial's year at which the sun stands above the horizon.
[[nodiscard]] std::vector<SunBearing> SunBearingsAtFullHours(const DialParameters& p, int month, int day);

/// A clock time in decimal hours as "HH:MM" (minutes rounded); "--:--" when not finite.
[[nodiscard]] std::string ClockText(double hours);

} // namespace umbrix
