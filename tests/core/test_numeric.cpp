#include "core/numeric.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace umbrix {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Numeric, SignOfZeroIsZeroSoTheGuardKeepsTheSignOfTinyValues)
{
    EXPECT_EQ(Sign(0.0), 0);
    EXPECT_EQ(Sign(-0.0), 0);
    EXPECT_EQ(Sign(1e-300), 1);
    EXPECT_EQ(Sign(-1e-300), -1);

    constexpr double kEps = 1e-5;
    EXPECT_DOUBLE_EQ(Guard(0.0, kEps), 0.5 * kEps);
    EXPECT_DOUBLE_EQ(Guard(1e-8, kEps), 1.5 * kEps);
    EXPECT_DOUBLE_EQ(Guard(-1e-8, kEps), -0.5 * kEps);
    EXPECT_EQ(Guard(2e-5, kEps), 2e-5); // outside the band: untouched
    EXPECT_EQ(Guard(-2e-5, kEps), -2e-5);
}

TEST(Numeric, SafeTanStaysFiniteAtPlusNinetyDegreesOnly)
{
    EXPECT_EQ(SafeTan(90 * degToRad), std::tan(89.99999 * degToRad));
    EXPECT_GT(std::abs(SafeTan(-90 * degToRad)), 1e12); // not guarded
    EXPECT_NEAR(SafeTan(45 * degToRad), 1.0, 1e-12);
}

TEST(Numeric, Reduce360KeepsThreeSixtyAndWrapsNegativeAngles)
{
    EXPECT_EQ(Reduce360(360.0), 360.0);
    EXPECT_EQ(Reduce360(720.0), 360.0); // subtracting stops at 360, it is not a modulo
    EXPECT_EQ(Reduce360(725.5), 5.5);
    EXPECT_EQ(Reduce360(-360.0), 0.0);
    EXPECT_EQ(Reduce360(-5.0), 355.0);
    EXPECT_EQ(Reduce360(1e12 + 10), 290.0); // 1e12 = 2777777777 * 360 + 280
    EXPECT_TRUE(std::isnan(Reduce360(kInf)));
}

TEST(FormatFixed, RightAlignsWithExactDecimals)
{
    EXPECT_EQ(FormatFixed(6, 2, 47.25), " 47.25");
    EXPECT_EQ(FormatFixed(3, 0, 89.995), " 90");
    EXPECT_EQ(FormatFixed(7, 2, -9.59), "  -9.59");
    EXPECT_EQ(FormatFixed(6, 3, 0.0005001), " 0.001");
    EXPECT_EQ(FormatFixed(3, 2, 12345.678), "12345.68"); // a longer number is not cut
}

TEST(FormatFixed, EdgeCasesGiveDefinedText)
{
    EXPECT_EQ(FormatFixed(2, 3, 1.0), "");          // width below decimals: conversion error
    EXPECT_EQ(FormatFixed(6, 2, -0.001), "  0.00"); // rounds to zero: no sign
    EXPECT_EQ(FormatFixed(3, 0, -0.4), "  0");
    EXPECT_EQ(FormatFixed(6, 2, kNaN), "   NaN");
    EXPECT_EQ(FormatFixed(6, 2, kInf), "   INF");
    EXPECT_EQ(FormatFixed(6, 2, -kInf), "  -INF");
    EXPECT_EQ(FormatFixed(0, 0, 1e300).size(), 301u);
}

TEST(FormatFixed, DecimalPointIsAPointUnderAGermanLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "no German locale installed";
    EXPECT_EQ(FormatFixed(6, 2, 47.25), " 47.25");
    EXPECT_EQ(FormatMinSec(3.5), " 14:00");
    std::setlocale(LC_ALL, previous.c_str());
}

// Hand computation: 4 minutes of time per degree of hour angle.
TEST(FormatMinSec, MinutesAndSecondsOfTime)
{
    EXPECT_EQ(FormatMinSec(3.5), " 14:00");
    EXPECT_EQ(FormatMinSec(-0.125), " -0:30");
    EXPECT_EQ(FormatMinSec(-0.375), " -1:30");
    EXPECT_EQ(FormatMinSec(0.002), "  0:00");
    EXPECT_EQ(FormatMinSec(-0.001), "  0:00");
    EXPECT_EQ(FormatMinSec(4.1), " 16:24");
    EXPECT_EQ(FormatMinSec(45), "180:00");
    EXPECT_EQ(FormatMinSec(-75.0 / 60), " -5:00"); // hour angle of 7 o'clock, shown as hours from noon
}

TEST(FormatMinSec, SecondsRoundIntoTheNextMinuteWithoutAStraySign)
{
    constexpr double kDegPerSecondOfTime = 1.0 / 240;
    EXPECT_EQ(FormatMinSec(59.9 * kDegPerSecondOfTime), "  1:00");
    EXPECT_EQ(FormatMinSec(179.9 * kDegPerSecondOfTime), "  3:00");
    EXPECT_EQ(FormatMinSec(59.4 * kDegPerSecondOfTime), "  0:59");
    EXPECT_EQ(FormatMinSec(-59.9 * kDegPerSecondOfTime), " -1:00"); // one minus sign, not "--1:00"
    EXPECT_EQ(FormatMinSec(-179.9 * kDegPerSecondOfTime), " -3:00");
    EXPECT_EQ(FormatMinSec(-0.499 * kDegPerSecondOfTime), "  0:00"); // rounds to zero: no "-0:00"
    EXPECT_EQ(FormatMinSec(-0.51 * kDegPerSecondOfTime), " -0:01");
    EXPECT_EQ(FormatMinSec(kNaN), "   NaN");
}

} // namespace
} // namespace umbrix
