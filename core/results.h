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

struct Results {
    DateMarkTable dateMarks{};
    // --- date scale, hour marks, shadow path (members) ---

    // --- figure-eight loops, rise/set marks (members) ---
};

} // namespace umbrix
