#pragma once
// Figure-eight loops of the split dial for a whole list of hours: method 1 averages the exact two-hour
// positions of every pair of hours, methods 2 to 4 search, for every date, the gnomon position with the
// smallest error over the list (2: largest |error|, 3: weighted mean |error|, 4: weighted root mean square).
//
// Units and symbols as in loops.h: clock hours of mean time, errors in degrees of hour angle, positions in
// dial units.

#include "core/host.h"
#include "core/loops.h"
#include "core/model.h"

#include <array>
#include <cstdint>

namespace umbrix {

constexpr int kMaxListHours = 30;      // capacity of an hour list (method 1)
constexpr int kMaxSearchHours = 20;    // methods 2 to 4 use the first 20 hours of a list
constexpr int kHourInputRowLimit = 72; // StrGridEin rows 1..71 are read

/// The hours of one half with their weights (absolute values, 1 for an empty weight cell).
struct HourList {
    int count = 0;
    std::array<double, kMaxListHours> hours{};   // clock hours of mean time
    std::array<double, kMaxListHours> weights{}; // error weights, >= 0
};

/// Method 1's input for both halves.
struct MeanHourInput {
    bool conversionError = false; // a cell held no number: stop with kErrorLoopHours
    HourList morning;
    HourList afternoon;
    double morningStep = 1; // the step shown in StrGridEin (weight of row 2)
    double afternoonStep = 1;
    bool morningTooLong = false; // the list would hold more than kMaxListHours hours
    bool afternoonTooLong = false;
};
/// Method 1: the defaults 7..11 and 13..17 (step 1), or StrGridEin columns 1 and 3 (rows 1, 2, ... up to
/// the first empty cell, below row 72) limited to 4..12 and 12..20, with the weights of columns 2 and 4.
/// With fewer than 3 hours read: with two hours and a step (the weight of row 2) other than 0 the list is
/// a, a + step, ... up to e (a, e the smaller and larger hour); otherwise the defaults.
[[nodiscard]] MeanHourInput ReadMeanHourInput(const Model& model);

/// Method 1 (mean of pairs): morningLoop and afternoonLoop with their grids. StrGridEin is rewritten:
/// "Zeit"/"Diff" headers, first and last hour in rows 1 and 2, the step in row 2 of columns 2 and 4, every
/// hour as h:mm from row 5. Error kErrorLoopHours with a message "Tabelle fehlerhaft ..." (error icon)
/// when a list has fewer than 2 or more than 30 hours or its first and last hour read alike, and
/// kErrorLoopHours without message (and StrGridEin as it was) for a cell that is no number.
[[nodiscard]] DoubleAnalemmaResult MeanOfPairsLoops(const Model& model, Host& host);

/// The mean-of-pairs position of one date for the hours of `list` (at least 2): the exact two-hour
/// positions (X_kl, Y_kl) of every ordered pair k != l averaged with the weights |cos psi_k| for x and
/// sin psi_k for y, psi_k the direction of the shadow line at hour k:
///   tau = ((T - 12) 15 + E) in radians; psi = 0 when |tau| < 1e-10; else
///   g = (S cos tau - cos(L - z) tanG(d)) / sin tau / cosG, psi = sign(tau) pi/2 when |g| < 1e-10, else
///   arctan(1/g) (plus pi when negative), negated when tau < 0.
/// Where all weights of a coordinate vanish, the plain mean is taken. insideFlag is that of the last pair.
struct MeanPosition {
    DialPoint position;
    std::uint8_t insideFlag = 1;
};
[[nodiscard]] MeanPosition MeanOfPairsPosition(const LoopGeometry& g, double declDeg, double eotDeg,
                                               const HourList& list);

/// Methods 2 to 4: per half the hours of StrGridEin columns 1 and 3 (rows up to the first empty cell,
/// below row 72; limited to 4..12 and 12..21; only the first 20 are used) with the weights of columns 2
/// and 4; with fewer than 2 hours, or with the default switch, 8..11 and 13..17 with weight 1.
struct SearchHourInput {
    bool conversionError = false;
    HourList morning;
    HourList afternoon;
};
[[nodiscard]] SearchHourInput ReadSearchHourInput(const Model& model);

/// Methods 2 to 4 (`item`): morningLoopOptimised and afternoonLoopOptimised with their grids; shows the
/// progress (24 steps: one per month and half). StrGridEin is rewritten with the hours and weights used.
/// Error kErrorLoopHours (StrGridEin as it was) for a cell that is no number.
[[nodiscard]] DoubleAnalemmaResult OptimisedLoops(const Model& model, Host& host, int item);

/// One optimised loop with its statistics and the obliquity of its last noon data.
struct OptimisedLoop {
    LoopTable table{};
    LoopErrorStatistics statistics{};
    double obliquityDeg = 0;
};

/// One half of OptimisedLoops: every row's label, noon data, start at the analemma point, insideFlag and,
/// inside the dial, GridSearch; one progress step after each month's rows; then its grids (ShowLoop).
[[nodiscard]] OptimisedLoop LoopOptimise(LoopGrids& grids, const Model& model, Host& host, int item, DayHalf half,
                                         const HourList& list);

/// The search grid: N = 32 with the fine search, else 18; h = N div 2; B = 4.6 N; the steps of the three
/// passes M / B, M / (B 0.965 h) and M / (B 0.935 h^2).
struct SearchSteps {
    int n = 18;
    int h = 9;
    std::array<double, 3> step{};
};
[[nodiscard]] SearchSteps GridSearchSteps(double semiMajorAxis, bool fineSearch);

/// One row made ready for the search: the hours evaluated for every candidate with their weights. An hour
/// within the day, |HalfDayLength(d)| >= |T - 12|, is evaluated as it is; the first hour outside the day is
/// replaced by 12 + trunc(half day) (afternoon hours) or 12 - trunc(half day); further hours outside the
/// day are left out. On a date without sunrise no hour is evaluated; on one without sunset every hour is.
struct SearchRow {
    HourErrorDate date;
    int count = 0;
    std::array<HourErrorHour, kMaxSearchHours> hours{};
    std::array<double, kMaxSearchHours> weights{};
};
[[nodiscard]] SearchRow MakeSearchRow(const LoopGeometry& g, const HourList& list, double declDeg, double eotDeg);

/// The criterion of one candidate (x, y): over the hours with a result, item 2 the largest |e|, item 3
/// sum |w e| / sum w, item 4 sqrt(sum w e^2 / sum w); 1 000 000 when sum w is 0.
[[nodiscard]] double SearchCriterion(const SearchRow& row, int item, double x, double y);

/// The value no candidate has to beat: a criterion must be strictly smaller to count.
constexpr double kNoCriterion = 1000000;

/// One pass of the search around `centre`: the candidates (i - h) step + x, (j - h) step + y for
/// i = 1..N (outer), j = 1..N (inner); a candidate replaces the best only when its criterion is strictly
/// smaller than |best| (ties keep the earlier one). Returns the best candidate of the search so far, the
/// centre when none improved on `best`.
[[nodiscard]] DialPoint GridSearchPass(const SearchRow& row, int item, int n, int h, double step, DialPoint centre,
                                       double& best);

/// Refines the position of one row in place by the three passes. Rows whose hours yield no criterion keep
/// their position.
void GridSearch(const LoopGeometry& g, int item, bool fineSearch, const HourList& list, tUmbrixPoint& row);

} // namespace umbrix
