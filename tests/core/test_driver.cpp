// The calculation driver: the shadow test and its report, the order of the computations, which sources
// redraw, and the handlers of the inputs.

#include "core/driver.h"

#include "core/ephemeris.h"
#include "core/input_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

using namespace umbrix;

namespace {

std::unique_ptr<Model> DefaultModel()
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    return m;
}

/// Records what the driver asks of the drawing, in order.
struct RecordingRedraw : Redraw {
    std::vector<std::string> calls;
    std::string banner;
    void rememberActivePage() override { calls.push_back("remember"); }
    void restoreActivePage() override { calls.push_back("restore"); }
    void showShadowPathTab(bool visible) override { calls.push_back(visible ? "tab shown" : "tab hidden"); }
    void construction(const Model&) override { calls.push_back("draw"); }
    void blank() override { calls.push_back("blank"); }
    void writeErrorBanner(std::string_view text) override
    {
        calls.push_back("banner");
        banner = std::string(text);
    }
};

bool Called(const RecordingRedraw& r, std::string_view what)
{
    for (const auto& c : r.calls)
        if (c == what)
            return true;
    return false;
}

} // namespace

TEST(Recalculate, GnomonTooCloseToThePlaneGivesErrorTwelveOnce)
{
    auto m = DefaultModel();
    (void)SelectDialType(*m, 3);
    m->params.gnomonInclination = 0;
    m->params.planeInclination = 80; // 90 - 80 = 10 < 15
    RecordingHost host;
    RecordingRedraw redraw;
    EXPECT_EQ(Recalculate(*m, host, RecalcSource::BitBtn1, redraw), kErrorNoGnomonShadow);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "UMBRIX.EXE  -  Problem!");
    EXPECT_EQ(host.messages[0].text, "Kein Gnomonschatten, Gnomonwinkel ist zu klein!");
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(redraw.calls, (std::vector<std::string>{"remember", "blank", "banner", "restore"}));
    EXPECT_EQ(redraw.banner, "Kein Gnomonschatten, Gnomonwinkel ist z");
    // The computations run all the same; only the shadow path is skipped.
    EXPECT_FALSE(m->results.dateMarks[1].label.empty());
    EXPECT_EQ(m->results.hourPointCount, 33);
    EXPECT_EQ(m->results.shadowPathCount, 0);

    m->params.planeInclination = 75; // exactly 15: no error
    RecordingHost quiet;
    RecordingRedraw drawn;
    EXPECT_EQ(Recalculate(*m, quiet, RecalcSource::BitBtn1, drawn), kErrorNone);
    EXPECT_TRUE(quiet.messages.empty());
    EXPECT_EQ(drawn.calls, (std::vector<std::string>{"remember", "tab shown", "draw", "restore"}));
    EXPECT_GT(m->results.shadowPathCount, 0);
}

TEST(Recalculate, EnglishErrorTextAndBannerCountCharactersNotBytes)
{
    auto m = DefaultModel();
    SetLanguage(*m, Language::English);
    (void)SelectDialType(*m, 3);
    m->params.planeInclination = 80;
    RecordingHost host;
    EXPECT_EQ(Recalculate(*m, host), kErrorNoGnomonShadow);
    EXPECT_EQ(host.messages.at(0).text, "Index has no shadow - increase index angle !");
    // The first line of the German text of code 11 is exactly 39 characters, one of them two bytes long.
    const auto german = DefaultModel();
    EXPECT_EQ(FirstCharacters(ErrorText(*german, 11), kErrorBannerChars), "Zeiger  gegenüber  Uhrenebene zu flach!");
    EXPECT_EQ(FirstCharacters("abc", 39), "abc");
}

TEST(Recalculate, DialTypesTwoAndFiveNeverComputeAShadowPath)
{
    for (const int type : {2, 5}) {
        auto m = DefaultModel();
        (void)SelectDialType(*m, type);
        m->state.showShadowPath = true;
        RecordingHost host;
        RecordingRedraw redraw;
        EXPECT_EQ(Recalculate(*m, host, RecalcSource::BitBtn1, redraw), kErrorNone) << type;
        EXPECT_EQ(m->results.shadowPathCount, 0) << type;
        EXPECT_FALSE(Called(redraw, "tab shown")) << type;
        EXPECT_EQ(m->grids.StrGridShad.cell(0, 0), "") << type;
    }
}

TEST(Recalculate, GoButtonAndCoordinateChoiceLeaveTheDrawing)
{
    auto m = DefaultModel();
    RecordingHost host;
    RecordingRedraw go;
    EXPECT_EQ(OnCalculateClicked(*m, host, go, RecalcSource::btGo2).errorCode, kErrorNone);
    EXPECT_FALSE(Called(go, "draw"));
    EXPECT_EQ(m->results.hourPointCount, 33);

    RecordingRedraw coordinates;
    EXPECT_TRUE(OnCoordinatesOutputChanged(*m, host, coordinates, 1).ran);
    EXPECT_FALSE(Called(coordinates, "draw"));
    EXPECT_EQ(m->grids.StrGridStd.cell(2, 0), "  d1   ");

    RecordingRedraw button;
    (void)OnCalculateClicked(*m, host, button, RecalcSource::BitBtn1);
    EXPECT_TRUE(Called(button, "draw"));
}

TEST(Recalculate, FixedGnomonComputesItsDateMarksInTheHourStep)
{
    auto m = DefaultModel();
    RecordingHost host;
    RecordingRedraw redraw;
    const DialTypeChange change = OnDialTypeChosen(*m, host, redraw, 7);
    EXPECT_EQ(change.recalculation.errorCode, kErrorNone);
    EXPECT_EQ(m->results.dateMarks[1].label, "21. Dez");
    EXPECT_EQ(m->results.fixedDateLineCount, 19);
    EXPECT_GT(m->results.shadowPathCount, 0);
    EXPECT_FALSE(change.controls.empty());
}

TEST(Recalculate, ObliquityAndExtentsAreTheDesignYearsWhateverTheShadowDateAndTheOrder)
{
    // The shadow path takes the sun of its own day; neither the obliquity the report gives nor the axes
    // may depend on it, nor on what an earlier calculation left. Every type, a vertical plane among them
    // (the shadow path keeps it 0.03 degrees off the vertical: the marks are computed with that plane).
    for (int type = 0; type < kDialTypeCount; ++type) {
        auto fresh = [type](int month, int day) {
            auto m = DefaultModel();
            (void)SelectDialType(*m, type);
            m->state.showShadowPath = true;
            m->state.shadowMonth = static_cast<std::int16_t>(month);
            m->state.shadowDay = static_cast<std::int16_t>(day);
            return m;
        };
        RecordingHost host;
        auto june = fresh(6, 21);
        auto december = fresh(12, 21);
        ASSERT_EQ(Recalculate(*june, host), kErrorNone) << type;
        ASSERT_EQ(Recalculate(*december, host), kErrorNone) << type;
        EXPECT_EQ(june->state.obliquity, DesignYearObliquity(june->params.year)) << type;
        EXPECT_EQ(june->state.obliquity, december->state.obliquity) << type;
        EXPECT_EQ(june->derived.extentX, december->derived.extentX) << type;
        EXPECT_EQ(june->derived.extentY, december->derived.extentY) << type;
        EXPECT_EQ(june->derived.semiMinorAxis, december->derived.semiMinorAxis) << type;
        EXPECT_EQ(june->derived.cosPlaneGnomon, december->derived.cosPlaneGnomon) << type;

        // A second calculation of the same dial gives what the first gave: nothing read from the last one.
        const Results first = december->results;
        const DerivedGeometry firstAxes = december->derived;
        ASSERT_EQ(Recalculate(*december, host), kErrorNone) << type;
        EXPECT_EQ(december->derived.extentY, firstAxes.extentY) << type;
        EXPECT_EQ(december->derived.fixedGnomonReach, firstAxes.fixedGnomonReach) << type;
        for (std::size_t i = 0; i < first.hourPoints.size(); ++i) {
            EXPECT_EQ(december->results.hourPoints[i].x, first.hourPoints[i].x) << type << " hour point " << i;
            EXPECT_EQ(december->results.hourPoints[i].y, first.hourPoints[i].y) << type << " hour point " << i;
        }
        EXPECT_EQ(december->results.riseSetPoint.x, first.riseSetPoint.x) << type;
        EXPECT_EQ(december->results.riseSetPoint.y, first.riseSetPoint.y) << type;
    }
}

TEST(Recalculate, DoubleAnalemmaLeavesTheDateScaleToItsOwnComputation)
{
    auto m = DefaultModel();
    RecordingHost host;
    (void)SelectDialType(*m, 6);
    m->params.marksMode = MarksMode::DoubleAnalemma;
    EXPECT_EQ(Recalculate(*m, host), kErrorNone);
    EXPECT_TRUE(m->results.dateMarks[1].label.empty());
    EXPECT_EQ(m->results.hourPointCount, 33);

    m->params.marksMode = MarksMode::Analemma;
    EXPECT_EQ(Recalculate(*m, host), kErrorNone);
    EXPECT_EQ(m->results.dateMarks[1].label, "21.Dez ");
}

TEST(Triggers, LinesPerHourRecomputesHourMarksButNotTheDateScale)
{
    auto m = DefaultModel();
    RecordingHost host;
    RecordingRedraw redraw;
    (void)Recalculate(*m, host);
    const std::string firstLabel = m->results.dateMarks[1].label;
    const double firstY = m->results.dateMarks[1].y;
    m->params.year = 2030; // would move the marks if the date scale were recomputed
    m->params.marksPerMonth = 1;
    OnLinesPerHourChanged(*m, host, redraw, 4);
    EXPECT_EQ(m->results.hourPointCount, 16 * 4 + 1);
    EXPECT_EQ(m->results.dateMarks[1].y, firstY);
    EXPECT_EQ(m->results.dateMarks[1].label, firstLabel);
    EXPECT_FALSE(m->results.dateMarks[36].label.empty());
    // The controls do not show the parameters yet: no redraw.
    EXPECT_FALSE(Called(redraw, "draw"));

    OnLinesPerHourChanged(*m, host, redraw, 0); // out of the spin range: brought into it
    EXPECT_EQ(m->params.linesPerHour, 1);
}

TEST(Triggers, ShadowPathCheckBoxAndHourRange)
{
    auto m = DefaultModel();
    RecordingHost host;
    RecordingRedraw redraw;
    m->state.uiReady = true;
    m->state.showShadowPath = false;
    EXPECT_EQ(OnHourFromChanged(*m, host, redraw, 7), 7);
    EXPECT_EQ(m->results.shadowPathCount, 0);
    EXPECT_TRUE(Called(redraw, "draw"));

    const std::vector<ControlState> controls = OnShadowPathClicked(*m, host, redraw, true);
    EXPECT_FALSE(controls.empty());
    EXPECT_EQ(m->results.shadowPathCount, (21 - 7 + 4) * 4 + 1);
    EXPECT_TRUE(Called(redraw, "tab shown"));
}

TEST(Triggers, AnHourRangeThatEndsBeforeItStartsIsRefused)
{
    // hourFrom 5, hourTo 21 by default: a first hour of 21, or a last hour of 5, leaves no hour between.
    auto m = DefaultModel();
    RecordingHost host;
    RecordingRedraw redraw;
    m->state.uiReady = true;
    ASSERT_EQ(OnHourToChanged(*m, host, redraw, 16), 16);
    ASSERT_EQ(OnHourFromChanged(*m, host, redraw, 8), 8);
    ASSERT_TRUE(host.messages.empty());
    const StringGrid hours = m->grids.StrGridStd;
    const int marks = m->results.hourPointCount;
    redraw.calls.clear();

    // Each refused hour leaves the spin edit on the stored one.
    EXPECT_EQ(OnHourFromChanged(*m, host, redraw, 20), 8);
    EXPECT_EQ(OnHourFromChanged(*m, host, redraw, 16), 8);
    EXPECT_EQ(OnHourToChanged(*m, host, redraw, 5), 16);
    EXPECT_EQ(OnHourToChanged(*m, host, redraw, 8), 16);
    ASSERT_EQ(host.messages.size(), 4u);
    for (const auto& message : host.messages) {
        EXPECT_EQ(message.text, "Die erste Stunde (von) muss vor der letzten Stunde (bis) liegen. Der Stundenbereich "
                                "bleibt, wie er war.");
        EXPECT_EQ(message.caption, "UMBRIX.EXE  -  Problem!");
        EXPECT_EQ(message.icon, MessageIcon::Warning);
    }
    EXPECT_EQ(m->state.hourFrom, 8);
    EXPECT_EQ(m->state.hourTo, 16);
    EXPECT_EQ(m->results.hourPointCount, marks);
    EXPECT_EQ(m->grids.StrGridStd.row(1), hours.row(1));
    EXPECT_FALSE(Called(redraw, "draw"));

    SetLanguage(*m, Language::English);
    EXPECT_EQ(OnHourToChanged(*m, host, redraw, 7), 16);
    EXPECT_EQ(host.messages.back().text,
              "The first hour (from) must come before the last hour (to). The hour range stays as it was.");
}

TEST(Triggers, RadioGroupsRecalculateOnlyWhenTheyShould)
{
    auto m = DefaultModel();
    RecordingHost host;
    RecordingRedraw redraw;
    EXPECT_FALSE(OnMarksModeChanged(*m, host, redraw, 1).ran); // controls not ready
    m->params.marksMode = MarksMode::Analemma;
    m->state.uiReady = true;
    EXPECT_FALSE(OnDoubleAnalemmaMethodChanged(*m, host, redraw, 2, true).ran); // not the double analemma
    EXPECT_EQ(static_cast<int>(m->params.doubleAnalemmaMethod), 2);
    EXPECT_TRUE(OnFineSearchClicked(*m, host, redraw, true).ran);

    EXPECT_TRUE(OnMarksPerMonthChanged(*m, host, redraw, 3).ran);
    EXPECT_EQ(m->params.marksPerMonth, 6);
    EXPECT_FALSE(m->results.dateMarks[72].label.empty());

    (void)SelectDialType(*m, 6);
    EXPECT_TRUE(OnMarksModeChanged(*m, host, redraw, 1).ran);
    EXPECT_TRUE(m->state.doubleAnalemmaActive);
    EXPECT_FALSE(OnDoubleAnalemmaMethodChanged(*m, host, redraw, 0, false).ran);
    EXPECT_TRUE(OnDoubleAnalemmaMethodChanged(*m, host, redraw, 0, true).ran);

    m->grids.StrGrid8.setCell(1, 1, "x");
    OnErrorHourToChanged(*m, 30);
    EXPECT_EQ(m->state.errorHourTo, 21);
    EXPECT_EQ(m->grids.StrGrid8.cell(1, 1), "");
}

TEST(Triggers, ShadowDateAndAcceptedField)
{
    auto m = DefaultModel();
    RecordingHost host;
    RecordingRedraw redraw;
    DateOutcome empty;
    empty.empty = true;
    EXPECT_FALSE(OnShadowDateLeft(*m, host, redraw, empty).ran);
    const DateOutcome valid = ParseShadowDate(*m, "21/06", DateSource::MaskEdit1);
    const Recalculation r = OnShadowDateLeft(*m, host, redraw, valid);
    EXPECT_TRUE(r.ran);
    EXPECT_EQ(redraw.calls.front(), "draw"); // the redraw comes before the calculation

    const FieldOutcome field = ValidateField(*m, Field::eBreit, "50", true);
    ASSERT_TRUE(field.accepted);
    EXPECT_EQ(OnFieldAccepted(*m, host, redraw).errorCode, kErrorNone);
    EXPECT_NEAR(m->results.hourPoints[15].y, 2.75 * std::sin(50 * 0.0174532925199433), 1e-9);
}

TEST(Triggers, TheDialTypeMenuShowsThePresetsBeforeItCalculates)
{
    auto m = DefaultModel();
    m->state.uiReady = true;
    m->params.distanceZ = -0.5; // inside the reach of type 7's date scale: moved, with a message
    RecordingHost host;
    RecordingRedraw redraw;
    std::vector<ControlState> shown;
    std::size_t callsBeforeShow = 99;
    const DialTypeChange change = OnDialTypeChosen(*m, host, redraw, 7, [&](const std::vector<ControlState>& s) {
        shown = s;
        callsBeforeShow = redraw.calls.size();
        EXPECT_TRUE(host.messages.empty()); // the presets come first, then the message of Z
    });
    EXPECT_EQ(callsBeforeShow, 0u);
    EXPECT_TRUE(Called(redraw, "draw"));
    ASSERT_EQ(shown.size(), change.controls.size());
    bool zShown = false;
    for (const ControlState& s : shown)
        zShown |= s.name == "eVergr" && s.text.has_value();
    EXPECT_TRUE(zShown);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(DialTypeNumber(m->params.dialType), 7);
}

TEST(Triggers, TheFirstActivationShowsTheParametersThenCalculatesOnce)
{
    auto m = DefaultModel();
    RecordingHost host;
    RecordingRedraw redraw;
    bool readyWhenShown = false;
    const DialTypeChange change = OnWindowActivated(*m, host, redraw, [&](const std::vector<ControlState>&) {
        readyWhenShown = m->state.uiReady;
        EXPECT_TRUE(redraw.calls.empty());
    });
    EXPECT_TRUE(readyWhenShown);
    EXPECT_TRUE(change.recalculation.ran);
    EXPECT_EQ(std::count(redraw.calls.begin(), redraw.calls.end(), "draw"), 1);
    EXPECT_FALSE(m->state.dialTitle.empty());
}
