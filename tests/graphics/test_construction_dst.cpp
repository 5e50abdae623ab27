// The summer-time ring and the leap-cycle bars on the drawing, in the true-size geometry and in the
// setting-out plan: present exactly when asked for and allowed, in their own colour (apart from the shadow
// path's maroon) with dashed ticks, at the places the ring's table gives.

#include "core/dst_ring.h"
#include "core/leap_cycle.h"
#include "graphics/construction.h"
#include "graphics/construction_geometry.h"
#include "graphics/recording_surface.h"
#include "graphics/setting_out.h"

#include "calculated_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace umbrix;

namespace {

using test::Calculated;

/// A dial without the shadow path (drawn in maroon), with summer-time ring `ring` and leap-cycle bars.
std::unique_ptr<Model> Dial(int type, int ring, int leapCycle = 0)
{
    return Calculated(type, [&](Model& m) {
        m.state.showShadowPath = false;
        m.params.dst.ring = static_cast<DstRingKind>(ring);
        m.params.showLeapCycle = leapCycle;
    });
}

struct Picture {
    RecordingSurface surface{1000, 700};
    DrawingState state;
};

Picture Draw(const Model& m)
{
    Picture p;
    p.state = DrawConstruction(m, m.drawing, p.surface, ScreenDrawOptions({})).state;
    return p;
}

std::vector<RecordedOp> Lines(const RecordingSurface& s, Colour colour)
{
    std::vector<RecordedOp> out;
    for (const RecordedOp& op : s.ops)
        if (op.op == SurfaceOp::LineTo && op.pen.colour == colour)
            out.push_back(op);
    return out;
}

std::vector<std::string> Texts(const RecordingSurface& s, Colour colour)
{
    std::vector<std::string> out;
    for (const RecordedOp& op : s.ops)
        if (op.op == SurfaceOp::TextOut && op.font.colour == colour)
            out.push_back(op.text);
    return out;
}

bool Has(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

/// Dashes: every line of the ring is a separate short stroke started by its own MoveTo, none longer than a dash.
void ExpectDashed(const std::vector<RecordedOp>& lines)
{
    for (const RecordedOp& line : lines)
        EXPECT_LE(std::hypot(line.x1 - line.x2, line.y1 - line.y2), 3.0 + 1.5) << line.x1 << " " << line.y1;
}

std::size_t OnLayer(const ConstructionGeometry& g, DrawingLayer layer)
{
    std::size_t n = 0;
    for (const auto& l : g.polylines)
        n += l.layer == layer;
    for (const auto& p : g.points)
        n += p.layer == layer;
    for (const auto& t : g.texts)
        n += t.layer == layer;
    return n;
}

} // namespace

TEST(DstRingDrawing, SummerTimeDashesOnlyWithARingTheDialMayCarry)
{
    // No ring, and ring 2 on a dial type that may not carry it: nothing in the ring's colour, and the same drawing.
    const auto plain = Dial(0, 0);
    const Picture without = Draw(*plain);
    EXPECT_TRUE(Lines(without.surface, kSummerTime).empty());
    EXPECT_TRUE(Texts(without.surface, kSummerTime).empty());
    const auto refused = Dial(3, 2);
    const auto typeThree = Dial(3, 0);
    EXPECT_EQ(Draw(*refused).surface.ops.size(), Draw(*typeThree).surface.ops.size());
    EXPECT_TRUE(Lines(Draw(*refused).surface, kSummerTime).empty());

    // Ring 1: the second labels in the ring's colour, each at the end of a dashed tick; 12 h reads 13 in summer.
    const auto one = Dial(0, 1);
    const Picture first = Draw(*one);
    const std::vector<RecordedOp> ticks = Lines(first.surface, kSummerTime);
    ExpectDashed(ticks);
    const std::vector<std::string> labels = Texts(first.surface, kSummerTime);
    EXPECT_EQ(labels.size(), 10u);              // one for each numbered hour: 6, 8, 9, 10, 12, 14, 15, 16, 18 and 20
    EXPECT_GE(ticks.size(), 2 * labels.size()); // a tick of at least two dashes each
    EXPECT_TRUE(Has(labels, "13"));
    EXPECT_TRUE(Has(labels, "21"));
    EXPECT_FALSE(Has(labels, "12"));
    EXPECT_EQ(first.surface.ops.size() - without.surface.ops.size(),
              Lines(first.surface, kSummerTime).size() * 2 + labels.size()); // MoveTo + LineTo per dash, a text each

    // Ring 2 with a half-hour offset: the inner ellipse, its labels and the inner date scale's ends.
    const auto two = Calculated(6, [](Model& m) {
        m.state.showShadowPath = false;
        m.params.marksMode = MarksMode::DateScale;
        m.params.dst.ring = DstRingKind::InnerRing;
        m.params.dst.offsetHours = -0.5;
    });
    const Picture inner = Draw(*two);
    ExpectDashed(Lines(inner.surface, kSummerTime));
    const std::vector<std::string> innerLabels = Texts(inner.surface, kSummerTime);
    EXPECT_TRUE(Has(innerLabels, "11:30"));
    const std::optional<DstRing> ring = ComputeDstRing(two->params, two->state, two->results, two->params.dst);
    ASSERT_TRUE(ring);
    EXPECT_TRUE(Has(innerLabels, TrimmedLabel(ring->dateMarks.front().label)));
    EXPECT_TRUE(Has(innerLabels, TrimmedLabel(ring->dateMarks.back().label)));
    // Every inner hour point is a dot in the ring's colour where the ring's table puts it.
    int dots = 0;
    for (const RecordedOp& op : inner.surface.opsOf(SurfaceOp::Ellipse))
        dots += op.pen.colour == kSummerTime;
    EXPECT_EQ(dots, two->results.hourPointCount);
}

// Types 0 and 6 put the inner date labels opposite the outer ones, type 1 on the same side: a date before
// 21 June is labelled west of the outer scale, so east of the inner one.
TEST(DstRingDrawing, InnerDateLabelsStandOppositeTheOuterOnesOnTypesZeroAndSix)
{
    for (const int type : {0, 1}) {
        const auto m = Dial(type, 2);
        const Picture p = Draw(*m);
        const std::optional<DstRing> ring = ComputeDstRing(m->params, m->state, m->results, m->params.dst);
        ASSERT_TRUE(ring);
        const std::string april = TrimmedLabel(ring->dateMarks[1].label); // 1 April
        ASSERT_EQ(april.substr(0, 3), "01.");
        const RecordedOp* tick = nullptr;
        const RecordedOp* label = nullptr;
        const auto& ops = p.surface.ops;
        for (std::size_t i = 0; i < ops.size(); ++i) {
            if (ops[i].op == SurfaceOp::TextOut && ops[i].font.colour == kSummerTime && ops[i].text == april) {
                label = &ops[i];
                for (std::size_t k = i; k-- > 0;)
                    if (ops[k].op == SurfaceOp::LineTo && ops[k].pen.colour == kSummerTime) {
                        tick = &ops[k];
                        break;
                    }
                break;
            }
        }
        ASSERT_TRUE(label && tick) << type;
        const bool labelEast = label->x1 > std::min(tick->x1, tick->x2);
        EXPECT_EQ(labelEast, type == 0) << type;
    }
}

TEST(LeapCycleBars, OneBarWithCapsPerDateMarkSpanningItsPositions)
{
    const auto off = Dial(0, 0, 0);
    const auto on = Dial(0, 0, 1);
    const Picture plain = Draw(*off);
    const Picture bars = Draw(*on);
    EXPECT_TRUE(Lines(plain.surface, kBlue).empty());
    const std::vector<LeapCycleMark> scatter = ComputeLeapCycleScatter(on->params, on->results);
    ASSERT_EQ(scatter.size(), 36u);
    const std::vector<RecordedOp> blue = Lines(bars.surface, kBlue);
    ASSERT_EQ(blue.size(), 3 * scatter.size());
    EXPECT_EQ(bars.surface.ops.size() - plain.surface.ops.size(), 2 * blue.size());
    // The bar of 21 March runs from the lowest to the highest of its four positions, mapped to pixels.
    const auto found = std::find_if(scatter.begin(), scatter.end(),
                                    [](const LeapCycleMark& m) { return m.label.rfind("21.Mrz", 0) == 0; });
    ASSERT_NE(found, scatter.end());
    const LeapCycleMark& march = *found;
    const RecordedOp& bar = blue[3 * static_cast<std::size_t>(found - scatter.begin())];
    const auto [low, high] = std::minmax_element(march.positions.begin(), march.positions.end(),
                                                 [](DialPoint a, DialPoint b) { return a.y < b.y; });
    EXPECT_GT(high->y - low->y, 0.005); // near the equinox the cycle moves the mark by about a centimetre
    const double S = ComputeDrawingScale(on->params, on->derived, 500, 350).pixelsPerUnit;
    const auto px = [&](double x) { return bars.state.originX + static_cast<int>(std::nearbyint(x * S)); };
    const auto py = [&](double y) { return bars.state.originY - static_cast<int>(std::nearbyint(y * S)); };
    EXPECT_EQ(bar.x2, px(low->x));
    EXPECT_EQ(bar.y2, py(low->y));
    EXPECT_EQ(bar.x1, px(high->x));
    EXPECT_EQ(bar.y1, py(high->y));
    // Dial types without date marks draw no bars.
    EXPECT_TRUE(Lines(Draw(*Dial(7, 0, 1)).surface, kBlue).size() == Lines(Draw(*Dial(7, 0, 0)).surface, kBlue).size());
}

TEST(DstRingGeometry, SummerTimeLayersHoldTheRingOnly)
{
    const ConstructionGeometry none = BuildConstructionGeometry(*Dial(0, 0));
    EXPECT_EQ(OnLayer(none, DrawingLayer::DstHours), 0u);
    EXPECT_EQ(OnLayer(none, DrawingLayer::DstDates), 0u);
    const auto one = Dial(0, 1);
    const ConstructionGeometry first = BuildConstructionGeometry(*one);
    EXPECT_GT(OnLayer(first, DrawingLayer::DstHours), 0u);
    EXPECT_EQ(OnLayer(first, DrawingLayer::DstDates), 0u);
    const auto two = Dial(1, 2);
    const ConstructionGeometry second = BuildConstructionGeometry(*two);
    const std::optional<DstRing> ring = ComputeDstRing(two->params, two->state, two->results, two->params.dst);
    ASSERT_TRUE(ring);
    // The inner hour points as POINT entities at the ring's places.
    std::vector<DialPoint> points;
    for (const GeometryPoint& p : second.points)
        if (p.layer == DrawingLayer::DstHours)
            points.push_back(p.at);
    ASSERT_EQ(points.size(), ring->hourPoints.size());
    for (std::size_t k = 0; k < points.size(); ++k) {
        EXPECT_DOUBLE_EQ(points[k].x, ring->hourPoints[k].x);
        EXPECT_DOUBLE_EQ(points[k].y, ring->hourPoints[k].y);
    }
    std::size_t datePoints = 0;
    for (const GeometryPoint& p : second.points)
        datePoints += p.layer == DrawingLayer::DstDates;
    EXPECT_EQ(datePoints, ring->dateMarks.size());
}

TEST(DstRingSettingOut, RingTwoAddsItsRowsAndRingOneOnlyItsLabels)
{
    const SettingOutPlan plain = BuildSettingOutPlan(*Dial(0, 0));
    const auto one = Dial(0, 1);
    const SettingOutPlan first = BuildSettingOutPlan(*one);
    ASSERT_EQ(first.rows.size(), plain.rows.size());
    int labelled = 0;
    for (std::size_t i = 0; i < first.rows.size(); ++i) {
        EXPECT_EQ(first.rows[i].label, plain.rows[i].label);
        if (first.rows[i].kind == SettingOutKind::Hour) {
            EXPECT_FALSE(first.rows[i].secondLabel.empty());
            ++labelled;
        }
        if (first.rows[i].label == "12:00") {
            EXPECT_EQ(first.rows[i].secondLabel, "13:00");
        }
    }
    EXPECT_EQ(labelled, first.hourRows);

    const auto two = Dial(6, 2);
    const SettingOutPlan second = BuildSettingOutPlan(*two);
    const std::optional<DstRing> ring = ComputeDstRing(two->params, two->state, two->results, two->params.dst);
    ASSERT_TRUE(ring);
    std::vector<const SettingOutRow*> hours;
    std::vector<const SettingOutRow*> dates;
    for (const SettingOutRow& row : second.rows) {
        if (row.kind == SettingOutKind::DstHour)
            hours.push_back(&row);
        if (row.kind == SettingOutKind::DstDate)
            dates.push_back(&row);
    }
    ASSERT_EQ(hours.size(), ring->hourPoints.size());
    ASSERT_EQ(dates.size(), ring->dateMarks.size());
    EXPECT_EQ(hours.front()->label, "06:00"); // the 5 o'clock mark in summer time
    EXPECT_DOUBLE_EQ(hours.front()->at.x, ring->hourPoints.front().x);
    EXPECT_EQ(dates.back()->label, TrimmedLabel(ring->dateMarks.back().label));
    // d1 and d2 are measured from the outer stakes, as for every other row.
    const double b = two->derived.semiMinorAxis;
    EXPECT_NEAR(hours.front()->d1, std::hypot(hours.front()->at.x, hours.front()->at.y - b), 1e-12);
    const std::string csv = SettingOutCsv(second, LengthUnit::Metre);
    EXPECT_NE(csv.find("\r\ndst-hour;06:00;"), std::string::npos);
    EXPECT_NE(csv.find("\r\ndst-date;"), std::string::npos);
}
