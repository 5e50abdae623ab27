// The reference of umbrix-cli: the parameter table against the checks it describes, --help, --version and
// the manual pages written from it.

#include "cli/reference.h"
#include "core/driver.h"
#include "core/input_panel.h"
#include "core/parameter_set.h"
#include "core/parameters.h"
#include "core/version.h"
#include "export/file_writer.h"
#include "tests/cli/cli_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace umbrix;

namespace {

/// The states in which a value is tried: every dial type, the split dial with an optimising method (the
/// state that enables its own controls), and the widest hour ranges (an hour range must not end before it
/// starts).
const std::vector<std::vector<std::pair<std::string, std::string>>> kStates = {
    {{"dialType", "0"}}, {{"dialType", "1"}}, {{"dialType", "2"}},
    {{"dialType", "3"}}, {{"dialType", "4"}}, {{"dialType", "5"}},
    {{"dialType", "6"}}, {{"dialType", "7"}}, {{"dialType", "6"}, {"marksMode", "2"}, {"doubleAnalemmaMethod", "2"}},
    {{"hourFrom", "0"}}, {{"hourTo", "24"}},
};

/// Whether some state accepts NAME=VALUE.
bool AcceptedSomewhere(std::string_view name, const std::string& value)
{
    for (const auto& state : kStates) {
        const auto model = std::make_unique<Model>();
        InitDefaults(*model);
        (void)ConfigureInputPanel(*model);
        RefreshAxes(*model);
        for (const auto& [n, v] : state)
            EXPECT_EQ(SetParameter(*model, n, v).status, SetStatus::Accepted) << n << "=" << v;
        if (SetParameter(*model, name, value).status == SetStatus::Accepted)
            return true;
    }
    return false;
}

/// The rows --set accepts.
std::vector<ParameterRow> SettableRows()
{
    std::vector<ParameterRow> rows;
    for (const ParameterRow& row : ParameterTable())
        if (row.settable)
            rows.push_back(row);
    return rows;
}

std::string Text(double v)
{
    std::ostringstream s;
    s.precision(17);
    s << v;
    return s.str();
}

std::string ReadSource(const std::string& relative)
{
    std::string text;
    EXPECT_FALSE(ReadFileBounded(std::string(UMBRIX_SOURCE_DIR) + "/" + relative, std::size_t{1} << 24, text))
        << relative;
    return text;
}

/// Every long option in a text, its dashes written as `dash` (a regular expression).
std::set<std::string> OptionsIn(const std::string& text, const std::string& dash)
{
    std::set<std::string> options;
    const std::regex option(dash + dash + "[a-z]+(" + dash + "[a-z]+)*");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
        options.insert(it->str());
    return options;
}

} // namespace

TEST(ParameterTable, DescribesExactlyTheNamesTheProgramAccepts)
{
    EXPECT_TRUE(UndescribedParameters().empty());
    const std::vector<std::string_view> names = ParameterNames();
    for (const ParameterRow& doc : ParameterTable()) {
        if (!doc.settable)
            continue;
        EXPECT_NE(std::find(names.begin(), names.end(), doc.name), names.end()) << doc.name << " is not a parameter";
        EXPECT_FALSE(doc.meaningEn.empty()) << doc.name;
        EXPECT_FALSE(doc.meaningDe.empty()) << doc.name;
    }
}

TEST(ParameterTable, BoundsAreTheBoundsTheInputChecksApply)
{
    for (const ParameterRow& doc : SettableRows()) {
        // The distance to Z is bounded by the reach of the date scale and a million axes as well: its own
        // bounds are checked with the lengths' bounds of the field checks.
        if ((doc.kind != ValueKind::Real && doc.kind != ValueKind::Integer) || doc.rangeRule != RangeRule::Bounds)
            continue;
        // One step beyond a bound: a whole number for integers, a millionth for reals.
        const double step = doc.kind == ValueKind::Integer ? 1.0 : 1e-6;
        const ValueBounds& b = doc.bounds;
        SCOPED_TRACE(std::string(doc.name));
        if (std::isfinite(b.lo)) {
            EXPECT_EQ(AcceptedSomewhere(doc.name, Text(b.lo)), !b.loOpen) << "at " << b.lo;
            EXPECT_FALSE(AcceptedSomewhere(doc.name, Text(b.lo - step))) << "below " << b.lo;
            EXPECT_TRUE(AcceptedSomewhere(doc.name, Text(b.lo + step))) << "above " << b.lo;
        }
        if (std::isfinite(b.hi)) {
            EXPECT_EQ(AcceptedSomewhere(doc.name, Text(b.hi)), !b.hiOpen) << "at " << b.hi;
            EXPECT_FALSE(AcceptedSomewhere(doc.name, Text(b.hi + step))) << "above " << b.hi;
            EXPECT_TRUE(AcceptedSomewhere(doc.name, Text(b.hi - step))) << "below " << b.hi;
        }
        if (!std::isfinite(b.lo) && !std::isfinite(b.hi) && doc.rangeEn.empty()) {
            EXPECT_TRUE(AcceptedSomewhere(doc.name, "-1000"));
            EXPECT_TRUE(AcceptedSomewhere(doc.name, "1000"));
        }
    }
}

TEST(ParameterTable, ChoicesAreExactlyTheValuesTheProgramAccepts)
{
    for (const ParameterRow& doc : SettableRows()) {
        SCOPED_TRACE(std::string(doc.name));
        if (doc.kind == ValueKind::Boolean) {
            for (const char* v : {"0", "1", "true", "false"})
                EXPECT_TRUE(AcceptedSomewhere(doc.name, v)) << v;
            EXPECT_FALSE(AcceptedSomewhere(doc.name, "2"));
            continue;
        }
        if (doc.kind != ValueKind::Choice)
            continue;
        if (ChoicesAreWords(doc)) {
            for (const ChoiceDoc& choice : doc.choices)
                EXPECT_TRUE(AcceptedSomewhere(doc.name, std::string(choice.value))) << choice.value;
            for (const char* v : {"", "M", "km", "0", " m"})
                EXPECT_FALSE(AcceptedSomewhere(doc.name, v)) << '"' << v << '"';
            continue;
        }
        std::set<int> listed;
        for (const ChoiceDoc& choice : doc.choices) {
            EXPECT_TRUE(AcceptedSomewhere(doc.name, std::string(choice.value))) << choice.value;
            listed.insert(std::stoi(std::string(choice.value)));
        }
        for (int v = *listed.begin() - 1; v <= *listed.rbegin() + 1; ++v) {
            if (!listed.contains(v)) {
                EXPECT_FALSE(AcceptedSomewhere(doc.name, std::to_string(v))) << v << " is not listed";
            }
        }
    }
}

TEST(CliHelp, ListsEveryParameterWithItsValuesAndTheExitCodes)
{
    const CliRun r = Cli({"--help"});
    ASSERT_EQ(r.code, 0);
    for (const std::string_view name : ParameterNames()) {
        const ParameterRow* doc = FindParameter(name);
        ASSERT_NE(doc, nullptr) << name;
        const std::regex line(
            "\n  " + std::string(name) + " +" +
            std::regex_replace(RangeText(*doc, Language::English), std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") +
            "\n");
        EXPECT_TRUE(std::regex_search(r.out, line)) << name;
    }
    for (const int code : {kExitDone, kExitCalculationError, kExitUsage, kExitFile})
        EXPECT_NE(r.out.find("\n  " + std::to_string(code) + "  "), std::string::npos) << code;
}

TEST(CliHelp, UsageAndOptionTableNameTheSameOptions)
{
    // The option table feeds the completion: an option added to the usage must get a row, and back.
    const CliRun r = Cli({"--help"});
    const std::string usage = r.out.substr(0, r.out.find("\n\n"));
    std::set<std::string> table;
    for (const OptionDoc& o : CliOptionDocs())
        table.insert(std::string(o.name));
    EXPECT_EQ(OptionsIn(usage, "-"), table);
    // The choices of an option are those the usage shows, "a|b|c".
    for (const OptionDoc& o : CliOptionDocs()) {
        if (o.choices.empty())
            continue;
        std::string shown(o.choices);
        std::replace(shown.begin(), shown.end(), ' ', '|');
        EXPECT_NE(usage.find(std::string(o.name) + " " + shown), std::string::npos) << o.name;
    }
}

TEST(CliOptions, TheOptionTableDecidesWhatIsAnOptionWhatMayRepeatAndWhatValueIsMissing)
{
    for (const OptionDoc& o : CliOptionDocs()) {
        SCOPED_TRACE(std::string(o.name));
        EXPECT_EQ(FindCliOption(o.name), &o);
        // Both languages describe it, and they are not the same text.
        EXPECT_FALSE(o.meaningEn.empty());
        EXPECT_FALSE(o.meaningDe.empty());
        EXPECT_NE(o.meaningEn, o.meaningDe);
        if (!o.belongsTo.empty()) {
            EXPECT_NE(FindCliOption(o.belongsTo), nullptr);
        }
        if (o.value == OptionValue::None)
            continue;
        // The option alone at the end of the line lacks its value.
        const CliRun alone = Cli({std::string(o.name)});
        EXPECT_EQ(alone.code, 2);
        EXPECT_TRUE(Has(alone.err, std::string(o.name) + " needs " + MissingValueText(o))) << alone.err;
        if (o.value == OptionValue::Choice) {
            // Each choice is written as a choice, and the message names them all.
            for (std::string_view choices = o.choices; !choices.empty();) {
                const std::string_view choice = choices.substr(0, choices.find(' '));
                EXPECT_TRUE(Has(MissingValueText(o), std::string(choice)));
                choices.remove_prefix(std::min(choices.size(), choice.size() + 1));
            }
        }
        if (o.repeatable)
            continue;
        // Twice, whatever its values: refused before anything is read or written.
        std::vector<std::string> twice;
        for (int k = 0; k < 2; ++k) {
            twice.emplace_back(o.name);
            twice.emplace_back(k == 0 ? "a" : "b");
        }
        const CliRun repeated = Cli(twice);
        EXPECT_EQ(repeated.code, 2);
        EXPECT_TRUE(Has(repeated.err, std::string(o.name) + " is given twice")) << repeated.err;
    }
    EXPECT_EQ(FindCliOption("-h"), FindCliOption("--help"));
    EXPECT_EQ(FindCliOption("--svg-errors"), nullptr);
    EXPECT_EQ(FindCliOption("-"), nullptr);
    EXPECT_TRUE(Has(Cli({"--json", "-", "-x"}).err, "unknown option -x"));
    // --set and --table may come again.
    EXPECT_EQ(Cli({"--set", "latitude=40", "--set", "latitude=41", "--json", "/dev/null"}).code, 0);
}

TEST(CliHelp, TheOptionListGivesEveryOptionItsMeaningInBothLanguages)
{
    for (const Language language : {Language::English, Language::German}) {
        const std::string list = OptionList(language);
        for (const OptionDoc& o : CliOptionDocs()) {
            const std::string_view meaning = language == Language::English ? o.meaningEn : o.meaningDe;
            const std::regex line("\n  " + std::string(o.name) + "( [^\n]*)?  " + std::regex_replace(
                                      std::string(meaning), std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)"));
            EXPECT_TRUE(std::regex_search(list, line)) << o.name;
        }
    }
    EXPECT_TRUE(Has(Cli({"--help"}).out, OptionList(Language::English)));
}

TEST(CliVersion, PrintsTheProjectVersionAndNothingElse)
{
    const CliRun r = Cli({"--version"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "umbrix-cli " + std::string(kUmbrixVersion) + "\n");
    EXPECT_TRUE(r.err.empty());
    EXPECT_TRUE(std::regex_match(std::string(kUmbrixVersion), std::regex(R"(\d+\.\d+\.\d+)")));
}

TEST(ManualPage, EveryOptionParameterAndExitCodeInBothLanguages)
{
    for (const auto& [file, language] : {std::pair{"data/man/umbrix-cli.1.in", Language::English},
                                         std::pair{"data/man/umbrix-cli.de.1.in", Language::German}}) {
        SCOPED_TRACE(file);
        const std::string page = ManualPage(ReadSource(file), language, "9.8.7", "2030-01-02");
        EXPECT_EQ(page.find('@'), std::string::npos) << "a placeholder is left";
        EXPECT_NE(page.find(".TH UMBRIX\\-CLI 1 \"2030-01-02\" \"Umbrix 9.8.7\""), std::string::npos);
        std::set<std::string> table;
        for (const OptionDoc& o : CliOptionDocs())
            table.insert(RoffEscaped(o.name));
        EXPECT_EQ(OptionsIn(page, R"(\\-)"), table);
        for (const std::string_view name : ParameterNames()) {
            const ParameterRow* doc = FindParameter(name);
            ASSERT_NE(doc, nullptr);
            EXPECT_NE(page.find(".B " + std::string(name) + "\n(" + RoffEscaped(RangeText(*doc, language)) + ") "),
                      std::string::npos)
                << name;
        }
        for (const int code : {kExitDone, kExitCalculationError, kExitUsage, kExitFile})
            EXPECT_NE(page.find(".TP\n.B " + std::to_string(code) + "\n"), std::string::npos) << code;
    }
}

TEST(ManualPage, TextIsEscapedForRoff)
{
    EXPECT_EQ(RoffEscaped("-90 .. 90"), "\\-90 .. 90");
    EXPECT_EQ(RoffEscaped(".5 or 'x'"), "\\&.5 or 'x'");
    EXPECT_EQ(RoffEscaped("a\\b"), "a\\eb");
}
