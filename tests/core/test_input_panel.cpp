// Dial-type presets and the parameters as the controls show them.

#include "core/input_panel.h"
#include "core/numeric.h"
#include "tests/core/default_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using namespace umbrix;
using umbrix::test::DefaultModel;
using umbrix::test::Find;

namespace {

bool Enabled(const std::vector<ControlState>& states, std::string_view name)
{
    const ControlState* s = Find(states, name);
    return s == nullptr || !s->enabled || *s->enabled;
}

bool Visible(const std::vector<ControlState>& states, std::string_view name)
{
    const ControlState* s = Find(states, name);
    return s == nullptr || !s->visible || *s->visible;
}

} // namespace

TEST(DialTypePresets, GnomonInclinationIsBroughtIntoTheTypesRange)
{
    Model m = DefaultModel();
    m.params.gnomonInclination = 3;
    (void)SelectDialType(m, 4);
    EXPECT_EQ(m.params.gnomonInclination, 90);
    EXPECT_EQ(m.params.planeInclination, 89.995);

    m.params.gnomonInclination = -80;
    (void)SelectDialType(m, 7);
    EXPECT_EQ(m.params.gnomonInclination, -70);
    EXPECT_EQ(m.params.gnomonInclinationPlus90, 20);

    m.params.gnomonInclination = 80;
    (void)SelectDialType(m, 1);
    EXPECT_EQ(m.params.gnomonInclination, 25);
    EXPECT_EQ(m.params.planeInclination, 0);

    m.params.gnomonInclination = 60;
    (void)SelectDialType(m, 1);
    EXPECT_EQ(m.params.gnomonInclination, 60); // within range: kept
}

TEST(DialTypePresets, ChoosingTheFixedGnomonMovesZOutOfTheDateScaleOnce)
{
    // Type 7 at 47.25 N with a vertical gnomon: k = tan(23.45 deg) cos(47.25 deg) = 0.29444, a = 2.75,
    // reach a k = 0.8097; a distance of -0.5 lies inside and moves to -(0.8097 + 0.01) 1.5 = -1.2296.
    Model m = DefaultModel();
    m.params.distanceZ = -0.5;
    std::vector<UiMessage> messages;
    const auto states = SelectDialType(m, 7, messages);
    const double k = std::tan(23.45 * degToRad) * std::cos(47.25 * degToRad);
    EXPECT_NEAR(m.params.distanceZ, -(2.75 * k + 0.01) * 1.5, 1e-12);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Distanz P(0/0) nach Z\r\n wurde abgeändert auf  -1.23");
    bool shown = false;
    for (const auto& s : states)
        shown |= s.name == "eVergr" && s.text == " -1.23";
    EXPECT_TRUE(shown);

    // Outside the reach already: chosen again, nothing moves and nothing is said.
    const double moved = m.params.distanceZ;
    messages.clear();
    (void)SelectDialType(m, 7, messages);
    EXPECT_EQ(m.params.distanceZ, moved);
    EXPECT_TRUE(messages.empty());

    // Other types leave the distance alone, however far their date scale reaches.
    for (int type : {0, 4, 5, 6}) {
        Model other = DefaultModel();
        other.params.distanceZ = -0.5;
        (void)SelectDialType(other, type, messages);
        EXPECT_EQ(other.params.distanceZ, -0.5) << type;
        EXPECT_TRUE(messages.empty()) << type;
    }
}

TEST(DialTypePresets, EachTypeDisablesItsFixedAnglesInYellow)
{
    struct Case {
        int type;
        bool gnomInc, gnomDek, incl, dek;
    };
    const Case cases[] = {
        {0, false, false, false, false}, {1, true, true, false, false},  {2, false, false, true, true},
        {3, true, false, true, false},   {4, true, false, false, false}, {5, false, false, false, true},
        {6, false, false, false, false}, {7, true, true, false, false},
    };
    for (const auto& c : cases) {
        Model m = DefaultModel();
        const auto states = SelectDialType(m, c.type);
        EXPECT_EQ(Enabled(states, "eGnomInc"), c.gnomInc) << "type " << c.type;
        EXPECT_EQ(Enabled(states, "eGnomDek"), c.gnomDek) << "type " << c.type;
        EXPECT_EQ(Enabled(states, "eIncl"), c.incl) << "type " << c.type;
        EXPECT_EQ(Enabled(states, "eDek"), c.dek) << "type " << c.type;
        EXPECT_EQ(*Find(states, "eIncl")->yellow, !c.incl);
        EXPECT_EQ(Visible(states, "tsShade"), c.type != 2 && c.type != 5) << "type " << c.type;
        EXPECT_EQ(Visible(states, "eVergr"), c.type == 7);
        EXPECT_EQ(Visible(states, "Button1"), c.type == 6);
        EXPECT_EQ(Enabled(states, "rgKoordAusg"), c.type == 0 || c.type == 3 || c.type == 4 || c.type == 6);
        EXPECT_EQ(m.state.dialTitle.find('&'), std::string::npos);
    }
}

TEST(DialTypePresets, MeanTimeDialSwitchesToTheSecondPanel)
{
    Model m = DefaultModel();
    m.params.marksMode = MarksMode::DoubleAnalemma;
    const auto states = SelectDialType(m, 6);
    EXPECT_FALSE(Visible(states, "Panel1"));
    EXPECT_TRUE(Visible(states, "Panel2"));
    EXPECT_TRUE(Enabled(states, "rgTyp"));
    EXPECT_EQ(*Find(states, "rgTyp")->item, 1);
    EXPECT_TRUE(Visible(states, "tsSlope"));
    EXPECT_TRUE(Visible(states, "pSplit"));
    EXPECT_FALSE(Visible(states, "pErrGraph"));
    EXPECT_EQ(*Find(states, "Label3")->text, "  Datumsmarkierungen ");
    EXPECT_TRUE(m.state.doubleAnalemmaActive);

    (void)SelectDialType(m, 0);
    EXPECT_FALSE(m.state.doubleAnalemmaActive);
}

TEST(DialTypePresets, TypesWithoutCoordinateChoiceShowXY)
{
    Model m = DefaultModel();
    m.state.coordinatesAsXY = false;
    const auto states = SelectDialType(m, 2);
    EXPECT_TRUE(m.state.coordinatesAsXY);
    EXPECT_EQ(*Find(states, "rgKoordAusg")->item, 0);
    EXPECT_EQ(*Find(states, "eIncl")->text, "  0"); // angle fields: width 3, no decimals
}

TEST(ShowParameters, FieldsShowTheirWidthsAndDecimals)
{
    Model m = DefaultModel();
    const auto states = ShowParameters(m);
    EXPECT_EQ(*Find(states, "eLang")->text, "  -9.59");
    EXPECT_EQ(*Find(states, "eBreit")->text, " 47.25");
    EXPECT_EQ(*Find(states, "eZone")->text, "-15.00");
    EXPECT_EQ(*Find(states, "eHalb")->text, " 2.75");
    EXPECT_EQ(*Find(states, "eGnomInc")->text, "  0.0");
    EXPECT_EQ(*Find(states, "eHoehe")->text, " 1.70");
    EXPECT_EQ(*Find(states, "eVergr")->text, "-3.0");
    EXPECT_EQ(*Find(states, "eRiseSet")->text, "  20.20");
    EXPECT_EQ(*Find(states, "ejahr")->text, "2015");
    EXPECT_EQ(*Find(states, "rgAnzahl")->item, 2);
    EXPECT_EQ(*Find(states, "Label4")->text, "Stunden von..bis, +Intervall"); // method 1: TextTable row 4
    EXPECT_FALSE(*Find(states, "chbGenau")->enabled);
    EXPECT_TRUE(m.state.uiReady);
}

TEST(ShowParameters, SixMarksPerMonthIsTheFourthItemAndNotForTheFixedGnomon)
{
    Model m = DefaultModel();
    EXPECT_EQ(SetMarksPerMonthItem(m, 3), 3);
    EXPECT_EQ(m.params.marksPerMonth, 6);
    EXPECT_EQ(*Find(ShowParameters(m), "rgAnzahl")->item, 3);
    (void)SelectDialType(m, 7);
    EXPECT_EQ(SetMarksPerMonthItem(m, 3), 2);
    EXPECT_EQ(m.params.marksPerMonth, 3);
}
