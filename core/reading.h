#pragma once
// What an analemmatic dial shows at one instant: the sun from the program's solar theory, the shadow of the
// gnomon standing at a given point, and the time read where that shadow crosses the hour curve.
//
// The time a dial shows (its clock): dial types 0 to 5 and 7 show apparent solar time of the reference
// meridian (the site's longitude, or the zone meridian with showZoneTime): at dial time h the true sun's
// hour angle at the site is (h - 12) 15 + (reference - longitude) degrees (west-positive longitudes). Type 6
// (both variants) shows mean time of the reference meridian: the sun's hour angle is that plus the equation
// of time at the instant. A mark of the hour curve at hour angle H stands for the time 12 + (H - (reference
// - longitude)) / 15, the hour-mark formulas' zone correction.
//
// The reading: the shadow of the gnomon line is the ray from the foot away from the sun (in the dial frame of
// dial_geometry.h); its crossing with the hour curve at a time within the hour range, found by the exact
// inversion of the curve's formula, is the time read (see ReadDial for a ray that crosses twice). No
// interpolation between marks.

#include "core/dial_geometry.h"
#include "core/model.h"

#include <cstdint>
#include <optional>

namespace umbrix {

/// The clock a dial is built to show.
struct DialClock {
    bool meanTime = false;           // type 6: mean time; every other type: apparent solar time
    double referenceMeridianDeg = 0; // west positive
    double longitudeDeg = 0;         // the site's, west positive
};
[[nodiscard]] DialClock DialClockOf(const DialParameters& p);

/// The sun at one instant.
struct SolarInstant {
    int year = 2015;
    double dayOfYear = 1;         // 1 for 1 January; may carry a fraction (see SunAtUniversalTime)
    double utHours = 12;          // universal time of the instant on that day
    double declinationDeg = 0;    // at the instant, from SunPosition (no rounding near the equinoxes)
    double equationOfTimeDeg = 0; // at the instant, degrees of hour angle
    double hourAngleDeg = 0;      // the true sun's hour angle at the site, positive in the afternoon
};

/// The sun at utHours universal time of day dayOfYear of year, for a site at longitudeDeg (west positive):
/// declination and equation of time of SunPosition at the day value dayOfYear + (utHours - 12) / 24, hour
/// angle (utHours - 12) 15 - longitude + E. A fraction of dayOfYear moves the solar data by that fraction
/// of a day without moving the clock: the dial with a fixed gnomon uses it to stand on the day whose noon
/// has the declination of its date line.
[[nodiscard]] SolarInstant SunAtUniversalTime(int year, double dayOfYear, double utHours, double longitudeDeg);

/// The sun when the dial's clock shows dialHours on day dayOfYear of year. Mean time: UT = h + reference /
/// 15. Apparent time: UT = h + (reference - E) / 15 with E at that instant, found by three fixed-point steps
/// from the noon value (E changes by less than 0.01 degrees an hour, so each step gains five digits).
[[nodiscard]] SolarInstant SunAtDialTime(const DialClock& clock, int year, double dayOfYear, double dialHours);

/// The time the dial's clock shows at the instant, decimal hours in [0, 24).
[[nodiscard]] double DialTimeOf(const DialClock& clock, const SolarInstant& sun);

/// Everything a reading needs of the dial, taken once from the parameters.
struct ReadingDial {
    DialFrame frame;
    DialClock clock;
    double latitudeDeg = 0;
    double zoneCorrectionDeg = 0; // hour angle of the mark of time t: (t - 12) 15 + zoneCorrectionDeg
    double firstHour = 0;         // the hour range the curve is drawn for, dial hours
    double lastHour = 24;
    double gnomonLength = 0; // gnomonHeight, the length of the gnomon along its line, dial units
};
/// None when the dial has no frame (see DialFrameOf).
[[nodiscard]] std::optional<ReadingDial> MakeReadingDial(const DialParameters& p, const SharedState& s);

/// Where the gnomon stands and which hour curve is read: for dial types 0 to 6 the date mark and the hour
/// ellipse, for the split dial the point of the morning or the afternoon loop, for type 7 the centre
/// P(0/0) and the hour ellipse of the date line.
struct GnomonPlacement {
    DialPoint foot; // dial units
    HourCurve curve;
};

enum class ReadingStatus : std::uint8_t {
    Read = 0,       // the shadow crosses the hour curve within the hour range
    NoShadow = 1,   // the sun at or below the horizon, at or behind the face, or along the gnomon
    NoCrossing = 2, // the shadow misses the hour curve within the hour range
};

/// The reading of one instant.
struct Reading {
    ReadingStatus status = ReadingStatus::NoShadow;
    std::optional<double> dialHours;          // the time read, in the hour range; with Read only
    bool ambiguous = false;                   // the shadow ray crosses the curve twice within the hour range
    std::optional<DialPoint> shadowDirection; // unit vector from the foot away from the sun; not with NoShadow
    std::optional<DialPoint> shadowTip;       // the shadow of the tip of a gnomon of gnomonLength; likewise
    double sunAltitudeDeg = 0;                // of the sun's centre, no refraction
    double sunAzimuthDeg = 0;                 // from south, positive towards west
};

/// The reading for the sun `sun` with the gnomon at `placement`: the time of the shadow ray's crossing with
/// the hour curve whose time lies in [firstHour, lastHour] (1e-9 h of rounding allowed at both ends). With
/// the foot inside the hour ellipse the ray crosses it once. With the foot outside it (where the date scale
/// reaches beyond the ellipse, as at low latitudes in summer) the ray may cross it twice: the dial is
/// ambiguous there, and of the two the time nearer the instant's dial time is read, as the loop code's hour
/// error chooses between its two candidates; `ambiguous` says so. The same rule picks between the two times
/// of one crossing when the hour range spans a whole day.
[[nodiscard]] Reading ReadDial(const ReadingDial& dial, const GnomonPlacement& placement, const SolarInstant& sun);

} // namespace umbrix
