// The documents written from the option table and the parameter table: the manual pages' option list, the
// help pages' chapter on umbrix-cli and the JSON schema's `parameters` part.

#include "cli/parameters.h"
#include "cli/reference.h"
#include "core/parameters.h"
#include "export/file_writer.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

using namespace umbrix;

namespace {

std::string ReadSource(const std::string& relative)
{
    std::string text;
    EXPECT_FALSE(ReadFileBounded(std::string(UMBRIX_SOURCE_DIR) + "/" + relative, std::size_t{1} << 24, text))
        << relative;
    return text;
}

std::string_view MeaningIn(const OptionDoc& o, Language language)
{
    return language == Language::English ? o.meaningEn : o.meaningDe;
}

/// The text between the marker lines of `part`, empty when the page has none.
std::string WrittenPart(const std::string& page, std::string_view part)
{
    const std::string begin = HelpPartBegin(part) + "\n";
    const std::size_t from = page.find(begin);
    if (from == std::string::npos)
        return {};
    const std::size_t to = page.find(std::string(HelpPartEnd()), from);
    return to == std::string::npos ? std::string() : page.substr(from + begin.size(), to - from - begin.size());
}

/// Where the option list has an entry for `o`: ".TP", then a line of a bold macro that begins with its name.
std::vector<std::size_t> EntriesOf(const std::string& page, const OptionDoc& o)
{
    std::vector<std::size_t> found;
    const std::string name = RoffEscaped(o.name);
    for (std::size_t k = page.find(".TP\n"); k != std::string::npos; k = page.find(".TP\n", k + 1)) {
        const std::size_t end = page.find('\n', k + 4);
        const std::string head = page.substr(k + 4, end - k - 4);
        const std::size_t blank = head.find(' ');
        if (head.starts_with(".B") && blank != std::string::npos &&
            (head.substr(blank + 1) == name || head.substr(blank + 1).starts_with(name + " ")))
            found.push_back(k);
    }
    return found;
}

constexpr const char* kManTemplate = ".SH OPTIONS\n@OPTIONS@\nIntro.\n"
                                     "@OPTION --svg@\nSVG further.\n"
                                     "@OPTION --config@\nConfig further.\n.B \\-\\-set\nfirst.\n"
                                     ".SH NEXT\nafter\n";

} // namespace

TEST(ManualPageOptions, EveryOptionInTableOrderWithItsMeaningThenTheTemplatesFurtherText)
{
    const std::string page = ManualPage(kManTemplate, Language::English, "1", "2");
    std::size_t previous = 0;
    for (const OptionDoc& o : CliOptionDocs()) {
        const std::vector<std::size_t> entries = EntriesOf(page, o);
        ASSERT_EQ(entries.size(), 1u) << o.name;
        EXPECT_GT(entries.front(), previous) << o.name << " out of the table's order";
        previous = entries.front();
    }
    // The further text stands after its own option's meaning, not where the template put it.
    const std::size_t config = page.find(".BI \\-\\-config \" FILE\"\nLoad a configuration file");
    const std::size_t svg =
        page.find(".BI \\-\\-svg \" FILE\"\nWrite the construction drawing as SVG.\nSVG further.\n");
    ASSERT_NE(config, std::string::npos);
    ASSERT_NE(svg, std::string::npos);
    EXPECT_LT(config, svg);
    EXPECT_NE(page.find("options.\nConfig further.\n.B \\-\\-set\nfirst.\n.TP\n"), std::string::npos);
    // Modifiers name what they modify; a switch has no value; the alias of --help stands beside it.
    EXPECT_NE(page.find(".BI \\-\\-size \" WxH\"\nThe size of the SVG picture in pixels (with \\-\\-svg).\n"),
              std::string::npos);
    EXPECT_NE(page.find(".TP\n.B \\-\\-accuracy\n"), std::string::npos);
    EXPECT_NE(page.find(".BR \\-\\-help \", \" \\-h\n"), std::string::npos);
    EXPECT_NE(page.find(".BR \\-\\-lang \" de|en\"\n"), std::string::npos);
    EXPECT_NE(page.find(".BI \\-\\-at \" \\(dqDD/MM/YYYY HH:MM\\(dq\"\n"), std::string::npos);
    // Text before the first marker opens the list; the next section follows untouched, and no marker is left.
    EXPECT_TRUE(page.starts_with(".SH OPTIONS\nIntro.\n.TP\n.BI \\-\\-config"));
    EXPECT_TRUE(page.ends_with(".SH NEXT\nafter\n"));
    EXPECT_EQ(page.find('@'), std::string::npos);
}

TEST(ManualPageOptions, GermanNamesThePlaceholdersAndAMarkerOfNoOptionStays)
{
    const std::string german = ManualPage(kManTemplate, Language::German, "1", "2");
    EXPECT_NE(german.find(".BI \\-\\-config \" DATEI\"\nEine Konfigurationsdatei"), std::string::npos);
    EXPECT_NE(german.find(".BI \\-\\-set \" NAME=WERT\"\n"), std::string::npos);
    EXPECT_NE(german.find("(mit \\-\\-template)."), std::string::npos);
    // A misspelt option keeps its marker line, which the build refuses.
    const std::string page =
        ManualPage(".SH OPTIONS\n@OPTIONS@\n@OPTION --sgv@\nlost?\n.SH NEXT\n", Language::English, "1", "2");
    EXPECT_NE(page.find("\n@OPTION --sgv@\nlost?\n.SH NEXT\n"), std::string::npos);
}

TEST(ManualPageOptions, TheInstalledTemplatesGiveEveryOptionOneEntryAndLeaveNoMarker)
{
    for (const auto& [file, language] : {std::pair{"data/man/umbrix-cli.1.in", Language::English},
                                         std::pair{"data/man/umbrix-cli.de.1.in", Language::German}}) {
        SCOPED_TRACE(file);
        const std::string page = ManualPage(ReadSource(file), language, "1", "2");
        EXPECT_EQ(page.find("\n@"), std::string::npos);
        for (const OptionDoc& o : CliOptionDocs())
            EXPECT_EQ(EntriesOf(page, o).size(), 1u) << o.name;
    }
}

TEST(HelpPages, TheWrittenPartsAreWhatTheTablesGive)
{
    // A page whose parts are stale fails here: cmake --build build --target umbrix_update_references.
    for (const auto& [file, language] :
         {std::pair{"help/umbrix_e.html", Language::English}, std::pair{"help/umbrix_d.html", Language::German}}) {
        SCOPED_TRACE(file);
        const std::string page = ReadSource(file);
        EXPECT_TRUE(HelpPage(page, language) == page) << "stale: cmake --build build --target umbrix_update_references";
        const std::string options = WrittenPart(page, "options");
        const std::string parameters = WrittenPart(page, "parameters");
        ASSERT_FALSE(options.empty());
        ASSERT_FALSE(parameters.empty());
        for (const OptionDoc& o : CliOptionDocs()) {
            EXPECT_NE(options.find("<tr><td><code>" + std::string(o.name) + "</code>"), std::string::npos) << o.name;
        }
        for (const std::string_view name : ParameterNames())
            EXPECT_NE(parameters.find("<tr><td><code>" + std::string(name) + "</code></td><td>" +
                                      std::string(Meaning(*FindParameter(name), language))),
                      std::string::npos)
                << name;
    }
}

TEST(HelpPages, AnOptionsRowGivesItsValueAndMeaningInThePagesLanguage)
{
    const std::string page = "<h2>before</h2>\n" + HelpPartBegin("options") + "\nstale row\n" +
                             std::string(HelpPartEnd()) + "\n<p>after</p>\n";
    const std::string en = HelpPage(page, Language::English);
    const std::string de = HelpPage(page, Language::German);
    for (const auto& [html, language] : {std::pair{en, Language::English}, std::pair{de, Language::German}}) {
        EXPECT_TRUE(html.starts_with("<h2>before</h2>\n" + HelpPartBegin("options") + "\n<h3>"));
        EXPECT_TRUE(html.ends_with("</table>\n" + std::string(HelpPartEnd()) + "\n<p>after</p>\n"));
        EXPECT_EQ(html.find("stale row"), std::string::npos);
        for (const OptionDoc& o : CliOptionDocs())
            EXPECT_NE(html.find(std::string(MeaningIn(o, language)).substr(0, 12)), std::string::npos) << o.name;
    }
    EXPECT_NE(en.find("<tr><td><code>--lang</code></td><td><code>de|en</code></td><td>the language of every "
                      "message, text and table</td></tr>"),
              std::string::npos);
    EXPECT_NE(en.find("<tr><td><code>--help</code>, <code>-h</code></td><td>–</td>"), std::string::npos);
    EXPECT_NE(en.find("pixels (with <code>--svg</code>)</td>"), std::string::npos);
    EXPECT_NE(en.find("NAME=VALUE</code></td><td>set a parameter by its name, checked as its input field in the "
                      "window checks it; may be repeated</td>"),
              std::string::npos);
    EXPECT_NE(de.find("<tr><td><code>--config</code></td><td><code>DATEI</code></td>"), std::string::npos);
    EXPECT_NE(de.find("(mit <code>--pdf</code>)"), std::string::npos);
    // The usage keeps its alignment without its head, and the value "DD/MM/YYYY HH:MM" stays readable.
    EXPECT_NE(en.find("<pre>\numbrix-cli [--config FILE]"), std::string::npos);
    EXPECT_NE(en.find("\n           [--"), std::string::npos);
    EXPECT_EQ(en.find("usage:"), std::string::npos);
    EXPECT_NE(en.find("[--at \"DD/MM/YYYY HH:MM\"]"), std::string::npos);
}

TEST(HelpPages, APageWithoutBothMarkersStaysAsItIs)
{
    const std::string none = "<p>no parts</p>\n";
    EXPECT_EQ(HelpPage(none, Language::English), none);
    const std::string unclosed = HelpPartBegin("parameters") + "\n<p>kept</p>\n";
    EXPECT_EQ(HelpPage(unclosed, Language::German), unclosed);
    // Text that needs escaping in HTML is escaped: the parameters' ranges hold "<=" and ">".
    const std::string written =
        HelpPage(HelpPartBegin("parameters") + "\n" + std::string(HelpPartEnd()) + "\n", Language::English);
    EXPECT_EQ(written.find("<="), std::string::npos);
    EXPECT_NE(written.find("&lt;= "), std::string::npos);
}

TEST(JsonSchemaParameters, EveryReportedKeyWithItsMeaningTypeAndRange)
{
    const std::string schema = JsonSchema("{\n  \"p\": {\n    \"properties\": @PARAMETER_PROPERTIES@,\n"
                                          "    \"required\": @PARAMETER_NAMES@\n  }\n}\n");
    EXPECT_EQ(schema.find('@'), std::string::npos);
    std::size_t previous = 0;
    for (const ParameterRow& row : ParameterTable()) {
        SCOPED_TRACE(std::string(row.name));
        const std::size_t at = schema.find("\n      \"" + std::string(row.name) + "\": {\n", previous);
        if (!ReportedInParameters(row)) {
            EXPECT_EQ(at, std::string::npos);
            continue;
        }
        ASSERT_NE(at, std::string::npos) << "in table order, two blanks deeper than the placeholder's line";
        previous = at + 1;
        std::string meaning(row.meaningEn);
        meaning.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(meaning.front())));
        EXPECT_NE(schema.find("\"description\": \"" + meaning + ".", at), std::string::npos);
        EXPECT_NE(schema.find("\n      \"" + std::string(row.name) + "\"", schema.find("\"required\"")),
                  std::string::npos);
    }
    // Integers carry their bounds, choices their values; computed lengths may be null, stored angles not.
    EXPECT_NE(schema.find("\"year\": {\n        \"type\": \"integer\",\n"), std::string::npos);
    EXPECT_NE(schema.find("\"minimum\": 1700,\n        \"maximum\": 2100\n", schema.find("\"year\"")),
              std::string::npos);
    EXPECT_NE(schema.find("\"enum\": [\n          1,\n          2,\n          3,\n          6\n        ]",
                          schema.find("\"marksPerMonth\"")),
              std::string::npos);
    EXPECT_NE(schema.find("\"enum\": [\n          \"m\",", schema.find("\"lengthUnit\"")), std::string::npos);
    EXPECT_NE(schema.find("\"semiMinorAxis\": {\n        \"type\": [\n          \"number\",\n          \"null\"\n"),
              std::string::npos);
    EXPECT_NE(schema.find("\"gnomonInclinationPlus90\": {\n        \"type\": \"number\",\n"), std::string::npos);
    EXPECT_NE(schema.find("\"showZoneTime\": {\n        \"type\": \"boolean\",\n"), std::string::npos);
    EXPECT_EQ(schema.find("\"hoursTable\""), std::string::npos);
}
