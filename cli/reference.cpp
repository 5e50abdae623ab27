#include "cli/reference.h"

#include "cli/cli_app.h"
#include "cli/reference_text.h"
#include "core/parameters.h"

#include <algorithm>
#include <array>

namespace umbrix {

namespace {

using enum OptionValue;
using reference::ExitCodeDoc;

constexpr std::array<OptionDoc, 34> kOptions{{
    {"--config", File, "", "FILE", "", false, "",
     "load a configuration file (.ini or the older .adt) before the --set options",
     "eine Konfigurationsdatei (.ini oder das ältere .adt) vor den --set-Optionen laden"},
    {"--place", Word, "", "NAME[, COUNTRY]", "", false, "",
     "take latitude, longitude, zone meridian and summer time from the gazetteer",
     "Breite, Länge, Zonenmeridian und Sommerzeit aus dem Ortsverzeichnis nehmen"},
    {"--place-list", Word, "", "TEXT", "", false, "", "print the places of the gazetteer that match TEXT, one a line",
     "die zu TEXT passenden Orte des Ortsverzeichnisses ausgeben, einen je Zeile"},
    {"--coordinates", Word, "", "TEXT", "", false, "",
     "set latitude and longitude from coordinates as maps give them, latitude first, east positive",
     "Breite und Länge aus Koordinaten setzen, wie Karten sie angeben: Breite zuerst, Ost positiv"},
    {"--set", Parameter, "", "NAME=VALUE", "", true, "",
     "set a parameter by its name, checked as its input field in the window checks it",
     "einen Parameter über seinen Namen setzen, geprüft wie sein Eingabefeld im Fenster"},
    {"--lang", Choice, "de en", "", "", false, "", "the language of every message, text and table",
     "die Sprache aller Meldungen, Texte und Tabellen"},
    {"--json", File, "", "FILE|-", "", false, "", "write the parameters and every result table as one JSON object",
     "die Parameter und alle Ergebnistabellen als ein JSON-Objekt schreiben"},
    {"--svg", File, "", "FILE", "", false, "", "write the construction drawing as SVG",
     "die Konstruktionszeichnung als SVG schreiben"},
    {"--size", Word, "", "WxH", "", false, "--svg", "the size of the SVG picture in pixels",
     "die Größe des SVG-Bildes in Pixeln"},
    {"--scale", Word, "", "1:N", "a ratio 1:N", false, "--svg",
     "draw the SVG true to scale, 1 mm on paper for N mm on the ground",
     "das SVG maßstäblich zeichnen, 1 mm auf dem Papier für N mm auf dem Boden"},
    {"--svg-error", File, "", "FILE", "", false, "", "write the error graph of the rise/set marks as SVG",
     "das Fehlerdiagramm der Auf-/Untergangsmarken als SVG schreiben"},
    {"--plt", File, "", "FILE", "", false, "", "write the plot as HPGL", "den Plot als HPGL schreiben"},
    {"--dxf", File, "", "FILE", "", false, "", "write the plot as DXF release 10",
     "den Plot als DXF Release 10 schreiben"},
    {"--plot-screen-like", None, "", "", "", false, "",
     "scale the plot like the screen at zoom 1 instead of by the axis length",
     "den Plot wie den Bildschirm bei Zoom 1 statt nach der Achslänge skalieren"},
    {"--dxf-mm", File, "", "FILE", "", false, "",
     "write the construction true to size as DXF, in millimetres, one layer per element",
     "die Konstruktion in wahrer Größe als DXF schreiben, in Millimetern, eine Ebene je Element"},
    {"--pdf", File, "", "FILE", "", false, "", "print the drawing and the lists into a PDF file",
     "die Zeichnung und die Listen in eine PDF-Datei drucken"},
    {"--pdf-lists", Choice, "all none", "", "", false, "--pdf", "whether the PDF holds the lists after the drawing",
     "ob das PDF nach der Zeichnung die Listen enthält"},
    {"--setting-out", File, "", "FILE.pdf|FILE.csv", "", false, "",
     "write the setting-out plan: every mark by its distances from the centre and the meridian",
     "den Absteckplan schreiben: jede Marke mit ihren Abständen von Mitte und Meridian"},
    {"--template", File, "", "FILE.pdf", "", false, "",
     "write the full-size template as PDF sheets to lay out on the ground",
     "die Schablone in voller Größe als PDF-Blätter zum Auslegen schreiben"},
    {"--paper", Choice, "A4 A3 letter", "", "", false, "--template", "the paper size of the template's sheets",
     "das Papierformat der Schablonenblätter"},
    {"--correct-x", Word, "", "F", "a factor", false, "--template", "the printer's scale correction across the sheet",
     "die Maßstabskorrektur des Druckers quer über das Blatt"},
    {"--correct-y", Word, "", "F", "a factor", false, "--template", "the printer's scale correction along the sheet",
     "die Maßstabskorrektur des Druckers längs des Blattes"},
    {"--template-orientation", Choice, "portrait landscape auto", "", "", false, "--template",
     "the orientation of the template's sheets", "die Ausrichtung der Schablonenblätter"},
    {"--template-content", Choice, "full marks", "", "", false, "--template",
     "the whole construction, or the marks only", "die ganze Konstruktion oder nur die Marken"},
    {"--table", TableAndFile, "hours shadow dates loops-am loops-pm accuracy correction dst", "FILE.txt|FILE.csv|-",
     "a table name and a file", true, "", "write a table as text (FILE.txt or -) or CSV (FILE.csv)",
     "eine Tabelle als Text (FILE.txt oder -) oder CSV (FILE.csv) schreiben"},
    {"--accuracy", None, "", "", "", false, "", "add the accuracy analysis of the design to the JSON report",
     "die Genauigkeitsanalyse des Entwurfs dem JSON-Bericht hinzufügen"},
    {"--svg-accuracy", File, "", "FILE", "", false, "", "write the map of the design error as SVG",
     "die Karte des Entwurfsfehlers als SVG schreiben"},
    {"--at", Word, "", "\"DD/MM/YYYY HH:MM\"", "a value \"DD/MM/YYYY HH:MM\"", false, "",
     "the moment the accuracy and the reach are evaluated for",
     "der Zeitpunkt, für den Genauigkeit und Reichweite ausgewertet werden"},
    {"--reach", None, "", "", "", false, "", "add the body-height planner (dial types 0 and 6) to the JSON report",
     "den Körpergrößenplaner (Sonnenuhrtypen 0 und 6) dem JSON-Bericht hinzufügen"},
    {"--svg-reach", File, "", "FILE", "", false, "", "write the body-height planner's picture as SVG",
     "das Bild des Körpergrößenplaners als SVG schreiben"},
    {"--correction", None, "", "", "", false, "", "add the reading correction for summer time to the JSON report",
     "die Ablesekorrektur für die Sommerzeit dem JSON-Bericht hinzufügen"},
    {"--save-config", File, "", "FILE", "", false, "", "save the configuration as the window saves it",
     "die Konfiguration speichern, wie das Fenster sie speichert"},
    {"--help", None, "", "", "", true, "", "print this help and exit", "diese Hilfe ausgeben und beenden", "-h"},
    {"--version", None, "", "", "", true, "", "print the version and exit", "die Version ausgeben und beenden"},
}};

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

} // namespace

namespace reference {

/// The options that modify `parent` (belongsTo), in the table's order.
std::vector<const OptionDoc*> ModifiersOf(std::string_view parent)
{
    std::vector<const OptionDoc*> rows;
    for (const OptionDoc& o : kOptions)
        if (o.belongsTo == parent && !parent.empty())
            rows.push_back(&o);
    return rows;
}

/// The words of a blank-separated list.
std::vector<std::string> Words(std::string_view list)
{
    std::vector<std::string> words;
    std::string word;
    for (const char ch : std::string(list) + " ") {
        if (ch != ' ') {
            word += ch;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

std::string JoinedWith(const std::vector<std::string>& words, std::string_view separator)
{
    std::string text;
    for (const std::string& w : words)
        text += (text.empty() ? "" : std::string(separator)) + w;
    return text;
}

/// The value of an option as the usage shows it.
std::string ShownValue(const OptionDoc& o)
{
    switch (o.value) {
    case None:
        return {};
    case Choice:
        return JoinedWith(Words(o.choices), "|");
    case TableAndFile:
        return JoinedWith(Words(o.choices), "|") + " " + std::string(o.shownValue);
    case File:
    case Word:
    case Parameter:
        break;
    }
    return std::string(o.shownValue);
}

/// A meaning as a sentence: first letter capital, full stop at the end.
std::string Sentence(std::string_view text)
{
    std::string s(text);
    if (!s.empty() && s.front() >= 'a' && s.front() <= 'z')
        s.front() = static_cast<char>(s.front() - 'a' + 'A');
    return s + ".";
}

/// The German pages name the placeholders in German: FILE DATEI, VALUE WERT, COUNTRY LAND, WxH BxH,
/// DD/MM/YYYY TT/MM/JJJJ.
std::string GermanPlaceholders(std::string text)
{
    for (const auto& [en, de] : {std::pair{"FILE", "DATEI"},
                                 {"VALUE", "WERT"},
                                 {"COUNTRY", "LAND"},
                                 {"WxH", "BxH"},
                                 {"DD/MM/YYYY", "TT/MM/JJJJ"}})
        ReplaceAll(text, en, de);
    return text;
}

/// The value of an option as its own entry in a list shows it: a table name and a file stay two words.
std::string ListedValue(const OptionDoc& o)
{
    return o.value == TableAndFile ? "NAME FILE" : ShownValue(o);
}

/// The settable parameters in the program's order.
std::vector<const ParameterRow*> DescribedParameters()
{
    std::vector<const ParameterRow*> rows;
    for (const std::string_view name : ParameterNames())
        rows.push_back(FindParameter(name));
    return rows;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::span<const ExitCodeDoc> ExitCodeDocs()
{
    return kExitCodes;
}

} // namespace reference

namespace {

using namespace reference;

/// "[--name VALUE [modifiers]]", "..." after a repeatable option, in pieces that a line may end after:
/// the option with its value, then each modifier, the last with the closing bracket.
std::vector<std::string> UsagePieces(const OptionDoc& o)
{
    std::vector<std::string> pieces{"[" + std::string(o.name)};
    if (const std::string value = ShownValue(o); !value.empty())
        pieces.back() += " " + value;
    for (const OptionDoc* modifier : ModifiersOf(o.name))
        for (const std::string& piece : UsagePieces(*modifier))
            pieces.push_back(piece);
    pieces.back() += "]";
    if (o.repeatable && o.value != None)
        pieces.back() += "...";
    return pieces;
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

const OptionDoc* FindCliOption(std::string_view name)
{
    for (const OptionDoc& o : kOptions)
        if (o.name == name || (!o.alias.empty() && o.alias == name))
            return &o;
    return nullptr;
}

std::string MissingValueText(const OptionDoc& option)
{
    if (!option.missing.empty())
        return std::string(option.missing);
    if (option.value == File)
        return "a file";
    if (option.value == Choice) {
        std::vector<std::string> words = Words(option.choices);
        if (words.size() < 2)
            return JoinedWith(words, "");
        const std::string last = words.back();
        words.pop_back();
        return JoinedWith(words, ", ") + " or " + last;
    }
    return "a value";
}

std::string UsageText()
{
    constexpr std::size_t kWidth = 110;
    const std::string head = "usage: umbrix-cli ";
    std::string text = head;
    std::size_t lineLength = head.size();
    bool lineEmpty = true;
    for (const OptionDoc& o : kOptions) {
        if (!o.belongsTo.empty())
            continue;
        // A whole option stays on one line where it fits on one; else its modifiers go on the next.
        const std::vector<std::string> pieces = UsagePieces(o);
        const std::string whole = JoinedWith(pieces, " ");
        const bool fits = whole.size() <= kWidth - head.size();
        const std::vector<std::string> items = fits ? std::vector<std::string>{whole} : pieces;
        for (std::size_t k = 0; k < items.size(); ++k) {
            const std::string& item = items[k];
            const bool opensLongOption = !fits && k == 0 && items.size() > 1;
            if (!lineEmpty && (opensLongOption || lineLength + 1 + item.size() > kWidth)) {
                text += "\n" + std::string(head.size() + (k == 0 ? 0 : 2), ' ');
                lineLength = head.size();
                lineEmpty = true;
            }
            text += (lineEmpty ? "" : " ") + item;
            lineLength += (lineEmpty ? 0 : 1) + item.size();
            lineEmpty = false;
        }
    }
    return text + "\nAn output FILE of - is standard output.\n";
}

std::string OptionList(Language language)
{
    std::string text = language == Language::English ? "\noptions:\n" : "\nOptionen:\n";
    for (const OptionDoc& o : kOptions) {
        std::string line = "  " + std::string(o.name);
        if (const std::string value = o.value == TableAndFile ? "NAME FILE" : ShownValue(o); !value.empty())
            line += " " + value;
        line.resize(std::max<std::size_t>(line.size() + 2, 36), ' ');
        line += language == Language::English ? o.meaningEn : o.meaningDe;
        if (!o.belongsTo.empty())
            line += (language == Language::English ? " (with " : " (mit ") + std::string(o.belongsTo) + ")";
        text += line + "\n";
    }
    return text;
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
