// The summer-time ring in the plot (pens 11 and 10, apart from the shadow path's pen 9), in the R10 DXF
// converted from it (layers L_11 and L_10, both in its layer table) and in the true-size DXF (layers
// DST_HOURS and DST_DATES): there with the ring, absent without it.

#include "export/hpgl_to_dxf.h"
#include "export/hpgl_writer.h"
#include "export/true_size_dxf.h"

#include "core/driver.h"
#include "core/dst_ring.h"
#include "core/input_panel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace umbrix;

namespace {

std::unique_ptr<Model> Dial(int type, int ring)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    (void)SelectDialType(*m, type);
    m->state.showShadowPath = false; // the shadow path keeps pen 9 to itself
    m->params.dst.ring = static_cast<DstRingKind>(ring);
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

std::string Plot(const Model& m)
{
    RecordingHost host;
    return WriteConstructionPlot(m, host, {.axisOrZoom = 2.75}).text;
}

std::size_t Count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

/// The entities of a DXF drawn on `layer` (group code 8), written by either of the two writers.
std::size_t EntitiesOn(const std::string& dxf, const std::string& layer)
{
    return Count(dxf, "  8\r\n" + layer + "\r\n") + Count(dxf, "  8\n" + layer + "\n");
}

} // namespace

TEST(DstRingPlot, PensElevenAndTenOnlyWithTheRing)
{
    const std::string none = Plot(*Dial(0, 0));
    EXPECT_EQ(Count(none, "SP 11"), 0u);
    EXPECT_EQ(Count(none, "SP 10"), 0u);
    EXPECT_EQ(Count(Plot(*Dial(5, 2)), "SP 11"), 0u); // a ring the dial may not carry is not plotted

    // Ring 1: pen 11 for the second labels, no date scale.
    const auto one = Dial(0, 1);
    const std::string first = Plot(*one);
    EXPECT_EQ(Count(first, "SP 11"), 1u);
    EXPECT_EQ(Count(first, "SP 10"), 0u);
    const std::string afterPen = first.substr(first.find("SP 11"));
    EXPECT_NE(afterPen.find("LB13\x03"), std::string::npos);

    // Ring 2: pen 11 for the inner hours, then pen 10 for the inner date scale with its end labels.
    const auto two = Dial(0, 2);
    const std::string second = Plot(*two);
    ASSERT_EQ(Count(second, "SP 11"), 1u);
    ASSERT_EQ(Count(second, "SP 10"), 1u);
    const std::string hours = second.substr(second.find("SP 11"), second.find("SP 10") - second.find("SP 11"));
    const std::string dates = second.substr(second.find("SP 10"));
    EXPECT_NE(hours.find("LB13\x03"), std::string::npos);
    const std::optional<DstRing> ring = ComputeDstRing(two->params, two->state, two->results, two->params.dst);
    ASSERT_TRUE(ring);
    EXPECT_NE(dates.find("LB" + ring->dateMarks.front().label + "\x03"), std::string::npos);
    // Afterwards the pen and label size the hour marks leave.
    EXPECT_NE(dates.find(";SI 0.12 0.18;SP 2"), std::string::npos);

    // The converted DXF puts them on the layers of their pens.
    const DxfConversion dxf = ConvertHpglToDxf(second);
    ASSERT_EQ(dxf.status, DxfConversionStatus::Converted);
    EXPECT_GT(EntitiesOn(dxf.dxf, "L_11"), 0u);
    EXPECT_GT(EntitiesOn(dxf.dxf, "L_10"), 0u);
    // The layer table defines L_1 to L_11, each once.
    for (int pen = 1; pen <= 11; ++pen)
        EXPECT_EQ(Count(dxf.dxf, "  2\r\nL_" + std::to_string(pen) + "\r\n"), 1u) << pen;
    EXPECT_EQ(Count(dxf.dxf, "L_12"), 0u);
    const DxfConversion plain = ConvertHpglToDxf(none);
    EXPECT_EQ(EntitiesOn(plain.dxf, "L_11"), 0u);
    EXPECT_EQ(EntitiesOn(plain.dxf, "L_10"), 0u);
}

TEST(DstRingTrueSizeDxf, RingOnItsOwnLayers)
{
    const TrueSizeDxf none = WriteTrueSizeDxf(*Dial(0, 0), LengthUnit::Metre);
    ASSERT_TRUE(none.ok) << none.reason;
    EXPECT_EQ(EntitiesOn(none.bytes, "DST_HOURS"), 0u);
    EXPECT_EQ(EntitiesOn(none.bytes, "DST_DATES"), 0u);
    const TrueSizeDxf two = WriteTrueSizeDxf(*Dial(6, 2), LengthUnit::Metre);
    ASSERT_TRUE(two.ok) << two.reason;
    EXPECT_GT(EntitiesOn(two.bytes, "DST_HOURS"), 30u);
    EXPECT_GT(EntitiesOn(two.bytes, "DST_DATES"), 20u);
    const TrueSizeDxf one = WriteTrueSizeDxf(*Dial(7, 1), LengthUnit::Metre);
    ASSERT_TRUE(one.ok) << one.reason;
    EXPECT_GT(EntitiesOn(one.bytes, "DST_HOURS"), 0u);
    EXPECT_EQ(EntitiesOn(one.bytes, "DST_DATES"), 0u);
}
