#pragma once
// Result tables of the computations; each computation rewrites its own tables completely.
// Tables whose design numbers slots from 1 keep that numbering: slot k is element k (element 0 unused).

#include <array>
#include <cstdint>
#include <string>

namespace umbrix {

/// One gnomon position (date mark) or loop point.
struct tUmbrixPoint {
    std::string label;           // row label; an empty label ends the table
    double declination = 0;      // sun's declination, degrees
    double equationOfTime = 0;   // degrees of hour angle (4 min per degree); 9999.0 for fixed-gnomon marks
    double x = 0;                // dial units, along the major axis
    double y = 0;                // dial units, along the minor axis
    std::uint8_t insideFlag = 0; // used by the loop tables only
};

constexpr int kDateMarkSlots = 72; // slots 1..72; storage for 0..73
constexpr double kFixedMarkEquationOfTime = 9999.0;
using DateMarkTable = std::array<tUmbrixPoint, kDateMarkSlots + 2>;

// --- date scale, hour marks, shadow path ---

/// A point on the dial: x along the major axis, y along the minor axis, in dial units.
struct DialPoint {
    double x = 0;
    double y = 0;
};

/// One hour mark of the analemmatic ellipse (dial types 0 to 6).
struct HourPoint {
    double x = 0;    // dial units
    double y = 0;    // dial units
    double time = 0; // clock time of the mark, decimal hours
};
constexpr int kHourPointSlots = 145; // (24 - 0) hours * 6 marks + 1
using HourPointTable = std::array<HourPoint, kHourPointSlots + 1>;

/// One point of a date line's own hour ellipse (dial type 7).
struct FixedHourPoint {
    double x = 0;         // dial units
    double y = 0;         // dial units
    double hourAngle = 0; // degrees from noon, without the longitude correction
};
constexpr int kFixedDateLines = 37;       // date lines 1..37 (7, 13 or 19 are used)
constexpr int kFixedHourPointSlots = 366; // entries 1..366 of a date line (every 10 minutes)
using FixedHourPointLine = std::array<FixedHourPoint, kFixedHourPointSlots + 1>;
using FixedHourPoints = std::array<FixedHourPointLine, kFixedDateLines + 1>;
using FixedScale = std::array<double, kFixedDateLines + 1>; // semi-major axis of each date line's ellipse
using HalfDayArc = std::array<double, kFixedDateLines + 1>; // half the day arc of each date line, degrees

/// One sample of the shadow path; x = y = kNoShadow when the gnomon casts no shadow on the plane.
struct ShadowPoint {
    double x = 0;    // dial units
    double y = 0;    // dial units
    double t = -1.0; // clock time of the sample, decimal hours; -1 when not sampled
};
constexpr double kNoShadow = -7777.7;
constexpr double kShadowPresentLimit = -7777; // a point is present when x or y is at least this
/// Room for the widest sampling the inputs allow: (24 - 0 + 4) hours * 6 samples + 1 = 169 slots.
constexpr int kShadowPathSlots = 169;
using ShadowPathTable = std::array<ShadowPoint, kShadowPathSlots + 1>;

// --- figure-eight loops, rise/set marks ---

/// A figure-eight loop of the split dial: one row per date, slots 1..72 like the date marks; insideFlag 1
/// when the gnomon position lies inside the usable part of the dial.
using LoopTable = DateMarkTable;

/// Reading error of the rise/set marks over the sun's declination: 24 points for 1, 2, ..., 23 and 23.44
/// degrees; maxError >= 0 and minError <= 0 are the extremes (degrees).
struct RiseSetErrorPoint {
    double declination = 0; // degrees
    double error = 0;       // degrees of azimuth
};
constexpr int kRiseSetErrorPoints = 24;
struct RiseSetErrorCurve {
    std::array<RiseSetErrorPoint, kRiseSetErrorPoints> points{};
    double maxError = 0;
    double minError = 0;
};

/// Error statistics of one figure-eight loop over every counted hour error, in degrees of hour angle
/// (4 minutes of time per degree). valid is false when no hour error was counted; the figures are then 0
/// and mean nothing.
struct LoopErrorStatistics {
    bool valid = false;
    int count = 0;      // hour errors counted
    double maxAbs = 0;  // largest |error|
    double meanAbs = 0; // mean |error|
    double spread = 0;  // standard deviation of the error about its mean
};

/// The Lambert circle of the exact rise/set construction for one day: the circle through the gnomon's date
/// position (0, c) and the sunrise and sunset points of the hour ellipse, centred on the north-south axis
/// at c - radius. Dial units. valid is false when the day has no sunrise or sunset, or the circle
/// degenerates (the sun rises due east, c equals the sunrise point's y, declination 0): draw nothing then.
struct LambertCircleResult {
    bool valid = false;
    double radius = 0;        // r = ((c - ys)^2 + xs^2) / 2 / (c - ys)
    double c = 0;             // the gnomon's date position on the north-south axis
    double secondRadius = 0;  // the same radius by the chord through the sunrise point: cos L sqrt(v) / sin d / 2
    bool radiiDiffer = false; // the two radii differ by more than 0.0001 (reported once per calculation)
};

struct Results {
    DateMarkTable dateMarks{};
    // --- date scale, hour marks, shadow path (members) ---
    HourPointTable hourPoints{}; // slots 1..hourPointCount written by the last hour-mark computation
    int hourPointCount = 0;
    DialPoint riseSetPoint{};          // right-hand rise/set mark; the left one lies at -x
    bool riseSetPointReal = false;     // false: no real rise/set position, riseSetPoint.x is 0
    FixedHourPoints fixedHourPoints{}; // type 7: lines 1..fixedDateLineCount, entries 1..fixedHourPointCount
    FixedScale fixedScale{};
    HalfDayArc halfDayArc{};
    int fixedDateLineCount = 0;
    int fixedHourPointCount = 0;
    ShadowPathTable shadowPath{}; // slots 1..shadowPathCount written by the last shadow-path computation
    int shadowPathCount = 0;

    // --- figure-eight loops, rise/set marks (members) ---
    LoopTable morningLoop{};            // methods 0 and 1
    LoopTable afternoonLoop{};          // methods 0 and 1
    LoopTable morningLoopOptimised{};   // methods 2 to 4
    LoopTable afternoonLoopOptimised{}; // methods 2 to 4
    RiseSetErrorCurve riseSetErrorCurve{};
    LoopErrorStatistics morningLoopStatistics{}; // of the loop the last double-analemma calculation wrote
    LoopErrorStatistics afternoonLoopStatistics{};
    bool radiusCheckReported = false; // the Lambert radius message was shown in this calculation
    bool riseSetMarksEnabled = false; // ChBRiseSet was enabled at the last variant layout (for the plot)
};

} // namespace umbrix
