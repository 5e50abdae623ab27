#include "cli/parameters.h"

#include "core/input_panel.h"
#include "core/numeric.h"
#include "text/texts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <memory>
#include <optional>
#include <string>

namespace umbrix {

namespace {

struct NamedField {
    std::string_view name;
    Field field;
};

constexpr std::array<NamedField, kFieldCount> kFieldParameters = {{
    {"latitude", Field::eBreit},
    {"longitude", Field::eLang},
    {"zoneMeridian", Field::eZone},
    {"planeInclination", Field::eIncl},
    {"planeDeviation", Field::eDek},
    {"gnomonInclination", Field::eGnomInc},
    {"gnomonDeviation", Field::eGnomDek},
    {"gnomonHeight", Field::eHoehe},
    {"semiMajorAxis", Field::eHalb},
    {"riseSetDeclination", Field::eRiseSet},
    {"distanceZ", Field::eVergr},
    {"dxfAxisLength", Field::EddxfAchs},
    {"year", Field::ejahr},
}};

/// The control behind each of the other parameters, for the enabled test.
struct ControlName {
    std::string_view name;
    std::string_view control;
};
constexpr std::array<ControlName, 17> kOtherParameters = {{
    {"marksPerMonth", "rgAnzahl"},
    {"linesPerHour", "eLph"},
    {"marksMode", "rgTyp"},
    {"dialType", ""},
    {"doubleAnalemmaMethod", "rgMittelwert"},
    {"showZoneTime", "chBzonzeit"},
    {"showLambertCircle", "ChBLambert"},
    {"hourFrom", "eStart"},
    {"hourTo", "eEnd"},
    {"errorHourFrom", "efStart"},
    {"errorHourTo", "efEnd"},
    {"shadowDate", "MaskEdit1"},
    {"showShadowPath", "chBSchatt"},
    {"markRiseSet", "ChBRiseSet"},
    {"coordinatesAsXY", "rgKoordAusg"},
    {"useDefaultHours", "rgDefault"},
    {"fineSearch", "chbGenau"},
}};

constexpr std::string_view kHoursTable = "hoursTable"; // the hours input grid of the split dial

std::optional<Field> FieldFor(std::string_view name)
{
    for (const auto& f : kFieldParameters)
        if (f.name == name)
            return f.field;
    return std::nullopt;
}

/// Whether the window leaves this control enabled in the model's current state.
bool ControlEnabled(Model& model, std::string_view control)
{
    const std::array<std::string_view, 1> names{control};
    return ControlsEnabled(model, names).front();
}

std::optional<int> ReadInt(std::string_view text)
{
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return v;
}

UiMessage InputError(const Model& model)
{
    const LanguageState& lang = model.state.language;
    return {std::string(CaptionText(lang, Caption::Problem)), std::string(MessageRow(lang, MessageId::InputError)),
            MessageIcon::Warning};
}

UiMessage DisabledMessage(const Model& model, std::string_view name)
{
    const LanguageState& lang = model.state.language;
    std::string text = lang.languageIndex == 2 ? "The field " + std::string(name) + " is disabled for this dial type."
                                               : "Das Feld " + std::string(name) + " ist bei diesem Uhrtyp gesperrt.";
    return {std::string(CaptionText(lang, Caption::Problem)), std::move(text), MessageIcon::Warning};
}

/// A whole number within lo..hi, or the input message.
SetOutcome SetInteger(Model& model, std::string_view value, int lo, int hi, auto&& store)
{
    const std::optional<int> v = ReadInt(value);
    if (!v || *v < lo || *v > hi)
        return {SetStatus::Rejected, {InputError(model)}};
    store(*v);
    return {};
}

SetOutcome SetBool(Model& model, std::string_view value, auto&& store)
{
    const std::optional<bool> v = ParseSwitch(value);
    if (!v)
        return {SetStatus::Rejected, {InputError(model)}};
    store(*v);
    return {};
}

/// hoursTable: the four columns of StrGridEin, columns separated by ";", cells by "/".
SetOutcome SetHoursTable(Model& model, std::string_view value)
{
    std::array<std::vector<std::string>, 4> columns;
    std::size_t col = 0;
    std::string cell;
    auto flushCell = [&] {
        columns[col].push_back(cell);
        cell.clear();
    };
    for (const char ch : value) {
        if (ch == '/') {
            flushCell();
        } else if (ch == ';') {
            flushCell();
            if (++col == columns.size())
                return {SetStatus::Rejected, {InputError(model)}};
        } else {
            cell += ch;
        }
    }
    flushCell();
    StringGrid& grid = model.grids.StrGridEin;
    for (int r = 1; r < grid.rowCount(); ++r)
        for (int c = 1; c <= 4; ++c)
            grid.setCell(c, r, "");
    for (std::size_t c = 0; c < columns.size(); ++c)
        for (std::size_t r = 0; r < columns[c].size(); ++r)
            grid.setCell(static_cast<int>(c) + 1, static_cast<int>(r) + 1, columns[c][r]);
    return {};
}

SetOutcome SetOther(Model& model, std::string_view name, std::string_view value)
{
    DialParameters& p = model.params;
    SharedState& s = model.state;
    if (name == "dialType") {
        std::vector<UiMessage> messages;
        SetOutcome out =
            SetInteger(model, value, 0, kDialTypeCount - 1, [&](int v) { (void)SelectDialType(model, v, messages); });
        out.messages.insert(out.messages.end(), messages.begin(), messages.end());
        return out;
    }
    if (name == "marksMode")
        return SetInteger(model, value, 1, 2, [&](int v) {
            p.marksMode = static_cast<std::uint8_t>(v);
            s.doubleAnalemmaActive = p.type() == DialType::MeanTime && v == 2;
        });
    if (name == "doubleAnalemmaMethod")
        return SetInteger(model, value, 0, 4, [&](int v) { p.doubleAnalemmaMethod = static_cast<std::uint8_t>(v); });
    if (name == "marksPerMonth") {
        const std::optional<int> v = ReadInt(value);
        if (!v || (*v != 1 && *v != 2 && *v != 3 && *v != 6) || (*v == 6 && p.type() == DialType::FixedGnomon))
            return {SetStatus::Rejected, {InputError(model)}};
        (void)SetMarksPerMonthItem(model, *v == 6 ? 3 : *v - 1);
        return {};
    }
    auto spin = [&](SpinRange range, auto&& store) { return SetInteger(model, value, range.lo, range.hi, store); };
    if (name == "linesPerHour")
        return spin(kLinesPerHourRange, [&](int v) { p.linesPerHour = static_cast<std::uint8_t>(v); });
    if (name == "hourFrom" || name == "hourTo") {
        const bool first = name == "hourFrom";
        SetOutcome out = spin(first ? kHourFromRange : kHourToRange,
                              [&](int v) { (first ? s.hourFrom : s.hourTo) = static_cast<std::int16_t>(v); });
        // As in the window, each hour is checked against the other one as it stands.
        if (out.status == SetStatus::Accepted && !HourRangeValid(s.hourFrom, s.hourTo))
            return {SetStatus::Rejected, {HourRangeMessage(s.language)}};
        return out;
    }
    if (name == "errorHourFrom")
        return spin(kErrorHourFromRange, [&](int v) { s.errorHourFrom = static_cast<std::int16_t>(v); });
    if (name == "errorHourTo")
        return spin(kErrorHourToRange, [&](int v) { s.errorHourTo = static_cast<std::int16_t>(v); });
    if (name == "showZoneTime")
        return SetBool(model, value, [&](bool v) { p.showZoneTime = v; });
    if (name == "showLambertCircle")
        return SetBool(model, value, [&](bool v) { p.showLambertCircle = v; });
    if (name == "showShadowPath")
        return SetBool(model, value, [&](bool v) { (void)SetShowShadowPath(model, v); });
    if (name == "markRiseSet")
        return SetBool(model, value, [&](bool v) { s.markRiseSet = v; });
    if (name == "coordinatesAsXY")
        return SetBool(model, value, [&](bool v) { s.coordinatesAsXY = v; });
    if (name == "useDefaultHours")
        return SetBool(model, value, [&](bool v) { s.useDefaultHours = v; });
    if (name == "fineSearch")
        return SetBool(model, value, [&](bool v) { s.fineSearch = v; });
    if (name == "shadowDate") {
        const DateOutcome date = ParseShadowDate(model, value, DateSource::MaskEdit1);
        if (date.valid)
            return {};
        SetOutcome out{SetStatus::Rejected, {}};
        if (date.message)
            out.messages.push_back(*date.message);
        else
            out.messages.push_back(InputError(model));
        return out;
    }
    if (name == kHoursTable)
        return SetHoursTable(model, value);
    return {SetStatus::UnknownName, {}};
}

} // namespace

std::vector<std::string_view> ParameterNames()
{
    std::vector<std::string_view> names;
    for (const auto& f : kFieldParameters)
        names.push_back(f.name);
    for (const auto& c : kOtherParameters)
        names.push_back(c.name);
    names.push_back(kHoursTable);
    return names;
}

bool IsPresetParameter(std::string_view name)
{
    return name == "dialType" || name == "marksMode" || name == "doubleAnalemmaMethod";
}

SetOutcome SetParameter(Model& model, std::string_view name, std::string_view value)
{
    std::string_view control;
    if (const std::optional<Field> field = FieldFor(name)) {
        control = FieldName(*field);
    } else if (name == kHoursTable) {
        control = "StrGridEin";
    } else {
        const auto it = std::find_if(kOtherParameters.begin(), kOtherParameters.end(),
                                     [&](const ControlName& c) { return c.name == name; });
        if (it == kOtherParameters.end())
            return {SetStatus::UnknownName, {}};
        control = it->control;
    }
    if (!ControlEnabled(model, control))
        return {SetStatus::Disabled, {DisabledMessage(model, name)}};

    if (const std::optional<Field> field = FieldFor(name)) {
        // The key filter of the fields turns a typed "," into ".".
        std::string text(value);
        std::replace(text.begin(), text.end(), ',', '.');
        const auto trial = std::make_unique<Model>(model);
        const FieldOutcome outcome = ValidateField(*trial, *field, text, true);
        if (!outcome.accepted)
            return {SetStatus::Rejected, outcome.messages};
        model = std::move(*trial);
        return {SetStatus::Accepted, outcome.messages};
    }
    const auto trial = std::make_unique<Model>(model);
    SetOutcome out = SetOther(*trial, name, value);
    if (out.status == SetStatus::Accepted)
        model = std::move(*trial);
    return out;
}

void WriteParameters(JsonWriter& json, const Model& model)
{
    const DialParameters& p = model.params;
    const SharedState& s = model.state;
    auto number = [&](std::string_view name, double v) {
        json.key(name);
        json.value(v);
    };
    auto integer = [&](std::string_view name, int v) {
        json.key(name);
        json.value(v);
    };
    auto flag = [&](std::string_view name, bool v) {
        json.key(name);
        json.value(v);
    };
    number("latitude", p.latitude);
    number("longitude", p.longitude);
    number("zoneMeridian", p.zoneMeridian);
    number("planeInclination", p.planeInclination);
    number("planeDeviation", p.planeDeviation);
    number("gnomonInclinationPlus90", p.gnomonInclinationPlus90);
    number("gnomonDeviation", p.gnomonDeviation);
    number("gnomonHeight", p.gnomonHeight);
    number("semiMajorAxis", p.semiMajorAxis);
    number("riseSetDeclination", p.riseSetDeclination);
    number("gnomonInclination", p.gnomonInclination);
    integer("marksPerMonth", p.marksPerMonth);
    integer("linesPerHour", p.linesPerHour);
    integer("marksMode", p.marksMode);
    integer("dialType", p.dialType);
    integer("doubleAnalemmaMethod", p.doubleAnalemmaMethod);
    flag("showZoneTime", p.showZoneTime);
    integer("year", p.year);
    flag("showLambertCircle", p.showLambertCircle);
    number("dxfAxisLength", p.dxfAxisLength);
    number("cosPlaneGnomon", model.derived.cosPlaneGnomon);
    number("semiMinorAxis", model.derived.semiMinorAxis);
    number("extentX", model.derived.extentX);
    number("extentY", model.derived.extentY);
    number("distanceZ", p.distanceZ);
    integer("hourFrom", s.hourFrom);
    integer("hourTo", s.hourTo);
    integer("errorHourFrom", s.errorHourFrom);
    integer("errorHourTo", s.errorHourTo);
    integer("shadowDay", s.shadowDay);
    integer("shadowMonth", s.shadowMonth);
    json.key("shadowDate");
    json.value(s.shadowDateText);
    json.key("shadowDateCaption");
    json.value(s.shadowDateCaption);
    json.key("language");
    json.value(s.language.languageIndex == 2 ? "en" : "de");
    integer("languageIndex", s.language.languageIndex);
    integer("stringIdOffset", s.language.stringIdOffset);
    flag("showShadowPath", s.showShadowPath);
    flag("markRiseSet", s.markRiseSet);
    flag("coordinatesAsXY", s.coordinatesAsXY);
    flag("doubleAnalemmaActive", s.doubleAnalemmaActive);
    flag("useDefaultHours", s.useDefaultHours);
    flag("fineSearch", s.fineSearch);
    number("fixedGnomonReach", model.derived.fixedGnomonReach);
    json.key("dialTitle");
    json.value(s.dialTitle);
}

} // namespace umbrix
