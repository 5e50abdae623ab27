// Input checks of the parameter fields: ranges at their borders, the per-field rules, the messages.

#include "core/fields.h"
#include "core/input_panel.h"
#include "core/numeric.h"
#include "core/parameter_set.h"
#include "tests/core/default_model.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace umbrix;
using umbrix::test::DefaultModel;

namespace {

FieldOutcome Leave(Model& m, Field f, std::string_view text)
{
    return ValidateField(m, f, text, true);
}

} // namespace

TEST(FieldCheck, UnmodifiedTextDoesNothing)
{
    Model m = DefaultModel();
    const Model before = m;
    const FieldOutcome out = ValidateField(m, Field::eBreit, "garbage", false);
    EXPECT_FALSE(out.handled);
    EXPECT_TRUE(out.messages.empty());
    EXPECT_EQ(m.params.latitude, before.params.latitude);
    EXPECT_EQ(m.derived.semiMinorAxis, before.derived.semiMinorAxis);
}

TEST(FieldCheck, RangesAcceptTheirBordersAndRejectBeyond)
{
    struct Case {
        Field field;
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {Field::eBreit, "90", true},      {Field::eBreit, "-90.01", false},  {Field::eLang, "195", true},
        {Field::eLang, "195.01", false},  {Field::eZone, "-195", true},      {Field::eGnomInc, "150", true},
        {Field::eGnomInc, "-150", true},  {Field::eGnomInc, "150.1", false}, {Field::eGnomInc, "-150.1", false},
        {Field::eGnomDek, "-180", true},  {Field::eGnomDek, "180.5", false}, {Field::eIncl, "110", true},
        {Field::eIncl, "-90.5", false},   {Field::eDek, "180", true},        {Field::eHoehe, "0.05", false},
        {Field::eHoehe, "0.06", true},    {Field::eHalb, "1", false},        {Field::eHalb, "1.01", true},
        {Field::EddxfAchs, "2", false},   {Field::EddxfAchs, "20", true},    {Field::EddxfAchs, "20.01", false},
        {Field::eRiseSet, "-1000", true},
    };
    for (const auto& c : cases) {
        Model m = DefaultModel();
        const FieldOutcome out = Leave(m, c.field, c.text);
        EXPECT_EQ(out.accepted, c.accepted) << FieldName(c.field) << " " << c.text;
        EXPECT_EQ(out.focusBack, !c.accepted) << FieldName(c.field) << " " << c.text;
        EXPECT_EQ(out.recalculate, c.accepted) << FieldName(c.field) << " " << c.text;
    }
}

TEST(FieldCheck, RejectedValueKeepsTheStoredOneAndShowsItAgain)
{
    Model m = DefaultModel();
    const FieldOutcome out = Leave(m, Field::eBreit, "91");
    EXPECT_DOUBLE_EQ(m.params.latitude, 47.25);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].caption, "UMBRIX.EXE  -  Problem!");
    EXPECT_EQ(out.messages[0].text, "Fehlerhafte Eingabe !\nGeogr. Breite: \u221290 \u2026 90\u00b0");
    EXPECT_EQ(out.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(out.text, "  47.25");
}

TEST(FieldCheck, UnreadableTextShowsNotANumberThenInputError)
{
    Model m = DefaultModel();
    SetLanguage(m, Language::English);
    const FieldOutcome out = Leave(m, Field::eLang, "12x");
    ASSERT_EQ(out.messages.size(), 2u);
    EXPECT_EQ(out.messages[0].text, "This is not a real number !");
    EXPECT_EQ(out.messages[1].text, "Error in Input !\nLongitude: \u2212195 \u2026 195\u00b0");
    EXPECT_DOUBLE_EQ(m.params.longitude, -9.59);
    for (const char* text : {"nan", "inf", "1e999", "--1", "1 2", ",5", "+"}) {
        Model n = DefaultModel();
        EXPECT_FALSE(Leave(n, Field::eLang, text).accepted) << text;
    }
}

TEST(FieldCheck, EmptyTextCountsAsZero)
{
    Model m = DefaultModel();
    const FieldOutcome out = Leave(m, Field::eLang, "");
    EXPECT_TRUE(out.accepted);
    EXPECT_EQ(out.text, "   0.00");
    EXPECT_EQ(m.params.longitude, 0);
}

TEST(FieldCheck, LatitudeNearTheEquatorAndAtThePoles)
{
    Model m = DefaultModel();
    ASSERT_TRUE(Leave(m, Field::eBreit, "0").accepted);
    EXPECT_EQ(m.params.latitude, 0.005);
    ASSERT_TRUE(Leave(m, Field::eBreit, "-0.004").accepted);
    EXPECT_EQ(m.params.latitude, 0.005);
    ASSERT_TRUE(Leave(m, Field::eBreit, "90").accepted);
    EXPECT_EQ(m.params.latitude, 89.9999999);
    ASSERT_TRUE(Leave(m, Field::eBreit, "-90").accepted);
    EXPECT_EQ(m.params.latitude, -89.9999999);
}

TEST(FieldCheck, PlaneInclinationSnapsToVerticalAndGatesRiseSetMarks)
{
    Model m = DefaultModel();
    ASSERT_TRUE(Leave(m, Field::eIncl, "90").accepted);
    EXPECT_EQ(m.params.planeInclination, 89.995);
    ASSERT_TRUE(Leave(m, Field::eIncl, "-89.996").accepted);
    EXPECT_EQ(m.params.planeInclination, -89.995);

    auto riseSetEnabled = [](const FieldOutcome& out) {
        for (const auto& s : out.others)
            if (s.name == "ChBRiseSet" && s.enabled)
                return *s.enabled;
        ADD_FAILURE() << "ChBRiseSet not touched";
        return false;
    };
    EXPECT_TRUE(riseSetEnabled(Leave(m, Field::eIncl, "0.1")));
    EXPECT_FALSE(riseSetEnabled(Leave(m, Field::eIncl, "0.11")));
    EXPECT_FALSE(riseSetEnabled(Leave(m, Field::eDek, "3")));
}

TEST(FieldCheck, GnomonInclinationKeepsItsPlus90Twin)
{
    Model m = DefaultModel();
    ASSERT_TRUE(Leave(m, Field::eGnomInc, "-35.5").accepted);
    EXPECT_EQ(m.params.gnomonInclination, -35.5);
    EXPECT_EQ(m.params.gnomonInclinationPlus90, 54.5);
    EXPECT_DOUBLE_EQ(m.derived.cosPlaneGnomon, std::cos(35.5 * degToRad));
}

TEST(FieldCheck, PlaneDeviationOfTheVerticalDecliningDialMovesTheGnomonToo)
{
    Model m = DefaultModel();
    (void)SelectDialType(m, 5);
    const FieldOutcome out = Leave(m, Field::eDek, "-20");
    EXPECT_EQ(m.params.planeDeviation, -20);
    EXPECT_EQ(m.params.gnomonDeviation, -20);
    bool shown = false;
    for (const auto& s : out.others)
        shown |= s.name == "eGnomDek" && s.text == " -20.00";
    EXPECT_TRUE(shown);
}

TEST(FieldCheck, AxisLengthOfTheScaledPlotAlsoSetsTheSemiMajorAxis)
{
    Model m = DefaultModel();
    ASSERT_TRUE(Leave(m, Field::EddxfAchs, "5").accepted);
    EXPECT_EQ(m.params.dxfAxisLength, 5);
    EXPECT_EQ(m.params.semiMajorAxis, 5);
    EXPECT_EQ(Leave(m, Field::EddxfAchs, "25").text, "5.00");
}

TEST(FieldCheck, FixedGnomonRangeMessageNamesTheSmallestDistance)
{
    Model m = DefaultModel();
    (void)SelectDialType(m, 7);
    // k = tan(23.45 deg) * cos(47.25 deg) = 0.29444 for a vertical gnomon; a * k * 1.5 = 1.2146.
    const FieldOutcome out = Leave(m, Field::eVergr, "0.5");
    EXPECT_FALSE(out.accepted);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].text, "Fehlerhafte Eingabe !\r\nMinimaler Absolutwert = 1.21\n"
                                    "Distanz P(0/0) nach Z: 0.81 < |Wert| \u2264 2750000 m");
    EXPECT_EQ(m.params.distanceZ, -3.0); // a rejected distance never overwrites the stored one
    EXPECT_EQ(out.text, " -3.00");
}

TEST(FieldCheck, LargerEllipseMovesZOutOfTheDateScale)
{
    Model m = DefaultModel();
    (void)SelectDialType(m, 7);
    const double k = std::tan(23.45 * degToRad) * std::cos(47.25 * degToRad);
    const FieldOutcome out = Leave(m, Field::eHalb, "12");
    EXPECT_TRUE(out.accepted);
    EXPECT_NEAR(m.params.distanceZ, -(12 * k + 0.01) * 1.5, 1e-12);
    ASSERT_EQ(out.messages.size(), 1u);
    const std::string shown = FormatFixed(6, 2, m.params.distanceZ);
    EXPECT_EQ(shown, " -5.32"); // 1.5 (12 k + 0.01) = 5.3151
    EXPECT_EQ(out.messages[0].text, "Distanz P(0/0) nach Z\r\n wurde abgeändert auf " + shown);
    // A small axis leaves Z where it is.
    EXPECT_TRUE(Leave(m, Field::eHalb, "2").messages.empty());
}

TEST(FieldCheck, OnlyTheFixedGnomonDialMovesZWithTheEllipse)
{
    // Dial types 4 and 5 stand their gnomon at 90 degrees: tan 90 makes the reach a k astronomically large,
    // yet they have no point Z, so the distance must stay as it was and nothing is said.
    for (int type : {0, 4, 5}) {
        Model m = DefaultModel();
        (void)SelectDialType(m, type);
        const FieldOutcome out = Leave(m, Field::eHalb, "3");
        EXPECT_TRUE(out.accepted) << type;
        EXPECT_EQ(m.params.distanceZ, -3.0) << type;
        EXPECT_TRUE(out.messages.empty()) << type;
        for (const auto& s : out.others)
            EXPECT_NE(s.name, "eVergr") << type;
    }
}

TEST(FieldCheck, SmallestDistanceIsNamedOnlyForTheDistanceField)
{
    Model m = DefaultModel();
    (void)SelectDialType(m, 7);
    for (const auto& [field, text] : {std::pair{Field::eBreit, "91"}, std::pair{Field::eHalb, "0.5"},
                                      std::pair{Field::eGnomInc, "200"}, std::pair{Field::eLang, "x"}}) {
        const FieldOutcome out = Leave(m, field, text);
        ASSERT_FALSE(out.messages.empty()) << FieldName(field);
        EXPECT_EQ(out.messages.back().text, "Fehlerhafte Eingabe !\n" + RejectionLine(m, field)) << FieldName(field);
    }
}

TEST(FieldCheck, DistanceToZMustBeFiniteAndWithinAMillionAxes)
{
    // a = 2.75: 10^6 a = 2 750 000 is the largest distance accepted.
    for (int type : {0, 7}) {
        Model m = DefaultModel();
        (void)SelectDialType(m, type);
        EXPECT_TRUE(Leave(m, Field::eVergr, "-2750000").accepted) << type;
        EXPECT_EQ(m.params.distanceZ, -2750000) << type;
        for (const char* text : {"2750000.1", "-1e300", "1e999", "inf", "nan"}) {
            const FieldOutcome out = Leave(m, Field::eVergr, text);
            EXPECT_FALSE(out.accepted) << type << " " << text;
            ASSERT_FALSE(out.messages.empty()) << text;
            EXPECT_EQ(out.messages.back().text.rfind("Fehlerhafte Eingabe !", 0), 0u) << text;
            EXPECT_EQ(m.params.distanceZ, -2750000) << type << " " << text;
        }
    }
}

TEST(FieldCheck, YearIsAnIntegerWithinItsInterval)
{
    Model m = DefaultModel();
    FieldOutcome out = Leave(m, Field::ejahr, "1600");
    EXPECT_FALSE(out.accepted);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].text, "Jahresangabe =1600: Zulässiger Wertebereich ist [1700..2100] !\n"
                                    "Berechnung fuer Jahr: 1700 \u2026 2100");
    EXPECT_EQ(m.params.year, 2015);
    EXPECT_FALSE(Leave(m, Field::ejahr, "2000.5").accepted);
    EXPECT_TRUE(Leave(m, Field::ejahr, "2100").accepted);
    EXPECT_EQ(m.params.year, 2100);
}

TEST(ShadowDate, TwentyNinthOfFebruaryExistsOnlyInGregorianLeapYears)
{
    Model m = DefaultModel();
    ASSERT_TRUE(Leave(m, Field::ejahr, "2000").accepted);
    DateOutcome d = ParseShadowDate(m, "29/02", DateSource::MaskEdit1);
    ASSERT_TRUE(d.valid);
    EXPECT_EQ(d.caption, "29. Feb");

    // A new year without 29 February turns the date into the 28th.
    const FieldOutcome out = Leave(m, Field::ejahr, "2001");
    EXPECT_EQ(m.state.shadowDay, 28);
    EXPECT_EQ(m.state.shadowDateText, "28/02");
    EXPECT_EQ(m.state.shadowDateCaption, "28. Feb");
    ASSERT_EQ(out.others.size(), 3u);

    for (int year : {2015, 1900, 2100}) {
        m.params.year = year;
        EXPECT_FALSE(ParseShadowDate(m, "29/02", DateSource::MaskEdit1).valid) << year;
    }
    for (int year : {2016, 2000, 1704}) {
        m.params.year = year;
        EXPECT_TRUE(ParseShadowDate(m, "29/02", DateSource::MaskEdit1).valid) << year;
    }
}

TEST(ShadowDate, WrongDatesAreRefusedWithTheDateMessage)
{
    Model m = DefaultModel();
    for (const char* text : {"31/04", "30/02", "00/05", "32/01", "15/13", "15/00", "1/5", "ab/cd", " 1/05"}) {
        const DateOutcome d = ParseShadowDate(m, text, DateSource::MaskEdit1);
        EXPECT_FALSE(d.valid) << text;
        ASSERT_TRUE(d.message) << text;
        EXPECT_EQ(d.message->text, "Fehlerhaftes Datum !");
        EXPECT_EQ(d.message->caption, "UMBRIX.EXE  -  Fehler!");
        EXPECT_EQ(d.maskText, "  /  ");
        EXPECT_TRUE(d.recalculate);
    }
    EXPECT_EQ(m.state.shadowDateText, "01/05"); // the stored date is kept
    const DateOutcome empty = ParseShadowDate(m, "  /  ", DateSource::MaskEdit1);
    EXPECT_TRUE(empty.empty);
    EXPECT_FALSE(empty.message);
    EXPECT_FALSE(empty.recalculate);
}

TEST(ShadowDate, UnreadableDateFromElsewhereFallsBackToFirstOfAugust)
{
    Model m = DefaultModel();
    (void)ParseShadowDate(m, "xx/yy", DateSource::Other);
    EXPECT_EQ(m.state.shadowDay, 1);
    EXPECT_EQ(m.state.shadowMonth, 8);
    EXPECT_EQ(m.state.shadowDateCaption, "01. Aug");
}

TEST(ShadowDate, CaptionFollowsTheLanguage)
{
    Model m = DefaultModel();
    SetLanguage(m, Language::English);
    EXPECT_EQ(ParseShadowDate(m, "21/10", DateSource::MaskEdit1).caption, "21. Oct");
    SetLanguage(m, Language::German);
    EXPECT_EQ(ParseShadowDate(m, "21/10", DateSource::MaskEdit1).caption, "21. Okt");
}

TEST(RejectionText, EveryFieldNamesItsCaptionAndRangeInTheWindowsLanguage)
{
    Model m = DefaultModel();
    m.params.lengthUnit = LengthUnit::Centimetre;
    EXPECT_EQ(RejectionLine(m, Field::eBreit), "Geogr. Breite: \u221290 \u2026 90\u00b0");
    EXPECT_EQ(RejectionLine(m, Field::eIncl), "Ebene Neigung: \u221290 \u2026 110\u00b0");
    EXPECT_EQ(RejectionLine(m, Field::eHoehe), "Zeigerlaenge: > 0.05 \u2026 1000000 cm");
    EXPECT_EQ(RejectionLine(m, Field::eHalb), "Grosse Halbachse: > 1 \u2026 1000000 cm");
    EXPECT_EQ(RejectionLine(m, Field::EddxfAchs), "Laenge der großen Halbachse: > 2 \u2026 20 cm");
    EXPECT_EQ(RejectionLine(m, Field::eRiseSet), "Deklination für fixierten Auf/Untergangspunkt: beliebige Zahl in Grad");
    SetLanguage(m, Language::English);
    EXPECT_EQ(RejectionLine(m, Field::eGnomDek), "Index deviation: \u2212180 \u2026 180\u00b0");
    EXPECT_EQ(RejectionLine(m, Field::EddxfAchs), "Length of big half axis: > 2 \u2026 20 cm");
    EXPECT_EQ(RejectionLine(m, Field::ejahr), "Calculations for year: 1700 \u2026 2100");
    // Every field has a caption of its own and a range after it.
    for (int f = 0; f < kFieldCount; ++f) {
        const std::string line = RejectionLine(m, static_cast<Field>(f));
        const std::size_t colon = line.find(": ");
        ASSERT_NE(colon, std::string::npos) << line;
        EXPECT_GT(colon, 3u) << line;
        EXPECT_GT(line.size(), colon + 3) << line;
    }
}

TEST(RejectionText, TheLineIsFoundByParameterOrControlNameAndEndsEveryRefusal)
{
    Model m = DefaultModel();
    EXPECT_EQ(RejectionLine(m, "latitude"), RejectionLine(m, Field::eBreit));
    EXPECT_EQ(RejectionLine(m, "eBreit"), RejectionLine(m, Field::eBreit));
    EXPECT_EQ(RejectionLine(m, "linesPerHour"), "linesPerHour: 1 \u2026 6");
    EXPECT_EQ(RejectionLine(m, "marksPerMonth"), "marksPerMonth: 1|2|3|6");
    EXPECT_EQ(RejectionLine(m, "noSuchName"), "");
    // The text of a refusal through --set or a configuration's extension line ends with the same line.
    for (const auto& [name, value] : {std::pair{"latitude", "95"}, std::pair{"linesPerHour", "9"},
                                      std::pair{"reachCoverage", "2"}, std::pair{"year", "1"},
                                      std::pair{"shadowDate", "31/02"}, std::pair{"semiMajorAxis", "abc"}}) {
        const SetOutcome out = SetParameter(m, name, value);
        ASSERT_EQ(out.status, SetStatus::Rejected) << name;
        const std::string line = "\n" + RejectionLine(m, name);
        bool found = false;
        for (const UiMessage& message : out.messages)
            found = found || message.text.ends_with(line);
        EXPECT_TRUE(found) << name << "=" << value;
    }
}

TEST(RejectionText, AnEchoedValueIsCutAtFortyBytesOnACharacterBoundary)
{
    EXPECT_EQ(EchoedValue("52.5"), "52.5");
    EXPECT_EQ(EchoedValue(std::string(40, '9')), std::string(40, '9'));
    EXPECT_EQ(EchoedValue(std::string(41, '9')), std::string(40, '9') + "\u2026");
    // "ä" takes bytes 39 and 40: it is left out whole.
    EXPECT_EQ(EchoedValue(std::string(39, '1') + "\u00e4" + "xyz"), std::string(39, '1') + "\u2026");
    Model m = DefaultModel();
    const FieldOutcome out = ValidateField(m, Field::ejahr, std::string(100, '7'), true);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_LT(out.messages[0].text.size(), 150u);
}

TEST(LengthBounds, EveryLengthStopsAtAMillionUnitsAndTheDistanceToZAtTenMillion)
{
    struct Case {
        Field field;
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {Field::eHalb, "1000000", true},   {Field::eHalb, "1000000.5", false}, {Field::eHalb, "1e300", false},
        {Field::eHoehe, "1000000", true},  {Field::eHoehe, "1e7", false},      {Field::eHoehe, "1e300", false},
    };
    for (const auto& c : cases) {
        Model m = DefaultModel();
        const FieldOutcome out = Leave(m, c.field, c.text);
        EXPECT_EQ(out.accepted, c.accepted) << FieldName(c.field) << " " << c.text;
        if (!c.accepted)
            EXPECT_TRUE(out.messages.back().text.ends_with(" \u2026 1000000 m")) << out.messages.back().text;
    }
    // With an axis of 20, a million axes would allow 2e7: the distance's own bound, 1e7, comes first.
    Model m = DefaultModel();
    ASSERT_TRUE(Leave(m, Field::eHalb, "20").accepted);
    EXPECT_TRUE(Leave(m, Field::eVergr, "-10000000").accepted);
    const FieldOutcome far = Leave(m, Field::eVergr, "-10000001");
    EXPECT_FALSE(far.accepted);
    EXPECT_TRUE(far.messages.back().text.ends_with("|Wert| \u2264 10000000 m")) << far.messages.back().text;
    // The body height of the planner has the bound of the gnomon.
    EXPECT_EQ(SetParameter(m, "bodyHeight", "1000000").status, SetStatus::Accepted);
    EXPECT_EQ(SetParameter(m, "bodyHeight", "1e300").status, SetStatus::Rejected);
}
