// The parameter table: its rows agree with the model's defaults, the input fields, the configuration layout
// and the enabling of the controls per dial type; --set and the panel read it.

#include "core/input_panel.h"
#include "core/parameter_set.h"
#include "core/parameters.h"
#include "tests/core/default_model.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace umbrix;
using umbrix::test::DefaultModel;
using umbrix::test::Find;

TEST(ParameterTable, NamesAndControlsAreUnique)
{
    std::set<std::string_view> names;
    std::set<std::string_view> controls;
    for (const ParameterRow& row : ParameterTable()) {
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
        if (!row.control.empty()) {
            EXPECT_TRUE(controls.insert(row.control).second) << row.control;
        }
        EXPECT_EQ(row.control.empty(), row.controlKind == ControlKind::None) << row.name;
    }
}

TEST(ParameterTable, EveryFieldHasOneRowThatStoresIntoItsParameter)
{
    for (int f = 0; f < kFieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        int rows = 0;
        for (const ParameterRow& row : ParameterTable())
            rows += row.field == field;
        EXPECT_EQ(rows, 1) << FieldName(field);
        const ParameterRow& row = ParameterOf(field);
        EXPECT_EQ(row.field, field);
        EXPECT_EQ(row.controlKind, ControlKind::Edit) << row.name;
        EXPECT_TRUE(row.settable);
        // A real field stores into the member the row names; the year is the one whole-number field.
        EXPECT_EQ(row.real != nullptr, row.kind == ValueKind::Real) << row.name;
    }
    EXPECT_EQ(FieldName(Field::eBreit), "eBreit");
    EXPECT_EQ(FieldName(Field::EddxfAchs), "EddxfAchs");
}

TEST(ParameterTable, DefaultsAreTheValuesOfAFreshModel)
{
    const Model m = DefaultModel();
    int constants = 0;
    for (const ParameterRow& row : ParameterTable()) {
        const std::optional<ParameterValue> byDefault = DefaultOf(row);
        if (!byDefault)
            continue;
        ++constants;
        EXPECT_EQ(*byDefault, ValueOf(row, m)) << row.name;
    }
    EXPECT_GE(constants, 30);
}

TEST(ParameterTable, SettableRowsCanBeSetAndReportOnlyRowsCannot)
{
    for (const ParameterRow& row : ParameterTable()) {
        EXPECT_EQ(row.settable, row.field.has_value() || row.apply != nullptr) << row.name;
        if (!row.settable) {
            Model m = DefaultModel();
            EXPECT_EQ(SetParameter(m, row.name, "1").status, SetStatus::UnknownName) << row.name;
        }
    }
    Model m = DefaultModel();
    EXPECT_EQ(SetParameter(m, "noSuchParameter", "1").status, SetStatus::UnknownName);
}

TEST(ParameterTable, TheFixedConfigurationLinesAreEachHeldByTheirParameters)
{
    std::map<int, std::vector<int>> positions;
    for (const ParameterRow& row : ParameterTable())
        if (row.saved.line > 0)
            positions[row.saved.line].push_back(row.saved.position);
    // Lines 1 to 22 hold their values from position 1 on without a gap; line 23 begins the four columns of
    // the hours table.
    for (int line = 1; line <= 23; ++line) {
        std::vector<int> held = positions[line];
        std::sort(held.begin(), held.end());
        ASSERT_FALSE(held.empty()) << "line " << line;
        for (std::size_t k = 0; k < held.size(); ++k)
            EXPECT_EQ(held[k], static_cast<int>(k) + 1) << "line " << line;
    }
    EXPECT_EQ(FindParameter("hoursTable")->saved.codec, ConfigCodec::GridColumns);
    EXPECT_EQ(positions.rbegin()->first, 23);
}

TEST(ParameterTable, HelpOrderListsTheFieldsFirstThenTheOtherSettings)
{
    const std::vector<std::string_view> names = ParameterNames();
    ASSERT_GE(names.size(), 31u);
    EXPECT_EQ(names[0], "latitude");
    EXPECT_EQ(names[5], "gnomonInclination");
    EXPECT_EQ(names[12], "year");
    EXPECT_EQ(names[13], "marksPerMonth");
    // The settings that came after the hours table follow it, in table order.
    const auto hours = std::find(names.begin(), names.end(), "hoursTable");
    ASSERT_NE(hours, names.end());
    EXPECT_EQ(*(hours + 1), "lengthUnit");
    EXPECT_EQ(names.back(), "hourLabelSize");
    for (const std::string_view name : names)
        EXPECT_NE(name, "cosPlaneGnomon");
}

// The enabling of the dial-type presets: which angle fields each type leaves to the user, who may choose the
// marks mode, the shadow path and the coordinate output.
TEST(ParameterEnabling, FollowsTheDialTypePresets)
{
    struct Case {
        int type;
        bool incl, dek, gnomInc, gnomDek, marksMode, shadow, coordinates;
    };
    const Case cases[] = {
        {0, false, false, false, false, false, true, true}, {1, false, false, true, true, false, true, false},
        {2, true, true, false, false, false, false, false}, {3, true, false, true, false, false, true, true},
        {4, false, false, true, false, false, true, true},  {5, false, true, false, false, false, false, false},
        {6, false, false, false, false, true, true, true},  {7, false, false, true, true, false, true, false},
    };
    for (const Case& c : cases) {
        DialParameters p;
        p.dialType = static_cast<DialType>(c.type);
        auto enabled = [&](std::string_view name) { return ParameterEnabled(*FindParameter(name), p); };
        SCOPED_TRACE(c.type);
        EXPECT_EQ(enabled("planeInclination"), c.incl);
        EXPECT_EQ(enabled("planeDeviation"), c.dek);
        EXPECT_EQ(enabled("gnomonInclination"), c.gnomInc);
        EXPECT_EQ(enabled("gnomonDeviation"), c.gnomDek);
        EXPECT_EQ(enabled("marksMode"), c.marksMode);
        EXPECT_EQ(enabled("showShadowPath"), c.shadow);
        EXPECT_EQ(enabled("coordinatesAsXY"), c.coordinates);
        EXPECT_TRUE(enabled("latitude"));
        EXPECT_TRUE(enabled("dialType"));
    }
}

TEST(ParameterEnabling, TheSplitDialsControlsFollowMarksModeAndMethod)
{
    DialParameters p;
    p.dialType = DialType::MeanTime;
    p.marksMode = MarksMode::Analemma;
    p.doubleAnalemmaMethod = DoubleAnalemmaMethod::SearchMeanError;
    EXPECT_FALSE(ParameterEnabled(*FindParameter("hoursTable"), p));
    EXPECT_FALSE(ParameterEnabled(*FindParameter("doubleAnalemmaMethod"), p));
    EXPECT_TRUE(ParameterEnabled(*FindParameter("fineSearch"), p)); // follows the method alone
    p.marksMode = MarksMode::DoubleAnalemma;
    EXPECT_TRUE(ParameterEnabled(*FindParameter("hoursTable"), p));
    EXPECT_TRUE(ParameterEnabled(*FindParameter("errorHourTo"), p));
    p.doubleAnalemmaMethod = DoubleAnalemmaMethod::MeanOfExact;
    EXPECT_FALSE(ParameterEnabled(*FindParameter("fineSearch"), p));
}

TEST(ParameterEnabling, PanelStatesAgreeWithTheTable)
{
    for (int type = 0; type < kDialTypeCount; ++type) {
        for (int mode : {1, 2}) {
            Model m = DefaultModel();
            m.params.marksMode = static_cast<MarksMode>(mode);
            m.params.doubleAnalemmaMethod = DoubleAnalemmaMethod::SearchLargestError;
            std::vector<ControlState> states = SelectDialType(m, type);
            const std::vector<ControlState> shown = ShowParameters(m);
            states.insert(states.end(), shown.begin(), shown.end());
            for (const ParameterRow& row : ParameterTable()) {
                if (row.control.empty())
                    continue;
                std::optional<bool> enabled;
                for (const ControlState& s : states)
                    if (s.name == row.control && s.enabled)
                        enabled = s.enabled;
                EXPECT_EQ(enabled.value_or(true), ParameterEnabled(row, m.params))
                    << row.name << " type " << type << " mode " << mode;
            }
        }
    }
}

TEST(ShowParameters, SwitchesAndTheShadowDateShowTheirValues)
{
    Model m = DefaultModel();
    m.state.markRiseSet = true;
    m.state.showShadowPath = false;
    m.state.coordinatesAsXY = false;
    m.state.useDefaultHours = true;
    m.params.doubleAnalemmaMethod = DoubleAnalemmaMethod::SearchRmsError;
    m.state.shadowDateText = "21/06";
    const std::vector<ControlState> states = ShowParameters(m);
    EXPECT_TRUE(*Find(states, "ChBRiseSet")->checked);
    EXPECT_FALSE(*Find(states, "chBSchatt")->checked);
    EXPECT_EQ(*Find(states, "rgKoordAusg")->item, 1);
    EXPECT_EQ(*Find(states, "rgDefault")->item, 0);
    EXPECT_EQ(*Find(states, "rgMittelwert")->item, 4);
    EXPECT_EQ(*Find(states, "MaskEdit1")->text, "21/06");
    EXPECT_EQ(*Find(states, "eStart")->item, 5);
    EXPECT_EQ(Find(states, "EddxfAchs"), nullptr); // the export panel shows its axis itself
}

TEST(SetParameter, AValueGoesThroughItsKindsCheckAndARefusalChangesNothing)
{
    Model m = DefaultModel();
    EXPECT_EQ(SetParameter(m, "linesPerHour", "7").status, SetStatus::Rejected);
    EXPECT_EQ(SetParameter(m, "linesPerHour", "6").status, SetStatus::Accepted);
    EXPECT_EQ(m.params.linesPerHour, 6);
    EXPECT_EQ(SetParameter(m, "marksPerMonth", "4").status, SetStatus::Rejected);
    EXPECT_EQ(SetParameter(m, "showZoneTime", "yes").status, SetStatus::Rejected);
    EXPECT_EQ(SetParameter(m, "showZoneTime", "true").status, SetStatus::Accepted);
    EXPECT_TRUE(m.params.showZoneTime);
    // The first hour must stay before the last: 21 is the last hour of the default dial.
    const SetOutcome reversed = SetParameter(m, "hourFrom", "20");
    EXPECT_EQ(reversed.status, SetStatus::Accepted);
    EXPECT_EQ(SetParameter(m, "hourTo", "20").status, SetStatus::Rejected);
    EXPECT_EQ(m.state.hourTo, 21);
    // Disabled by the dial type: refused with a message that names the parameter.
    const SetOutcome disabled = SetParameter(m, "planeInclination", "10");
    EXPECT_EQ(disabled.status, SetStatus::Disabled);
    ASSERT_EQ(disabled.messages.size(), 1u);
    EXPECT_NE(disabled.messages[0].text.find("planeInclination"), std::string::npos);
    EXPECT_EQ(m.params.planeInclination, 0);
}

// The dialogs apply their values together: a refused one (here the last) leaves the earlier ones unapplied.
TEST(SetParameters, AllValuesOrNone)
{
    Model m = DefaultModel();
    const SetOutcome refused =
        SetParameters(m, {{"dstOffsetHours", "1.5"}, {"dstStart", "01/04"}, {"dstRingScale", "0.99"}});
    EXPECT_EQ(refused.status, SetStatus::Rejected);
    EXPECT_FALSE(refused.messages.empty());
    EXPECT_EQ(m.params.dst.offsetHours, 1);
    EXPECT_FALSE(m.params.dst.start.has_value());
    EXPECT_EQ(m.params.dst.ringScale, 0.8);

    const SetOutcome accepted = SetParameters(m, {{"dstOffsetHours", "-0.5"}, {"dstRingScale", "0.6"}});
    EXPECT_EQ(accepted.status, SetStatus::Accepted);
    EXPECT_EQ(m.params.dst.offsetHours, -0.5);
    EXPECT_EQ(m.params.dst.ringScale, 0.6);
    // A control the dial type disables refuses as SetParameter does.
    EXPECT_EQ(SetParameters(m, {{"planeInclination", "10"}}).status, SetStatus::Disabled);
}

// The design's further settings: each refused value leaves the model as it was and names the parameter
// and what it takes, in the run's language.
TEST(DesignSettingsRows, RefusedValuesNameTheParameterAndItsRange)
{
    struct Case {
        const char* name;
        const char* value;
        const char* allowedEn;
    };
    const Case cases[] = {
        {"lengthUnit", "km", "m|cm|mm|in|ft"},
        {"lengthUnit", "M", "m|cm|mm|in|ft"},
        {"magneticDeclination", "180.5", "-180 .. 180 degrees"},
        {"magneticDeclination", "east", "-180 .. 180 degrees"},
        {"showLeapCycle", "2", "0|1|true|false"},
        {"leapCycleMean", "yes", "0|1|true|false"},
        {"dstRing", "3", "0|1|2"},
        {"dstOffsetHours", "0", "-2 .. 2 h in steps of 0.5, not 0"},
        {"dstOffsetHours", "0.75", "-2 .. 2 h in steps of 0.5, not 0"},
        {"dstOffsetHours", "2.5", "-2 .. 2 h in steps of 0.5, not 0"},
        {"dstRingScale", "0.49", "0.5 .. 0.95"},
        {"dstStart", "30/02", "dd/mm"},
        {"dstStart", "1/13", "dd/mm"},
        {"dstEnd", "01/11/2015", "dd/mm"},
        {"dstEnd", "/11", "dd/mm"},
        {"bodyHeight", "0.05", "> 0.05, <= 1000000 dial units"},
        {"bodyHeight", "inf", "> 0.05, <= 1000000 dial units"},
        {"reachCoverage", "0", "> 0, <= 1"},
        {"reachCoverage", "1.01", "> 0, <= 1"},
        {"hourLabels", "some", "all|screen"},
        {"hourLabelSize", "0.009", "0.01 .. 0.2"},
        {"hourLabelSize", "0.21", "0.01 .. 0.2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "=" + c.value);
        Model m = DefaultModel();
        SetLanguage(m, Language::English);
        const Model before = m;
        const SetOutcome out = SetParameter(m, c.name, c.value);
        EXPECT_EQ(out.status, SetStatus::Rejected);
        ASSERT_EQ(out.messages.size(), 2u);
        EXPECT_EQ(out.messages[1].text, std::string(c.name) + "=" + c.value + ": allowed: " + c.allowedEn);
        const ParameterRow& row = *FindParameter(c.name);
        EXPECT_EQ(ValueOf(row, m), ValueOf(row, before));
    }
    Model de = DefaultModel();
    EXPECT_EQ(SetParameter(de, "dstRingScale", "1").messages.back().text, "dstRingScale=1: erlaubt: 0.5 .. 0.95");
}

TEST(DesignSettingsRows, AcceptedValuesAreStoredWhereTheOutputsReadThem)
{
    Model m = DefaultModel();
    for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{{"lengthUnit", "cm"},
                                                                                      {"magneticDeclination", "2,5"},
                                                                                      {"showLeapCycle", "true"},
                                                                                      {"dstRing", "1"},
                                                                                      {"dstOffsetHours", "-0.5"},
                                                                                      {"dstRingScale", "0.95"},
                                                                                      {"dstStart", "1/4"},
                                                                                      {"dstEnd", "31/10"},
                                                                                      {"reachCoverage", "1"},
                                                                                      {"hourLabels", "screen"},
                                                                                      {"hourLabelSize", "0.2"}})
        ASSERT_EQ(SetParameter(m, name, value).status, SetStatus::Accepted) << name;
    const DialParameters& p = m.params;
    EXPECT_TRUE(p.hourLabelsScreenRule);
    EXPECT_EQ(p.hourLabelSize, 0.2);
    EXPECT_EQ(std::get<std::string>(ValueOf(*FindParameter("hourLabels"), m)), "screen");
    EXPECT_EQ(p.lengthUnit, LengthUnit::Centimetre);
    EXPECT_EQ(p.magneticDeclination, 2.5);
    EXPECT_EQ(p.showLeapCycle, 1);
    EXPECT_EQ(static_cast<int>(p.dst.ring), 1);
    EXPECT_EQ(p.dst.offsetHours, -0.5);
    EXPECT_EQ(p.dst.ringScale, 0.95);
    ASSERT_TRUE(p.dst.start && p.dst.end);
    EXPECT_EQ(p.dst.start->day, 1);
    EXPECT_EQ(p.dst.start->month, 4);
    EXPECT_EQ(std::get<std::string>(ValueOf(*FindParameter("dstStart"), m)), "01/04");
    EXPECT_EQ(std::get<std::string>(ValueOf(*FindParameter("lengthUnit"), m)), "cm");
    EXPECT_EQ(p.reachCoverage, 1);
}

// Until it is set the body height is the gnomon's height, whatever that becomes; once set it stays, and the
// empty value lets it follow again.
TEST(DesignSettingsRows, BodyHeightFollowsTheGnomonHeightUntilSet)
{
    Model m = DefaultModel();
    const ParameterRow& row = *FindParameter("bodyHeight");
    EXPECT_EQ(std::get<double>(ValueOf(row, m)), 1.7);
    ASSERT_EQ(SetParameter(m, "gnomonHeight", "1.35").status, SetStatus::Accepted);
    EXPECT_EQ(std::get<double>(ValueOf(row, m)), 1.35);
    ASSERT_EQ(SetParameter(m, "bodyHeight", "1.1").status, SetStatus::Accepted);
    ASSERT_EQ(SetParameter(m, "gnomonHeight", "1.8").status, SetStatus::Accepted);
    EXPECT_EQ(std::get<double>(ValueOf(row, m)), 1.1);
    ASSERT_EQ(SetParameter(m, "bodyHeight", "").status, SetStatus::Accepted);
    EXPECT_EQ(std::get<double>(ValueOf(row, m)), 1.8);
}

// Ring 2 only where the dial has room for it: --set refuses it on the other types and on the split dial,
// the reading of a file (SetParameterValue) keeps it.
TEST(DesignSettingsRows, TheInnerRingIsRefusedBySetOnDialsWithoutRoomForIt)
{
    for (int type = 0; type < kDialTypeCount; ++type) {
        Model m = DefaultModel();
        ASSERT_EQ(SetParameter(m, "dialType", std::to_string(type)).status, SetStatus::Accepted);
        const bool allowed = type == 0 || type == 1 || type == 6;
        const SetOutcome out = SetParameter(m, "dstRing", "2");
        EXPECT_EQ(out.status, allowed ? SetStatus::Accepted : SetStatus::Rejected) << type;
        EXPECT_EQ(static_cast<int>(m.params.dst.ring), allowed ? 2 : 0) << type;
        if (!allowed) {
            ASSERT_EQ(out.messages.size(), 1u);
            EXPECT_NE(out.messages[0].text.find("dialType=" + std::to_string(type)), std::string::npos);
        }
        EXPECT_EQ(SetParameter(m, "dstRing", "1").status, SetStatus::Accepted) << type;
        EXPECT_EQ(SetParameterValue(m, *FindParameter("dstRing"), "2").status, SetStatus::Accepted) << type;
        EXPECT_EQ(static_cast<int>(m.params.dst.ring), 2);
    }
    Model split = DefaultModel();
    ASSERT_EQ(SetParameter(split, "dialType", "6").status, SetStatus::Accepted);
    ASSERT_EQ(SetParameter(split, "marksMode", "2").status, SetStatus::Accepted);
    const SetOutcome out = SetParameter(split, "dstRing", "2");
    EXPECT_EQ(out.status, SetStatus::Rejected);
    EXPECT_NE(out.messages.at(0).text.find("geteilte Uhr"), std::string::npos);
}

TEST(ParameterTable, EveryWholeNumberLineOfTheFileStatesItsFallbackBesideItsDefault)
{
    // The fixed lines of whole numbers (1 and 10 to 18, and the item of line 20) each fall back to a value
    // of their own row; where the file format's value is not the default, the row says so.
    std::map<std::string, int> fallbacks;
    for (const ParameterRow& row : ParameterTable()) {
        const int line = row.saved.line;
        const bool wholeLine = line == 1 || (line >= 10 && line <= 18) || line == 20;
        if (!wholeLine || row.saved.extension != ExtensionLine::None)
            continue;
        ASSERT_TRUE(row.saved.fallback.has_value()) << row.name;
        fallbacks[std::string(row.name)] = *row.saved.fallback;
    }
    EXPECT_EQ(fallbacks.size(), 12U);
    const std::map<std::string, int> differing = {{"hourTo", 19}, {"errorHourFrom", 5}, {"year", 2016}};
    for (const auto& [name, fallback] : differing) {
        EXPECT_EQ(fallbacks.at(name), fallback) << name;
        EXPECT_NE(FindParameter(name)->byDefault.number, fallback) << name;
    }
    EXPECT_EQ(fallbacks.at("hourFrom"), FindParameter("hourFrom")->byDefault.number);
}

TEST(DialModes, EveryDialTypeHasItsBitAndOnlyTheMeanTimeDialWithTwoLoopsIsSplit)
{
    for (int n = 0; n < kDialTypeCount; ++n) {
        const auto type = static_cast<DialType>(n);
        EXPECT_TRUE(Contains(kAllDialTypes, type)) << n;
        EXPECT_EQ(Contains(DialTypes({n}), type), true) << n;
        EXPECT_EQ(Contains(DialTypes({6}), type), type == DialType::MeanTime) << n;
        for (const MarksMode mode : {MarksMode::DateScale, MarksMode::Analemma, MarksMode::DoubleAnalemma}) {
            DialParameters p;
            p.dialType = type;
            p.marksMode = mode;
            EXPECT_EQ(IsSplitDial(p), type == DialType::MeanTime && mode == MarksMode::DoubleAnalemma) << n;
        }
    }
    // A number beyond the last type (never stored by the readers) is in no set.
    EXPECT_FALSE(Contains(kAllDialTypes, static_cast<DialType>(kDialTypeCount)));
    // The numbers of the configuration file and the JSON report.
    EXPECT_EQ(DialTypeNumber(DialType::FixedGnomon), 7);
    EXPECT_EQ(static_cast<int>(MarksMode::DoubleAnalemma), 2);
    EXPECT_EQ(static_cast<int>(DoubleAnalemmaMethod::SearchRmsError), kDoubleAnalemmaMethodCount - 1);
    EXPECT_FALSE(IsSearchMethod(DoubleAnalemmaMethod::MeanOfExact));
    EXPECT_TRUE(IsSearchMethod(DoubleAnalemmaMethod::SearchLargestError));
}
