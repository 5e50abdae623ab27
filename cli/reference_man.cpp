// The manual pages of umbrix-cli from their templates: the synopsis, the option list, the parameters and the
// exit codes from the program's tables.

#include "cli/reference.h"
#include "cli/reference_text.h"
#include "core/parameters.h"

#include <algorithm>
#include <array>

namespace umbrix {

namespace {

using enum OptionValue;
using namespace reference;

/// The options shown on synopsis lines of their own, which the manual page templates write themselves.
constexpr std::array<std::string_view, 3> kOwnSynopsisLine{"--place-list", "--help", "--version"};

/// A synopsis value for roff: escaped, '"' as \(dq, in quotes when it holds a blank.
std::string RoffValue(std::string_view text)
{
    std::string value;
    for (const char ch : RoffEscaped(text))
        value += ch == '"' ? std::string("\\(dq") : std::string(1, ch);
    return value.find(' ') == std::string::npos ? value : "\"" + value + "\"";
}

/// The synopsis lines of one option and its modifiers; `closings` brackets close after it.
void SynopsisOf(const OptionDoc& o, std::string& roff, int closings)
{
    const std::vector<const OptionDoc*> modifiers = ModifiersOf(o.name);
    const int own = modifiers.empty() ? closings : 0;
    std::string close = own > 0 ? " " + std::string(static_cast<std::size_t>(own), ']') : std::string();
    if (!close.empty() && o.repeatable && o.value != None)
        close += "...\\&";
    roff += ".RB [ " + RoffEscaped(o.name) + (o.value == None ? close : std::string()) + "\n";
    switch (o.value) {
    case None:
        break;
    case Choice:
        roff += ".BR " + JoinedWith(Words(o.choices), " | ") + close + "\n";
        break;
    case TableAndFile:
        roff += ".IR " + RoffValue("NAME FILE") + close + "\n";
        break;
    case File:
    case Word:
    case Parameter:
        roff += (close.empty() ? ".I " : ".IR ") + RoffValue(o.shownValue) + close + "\n";
        break;
    }
    for (std::size_t k = 0; k < modifiers.size(); ++k)
        SynopsisOf(*modifiers[k], roff, k + 1 == modifiers.size() ? 1 + closings : 1);
}

/// The synopsis of every option but those on lines of their own; the German page names the placeholders
/// in German.
std::string ManSynopsis(Language language)
{
    std::string roff;
    for (const OptionDoc& o : CliOptionDocs())
        if (o.belongsTo.empty() &&
            std::find(kOwnSynopsisLine.begin(), kOwnSynopsisLine.end(), o.name) == kOwnSynopsisLine.end())
            SynopsisOf(o, roff, 1);
    return language == Language::German ? GermanPlaceholders(roff) : roff;
}

std::string_view MeaningOf(const OptionDoc& o, Language language)
{
    return language == Language::English ? o.meaningEn : o.meaningDe;
}

/// The head line of an option's entry in the manual page: its names bold, its value italic.
std::string ManOptionHead(const OptionDoc& o)
{
    const std::string names = RoffEscaped(o.name);
    const std::string value = ListedValue(o);
    if (!o.alias.empty())
        return ".BR " + names + " \", \" " + RoffEscaped(o.alias) + "\n"; // a switch: no value
    switch (o.value) {
    case None:
        return ".B " + names + "\n";
    case Choice:
        return ".BR " + names + " \"" + RoffEscaped(" " + value) + "\"\n";
    case File:
    case Word:
    case Parameter:
    case TableAndFile:
        break;
    }
    std::string quoted;
    for (const char ch : RoffEscaped(" " + value))
        quoted += ch == '"' ? std::string("\\(dq") : std::string(1, ch);
    return ".BI " + names + " \"" + quoted + "\"\n";
}

/// The option list of a manual page. `section` is the template's text after the line "@OPTIONS@" up to the
/// next section: the further text of each option after its line "@OPTION NAME@".
std::string ManOptions(std::string_view section, Language language)
{
    std::vector<std::pair<std::string, std::string>> further; // option name, its lines
    std::string lead;                                         // text before the first marker: it opens the list
    std::string unknown; // the blocks of names the table does not know, marker lines kept
    std::string* current = nullptr;
    std::size_t at = 0;
    while (at < section.size()) {
        const std::size_t end = std::min(section.find('\n', at), section.size());
        const std::string_view line = section.substr(at, end - at);
        at = end + 1;
        if (line.starts_with("@OPTION ") && line.ends_with("@") && line.size() > 9) {
            const std::string name(line.substr(8, line.size() - 9));
            if (FindCliOption(name) && FindCliOption(name)->name == name) {
                further.emplace_back(name, std::string());
                current = &further.back().second;
            } else {
                unknown += std::string(line) + "\n";
                current = &unknown;
            }
        } else if (current) {
            *current += std::string(line) + "\n";
        } else if (!line.empty()) {
            lead += std::string(line) + "\n";
        }
    }
    std::string roff = lead;
    for (const OptionDoc& o : CliOptionDocs()) {
        std::string entry = ".TP\n" + ManOptionHead(o);
        std::string meaning = Sentence(MeaningOf(o, language));
        if (!o.belongsTo.empty())
            meaning.insert(meaning.size() - 1,
                           (language == Language::English ? " (with " : " (mit ") + std::string(o.belongsTo) + ")");
        entry += RoffEscaped(meaning) + "\n";
        if (language == Language::German)
            entry = GermanPlaceholders(entry);
        roff += entry;
        for (const auto& [name, lines] : further)
            if (name == o.name)
                roff += lines;
    }
    return roff + unknown;
}

/// The template's option section, from the line "@OPTIONS@" to the next section, made into the option list.
void ReplaceOptionSection(std::string& page, Language language)
{
    constexpr std::string_view kMarker = "@OPTIONS@\n";
    const std::size_t begin = page.find(kMarker);
    if (begin == std::string::npos)
        return;
    const std::size_t from = begin + kMarker.size();
    std::size_t end = page.find("\n.SH ", from - 1);
    end = end == std::string::npos ? page.size() : end + 1;
    page.replace(begin, end - begin, ManOptions(std::string_view(page).substr(from, end - from), language));
}

std::string ManParameters(Language language)
{
    std::string roff;
    for (const ParameterRow* doc : DescribedParameters()) {
        roff += ".TP\n.B " + RoffEscaped(doc->name) + "\n";
        roff += RoffEscaped("(" + RangeText(*doc, language) + ") " + Sentence(Meaning(*doc, language))) + "\n";
        if (doc->choices.empty())
            continue;
        roff += ".RS\n";
        for (const ChoiceDoc& choice : doc->choices)
            roff += ".IP " + RoffEscaped(choice.value) + " 4\n" + RoffEscaped(Meaning(choice, language)) + "\n";
        roff += ".RE\n";
    }
    return roff;
}

std::string ManExitCodes(Language language)
{
    std::string roff;
    for (const ExitCodeDoc& e : ExitCodeDocs())
        roff += ".TP\n.B " + std::to_string(e.code) + "\n" +
                RoffEscaped(Sentence(language == Language::English ? e.meaningEn : e.meaningDe)) + "\n";
    return roff;
}

} // namespace

std::string RoffEscaped(std::string_view text)
{
    std::string roff;
    if (!text.empty() && (text.front() == '.' || text.front() == '\''))
        roff = "\\&";
    for (const char ch : text) {
        if (ch == '\\')
            roff += "\\e";
        else if (ch == '-')
            roff += "\\-";
        else
            roff += ch;
    }
    return roff;
}

std::string ManualPage(std::string_view manTemplate, Language language, std::string_view version, std::string_view date)
{
    std::string page(manTemplate);
    ReplaceOptionSection(page, language);
    ReplaceAll(page, "@SYNOPSIS@\n", ManSynopsis(language));
    ReplaceAll(page, "@PARAMETERS@\n", ManParameters(language));
    ReplaceAll(page, "@EXIT_CODES@\n", ManExitCodes(language));
    ReplaceAll(page, "@VERSION@", version);
    ReplaceAll(page, "@DATE@", date);
    return page;
}

} // namespace umbrix
