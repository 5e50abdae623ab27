#pragma once
// The correction table of a plaque: for every date mark, the minutes to add to the dial's reading to get
// the clock time, and the clock time of apparent noon.
//
// A dial of types 0 to 5 and 7 shows apparent solar time of its reference meridian (the longitude, or the
// zone meridian with showZoneTime); standard time of the zone meridian is that plus 4 (reference - zone)
// minutes (meridians west positive) minus the equation of time E (positive when the sun is ahead of mean
// time). The mean-time dial (type 6, both variants) shows mean time of its reference meridian: its date
// scale already carries E, so only the longitude term is left. Summer time adds its offset, except on a dial
// with the inner summer-time ring (dstRing 2), which is read in summer and already shows summer time. E is taken at
// the date's apparent noon at the site, the moment a plaque's noon line is read.

#include "core/model.h"
#include "core/summer_time.h"

#include <optional>
#include <string>
#include <vector>

namespace umbrix {

/// One date of the table; an element of JSON `correction.rows`.
struct CorrectionRow {
    std::string label;                            // `label`: the date mark's label
    double equationOfTimeMinutes = 0;             // `equationOfTimeMinutes`: E as it applies, 0 for type 6
    double longitudeMinutes = 0;                  // `longitudeMinutes`: 4 (reference - zone meridian)
    double standardTimeMinutes = 0;               // `standardTimeMinutes`: longitude term - E
    std::optional<double> summerTimeMinutes;      // `summerTimeMinutes`: + 60 offset (0 read on ring 2), in the period
    double apparentNoon = 0;                      // `apparentNoon`: standard time of apparent noon, hours
    std::optional<double> apparentNoonSummerTime; // `apparentNoonSummerTime`: in the period only
    std::string summerAbbreviation;               // the zone's name of the summer clock time ("CEST"), or empty
};

/// JSON `correction`.
struct CorrectionTable {
    std::optional<double> offsetHours; // `offsetHours`: summer time minus standard time; none without summer time
    SummerTimeRule rule = SummerTimeRule::Eu; // the rule the summer figures follow
    std::vector<CorrectionRow> rows;          // `rows`: one per date mark (loop row of the split dial)
};

/// The table of the finished dial: one row per row of the accuracy tables (date marks; the split dial's
/// loop rows; the fixed-gnomon dial's date lines on the day of the dial's year the accuracy map gives
/// them). Summer-time figures on the dates whose noon is summer time under the rule in force for the dial's
/// year; none under the rule `none` or when the options are not valid. Empty when a figure would not be finite.
[[nodiscard]] CorrectionTable ComputeCorrectionTable(const DialParameters& p, const Results& r, const DstOptions& dst);

} // namespace umbrix
