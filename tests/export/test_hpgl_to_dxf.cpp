// HPGL-to-DXF converter. Expected coordinates are computed by hand at 40 plotter units per millimetre
// (1000 units = 25 mm); the reader test runs ezdxf on a converted file.

#include "export/hpgl_to_dxf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <vector>

namespace umbrix {
namespace {

namespace fs = std::filesystem;

// Lines of a finished DXF file; fails the test when a line does not end with CR LF.
std::vector<std::string> Lines(const std::string& dxf)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < dxf.size()) {
        const std::size_t end = dxf.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "last line without CR LF";
            break;
        }
        const std::string line = dxf.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line end in " << line;
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> Split(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == separator) {
            parts.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

// The lines of the entities section, between "ENTITIES", "0" and the final "ENDSEC".
std::vector<std::string> EntityLines(const DxfConversion& conversion)
{
    const std::vector<std::string> lines = Lines(conversion.dxf);
    const auto begin = std::find(lines.begin(), lines.end(), "ENTITIES");
    if (begin == lines.end() || lines.size() < 3 || std::distance(begin, lines.end()) < 5)
        return {};
    return {begin + 2, lines.end() - 3};
}

// "|"-separated expected lines found one after the other in the entities section.
::testing::AssertionResult HasRecord(const DxfConversion& conversion, std::string_view expected)
{
    const std::vector<std::string> lines = EntityLines(conversion);
    const std::vector<std::string> wanted = Split(expected, '|');
    if (std::search(lines.begin(), lines.end(), wanted.begin(), wanted.end()) != lines.end())
        return ::testing::AssertionSuccess();
    std::string all;
    for (const std::string& line : lines)
        all += "[" + line + "]";
    return ::testing::AssertionFailure() << "missing " << expected << "\nentities: " << all;
}

// Entity names in order, e.g. "POLYLINE VERTEX VERTEX SEQEND".
std::string EntitySequence(const DxfConversion& conversion)
{
    const std::vector<std::string> lines = EntityLines(conversion);
    std::string names;
    bool atName = true;
    for (const std::string& line : lines) {
        if (atName)
            names += (names.empty() ? "" : " ") + line;
        atName = line == "0" || line == "  0";
    }
    return names;
}

constexpr std::string_view kPlotterStroke = "IN;SP 1;PU    1000     400;PD    2000     400    2000    1200;";
constexpr std::string_view kStrokeVertices = "VERTEX|  8|L_1| 62|1|  6|CONTINUOUS| 10|   25.0000| 20|   10.0000|0|"
                                             "VERTEX|  8|L_1| 62|1|  6|CONTINUOUS| 10|   50.0000| 20|   10.0000|0|"
                                             "VERTEX|  8|L_1| 62|1|  6|CONTINUOUS| 10|   50.0000| 20|   30.0000|0";

TEST(HpglToDxfFile, BeginsWithTheFixedTablesAndEndsWithEof)
{
    const DxfConversion conversion = ConvertHpglToDxf("IN;SP 1;");
    ASSERT_EQ(conversion.status, DxfConversionStatus::Converted);
    std::string expected = "0|SECTION|  2|HEADER|  9|$ACADVER|  1|AC1006|  9|$EXTMIN| 10|0.000| 20|0|  9|$EXTMAX|"
                           " 10|  411.00| 20|  287.50|  9|$LTSCALE| 40|0.0005|  0|ENDSEC|"
                           "  0|SECTION|  2|TABLES|  0|TABLE|  2|LTYPE| 70|     4|"
                           "  0|LTYPE|  2|CONTINUOUS| 70|64|  3|Solid line| 72|65| 73|0| 40|0.0|"
                           "  0|LTYPE|  2|DASHED| 70|64|  3|- - - - - - | 72|65| 73|2| 40|0.000001| 49|0.000001|"
                           " 49|-0.000000|"
                           "  0|LTYPE|  2|DASHDOT| 70|64|  3|- . - . - . - . | 72|65| 73|4| 40|0.000004| 49|0.000002|"
                           " 49|-0.000001| 49|0.00000| 49|-0.000001|"
                           "  0|LTYPE|  2|DOT| 70|64|  3|. . . .  | 72|65| 73|2| 40|0.000001| 49|0.00000| 49|-0.000001|"
                           "  0|ENDTAB|  0|TABLE|  2|LAYER| 70|    11|";
    // L_1 to L_10 for the plotter's pens, L_11 for the summer-time ring's hours.
    for (int n = 1; n <= 11; ++n)
        expected += "  0|LAYER| 70|64|  2|L_" + std::to_string(n) + "| 62|" + std::to_string(n) + "|  6|CONTINUOUS|";
    expected += "  0|ENDTAB|  0|TABLE|  2|STYLE| 70|2|"
                "  0|STYLE|  2|STANDARD| 70|0| 40|0.0| 41|1.00| 50|0.0| 71|0| 42|2.0|  3|txt|  4| |"
                "  0|STYLE|  2|STYLE1| 70|0| 40|0.0| 41|1.0| 50|0.0| 71|0| 42|2.0|  3|txt|  4| |"
                "  0|ENDTAB|  0|ENDSEC|  0|SECTION|  2|BLOCKS|  0|ENDSEC|"
                "0|SECTION|2|ENTITIES|0|ENDSEC|  0|EOF";
    EXPECT_EQ(Lines(conversion.dxf), Split(expected, '|'));
}

TEST(HpglToDxfFile, ExtentsFollowTheUnitsPerMillimetre)
{
    const DxfConversion conversion =
        ConvertHpglToDxf("IN;SP 1;", {.unitsPerMillimetre = 10.0, .widthStep = 1, .sourceName = {}});
    const std::vector<std::string> lines = Lines(conversion.dxf);
    ASSERT_GT(lines.size(), 20U);
    EXPECT_EQ(lines[17], " 1644.00"); // 16440 / 10, wider than 8 characters: written whole
    EXPECT_EQ(lines[19], " 1150.00");
}

TEST(HpglToDxfStrokes, PenStrokeBecomesOnePolylineInMillimetres)
{
    const DxfConversion conversion = ConvertHpglToDxf(kPlotterStroke);
    EXPECT_TRUE(HasRecord(conversion, "POLYLINE|  8|L_1| 62|1|  6|CONTINUOUS| 66|1| 40 |0.0E+00| 41 |0.0E+00|  0"));
    EXPECT_TRUE(HasRecord(conversion, std::string(kStrokeVertices) + "|SEQEND|  8|L_1|  0"));
    EXPECT_EQ(EntitySequence(conversion), "POLYLINE VERTEX VERTEX VERTEX SEQEND");
    EXPECT_TRUE(conversion.conversionLog.empty());
}

TEST(HpglToDxfStrokes, PolylineIsClosedByTheNextPenUpPenCircleOrLabel)
{
    for (const std::string_view next : {"PU 0 0;", "SP 5;", "CI 40;", "LBx\x03"}) {
        const DxfConversion conversion = ConvertHpglToDxf(std::string(kPlotterStroke) + std::string(next));
        const std::string sequence = EntitySequence(conversion);
        EXPECT_EQ(sequence.rfind("POLYLINE VERTEX VERTEX VERTEX SEQEND", 0), 0U) << sequence;
        EXPECT_TRUE(HasRecord(conversion, std::string(kStrokeVertices) + "|SEQEND")) << next;
    }
    // SP changes the pen before the SEQEND is written, so it carries the new layer.
    EXPECT_TRUE(HasRecord(ConvertHpglToDxf(std::string(kPlotterStroke) + "SP 5;"), "SEQEND|  8|L_5|  0"));
}

TEST(HpglToDxfStrokes, FurtherPenDownPairsContinueTheOpenPolyline)
{
    const DxfConversion conversion = ConvertHpglToDxf("IN;SP 2;PU 0,0;PD 40,0;PA 40,40;PD;PA 0,40;PU;");
    EXPECT_EQ(EntitySequence(conversion), "POLYLINE VERTEX VERTEX VERTEX VERTEX SEQEND");
    EXPECT_TRUE(HasRecord(conversion, " 10|    1.0000| 20|    1.0000|0|VERTEX|  8|L_2| 62|2|  6|CONTINUOUS|"
                                      " 10|    0.0000| 20|    1.0000|0|SEQEND"));
}

TEST(HpglToDxfStrokes, RelativePairsAreAddedToThePenPosition)
{
    // PR keeps the pen state: up it only moves (25 + 10, 10 + 0), down it draws.
    const DxfConversion conversion = ConvertHpglToDxf("IN;SP 1;PU 1000,400;PR 400,0;PD 0,800,-1000,0;");
    EXPECT_EQ(EntitySequence(conversion), "POLYLINE VERTEX VERTEX VERTEX SEQEND");
    EXPECT_TRUE(HasRecord(conversion, " 10|   35.00000| 20|   10.00000|0"));
    EXPECT_TRUE(HasRecord(conversion, " 10|   35.00000| 20|   30.00000|0"));
    EXPECT_TRUE(HasRecord(conversion, " 10|   10.00000| 20|   30.00000|0"));
}

TEST(HpglToDxfStrokes, LongCoordinateListKeepsEveryNumberWhole)
{
    // 120 pairs, far more than one piece of the parameter text; pair i is (i mm, 2 i mm).
    std::string hpgl = "IN;SP 1;PU 0 0;PD";
    for (int i = 1; i <= 120; ++i)
        hpgl += "   " + std::to_string(40 * i) + "    " + std::to_string(80 * i);
    const DxfConversion conversion = ConvertHpglToDxf(hpgl + ";");
    EXPECT_TRUE(conversion.conversionLog.empty());
    const std::vector<std::string> lines = EntityLines(conversion);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "VERTEX"), 121);
    EXPECT_TRUE(HasRecord(conversion, " 10|   37.0000| 20|   74.0000|0"));
    EXPECT_TRUE(HasRecord(conversion, " 10|  120.0000| 20|  240.0000|0|SEQEND"));
}

TEST(HpglToDxfStrokes, ClipWindowCutsStrokesAtItsBoundary)
{
    // Window 0..100 mm. Out through x = 100 at y = 50; both ends outside: dropped; back in through y = 100.
    const DxfConversion conversion =
        ConvertHpglToDxf("IN;SP 1;IW 0,0,4000,4000;PA 2000,2000;PD 6000,2000,6000,6000,2000,6000,2000,2000;PU;");
    EXPECT_EQ(EntitySequence(conversion), "POLYLINE VERTEX VERTEX SEQEND POLYLINE VERTEX VERTEX SEQEND");
    EXPECT_TRUE(HasRecord(conversion, " 10|   100.0000| 20|    50.0000|0|SEQEND"));
    EXPECT_TRUE(HasRecord(conversion, " 10|    50.0000| 20|   100.0000|0|VERTEX"));

    // Leaving across a corner region: (50, 50) -> (150, 250) crosses y = 100 at x = 75, inside the window.
    const DxfConversion corner = ConvertHpglToDxf("IN;SP 1;IW 0,0,4000,4000;PA 2000,2000;PD 6000,10000;");
    EXPECT_TRUE(HasRecord(corner, " 10|    75.0000| 20|   100.0000|0|SEQEND"));
}

TEST(HpglToDxfShapes, CircleIsCentredOnThePen)
{
    const DxfConversion conversion = ConvertHpglToDxf("IN;SP 2;PU 3000 3000;CI 400, 1;");
    EXPECT_TRUE(HasRecord(conversion, "CIRCLE|  8|L_2| 62|2| 10|   75.0000| 20|   75.0000| 40|   10.0000|0"));
}

TEST(HpglToDxfShapes, ArcsStartAtThePenAndLeaveItAtTheirEnd)
{
    // Pen (100, 100), centre (100, 110): the pen lies at 270 degrees; 90 degrees on ends at (110, 110).
    // AR then centres at (110, 100), where the pen lies at 90 degrees; -45 runs clockwise to 45 degrees.
    const DxfConversion conversion = ConvertHpglToDxf("IN;SP 3;PU 4000 4000;AA 4000 4400 90;AR 0 -400 -45;PD 40 40;");
    EXPECT_TRUE(HasRecord(conversion, "ARC|  8|L_3| 62|3| 10|  100.0000| 20|  110.0000| 40 |   10.0000|"
                                      " 50| 270.00| 51| 360.00|0"));
    EXPECT_TRUE(HasRecord(conversion, "ARC|  8|L_3| 62|3| 10|  110.00000| 20|  100.00000| 40 |   10.0000|"
                                      " 50|  45.00| 51|  90.00|0"));
    // The stroke starts at the end of the second arc: 110 + 10 cos 45, 100 + 10 sin 45.
    EXPECT_TRUE(HasRecord(conversion, "POLYLINE|  8|L_3| 62|3|  6|CONTINUOUS| 66|1| 40 |0.0E+00| 41 |0.0E+00|  0|"
                                      "VERTEX|  8|L_3| 62|3|  6|CONTINUOUS| 10|  117.07107| 20|  107.07107|0"));
}

TEST(HpglToDxfShapes, RectangleOutlineIsOneClosedPolyline)
{
    const DxfConversion conversion = ConvertHpglToDxf("IN;SP 1;PU 400 800;EA 1200 2000;");
    EXPECT_EQ(EntitySequence(conversion), "POLYLINE VERTEX VERTEX VERTEX VERTEX VERTEX SEQEND");
    EXPECT_TRUE(HasRecord(conversion, " 10|   10.0000| 20|   20.0000|0"));
    EXPECT_TRUE(HasRecord(conversion, " 10|   30.0000| 20|   20.0000|0"));
    EXPECT_TRUE(HasRecord(conversion, " 10|   30.0000| 20|   50.0000|0"));
    EXPECT_TRUE(HasRecord(conversion, " 10|   10.0000| 20|   50.0000|0|VERTEX"));
}

TEST(HpglToDxfText, LabelEndsAtEtxAndLosesSurroundingSeparators)
{
    const DxfConversion conversion = ConvertHpglToDxf("IN;SP 2;PU 400 800;LB  geogr. Breite =  47.25;\x03;");
    EXPECT_TRUE(HasRecord(conversion, "TEXT|  8|L_2| 62|2| 10|   10.0000| 20|   20.0000| 40|    2.7000| 41|0.7|"
                                      "  1|geogr. Breite =  47.25| 50|0.0| 51|0.0|  7|STANDARD|  0"));
}

TEST(HpglToDxfText, SizeDirectionSlantAndCharacterSetReachTheText)
{
    // SI 0.12 0.18 cm: height 0.18 * 400 / 40 = 1.8 mm; width factor 0.12 * 400 * 1.4 / 40 / 1.8 = 0.933.
    const DxfConversion conversion = ConvertHpglToDxf("IN;SP 1;SI 0.12 0.18;DI -1,0;SL 1;SA;LB^\x03SS;DI;SI;LBa\x03");
    EXPECT_TRUE(HasRecord(conversion, " 40|  1.80| 41|  0.93|  1|^ | 50|180.0| 51| 45.0|  7|STYLE1|  0"));
    EXPECT_TRUE(HasRecord(conversion, " 40|    2.7000| 41|0.7|  1|a| 50|0.0| 51| 45.0|  7|STANDARD|  0"));
}

TEST(HpglToDxfText, UmlautBytesSurviveAndLineBreaksInsideALabelDoNot)
{
    const DxfConversion conversion = ConvertHpglToDxf("IN;SP 1;LBK\xE4se\r\nund Sch\xFC"
                                                      "ssel\x03");
    EXPECT_TRUE(HasRecord(conversion, "  1|K\xE4se  und Sch\xFCssel| 50"));
}

TEST(HpglToDxfText, OverlongLabelIsCutWithANotice)
{
    // 301 characters with the ETX: cut to 250. The notice is UTF-8, the drawing keeps Windows-1252.
    const std::string label = "\xE4" + std::string(299, 'x');
    const DxfConversion conversion = ConvertHpglToDxf("IN;SP 1;LB" + label + "\x03");
    EXPECT_TRUE(HasRecord(conversion, "  1|\xE4" + std::string(249, 'x') + "| 50"));
    ASSERT_EQ(conversion.notices.size(), 1U);
    EXPECT_EQ(conversion.notices[0], "LB\xC3\xA4" + std::string(249, 'x') + ": Befehl ist zu lang und wird gekürzt!");
}

TEST(HpglToDxfInput, FilesWithoutCommandsAreNotHpgl)
{
    for (const std::string_view input :
         {std::string_view(""), std::string_view("0123 ;,.\r\n"), std::string_view("  I \r\n  \r\n")}) {
        const DxfConversion conversion =
            ConvertHpglToDxf(input, {.unitsPerMillimetre = 40.0, .widthStep = 1, .sourceName = "c:/plots/x.plt"});
        EXPECT_EQ(conversion.status, DxfConversionStatus::NotHpgl);
        EXPECT_TRUE(conversion.dxf.empty());
        EXPECT_EQ(conversion.conversionLog, std::vector<std::string>{"c:/plots/x.plt ist kein HPGL-File!"});
    }
}

TEST(HpglToDxfInput, PlotWithoutDrawingCommandConvertsNothing)
{
    const DxfConversion conversion = ConvertHpglToDxf("IN;;VS 1;PA 10,10;");
    EXPECT_EQ(conversion.status, DxfConversionStatus::NothingConverted);
    EXPECT_EQ(conversion.dxf.substr(0, 10), "0\rSECTION\r");
}

TEST(HpglToDxfInput, NumberErrorsAreLoggedAndConversionGoesOn)
{
    const DxfConversion conversion =
        ConvertHpglToDxf("IN;;SP 1;PU 1.2.3 40;PD 80 abc;ZZ 1;DI x;SL --;AA 40,40,5-;PD 40,80;");
    EXPECT_EQ(
        conversion.conversionLog,
        (std::vector<std::string>{"Fehler in: PU 1.2.3 40; weil:1.2.3 keine Zahl ist.", "Error in HPGL-command:PD abc;",
                                  "Command: ZZ; not supported!", "Error in HPGL-command:DI x;",
                                  "Fehler im Befehl SL :--!", "Fehler bei der Konvertierung des Bogenwinkels."}));
    // The unreadable x counts as -1 unit; the last stroke still converts.
    EXPECT_TRUE(HasRecord(conversion, " 10|   -0.0250| 20|    1.0000|0|VERTEX|  8"));
    EXPECT_TRUE(HasRecord(conversion, " 10|    1.0000| 20|    2.0000|0|SEQEND"));
}

TEST(HpglToDxfInput, BrokenAndHostileInputGivesAWellFormedFile)
{
    std::mt19937 random(12345);
    std::string garbage(10 * 1024 * 1024, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random());
    const std::vector<std::string> inputs{
        "IN;SP 1;PD",
        "IN;SP 1;PD 10,",
        "IN;SP 1;PU 5 5;AA 1;CI;EA;IW 1,2;SI 0.1;DI 0,0;PW 1;LB",
        "IN;SP 1;PD " + std::string(400, '9') + ",1;PR " + std::string(308, '9') + ",0," + std::string(308, '9') +
            ",0;SI 0,0;LBx\x03",
        "IN;SP 1;PD nan,inf;SP 99999999999999999999;SP -7;PD 1,1;",
        "IN;SP 1;LB" + std::string(1000000, 'x'),
        "IN;SP 1;PD " + std::string(1000000, '1'),
        "SP 1;" + garbage,
    };
    for (const std::string& input : inputs) {
        const DxfConversion conversion = ConvertHpglToDxf(input);
        ASSERT_EQ(conversion.status, DxfConversionStatus::Converted) << input.substr(0, 40);
        const std::vector<std::string> lines = Lines(conversion.dxf);
        ASSERT_GE(lines.size(), 3U);
        EXPECT_EQ(lines[lines.size() - 3], "ENDSEC");
        EXPECT_EQ(lines.back(), "EOF");
        // Every value after a coordinate or colour group code is a number.
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            if (lines[i] == " 10" || lines[i] == " 20" || lines[i] == " 40" || lines[i] == " 62") {
                EXPECT_NE(lines[i + 1].find_first_of("0123456789"), std::string::npos) << lines[i + 1];
                EXPECT_EQ(lines[i + 1].find_first_not_of(" +-.0123456789"), std::string::npos) << lines[i + 1];
            }
        }
    }
}

class HpglToDxfFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "umbrix_dxf_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path write(const std::string& name, std::string_view bytes) const
    {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
        return folder_ / name;
    }
    static std::string read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    fs::path folder_;
};

TEST_F(HpglToDxfFiles, ConvertedFileIsWrittenAndFailuresKeepTheOldTarget)
{
    const fs::path plot = write("dial.plt", kPlotterStroke);
    const DxfFileConversion done = ConvertHpglFileToDxf(plot, folder_ / "dial.dxf");
    EXPECT_EQ(done.status, DxfFileStatus::Converted);
    EXPECT_EQ(done.fileName, "dial.dxf");
    EXPECT_EQ(read(folder_ / "dial.dxf"), ConvertHpglToDxf(kPlotterStroke).dxf);

    const fs::path old = write("old.dxf", "previous drawing");
    const DxfFileConversion notHpgl = ConvertHpglFileToDxf(write("empty.plt", "12;\r\n"), old);
    EXPECT_EQ(notHpgl.status, DxfFileStatus::NotHpgl);
    EXPECT_EQ(notHpgl.fileName, "empty.plt");
    EXPECT_EQ(notHpgl.conversionLog,
              std::vector<std::string>{(folder_ / "empty.plt").string() + " ist kein HPGL-File!"});
    EXPECT_EQ(ConvertHpglFileToDxf(write("nothing.plt", "IN;VS 1;"), old).status, DxfFileStatus::NothingConverted);
    EXPECT_EQ(ConvertHpglFileToDxf(folder_ / "missing.plt", old).status, DxfFileStatus::InputUnreadable);
    EXPECT_EQ(read(old), "previous drawing");

    const DxfFileConversion noFolder = ConvertHpglFileToDxf(plot, folder_ / "no" / "such.dxf");
    EXPECT_EQ(noFolder.status, DxfFileStatus::OutputNotWritten);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator{}), 5); // no temporary left
}

// The real reader: ezdxf's tolerant loader with its auditor, then its strict loader (which alone insists on EOF).
TEST_F(HpglToDxfFiles, EzdxfReadsAConvertedPlot)
{
    if (std::system("/usr/bin/python3 -c 'import ezdxf' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "/usr/bin/python3 cannot import ezdxf";
    const fs::path plot = write("all.plt", "IN;SS;VS 1;PA;SP 4;PU 1 1;PD    16400 1   16400    11480 1     11480 1 1;"
                                           ";SP 4;PU 0 0;;SI  0.160  0.240;SP 2;PU 1000 400;PD 2000 400 2000 1200;"
                                           "PU 3000 3000;CI 400, 1;SP 3;PU 500 500;LBK\xE4se und \xDF\x03;SA;"
                                           "LB^\x03;SS;PU 4000 4000;AA 4000 4400 90;AR 0 -400 -45;LT 2;PD 40 40;"
                                           "LT;DI 0,1;SL 0.5;LBup\x03;EA 5000 5000;ER -40,-40;PW 1;IW 0,0,4000,4000;"
                                           "PU 2000 2000;PD 6000 2000;");
    const fs::path drawing = folder_ / "all.dxf";
    ASSERT_EQ(ConvertHpglFileToDxf(plot, drawing).status, DxfFileStatus::Converted);
    const std::string script =
        "import sys, collections, ezdxf\n"
        "from ezdxf import recover\n"
        "doc, auditor = recover.readfile(sys.argv[1])\n"
        "assert not auditor.has_errors, [e.message for e in auditor.errors]\n"
        "doc = ezdxf.readfile(sys.argv[1])\n"
        "kinds = collections.Counter(e.dxftype() for e in doc.modelspace())\n"
        "assert kinds == {\"POLYLINE\": 6, \"CIRCLE\": 1, \"ARC\": 2, \"TEXT\": 3}, kinds\n"
        "texts = [e.dxf.text for e in doc.modelspace().query(\"TEXT\")]\n"
        "assert texts == [\"K\\u00e4se und \\u00df\", \"^ \", \"up\"], texts\n"
        "first = [tuple(v.dxf.location)[:2] for v in doc.modelspace().query(\"POLYLINE\")[1].vertices]\n"
        "assert first == [(25, 10), (50, 10), (50, 30)], first\n";
    const std::string command = "/usr/bin/python3 -c '" + script + "' '" + drawing.string() + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
} // namespace umbrix
