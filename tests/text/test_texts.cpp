// Tests of the language tables: sizes, exact texts with their blanks, escapes, empty rows,
// out-of-range lookups, string resources, menu captions and month names.

#include "text/texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {
namespace {

const LanguageState kDe = StateFor(Language::German);
const LanguageState kEn = StateFor(Language::English);

struct Expected {
    int row;
    std::string_view german;
    std::string_view english;
};

// ---------------------------------------------------------------------------------------------
// Sizes and language selection

TEST(TextTables, RowCountsAndLanguageState)
{
    EXPECT_EQ(kTextRows, 32);
    EXPECT_EQ(kLabelRows, 123);
    EXPECT_EQ(kMessageRows, 57);
    EXPECT_EQ(kMenuEntries, 30);
    EXPECT_EQ(MenuCaptions(kDe).size(), 30u);
    EXPECT_EQ(MonthNames(kEn).size(), 12u);
    EXPECT_EQ(ResourceEntries().size(), 97u);

    EXPECT_EQ(kDe.languageIndex, 1);
    EXPECT_EQ(kDe.stringIdOffset, 0);
    EXPECT_EQ(kEn.languageIndex, 2);
    EXPECT_EQ(kEn.stringIdOffset, 2000);
    // A default state is German.
    EXPECT_EQ(TextRow(LanguageState{}, 12), "     Grafik      ");
}

TEST(TextTables, LastRowOfEachTableIsThere)
{
    // Catches a table that lost or gained a row: the last rows with text sit where they belong.
    EXPECT_EQ(TextRow(kDe, 31), "Groeßte Halbachse =");
    EXPECT_EQ(TextRow(kEn, 31), "Longest semimajor axis =");
    EXPECT_EQ(MessageRow(kDe, 56), "Datei konnte nicht gelöscht werden!");
    EXPECT_EQ(MessageRow(kEn, 56), "Unable to delete file!");
    EXPECT_EQ(LabelRow(kDe, 118), "   Es gilt:  Zonenzeit (MEZ) = wahre Ortszeit - Tabellenwert");
    EXPECT_EQ(LabelRow(kEn, 118), "      Civil Time = Local Apparent Time - Value in Table");
}

// ---------------------------------------------------------------------------------------------
// Exact texts, blanks at both ends included

TEST(TextTables, TextTableSample)
{
    const std::vector<Expected> rows = {
        {0, " Tabelle der Zeitgleichung", " Equation of Time -Table "},
        {2, " Konstruktion einer ", "Construction of a"},
        {5, "Stunden mit \"Fehlergewichtung\"", "hours and \"error weight\""},
        {8, "|-ab 12 Uhr", "|  p.m."},
        {9, "bis", " to"},
        {10, "-bis 12 Uhr", "   a.m."},
        {12, "     Grafik      ", " Graphic Display "},
        {13, "Stundenmarkierung - Koordinaten", " Hour Marks - Coordinates "},
        {14, " Weg des Schattens ", "  Shadow Path  "},
        {15, " Datumsmarkierung ", "     Date Marks     "},
        {16, "  Doppelanalemma  ", "    Split Analemma     "},
        {21, " Schliessen", "  Close"},
        {28, "Konstruktionsdaten (*.ini)|*.ini|Konstruktionsdaten alt( *.adt)|*.adt|Alle Dateien (*.*)|*.*",
         "Construction Data (*.ini)|*.ini|Construction Data old (*.adt)|*.adt|All Files (*.*)|*.*"},
        {30, "Minimaler Absolutwert =", "Minimum absolute value ="},
    };
    for (const Expected& e : rows) {
        EXPECT_EQ(TextRow(kDe, e.row), e.german) << "T" << e.row;
        EXPECT_EQ(TextRow(kEn, e.row), e.english) << "T" << e.row;
    }
}

TEST(TextTables, MessageTableSample)
{
    const std::vector<Expected> rows = {
        {1, "      (Alter Wert mit Taste <RETURN> ) !", "        (Press <ENTER> for old value)"},
        {3, "Die Inklination muss im Bereich [0 ° ... +175 °] liegen!",
         "The inclination has to be in between [0 ° ... +175 °] !"},
        {4, "Das ist keine reelle Zahl.", "This is not a real number !"},
        {6, "Fehlerhafte Eingabe !", "Error in Input !"},
        {9, "Jahresangabe ", "year "},
        {13, ": Zulässiger Wertebereich ist", ": Value has to be in Interval"},
        {17, "Fehlerhaftes Datum !", "Error in Date !"},
        {18, " :  Datei kann nicht gespeichert werden! Schreibgeschützt?",
         " :  Could not save file! Write-protection?"},
        {25, "Fehler bei Umwandlung in String!", "Error in conversion into string!"},
        {26, "Dieses Kalenderdatum existiert nicht. 1582/10/15 ist der korrigierte Wert für die Berechnung!",
         "This date does not exist. Correction to 15/10/1582 is made for calculation!"},
        {28, "Überschreibe jetzt die Datei ", " overwriting file "},
        {30, " wurde abgeändert auf ", " adjusted to "},
        {31, "Ein Fehler ist  aufgetreten. Das", "Error! The result is probably false."},
        {32, "Ergebnis ist eventuell falsch!", " "},
        {35, "(Siehe auch Menü \"INFO/Hilfe\", Stichwort \"INI-Datei\")",
         "(More Information in menu \"Help / Help Index\", keyword \"INI-File\")"},
        {38, " gespeichert! ", "  saved ! "},
    };
    for (const Expected& e : rows) {
        EXPECT_EQ(MessageRow(kDe, e.row), e.german) << "M" << e.row;
        EXPECT_EQ(MessageRow(kEn, e.row), e.english) << "M" << e.row;
    }
}

TEST(TextTables, LabelTableSample)
{
    const std::vector<Expected> rows = {
        {0, " N&ord", " N&orth"},
        {1, " &Süd", " &South"},
        {3, " &West", " &West"},
        {8, "Abstand zu den Endpunkten der kl. Achse", "distance to end points of vertical ellipse axis"},
        {11, " 1 pro Monat", " 1 per month"},
        {14, " am 1/6/11/16/21/26", " on 1/6/11/16/21/26"},
        {16, "  Datumsmarkierungen ", " Number of Date Marks "},
        {29, "O", "E"},
        {31, "  &keine Koordinatenausgabe", " &no output of co-ordinates"},
        {39, "Datum  ", " Date  "},
        {43, "Zeit", "Time"},
        {46, "Fehler ", "Error"},
        {64, "Nachmittag für ", "Afternoon for "},
        {66, "  Grad", "  deg"},
        {68, "   Die beiden ersten und die beiden letzten", "     The first two columns  and the last two"},
        {72, "        links:    Punkte für den Vormittag", "           left:    points for morning"},
        {90, " Grad         Zonenmeridian: ", " deg          Zone meridian: "},
        {100, "Uhrzeit:       ", "Time :         "},
        {105, " Grad", " deg "},
        {112, "  auf &Drucker  ausdrucken", "  p&rint coordinates"},
    };
    for (const Expected& e : rows) {
        EXPECT_EQ(LabelRow(kDe, e.row), e.german) << "A" << e.row;
        EXPECT_EQ(LabelRow(kEn, e.row), e.english) << "A" << e.row;
    }
}

TEST(TextTables, CaptionPairs)
{
    const std::vector<std::pair<Caption, Expected>> captions = {
        {Caption::Warning, {0, "UMBRIX.EXE  -  Warnung!", "UMBRIX.EXE - Warning!"}},
        {Caption::Error, {0, "UMBRIX.EXE  -  Fehler!", "UMBRIX.EXE - Error!"}},
        {Caption::Information, {0, "UMBRIX.EXE  -  Information!", "UMBRIX.EXE  -  Information!"}},
        {Caption::Problem, {0, "UMBRIX.EXE  -  Problem!", "UMBRIX.EXE  -  Problem!"}},
        {Caption::SaveDrawing, {0, "UMBRIX.EXE - Zeichnung als Datei speichern", "UMBRIX.EXE - Save as Graphics File"}},
        {Caption::LoadData, {0, "UMBRIX.EXE - Konstruktionsdaten laden", "UMBRIX.EXE - Load Construction Data"}},
        {Caption::SaveTable, {0, "UMBRIX.EXE - Tabelle speichern", "UMBRIX.EXE - Save Table"}},
    };
    for (const auto& [caption, e] : captions) {
        EXPECT_EQ(CaptionText(kDe, caption), e.german);
        EXPECT_EQ(CaptionText(kEn, caption), e.english);
    }
}

TEST(TextTables, TextsAreUtf8)
{
    EXPECT_EQ(LabelRow(kDe, 1), std::string(" &S") + "\xC3\xBC" + "d");
    EXPECT_EQ(TextRow(kDe, 31), std::string("Groe") + "\xC3\x9F" + "te Halbachse =");
    EXPECT_NE(MessageRow(kDe, 3).find("0 \xC2\xB0 ..."), std::string_view::npos);
    EXPECT_EQ(MessageRow(kDe, 28).substr(0, 2), "\xC3\x9C");
    EXPECT_EQ(ResourceText(kDe, 1), std::string(" &N") + "\xC3\xA4" + "chstes... >");
}

// ---------------------------------------------------------------------------------------------
// Control characters

TEST(TextTables, CarriageReturnsAndLineFeedsAreRealCharacters)
{
    EXPECT_EQ(TextRow(kDe, 18), "Kein Ausdruck möglich,\n\rweil keine Tabelle angezeigt wird!");
    EXPECT_EQ(TextRow(kEn, 18), "Cannot print table!\n\rNo table but graphic is displayed!");
    EXPECT_EQ(TextRow(kEn, 24), "A dial with these parameters cannot\n\rregister time well all the year long!");

    // M11: the German text has a lone CR, the English one LF CR.
    EXPECT_EQ(MessageRow(kDe, 11), "Zeiger  gegenüber  Uhrenebene zu flach!\rBerechnung abgebrochen");
    EXPECT_EQ(MessageRow(kDe, 11).find('\n'), std::string_view::npos);
    EXPECT_EQ(MessageRow(kEn, 11), "Index lies (nearly) in the dial plane!\n\rCalculation aborted !");

    EXPECT_EQ(MessageRow(kDe, 33),
              " fehlt. (Weitere Information im Menü \r\"Hilfe / Hilfe Index\" unter dem Stichwort INI-Datei!");
    EXPECT_EQ(MessageRow(kEn, 33), "File missing. For generating it have a look\rat menu \"Help / HelpIndex\"!");
    EXPECT_EQ(MessageRow(kEn, 45), " not converted!\n\rHPGL-file is probably corrupted.");

    // No text anywhere keeps a backslash (an escape copied literally) or the markdown "\|".
    for (const LanguageState& lang : {kDe, kEn}) {
        for (int r = 0; r < kTextRows; ++r) {
            EXPECT_EQ(TextRow(lang, r).find('\\'), std::string_view::npos) << "T" << r;
        }
        for (int r = 0; r < kLabelRows; ++r) {
            EXPECT_EQ(LabelRow(lang, r).find('\\'), std::string_view::npos) << "A" << r;
        }
        for (int r = 0; r < kMessageRows; ++r) {
            EXPECT_EQ(MessageRow(lang, r).find('\\'), std::string_view::npos) << "M" << r;
        }
    }
    for (const ResourceEntry& entry : ResourceEntries()) {
        EXPECT_EQ(entry.german.find('\\'), std::string_view::npos) << entry.id;
        EXPECT_EQ(entry.english.find('\\'), std::string_view::npos) << entry.id;
    }
}

// ---------------------------------------------------------------------------------------------
// Empty rows and out-of-range lookups

TEST(TextTables, OnlyTheReservedRowsAreEmpty)
{
    const std::set<int> emptyLabels = {9, 10, 65, 71, 76, 83, 98, 99, 101, 109, 110, 119, 120, 121, 122};
    const std::set<int> emptyMessages = {0, 39, 40, 41, 43, 44, 46, 47, 49};
    for (const LanguageState& lang : {kDe, kEn}) {
        for (int r = 0; r < kTextRows; ++r) {
            EXPECT_FALSE(TextRow(lang, r).empty()) << "T" << r;
        }
        for (int r = 0; r < kLabelRows; ++r) {
            EXPECT_EQ(LabelRow(lang, r).empty(), emptyLabels.count(r) == 1) << "A" << r;
        }
        for (int r = 0; r < kMessageRows; ++r) {
            EXPECT_EQ(MessageRow(lang, r).empty(), emptyMessages.count(r) == 1) << "M" << r;
        }
    }
}

TEST(TextTables, OutOfRangeGivesEmptyText)
{
    for (const LanguageState& lang : {kDe, kEn}) {
        for (int row : {-1, INT_MIN, INT_MAX}) {
            EXPECT_TRUE(TextRow(lang, row).empty());
            EXPECT_TRUE(LabelRow(lang, row).empty());
            EXPECT_TRUE(MessageRow(lang, row).empty());
        }
        EXPECT_TRUE(TextRow(lang, kTextRows).empty());
        EXPECT_TRUE(LabelRow(lang, kLabelRows).empty());
        EXPECT_TRUE(MessageRow(lang, kMessageRows).empty());
        EXPECT_TRUE(CaptionText(lang, static_cast<Caption>(7)).empty());
        EXPECT_TRUE(CaptionText(lang, static_cast<Caption>(-1)).empty());
        for (int id : {0, -1, 11, 18, 259, 299, 304, 800, 1999, INT_MIN, INT_MAX}) {
            EXPECT_TRUE(ResourceText(lang, id).empty()) << id;
            EXPECT_TRUE(ResourceTextPlain(lang, id).empty()) << id;
        }
    }
    // An English lookup adds 2000 to the id: 2001 is then no resource.
    EXPECT_TRUE(ResourceText(kEn, 2001).empty());
    for (int id : {0, 11, 2000, 2011, 2259, 4001, -2000, INT_MIN, INT_MAX}) {
        EXPECT_TRUE(ResourceTextById(id).empty()) << id;
    }
    const LanguageState odd{2, INT_MAX};
    EXPECT_TRUE(ResourceText(odd, INT_MAX).empty());
    EXPECT_TRUE(ResourceLines(odd, INT_MAX, INT_MAX).empty());
}

// ---------------------------------------------------------------------------------------------
// String resources

TEST(StringResources, IdsAreExactlyThoseListed)
{
    const std::vector<int> ids = {1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  12,  13,  14,  15,  16,  17,  19,
                                  20,  21,  22,  23,  24,  25,  30,  31,  32,  33,  34,  40,  41,  42,  43,  90,  91,
                                  92,  93,  94,  95,  98,  99,  100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110,
                                  111, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 124, 125, 126, 127,
                                  128, 129, 130, 131, 132, 133, 199, 200, 201, 202, 203, 204, 205, 206, 207, 220, 250,
                                  251, 252, 253, 254, 255, 256, 257, 258, 300, 301, 302, 303};
    std::vector<int> have;
    for (const ResourceEntry& entry : ResourceEntries()) {
        have.push_back(entry.id);
        EXPECT_FALSE(entry.german.empty()) << entry.id;
        EXPECT_FALSE(entry.english.empty()) << entry.id;
        EXPECT_EQ(ResourceText(kDe, entry.id), entry.german);
        EXPECT_EQ(ResourceText(kEn, entry.id), entry.english);
        EXPECT_EQ(ResourceTextById(entry.id), entry.german);
        EXPECT_EQ(ResourceTextById(kEnglishResourceOffset + entry.id), entry.english);
    }
    EXPECT_EQ(have, ids);
    // Every id between 1 and 2400 that is not listed is empty in both languages.
    for (int id = 1; id < 2400; ++id) {
        const int base = id >= 2000 ? id - 2000 : id;
        if (!std::binary_search(ids.begin(), ids.end(), base)) {
            EXPECT_TRUE(ResourceTextById(id).empty()) << id;
        }
    }
}

TEST(StringResources, ExactTexts)
{
    const std::vector<Expected> rows = {
        {1, " &Nächstes... >", " &Next... >"},
        {2, "&Speichern...", " &Save as.."},
        {7, " S&chließen", "  &Close"},
        {16, "&neue Berechnung", "&New Calculation"},
        {22, "Stunden mit 'Fehlergewichtung'", "Hours and 'Error Weight'"},
        {91, "Fehler bei Ablesung über Auf-/Untergangsmarken",
         "Error for reading Sun rise/set  if rise/set marks are used"},
        {95, " Exakte Konstruktion des Auf-/Untergangs in Grafik hinzufügen",
         " Add exact construction for rise/set in graphic display"},
        {98, "Halbachsen a || b", "half axes a || b"},
        {112, "vor 12 Uhr", "   a.m."},
        {113, "| ab 12 Uhr", "|  p.m."},
        {124, "zur Berechnung analemmatischer Sonnenuhren", "               calculates analemmatic sundials"},
        {130, "Horizontale analemm. Sonnenuhr ", "Horizontal Analemmatic Sundial"},
        {199, "   Datumslinien   ", "     Date Lines     "},
        {200, " Datumsmarkierung ", "     Date Marks     "},
        {251, "Ebene horizontal, Zeiger vertikal (häufigste analemm. SU)",
         "Horizontal dial, index vertical (most popular type)"},
        {258, "Ebene horizontal, FIXIERTER ZEIGER (!), Richtung beliebig (z,D)",
         "Horizontal dial, INDEX STATIONARY(!), inclining and/or deviating"},
    };
    for (const Expected& e : rows) {
        EXPECT_EQ(ResourceText(kDe, e.row), e.german) << e.row;
        EXPECT_EQ(ResourceText(kEn, e.row), e.english) << e.row;
        EXPECT_EQ(ResourceTextById(e.row + 2000), e.english) << e.row;
    }
    // German lookups reach the English texts under 2000 + id.
    EXPECT_EQ(ResourceText(kDe, 2251), "Horizontal dial, index vertical (most popular type)");
}

TEST(StringResources, PlainTextDropsAccelerators)
{
    EXPECT_EQ(ResourceText(kDe, 16), "&neue Berechnung");
    EXPECT_EQ(ResourceTextPlain(kDe, 16), "neue Berechnung");
    EXPECT_EQ(ResourceTextPlain(kEn, 16), "New Calculation");
    EXPECT_EQ(ResourceTextPlain(kDe, 7), " Schließen");
    for (int type = 0; type < 8; ++type) {
        for (const LanguageState& lang : {kDe, kEn}) {
            const std::string title = ResourceTextPlain(lang, 251 + type);
            EXPECT_FALSE(title.empty());
            EXPECT_EQ(title.find('&'), std::string::npos);
        }
    }
    EXPECT_EQ(ResourceTextPlain(kDe, 251), "Ebene horizontal, Zeiger vertikal (häufigste analemm. SU)");
}

TEST(StringResources, ResourceLines)
{
    const std::vector<std::string> types = ResourceLines(kEn, 251, 8);
    ASSERT_EQ(types.size(), 8u);
    EXPECT_EQ(types[0], "Horizontal dial, index vertical (most popular type)");
    EXPECT_EQ(types[7], "Horizontal dial, INDEX STATIONARY(!), inclining and/or deviating");

    // The four lines of terms of use, in both languages.
    for (const LanguageState& lang : {kDe, kEn}) {
        const std::vector<std::string> terms = ResourceLines(lang, 300, 4);
        ASSERT_EQ(terms.size(), 4u);
        for (const std::string& line : terms) {
            EXPECT_FALSE(line.empty());
        }
    }
    EXPECT_NE(ResourceLines(kDe, 300, 4), ResourceLines(kEn, 300, 4));

    // Ids without text inside the span give empty lines; the span ends at the last resource.
    const std::vector<std::string> gap = ResourceLines(kDe, 10, 3);
    ASSERT_EQ(gap.size(), 3u);
    EXPECT_EQ(gap[0], " &Hilfe");
    EXPECT_EQ(gap[1], "");
    EXPECT_EQ(gap[2], "S&peichern...");
    EXPECT_TRUE(ResourceLines(kDe, 1, 0).empty());
    EXPECT_TRUE(ResourceLines(kDe, 1, -5).empty());
    EXPECT_EQ(ResourceLines(kEn, 302, 1000).size(), 2u);
    EXPECT_EQ(ResourceLines(kDe, INT_MIN, INT_MAX).size(), 0u);
}

// ---------------------------------------------------------------------------------------------
// Label lines, menus and months

TEST(TextTables, LabelLines)
{
    const std::vector<std::string> split = LabelLines(kDe, 68, 73);
    ASSERT_EQ(split.size(), 6u);
    EXPECT_EQ(split[0], "   Die beiden ersten und die beiden letzten");
    EXPECT_EQ(split[3], "");
    EXPECT_EQ(split[5], "        rechts:  Punkte für den Nachmittag");
    EXPECT_EQ(LabelLines(kEn, 61, 62), (std::vector<std::string>{" with steps of", " (for"}));
    EXPECT_TRUE(LabelLines(kEn, 5, 4).empty());
    EXPECT_EQ(LabelLines(kEn, -10, 0).size(), 1u);
    EXPECT_EQ(LabelLines(kEn, 120, INT_MAX).size(), 3u);
}

TEST(TextTables, MenuCaptions)
{
    const auto de = MenuCaptions(kDe);
    const auto en = MenuCaptions(kEn);
    EXPECT_EQ(de[0], "                &Datei        ");
    EXPECT_EQ(en[0], "                &Files         ");
    EXPECT_EQ(de[8], "&Analemmatischen Uhrtyp wählen    ");
    EXPECT_EQ(en[8], "T&ype of analemmatic Sundial      ");
    EXPECT_EQ(de[16], "Analemm. hor. SU mit FIXIERTEM ZEIGER in beliebiger Richtung (z,D)");
    EXPECT_EQ(en[16], "Horizontal dial, INDEX STATIONARY(!), inclining and/or deviating");
    EXPECT_EQ(en[17], "   &Options ");
    EXPECT_EQ(de[23], "  &Hilfe  ");
    EXPECT_EQ(de[26], " &Deutsch");
    EXPECT_EQ(en[27], " &English ");
    EXPECT_EQ(de[28], " &About   ");
    EXPECT_EQ(en[28], "  &About  ");
    for (int i = 0; i < 29; ++i) {
        EXPECT_FALSE(de[i].empty()) << i;
        EXPECT_FALSE(en[i].empty()) << i;
    }
    EXPECT_TRUE(de[29].empty());
    EXPECT_TRUE(en[29].empty());
}

TEST(TextTables, MonthNames)
{
    const auto de = MonthNames(kDe);
    const auto en = MonthNames(kEn);
    const std::vector<std::string_view> german = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun",
                                                  "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    const std::vector<std::string_view> english = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    EXPECT_EQ(std::vector<std::string_view>(de.begin(), de.end()), german);
    EXPECT_EQ(std::vector<std::string_view>(en.begin(), en.end()), english);
}

} // namespace
} // namespace umbrix
