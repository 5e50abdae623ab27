// Summer time: the period and its rules, the daylight-saving hour rings against the dial recalculated at the
// ring's scale, the inner ring's reading against the outer one and against an independent computation,
// and the rows and heading of the summer-time table.

#include "core/date_scale.h"
#include "core/dst_ring.h"
#include "core/simulation.h"
#include "core/summer_time.h"
#include "tests/core/calculated_dial.h"
#include "tests/core/independent_dial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace umbrix;
using namespace umbrix::independent;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

DstOptions Ring(int ring, double offsetHours = 1, double scale = 0.8)
{
    DstOptions dst;
    dst.ring = static_cast<DstRingKind>(ring);
    dst.offsetHours = offsetHours;
    dst.ringScale = scale;
    return dst;
}

std::string Text(DayMonth d)
{
    return std::to_string(d.day) + "/" + std::to_string(d.month);
}

void AdjustTiltedGnomon(Model& m)
{
    m.params.gnomonInclination = 20;
    m.params.gnomonDeviation = 30;
}

} // namespace

TEST(SummerTime, EuropeanRuleAndPeriods)
{
    EXPECT_EQ(Text(EuropeanSummerTime(2015).start), "29/3");
    EXPECT_EQ(Text(EuropeanSummerTime(2015).end), "25/10");
    EXPECT_EQ(Text(EuropeanSummerTime(2024).start), "31/3");
    EXPECT_EQ(Text(EuropeanSummerTime(2024).end), "27/10");
    EXPECT_EQ(Text(EuropeanSummerTime(1700).start), "28/3"); // Gregorian: 28 March 1700 was a Sunday
    // Both ends belong to the period; a start after the end wraps over the new year.
    const SummerTimePeriod europe{{29, 3}, {25, 10}};
    EXPECT_FALSE(InSummerTime(europe, {28, 3}));
    EXPECT_TRUE(InSummerTime(europe, {29, 3}));
    EXPECT_TRUE(InSummerTime(europe, {25, 10}));
    EXPECT_FALSE(InSummerTime(europe, {26, 10}));
    const SummerTimePeriod south{{4, 10}, {5, 4}};
    EXPECT_TRUE(InSummerTime(south, {4, 10}));
    EXPECT_TRUE(InSummerTime(south, {31, 12}));
    EXPECT_TRUE(InSummerTime(south, {5, 4}));
    EXPECT_FALSE(InSummerTime(south, {6, 4}));
    EXPECT_FALSE(InSummerTime(south, {3, 10}));
    EXPECT_TRUE(InSummerTime({{1, 6}, {1, 6}}, {1, 6}));
    // An end that is set replaces the rule's date for that end only; a date that does not exist is refused.
    DstOptions dst;
    dst.end = DayMonth{30, 9};
    const std::optional<SummerTimePeriod> mixed = SummerTimePeriodOf(dst, -15, 2015);
    ASSERT_TRUE(mixed);
    EXPECT_EQ(Text(mixed->start), "29/3");
    EXPECT_EQ(Text(mixed->end), "30/9");
    dst.start = DayMonth{31, 4};
    EXPECT_FALSE(SummerTimePeriodOf(dst, -15, 2015));
    dst.start = DayMonth{29, 2};
    EXPECT_TRUE(SummerTimePeriodOf(dst, -15, 2015));
}

TEST(SummerTime, OffsetsScalesAndClockTimes)
{
    for (const double ok : {-2.0, -1.5, -0.5, 0.5, 1.0, 2.0})
        EXPECT_TRUE(IsValidDstOffset(ok)) << ok;
    for (const double bad : {0.0, -0.0, 2.5, -2.5, 0.3, 1.25, kNaN, std::numeric_limits<double>::infinity()})
        EXPECT_FALSE(IsValidDstOffset(bad)) << bad;
    EXPECT_TRUE(IsValidDstRingScale(0.5));
    EXPECT_TRUE(IsValidDstRingScale(0.95));
    EXPECT_FALSE(IsValidDstRingScale(0.96));
    EXPECT_FALSE(IsValidDstRingScale(kNaN));
    const DstOptions dst;
    EXPECT_DOUBLE_EQ(*SummerTimeAt(dst, -15, 2015, {1, 7}, 23.5), 0.5);
    EXPECT_FALSE(SummerTimeAt(dst, -15, 2015, {1, 12}, 12));
    EXPECT_FALSE(SummerTimeAt(dst, -15, 2015, {1, 7}, kNaN));
    EXPECT_DOUBLE_EQ(DstLabelHours(1, -2), 23);
    EXPECT_DOUBLE_EQ(ReduceHours24(-1e-18), 0);
}

TEST(DstRing, WhichDialsMayCarryWhichRing)
{
    for (int type = 0; type < kDialTypeCount; ++type) {
        const auto m = CalculatedDial(type);
        EXPECT_TRUE(DstRingAllowed(m->params, DstRingKind::SecondLabels)) << type;
        EXPECT_EQ(DstRingAllowed(m->params, DstRingKind::InnerRing), type == 0 || type == 1 || type == 6) << type;
        EXPECT_FALSE(DstRingAllowed(m->params, static_cast<DstRingKind>(3))) << type;
        EXPECT_EQ(ComputeDstRing(m->params, m->state, m->results, Ring(2)).has_value(),
                  type == 0 || type == 1 || type == 6)
            << type;
        EXPECT_FALSE(ComputeDstRing(m->params, m->state, m->results, Ring(0)));
    }
    const auto split = CalculatedSplitDial();
    EXPECT_FALSE(DstRingAllowed(split->params, DstRingKind::InnerRing));
    // The inner ring is drawn only where it is asked for and allowed; elsewhere a ring 2 draws nothing.
    for (int type = 0; type < kDialTypeCount; ++type) {
        DialParameters p = CalculatedDial(type)->params;
        for (const int ring : {0, 1, 2}) {
            p.dst.ring = static_cast<DstRingKind>(ring);
            EXPECT_EQ(DrawsInnerDstRing(p), ring == 2 && (type == 0 || type == 1 || type == 6)) << type << ring;
        }
    }
    DialParameters splitRing = split->params;
    splitRing.dst.ring = DstRingKind::InnerRing;
    EXPECT_FALSE(DrawsInnerDstRing(splitRing));
    EXPECT_TRUE(ComputeDstRing(split->params, split->state, split->results, Ring(1)));
    // Options that are not valid give no ring.
    const auto m = CalculatedDial(0);
    EXPECT_FALSE(ComputeDstRing(m->params, m->state, m->results, Ring(2, 1, 0.4)));
    EXPECT_FALSE(ComputeDstRing(m->params, m->state, m->results, Ring(1, 0)));
    DstOptions badDate = Ring(2);
    badDate.end = DayMonth{0, 10};
    EXPECT_FALSE(ComputeDstRing(m->params, m->state, m->results, badDate));
}

// Ring 1: the hour points in place, a second label each (modulo 24); the fixed-gnomon dial's on every line.
TEST(DstRing, SecondLabelsKeepTheirPlaces)
{
    const auto m = CalculatedDial(0);
    const std::optional<DstRing> ring = ComputeDstRing(m->params, m->state, m->results, Ring(1, -1.5));
    ASSERT_TRUE(ring);
    ASSERT_EQ(static_cast<int>(ring->hourPoints.size()), m->results.hourPointCount);
    for (std::size_t k = 0; k < ring->hourPoints.size(); ++k) {
        const HourPoint& outer = m->results.hourPoints[k + 1];
        EXPECT_EQ(ring->hourPoints[k].x, outer.x);
        EXPECT_EQ(ring->hourPoints[k].y, outer.y);
        EXPECT_DOUBLE_EQ(ring->hourPoints[k].time, std::fmod(outer.time - 1.5 + 24, 24));
    }
    EXPECT_TRUE(ring->dateMarks.empty());
    const auto fixed = CalculatedDial(7);
    const std::optional<DstRing> lines = ComputeDstRing(fixed->params, fixed->state, fixed->results, Ring(1));
    ASSERT_TRUE(lines);
    EXPECT_EQ(static_cast<int>(lines->hourPoints.size()),
              fixed->results.fixedDateLineCount * fixed->results.fixedHourPointCount);
    const FixedHourPoint& first = fixed->results.fixedHourPoints[1][1];
    EXPECT_EQ(lines->hourPoints[0].x, first.x);
    EXPECT_DOUBLE_EQ(lines->hourPoints[0].time, fixed->state.hourFrom + 1);
}

// The inner 13:00 point is the ring scale times the outer 12:00 point, with and without zone time.
TEST(DstRing, InnerOneOClockIsTheScaledOuterNoon)
{
    for (const bool zoneTime : {false, true}) {
        const auto m = CalculatedDial(0, [zoneTime](Model& m) { m.params.showZoneTime = zoneTime; });
        const std::optional<DstRing> ring = ComputeDstRing(m->params, m->state, m->results, Ring(2, 1, 0.8));
        ASSERT_TRUE(ring);
        const double a = m->params.semiMajorAxis;
        int found = 0;
        for (std::size_t k = 0; k < ring->hourPoints.size(); ++k) {
            const HourPoint& outer = m->results.hourPoints[k + 1];
            if (outer.time != 12)
                continue;
            ++found;
            EXPECT_EQ(ring->hourPoints[k].time, 13);
            EXPECT_NEAR(ring->hourPoints[k].x, 0.8 * outer.x, 1e-12 * a);
            EXPECT_NEAR(ring->hourPoints[k].y, 0.8 * outer.y, 1e-12 * a);
        }
        EXPECT_EQ(found, 1);
        if (zoneTime) {
            EXPECT_GT(std::abs(ring->hourPoints[14].x), 0.1); // the zone correction moves noon off the axis
        }
    }
}

// Ring 2 is the same dial at the ring's scale: every inner point equals the point of the dial recalculated
// in full with semiMajorAxis times the scale.
TEST(DstRing, InnerRingIsTheDialRecalculatedAtTheRingScale)
{
    for (const int type : {0, 1, 6}) {
        const auto adjust = [type](Model& m) {
            if (type == 1)
                AdjustTiltedGnomon(m);
        };
        const auto m = CalculatedDial(type, adjust);
        const auto small = CalculatedDial(type, [&](Model& m) {
            adjust(m);
            m.params.semiMajorAxis *= 0.75;
        });
        const std::optional<DstRing> ring = ComputeDstRing(m->params, m->state, m->results, Ring(2, 0.5, 0.75));
        ASSERT_TRUE(ring);
        const double a = m->params.semiMajorAxis;
        for (std::size_t k = 0; k < ring->hourPoints.size(); ++k) {
            EXPECT_NEAR(ring->hourPoints[k].x, small->results.hourPoints[k + 1].x, 1e-12 * a);
            EXPECT_NEAR(ring->hourPoints[k].y, small->results.hourPoints[k + 1].y, 1e-12 * a);
            EXPECT_DOUBLE_EQ(ring->hourPoints[k].time, small->results.hourPoints[k + 1].time + 0.5);
        }
        // The days whose noon is summer time, 29 March .. 24 October 2015 (the clocks go back at 01:00 UTC on
        // 25 October): the two ends, and the marks of 1 April .. 21 October.
        ASSERT_EQ(ring->dateMarks.size(), 2u + 21u);
        EXPECT_EQ(ring->dateMarks.front().label, DateMarkOn(m->params, m->state, 2015, {29, 3}).label);
        EXPECT_EQ(ring->dateMarks.back().label, DateMarkOn(m->params, m->state, 2015, {24, 10}).label);
        EXPECT_EQ(ring->dateMarks[1].label, m->results.dateMarks[11].label); // 1 April
        for (const tUmbrixPoint& inner : ring->dateMarks) {
            const tUmbrixPoint* outer = nullptr;
            for (std::size_t s = 1; !small->results.dateMarks[s].label.empty(); ++s)
                outer = small->results.dateMarks[s].label == inner.label ? &small->results.dateMarks[s] : outer;
            const tUmbrixPoint expected =
                outer ? *outer
                      : DateMarkOn(small->params, small->state, 2015,
                                   inner.label.rfind("29.", 0) == 0 ? DayMonth{29, 3} : DayMonth{24, 10});
            EXPECT_NEAR(inner.x, expected.x, 1e-12 * a) << inner.label;
            EXPECT_NEAR(inner.y, expected.y, 1e-12 * a) << inner.label;
            EXPECT_EQ(inner.declination, expected.declination) << inner.label;
        }
        EXPECT_EQ(ring->labelsOpposite, type != 1);
    }
}

// The inner date scale over the turn of the year, with a mark on an end of the period listed once.
TEST(DstRing, InnerDateScaleOfASouthernPeriod)
{
    const auto m = CalculatedDial(0, [](Model& m) {
        m.params.latitude = -33.9;
        m.params.longitude = -18.4;
        m.params.zoneMeridian = -30;
    });
    DstOptions dst = Ring(2);
    dst.start = DayMonth{1, 10};
    dst.end = DayMonth{5, 4};
    const std::optional<DstRing> ring = ComputeDstRing(m->params, m->state, m->results, dst);
    ASSERT_TRUE(ring);
    std::string labels;
    for (const tUmbrixPoint& mark : ring->dateMarks)
        labels += mark.label + "|";
    EXPECT_EQ(labels, "01.Okt |11.Okt |21.Okt |01.Nov |11.Nov |21.Nov |01.Dez |11.Dez |21.Dez |01.Jan |11.Jan |"
                      "21.Jan |01.Feb |11.Feb |21.Feb |01.Mrz |11.Mrz |21.Mrz |01.Apr |05.Apr |");
    // Each mark carries its calendar date, which decides the side of its label.
    ASSERT_EQ(ring->dateMarkDates.size(), ring->dateMarks.size());
    EXPECT_EQ(Text(ring->dateMarkDates.front()), "1/10");
    EXPECT_EQ(Text(ring->dateMarkDates[9]), "1/1");
    EXPECT_EQ(Text(ring->dateMarkDates.back()), "5/4");
}

// The same shadow read on the inner ring, the gnomon on the inner date scale, shows the outer reading plus
// the offset; an independent computation of the smaller dial agrees.
TEST(DstRing, InnerReadingIsTheOuterReadingPlusTheOffset)
{
    for (const int type : {0, 1, 6}) {
        const auto m = CalculatedDial(type, [type](Model& m) {
            if (type == 1)
                AdjustTiltedGnomon(m);
        });
        const DialParameters& p = m->params;
        const Solid s = SolidOf(p);
        const double scale = 0.85;
        for (const Instant& t : {Instant{2015, 6, 15, 9 + 10 / 60.0}, Instant{2015, 8, 1, 13 + 40 / 60.0},
                                 Instant{2015, 9, 10, 17 + 25 / 60.0}}) {
            const std::optional<Simulation> sim = Simulate(p, m->state, m->results, t, Ring(2, 1.5, scale));
            ASSERT_TRUE(sim && sim->reading && sim->dstRingReading && sim->summerTime) << type;
            EXPECT_NEAR((*sim->dstRingReading - *sim->reading) * 60, 90, 0.001) << type << " " << t.month;
            const auto curve = [&](double hDeg) {
                return Along(s, EquatorPoint(hDeg, p.latitude, scale * p.semiMajorAxis));
            };
            const IndependentReading inner =
                ReadIndependently(*m, s, scale * sim->gnomon.x, scale * sim->gnomon.y, t.year,
                                  DayOfYear(t.year, t.month, t.day), t.zoneHours + p.zoneMeridian / 15, 1, curve);
            ASSERT_TRUE(inner.reading);
            EXPECT_NEAR((*sim->dstRingReading - 1.5 - *inner.reading) * 60, 0, 0.01) << type << " " << t.month;
        }
    }
    // Without ring 2 there is no inner reading.
    const auto m = CalculatedDial(0);
    EXPECT_FALSE(Simulate(m->params, m->state, m->results, {2015, 7, 1, 10}, Ring(1))->dstRingReading);
}

TEST(DstRing, TableRowsAndHeading)
{
    const auto m = CalculatedDial(6);
    const std::optional<DstRing> ring = ComputeDstRing(m->params, m->state, m->results, Ring(2, -0.5));
    ASSERT_TRUE(ring);
    const std::vector<DstTableRow> rows = DstTableRows(*ring);
    ASSERT_EQ(rows.size(), ring->hourPoints.size() + ring->dateMarks.size());
    EXPECT_EQ(rows.front().kind, "dst-hour");
    EXPECT_EQ(rows.front().label, "04:30"); // 5:00 less half an hour
    EXPECT_DOUBLE_EQ(*rows.front().time, 4.5);
    EXPECT_EQ(rows.back().kind, "dst-date");
    EXPECT_EQ(rows.back().label, ring->dateMarks.back().label);
    EXPECT_FALSE(rows.back().time);
    EXPECT_EQ(rows.back().x, ring->dateMarks.back().x);
    // The labels on the dial: the hour alone when whole, else hours and minutes; wrapped over midnight.
    EXPECT_EQ(DstHourLabel(DstLabelHours(12, 1)), "13");
    EXPECT_EQ(DstHourLabel(DstLabelHours(12, 1.5)), "13:30");
    EXPECT_EQ(DstHourLabel(DstLabelHours(9, -0.5)), "8:30");
    EXPECT_EQ(DstHourLabel(DstLabelHours(23, 1.5)), "0:30");
    EXPECT_EQ(DstHourLabel(DstLabelHours(22, 2)), "0");
    EXPECT_EQ(DstHourLabel(12 + 1 / 6.0), "12:10");
    EXPECT_EQ(DstHourLabel(23.9999999), "0");
    EXPECT_EQ(DstHourLabel(kNaN), "");
    EXPECT_EQ(DstHeading(StateFor(Language::German), 1), "Sommerzeit = Zonenzeit + 1 h");
    EXPECT_EQ(DstHeading(StateFor(Language::English), -0.5), "Summer time = zone time - 0.5 h");
    EXPECT_EQ(DstHeading(StateFor(Language::English), 2), "Summer time = zone time + 2 h");
}
