// The summer-time ring in umbrix-cli's outputs: the --table dst file and the JSON keys dstHourPoints and
// dstDateMarks, present only with a ring.

#include "cli/analysis_outputs.h"
#include "cli/json_report.h"
#include "core/driver.h"
#include "core/dst_ring.h"
#include "core/input_panel.h"
#include "tests/cli/cli_run.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

using namespace umbrix;

namespace {

namespace fs = std::filesystem;

fs::path TempFile(const std::string& name)
{
    return TempFileIn("umbrix_dst_", name);
}

std::unique_ptr<Model> Dial(int type, int ring, double offsetHours = 1, Language language = Language::English)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    SetLanguage(*m, language);
    (void)SelectDialType(*m, type);
    m->params.dst.ring = static_cast<DstRingKind>(ring);
    m->params.dst.offsetHours = offsetHours;
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

} // namespace

TEST(CliDstTable, HeadingAndOneRowPerRingPoint)
{
    const auto two = Dial(0, 2, 1.5);
    const std::string txt = DstTableText(*two, false);
    EXPECT_TRUE(Has(txt, "Summer time = zone time + 1.5 h"));
    EXPECT_TRUE(Has(txt, "\r\nkind; label; x; y; time; \r\n"));
    const std::optional<DstRing> ring = ComputeDstRing(two->params, two->state, two->results, two->params.dst);
    ASSERT_TRUE(ring);
    std::size_t hours = 0;
    std::size_t dates = 0;
    for (std::size_t at = txt.find("\r\ndst-"); at != std::string::npos; at = txt.find("\r\ndst-", at + 1))
        (txt.compare(at + 2, 8, "dst-hour") == 0 ? hours : dates)++;
    EXPECT_EQ(hours, ring->hourPoints.size());
    EXPECT_EQ(dates, ring->dateMarks.size());
    // 12:00 of the dial reads 13:30: the row of the noon point.
    EXPECT_TRUE(Has(txt, "\r\ndst-hour; 13:30; " + FormatFixed(7, 3, ring->hourPoints[14].x)));
    const std::string csv = DstTableText(*two, true);
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(csv.substr(3), txt);

    // German heading with a negative offset; ring 1 lists the hour points in place.
    const auto one = Dial(6, 1, -1, Language::German);
    const std::string german = DstTableText(*one, false);
    EXPECT_TRUE(Has(german, "Sommerzeit = Zonenzeit - 1 h"));
    EXPECT_TRUE(Has(german, "\r\ndst-hour; 11:00; " + FormatFixed(7, 3, one->results.hourPoints[15].x)));
    EXPECT_FALSE(Has(german, "dst-date"));
    // Without a ring: the heading and the column heads only.
    const std::string empty = DstTableText(*Dial(0, 0), false);
    EXPECT_TRUE(Has(empty, "kind; label; x; y; time; \r\n"));
    EXPECT_FALSE(Has(empty, "dst-"));
}

TEST(CliDstTable, TheCommandLineWritesItLikeTheOtherTables)
{
    const fs::path txt = TempFile("dst.TXT");
    const CliRun r = Cli({"--lang", "en", "--table", "dst", txt.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(Has(ReadFile(txt), "Summer time = zone time + 1 h"));
    const CliRun bad = Cli({"--table", "dst", TempFile("dst.pdf").string()});
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(Has(bad.err, "FILE.txt, FILE.csv or -"));
    EXPECT_FALSE(fs::exists(TempFile("dst.pdf")));
    const CliRun unknown = Cli({"--table", "summer", "-"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_TRUE(Has(unknown.err, "correction or dst"));
}

TEST(CliDstJson, KeysOnlyWithARing)
{
    const CliRun plain = Cli({"--json", "-"});
    ASSERT_EQ(plain.code, 0) << plain.err;
    EXPECT_FALSE(Has(plain.out, "\"dstHourPoints\""));
    EXPECT_FALSE(Has(plain.out, "\"dstDateMarks\""));

    const auto two = Dial(1, 2);
    const std::string json = JsonReport(*two, 0, {});
    ASSERT_TRUE(Has(json, "\"dstHourPoints\": ["));
    const std::size_t marks = json.find("\"dstDateMarks\": [");
    ASSERT_NE(marks, std::string::npos);
    // The inner date scale's first entry is the start of the period, with the keys of dateMarks.
    const std::string first = json.substr(marks, json.find('}', marks) - marks);
    for (const char* key : {"\"label\": \"29.", "\"declination\"", "\"equationOfTime\"", "\"x\"", "\"y\""})
        EXPECT_TRUE(Has(first, key)) << key;
    // A ring the dial may not carry: the keys with empty lists; without tables, empty lists too.
    const auto refused = Dial(4, 2);
    const std::string none = JsonReport(*refused, 0, {});
    EXPECT_TRUE(Has(none, "\"dstHourPoints\": []"));
    EXPECT_TRUE(Has(none, "\"dstDateMarks\": []"));
    EXPECT_TRUE(Has(JsonReport(*two, 0, {}, ReportTables::Empty), "\"dstDateMarks\": []"));
}
