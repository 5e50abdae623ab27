// The guarded path to a surface and the SVG surface.

#include "graphics/guarded_surface.h"
#include "graphics/recording_surface.h"
#include "graphics/svg_surface.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace umbrix;

TEST(GuardedSurface, APolylineThroughABadPointShowsAGap)
{
    RecordingSurface s(100, 100);
    GuardedSurface g(s);
    g.MoveTo(1, 1);
    g.LineTo(2, 2);
    g.LineTo(std::numeric_limits<double>::quiet_NaN(), 3);
    g.LineTo(4, 4); // no line from (2, 2): the path resumes here
    g.LineTo(5, 5);
    g.Ellipse(0, 0, 3e9, 5); // beyond the 32-bit range
    g.TextOut(-3e9, 0, "x");
    ASSERT_EQ(s.ops.size(), 4u);
    EXPECT_EQ(s.ops[2].op, SurfaceOp::MoveTo);
    EXPECT_EQ(s.ops[2].x1, 4);
    EXPECT_EQ(s.ops[3].op, SurfaceOp::LineTo);
    EXPECT_EQ(g.skippedElements(), 3);
    EXPECT_TRUE(FitsPixel(2147483647.0));
    EXPECT_FALSE(FitsPixel(2147483648.0));
    EXPECT_EQ(RoundPx(2.5), 2.0); // halves to even
    EXPECT_EQ(RoundPx(3.5), 4.0);
}

TEST(SvgSurface, TextIsAnchoredAtItsTopLeftAndEscaped)
{
    SvgSurface s(200, 100);
    s.font.height = 16;
    s.brush.style = BrushStyle::Clear;
    s.TextOut(10, 20, "a<b & \"c\"");
    const std::string doc = s.document();
    // Baseline one ascent (0.905 em, Liberation Sans) below the top: 20 + round(14.48).
    EXPECT_NE(doc.find("<text x=\"10\" y=\"34\""), std::string::npos) << doc;
    EXPECT_NE(doc.find(">a&lt;b &amp; &quot;c&quot;</text>"), std::string::npos);
    EXPECT_EQ(doc.rfind("<?xml", 0), 0u);
    EXPECT_NE(doc.find("version=\"1.1\" width=\"200\" height=\"100\""), std::string::npos);
    EXPECT_EQ(doc.substr(doc.size() - 7), "</svg>\n");
}

TEST(SvgSurface, TextWidthsFollowArialMetrics)
{
    SvgSurface s(10, 10);
    s.font.height = 100;
    EXPECT_EQ(s.TextWidth("0"), 56);      // digits 0.556 em
    EXPECT_EQ(s.TextWidth("W"), 94);      // 0.944 em
    EXPECT_EQ(s.TextWidth("\u00e4"), 56); // a umlaut as wide as a
    s.font.style = FontStyle::Bold;
    EXPECT_EQ(s.TextWidth("b"), 61);   // bold 0.611 em
    EXPECT_EQ(s.TextHeight("h"), 112); // ascent plus descent, 1.117 em
}

TEST(SvgSurface, JoinedLinesAndFarLinesClipped)
{
    SvgSurface s(100, 100);
    s.pen = {kRed, 2};
    s.MoveTo(0, 0);
    s.LineTo(10, 0);
    s.LineTo(10, 10);
    s.pen.colour = kBlue;
    s.LineTo(20, 10);
    s.MoveTo(50, 50);
    s.LineTo(2000000000, 50);
    const std::string doc = s.document();
    EXPECT_NE(doc.find("<polyline fill=\"none\" stroke=\"#FF0000\" stroke-width=\"2\" points=\"0,0 10,0 10,10\"/>"),
              std::string::npos)
        << doc;
    EXPECT_NE(doc.find("stroke=\"#0000FF\" stroke-width=\"2\" points=\"10,10 20,10\""), std::string::npos);
    EXPECT_NE(doc.find("<line stroke=\"#0000FF\" stroke-width=\"2\" x1=\"50\" y1=\"50\" x2=\"20100\" y2=\"50\"/>"),
              std::string::npos);
}
