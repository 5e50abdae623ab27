#include "cli/reference.h"

#include "cli/cli_app.h"
#include "core/parameters.h"

#include <algorithm>
#include <array>

namespace umbrix {

namespace {

using enum OptionValue;

constexpr std::array<OptionDoc, 34> kOptions{{
    {"--config", File},
    {"--place", Word},
    {"--place-list", Word},
    {"--coordinates", Word},
    {"--set", Parameter},
    {"--lang", Choice, "de en"},
    {"--json", File},
    {"--svg", File},
    {"--size", Word},
    {"--scale", Word},
    {"--svg-error", File},
    {"--plt", File},
    {"--dxf", File},
    {"--plot-screen-like", None},
    {"--dxf-mm", File},
    {"--pdf", File},
    {"--pdf-lists", Choice, "all none"},
    {"--setting-out", File},
    {"--template", File},
    {"--paper", Choice, "A4 A3 letter"},
    {"--correct-x", Word},
    {"--correct-y", Word},
    {"--template-orientation", Choice, "portrait landscape auto"},
    {"--template-content", Choice, "full marks"},
    {"--table", TableAndFile, "hours shadow dates loops-am loops-pm accuracy correction dst"},
    {"--accuracy", None},
    {"--svg-accuracy", File},
    {"--at", Word},
    {"--reach", None},
    {"--svg-reach", File},
    {"--correction", None},
    {"--save-config", File},
    {"--help", None},
    {"--version", None},
}};

struct ExitCodeDoc {
    int code;
    std::string_view meaningEn;
    std::string_view meaningDe;
};

constexpr std::array<ExitCodeDoc, 4> kExitCodes{{
    {kExitDone, "done", "fertig"},
    {kExitCalculationError,
     "the construction cannot be built (the calculation reported an error, or the drawing refuses it): only --json "
     "is written, with the messages and empty tables",
     "die Konstruktion ist so nicht möglich (Fehler der Berechnung, oder die Zeichnung weist sie ab): nur --json "
     "wird geschrieben, mit den Meldungen und leeren Tabellen"},
    {kExitUsage, "bad usage or a rejected value; nothing is written",
     "falscher Aufruf oder ein abgewiesener Wert; nichts wird geschrieben"},
    {kExitFile, "a file could not be read or written", "eine Datei konnte nicht gelesen oder geschrieben werden"},
}};

/// The settable parameters in the program's order.
std::vector<const ParameterRow*> DescribedParameters()
{
    std::vector<const ParameterRow*> rows;
    for (const std::string_view name : ParameterNames())
        rows.push_back(FindParameter(name));
    return rows;
}

/// A meaning as a sentence: first letter capital, full stop at the end.
std::string Sentence(std::string_view text)
{
    std::string s(text);
    if (!s.empty() && s.front() >= 'a' && s.front() <= 'z')
        s.front() = static_cast<char>(s.front() - 'a' + 'A');
    return s + ".";
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
    for (const ExitCodeDoc& e : kExitCodes)
        roff += ".TP\n.B " + std::to_string(e.code) + "\n" +
                RoffEscaped(Sentence(language == Language::English ? e.meaningEn : e.meaningDe)) + "\n";
    return roff;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string Joined(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& w : words)
        text += (text.empty() ? "" : " ") + w;
    return text;
}

/// The case arms of the completion for each option's value.
std::string OptionValueCases()
{
    std::vector<std::string> files;
    std::string cases;
    for (const OptionDoc& o : kOptions) {
        switch (o.value) {
        case None:
            break;
        case File:
            files.emplace_back(o.name);
            break;
        case Word:
            cases += "    " + std::string(o.name) + ")\n        return ;;\n";
            break;
        case Choice:
        case TableAndFile:
            cases += "    " + std::string(o.name) + ")\n        candidates=\"" + std::string(o.choices) + "\" ;;\n";
            break;
        case Parameter:
            cases += "    " + std::string(o.name) + ")\n        _umbrix_cli_parameter \"$cur\"\n        return ;;\n";
            break;
        }
    }
    std::string pattern;
    for (const std::string& f : files)
        pattern += (pattern.empty() ? "" : "|") + f;
    return cases + "    " + pattern + ")\n        _umbrix_cli_files \"$cur\"\n        return ;;\n";
}

std::string ParameterValueCases()
{
    std::string cases;
    std::vector<std::string> names;
    for (const ParameterRow* doc : DescribedParameters()) {
        names.push_back(std::string(doc->name) + "=");
        const std::string values = CompletionValues(*doc);
        if (values.empty())
            continue;
        std::vector<std::string> words;
        std::string word;
        for (const char ch : values + " ") {
            if (ch != ' ') {
                word += ch;
            } else if (!word.empty()) {
                words.push_back(std::string(doc->name) + "=" + word);
                word.clear();
            }
        }
        cases += "    " + std::string(doc->name) + "=*)\n        candidates=\"" + Joined(words) + "\" ;;\n";
    }
    return cases + "    *=*)\n        return ;;\n    *)\n        candidates=\"" + Joined(names) +
           "\"\n        compopt -o nospace 2>/dev/null ;;\n";
}

constexpr std::string_view kCompletionTemplate = R"(# bash completion for umbrix-cli
# Written by the build from the program's own lists of options and parameters.

# Offers the candidates that begin with the current word. Bash replaces only the part of the word after its
# last word-break character ("=" or ":"), so that part is all a reply may hold.
_umbrix_cli_reply()
{
    local cur=$1 breaks=
    mapfile -t COMPREPLY < <(compgen -W "$2" -- "$cur")
    [[ $COMP_WORDBREAKS == *=* ]] && breaks+="="
    [[ $COMP_WORDBREAKS == *:* ]] && breaks+=":"
    if [[ -n $breaks && $cur == *["$breaks"]* ]]; then
        local left=${cur%"${cur##*["$breaks"]}"}
        COMPREPLY=("${COMPREPLY[@]#"$left"}")
    fi
}

_umbrix_cli_files()
{
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "$1")
}

# NAME= of --set, and the values of the parameters that have a list of them.
_umbrix_cli_parameter()
{
    local cur=$1 candidates=
    case $cur in
@PARAMETER_CASES@    esac
    _umbrix_cli_reply "$cur" "$candidates"
}

_umbrix_cli()
{
    # The words up to the cursor, split at blanks only: "NAME=VALUE" stays one word.
    local line=${COMP_LINE:0:COMP_POINT}
    local -a words
    read -r -a words <<<"$line"
    [[ -z $line || $line == *[[:space:]] ]] && words+=("")
    local cur=${words[-1]} prev= before= candidates=
    ((${#words[@]} > 1)) && prev=${words[-2]}
    ((${#words[@]} > 2)) && before=${words[-3]}
    COMPREPLY=()
    if [[ $before == @TABLE_OPTION@ ]]; then
        _umbrix_cli_files "$cur"
        return
    fi
    case $prev in
@OPTION_CASES@    *)
        candidates="@OPTIONS@" ;;
    esac
    _umbrix_cli_reply "$cur" "$candidates"
}

complete -F _umbrix_cli umbrix-cli
)";

} // namespace

std::span<const OptionDoc> CliOptionDocs()
{
    return kOptions;
}

std::vector<std::string_view> UndescribedParameters()
{
    std::vector<std::string_view> missing;
    for (const ParameterRow* row : DescribedParameters())
        if (row->meaningEn.empty() || row->meaningDe.empty())
            missing.push_back(row->name);
    return missing;
}

std::string HelpReference()
{
    std::string text = "\nparameters of --set NAME=VALUE (see man umbrix-cli for their meaning):\n";
    for (const ParameterRow* doc : DescribedParameters()) {
        std::string line = "  " + std::string(doc->name);
        line.resize(std::max<std::size_t>(line.size() + 1, 24), ' ');
        text += line + RangeText(*doc, Language::English) + "\n";
    }
    text += "\nexit codes:\n";
    for (const ExitCodeDoc& e : kExitCodes)
        text += "  " + std::to_string(e.code) + "  " + std::string(e.meaningEn) + "\n";
    return text;
}

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
    ReplaceAll(page, "@PARAMETERS@\n", ManParameters(language));
    ReplaceAll(page, "@EXIT_CODES@\n", ManExitCodes(language));
    ReplaceAll(page, "@VERSION@", version);
    ReplaceAll(page, "@DATE@", date);
    return page;
}

std::string BashCompletion()
{
    std::string options;
    std::string_view tableOption;
    for (const OptionDoc& o : kOptions) {
        options += (options.empty() ? "" : " ") + std::string(o.name);
        if (o.value == TableAndFile)
            tableOption = o.name;
    }
    std::string script(kCompletionTemplate);
    ReplaceAll(script, "@PARAMETER_CASES@", ParameterValueCases());
    ReplaceAll(script, "@OPTION_CASES@", OptionValueCases());
    ReplaceAll(script, "@OPTIONS@", options);
    ReplaceAll(script, "@TABLE_OPTION@", tableOption);
    return script;
}

} // namespace umbrix
