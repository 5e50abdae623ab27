#include "core/reach_planner.h"

#include "core/accuracy.h"
#include "core/dial_geometry.h"
#include "core/numeric.h"
#include "core/reading.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace umbrix {

namespace {

constexpr double kCentimetresPerUnit = 100; // two decimals of the length unit
// ceil(coverage N) of a product that should be whole but lies a rounding above it (0.9 * 30).
constexpr double kCountRounding = 1e-9;

} // namespace

bool ReachPlannerApplies(const DialParameters& p)
{
    return p.type() == DialType::Horizontal || p.type() == DialType::MeanTime;
}

bool IsValidBodyHeight(double bodyHeight)
{
    return bodyHeight > kMinBodyHeight && bodyHeight <= kMaxBodyHeight;
}

bool IsValidReachCoverage(double coverage)
{
    return coverage > 0 && coverage <= 1;
}

ReachMap ComputeReachMap(const DialParameters& p, const SharedState& s, const Results& r, const ReachOptions& options)
{
    ReachMap map;
    const double a = p.semiMajorAxis;
    if (!ReachPlannerApplies(p) || !IsValidBodyHeight(options.bodyHeight) ||
        !IsValidReachCoverage(options.reachCoverage) || !(a > 0) || !std::isfinite(a))
        return map;
    const std::optional<ReadingDial> dial = MakeReadingDial(p, s);
    if (!dial)
        return map;
    for (int h = s.hourFrom; h <= s.hourTo; ++h)
        map.hours.push_back(h);

    std::vector<double> reach; // ratio a of every cell with a value
    for (const AccuracyRow& row : AccuracyRows(p, r)) {
        map.dates.push_back(row.label);
        std::vector<std::optional<double>>& cells = map.ratio.emplace_back();
        for (const int h : map.hours) {
            std::optional<double>& cell = cells.emplace_back();
            const SolarInstant sun = SunAtDialTime(dial->clock, p.year, row.dayOfYear, h);
            const Vec3 direction = SunDirection(sun.hourAngleDeg, sun.declinationDeg, p.latitude);
            if (!(direction.up > 0))
                continue;
            const double altitudeDeg = std::asin(std::min(direction.up, 1.0)) / degToRad;
            const double shadowLength = options.bodyHeight / std::tan(altitudeDeg * degToRad);
            const GnomonPlacement& placement = PlacementAt(row, h);
            const DialPoint mark = HourCurvePoint(placement.curve, (h - 12) * 15 + dial->zoneCorrectionDeg);
            const double distance = std::hypot(mark.x - placement.foot.x, mark.y - placement.foot.y);
            const double ratio = shadowLength / distance; // a person on the hour point: infinite
            if (std::isnan(ratio))
                continue;
            cell = std::min(ratio, kMaxReachRatio);
            reach.push_back(*cell * a);
            ++map.count;
            map.reached += *cell >= 1 ? 1 : 0;
        }
    }
    if (map.count == 0)
        return map;
    map.coverage = static_cast<double>(map.reached) / map.count;
    const auto wanted = static_cast<std::size_t>(
        std::clamp(std::ceil(options.reachCoverage * map.count - kCountRounding), 1.0, static_cast<double>(map.count)));
    std::nth_element(reach.begin(), reach.begin() + static_cast<std::ptrdiff_t>(wanted - 1), reach.end(),
                     std::greater<>());
    const double q = reach[wanted - 1];
    const double recommended = std::floor(kCentimetresPerUnit * q) / kCentimetresPerUnit;
    if (std::isfinite(recommended)) {
        map.recommendedSemiMajorAxis = recommended;
        map.recommendationRefused = !(recommended > kMinSemiMajorAxis);
    }
    return map;
}

std::optional<GnomonHeightCheck> CheckGnomonHeight(const DialParameters& p, const SharedState& s, const Results& r)
{
    const ReachMap map = ComputeReachMap(p, s, r, {p.gnomonHeight, kGnomonAimCoverage});
    if (!map.coverage || map.count == 0)
        return std::nullopt;
    // A cell's shadow grows with the height: it reaches at gnomonHeight / ratio.
    std::vector<double> needed;
    for (const std::vector<std::optional<double>>& row : map.ratio)
        for (const std::optional<double>& cell : row)
            if (cell)
                needed.push_back(*cell > 0 ? p.gnomonHeight / *cell : std::numeric_limits<double>::infinity());
    const auto wanted = static_cast<std::size_t>(std::clamp(
        std::ceil(kGnomonAimCoverage * static_cast<double>(needed.size()) - kCountRounding), 1.0,
        static_cast<double>(needed.size())));
    std::nth_element(needed.begin(), needed.begin() + static_cast<std::ptrdiff_t>(wanted - 1), needed.end());
    GnomonHeightCheck check;
    check.coverage = *map.coverage;
    check.heightFor90 = std::ceil(kCentimetresPerUnit * needed[wanted - 1] - kCountRounding) / kCentimetresPerUnit;
    check.tooShort = check.coverage < kGnomonWarnCoverage;
    if (!std::isfinite(check.heightFor90))
        return std::nullopt;
    return check;
}

} // namespace umbrix
