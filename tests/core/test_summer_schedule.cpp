// The summer time of a year under each rule: the switch instants, periods across the new year, the days
// whose noon is summer time, and the defaults that keep older files as they were.

#include "core/summer_time.h"

#include <gtest/gtest.h>

namespace umbrix {
namespace {

constexpr double kCetMeridian = -15; // UTC+1, west positive

std::optional<double> At(const DstOptions& dst, int year, DayMonth date, double zoneHours)
{
    return SummerOffsetAt(ScheduleOf(dst, kCetMeridian, year), date, zoneHours);
}

std::string Text(const std::optional<SummerTimePeriod>& p)
{
    if (!p)
        return "none";
    return std::to_string(p->start.day) + "/" + std::to_string(p->start.month) + "-" + std::to_string(p->end.day) +
           "/" + std::to_string(p->end.month);
}

TEST(SummerSchedule, EuRuleSwitchesAtOneUtc)
{
    DstOptions eu;
    // 2027: last Sundays 28 March and 31 October; 01:00 UTC is 02:00 CET.
    EXPECT_FALSE(At(eu, 2027, {28, 3}, 1.99));
    EXPECT_EQ(At(eu, 2027, {28, 3}, 2.0), 1);
    EXPECT_EQ(At(eu, 2027, {31, 10}, 1.99), 1);
    EXPECT_FALSE(At(eu, 2027, {31, 10}, 2.0));
    // The changeover day's noon is zone time.
    EXPECT_FALSE(At(eu, 2027, {31, 10}, 12));
    EXPECT_FALSE(SummerTimeAt(eu, kCetMeridian, 2027, {31, 10}, 12));
    EXPECT_EQ(Text(SummerTimePeriodOf(eu, kCetMeridian, 2027)), "28/3-30/10");
    // The same instant in another zone: 01:00 UTC is 03:00 EET (meridian -30).
    EXPECT_FALSE(SummerOffsetAt(ScheduleOf(eu, -30, 2027), {28, 3}, 2.5));
    EXPECT_TRUE(SummerOffsetAt(ScheduleOf(eu, -30, 2027), {28, 3}, 3.0));
    EXPECT_EQ(RuleInForce(eu), SummerTimeRule::Eu);
}

TEST(SummerSchedule, CustomDatesSwitchAtTwoZoneTime)
{
    DstOptions custom;
    custom.start = DayMonth{1, 4};
    custom.end = DayMonth{30, 9}; // the last whole day of summer time
    EXPECT_EQ(RuleInForce(custom), SummerTimeRule::Custom);
    EXPECT_FALSE(At(custom, 2027, {1, 4}, 1.99));
    EXPECT_TRUE(At(custom, 2027, {1, 4}, 2.0));
    EXPECT_TRUE(At(custom, 2027, {30, 9}, 23.9));
    EXPECT_TRUE(At(custom, 2027, {1, 10}, 1.99));
    EXPECT_FALSE(At(custom, 2027, {1, 10}, 2.0));
    EXPECT_EQ(Text(SummerTimePeriodOf(custom, kCetMeridian, 2027)), "1/4-30/9");
    // Across the new year, as in the south: from October to April.
    DstOptions south;
    south.start = DayMonth{3, 10};
    south.end = DayMonth{3, 4};
    south.offsetHours = 0.5;
    EXPECT_EQ(At(south, 2027, {1, 1}, 0), 0.5);
    EXPECT_EQ(At(south, 2027, {3, 4}, 12), 0.5);
    EXPECT_FALSE(At(south, 2027, {4, 4}, 12));
    EXPECT_FALSE(At(south, 2027, {15, 7}, 12));
    EXPECT_TRUE(At(south, 2027, {31, 12}, 23.99));
    EXPECT_EQ(Text(SummerTimePeriodOf(south, kCetMeridian, 2027)), "3/10-3/4");
    // An offset that is not valid gives no summer time.
    south.offsetHours = 0;
    EXPECT_FALSE(At(south, 2027, {1, 1}, 12));
    EXPECT_FALSE(SummerOffsetOf(south, kCetMeridian, 2027));
}

TEST(SummerSchedule, ZoneSpansFromTheHostAndTheRuleNone)
{
    DstOptions zone;
    zone.timeZone = "Australia/Sydney";
    EXPECT_EQ(RuleInForce(zone), SummerTimeRule::Zone);
    // Not resolved yet: no summer time rather than Europe's.
    EXPECT_FALSE(At(zone, 2027, {15, 1}, 12));
    // Sydney 2027 in AEST hours of the year: to 4 April 02:00 and from 3 October 02:00.
    zone.zone.year = 2027;
    zone.zone.spans = {{0, 93 * 24 + 2, 1, "AEDT"}, {275 * 24 + 2, 365 * 24, 1, "AEDT"}};
    EXPECT_EQ(At(zone, 2027, {15, 1}, 12), 1);
    EXPECT_FALSE(At(zone, 2027, {4, 4}, 12));
    EXPECT_EQ(At(zone, 2027, {3, 10}, 12), 1);
    EXPECT_EQ(Text(SummerTimePeriodOf(zone, kCetMeridian, 2027)), "3/10-3/4");
    ASSERT_TRUE(SpanAtNoon(ScheduleOf(zone, kCetMeridian, 2027), {1, 12}));
    EXPECT_EQ(SpanAtNoon(ScheduleOf(zone, kCetMeridian, 2027), {1, 12})->abbreviation, "AEDT");
    // The spans are of one year only; another year needs its own.
    EXPECT_FALSE(At(zone, 2028, {15, 1}, 12));
    zone.zoneOtherYears.push_back({2028, -150, "AEST", {{0, 100, 1, "AEDT"}}});
    EXPECT_TRUE(At(zone, 2028, {1, 1}, 12));
    // A rule set wins over the default.
    zone.rule = SummerTimeRule::None;
    EXPECT_FALSE(At(zone, 2027, {15, 1}, 12));
    EXPECT_FALSE(SummerTimePeriodOf(zone, kCetMeridian, 2027));
    for (const char* name : {"zone", "none", "eu", "custom"})
        EXPECT_EQ(RuleName(*RuleNamed(name)), name);
    EXPECT_FALSE(RuleNamed("EU"));
}

} // namespace
} // namespace umbrix
