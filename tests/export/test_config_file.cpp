// Configuration files: the exact layout, the reading rules and their fallbacks, round trips, robustness.

#include "export/config_file.h"
#include "export/data_paths.h"

#include "core/derived_geometry.h"
#include "core/driver.h"
#include "core/input_panel.h"
#include "core/loops.h"
#include "core/parameter_set.h"
#include "core/parameters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <random>
#include <tuple>

using namespace umbrix;

namespace {

/// Reads the lines and, when they were read in full, takes them into the model.
ConfigurationRead ReadInto(Model& model, const std::vector<std::string>& lines)
{
    ConfigurationRead read = ReadConfigurationLines(model, lines);
    if (read.dial)
        ApplyConfiguredDial(model, *read.dial);
    return read;
}

ConfigurationRead LoadInto(Model& model, const std::string& path)
{
    ConfigurationRead read = LoadConfigurationFile(model, path);
    if (read.dial)
        ApplyConfiguredDial(model, *read.dial);
    return read;
}

Model DefaultModel()
{
    Model m;
    InitDefaults(m);
    return m;
}

std::vector<std::string> Lines(const Model& m)
{
    return BuildConfigurationLines(m);
}

/// A model after reading `lines` into a default model.
Model Read(const std::vector<std::string>& lines, ConfigurationRead* read = nullptr)
{
    Model m = DefaultModel();
    const ConfigurationRead r = ReadInto(m, lines);
    if (read)
        *read = r;
    return m;
}

std::filesystem::path TempFile(const char* name)
{
    return std::filesystem::temp_directory_path() / name;
}

} // namespace

TEST(ConfigurationLayout, DefaultDialWritesTheTwentySixLines)
{
    const std::vector<std::string> expected = {
        "2015   0",
        "47.250000",
        "-9.590000",
        "-15.000000",
        "0.000000   0.000000   0.000000   0.000000",
        "90.000000",
        "1.700000   -3.000000",
        "2.750000",
        "20.200000",
        "3",
        "2",
        "1",
        "0",
        "5",
        "21",
        "8",
        "19",
        "1",
        "01/05",
        "0",
        "Deutsch",
        "nn",
        "",
        "",
        "",
        "",
        // The extension lines in table order; dstStart, dstEnd and bodyHeight only once set.
        "lengthUnit=m",
        "magneticDeclination=0.000000",
        "showLeapCycle=0",
        "leapCycleMean=0",
        "dstRing=0",
        "dstOffsetHours=1.000000",
        "dstRingScale=0.800000",
        "reachCoverage=0.900000",
        "hourLabels=all",
        "hourLabelSize=0.060000",
    };
    EXPECT_EQ(Lines(DefaultModel()), expected);
    EXPECT_EQ(ConfigurationText({"a", "b"}), "a\r\nb\r\n");
}

TEST(ConfigurationLayout, EnglishSwitchesAndGridColumns)
{
    Model m = DefaultModel();
    SetLanguage(m, Language::English);
    m.state.markRiseSet = true;
    m.state.fineSearch = true;
    m.state.useDefaultHours = false;
    m.grids.StrGridEin.setCell(1, 1, "8");
    m.grids.StrGridEin.setCell(1, 2, "9.5");
    m.grids.StrGridEin.setCell(1, 3, "11");
    m.grids.StrGridEin.setCell(1, 5, "after a gap");
    m.grids.StrGridEin.setCell(2, 2, " 0.50");
    const auto lines = Lines(m);
    EXPECT_EQ(lines[19], "1");
    EXPECT_EQ(lines[20], "English");
    EXPECT_EQ(lines[21], "jj");
    // Empty cells inside a column are empty pieces; the column ends with its last filled cell.
    EXPECT_EQ(lines[22], "8/9.5/11//after a gap/");
    EXPECT_EQ(lines[23], "/ 0.50/");
    EXPECT_EQ(lines[24], "");

    const Model back = Read(lines);
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(back.grids.StrGridEin.cell(1, r),
                  std::vector<std::string>({"8", "9.5", "11", "", "after a gap", ""})[static_cast<std::size_t>(r - 1)])
            << r;
    EXPECT_EQ(back.grids.StrGridEin.cell(2, 1), "");
    EXPECT_EQ(back.grids.StrGridEin.cell(2, 2), "0.50"); // a piece is read without its leading blanks
}

// Save and load keep what each method of the split dial reads from its hour table: the table the
// calculation rewrote, read back into a fresh model, gives the same table and the same loops again.
TEST(ConfigurationRead, EveryMethodsHourTableSurvivesSaveAndLoad)
{
    struct MethodTable {
        int method;
        std::vector<std::vector<std::string>> columns;
    };
    const MethodTable cases[] = {
        {0, {{"8.25", "11"}, {}, {"13.5", "17.5"}, {}}},
        {1, {{"8", "11"}, {"", "0.5"}, {"13", "16"}, {"", "1.5"}}}, // hours 8, 8.5 .. 11 and 13, 14.5, 16
        {2, {{"7.5", "9", "10.5", "11.5"}, {"2", "", "1", "0.5"}, {"13", "15", "17"}, {"1", "3", "2"}}},
        {3, {{"7.5", "9", "10.5", "11.5"}, {"2", "", "1", "0.5"}, {"13", "15", "17"}, {"1", "3", "2"}}},
        {4, {{"7.5", "9", "10.5", "11.5"}, {"2", "", "1", "0.5"}, {"13", "15", "17"}, {"", "3", "2"}}},
    };
    for (const MethodTable& c : cases) {
        Model m = DefaultModel();
        (void)SelectDialType(m, 6);
        m.params.marksMode = MarksMode::DoubleAnalemma;
        m.params.marksPerMonth = 1;
        m.params.doubleAnalemmaMethod = static_cast<DoubleAnalemmaMethod>(c.method);
        m.state.useDefaultHours = false;
        for (int col = 1; col <= 4; ++col)
            for (std::size_t r = 0; r < c.columns[static_cast<std::size_t>(col - 1)].size(); ++r)
                m.grids.StrGridEin.setCell(col, static_cast<int>(r) + 1,
                                           c.columns[static_cast<std::size_t>(col - 1)][r]);
        RecordingHost host;
        ASSERT_EQ(Recalculate(m, host), 0) << c.method;

        Model back = DefaultModel();
        ASSERT_TRUE(ReadInto(back, Lines(m)).ok);
        ASSERT_EQ(Recalculate(back, host), 0) << c.method;
        for (int col = 1; col <= 4; ++col)
            for (int r = 1; r < m.grids.StrGridEin.rowCount(); ++r)
                EXPECT_EQ(back.grids.StrGridEin.cell(col, r), m.grids.StrGridEin.cell(col, r))
                    << "method " << c.method << " column " << col << " row " << r;
        const LoopPair before = CurrentLoops(m);
        const LoopPair after = CurrentLoops(back);
        for (int r = 1; r <= 12; ++r) {
            EXPECT_EQ((*after.morning)[static_cast<std::size_t>(r)].x, (*before.morning)[static_cast<std::size_t>(r)].x)
                << "method " << c.method << " row " << r;
            EXPECT_EQ((*after.afternoon)[static_cast<std::size_t>(r)].y,
                      (*before.afternoon)[static_cast<std::size_t>(r)].y)
                << "method " << c.method << " row " << r;
        }
        if (c.method == 1) {
            // The step came back: seven hours 8, 8.5 .. 11 are listed from row 5 on.
            EXPECT_FALSE(back.grids.StrGridEin.cell(1, 11).empty());
            EXPECT_TRUE(back.grids.StrGridEin.cell(1, 12).empty());
        }
    }
}

TEST(ConfigurationRead, RoundTripForEveryDialTypeAndVariant)
{
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int type = 0; type < kDialTypeCount; ++type) {
        for (int method = 0; method <= 4; ++method) {
            Model m = DefaultModel();
            (void)SelectDialType(m, type);
            m.params.latitude = -60 + 120 * unit(random);
            m.params.longitude = -180 + 360 * unit(random);
            m.params.zoneMeridian = -120;
            m.params.planeInclination = 3.141593;
            m.params.planeDeviation = -12.5;
            m.params.gnomonDeviation = 7.25;
            m.params.gnomonInclination = -33.333333;
            m.params.gnomonHeight = 0.123456;
            // Z of the fixed-gnomon dial lies outside the date scale's reach, as its field makes sure.
            m.params.distanceZ = type == 7 ? -45.5 : 4.5;
            m.params.semiMajorAxis = 12.345678;
            m.params.riseSetDeclination = -19.999999;
            m.params.marksPerMonth = type == 7 ? 2 : 6;
            m.params.linesPerHour = 5;
            m.params.marksMode = static_cast<MarksMode>(type == 6 ? 2 : 1);
            m.params.showZoneTime = true;
            m.params.doubleAnalemmaMethod = static_cast<DoubleAnalemmaMethod>(method);
            m.state.hourFrom = 3;
            m.state.hourTo = 22;
            m.state.errorHourFrom = 7;
            m.state.errorHourTo = 20;
            if (method % 2)
                SetLanguage(m, Language::English);
            for (int c = 1; c <= 4; ++c)
                for (int r = 1; r <= c + method % 2; ++r)
                    m.grids.StrGridEin.setCell(c, r, std::to_string(7 + r + c));
            const auto lines = Lines(m);

            Model back = DefaultModel();
            ConfigurationRead read = ReadInto(back, lines);
            ASSERT_TRUE(read.ok);
            EXPECT_EQ(read.linesRead, 26);
            EXPECT_TRUE(read.messages.empty());
            // Every value the file holds comes back to 6 decimals...
            EXPECT_EQ(Lines(back), lines) << "type " << type << " method " << method;
            EXPECT_NEAR(back.params.latitude, m.params.latitude, 5e-7);
            EXPECT_EQ(back.params.planeDeviation, -12.5);
            EXPECT_EQ(back.params.gnomonInclination, -33.333333);
            EXPECT_EQ(back.state.language.languageIndex, m.state.language.languageIndex);
            for (int c = 1; c <= 4; ++c)
                for (int r = 1; r <= 6; ++r)
                    EXPECT_EQ(back.grids.StrGridEin.cell(c, r), m.grids.StrGridEin.cell(c, r));
        }
    }
}

TEST(ConfigurationRead, OnlyTheFirstLineSetsYearAndTypeAndKeepsTheRest)
{
    ConfigurationRead read;
    const Model m = Read({"2020   3"}, &read);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(m.params.year, 2020);
    EXPECT_EQ(DialTypeNumber(m.params.dialType), 3);
    EXPECT_EQ(m.params.latitude, 47.25);
    EXPECT_EQ(m.state.dialTitle, "Ebene geneigt (ze) und/oder Zeiger geneigt (z)");
    EXPECT_EQ(Read({"2020"}).params.dialType, DialType::Horizontal);
    EXPECT_EQ(Read({"year"}).params.year, 2016);
}

TEST(ConfigurationRead, FallbacksOfTheIntegerLines)
{
    std::vector<std::string> lines = Lines(DefaultModel());
    lines[6] = "1.5";    // line 7 with one number: distanceZ -3.0
    lines[17] = "7";     // line 18 above 4: method 0
    lines[10] = "0";     // 0 lines per hour cannot be drawn: the line's default 2
    lines[14] = "70000"; // not a 16-bit value: the line's default 19
    lines[9] = "x";      // not an integer: the line's default 3
    lines[19] = "5";     // rgDefault above 1 becomes 1
    lines[4] = "12.5";   // line 5 with one number: the other three 0
    const Model m = Read(lines);
    EXPECT_EQ(m.params.gnomonHeight, 1.5);
    EXPECT_EQ(m.params.distanceZ, -3.0);
    EXPECT_EQ(static_cast<int>(m.params.doubleAnalemmaMethod), 0);
    EXPECT_EQ(m.params.linesPerHour, 2);
    EXPECT_EQ(m.state.hourTo, 19);
    EXPECT_EQ(m.params.marksPerMonth, 3);
    EXPECT_FALSE(m.state.useDefaultHours);
    EXPECT_EQ(m.params.planeInclination, 12.5);
    EXPECT_EQ(m.params.gnomonInclination, 0); // line 6 (90) sets it again
}

TEST(ConfigurationRead, ShadowDateFollowsTheLeapYearRule)
{
    std::vector<std::string> lines = Lines(DefaultModel());
    lines[0] = "2024   0";
    lines[18] = "29/02";
    ConfigurationRead read;
    Model m = Read(lines, &read);
    EXPECT_EQ(m.state.shadowDateText, "29/02");
    EXPECT_TRUE(read.messages.empty());
    lines[0] = "2023   0";
    m = Read(lines, &read);
    EXPECT_EQ(m.state.shadowDateText, "01/05");
    ASSERT_EQ(read.messages.size(), 1u);
    EXPECT_EQ(read.messages[0].text, "Fehlerhaftes Datum !");
}

TEST(ConfigurationRead, NonNumberStopsAndChangesNothing)
{
    std::vector<std::string> lines = Lines(DefaultModel());
    lines[0] = "2030   2";
    lines[1] = "fourty";
    lines[2] = "-20";
    ConfigurationRead read;
    const Model m = Read(lines, &read);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.linesRead, 1);
    ASSERT_EQ(read.messages.size(), 1u);
    EXPECT_EQ(read.messages[0].text, "Error during File Input!");
    EXPECT_EQ(read.messages[0].caption, "UMBRIX.EXE  -  Fehler!");
    // All or nothing: the line read before the broken one is not taken either.
    EXPECT_EQ(Lines(m), Lines(DefaultModel()));
    EXPECT_EQ(DialTypeNumber(m.params.dialType), 0);

    Model empty = DefaultModel();
    read = ReadInto(empty, {});
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.messages[0].text, "File  nicht gefunden!");
}

TEST(ConfigurationRead, GnomonInclinationOfNinetyIsNudged)
{
    std::vector<std::string> lines = Lines(DefaultModel());
    lines[5] = "180.000000";
    const Model m = Read(lines);
    EXPECT_DOUBLE_EQ(m.params.gnomonInclination, 90.000001);
}

TEST(ConfigurationRead, LineEndsAndSeparators)
{
    const auto lines = SplitConfigurationLines("a\r\nb\nc\rd");
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d"}));
    const Model m = Read({"2015;5", "  47.5,", "-7.25", "-15", "1; 2,3   4"});
    EXPECT_EQ(DialTypeNumber(m.params.dialType), 5);
    EXPECT_EQ(m.params.latitude, 47.5);
    EXPECT_EQ(m.params.planeDeviation, 2);
    EXPECT_EQ(m.params.gnomonDeviation, 3);
}

TEST(ConfigurationFile, SaveLoadAndAFailedSaveKeepsTheOldFile)
{
    const auto path = TempFile("umbrix_config_test.ini");
    Model m = DefaultModel();
    m.params.latitude = -33.9;
    ASSERT_FALSE(SaveConfigurationFile(m, path.string()));
    Model back = DefaultModel();
    EXPECT_TRUE(LoadInto(back, path.string()).ok);
    EXPECT_EQ(back.params.latitude, -33.9);

    // Saving into a folder that does not exist names the file, the folder and the reason.
    const std::string bad = "/nonexistent-folder/x.ini";
    const auto failed = SaveConfigurationFile(m, bad);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->text, bad + "\n/nonexistent-folder: Datei oder Ordner existiert nicht");

    // A target that cannot be replaced keeps its old content.
    const auto dir = TempFile("umbrix_config_dir");
    std::filesystem::create_directories(dir);
    EXPECT_TRUE(SaveConfigurationFile(m, dir.string()));
    EXPECT_TRUE(std::filesystem::is_directory(dir));
    std::filesystem::remove_all(dir);

    const ConfigurationRead missing = LoadInto(back, "/nonexistent-folder/none.ini");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.messages[0].text,
              "Fehler beim Lesen der Datei!\n/nonexistent-folder/none.ini: Datei oder Ordner existiert nicht");
    std::filesystem::remove(path);
}

TEST(ConfigurationFile, StartConfigurationLookupOrder)
{
    const auto root = TempFile("umbrix_start_lookup");
    std::filesystem::remove_all(root);
    const auto program = root / "bin";
    const auto user = root / "user";
    const auto data = root / "share";
    for (const auto& d : {program, user, data})
        std::filesystem::create_directories(d);
    auto touch = [](const std::filesystem::path& p) { std::ofstream(p) << "2015   0\r\n"; };
    EXPECT_FALSE(FindStartConfiguration(program, user, {data}));
    touch(data / "start.adt");
    EXPECT_EQ(FindStartConfiguration(program, user, {data}), (data / "start.adt").string());
    touch(program / "start.adt");
    EXPECT_EQ(FindStartConfiguration(program, user, {data}), (program / "start.adt").string());
    touch(user / "umbrix.ini");
    EXPECT_EQ(FindStartConfiguration(program, user, {data}), (user / "umbrix.ini").string());
    touch(program / "umbrix.ini");
    EXPECT_EQ(FindStartConfiguration(program, user, {data}), (program / "umbrix.ini").string());
    EXPECT_EQ(StartConfigurationTarget(program, user), (program / "umbrix.ini").string());
    std::filesystem::remove_all(root);
}

// Seeded random mutations of a valid file: the reader never crashes, hangs or leaves a non-finite value.
// (The configuration fuzz target goes further, with the calculation of every model read.) 30 000 files;
// UMBRIX_MUTATION_COUNT sets another number (the sanitizer suite reads fewer).
TEST(ConfigurationRead, SurvivesMutatedAndHostileInput)
{
    const char* countText = std::getenv("UMBRIX_MUTATION_COUNT");
    const int count = countText && std::atoi(countText) > 0 ? std::atoi(countText) : 30000;
    const Model pristine = DefaultModel();
    const std::string valid = ConfigurationText(Lines(pristine));
    std::mt19937 random(7);
    const std::string alphabet = "0123456789-.;, /\r\njnDeutschEnglish\x01\xff";
    Model m = pristine;
    for (int i = 0; i < count; ++i) {
        std::string bytes = valid;
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = random() % (bytes.size() + 1);
            switch (random() % 3) {
            case 0:
                bytes.insert(at, 1, alphabet[random() % alphabet.size()]);
                break;
            case 1:
                if (at < bytes.size())
                    bytes.erase(at, 1 + random() % 4);
                break;
            default:
                if (at < bytes.size())
                    bytes[at] = alphabet[random() % alphabet.size()];
                break;
            }
        }
        m.params = pristine.params; // all that the reader writes
        m.state = pristine.state;
        m.derived = pristine.derived;
        m.grids.StrGridEin = pristine.grids.StrGridEin;
        (void)ReadInto(m, SplitConfigurationLines(bytes));
        ASSERT_TRUE(std::isfinite(m.params.latitude) && std::isfinite(m.derived.extentY) &&
                    std::isfinite(m.derived.cosPlaneGnomon))
            << bytes;
        ASSERT_GE(m.params.linesPerHour, 1);
        ASSERT_LE(DialTypeNumber(m.params.dialType), 7);
    }
    m = pristine;
    (void)ReadInto(m, SplitConfigurationLines(std::string(100000, '9')));
    (void)ReadInto(m, SplitConfigurationLines(std::string(10 << 20, '\n')));
    (void)ReadInto(m, SplitConfigurationLines(std::string(1, '\0')));
}

TEST(ConfigurationRead, NudgedGnomonInclinationReadsBackUnchanged)
{
    std::vector<std::string> lines = Lines(DefaultModel());
    lines[5] = "0.000000"; // gnomon inclination -90
    const Model first = Read(lines);
    EXPECT_DOUBLE_EQ(first.params.gnomonInclination, -89.999999);
    const auto saved = Lines(first);
    EXPECT_EQ(saved[5], "0.000001");
    EXPECT_EQ(Lines(Read(saved)), saved);
}

TEST(DataPaths, ShippedFilesAreFoundFromTheBuildTreeButAnInstalledProgramNeverLooksIntoTheSources)
{
    namespace fs = std::filesystem;
    // A program run from the build tree finds the shipped start configuration and help pages in the sources.
    const std::string inBuild = (fs::path(UMBRIX_BUILD_DIR) / "ui").string();
    EXPECT_FALSE(FindDataFile(inBuild, "start.adt").empty());
    EXPECT_FALSE(FindDataFile(inBuild, "umbrix_e.html").empty());
    EXPECT_TRUE(FindDataFile(inBuild, "no-such-file.txt").empty());

    // Installed elsewhere, or of unknown place: the folder beside the program and the install prefix only.
    const fs::path source = fs::path(UMBRIX_SOURCE_DIR).lexically_normal();
    for (const std::string programDir : {"/opt/umbrix/bin", "", "/nonexistent/bin", "/usr/bin/"}) {
        const std::vector<std::string> dirs = DataDirectories(programDir);
        if (!programDir.empty()) {
            EXPECT_EQ(dirs.front(), fs::path(programDir + "/../share/umbrix").lexically_normal().string());
        }
        for (const std::string& dir : dirs)
            EXPECT_FALSE(InsideFolder(dir, source.string()) && !InsideFolder(dir, UMBRIX_DATA_DIR))
                << programDir << " looks into " << dir;
    }
    // A build tree's name that merely begins like another folder is not inside it.
    EXPECT_FALSE(InsideFolder(std::string(UMBRIX_BUILD_DIR) + "-copy/bin", UMBRIX_BUILD_DIR));
    EXPECT_TRUE(InsideFolder(std::string(UMBRIX_BUILD_DIR) + "/./tests", std::string(UMBRIX_BUILD_DIR) + "/"));

    // An installed layout <prefix>/bin and <prefix>/share/umbrix, moved anywhere, finds its own data.
    const fs::path prefix = fs::temp_directory_path() / ("umbrix-install-" + std::to_string(::getpid()));
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share" / "umbrix");
    std::ofstream(prefix / "share" / "umbrix" / "start.adt") << "2015\n";
    EXPECT_EQ(fs::path(FindDataFile((prefix / "bin").string(), "start.adt")),
              (prefix / "share" / "umbrix" / "start.adt").lexically_normal());
    // The help page it lacks is not taken from the sources either.
    const std::string help = FindDataFile((prefix / "bin").string(), "umbrix_e.html");
    EXPECT_FALSE(InsideFolder(help, source.string())) << help;
    fs::remove_all(prefix);
}

TEST(ConfigurationRead, HugeNumbersSaveInFullAndReadBackWhereTheirFieldIsDisabled)
{
    Model m = DefaultModel();
    // The common dial disables the plane inclination: no check refuses it, and the file keeps it.
    m.params.planeInclination = -1.25e200;
    const auto lines = Lines(m);
    const std::string inclination = lines[4].substr(0, lines[4].find(' '));
    EXPECT_EQ(inclination.size(), 1u + 201u + 7u); // sign, 201 digits, point and 6 decimals
    EXPECT_EQ(inclination.substr(0, 5), "-1250");
    EXPECT_EQ(inclination.substr(inclination.size() - 7), ".000000");
    EXPECT_EQ(Lines(Read(lines)), lines);

    // The longitude field is enabled and refuses such a value: an error of line 3.
    m.params.longitude = -1.25e200;
    ConfigurationRead read;
    (void)Read(Lines(m), &read);
    EXPECT_FALSE(read.ok);
    ASSERT_EQ(read.messages.size(), 1u);
    EXPECT_EQ(read.messages[0].text, "Zeile 3, longitude: Wert außerhalb des zulässigen Bereichs");
}

// --- reading safely ------------------------------------------------------------------------------------

TEST(ConfigurationRead, AByteOrderMarkBeforeTheFirstLineIsSkipped)
{
    std::vector<std::string> lines = Lines(DefaultModel());
    lines[0] = "\xEF\xBB\xBF"
               "2030   3";
    ConfigurationRead read;
    const Model m = Read(lines, &read);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(m.params.year, 2030);
    EXPECT_EQ(DialTypeNumber(m.params.dialType), 3);
}

TEST(ConfigurationRead, AValueOutsideItsFieldsRangeIsAnErrorOfItsLineAndChangesNothing)
{
    struct Case {
        std::size_t line; // 0-based
        std::string text;
        std::string expected;
    };
    for (const Case& c : {Case{1, "1000.000000", "Zeile 2, latitude: Wert außerhalb des zulässigen Bereichs"},
                          Case{7, "0.000000", "Zeile 8, semiMajorAxis: Wert außerhalb des zulässigen Bereichs"},
                          Case{6, "-5.000000   -3.000000",
                               "Zeile 7, gnomonHeight: Wert außerhalb des zulässigen "
                               "Bereichs"}}) {
        std::vector<std::string> lines = Lines(DefaultModel());
        lines[0] = "2030   0"; // read before the bad line, and still not taken
        lines[c.line] = c.text;
        ConfigurationRead read;
        const Model m = Read(lines, &read);
        EXPECT_FALSE(read.ok) << c.text;
        ASSERT_EQ(read.messages.size(), 1u);
        EXPECT_EQ(read.messages[0].text, c.expected);
        EXPECT_EQ(read.messages[0].caption, "UMBRIX.EXE  -  Fehler!");
        EXPECT_EQ(Lines(m), Lines(DefaultModel()));
    }
}

TEST(ConfigurationRead, AnAxisWhoseEllipseOverflowsIsAnErrorOfItsLine)
{
    std::vector<std::string> lines = Lines(DefaultModel());
    lines[1] = "-3.000000";
    lines[7] = "17" + std::string(307, '0') + ".000000"; // 1.7e308: the axis field takes it, the reach overflows
    ConfigurationRead read;
    const Model m = Read(lines, &read);
    EXPECT_FALSE(read.ok);
    ASSERT_EQ(read.messages.size(), 1u);
    EXPECT_EQ(read.messages[0].text, "Zeile 8, semiMajorAxis: Wert außerhalb des zulässigen Bereichs");
    EXPECT_EQ(m.params.semiMajorAxis, DefaultModel().params.semiMajorAxis);
}

TEST(ConfigurationRead, UnusableDistancesToZAreReplacedOrRefusedByDialType)
{
    const std::string huge(400, '9'); // beyond any double
    for (const std::string& z : {huge, std::string("-10000000.000000")}) {
        std::vector<std::string> lines = Lines(DefaultModel());
        lines[6] = "1.700000   " + z;
        ConfigurationRead read;
        const Model m = Read(lines, &read);
        ASSERT_TRUE(read.ok) << z;
        EXPECT_TRUE(read.messages.empty());
        EXPECT_EQ(m.params.distanceZ, -3.0);

        lines[0] = "2015   7";
        (void)Read(lines, &read);
        EXPECT_FALSE(read.ok);
        ASSERT_EQ(read.messages.size(), 1u);
        EXPECT_EQ(read.messages[0].text, "Zeile 7, distanceZ: Wert außerhalb des zulässigen Bereichs");
    }
    // Any other dial type keeps a usable distance as it is, even inside the date scale's reach.
    std::vector<std::string> lines = Lines(DefaultModel());
    lines[6] = "1.700000   0.500000";
    EXPECT_EQ(Read(lines).params.distanceZ, 0.5);
}

TEST(ConfigurationRead, TheFixedGnomonDialMovesZOutOfTheReachOnceTheWholeFileIsRead)
{
    Model dial = DefaultModel();
    (void)SelectDialType(dial, 7);
    std::vector<std::string> lines = Lines(dial);
    lines[6] = "1.700000   0.500000";
    lines[7] = "4.000000"; // the axis comes after Z: the reach is known only at the end
    ConfigurationRead read;
    const Model m = Read(lines, &read);
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(read.messages.size(), 1u);
    EXPECT_EQ(read.messages[0].icon, MessageIcon::Information);
    const double reach = std::abs(m.params.semiMajorAxis * DateScaleFactor(m.params));
    EXPECT_GT(std::abs(m.params.distanceZ), reach);
    EXPECT_EQ(m.params.semiMajorAxis, 4.0);
}

TEST(ConfigurationRead, ExtensionLinesSetKnownSwitchesAndWarnAboutTheRest)
{
    std::vector<std::string> lines = Lines(DefaultModel());
    lines.push_back("showLambertCircle = 1");
    lines.push_back("futureSetting=m");
    lines.push_back("coordinatesAsXY=maybe");
    lines.push_back("a line without a name and a value");
    ConfigurationRead read;
    const Model m = Read(lines, &read);
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(m.params.showLambertCircle);
    ASSERT_EQ(read.messages.size(), 2u);
    const std::size_t first = Lines(DefaultModel()).size() + 2;
    EXPECT_EQ(read.messages[0].text,
              "Zeile " + std::to_string(first) + ": unbekannter Eintrag futureSetting wird übergangen");
    EXPECT_EQ(read.messages[1].text,
              "Zeile " + std::to_string(first + 1) + ": ungültiger Wert für coordinatesAsXY wird übergangen");
    EXPECT_EQ(read.messages[1].icon, MessageIcon::Warning);
}

TEST(ConfigurationFile, TooLargeEmptyAndSpecialFilesAreRefusedAndChangeNothing)
{
    const auto big = TempFile("umbrix_config_big.ini");
    std::ofstream(big) << ConfigurationText(Lines(DefaultModel())) << std::string(kMaxConfigurationBytes, '\n');
    Model m = DefaultModel();
    m.params.latitude = 12.5;
    ConfigurationRead read = LoadInto(m, big.string());
    EXPECT_FALSE(read.ok);
    ASSERT_EQ(read.messages.size(), 1u);
    EXPECT_EQ(read.messages[0].text,
              "Fehler beim Lesen der Datei!\n" + big.string() + ": Datei zu groß für eine Konfiguration");
    EXPECT_EQ(m.params.latitude, 12.5);

    std::ofstream(big, std::ios::trunc).flush();
    read = LoadInto(m, big.string());
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.messages[0].text, "File  nicht gefunden!\n" + big.string() + ": Datei ist leer");
    std::filesystem::remove(big);

    read = LoadInto(m, std::filesystem::temp_directory_path().string());
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(m.params.latitude, 12.5);
}

TEST(ConfigurationFile, AnInstalledProgramSavesItsStartConfigurationInTheUsersFolder)
{
    const auto user = TempFile("umbrix_start_user");
    std::filesystem::remove_all(user);
    EXPECT_EQ(StartConfigurationTarget("/usr/bin/", user.string()), (user / "umbrix.ini").string());
    EXPECT_TRUE(std::filesystem::is_directory(user));
    std::filesystem::remove_all(user);
}

TEST(ConfigurationRead, AReversedHourRangeIsAnErrorOfItsLineAndChangesNothing)
{
    std::vector<std::string> lines = Lines(DefaultModel());
    lines[13] = "12"; // first hour 12
    lines[14] = "12"; // last hour 12: no hour between them
    ConfigurationRead read;
    Model m = Read(lines, &read);
    EXPECT_FALSE(read.ok);
    ASSERT_EQ(read.messages.size(), 1u);
    EXPECT_EQ(read.messages[0].text, "Zeile 15, hourTo: Wert außerhalb des zulässigen Bereichs");
    EXPECT_EQ(Lines(m), Lines(DefaultModel()));

    // A file that ends after the first hour: that line is at fault (the default dial's last hour is 21).
    lines.resize(14);
    lines[13] = "20";
    m = DefaultModel();
    m.state.hourTo = 18;
    read = ReadInto(m, lines);
    EXPECT_FALSE(read.ok);
    ASSERT_EQ(read.messages.size(), 1u);
    EXPECT_EQ(read.messages[0].text, "Zeile 14, hourFrom: Wert außerhalb des zulässigen Bereichs");
    EXPECT_EQ(m.state.hourFrom, 5);

    // One hour apart is a range.
    lines = Lines(DefaultModel());
    lines[13] = "11";
    lines[14] = "12";
    m = Read(lines, &read);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(m.state.hourFrom, 11);
    EXPECT_EQ(m.state.hourTo, 12);
}

// Every written extension line reads back to the value it was written from, dates and the body height
// included; a default model saved and read gives the same lines again.
TEST(ConfigurationExtensions, EveryExtensionLineSurvivesSaveAndLoad)
{
    Model m = DefaultModel();
    for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{{"lengthUnit", "in"},
                                                                                      {"magneticDeclination", "-3.25"},
                                                                                      {"showLeapCycle", "1"},
                                                                                      {"leapCycleMean", "1"},
                                                                                      {"dstRing", "2"},
                                                                                      {"dstOffsetHours", "-1.5"},
                                                                                      {"dstRingScale", "0.65"},
                                                                                      {"dstStart", "29/2"},
                                                                                      {"dstEnd", "01/11"},
                                                                                      {"bodyHeight", "1.2"},
                                                                                      {"reachCoverage", "0.75"}})
        ASSERT_EQ(SetParameter(m, name, value).status, SetStatus::Accepted) << name;
    const std::vector<std::string> lines = Lines(m);
    for (const char* line : {"lengthUnit=in", "magneticDeclination=-3.250000", "dstStart=29/02", "dstEnd=01/11",
                             "bodyHeight=1.200000", "dstRing=2", "reachCoverage=0.750000"})
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    ConfigurationRead read;
    const Model back = Read(lines, &read);
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(read.messages.empty());
    for (const ParameterRow& row : ParameterTable())
        if (row.saved.extension == ExtensionLine::ReadWrite) {
            EXPECT_EQ(ValueOf(row, back), ValueOf(row, m)) << row.name;
        }
    EXPECT_EQ(Lines(back), lines);
}

// "Not set" is no value: dstStart, dstEnd and bodyHeight have no line until set, and a file without their
// line unsets them (the European rule; the body height follows the gnomon again).
TEST(ConfigurationExtensions, DatesAndBodyHeightAreSavedOnlyWhenSet)
{
    Model m = DefaultModel();
    auto has = [](const std::vector<std::string>& lines, std::string_view prefix) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.starts_with(prefix); });
    };
    EXPECT_FALSE(has(Lines(m), "dstStart="));
    EXPECT_FALSE(has(Lines(m), "bodyHeight="));
    ASSERT_EQ(SetParameter(m, "dstStart", "15/04").status, SetStatus::Accepted);
    ASSERT_EQ(SetParameter(m, "bodyHeight", "1.1").status, SetStatus::Accepted);
    EXPECT_TRUE(has(Lines(m), "dstStart=15/04"));
    EXPECT_FALSE(has(Lines(m), "dstEnd="));
    // A file written without the lines, read into the model that has them set.
    const std::vector<std::string> plain = Lines(DefaultModel());
    ASSERT_TRUE(ReadInto(m, plain).ok);
    EXPECT_FALSE(m.params.dst.start.has_value());
    EXPECT_FALSE(m.params.bodyHeight.has_value());
    ASSERT_EQ(SetParameter(m, "dstStart", "15/04").status, SetStatus::Accepted);
    ASSERT_EQ(SetParameter(m, "dstStart", "").status, SetStatus::Accepted);
    EXPECT_FALSE(has(Lines(m), "dstStart="));
}

// A file written before the design settings existed has none of their lines: it reads as the defaults, not
// as the settings of the dial read before it (a dial in centimetres must not make the next file centimetres).
TEST(ConfigurationExtensions, AFileWithoutTheLinesOfTheDesignSettingsReadsAsTheirDefaults)
{
    Model m = DefaultModel();
    for (const auto& [name, value] :
         {std::pair{"lengthUnit", "cm"}, std::pair{"magneticDeclination", "3.5"}, std::pair{"dstRing", "1"},
          std::pair{"dstOffsetHours", "2"}, std::pair{"showLeapCycle", "1"}, std::pair{"reachCoverage", "0.5"}})
        ASSERT_EQ(SetParameter(m, name, value).status, SetStatus::Accepted) << name;
    std::vector<std::string> old = Lines(DefaultModel());
    old.resize(26);
    ASSERT_TRUE(ReadInto(m, old).ok);
    const DialParameters defaults = DefaultModel().params;
    EXPECT_EQ(m.params.lengthUnit, defaults.lengthUnit);
    EXPECT_EQ(m.params.magneticDeclination, 0);
    EXPECT_EQ(static_cast<int>(m.params.dst.ring), 0);
    EXPECT_EQ(m.params.dst.offsetHours, 1);
    EXPECT_EQ(m.params.showLeapCycle, 0);
    EXPECT_EQ(m.params.reachCoverage, defaults.reachCoverage);
}

// A value the parameter does not take is skipped with the warning of its line, and the rest of the file
// is read; a ring 2 on a dial type without room for it is kept as the file says.
TEST(ConfigurationExtensions, BadValuesAreSkippedWithTheWarningOfTheirLine)
{
    std::vector<std::string> lines = Lines(DefaultModel());
    lines[0] = "2015   3"; // dial type 3: no inner ring
    const std::size_t first = lines.size() + 1;
    for (const char* line : {"lengthUnit=km", "dstOffsetHours=0", "dstRingScale=0.96", "dstStart=31/04", "dstEnd=1.11",
                             "bodyHeight=0.05", "reachCoverage=0", "magneticDeclination=nan", "dstRing=2"})
        lines.push_back(line);
    ConfigurationRead read;
    const Model m = Read(lines, &read);
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(read.messages.size(), 8u);
    const char* names[] = {"lengthUnit", "dstOffsetHours", "dstRingScale",  "dstStart",
                           "dstEnd",     "bodyHeight",     "reachCoverage", "magneticDeclination"};
    for (std::size_t k = 0; k < 8; ++k)
        EXPECT_EQ(read.messages[k].text,
                  "Zeile " + std::to_string(first + k) + ": ungültiger Wert für " + names[k] + " wird übergangen");
    const DialParameters defaults = DefaultModel().params;
    EXPECT_EQ(m.params.lengthUnit, defaults.lengthUnit);
    EXPECT_EQ(m.params.dst.offsetHours, 1);
    EXPECT_FALSE(m.params.dst.start.has_value());
    EXPECT_EQ(m.params.reachCoverage, 0.9);
    EXPECT_EQ(DialTypeNumber(m.params.dialType), 3);
    EXPECT_EQ(static_cast<int>(m.params.dst.ring), 2);
}

// --- lines not taken as written ---------------------------------------------------------------------------

TEST(ConfigurationWarnings, AFileCutShortChangesItsLinesAndSaysWhichKeepTheirValues)
{
    Model before = DefaultModel();
    before.params.semiMajorAxis = 7.5;
    const ConfigurationRead read = ReadConfigurationLines(before, {"2020   0", "52.000000"});
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(read.warnings.size(), 1u);
    EXPECT_EQ(read.warnings[0].line, 2);
    EXPECT_EQ(read.warnings[0].text, "die Zeilen 3 bis 26 behalten die aktuellen Werte");
    Model m = before;
    ApplyConfiguredDial(m, *read.dial);
    EXPECT_EQ(m.params.latitude, 52);
    EXPECT_EQ(m.params.semiMajorAxis, 7.5); // the current axis, as the warning says
    EXPECT_EQ(WarningLines("cut.ini", read.warnings),
              std::vector<std::string>{"cut.ini:2: die Zeilen 3 bis 26 behalten die aktuellen Werte"});
    const std::optional<UiMessage> shown = WarningsMessage(before.state.language, "cut.ini", read.warnings);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->text, "Beim Laden von cut.ini:\n2: die Zeilen 3 bis 26 behalten die aktuellen Werte");
    // A whole file says nothing.
    EXPECT_TRUE(ReadConfigurationLines(before, Lines(before)).warnings.empty());
}

TEST(ConfigurationWarnings, ACommaOnALineOfOneNumberIsItsDecimalPoint)
{
    std::vector<std::string> lines = Lines(DefaultModel());
    lines[1] = "52,500000";
    lines[2] = "3,750000";
    lines[4] = "0,000000   5,5   7"; // several numbers: "," separates them
    ConfigurationRead read;
    const Model m = Read(lines, &read);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(m.params.latitude, 52.5);
    EXPECT_EQ(m.params.longitude, 3.75);
    EXPECT_EQ(m.params.planeInclination, 0);
}

TEST(ConfigurationWarnings, OutOfRangeFallbacksAndExtraNumbersAreToldByLine)
{
    std::vector<std::string> lines = Lines(DefaultModel());
    lines[0] = "99999   0";
    lines[10] = "0";                    // lines per hour
    lines[1] = "47.250000   12.000000"; // one number too many
    ConfigurationRead read;
    const Model m = Read(lines, &read);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(m.params.year, 2016);
    EXPECT_EQ(m.params.latitude, 47.25);
    ASSERT_EQ(read.warnings.size(), 3u);
    EXPECT_EQ(read.warnings[0].line, 1);
    EXPECT_EQ(read.warnings[0].text, "Wert 99999 außerhalb des Bereichs, 2016 wird verwendet");
    EXPECT_EQ(read.warnings[1].line, 2);
    EXPECT_EQ(read.warnings[1].text, "die Zeile nutzt 1 Zahl(en), die weiteren werden übergangen");
    EXPECT_EQ(read.warnings[2].line, 11);
}

TEST(ConfigurationWarnings, AnExponentOrTextAfterANumberRefusesTheWholeFileNamingFileAndLine)
{
    for (const char* text : {"1e400", "1e2", "52.5 m", "52.5x"}) {
        std::vector<std::string> lines = Lines(DefaultModel());
        lines[0] = "2030   3"; // read before, and still not taken
        lines[1] = text;
        const ConfigurationRead read = ReadConfigurationLines(DefaultModel(), lines);
        EXPECT_FALSE(read.ok) << text;
        EXPECT_FALSE(read.dial) << text;
        ASSERT_EQ(read.messages.size(), 1u);
        EXPECT_EQ(read.messages[0].text,
                  std::string(text) + " ist keine einfache Zahl (kein Exponent, nichts dahinter)");
    }
    // Through a file: the file and the line below the message, also for the old input error.
    const std::filesystem::path path = TempFile("umbrix_bad_line.ini");
    std::vector<std::string> lines = Lines(DefaultModel());
    lines[2] = "east";
    std::ofstream(path, std::ios::binary) << ConfigurationText(lines);
    const ConfigurationRead read = LoadConfigurationFile(DefaultModel(), path.string());
    std::filesystem::remove(path);
    ASSERT_FALSE(read.ok);
    ASSERT_EQ(read.messages.size(), 1u);
    EXPECT_EQ(read.messages[0].text, "Error during File Input!\n" + path.string() + ":3");
}

TEST(ConfigurationRead, LengthsBeyondTheirBoundsAreAnErrorOfTheirLine)
{
    for (const auto& [index, text, expected] :
         {std::tuple{7u, "1000000000.000000", "Zeile 8, semiMajorAxis"},
          std::tuple{6u, "2000000.000000   -3.000000", "Zeile 7, gnomonHeight"}}) {
        std::vector<std::string> lines = Lines(DefaultModel());
        lines[index] = text;
        ConfigurationRead read;
        (void)Read(lines, &read);
        EXPECT_FALSE(read.ok) << text;
        ASSERT_EQ(read.messages.size(), 1u);
        EXPECT_TRUE(read.messages[0].text.starts_with(expected)) << read.messages[0].text;
    }
}
