// The help pages' chapter on umbrix-cli: the usage, the options and the parameters of --set between marker
// lines, written from the program's tables.

#include "cli/reference.h"
#include "cli/reference_text.h"
#include "core/parameters.h"

#include <utility>

namespace umbrix {

namespace {

using enum OptionValue;
using namespace reference;

/// `text` safe inside HTML text.
std::string HtmlEscaped(std::string_view text)
{
    std::string html;
    for (const char ch : text) {
        switch (ch) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        default:
            html += ch;
        }
    }
    return html;
}

std::string Code(std::string_view text)
{
    return "<code>" + HtmlEscaped(text) + "</code>";
}

constexpr std::string_view kHelpTable = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";

/// The usage lines without their head "usage: ", aligned as before.
std::string HelpUsage(Language language)
{
    constexpr std::string_view kHead = "usage: ";
    const std::string usage = UsageText();
    std::string lines;
    std::size_t at = 0;
    while (at < usage.size()) {
        const std::size_t end = usage.find('\n', at);
        const std::string line = usage.substr(at, end - at);
        at = end == std::string::npos ? usage.size() : end + 1;
        if (!line.starts_with(kHead) && !line.starts_with(std::string(kHead.size(), ' ')))
            continue; // the closing note on standard output, which the page gives in its own words
        lines += line.substr(kHead.size()) + "\n";
    }
    return HtmlEscaped(language == Language::English ? lines : GermanPlaceholders(lines));
}

std::string HelpOptions(Language language)
{
    const bool en = language == Language::English;
    std::string html = en ? "<h3>Usage</h3>\n<pre>\n" : "<h3>Aufruf</h3>\n<pre>\n";
    html += HelpUsage(language) + "</pre>\n";
    html += en ? "<p>An output file <code>-</code> is standard output.</p>\n\n<h3>Options</h3>\n"
               : "<p>Eine Ausgabedatei <code>-</code> ist die Standardausgabe.</p>\n\n<h3>Optionen</h3>\n";
    html += std::string(kHelpTable) + (en ? "<tr><th>Option</th><th>Value</th><th>Meaning</th></tr>\n"
                                          : "<tr><th>Option</th><th>Wert</th><th>Bedeutung</th></tr>\n");
    for (const OptionDoc& o : CliOptionDocs()) {
        std::string names = Code(o.name);
        if (!o.alias.empty())
            names += ", " + Code(o.alias);
        std::string value = ListedValue(o);
        if (!en)
            value = GermanPlaceholders(value);
        std::string meaning = HtmlEscaped(en ? o.meaningEn : GermanPlaceholders(std::string(o.meaningDe)));
        if (!o.belongsTo.empty())
            meaning += (en ? " (with " : " (mit ") + Code(o.belongsTo) + ")";
        if (o.repeatable && o.value != None)
            meaning += en ? "; may be repeated" : "; darf wiederholt werden";
        std::string shown = value.empty() ? std::string("–") : Code(value);
        if (o.value == TableAndFile)
            shown += "; NAME: " + Code(JoinedWith(Words(o.choices), "|"));
        html += "<tr><td>" + names + "</td><td>" + shown + "</td><td>" + meaning + "</td></tr>\n";
    }
    return html + "</table>\n";
}

std::string HelpParameters(Language language)
{
    const bool en = language == Language::English;
    std::string html = std::string(kHelpTable) + (en ? "<tr><th>Name</th><th>Meaning</th><th>Values</th></tr>\n"
                                                     : "<tr><th>Name</th><th>Bedeutung</th><th>Werte</th></tr>\n");
    for (const ParameterRow* doc : DescribedParameters()) {
        std::string values;
        if (doc->choices.empty())
            values = HtmlEscaped(RangeText(*doc, language));
        for (const ChoiceDoc& choice : doc->choices)
            values +=
                (values.empty() ? "" : "<br>") + Code(choice.value) + " " + HtmlEscaped(Meaning(choice, language));
        html += "<tr><td>" + Code(doc->name) + "</td><td>" + HtmlEscaped(Meaning(*doc, language)) + "</td><td>" +
                values + "</td></tr>\n";
    }
    return html + "</table>\n";
}

} // namespace

std::string HelpPartBegin(std::string_view part)
{
    return "<!-- umbrix-cli-reference writes the " + std::string(part) + " below from its tables -->";
}

std::string_view HelpPartEnd()
{
    return "<!-- end of the written part -->";
}

std::string HelpPage(std::string_view page, Language language)
{
    std::string html(page);
    for (const auto& [part, write] : {std::pair{"options", &HelpOptions}, {"parameters", &HelpParameters}}) {
        const std::string begin = HelpPartBegin(part) + "\n";
        const std::size_t from = html.find(begin);
        if (from == std::string::npos)
            continue;
        const std::size_t inner = from + begin.size();
        const std::size_t to = html.find(std::string(HelpPartEnd()), inner);
        if (to == std::string::npos)
            continue;
        html.replace(inner, to - inner, write(language));
    }
    return html;
}

} // namespace umbrix
