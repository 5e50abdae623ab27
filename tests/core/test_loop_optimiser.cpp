// Figure-eight loops for a list of hours: mean of pairs (method 1) and the grid search (methods 2 to 4).

#include "core/driver.h"
#include "core/ephemeris.h"
#include "core/host.h"
#include "core/input_panel.h"
#include "core/loop_optimiser.h"
#include "core/loops.h"
#include "core/model.h"
#include "core/numeric.h"
#include "core/shadow_path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace umbrix;

namespace {

Model SplitDial()
{
    Model model;
    InitDefaults(model);
    (void)SelectDialType(model, 6);
    model.params.marksMode = MarksMode::DoubleAnalemma;
    return model;
}

void SetColumn(Model& model, int col, const std::vector<std::string>& cells)
{
    for (int r = 1; r < model.grids.StrGridEin.rowCount(); ++r)
        model.grids.StrGridEin.setCell(col, r, "");
    for (std::size_t r = 0; r < cells.size(); ++r)
        model.grids.StrGridEin.setCell(col, static_cast<int>(r) + 1, cells[r]);
}

std::vector<double> Hours(const HourList& list)
{
    return {list.hours.begin(), list.hours.begin() + list.count};
}

/// The search as a plain serial evaluation: every candidate and every hour through HourError, the day
/// length asked for each hour, the first hour outside the day substituted per candidate.
DialPoint PlainSearch(const LoopGeometry& g, int item, bool fine, const std::vector<double>& hours,
                      const std::vector<double>& weights, double decl, double eot, DialPoint start)
{
    const int n = fine ? 32 : 18;
    const int h = n / 2;
    const SearchSteps steps = GridSearchSteps(g.semiMajorAxis, fine);
    double best = 1000000;
    DialPoint centre = start;
    for (double s : steps.step) {
        DialPoint bestPoint = centre;
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) {
                const double x = (i - h) * s + centre.x;
                const double y = (j - h) * s + centre.y;
                double sumWAbs = 0, sumW = 0, sumWE2 = 0, maxAbs = 0;
                bool substituted = false;
                for (std::size_t k = 0; k < hours.size() && k < 20; ++k) {
                    const double halfDay = std::abs(HalfDayLength(g.latitudeDeg, decl));
                    double t = hours[k];
                    if (!(halfDay >= std::abs(t - 12))) {
                        if (substituted)
                            continue;
                        substituted = true;
                        t = t >= 12 ? 12 + std::trunc(halfDay) : 12 - std::trunc(halfDay);
                    }
                    const std::optional<double> e = HourError(g, t, x, y, eot, decl);
                    if (!e)
                        continue;
                    sumWAbs += std::abs(weights[k] * *e);
                    sumW += weights[k];
                    sumWE2 += weights[k] * (*e * *e);
                    maxAbs = std::max(maxAbs, std::abs(*e));
                }
                double criterion = 1000000;
                if (sumW > 0)
                    criterion = item == 2 ? maxAbs : item == 3 ? sumWAbs / sumW : std::sqrt(sumWE2 / sumW);
                if (criterion < std::abs(best)) {
                    best = criterion;
                    bestPoint = {x, y};
                }
            }
        centre = bestPoint;
    }
    return centre;
}

} // namespace

TEST(MeanOfPairs, DefaultListsAndTheRewrittenTable)
{
    Model model = SplitDial();
    model.state.useDefaultHours = true;
    RecordingHost host;
    const DoubleAnalemmaResult loops = MeanOfPairsLoops(model, host);
    ASSERT_EQ(loops.errorCode, 0);
    ASSERT_TRUE(loops.hourInput.has_value());
    const StringGrid& ein = *loops.hourInput;
    EXPECT_EQ(ein.cell(1, 0), "Zeit");
    EXPECT_EQ(ein.cell(2, 0), "Diff");
    EXPECT_EQ(ein.cell(1, 1), "  7.00");
    EXPECT_EQ(ein.cell(1, 2), " 11.00");
    EXPECT_EQ(ein.cell(3, 1), " 13.00");
    EXPECT_EQ(ein.cell(3, 2), " 17.00");
    EXPECT_EQ(ein.cell(2, 2), "  1.00");
    EXPECT_EQ(ein.cell(4, 2), "  1.00");
    EXPECT_EQ(ein.cell(1, 5), "  7:00");
    EXPECT_EQ(ein.cell(1, 9), " 11:00");
    EXPECT_EQ(ein.cell(3, 5), " 13:00");
    EXPECT_EQ(ein.cell(3, 9), " 17:00");
    EXPECT_TRUE(ein.cell(1, 10).empty());
    EXPECT_EQ(loops.morning[36].label, "21.Dez ");

    // The driver stores the loops of method 1 in the first pair of loop tables.
    model.params.doubleAnalemmaMethod = DoubleAnalemmaMethod::MeanOfExact;
    ASSERT_EQ(ComputeDoubleAnalemma(model, host), 0);
    EXPECT_EQ(model.results.morningLoop[36].label, "21.Dez ");
    EXPECT_EQ(model.results.afternoonLoop[20].y, loops.afternoon[20].y);
    EXPECT_EQ(model.grids.StrGridEin.row(5), ein.row(5));
    EXPECT_TRUE(model.results.morningLoopOptimised[1].label.empty());
}

TEST(MeanOfPairs, TwoTableHoursAndAStepMakeTheList)
{
    Model model = SplitDial();
    model.state.useDefaultHours = false;
    SetColumn(model, 1, {"8", "11"});
    SetColumn(model, 2, {"", "0.5"});
    SetColumn(model, 3, {"13", "16"});
    const MeanHourInput in = ReadMeanHourInput(model);
    EXPECT_EQ(Hours(in.morning), (std::vector<double>{8, 8.5, 9, 9.5, 10, 10.5, 11}));
    EXPECT_EQ(Hours(in.afternoon), (std::vector<double>{13, 14, 15, 16})); // empty step cell: 1

    RecordingHost host;
    const DoubleAnalemmaResult loops = MeanOfPairsLoops(model, host);
    ASSERT_EQ(loops.errorCode, 0);
    ASSERT_TRUE(loops.hourInput.has_value());
    EXPECT_EQ(loops.hourInput->cell(2, 2), "  0.50");
    EXPECT_EQ(loops.hourInput->cell(1, 6), "  8:30");
    EXPECT_EQ(loops.hourInput->cell(1, 11), " 11:00");
}

TEST(MeanOfPairs, TwoHoursGiveTheExactTwoHourPosition)
{
    // Both ordered pairs of two hours give the same position, so any weighting returns it.
    constexpr double kTol = 1e-12;
    Model model = SplitDial();
    const LoopGeometry g = MakeLoopGeometry(model.params, model.derived);
    HourList list;
    list.count = 2;
    list.hours[0] = 8.5;
    list.hours[1] = 10.75;
    const MeanPosition mean = MeanOfPairsPosition(g, 14.2, -2.7, list);
    const DialPoint exact = TwoHourPosition(g, 14.2, -2.7, 8.5, 10.75);
    EXPECT_NEAR(mean.position.x, exact.x, kTol);
    EXPECT_NEAR(mean.position.y, exact.y, kTol);
}

TEST(MeanOfPairs, WithoutEquationOfTimeEveryPairMeetsTheDateScale)
{
    // Hand value: with E = 0 every pair gives x = 0, y = M cos L tan d, and so does any mean of them.
    constexpr double kTol = 1e-12;
    Model model = SplitDial();
    const LoopGeometry g = MakeLoopGeometry(model.params, model.derived);
    HourList list;
    for (double h : {13.0, 14.0, 15.5, 17.0, 18.0})
        list.hours[static_cast<std::size_t>(list.count++)] = h;
    const MeanPosition mean = MeanOfPairsPosition(g, -12, 0, list);
    EXPECT_NEAR(mean.position.x, 0, kTol);
    EXPECT_NEAR(mean.position.y, 2.75 * std::cos(47.25 * degToRad) * std::tan(-12 * degToRad), kTol);
}

TEST(MeanOfPairs, OneHourOrTooManyHoursAreRefusedWithAMessage)
{
    Model model = SplitDial();
    model.state.useDefaultHours = false;
    RecordingHost host;

    model.params.doubleAnalemmaMethod = DoubleAnalemmaMethod::MeanOfExact;
    ASSERT_EQ(ComputeDoubleAnalemma(model, host), 0);
    ASSERT_FALSE(model.grids.StrGrid8b.cell(1, 1).empty());
    SetColumn(model, 1, {"8", "9"}); // step 2 is larger than the span: a list of one hour
    SetColumn(model, 2, {"", "2"});
    EXPECT_EQ(ComputeDoubleAnalemma(model, host), kErrorLoopHours);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(host.messages[0].caption, "UMBRIX.EXE  -  Fehler!");
    EXPECT_EQ(host.messages[0].text.rfind("Tabelle fehlerhaft", 0), 0u);
    EXPECT_TRUE(model.grids.StrGrid8b.cell(1, 1).empty());
    EXPECT_TRUE(model.results.morningLoop[1].label.empty());

    SetColumn(model, 1, {"8", "11"}); // 61 hours
    SetColumn(model, 2, {"", "0.05"});
    EXPECT_EQ(MeanOfPairsLoops(model, host).errorCode, kErrorLoopHours);
    EXPECT_EQ(host.messages.size(), 2u);

    std::vector<std::string> many;
    for (int k = 0; k < 40; ++k)
        many.push_back(std::to_string(4 + 0.2 * k));
    SetColumn(model, 1, many);
    SetColumn(model, 2, {});
    EXPECT_EQ(MeanOfPairsLoops(model, host).errorCode, kErrorLoopHours);
    EXPECT_EQ(host.messages.size(), 3u);

    SetColumn(model, 1, {"9", "10", "9"}); // first and last hour alike
    EXPECT_EQ(MeanOfPairsLoops(model, host).errorCode, kErrorLoopHours);
    ASSERT_EQ(host.messages.size(), 4u);
    EXPECT_EQ(host.messages[3].text, "Tabelle fehlerhaft");
}

TEST(SearchHours, DefaultsFirstTwentyAndLimits)
{
    Model model = SplitDial();
    model.state.useDefaultHours = false;
    SetColumn(model, 1, {"9.5"});
    SetColumn(model, 3, {"12"});
    SearchHourInput in = ReadSearchHourInput(model);
    EXPECT_EQ(Hours(in.morning), (std::vector<double>{8, 9, 10, 11}));
    EXPECT_EQ(Hours(in.afternoon), (std::vector<double>{13, 14, 15, 16, 17}));

    std::vector<std::string> many;
    for (int k = 0; k < 25; ++k)
        many.push_back(std::to_string(12 + 0.5 * k));
    SetColumn(model, 1, {"2", "13", "9"});
    SetColumn(model, 2, {"-3", "", "0"});
    SetColumn(model, 3, many);
    in = ReadSearchHourInput(model);
    EXPECT_EQ(Hours(in.morning), (std::vector<double>{4, 12, 9}));
    EXPECT_EQ(in.morning.weights[0], 3);
    EXPECT_EQ(in.morning.weights[1], 1);
    EXPECT_EQ(in.morning.weights[2], 0);
    ASSERT_EQ(in.afternoon.count, 20);
    EXPECT_EQ(in.afternoon.hours[19], 21); // 21.5 limited to 21

    SetColumn(model, 3, {"13", "x"});
    EXPECT_TRUE(ReadSearchHourInput(model).conversionError);
}

TEST(GridSearch, StepsOfTheThreePasses)
{
    constexpr double kRelTol = 1e-14;
    const double m = 2.75;
    const SearchSteps coarse = GridSearchSteps(m, false);
    EXPECT_EQ(coarse.n, 18);
    EXPECT_EQ(coarse.h, 9);
    EXPECT_NEAR(coarse.step[0], m / 82.8, m / 82.8 * kRelTol);
    EXPECT_NEAR(coarse.step[1], m / 719.118, m / 719.118 * kRelTol);
    EXPECT_NEAR(coarse.step[2], m / 6270.858, m / 6270.858 * kRelTol);
    const SearchSteps fine = GridSearchSteps(m, true);
    EXPECT_EQ(fine.n, 32);
    EXPECT_EQ(fine.h, 16);
    EXPECT_NEAR(fine.step[0], m / 147.2, m / 147.2 * kRelTol);
    EXPECT_NEAR(fine.step[1], m / 2272.768, m / 2272.768 * kRelTol);
    EXPECT_NEAR(fine.step[2], m / 35233.792, m / 35233.792 * kRelTol);
}

TEST(GridSearch, TheFirstHourOutsideTheDayMovesToTheLastHourOfDaylight)
{
    Model model = SplitDial();
    const LoopGeometry g = MakeLoopGeometry(model.params, model.derived);
    HourList list;
    for (double h : {13.0, 15.0, 17.0, 18.0, 19.0})
        list.hours[static_cast<std::size_t>(list.count++)] = h;
    const SearchRow row = MakeSearchRow(g, list, -23, 0); // half day 4.1 h
    ASSERT_EQ(row.count, 3);
    EXPECT_EQ(row.hours[2].hoursFromNoon, 4); // 17:00 became 16:00; 18:00 and 19:00 are left out

    // At 80 degrees the sun stays up all day at a declination of 23 and stays down at -23.
    const LoopGeometry polar = MakeLoopGeometry(
        [] {
            DialParameters p;
            p.latitude = 80;
            return p;
        }(),
        DerivedGeometry{});
    const SearchRow day = MakeSearchRow(polar, list, 23, 0);
    ASSERT_EQ(day.count, 5);
    EXPECT_EQ(day.hours[4].hoursFromNoon, 7); // 19:00 as it is
    EXPECT_EQ(MakeSearchRow(polar, list, -23, 0).count, 0);
}

TEST(GridSearch, IdenticalToAPlainSerialEvaluation)
{
    const Model model = SplitDial();
    const LoopGeometry g = MakeLoopGeometry(model.params, model.derived);
    const std::vector<double> hours{13, 14.5, 16, 17, 18};
    const std::vector<double> weights{1, 2, 0.5, 1, 3};
    HourList list;
    for (std::size_t k = 0; k < hours.size(); ++k) {
        list.hours[k] = hours[k];
        list.weights[k] = weights[k];
    }
    list.count = static_cast<int>(hours.size());
    struct Day {
        double decl, eot;
    };
    for (int item : {2, 3, 4})
        for (bool fine : {false, true})
            for (const Day d : {Day{-22.9, -0.8}, Day{4.3, -0.5}, Day{20.5, -1.6}}) {
                const DialPoint start = AnalemmaPoint(g, model.params, d.decl, d.eot);
                tUmbrixPoint row;
                row.declination = d.decl;
                row.equationOfTime = d.eot;
                row.x = start.x;
                row.y = start.y;
                GridSearch(g, item, fine, list, row);
                const DialPoint plain = PlainSearch(g, item, fine, hours, weights, d.decl, d.eot, start);
                EXPECT_EQ(row.x, plain.x) << item << fine << d.decl;
                EXPECT_EQ(row.y, plain.y) << item << fine << d.decl;
                // The search improves on the start.
                EXPECT_LE(SearchCriterion(MakeSearchRow(g, list, d.decl, d.eot), item, row.x, row.y),
                          SearchCriterion(MakeSearchRow(g, list, d.decl, d.eot), item, start.x, start.y));
            }
}

TEST(GridSearch, NoWeightKeepsTheStart)
{
    const Model model = SplitDial();
    const LoopGeometry g = MakeLoopGeometry(model.params, model.derived);
    HourList list;
    list.count = 3;
    list.hours = {9, 10, 11};
    list.weights = {0, 0, 0};
    tUmbrixPoint row;
    row.declination = 10;
    row.equationOfTime = 1;
    row.x = 0.125;
    row.y = 0.25;
    GridSearch(g, 3, false, list, row);
    EXPECT_EQ(row.x, 0.125);
    EXPECT_EQ(row.y, 0.25);
}

TEST(OptimisedLoops, WholeLoopsMatchThePlainSearchAndStepTheProgress)
{
    Model model = SplitDial();
    model.params.marksPerMonth = 1;
    model.state.useDefaultHours = false;
    SetColumn(model, 1, {"7.5", "9", "10.5", "11.5"});
    SetColumn(model, 2, {"2", "", "1", "0.5"});
    SetColumn(model, 3, {"13", "15", "17", "19"});
    RecordingHost host;
    const DoubleAnalemmaResult loops = OptimisedLoops(model, host, 3);
    ASSERT_EQ(loops.errorCode, 0);
    EXPECT_EQ(host.progressBegins, 1);
    EXPECT_EQ(host.progressTotal, 24);
    EXPECT_EQ(host.progressSteps, 24);
    EXPECT_EQ(host.progressEnds, 1);
    ASSERT_TRUE(loops.hourInput.has_value());
    EXPECT_EQ(loops.hourInput->cell(2, 0), "Gewicht");
    EXPECT_EQ(loops.hourInput->cell(2, 1), "  2.00");

    const LoopGeometry g = MakeLoopGeometry(model.params, model.derived);
    const struct {
        const LoopTable* table;
        std::vector<double> hours, weights;
    } halves[] = {{&loops.morning, {7.5, 9, 10.5, 11.5}, {2, 1, 1, 0.5}},
                  {&loops.afternoon, {13, 15, 17, 19}, {1, 1, 1, 1}}};
    for (const auto& half : halves)
        for (int r = 1; r <= 12; ++r) {
            const tUmbrixPoint& p = (*half.table)[static_cast<std::size_t>(r)];
            const DialPoint start = AnalemmaPoint(g, model.params, p.declination, p.equationOfTime);
            const DialPoint plain =
                PlainSearch(g, 3, false, half.hours, half.weights, p.declination, p.equationOfTime, start);
            EXPECT_EQ(p.x, plain.x) << r;
            EXPECT_EQ(p.y, plain.y) << r;
        }

    // Item 4 reads the weights too, so it writes them back like the others.
    const DoubleAnalemmaResult four = OptimisedLoops(model, host, 4);
    ASSERT_EQ(four.errorCode, 0);
    ASSERT_TRUE(four.hourInput.has_value());
    EXPECT_EQ(four.hourInput->cell(2, 1), "  2.00");
    EXPECT_EQ(four.hourInput->cell(2, 2), "  1.00");

    // The driver stores the loops of methods 2 to 4 in the second pair of loop tables.
    model.params.doubleAnalemmaMethod = DoubleAnalemmaMethod::SearchMeanError;
    ASSERT_EQ(ComputeDoubleAnalemma(model, host), 0);
    EXPECT_EQ(model.results.morningLoopOptimised[5].x, loops.morning[5].x);
    EXPECT_EQ(model.results.afternoonLoopOptimised[12].y, loops.afternoon[12].y);
    EXPECT_EQ(model.grids.StrGridEin.row(1), loops.hourInput->row(1));
    ASSERT_TRUE(loops.obliquityDeg.has_value());
    EXPECT_EQ(model.state.obliquity, DesignYearObliquity(model.params.year)); // not the loops' last day's
}
