#pragma once
// Date scale of the analemmatic dial: where the gnomon (the "index") stands on each date.
//
// For the dates chosen by marksPerMonth the sun's noon declination and equation of time are taken and the
// gnomon foot (x, y) is computed for the dial type; the marks go into the DateMarkTable (slots 1..72, an
// empty label ends the table) and are listed in the grid StrGridDat. The dial with a fixed gnomon (type 7)
// uses fixed declinations of the zodiac table instead of calendar dates.
//
// Units: declinations in degrees, the equation of time in degrees of hour angle (4 minutes per degree),
// positions in dial units (semi-major axis of the hour ellipse = semiMajorAxis).

#include "core/grid.h"
#include "core/model.h"

#include <optional>
#include <vector>

namespace umbrix {

/// The date marks of one calculation: the table, its listing and the obliquity the noon data left.
struct DateScaleResult {
    DateMarkTable marks{};              // slots 1 .. up to the first empty label
    StringGrid listing;                 // StrGridDat
    std::optional<double> obliquityDeg; // of the last noon data; none for the fixed-gnomon marks
};

/// The DateMarkTable for the parameters and its listing for StrGridDat (the shape of model's StrGridDat).
/// The reference meridian of the noon data is the zone meridian when showZoneTime is set, else the site's
/// longitude. Type 4 computes with the gnomon inclination of VerticalSouthGnomonInclination.
[[nodiscard]] DateScaleResult ComputeDateMarks(const Model& model);

/// Type 4 (vertical south dial): a gnomon inclination of magnitude below 0.01 degrees counts as 0.01, which
/// keeps cos L / tan z finite. Other inclinations are returned as they are.
[[nodiscard]] double VerticalSouthGnomonInclination(double gnomonInclinationDeg);

/// One calendar-date mark and the obliquity of its noon data.
struct CalendarMark {
    tUmbrixPoint mark;
    double obliquityDeg = 0;
};

/// Derivation: the gnomon of a date stands at the projection, along the gnomon's direction g onto the
/// face, of the polar-axis point Q = M tan(decl) (0, cos L, sin L) (horizon frame east, north, up): the
/// sun's ray through Q meets the equatorial circle of radius M at every hour (see ComputeHourMarks), so
/// the shadow of the gnomon at that point passes the hour mark of the hour. For a level face and
/// g = (-sin z sin D, -sin z cos D, cos z): x = -(Q.up / cos z) g.east = M t tan z sin D sin L and
/// y = Q.north - (Q.up / cos z) g.north = M t (cos L + sin L cos D tan z), the types 0, 1, 7 line below.
/// Summer declinations (t > 0) put the gnomon towards the raised pole: north of the centre in the northern
/// hemisphere. Type 6 on the analemma adds the equation of time E as the east-west offset -M E: a sun ahead
/// of the mean sun (E > 0) is met by a gnomon moved west. The independent vector computation of the tests
/// (tests/core/independent_dial.h) checks every type.
///
/// One calendar-date mark: the declination and equation of time at 12:00 of the reference meridian
/// (declinations of magnitude below 0.3 degrees count as exactly 0), the label "dd.Mon " in the language of
/// `s` and the gnomon position for the dial type:
///   type 6 (on the analemma): x = -M E,                     y = M t cos L
///   types 0, 1, 7:            x = M t tan z sin D sin L,    y = M t (cos L + sin L cos D tan z)
///   type 2:                   x = -M t cos L sin P,         y = M t cos L cos P / cos ze
///   type 3:                   x = 0,                        y = M t (cos(L - ze) - sin(L - ze) tan(ze - z))
///   type 4:                   x = 0,                        y = M t (sin L + cos L / tan z)
///   type 5:                   x = -M t cos L sin P,         y = M t sin L
/// with M = semiMajorAxis, t = tan(declination), E in radians, L latitude, z, D gnomon inclination and
/// deviation, ze, P plane inclination and deviation. year, month 1..12, day 1..31.
[[nodiscard]] CalendarMark ComputeDateMark(const DialParameters& p, const SharedState& s, int year, int month, int day);

/// The gnomon position of a calendar-date mark for the sun's declination declDeg and equation of time
/// eotDeg (degrees of hour angle), by the table of ComputeDateMark; no parameter is changed (type 4 computes
/// with a gnomon inclination of at least 0.01 degrees, as ComputeDateMark does). Dial type 7 gives the
/// formula of types 0 and 1. Dial units.
[[nodiscard]] DialPoint DateScalePosition(const DialParameters& p, double declDeg, double eotDeg);

/// A calendar date of a date mark.
struct CalendarDate {
    int month = 1; // 1..12
    int day = 1;   // 1..31
};

/// The dates of the calendar-date marks in slot order (slot 1 first): 21 December, with 6 marks per month
/// also 26 December, then day 1 + step (j - 1), j = 1..n, of every month (step 14 for n = 1 or 2, 10 for
/// n = 3, 5 for n = 6; in December only days before 21), and 21 June after June when n is 1 or 2.
/// 14, 26, 36 or 72 dates for n = 1, 2, 3, 6.
[[nodiscard]] std::vector<CalendarDate> CalendarMarkDates(int marksPerMonth);

/// Type 7: 6k + 1 marks (k = marksPerMonth limited to 3) at every (6 / k)-th declination of the zodiac
/// table, winter to summer solstice; equation of time 9999. Labels "21. Mon" on the rows that begin a
/// month group (slot mod marksPerMonth = 1), "Zeile s" on the others.
[[nodiscard]] DateMarkTable ComputeFixedIndexMarks(const DialParameters& p, const SharedState& s, int marksPerMonth);

/// Layout of a point list in a grid.
enum class PointTableMode : int {
    RightColumns = 0, // x and y into columns 7 and 8 (the afternoon loop beside the morning one)
    Full = 1,         // label, x, y, declination, equation of time in columns 0, 1, 2, 4, 5
};

/// Width and decimals of the x and y cells.
struct PointColumns {
    int width = 8;
    int decimals = 4;
};
constexpr PointColumns kDateGridColumns{8, 4}; // StrGridDat, both modes
constexpr PointColumns kLoopGridColumns{7, 3}; // StrGrid8, StrGrid8b

/// Writes the header row and rows 1, 2, ... of `table` into `grid` while the slot's label is not empty and
/// the row is below rowLimit (73 for the date marks). Texts in the language `lang`.
void ShowPointTable(StringGrid& grid, const DateMarkTable& table, int rowLimit, PointTableMode mode,
                    const LanguageState& lang, PointColumns columns = kDateGridColumns);

/// Empties every cell of the grid; its row and column counts stay.
void ClearGrid(StringGrid& grid);

/// An empty grid of the shape of `shape` (its rows, columns and fixed rows and columns).
[[nodiscard]] StringGrid EmptyGridLike(const StringGrid& shape);

/// The reference meridian of the dial's clock: the zone meridian when zone time is shown, else the site's
/// own longitude (degrees, west positive).
[[nodiscard]] double ReferenceMeridian(const DialParameters& p);

} // namespace umbrix
