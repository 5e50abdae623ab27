// The text state of the HPGL converter. Sizes by hand: SI takes centimetres, 400 plotter units each; at 40
// units per millimetre a height of 0.3 cm is 3 mm, and a cell 0.2 cm wide holds a letter 0.2 / 1.4 cm wide.

#include "export/dxf_records.h"
#include "export/hpgl_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace umbrix::hpgl {
namespace {

constexpr double kTextTol = 0.005; // the texts carry 2 decimals (the initial height 4)

double Number(std::string_view text)
{
    return dxf::ParseNumber(text).value_or(-1e9);
}

TEST(HpglTextState, StartsAt2Point7MillimetresOfThePlotWhateverTheScale)
{
    EXPECT_NEAR(Number(TextState(40).attributes().height), 2.7, kTextTol);
    EXPECT_NEAR(Number(TextState(20).attributes().height), 5.4, kTextTol); // half the units: twice the mm
    const TextState state(40);                                             // the attributes view the state's texts
    const dxf::TextAttributes start = state.attributes();
    EXPECT_EQ(start.widthFactor, "0.7");
    EXPECT_EQ(start.rotationDeg, "0.0");
    EXPECT_EQ(start.obliqueDeg, "0.0");
    EXPECT_FALSE(start.alternateSet);
}

TEST(HpglTextState, SizeDirectionAndSlantFollowTheirCommands)
{
    std::vector<std::string> log;
    TextState text(40);
    text.characterSize("SI", "0.2,0.3", log);
    EXPECT_NEAR(Number(text.attributes().height), 3.0, kTextTol);
    EXPECT_NEAR(Number(text.attributes().widthFactor), 0.2 * 400 * 1.4 / 40 / 3.0, kTextTol);

    text.direction("DI", "0,1", log);
    EXPECT_NEAR(Number(text.attributes().rotationDeg), 90, 0.05);
    text.direction("DI", "-1,0", log);
    EXPECT_NEAR(Number(text.attributes().rotationDeg), 180, 0.05);
    text.direction("DI", "0,0", log); // no direction at all: the baseline stays horizontal
    EXPECT_EQ(text.attributes().rotationDeg, "0.0");

    text.slant("SL", "1", log);
    EXPECT_NEAR(Number(text.attributes().obliqueDeg), 45, 0.05);
    text.alternateSet(true);
    EXPECT_TRUE(text.attributes().alternateSet);
    EXPECT_TRUE(log.empty());

    // A size without parameters, or with one that is no number, is the initial size again.
    text.characterSize("SI", "x,0.3", log);
    EXPECT_NEAR(Number(text.attributes().height), 2.7, kTextTol);
    EXPECT_EQ(log.size(), 1u);
}

TEST(HpglTextState, ALabelCannotBreakItsRecordOrStartAnEscape)
{
    EXPECT_EQ(LabelForDxf("^"), "^ ");
    EXPECT_EQ(LabelForDxf("a^b"), "a^b");
    EXPECT_EQ(LabelForDxf("12\r\nUhr\x7f"), "12  Uhr ");
    EXPECT_EQ(LabelForDxf("\xe4\xf6\xfc"), "\xe4\xf6\xfc"); // Windows-1252 umlauts stay
}

} // namespace
} // namespace umbrix::hpgl
