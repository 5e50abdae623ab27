// The settings the analyses and the true-scale outputs read come from the design's parameters.

#include "core/design_settings.h"
#include "core/parameter_set.h"
#include "tests/core/default_model.h"

#include <gtest/gtest.h>

using namespace umbrix;
using umbrix::test::DefaultModel;

TEST(DesignSettings, TheDefaultDesignIsInMetresWithTrueNorthOnly)
{
    const Model m = DefaultModel();
    const AnalysisSettings analysis = AnalysisSettingsOf(m);
    EXPECT_EQ(analysis.lengthUnit, LengthUnit::Metre);
    EXPECT_EQ(static_cast<int>(analysis.dst.ring), 0);
    EXPECT_EQ(analysis.dst.offsetHours, 1);
    EXPECT_FALSE(analysis.dst.start.has_value());
    EXPECT_EQ(analysis.reach.bodyHeight, m.params.gnomonHeight);
    EXPECT_EQ(analysis.reach.reachCoverage, 0.9);
    const TrueScaleSettings trueScale = TrueScaleSettingsOf(m);
    EXPECT_EQ(trueScale.lengthUnit, LengthUnit::Metre);
    EXPECT_FALSE(trueScale.magneticDeclinationDeg.has_value());
}

TEST(DesignSettings, EverySettingIsTakenFromItsParameter)
{
    Model m = DefaultModel();
    for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{{"lengthUnit", "ft"},
                                                                                      {"magneticDeclination", "-4.5"},
                                                                                      {"dstRing", "2"},
                                                                                      {"dstOffsetHours", "2"},
                                                                                      {"dstRingScale", "0.7"},
                                                                                      {"dstStart", "01/10"},
                                                                                      {"dstEnd", "01/04"},
                                                                                      {"gnomonHeight", "1.5"},
                                                                                      {"reachCoverage", "0.5"}})
        ASSERT_EQ(SetParameter(m, name, value).status, SetStatus::Accepted) << name;
    AnalysisSettings analysis = AnalysisSettingsOf(m);
    EXPECT_EQ(analysis.lengthUnit, LengthUnit::Foot);
    EXPECT_EQ(static_cast<int>(analysis.dst.ring), 2);
    EXPECT_EQ(analysis.dst.offsetHours, 2);
    EXPECT_EQ(analysis.dst.ringScale, 0.7);
    ASSERT_TRUE(analysis.dst.start && analysis.dst.end);
    EXPECT_EQ(analysis.dst.start->month, 10);
    EXPECT_EQ(analysis.dst.end->month, 4);
    EXPECT_EQ(analysis.reach.bodyHeight, 1.5); // the gnomon's height while bodyHeight is not set
    EXPECT_EQ(analysis.reach.reachCoverage, 0.5);
    ASSERT_EQ(SetParameter(m, "bodyHeight", "1.25").status, SetStatus::Accepted);
    analysis = AnalysisSettingsOf(m);
    EXPECT_EQ(analysis.reach.bodyHeight, 1.25);
    const TrueScaleSettings trueScale = TrueScaleSettingsOf(m);
    EXPECT_EQ(trueScale.lengthUnit, LengthUnit::Foot);
    ASSERT_TRUE(trueScale.magneticDeclinationDeg.has_value());
    EXPECT_EQ(*trueScale.magneticDeclinationDeg, -4.5);
}
