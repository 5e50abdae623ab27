#pragma once
// The body-height planner of dials whose gnomon is a person (types 0 and 6, on the analemma and split):
// does the shadow of the shortest person expected reach the hour point it must pass?
//
// One cell per date mark (split dial: loop row) and full hour h of the hour range, h on the dial's clock
// (see reading.h), the sun of dial time h on that date. A person of height bodyHeight standing upright on
// the date mark casts a shadow of length bodyHeight / tan(altitude) on the level dial; it reaches the hour
// point of h when that length is at least the distance from the mark to the point:
//   ratio = (bodyHeight / tan altitude) / |hour point(h) - gnomon(mark)|,
// written as min(ratio, 1000); no cell while the sun is at or below the horizon. The split dial uses its
// morning loop up to 12 h and its afternoon loop after it.
//
// Every distance on the dial is proportional to the semi-major axis a, the shadow's length is not: ratio a
// does not depend on a, and a cell reaches its hour point exactly while a <= ratio a. So when q is the
// ceil(reachCoverage N)-th largest value of ratio a over the N cells with a value, every dial with a <= q
// has at least that share of cells reached, every larger one fewer; the recommendation rounds q down to the
// centimetre of a metre dial (two decimals of the length unit).

#include "core/model.h"

#include <optional>
#include <string>
#include <vector>

namespace umbrix {

constexpr double kMinBodyHeight = 0.05; // as gnomonHeight: a height must be above this
constexpr double kMaxBodyHeight = 1e6;  // as gnomonHeight: the largest height, in the design's unit
constexpr double kMaxReachRatio = 1000; // ratios are written up to this
constexpr double kMinSemiMajorAxis = 1; // the semi-major axis must be above this

/// The planner's inputs.
struct ReachOptions {
    double bodyHeight = 1.7;    // bodyHeight: the shortest person expected, dial units
    double reachCoverage = 0.9; // reachCoverage: the share of cells whose shadow must reach, (0, 1]
};

/// Whether the planner applies to the dial: types 0 and 6.
[[nodiscard]] bool ReachPlannerApplies(const DialParameters& p);

/// Above kMinBodyHeight and finite.
[[nodiscard]] bool IsValidBodyHeight(double bodyHeight);
/// In (0, 1].
[[nodiscard]] bool IsValidReachCoverage(double coverage);

/// The planner's map; JSON `reach`.
struct ReachMap {
    std::vector<int> hours;                                // `hours`: hourFrom .. hourTo
    std::vector<std::string> dates;                        // `dates`: the row labels
    std::vector<std::vector<std::optional<double>>> ratio; // `ratio`: rows per date, columns per hour
    std::optional<double> coverage;                        // `coverage`: share of cells reached at today's a
    std::optional<double> recommendedSemiMajorAxis;        // `recommendedSemiMajorAxis`: floor(100 q) / 100

    // For the window (no JSON keys).
    int count = 0;                      // N: cells with a value
    int reached = 0;                    // of them, cells with ratio >= 1
    bool recommendationRefused = false; // the recommendation fails the semi-major axis check (not above 1):
                                        // no Apply; a smaller length unit (cm) would take it
};

/// The map of the finished dial (date marks or loops of the last calculation). Empty (no rows, no
/// figures) when the planner does not apply, the options are not valid or the dial has no frame; no
/// coverage and no recommendation when no cell has a value.
[[nodiscard]] ReachMap ComputeReachMap(const DialParameters& p, const SharedState& s, const Results& r,
                                       const ReachOptions& options);

/// The gnomon's own height checked against the dial (where the planner applies): the planner's coverage
/// with gnomonHeight as the body, and the height whose shadow reaches 90 % of the cells, rounded up to two
/// decimals of the length unit. `tooShort` below 50 %.
struct GnomonHeightCheck {
    double coverage = 0;
    double heightFor90 = 0;
    bool tooShort = false;
};
constexpr double kGnomonWarnCoverage = 0.5;
constexpr double kGnomonAimCoverage = 0.9;
[[nodiscard]] std::optional<GnomonHeightCheck> CheckGnomonHeight(const DialParameters& p, const SharedState& s,
                                                                 const Results& r);

} // namespace umbrix
