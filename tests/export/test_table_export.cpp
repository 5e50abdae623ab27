// Table export: the header lines, the grid rows with "; " after every cell, the file name rule, and a
// read-back of the file as a spreadsheet would split it.

#include "export/table_export.h"
#include "tests/core/default_model.h"

#include "core/driver.h"
#include "core/input_panel.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace umbrix;
using umbrix::test::DefaultModel;

TEST(TableExport, HeaderOfTheHourMarkTable)
{
    Model m = DefaultModel();
    m.grids.lKoordAufUnter = "(± 1.234/0.00)";
    const auto lines = BuildTableExport(m, {TablePage::HourMarks, false});
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[0], "Ebene horizontal, Zeiger vertikal (häufigste analemm. SU)");
    EXPECT_EQ(lines[1], "Stundenmarkierung - Koordinaten  (x/y-Koordinaten der Stundenpunkte);");
    EXPECT_EQ(lines[2], " ;");
    EXPECT_EQ(lines[3], "geogr. Breite= 47.25   geogr. Laenge= -9.59   Zonenmeridian=-15.00");
    // The plane inclination is labelled as such.
    EXPECT_EQ(lines[4], "grosse Halbachse= 2.75   Ebene Neigung= 0.00   Berechnung fuer Jahr=2015");
    EXPECT_EQ(lines[5], "Zeigerlaenge= 1.70   Zeiger Neigung=  0.00  Auf-/Untergangspunkt (Position): (± 1.234/0.00)");
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8], " ;");
    EXPECT_EQ(lines.size(), 9u + 42u); // every row of the 42-row grid, the header row included
}

TEST(TableExport, TitlesOfTheOtherPagesInEnglish)
{
    Model m = DefaultModel();
    SetLanguage(m, Language::English);
    EXPECT_EQ(BuildTableExport(m, {TablePage::ShadowPath, false})[1], "Shadow path on [dd/mm] 01/05;");
    EXPECT_EQ(BuildTableExport(m, {TablePage::DateMarks, false})[1], "     Date Marks     ;");
    EXPECT_EQ(BuildTableExport(m, {TablePage::Loops, true})[1], "   Show Error Table for  afternoon;");
    EXPECT_EQ(BuildTableExport(m, {TablePage::Loops, false})[1], "   Show Error Table for   morning;");
    m.state.coordinatesAsXY = false;
    EXPECT_EQ(BuildTableExport(m, {TablePage::HourMarks, false})[1],
              " Hour Marks - Coordinates   (distance to end points of vertical ellipse axis);");
}

TEST(TableExport, SplitDialHeaderNamesTheMethodAndItsHours)
{
    Model m = DefaultModel();
    m.params.dialType = DialType::MeanTime;
    m.params.marksMode = MarksMode::DoubleAnalemma;
    m.params.doubleAnalemmaMethod = DoubleAnalemmaMethod::ExactAtTwoHours;
    StringGrid& ein = m.grids.StrGridEin;
    ein.setCell(1, 1, "  8.00");
    ein.setCell(1, 2, " 11.00");
    ein.setCell(3, 1, " 13.50");
    ein.setCell(3, 2, " 17.50");
    auto lines = BuildTableExport(m, {TablePage::Loops, true});
    EXPECT_EQ(lines[6], "zweigeteilte Sonnenuhr: exakt für 2 ausgewählte Stunden (  8:00 Uhr,  11:00 Uhr )");
    EXPECT_EQ(lines[7], "Nachmittag 13:30 Uhr,  17:30 Uhr;");

    m.params.doubleAnalemmaMethod = DoubleAnalemmaMethod::MeanOfExact;
    ein.setCell(4, 2, "  0.50");
    lines = BuildTableExport(m, {TablePage::Loops, false});
    EXPECT_EQ(lines[6], "zweigeteilte Sonnenuhr: Mittelwert von Methode 1");
    EXPECT_EQ(lines[7], "Vormittag:  8:00 - 11:00 im Intervall  0:00;");

    m.params.doubleAnalemmaMethod = DoubleAnalemmaMethod::SearchMeanError;
    lines = BuildTableExport(m, {TablePage::Loops, true});
    EXPECT_EQ(lines[7], "Nachmittag 13:30 17:30;");
}

TEST(TableExport, RowsEndWithTheSeparatorAndEmptyCellsFollowDirectly)
{
    Model m = DefaultModel();
    m.grids.StrGridStd.resize(3, 2);
    m.grids.StrGridStd.setCell(0, 0, " Nr. ");
    m.grids.StrGridStd.setCell(2, 0, "   x   ");
    m.grids.StrGridStd.setCell(1, 1, "7:30");
    const auto lines = BuildTableExport(m, {TablePage::HourMarks, false});
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[9], " Nr. ; ;    x   ; ");
    EXPECT_EQ(lines[10], "; 7:30; ; ");
}

TEST(TableExport, FileNameKeepsFoldersAndReplacesTheExtension)
{
    EXPECT_EQ(TableFileName("C:/data/tab.xls", true), "C:/data/tab.csv");
    EXPECT_EQ(TableFileName("a.b/./tab.xls", true), "a.b/./tab.csv");
    EXPECT_EQ(TableFileName("/home/u/Tabelle", false), "/home/u/Tabelle.txt");
    EXPECT_EQ(TableFileName("/home/u/tab.2026.v1.txt", false), "/home/u/tab.txt");
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

static std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// The cells of each grid row as a spreadsheet reader finds them in the file, splitting at "; " after the
/// byte-order mark of a .csv file.
static std::vector<std::vector<std::string>> ReadBackRows(const std::string& path)
{
    std::string text = ReadBytes(path);
    if (text.starts_with(kByteOrderMark))
        text.erase(0, kByteOrderMark.size());
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    int lineNumber = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2, ++lineNumber) {
        if (lineNumber < 9) // the header lines
            continue;
        const std::string line = text.substr(start, end - start);
        std::vector<std::string> cells;
        std::size_t from = 0;
        for (std::size_t sep; (sep = line.find("; ", from)) != std::string::npos; from = sep + 2)
            cells.push_back(line.substr(from, sep - from));
        EXPECT_EQ(from, line.size()); // every row ends with the separator
        rows.push_back(std::move(cells));
    }
    EXPECT_EQ(start, text.size()); // every line ends with CR LF
    return rows;
}

// Every table of a calculated dial (the split dial for the loop tables) reads back cell for cell.
TEST(TableExport, WrittenFilesReadBackAsTheGridsCells)
{
    auto plain = std::make_unique<Model>();
    InitDefaults(*plain);
    auto split = std::make_unique<Model>();
    InitDefaults(*split);
    split->params.marksMode = MarksMode::DoubleAnalemma;
    split->params.doubleAnalemmaMethod = DoubleAnalemmaMethod::ExactAtTwoHours;
    (void)SelectDialType(*split, 6);
    RecordingHost host;
    ASSERT_EQ(Recalculate(*plain, host), 0);
    ASSERT_EQ(Recalculate(*split, host), 0);
    struct Case {
        const Model& model;
        TableChoice choice;
        const StringGrid& grid;
    };
    const Case cases[] = {
        {*plain, {TablePage::HourMarks, false}, plain->grids.StrGridStd},
        {*plain, {TablePage::ShadowPath, false}, plain->grids.StrGridShad},
        {*plain, {TablePage::DateMarks, false}, plain->grids.StrGridDat},
        {*split, {TablePage::Loops, false}, split->grids.StrGrid8b},
        {*split, {TablePage::Loops, true}, split->grids.StrGrid8},
    };
    const auto path = std::filesystem::temp_directory_path() / ("umbrix_table_test_" + std::to_string(::getpid()) + ".csv");
    for (const Case& c : cases) {
        ASSERT_FALSE(WriteTableExport(c.model, c.choice, path.string()));
        EXPECT_FALSE(c.grid.cell(1, 1).empty()); // a calculated table, not an empty one
        const auto rows = ReadBackRows(path.string());
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.grid.rowCount()));
        for (int r = 0; r < c.grid.rowCount(); ++r) {
            ASSERT_EQ(rows[static_cast<std::size_t>(r)].size(), static_cast<std::size_t>(c.grid.colCount()));
            for (int col = 0; col < c.grid.colCount(); ++col)
                EXPECT_EQ(rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(col)], c.grid.cell(col, r))
                    << r << "," << col;
        }
    }
    std::filesystem::remove(path);

    Model m = DefaultModel();
    const auto failed = WriteTableExport(m, {TablePage::ShadowPath, false}, "/nonexistent-folder/t.txt");
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->text, "Open error: File  /nonexistent-folder/t.txt\n/nonexistent-folder: Datei oder Ordner "
                            "existiert nicht");
}

// A spreadsheet that assumes the Windows code page reads "für" and "±" right only with the UTF-8 mark in
// front: .csv files carry it, in any letter case of the ending; .txt files are plain UTF-8.
TEST(TableExport, CsvFilesBeginWithTheByteOrderMarkAndTxtFilesDoNot)
{
    Model m = DefaultModel();
    RecordingHost host;
    ASSERT_EQ(Recalculate(m, host), 0);
    const auto dir = std::filesystem::temp_directory_path() / ("umbrix_table_bom_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const TableChoice hours{TablePage::HourMarks, false};
    for (const char* name : {"t.txt", "t.csv", "u.TXT", "u.CSV", "v.Csv"})
        ASSERT_FALSE(WriteTableExport(m, hours, (dir / name).string())) << name;
    const std::string plain = ReadBytes(dir / "t.txt");
    EXPECT_FALSE(plain.starts_with(kByteOrderMark));
    EXPECT_NE(plain.find("\u00b1"), std::string::npos); // the rise/set position "(±x/0.00)" in the header
    EXPECT_EQ(ReadBytes(dir / "u.TXT"), plain);
    for (const char* name : {"t.csv", "u.CSV", "v.Csv"})
        EXPECT_EQ(ReadBytes(dir / name), std::string(kByteOrderMark) + plain) << name;
    std::filesystem::remove_all(dir);
}
