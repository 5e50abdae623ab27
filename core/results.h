#pragma once
// Result tables of the computations; each computation rewrites its own tables completely.
// Tables whose design numbers slots from 1 keep that numbering: slot k is element k (element 0 unused).

#include <array>
#include <cstdint>
#include <string>

namespace umbrix {

/// One gnomon position (date mark) or loop point.
struct tUmbrixPoint {
    std::string label;          // row label; an empty label ends the table
    double declination = 0;     // sun's declination, degrees
    double equationOfTime = 0;  // degrees of hour angle (4 min per degree); 9999.0 for fixed-gnomon marks
    double x = 0;               // dial units, along the major axis
    double y = 0;               // dial units, along the minor axis
    std::uint8_t insideFlag = 0; // used by the loop tables only
};

constexpr int kDateMarkSlots = 72;  // slots 1..72; storage for 0..73
constexpr double kFixedMarkEquationOfTime = 9999.0;
using DateMarkTable = std::array<tUmbrixPoint, kDateMarkSlots + 2>;

// --- date scale, hour marks, shadow path ---

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

struct Results {
    DateMarkTable dateMarks{};
    // --- date scale, hour marks, shadow path (members) ---

    // --- figure-eight loops, rise/set marks (members) ---
    LoopTable morningLoop{};             // methods 0 and 1
    LoopTable afternoonLoop{};           // methods 0 and 1
    LoopTable morningLoopOptimised{};    // methods 2 to 4
    LoopTable afternoonLoopOptimised{};  // methods 2 to 4
    RiseSetErrorCurve riseSetErrorCurve{};
};

} // namespace umbrix
