#pragma once
// What the finished dial shows at any instant: the sun of that instant, the gnomon where the dial puts it for
// that calendar date, its shadow and the time read (see reading.h for the dial's clock and the reading).
//
// The instant is a date of 1700..2100 and a standard time of the zone meridian (never summer time); the sun
// is computed for the instant's own year. The gnomon stands where the dial, built for its own year, puts it
// on that calendar date: the date-scale formula with the noon data of that date of the dial's year, as a
// date mark for that date would have it. The split dial's gnomon goes on its morning loop up to 12 h of the
// dial's clock and on its afternoon loop after it, interpolated linearly by day of year between the
// neighbouring loop rows. The dial with a fixed gnomon reads with the gnomon's foot at the centre P(0/0) on
// the hour ellipse of the date's noon declination (its formulas put the foot there; Z is the centre of
// similitude of the date lines' ellipses).

#include "core/loops.h"
#include "core/model.h"
#include "core/reading.h"
#include "core/summer_time.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace umbrix {

constexpr int kInstantYearMin = 1700;
constexpr int kInstantYearMax = 2100;

/// A moment in standard time of the zone meridian.
struct Instant {
    int year = 2015;       // 1700..2100
    int month = 1;         // 1..12
    int day = 1;           // 1..31, a day of that month and year
    double zoneHours = 12; // decimal hours, [0, 24)
};

/// Whether the instant names an existing date of 1700..2100 and a time in [0, 24).
[[nodiscard]] bool IsValidInstant(const Instant& instant);

enum class InstantError : std::uint8_t {
    None = 0,
    Malformed = 1,      // not "DD/MM/YYYY HH:MM" (day, month and hour of one or two digits)
    NoSuchDate = 2,     // such as 31/04 or 29/02 of a common year
    YearOutOfRange = 3, // outside 1700..2100
    NoSuchTime = 4,     // hour above 23 or minute above 59
};

struct InstantParse {
    std::optional<Instant> instant; // with InstantError::None only
    InstantError error = InstantError::Malformed;
};

/// Reads "DD/MM/YYYY HH:MM" (blanks around it allowed).
[[nodiscard]] InstantParse ParseInstant(std::string_view text);

/// "DD/MM/YYYY" of the instant.
[[nodiscard]] std::string InstantDateText(const Instant& instant);

/// The standard time of the zone meridian zoneMeridianDeg (west positive) at unixSeconds (seconds since
/// 1970-01-01 00:00 UTC). None outside 1700..2100 or for a meridian that is not finite.
[[nodiscard]] std::optional<Instant> InstantFromUnixSeconds(std::int64_t unixSeconds, double zoneMeridianDeg);

/// The date mark a dial built for `year` would have for month/day: the sun's declination and equation of
/// time at 12:00 of the reference meridian (declinations below 0.3 degrees counted as 0, as for every date
/// mark), the label "dd.Mon " of the current language and the gnomon position DateScalePosition (the
/// formula of types 0 and 1 for type 7). 29 February of a common year is 1 March.
[[nodiscard]] tUmbrixPoint DateMarkOn(const DialParameters& p, const SharedState& s, int year, DayMonth date);

/// The simulation of one instant; JSON `simulation`. Dial units, decimal hours, degrees.
struct Simulation {
    std::string date;                             // `date`: "DD/MM/YYYY"
    double zoneTime = 0;                          // `zoneTime`: standard time of the zone meridian
    std::optional<double> summerTime;             // `summerTime`: inside the summer-time period only
    double dialTime = 0;                          // `dialTime`: the time the dial is built to show, [0, 24)
    std::string nearestMark;                      // `nearestMark`: label of the nearest date mark (loop row)
    DialPoint gnomon;                             // `gnomon` {x, y}: the gnomon's foot
    double sunAltitude = 0;                       // `sun.altitude`: of the sun's centre, no refraction
    double sunAzimuth = 0;                        // `sun.azimuth`: from south, positive towards west
    std::optional<DialPoint> shadowTip;           // `shadowTip` {x, y}: of a gnomon of gnomonHeight
    std::optional<double> reading;                // `reading`: the time read, within the hour range
    std::optional<double> readingErrorMinutes;    // `readingErrorMinutes`: (reading - dialTime) 60
    std::optional<double> watchCorrectionMinutes; // `watchCorrectionMinutes`: (clock time - reading) 60

    // For drawing the instant (no JSON keys).
    ReadingStatus status = ReadingStatus::NoShadow;
    bool ambiguous = false;                   // the shadow crosses the hour curve twice (see ReadDial)
    std::optional<DialPoint> shadowDirection; // unit vector from the foot away from the sun
    std::optional<DayHalf> half;              // split dial: the half whose loop carries the gnomon
    GnomonPlacement placement;                // the foot and the hour curve read
    SolarInstant sun;                         // the sun of the instant
    std::optional<double> dstRingReading;     // ring 2: the inner ring's reading, labelled with the offset
};

/// The simulation of `instant` on the finished dial (the date marks, loops and axes of the last
/// calculation). Summer time follows the period of the instant's own year (its European rule where an end
/// is not set). watchCorrectionMinutes uses the summer time where there is one, and the difference is taken
/// modulo 24 h into [-12 h, 12 h). None when the instant is not valid, the dial has no frame (see
/// DialFrameOf) or the gnomon's position is not finite; shadowTip, reading and the minutes are none where
/// there is no shadow or no crossing within the hour range.
[[nodiscard]] std::optional<Simulation> Simulate(const DialParameters& p, const SharedState& s, const Results& r,
                                                 const Instant& instant, const DstOptions& dst);

} // namespace umbrix
