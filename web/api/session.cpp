#include "web/api/session.h"

#include "cli/cli_run.h"
#include "cli/json_report.h"
#include "cli/json_writer.h"
#include "cli/parameters.h"
#include "cli/reference.h"
#include "core/control_states.h"
#include "core/driver.h"
#include "core/input_panel.h"
#include "core/model.h"
#include "core/number_text.h"
#include "core/parameter_set.h"
#include "core/parameters.h"
#include "export/config_file.h"
#include "site/command_line_site.h"
#include "site/site_service.h"
#include "text/texts.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <type_traits>
#include <variant>

namespace umbrix {

namespace {

void WriteControlState(JsonWriter& json, const ControlState& s)
{
    json.beginObject();
    json.key("name");
    json.value(s.name);
    const auto flag = [&](std::string_view key, const std::optional<bool>& v) {
        if (v) {
            json.key(key);
            json.value(*v);
        }
    };
    if (s.text) {
        json.key("text");
        json.value(*s.text);
    }
    flag("enabled", s.enabled);
    flag("visible", s.visible);
    flag("checked", s.checked);
    if (s.item) {
        json.key("item");
        json.value(*s.item);
    }
    flag("yellow", s.yellow);
    if (s.fontColour) {
        json.key("fontColour");
        json.value(*s.fontColour);
    }
    json.endObject();
}

void WriteControlStates(JsonWriter& json, const std::vector<ControlState>& states)
{
    json.beginArray();
    for (const ControlState& s : states)
        WriteControlState(json, s);
    json.endArray();
}

std::string_view StatusName(SetStatus status)
{
    switch (status) {
    case SetStatus::Accepted:
        return "accepted";
    case SetStatus::UnknownName:
        return "unknown";
    case SetStatus::Rejected:
        return "rejected";
    case SetStatus::Disabled:
        return "disabled";
    }
    return "rejected";
}

/// A flat JSON object {"key": "text" | number | true | false | null} as texts by key; nothing when the text
/// is not such an object. Numbers keep their text; true and false become "1" and "0".
/// The site of every session: the time zones read for timeZone and the year, as umbrix-cli reads them.
CliSite& SharedSite()
{
    static CliSite site;
    return site;
}

/// The site every calculation and output of the sessions reads its zone tables from (read once: the page
/// recalculates at every change). It never chooses a place, so no run leaves anything in it.
CliSite& CalculationSite()
{
    static CliSite site;
    return site;
}

/// The gazetteer the page searches (its index built at the first search).
SiteServices& SharedPlaces()
{
    static SiteServices services = SiteServices::System();
    return services;
}

/// The lines a site step wrote, one message each, as the report's messages.
std::vector<UiMessage> SiteMessages(const std::string& written)
{
    std::vector<UiMessage> messages;
    std::istringstream lines(written);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty())
            messages.push_back({"umbrix", line, MessageIcon::Warning});
    return messages;
}

std::optional<std::map<std::string, std::string>> FlatObject(std::string_view text)
{
    std::map<std::string, std::string> members;
    std::size_t i = 0;
    const auto blanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\n' || text[i] == '\r' || text[i] == '\t'))
            ++i;
    };
    const auto string = [&]() -> std::optional<std::string> {
        if (i >= text.size() || text[i] != '"')
            return std::nullopt;
        std::string s;
        for (++i; i < text.size() && text[i] != '"'; ++i) {
            if (text[i] == '\\') {
                if (++i >= text.size())
                    return std::nullopt;
                const char c = text[i];
                s += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
            } else {
                s += text[i];
            }
        }
        if (i >= text.size())
            return std::nullopt;
        ++i;
        return s;
    };
    blanks();
    if (text.empty() || (i < text.size() && text[i] != '{'))
        return text.find_first_not_of(" \n\r\t") == std::string_view::npos ? std::optional(members) : std::nullopt;
    ++i;
    blanks();
    if (i < text.size() && text[i] == '}')
        return members;
    while (i < text.size()) {
        blanks();
        const std::optional<std::string> key = string();
        blanks();
        if (!key || i >= text.size() || text[i] != ':')
            return std::nullopt;
        ++i;
        blanks();
        std::string value;
        if (i < text.size() && text[i] == '"') {
            const std::optional<std::string> s = string();
            if (!s)
                return std::nullopt;
            value = *s;
        } else {
            const std::size_t start = i;
            while (i < text.size() && text[i] != ',' && text[i] != '}' && text[i] != ' ' && text[i] != '\n')
                ++i;
            value = std::string(text.substr(start, i - start));
            if (value == "true")
                value = "1";
            else if (value == "false")
                value = "0";
            else if (value == "null")
                continue;
        }
        members[*key] = value;
        blanks();
        if (i < text.size() && text[i] == ',') {
            ++i;
            continue;
        }
        if (i < text.size() && text[i] == '}')
            return members;
        return std::nullopt;
    }
    return std::nullopt;
}

std::string Get(const std::map<std::string, std::string>& options, const std::string& key, std::string fallback)
{
    const auto it = options.find(key);
    return it == options.end() ? fallback : it->second;
}

bool On(const std::map<std::string, std::string>& options, const std::string& key)
{
    const auto it = options.find(key);
    return it != options.end() && it->second != "0" && !it->second.empty();
}

/// The command-line arguments that write output `kind` into `file` (its ending is appended), or the
/// reason why there are none.
struct OutputArgs {
    std::vector<std::string> args;
    std::string file;
    std::string problem;
};
OutputArgs ArgumentsOf(std::string_view kind, const std::map<std::string, std::string>& o, const std::string& stem)
{
    OutputArgs out;
    const auto file = [&](std::string ending) {
        out.file = stem + "." + ending;
        return out.file;
    };
    auto& a = out.args;
    if (kind == "json" || kind == "at") {
        a = {"--json", file("json")};
        if (kind == "at" || o.count("at"))
            a.insert(a.end(), {"--at", Get(o, "at", "")});
    } else if (kind == "svg") {
        a = {"--svg", file("svg")};
        if (o.count("size"))
            a.insert(a.end(), {"--size", Get(o, "size", "")});
        if (o.count("scale"))
            a.insert(a.end(), {"--scale", Get(o, "scale", "")});
    } else if (kind == "svg-error" || kind == "svg-accuracy" || kind == "svg-reach") {
        a = {"--" + std::string(kind), file("svg")};
    } else if (kind == "plt") {
        a = {"--plt", file("plt")};
    } else if (kind == "dxf" || kind == "dxf-mm") {
        a = {"--" + std::string(kind), file("dxf")};
    } else if (kind == "setting-out") {
        const std::string format = Get(o, "format", "pdf");
        if (format != "pdf" && format != "csv")
            out.problem = "setting-out format pdf or csv, not " + format;
        a = {"--setting-out", file(format)};
    } else if (kind == "template") {
        a = {"--template", file("pdf")};
        if (o.count("paper"))
            a.insert(a.end(), {"--paper", Get(o, "paper", "")});
        if (o.count("correctX"))
            a.insert(a.end(), {"--correct-x", Get(o, "correctX", "")});
        if (o.count("correctY"))
            a.insert(a.end(), {"--correct-y", Get(o, "correctY", "")});
    } else if (kind == "pdf") {
        a = {"--pdf", file("pdf"), "--pdf-lists", Get(o, "lists", "all")};
    } else if (kind == "table") {
        const std::string format = Get(o, "format", "txt");
        if (format != "txt" && format != "csv")
            out.problem = "table format txt or csv, not " + format;
        a = {"--table", Get(o, "name", ""), file(format)};
    } else if (kind == "save-config") {
        const std::string format = Get(o, "format", "ini");
        if (format != "ini" && format != "adt")
            out.problem = "configuration format ini or adt, not " + format;
        a = {"--save-config", file(format)};
    } else {
        out.problem = "unknown output " + std::string(kind);
    }
    for (const char* analysis : {"accuracy", "reach", "correction"})
        if (On(o, analysis))
            a.push_back("--" + std::string(analysis));
    if (On(o, "plotScreenLike"))
        a.emplace_back("--plot-screen-like");
    return out;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::filesystem::path NewScratchFolder()
{
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec)
        base = "/tmp";
    std::string pattern = (base / "umbrix-session-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        return base;
    return pattern;
}

void WriteParameterValue(JsonWriter& json, const ParameterValue& value)
{
    std::visit([&](const auto& v) {
        if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>)
            json.value(std::string_view(v));
        else
            json.value(v);
    }, value);
}

void WriteBilingual(JsonWriter& json, std::string_view key, std::string_view de, std::string_view en)
{
    json.key(key);
    json.beginObject();
    json.key("de");
    json.value(de);
    json.key("en");
    json.value(en);
    json.endObject();
}

std::string_view KindName(ValueKind kind)
{
    switch (kind) {
    case ValueKind::Real:
        return "real";
    case ValueKind::Integer:
        return "integer";
    case ValueKind::Choice:
        return "choice";
    case ValueKind::Boolean:
        return "boolean";
    case ValueKind::Date:
        return "date";
    case ValueKind::HoursTable:
        return "hoursTable";
    case ValueKind::Text:
        return "text";
    }
    return "text";
}

std::string_view UnitName(ValueUnit unit)
{
    switch (unit) {
    case ValueUnit::None:
        return "";
    case ValueUnit::Degrees:
        return "degrees";
    case ValueUnit::DialUnits:
        return "dialUnits";
    case ValueUnit::Hours:
        return "hours";
    }
    return "";
}

std::string_view OptionValueName(OptionValue value)
{
    switch (value) {
    case OptionValue::None:
        return "none";
    case OptionValue::File:
        return "file";
    case OptionValue::Word:
        return "word";
    case OptionValue::Choice:
        return "choice";
    case OptionValue::Parameter:
        return "parameter";
    case OptionValue::TableAndFile:
        return "tableAndFile";
    }
    return "none";
}

/// The texts the input panels show, by control name, in one language (the panel's set-up and the
/// parameters shown).
std::map<std::string, std::string> PanelTexts(Language language)
{
    const auto model = std::make_unique<Model>();
    InitDefaults(*model);
    SetLanguage(*model, language);
    ControlStates states;
    states.add(ConfigureInputPanel(*model));
    states.add(ShowParameters(*model));
    std::map<std::string, std::string> texts;
    for (const ControlState& s : states.take())
        if (s.text)
            texts[s.name] = *s.text;
    return texts;
}

} // namespace

Session::Session() : model_(std::make_unique<Model>()), folder_(NewScratchFolder())
{
    InitDefaults(*model_);
    (void)ConfigureInputPanel(*model_);
    RefreshAxes(*model_);
}

Session::~Session()
{
    std::error_code ec;
    if (folder_.filename().string().starts_with("umbrix-session-"))
        std::filesystem::remove_all(folder_, ec);
}

void Session::setLanguage(std::string_view language)
{
    if (language == "de")
        SetLanguage(*model_, Language::German);
    else if (language == "en")
        SetLanguage(*model_, Language::English);
    (void)ConfigureInputPanel(*model_);
}

std::string Session::setParameter(std::string_view name, std::string_view text)
{
    // A new zone or year reads the zone's rule, as after umbrix-cli's --set; a zone that cannot be read is
    // refused and the parameters stay as they were.
    const bool readsZone = name == "timeZone" || name == "year";
    const std::optional<DialParameters> before = readsZone ? std::optional(model_->params) : std::nullopt;
    SetOutcome outcome = SetParameter(*model_, name, text);
    if (readsZone && outcome.status == SetStatus::Accepted) {
        std::ostringstream written;
        const std::optional<int> stopped = SharedSite().AfterSet(*model_, name, written);
        const std::vector<UiMessage> site = SiteMessages(written.str());
        outcome.messages.insert(outcome.messages.end(), site.begin(), site.end());
        if (stopped) {
            outcome.status = SetStatus::Rejected;
            model_->params = *before;
        }
    }
    messages_.insert(messages_.end(), outcome.messages.begin(), outcome.messages.end());
    JsonWriter json;
    json.beginObject();
    json.key("status");
    json.value(StatusName(outcome.status));
    json.key("messages");
    WriteMessages(json, outcome.messages);
    json.endObject();
    return json.text();
}

std::string Session::validateField(std::string_view name, std::string_view text)
{
    const ParameterRow* row = FindParameter(name);
    if (!row || !row->field) {
        const SetOutcome outcome = SetParameter(*model_, name, text);
        JsonWriter json;
        json.beginObject();
        json.key("accepted");
        json.value(outcome.status == SetStatus::Accepted);
        json.key("text");
        json.value(text);
        json.key("messages");
        WriteMessages(json, outcome.messages);
        json.key("others");
        json.beginArray();
        json.endArray();
        json.endObject();
        return json.text();
    }
    const FieldOutcome outcome = ValidateField(*model_, *row->field, text, true);
    JsonWriter json;
    json.beginObject();
    json.key("accepted");
    json.value(outcome.accepted);
    json.key("text");
    json.value(outcome.text ? std::string_view(*outcome.text) : text);
    json.key("messages");
    WriteMessages(json, outcome.messages);
    json.key("others");
    WriteControlStates(json, outcome.others);
    json.endObject();
    return json.text();
}

std::string Session::controlStates()
{
    ControlStates states;
    states.add(ConfigureInputPanel(*model_));
    states.add(ShowParameters(*model_));
    JsonWriter json;
    WriteControlStates(json, states.take());
    return json.text();
}

std::string Session::parameters() const
{
    JsonWriter json;
    json.beginObject();
    WriteParameters(json, *model_);
    json.endObject();
    return json.text();
}

std::string Session::calculate()
{
    lastError_.clear();
    CliOptions options;
    options.json = "-";
    std::ostringstream out;
    std::ostringstream err;
    (void)CalculateAndWrite(model_, options, messages_, out, err, nullptr, &CalculationSite());
    lastError_ = err.str();
    return out.str();
}

std::string Session::output(std::string_view kind, std::string_view optionsJson)
{
    lastError_.clear();
    const auto options = FlatObject(optionsJson);
    if (!options) {
        lastError_ = "the options are no flat JSON object: " + std::string(optionsJson.substr(0, 80));
        return {};
    }
    const OutputArgs request = ArgumentsOf(kind, *options, (folder_ / "output").string());
    if (!request.problem.empty()) {
        lastError_ = request.problem;
        return {};
    }
    CliOptions cli;
    if (const std::optional<std::string> problem = ParseCliArguments(request.args, cli)) {
        lastError_ = problem->empty() ? std::string("no output asked for") : *problem;
        return {};
    }
    std::error_code ec;
    std::filesystem::remove(request.file, ec);
    auto copy = std::make_unique<Model>(*model_);
    std::ostringstream out;
    std::ostringstream err;
    const int code = CalculateAndWrite(copy, cli, messages_, out, err, nullptr, &CalculationSite());
    std::optional<std::string> bytes = ReadWholeFile(request.file);
    std::filesystem::remove(request.file, ec);
    if (!bytes || (code != 0 && kind != "json" && kind != "at")) {
        lastError_ = err.str().empty() ? "no file was written (exit code " + std::to_string(code) + ")" : err.str();
        return {};
    }
    return *bytes;
}

std::string Session::readConfig(std::string_view bytes, std::string_view fileName)
{
    lastError_.clear();
    // The reader takes a file, as the window's "open" does: the bytes go into the scratch folder under the
    // file's own name (its ending decides the format), and are read from there.
    std::string name(std::filesystem::path(std::string(fileName)).filename().string());
    if (name.empty() || name == "." || name == "..")
        name = "configuration.ini";
    const std::filesystem::path path = folder_ / name;
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const Language language = LanguageOf(model_->state.language);
    const ConfigurationRead read = LoadConfigurationFile(*model_, path.string());
    std::error_code ec;
    std::filesystem::remove(path, ec);
    if (read.dial) {
        ApplyConfiguredDial(*model_, *read.dial);
        SetLanguage(*model_, language);
        (void)ConfigureInputPanel(*model_);
        RefreshAxes(*model_);
        messages_.insert(messages_.end(), read.messages.begin(), read.messages.end());
    } else if (!read.messages.empty()) {
        lastError_ = read.messages.front().caption + ": " + read.messages.front().text;
    }
    JsonWriter json;
    json.beginObject();
    json.key("ok");
    json.value(read.dial.has_value());
    json.key("messages");
    WriteMessages(json, read.dial ? std::vector<UiMessage>{} : read.messages);
    json.key("warnings");
    WriteMessages(json, read.dial ? read.messages : std::vector<UiMessage>{});
    json.endObject();
    return json.text();
}

std::string Session::setPlace(std::string_view placeJson)
{
    const auto place = FlatObject(placeJson);
    PlaceRecord record;
    const std::string lat = place ? Get(*place, "latitude", "") : "";
    const std::string lon = place ? Get(*place, "longitudeEast", "") : "";
    if (ReadReal(lat, record.latitude).ec != std::errc{} || ReadReal(lon, record.longitudeEast).ec != std::errc{}) {
        JsonWriter json;
        json.beginObject();
        json.key("status");
        json.value("rejected");
        json.key("messages");
        WriteMessages(json, {{"umbrix", "a place needs latitude and longitudeEast", MessageIcon::Warning}});
        json.endObject();
        return json.text();
    }
    record.ownName = record.nameEn = record.nameDe = Get(*place, "name", "");
    record.timeZone = Get(*place, "timeZone", "");
    // latitude, longitude (west positive), timeZone and place, as --place sets them; a place without a zone
    // keeps the zone set before.
    std::string answer;
    for (const auto& [name, value] : PlaceSettings(record, PlaceLanguage::English)) {
        if ((name == "timeZone" || name == "place") && value.empty())
            continue;
        answer = setParameter(name, value);
        if (answer.find("\"accepted\"") == std::string::npos)
            return answer;
    }
    return answer;
}

std::string DescribeJson()
{
    const std::map<std::string, std::string> de = PanelTexts(Language::German);
    const std::map<std::string, std::string> en = PanelTexts(Language::English);
    JsonWriter json;
    json.beginObject();
    json.key("parameters");
    json.beginArray();
    for (const ParameterRow& row : ParameterTable()) {
        json.beginObject();
        json.key("name");
        json.value(row.name);
        json.key("field");
        if (row.field)
            json.value(FieldName(*row.field));
        else
            json.null();
        json.key("control");
        json.value(row.control);
        json.key("kind");
        json.value(KindName(row.kind));
        json.key("unit");
        json.value(UnitName(row.unit));
        json.key("min");
        json.value(row.bounds.lo);
        json.key("max");
        json.value(row.bounds.hi);
        json.key("settable");
        json.value(row.settable);
        json.key("choices");
        json.beginArray();
        for (const ChoiceDoc& choice : row.choices) {
            json.beginObject();
            json.key("value");
            json.value(choice.value);
            json.key("de");
            json.value(choice.meaningDe);
            json.key("en");
            json.value(choice.meaningEn);
            json.endObject();
        }
        json.endArray();
        json.key("default");
        if (const std::optional<ParameterValue> value = DefaultOf(row))
            WriteParameterValue(json, *value);
        else
            json.null();
        WriteBilingual(json, "meaning", row.meaningDe, row.meaningEn);
        // A field's caption as its label shows it: the head of the refusal line "Caption: range".
        if (row.field) {
            const auto caption = [&](Language language) {
                const auto model = std::make_unique<Model>();
                InitDefaults(*model);
                SetLanguage(*model, language);
                const std::string line = RejectionLine(*model, *row.field);
                return line.substr(0, line.find(": "));
            };
            WriteBilingual(json, "caption", caption(Language::German), caption(Language::English));
        }
        WriteBilingual(json, "range", RangeText(row, Language::German), RangeText(row, Language::English));
        json.key("enabledByDialType");
        json.beginArray();
        for (int type = 0; type < kDialTypeCount; ++type)
            json.value(Contains(row.enabling.dialTypes, static_cast<DialType>(type)));
        json.endArray();
        json.key("splitDialOnly");
        json.value(row.enabling.splitDialOnly);
        json.key("searchMethodOnly");
        json.value(row.enabling.searchMethodOnly);
        json.endObject();
    }
    json.endArray();
    json.key("options");
    json.beginArray();
    for (const OptionDoc& option : CliOptionDocs()) {
        json.beginObject();
        json.key("name");
        json.value(option.name);
        json.key("value");
        json.value(OptionValueName(option.value));
        WriteBilingual(json, "meaning", option.meaningDe, option.meaningEn);
        json.key("belongsTo");
        json.value(option.belongsTo);
        json.key("choices");
        json.beginArray();
        std::string_view rest = option.choices;
        while (!rest.empty()) {
            const std::size_t blank = rest.find(' ');
            const std::string_view word = rest.substr(0, blank);
            if (!word.empty())
                json.value(word);
            rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
    // The panels' texts: what the input panel's set-up shows by control name, and every caption of the
    // window's string resources by its number (accelerator marks "&" removed).
    json.key("texts");
    json.beginObject();
    for (const auto& [name, textDe] : de) {
        const auto it = en.find(name);
        WriteBilingual(json, name, textDe, it == en.end() ? textDe : it->second);
    }
    json.key("resources");
    json.beginObject();
    for (const ResourceEntry& entry : ResourceEntries())
        WriteBilingual(json, std::to_string(entry.id), ResourceTextPlain(StateFor(Language::German), entry.id),
                       ResourceTextPlain(StateFor(Language::English), entry.id));
    json.endObject();
    json.endObject();
    json.key("dialTypes");
    json.beginArray();
    if (const ParameterRow* dialType = FindParameter("dialType")) {
        for (const ChoiceDoc& choice : dialType->choices) {
            json.beginObject();
            json.key("value");
            json.value(choice.value);
            json.key("de");
            json.value(choice.meaningDe);
            json.key("en");
            json.value(choice.meaningEn);
            json.endObject();
        }
    }
    json.endArray();
    json.key("outputs");
    json.beginArray();
    struct OutputDoc {
        std::string_view kind, extension, mime;
    };
    static constexpr OutputDoc kOutputs[] = {
        {"json", "json", "application/json"},       {"at", "json", "application/json"},
        {"svg", "svg", "image/svg+xml"},            {"svg-error", "svg", "image/svg+xml"},
        {"svg-accuracy", "svg", "image/svg+xml"},   {"svg-reach", "svg", "image/svg+xml"},
        {"plt", "plt", "application/vnd.hp-hpgl"},  {"dxf", "dxf", "image/vnd.dxf"},
        {"dxf-mm", "dxf", "image/vnd.dxf"},         {"setting-out", "pdf", "application/pdf"},
        {"template", "pdf", "application/pdf"},     {"pdf", "pdf", "application/pdf"},
        {"table", "txt", "text/plain"},             {"save-config", "ini", "text/plain"},
    };
    for (const OutputDoc& doc : kOutputs) {
        json.beginObject();
        json.key("kind");
        json.value(doc.kind);
        json.key("extension");
        json.value(doc.extension);
        json.key("mime");
        json.value(doc.mime);
        json.key("dialTypes");
        json.beginArray();
        for (int type = 0; type < kDialTypeCount; ++type)
            json.value(type);
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return json.text();
}

std::string SearchPlacesJson(std::string_view text, std::string_view language)
{
    constexpr std::size_t kMostPlaces = 20;
    const PlaceLanguage lang = language == "de" ? PlaceLanguage::German : PlaceLanguage::English;
    JsonWriter json;
    json.beginArray();
    for (const PlaceRecord* p : SharedPlaces().places().Search(text, lang, kMostPlaces)) {
        json.beginObject();
        for (const auto& [key, value] : {std::pair{"name", NameIn(*p, lang)}, std::pair{"state", StateIn(*p, lang)},
                                         std::pair{"country", CountryIn(*p, lang)},
                                         std::pair{"countryCode", p->countryCode},
                                         std::pair{"timeZone", p->timeZone}}) {
            json.key(key);
            json.value(value);
        }
        json.key("latitude");
        json.value(p->latitude);
        json.key("longitudeEast");
        json.value(p->longitudeEast);
        json.key("population");
        json.value(static_cast<double>(p->population));
        json.endObject();
    }
    json.endArray();
    return json.text();
}

} // namespace umbrix
