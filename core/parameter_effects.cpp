#include "core/parameter_effects.h"

#include "core/dst_ring.h"
#include "core/input_panel.h"
#include "core/number_text.h"
#include "core/reach_planner.h"
#include "text/own_texts.h"
#include "text/texts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace umbrix {

namespace {

int Whole(const ParameterValue& value)
{
    return std::get<int>(value);
}

SetOutcome Refused(const Model& model, std::string_view name)
{
    return {SetStatus::Rejected, {InputErrorMessage(model, *FindParameter(name))}};
}

} // namespace

UiMessage InputErrorMessage(const LanguageState& lang)
{
    return {std::string(CaptionText(lang, Caption::Problem)), std::string(MessageRow(lang, MessageId::InputError)),
            MessageIcon::Warning};
}

UiMessage InputErrorMessage(const Model& model, const ParameterRow& row)
{
    UiMessage message = InputErrorMessage(model.state.language);
    message.text += "\n" + RejectionLine(model, row);
    return message;
}

SetOutcome ApplyDialType(Model& model, const ParameterValue& value)
{
    SetOutcome out;
    (void)SelectDialType(model, Whole(value), out.messages);
    return out;
}

SetOutcome ApplyMarksMode(Model& model, const ParameterValue& value)
{
    model.params.marksMode = static_cast<MarksMode>(Whole(value));
    model.state.doubleAnalemmaActive = IsSplitDial(model.params);
    return {};
}

SetOutcome ApplyMarksPerMonth(Model& model, const ParameterValue& value)
{
    const int marks = Whole(value);
    // The fixed-gnomon dial has no sixth mark.
    if (marks == 6 && model.params.type() == DialType::FixedGnomon)
        return Refused(model, "marksPerMonth");
    (void)SetMarksPerMonthItem(model, marks == 6 ? 3 : marks - 1);
    return {};
}

namespace {

/// As in the window, each hour is checked against the other one as it stands.
SetOutcome ApplyHour(Model& model, std::int16_t& hour, int value)
{
    hour = static_cast<std::int16_t>(value);
    if (!HourRangeValid(model.state.hourFrom, model.state.hourTo))
        return {SetStatus::Rejected, {HourRangeMessage(model.state.language)}};
    return {};
}

} // namespace

SetOutcome ApplyHourFrom(Model& model, const ParameterValue& value)
{
    return ApplyHour(model, model.state.hourFrom, Whole(value));
}

SetOutcome ApplyHourTo(Model& model, const ParameterValue& value)
{
    return ApplyHour(model, model.state.hourTo, Whole(value));
}

SetOutcome ApplyShowShadowPath(Model& model, const ParameterValue& value)
{
    (void)SetShowShadowPath(model, std::get<bool>(value));
    return {};
}

SetOutcome ApplyShadowDate(Model& model, const ParameterValue& value)
{
    // "dd/mm" and nothing after it: a date with a year is no shadow date of every year.
    if (std::get<std::string>(value).size() > 5)
        return Refused(model, "shadowDate");
    const DateOutcome date = ParseShadowDate(model, std::get<std::string>(value), DateSource::MaskEdit1);
    if (date.valid)
        return {};
    if (date.message) {
        UiMessage message = *date.message;
        message.text += "\n" + RejectionLine(model, *FindParameter("shadowDate"));
        return {SetStatus::Rejected, {std::move(message)}};
    }
    return Refused(model, "shadowDate");
}

SetOutcome ApplyHoursTable(Model& model, const ParameterValue& value)
{
    std::array<std::vector<std::string>, 4> columns;
    std::size_t col = 0;
    std::string cell;
    auto flushCell = [&] {
        columns[col].push_back(cell);
        cell.clear();
    };
    for (const char ch : std::get<std::string>(value)) {
        if (ch == '/') {
            flushCell();
        } else if (ch == ';') {
            flushCell();
            if (++col == columns.size())
                return Refused(model, "hoursTable");
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

namespace {

constexpr std::size_t kMaxValueShown = 40; // characters of a refused value a message repeats

/// A finite real written with "." (a typed "," is taken as well, as the input fields do); the whole text.
std::optional<double> RealOf(std::string_view text)
{
    std::string t(text);
    std::replace(t.begin(), t.end(), ',', '.');
    double v = 0;
    const auto [end, ec] = ReadReal(t, v);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

SetOutcome NotAllowed(const Model& model, std::string_view name, std::string_view value)
{
    return {SetStatus::Rejected,
            {InputErrorMessage(model, *FindParameter(name)),
             ValueNotAllowedMessage(model.state.language, *FindParameter(name), value)}};
}

/// A real of the row `name` that `valid` accepts, stored by `store`.
template <class Valid, class Store>
SetOutcome ApplyReal(Model& model, std::string_view name, const ParameterValue& value, Valid valid, Store store)
{
    const std::string& text = std::get<std::string>(value);
    const std::optional<double> v = RealOf(text);
    if (!v || !valid(*v))
        return NotAllowed(model, name, text);
    store(*v);
    return {};
}

SetOutcome ApplyDstDate(Model& model, std::string_view name, const ParameterValue& value,
                        std::optional<DayMonth>& target)
{
    const std::string& text = std::get<std::string>(value);
    if (text.empty()) {
        target.reset();
        return {};
    }
    const std::optional<DayMonth> date = ParseDayMonth(text);
    if (!date)
        return NotAllowed(model, name, text);
    target = date;
    return {};
}

/// One or two digits, the whole text.
std::optional<int> SmallNumber(std::string_view digits)
{
    if (digits.empty() || digits.size() > 2 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int v = 0;
    ReadInteger(digits, v);
    return v;
}

} // namespace

UiMessage ValueNotAllowedMessage(const LanguageState& lang, const ParameterRow& row, std::string_view value)
{
    std::string shown;
    for (const char c : value.substr(0, kMaxValueShown))
        shown += c >= ' ' && c <= '~' ? c : '?';
    const std::string range = RangeText(row, LanguageOf(lang));
    std::string text =
        std::string(row.name) + "=" + shown + std::string(OwnTextOf(lang, OwnText::ValueAllowed)) + range;
    return {std::string(CaptionText(lang, Caption::Problem)), std::move(text), MessageIcon::Warning};
}

std::optional<DayMonth> ParseDayMonth(std::string_view text)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    const std::optional<int> day = SmallNumber(text.substr(0, slash));
    const std::optional<int> month = SmallNumber(text.substr(slash + 1));
    if (!day || !month)
        return std::nullopt;
    const DayMonth date{*day, *month};
    return IsValidDayMonth(date) ? std::optional<DayMonth>(date) : std::nullopt;
}

std::string DayMonthText(const std::optional<DayMonth>& date)
{
    if (!date)
        return {};
    const auto two = [](int v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    return two(date->day) + "/" + two(date->month);
}

SetOutcome ApplyLengthUnit(Model& model, const ParameterValue& value)
{
    const std::optional<LengthUnit> unit = ParseLengthUnit(std::get<std::string>(value));
    if (!unit)
        return NotAllowed(model, "lengthUnit", std::get<std::string>(value));
    model.params.lengthUnit = *unit;
    return {};
}

SetOutcome ApplyMagneticDeclination(Model& model, const ParameterValue& value)
{
    const ValueBounds bounds = FindParameter("magneticDeclination")->bounds;
    return ApplyReal(
        model, "magneticDeclination", value, [&](double v) { return bounds.contains(v); },
        [&](double v) { model.params.magneticDeclination = v; });
}

SetOutcome ApplyShowLeapCycle(Model& model, const ParameterValue& value)
{
    model.params.showLeapCycle = std::get<bool>(value) ? 1 : 0;
    return {};
}

SetOutcome ApplyLeapCycleMean(Model& model, const ParameterValue& value)
{
    model.params.leapCycleMean = std::get<bool>(value) ? 1 : 0;
    return {};
}

SetOutcome ApplyDstRing(Model& model, const ParameterValue& value)
{
    model.params.dst.ring = static_cast<DstRingKind>(Whole(value));
    return {};
}

bool SiteHasSummerTime(const DialParameters& p)
{
    switch (RuleInForce(p.dst)) {
    case SummerTimeRule::None:
        return false;
    case SummerTimeRule::Zone:
        return p.dst.zone.year == 0 || !p.dst.zone.spans.empty();
    case SummerTimeRule::Eu:
    case SummerTimeRule::Custom:
        return true;
    }
    return true;
}

std::optional<UiMessage> DstRingRefusedBySet(const Model& model, const ParameterValue& value)
{
    const int number = Whole(value);
    const auto ring = static_cast<DstRingKind>(number);
    if (ring != DstRingKind::None && !SiteHasSummerTime(model.params)) {
        const LanguageState& lang = model.state.language;
        return UiMessage{std::string(CaptionText(lang, Caption::Problem)),
                         "dstRing=" + std::to_string(number) + ": " +
                             std::string(OwnTextOf(lang, OwnText::SiteWithoutSummerTime)),
                         MessageIcon::Warning};
    }
    if (DstRingAllowed(model.params, ring))
        return std::nullopt;
    const LanguageState& lang = model.state.language;
    const std::string dial = IsSplitDial(model.params)
                                 ? std::string(OwnTextOf(lang, OwnText::TheSplitDial))
                                 : "dialType=" + std::to_string(DialTypeNumber(model.params.dialType));
    std::string text = "dstRing=" + std::to_string(number) + OwnTextWith(lang, OwnText::DstInnerRingNotFor, dial, "");
    return UiMessage{std::string(CaptionText(lang, Caption::Problem)), std::move(text), MessageIcon::Warning};
}

SetOutcome ApplyDstOffsetHours(Model& model, const ParameterValue& value)
{
    return ApplyReal(model, "dstOffsetHours", value, IsValidDstOffset,
                     [&](double v) { model.params.dst.offsetHours = v; });
}

SetOutcome ApplyDstRingScale(Model& model, const ParameterValue& value)
{
    return ApplyReal(model, "dstRingScale", value, IsValidDstRingScale,
                     [&](double v) { model.params.dst.ringScale = v; });
}

SetOutcome ApplyDstStart(Model& model, const ParameterValue& value)
{
    return ApplyDstDate(model, "dstStart", value, model.params.dst.start);
}

SetOutcome ApplyDstEnd(Model& model, const ParameterValue& value)
{
    return ApplyDstDate(model, "dstEnd", value, model.params.dst.end);
}

namespace {

constexpr std::size_t kMaxZoneNameLength = 64;
constexpr std::size_t kMaxPlaceNameLength = 200;

/// A zone name as the tz database spells them: ASCII letters, digits, "/", "_", "-", "+"; no "..".
bool IsZoneNameText(std::string_view name)
{
    if (name.size() > kMaxZoneNameLength || name.find("..") != std::string_view::npos || name.starts_with('/'))
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' || c == '_' ||
               c == '-' || c == '+';
    });
}

} // namespace

SetOutcome ApplyTimeZone(Model& model, const ParameterValue& value)
{
    const std::string& name = std::get<std::string>(value);
    if (!IsZoneNameText(name))
        return {SetStatus::Rejected, {ValueNotAllowedMessage(model.state.language, *FindParameter("timeZone"), name)}};
    if (name != model.params.dst.timeZone) {
        model.params.dst.zone = {}; // the host resolves the new zone
        model.params.dst.zoneOtherYears.clear();
    }
    model.params.dst.timeZone = name;
    return {};
}

SetOutcome ApplySummerTimeRule(Model& model, const ParameterValue& value)
{
    model.params.dst.rule = RuleNamed(std::get<std::string>(value));
    return {};
}

SetOutcome ApplyPlace(Model& model, const ParameterValue& value)
{
    const std::string& name = std::get<std::string>(value);
    if (name.size() > kMaxPlaceNameLength ||
        std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < ' '; }))
        return {SetStatus::Rejected, {ValueNotAllowedMessage(model.state.language, *FindParameter("place"), name)}};
    model.params.place = name;
    return {};
}

SetOutcome ApplyBodyHeight(Model& model, const ParameterValue& value)
{
    if (std::get<std::string>(value).empty()) {
        model.params.bodyHeight.reset();
        return {};
    }
    return ApplyReal(model, "bodyHeight", value, IsValidBodyHeight, [&](double v) { model.params.bodyHeight = v; });
}

SetOutcome ApplyReachCoverage(Model& model, const ParameterValue& value)
{
    return ApplyReal(model, "reachCoverage", value, IsValidReachCoverage,
                     [&](double v) { model.params.reachCoverage = v; });
}

SetOutcome ApplyHourLabels(Model& model, const ParameterValue& value)
{
    const std::string& text = std::get<std::string>(value);
    if (text != "all" && text != "screen")
        return NotAllowed(model, "hourLabels", text);
    model.params.hourLabelsScreenRule = text == "screen";
    return {};
}

SetOutcome ApplyHourLabelSize(Model& model, const ParameterValue& value)
{
    return ApplyReal(
        model, "hourLabelSize", value, [](double v) { return v >= kMinHourLabelSize && v <= kMaxHourLabelSize; },
        [&](double v) { model.params.hourLabelSize = v; });
}

} // namespace umbrix
