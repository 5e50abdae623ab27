// The accuracy and simulation pages of the window: the map is computed only while its page is shown and
// equals the core's, the simulation's "Now" takes the clock given, Play advances in steps of 5 minutes and
// stops at the end, the reading shown is the core's, and drawing an instant leaves the dial as it was.
// Runs offscreen.

#include "core/parameter_set.h"
#include "core/simulation.h"
#include "core/summer_time.h"
#include "graphics/setting_out.h"
#include "text/own_texts.h"
#include "text/texts.h"
#include "ui/accuracy_page.h"
#include "ui/simulation_page.h"
#include "ui/site_panel.h"
#include "window_fixture.h"

#include <QDateTimeEdit>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace umbrix {
namespace {

const LanguageState kDe = StateFor(Language::German);
const LanguageState kEn = StateFor(Language::English);

std::vector<std::vector<std::string>> Rows(const StringGrid& grid)
{
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < grid.rowCount(); ++r)
        rows.push_back(grid.row(r));
    return rows;
}
class AnalysisPages : public test::WindowTest {
protected:
    AccuracyPage* accuracy() const { return get<AccuracyPage>("tsAccuracy"); }
    SimulationPage* simulation() const { return get<SimulationPage>("tsSimulation"); }
    QString text(const char* label) const { return get<QLabel>(label)->text(); }
    /// A calculation through the latitude field, and the event loop after it.
    void recalculate(const char* latitude)
    {
        typeAndLeave("eBreit", latitude);
        QCoreApplication::processEvents();
    }
};

TEST_F(AnalysisPages, TheMapIsComputedOnlyWhileItsPageIsShownAndIsTheCoresMap)
{
    AccuracyPage* page = accuracy();
    // The window's first calculation happened with the page hidden.
    EXPECT_EQ(page->computations(), 0);
    EXPECT_FALSE(page->designError().has_value());

    showPage("tsAccuracy");
    ASSERT_EQ(page->computations(), 1);
    const Model& m = window->model();
    const DesignErrorMap core = ComputeDesignErrorMap(m.params, m.state, m.results);
    const DesignErrorMap& shown = *page->designError();
    ASSERT_GT(core.count, 0);
    ASSERT_EQ(shown.cells.size(), core.cells.size());
    EXPECT_EQ(shown.dates, core.dates);
    EXPECT_EQ(shown.hours, core.hours);
    EXPECT_EQ(shown.maxAbs, core.maxAbs);
    // The table holds the same cells: minutes with two decimals, empty where there is no reading.
    auto* table = get<QTableWidget>("AccuracyTable");
    ASSERT_EQ(table->rowCount(), static_cast<int>(core.cells.size()));
    ASSERT_EQ(table->columnCount(), static_cast<int>(core.hours.size()));
    int empty = 0;
    for (std::size_t r = 0; r < core.cells.size(); ++r)
        for (std::size_t c = 0; c < core.cells[r].size(); ++c) {
            const std::optional<double>& minutes = core.cells[r][c].minutes;
            EXPECT_EQ(shown.cells[r][c].minutes, minutes);
            EXPECT_EQ(FromQt(table->item(static_cast<int>(r), static_cast<int>(c))->text()),
                      minutes ? FormatDecimals(*minutes, 2) : std::string());
            empty += !minutes;
        }
    EXPECT_GT(empty, 0); // the night hours of the default range
    EXPECT_EQ(FromQt(text("lAccuracyMaxAbs")),
              OwnTextWith(kDe, OwnText::AccuracyMaxAbs, FormatDecimals(*core.maxAbs, 2)));
    // The budget's last rows are the worst of each column.
    const ErrorBudget budget = ComputeErrorBudget(m.params, m.state, m.results, 1000);
    auto* hours = get<QTableWidget>("BudgetHours");
    ASSERT_EQ(hours->rowCount(), static_cast<int>(budget.hourPoints.size()) + 1);
    ASSERT_TRUE(budget.worst.along);
    EXPECT_EQ(FromQt(hours->item(hours->rowCount() - 1, 0)->text()),
              FormatDecimals(budget.worst.along->value, 3) + " (" + ClockText(budget.worst.along->time) + ")");
    auto* dates = get<QTableWidget>("BudgetDates");
    EXPECT_EQ(dates->rowCount(), static_cast<int>(budget.dateMarks.size()) + 1);

    // A calculation while the page is shown computes it once more, once.
    recalculate("50");
    EXPECT_EQ(page->computations(), 2);
    EXPECT_EQ(page->designError()->maxAbs, ComputeDesignErrorMap(m.params, m.state, m.results).maxAbs);
    // While it is hidden, a calculation only marks it stale; showing it computes it.
    showPage("TSGrafik");
    recalculate("45");
    EXPECT_EQ(page->computations(), 2);
    EXPECT_TRUE(page->stale());
    showPage("tsAccuracy");
    EXPECT_EQ(page->computations(), 3);
    EXPECT_FALSE(page->stale());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(AnalysisPages, NowTakesTheClockInStandardTimeOfTheZoneMeridianAndTheReadingIsTheCores)
{
    showPage("tsSimulation");
    SimulationPage* page = simulation();
    // 21 June 2015, 10:30 UTC; the default zone meridian is 15 degrees east: 11:30 standard time.
    constexpr std::int64_t kSummerSolsticeMorning = 1434882600;
    page->setClock([] { return kSummerSolsticeMorning; });
    get<QPushButton>("btSimNow")->click();
    EXPECT_EQ(page->instant().year, 2015);
    EXPECT_EQ(page->instant().month, 6);
    EXPECT_EQ(page->instant().day, 21);
    EXPECT_NEAR(page->instant().zoneHours, 11.5, 1e-12);
    EXPECT_EQ(get<QDateTimeEdit>("dtSimInstant")->dateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm")),
              QStringLiteral("21.06.2015 11:30"));

    const Model& m = window->model();
    const std::optional<Simulation> core = Simulate(m.params, m.state, m.results, page->instant(), DstOptions{});
    ASSERT_TRUE(core && core->reading);
    ASSERT_TRUE(page->simulation() && page->simulation()->reading);
    EXPECT_EQ(*page->simulation()->reading, *core->reading);
    EXPECT_EQ(FromQt(text("lSimReading")), OwnTextWith(kDe, OwnText::SimulationReading, ClockText(*core->reading)));
    // In June the clock shows summer time, and the difference is the core's watch correction.
    ASSERT_TRUE(core->summerTime && core->watchCorrectionMinutes);
    EXPECT_EQ(FromQt(text("lSimClock")), OwnTextWith(kDe, OwnText::SimulationClockSummer, ClockText(*core->summerTime)) +
                                              "\nSommerzeit nach EU-Regel");
    EXPECT_NE(text("lSimDifference").indexOf(ToQt(FormatDecimals(*core->watchCorrectionMinutes, 1))), -1);
    // The correction table has a row per date mark.
    EXPECT_EQ(get<QTableWidget>("SimCorrectionTable")->rowCount(), static_cast<int>(page->correction().rows.size()));
    EXPECT_FALSE(page->correction().rows.empty());

    // A clock outside 1700..2100 changes nothing.
    page->setClock([] { return std::int64_t{-9'000'000'000}; });
    get<QPushButton>("btSimNow")->click();
    EXPECT_EQ(page->instant().year, 2015);
}

// The clock line names the time the clock shows, on a summer and a winter date: summer time with the
// zone's abbreviation, "Sommerzeit" without a zone, zone time outside the period (the changeover Sunday
// at noon included), and the rule in force below it.
TEST_F(AnalysisPages, TheSimulationSaysWhichTimeItsClockShows)
{
    showPage("tsSimulation");
    SimulationPage* page = simulation();
    const int year = window->model().params.year;
    const Instant summer{year, 7, 15, 10.0};
    const Instant winter{year, 1, 15, 10.0};
    const auto clockAt = [&](const Instant& at) {
        page->setInstant(at);
        return text("lSimClock");
    };
    // No zone: the EU rule.
    EXPECT_EQ(clockAt(summer), QStringLiteral("Uhrzeit: 11:00 Sommerzeit\nSommerzeit nach EU-Regel"));
    EXPECT_EQ(clockAt(winter), QStringLiteral("Uhrzeit: 10:00 Zonenzeit\nSommerzeit nach EU-Regel"));

    // A zone: its abbreviations, in German and in English.
    // The panel has no meta-object of its own: it is found by its name.
    auto* site = static_cast<SitePanel*>(window->findChild<QWidget*>(QStringLiteral("SitePanel")));
    ASSERT_NE(site, nullptr);
    ASSERT_TRUE(site->chooseZone(QStringLiteral("Europe/Berlin")));
    EXPECT_EQ(clockAt(summer), QStringLiteral("Uhrzeit: 11:00 MESZ (Sommerzeit)\nSommerzeit der Zone Europe/Berlin"));
    EXPECT_EQ(clockAt(winter), QStringLiteral("Uhrzeit: 10:00 MEZ (Zonenzeit)\nSommerzeit der Zone Europe/Berlin"));
    // The last Sunday of October: the clocks went back at 03:00, noon is zone time.
    const SummerTimePeriod eu = EuropeanSummerTime(year);
    EXPECT_EQ(clockAt(Instant{year, eu.end.month, eu.end.day, 12.0}),
              QStringLiteral("Uhrzeit: 12:00 MEZ (Zonenzeit)\nSommerzeit der Zone Europe/Berlin"));
    window->SetLanguage(Language::English);
    EXPECT_EQ(clockAt(summer), QStringLiteral("Clock: 11:00 CEST (summer time)\nSummer time of the zone Europe/Berlin"));
    EXPECT_EQ(clockAt(winter), QStringLiteral("Clock: 10:00 CET (zone time)\nSummer time of the zone Europe/Berlin"));

    // No summer time: zone time in July too.
    Model& model = window->model();
    ASSERT_EQ(SetParameter(model, "summerTimeRule", "none").status, SetStatus::Accepted);
    page->dialChanged();
    EXPECT_EQ(clockAt(summer), QStringLiteral("Clock: 10:00 CET (zone time)\nNo summer time"));
}

TEST_F(AnalysisPages, PlayAdvancesFiveMinutesATickStopsAtTheEndAndPausesOnASecondPress)
{
    showPage("tsSimulation");
    SimulationPage* page = simulation();
    EXPECT_EQ(page->timer()->interval(), 200);
    page->setInstant(Instant{2015, 6, 21, 20.0});
    auto* play = get<QPushButton>("btSimPlay");
    play->click();
    EXPECT_TRUE(page->playing());
    EXPECT_EQ(FromQt(play->text()), OwnTextOf(kDe, OwnText::SimulationPause));
    play->click();
    EXPECT_FALSE(page->playing());
    EXPECT_EQ(FromQt(play->text()), OwnTextOf(kDe, OwnText::SimulationPlay));

    play->click();
    double before = page->instant().zoneHours;
    int ticks = 0;
    while (page->playing() && ticks < 100) {
        page->tick();
        ++ticks;
        EXPECT_NEAR(page->instant().zoneHours - before, 5.0 / 60, 1e-9);
        before = page->instant().zoneHours;
    }
    EXPECT_FALSE(page->playing());
    EXPECT_GT(ticks, 1);
    // It stopped at the end of the hour range or at sunset, not before.
    const Simulation& last = *page->simulation();
    EXPECT_TRUE(last.dialTime >= window->model().state.hourTo || last.sunAltitude <= 0) << last.dialTime;
    EXPECT_EQ(FromQt(play->text()), OwnTextOf(kDe, OwnText::SimulationPlay));
}

TEST_F(AnalysisPages, DrawingAnInstantLeavesTheDialAsTheLastCalculationLeftIt)
{
    const Model& m = window->model();
    const Results before = m.results;
    const auto hourGrid = Rows(m.grids.StrGridStd);
    showPage("tsSimulation");
    const int draws = window->drawCount();
    for (const double hours : {7.0, 12.25, 17.5, 23.0})
        simulation()->setInstant(Instant{2015, 3, 21, hours});
    EXPECT_EQ(window->drawCount(), draws);
    for (int i = 1; i < kHourPointSlots; ++i) {
        EXPECT_EQ(m.results.hourPoints[i].x, before.hourPoints[i].x);
        EXPECT_EQ(m.results.hourPoints[i].y, before.hourPoints[i].y);
    }
    for (int i = 1; i <= kDateMarkSlots; ++i) {
        EXPECT_EQ(m.results.dateMarks[i].x, before.dateMarks[i].x);
        EXPECT_EQ(m.results.dateMarks[i].label, before.dateMarks[i].label);
    }
    EXPECT_EQ(Rows(m.grids.StrGridStd), hourGrid);
    EXPECT_FALSE(get<QLabel>("SimulationPicture")->pixmap().isNull());
}

TEST_F(AnalysisPages, EveryCaptionOfBothPagesFollowsTheLanguage)
{
    showPage("tsSimulation");
    showPage("tsAccuracy");
    for (const LanguageState& lang : {kEn, kDe}) {
        window->SetLanguage(LanguageOf(lang));
        QCoreApplication::processEvents();
        SCOPED_TRACE(lang.languageIndex);
        EXPECT_EQ(FromQt(pages()->tabText(pageIndex("tsAccuracy"))), OwnTextOf(lang, OwnText::AccuracyPageTitle));
        EXPECT_EQ(FromQt(pages()->tabText(pageIndex("tsSimulation"))), OwnTextOf(lang, OwnText::SimulationPageTitle));
        // The first five pages keep their numbered titles.
        EXPECT_EQ(FromQt(pages()->tabText(0)), TextRow(lang, TextId::PageTitleFirst, 0));
        EXPECT_EQ(FromQt(text("lBudget")), OwnTextOf(lang, OwnText::BudgetHeading));
        EXPECT_EQ(FromQt(get<QTableWidget>("BudgetDates")->horizontalHeaderItem(1)->text()),
                  OwnTextOf(lang, OwnText::BudgetMarkEW));
        EXPECT_EQ(FromQt(text("lSimInstant")), OwnTextOf(lang, OwnText::SimulationInstant));
        EXPECT_EQ(FromQt(get<QPushButton>("btSimNow")->text()), OwnTextOf(lang, OwnText::SimulationNow));
        EXPECT_EQ(FromQt(get<QPushButton>("btSimPlay")->text()), OwnTextOf(lang, OwnText::SimulationPlay));
        EXPECT_EQ(FromQt(text("lSimCorrection")), OwnTextOf(lang, OwnText::CorrectionHeading));
        EXPECT_EQ(FromQt(get<QTableWidget>("SimCorrectionTable")->horizontalHeaderItem(2)->text()),
                  OwnTextOf(lang, OwnText::CorrectionNoon));
        EXPECT_TRUE(text("lSimDialTime").startsWith(ToQt(OwnTextWith(lang, OwnText::SimulationDialTime, ""))));
    }
}

} // namespace
} // namespace umbrix
