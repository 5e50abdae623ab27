// The body-height planner: its cells against a hand computation, and its recommendation against dials
// recalculated in full at the recommended semi-major axis and one centimetre above it.

#include "core/loops.h"
#include "core/reach_planner.h"
#include "tests/core/calculated_dial.h"
#include "tests/core/independent_dial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace umbrix;
using namespace umbrix::independent;

namespace {

int CellsReached(const ReachMap& map)
{
    int reached = 0;
    for (const auto& row : map.ratio)
        for (const std::optional<double>& cell : row)
            reached += cell && *cell >= 1 ? 1 : 0;
    return reached;
}

int CellsWithValue(const ReachMap& map)
{
    int count = 0;
    for (const auto& row : map.ratio)
        for (const std::optional<double>& cell : row)
            count += cell ? 1 : 0;
    return count;
}

/// The dial at the recommendation reaches at least the share asked for, the dial 0.01 larger less; both
/// calculated in full by the driver.
void ExpectRecommendationHolds(int type, const std::function<void(Model&)>& adjust, const ReachOptions& options)
{
    const auto m = CalculatedDial(type, adjust);
    const ReachMap map = ComputeReachMap(m->params, m->state, m->results, options);
    ASSERT_TRUE(map.recommendedSemiMajorAxis);
    const double recommended = *map.recommendedSemiMajorAxis;
    for (const double a : {recommended, recommended + 0.01}) {
        const auto resized = CalculatedDial(type, [&](Model& m) {
            adjust(m);
            m.params.semiMajorAxis = a;
        });
        const ReachMap at = ComputeReachMap(resized->params, resized->state, resized->results, options);
        const int count = CellsWithValue(at);
        ASSERT_EQ(count, map.count) << a;
        const int reached = CellsReached(at);
        if (a == recommended)
            EXPECT_GE(reached, options.reachCoverage * count - 1e-9) << type << " at " << a;
        else
            EXPECT_LT(reached, options.reachCoverage * count - 1e-9) << type << " at " << a;
    }
}

void NoAdjustment(Model&) {}

} // namespace

TEST(ReachPlanner, RecommendationHoldsWhenTheDialIsRecalculatedInFull)
{
    for (const double coverage : {0.9, 0.5, 1.0})
        ExpectRecommendationHolds(0, NoAdjustment, {1.7, coverage});
    ExpectRecommendationHolds(0, NoAdjustment, {1.1, 0.9});
    ExpectRecommendationHolds(6, NoAdjustment, {1.3, 0.8});
    ExpectRecommendationHolds(6,
                              [](Model& m) {
                                  m.params.latitude = 52.5;
                                  m.params.marksMode = MarksMode::DoubleAnalemma;
                                  m.state.doubleAnalemmaActive = true;
                                  m.params.doubleAnalemmaMethod = DoubleAnalemmaMethod::ExactAtTwoHours;
                              },
                              {1.2, 0.9});
}

// A cell by hand: the shadow of a person standing on the mark of 21 June, at 9 h of apparent time, against
// the distance to the 9 o'clock point; night cells have no value; the split dial's afternoon reads its
// afternoon loop.
TEST(ReachPlanner, CellsByHand)
{
    const auto m = CalculatedDial(0);
    const DialParameters& p = m->params;
    const ReachMap map = ComputeReachMap(p, m->state, m->results, {1.7, 0.9});
    ASSERT_EQ(map.hours.front(), 5);
    ASSERT_EQ(map.dates.size(), 36u);
    const std::size_t june21 = 18;
    ASSERT_EQ(map.dates[june21], m->results.dateMarks[june21 + 1].label);
    const double day = DayOfYear(p.year, 6, 21);
    const IndependentSun sun = SunAtUt(p, p.year, day, UtOfDialTime(p, day, 9));
    const V s = SunVector(sun.hourAngleDeg, sun.declinationDeg, p.latitude);
    const double shadow = 1.7 * std::sqrt(1 - s.u * s.u) / s.u;
    const V point = EquatorPoint(-45, p.latitude, p.semiMajorAxis); // level dial, upright gnomon: drop the height
    const tUmbrixPoint& mark = m->results.dateMarks[june21 + 1];
    const double distance = std::hypot(point.e - mark.x, point.n - mark.y);
    ASSERT_TRUE(map.ratio[june21][4]);
    EXPECT_NEAR(*map.ratio[june21][4], shadow / distance, 1e-9);
    EXPECT_FALSE(map.ratio[0][0]);     // 21 December, 5 h: night
    EXPECT_FALSE(map.ratio[0].back()); // 21 h
    EXPECT_EQ(map.count, CellsWithValue(map));
    EXPECT_EQ(map.reached, CellsReached(map));
    EXPECT_DOUBLE_EQ(*map.coverage, static_cast<double>(map.reached) / map.count);

    const auto split = CalculatedSplitDial();
    const ReachMap halves = ComputeReachMap(split->params, split->state, split->results, {1.7, 0.9});
    const DialParameters& q = split->params;
    ASSERT_FALSE(q.showZoneTime);
    const tUmbrixPoint& pm = (*CurrentLoops(*split).afternoon)[15]; // 21 May: rows 1, 11, 21 of every month
    const double may21 = DayOfYear(q.year, 5, 21);
    const IndependentSun late = SunAtUt(q, q.year, may21, UtOfDialTime(q, may21, 15));
    const V sl = SunVector(late.hourAngleDeg, late.declinationDeg, q.latitude);
    const V p15 = EquatorPoint(45, q.latitude, q.semiMajorAxis);
    const std::size_t column = 15 - 5;
    ASSERT_TRUE(halves.ratio[14][column]);
    EXPECT_NEAR(*halves.ratio[14][column],
                1.7 * std::sqrt(1 - sl.u * sl.u) / sl.u / std::hypot(p15.e - pm.x, p15.n - pm.y), 1e-9);
}

// Ratios are written up to 1000; a recommendation of a semi-major axis the check refuses (not above 1) says
// so, and the same dial in centimetres takes it.
TEST(ReachPlanner, CapAndRefusedRecommendation)
{
    const auto tiny = CalculatedDial(0, [](Model& m) { m.params.semiMajorAxis = 0.0005; });
    const ReachMap capped = ComputeReachMap(tiny->params, tiny->state, tiny->results, {1.7, 0.9});
    int atCap = 0;
    for (const auto& row : capped.ratio)
        for (const std::optional<double>& cell : row) {
            EXPECT_TRUE(!cell || *cell <= kMaxReachRatio);
            atCap += cell && *cell == kMaxReachRatio ? 1 : 0;
        }
    EXPECT_GT(atCap, 10);

    const auto metres = CalculatedDial(0);
    const ReachMap small = ComputeReachMap(metres->params, metres->state, metres->results, {0.3, 0.9});
    ASSERT_TRUE(small.recommendedSemiMajorAxis);
    EXPECT_LE(*small.recommendedSemiMajorAxis, 1);
    EXPECT_TRUE(small.recommendationRefused);
    const auto centimetres = CalculatedDial(0, [](Model& m) {
        m.params.semiMajorAxis = 275;
        m.params.gnomonHeight = 170;
    });
    const ReachMap cm = ComputeReachMap(centimetres->params, centimetres->state, centimetres->results, {30, 0.9});
    ASSERT_TRUE(cm.recommendedSemiMajorAxis);
    EXPECT_FALSE(cm.recommendationRefused);
    EXPECT_NEAR(*cm.recommendedSemiMajorAxis, 100 * *small.recommendedSemiMajorAxis, 1.0);
    EXPECT_EQ(cm.reached, small.reached);
}

// Types other than 0 and 6, and inputs the checks refuse, give an empty map.
TEST(ReachPlanner, OnlyForItsDialsAndValidInputs)
{
    for (int type = 0; type < kDialTypeCount; ++type) {
        const auto m = CalculatedDial(type);
        const ReachMap map = ComputeReachMap(m->params, m->state, m->results, {1.7, 0.9});
        EXPECT_EQ(ReachPlannerApplies(m->params), type == 0 || type == 6) << type;
        EXPECT_EQ(map.ratio.empty(), !(type == 0 || type == 6)) << type;
    }
    const auto m = CalculatedDial(0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const ReachOptions& bad : {ReachOptions{0.05, 0.9}, ReachOptions{nan, 0.9}, ReachOptions{1.7, 0},
                                    ReachOptions{1.7, 1.01}, ReachOptions{1.7, nan}}) {
        const ReachMap map = ComputeReachMap(m->params, m->state, m->results, bad);
        EXPECT_TRUE(map.ratio.empty());
        EXPECT_FALSE(map.coverage || map.recommendedSemiMajorAxis);
    }
    DialParameters polar = m->params;
    polar.latitude = nan;
    const ReachMap none = ComputeReachMap(polar, m->state, m->results, {1.7, 0.9});
    EXPECT_FALSE(none.coverage || none.recommendedSemiMajorAxis);
}

// The gnomon's own height against its dial: a 40 cm table dial (cm) with the 1.7 default reaches too few
// hour marks and is told the height that reaches 90 %; that height reaches at least 90 % of the planner's
// cells and a centimetre less does not; a gnomon of that height raises no warning.
TEST(GnomonHeightCheck, ShortGnomonOnASmallDialIsToldTheHeightThatWorks)
{
    const auto table = [](double gnomon) {
        return CalculatedDial(0, [gnomon](Model& m) {
            m.params.latitude = 40.42;
            m.params.longitude = 3.70;
            m.params.lengthUnit = LengthUnit::Centimetre;
            m.params.semiMajorAxis = 20;
            m.params.gnomonHeight = gnomon;
        });
    };
    const auto shortOne = table(1.7);
    const std::optional<GnomonHeightCheck> check =
        CheckGnomonHeight(shortOne->params, shortOne->state, shortOne->results);
    ASSERT_TRUE(check);
    EXPECT_TRUE(check->tooShort);
    EXPECT_LT(check->coverage, kGnomonWarnCoverage);
    const double h = check->heightFor90;
    EXPECT_EQ(h, std::round(h * 100) / 100);
    const auto coverageAt = [&](double height) {
        return *ComputeReachMap(shortOne->params, shortOne->state, shortOne->results, {height, 0.9}).coverage;
    };
    EXPECT_GE(coverageAt(h), kGnomonAimCoverage);
    EXPECT_LT(coverageAt(h - 0.01), kGnomonAimCoverage);
    const auto tall = table(h);
    const std::optional<GnomonHeightCheck> fine = CheckGnomonHeight(tall->params, tall->state, tall->results);
    ASSERT_TRUE(fine);
    EXPECT_FALSE(fine->tooShort);
    EXPECT_GE(fine->coverage, kGnomonAimCoverage);
    // The planner does not apply to the vertical dial: no check.
    const auto wall = CalculatedDial(4);
    EXPECT_FALSE(CheckGnomonHeight(wall->params, wall->state, wall->results));
}
