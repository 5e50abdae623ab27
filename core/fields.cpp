#include "core/fields.h"

#include "core/derived_geometry.h"
#include "core/driver.h"
#include "core/number_text.h"
#include "core/numeric.h"
#include "core/parameters.h"
#include "text/own_texts.h"
#include "text/texts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace umbrix {

namespace {

constexpr double kPoleSnapDeg = 1e-7;           // a value this close to +-90 becomes +-89.9999999
constexpr double kNearPoleDeg = 89.9999999;     // the poles and +-90 degrees, kept just inside
constexpr double kVerticalPlaneSnapDeg = 0.005; // a plane this close to vertical becomes +-89.995
constexpr double kMinLatitudeDeg = 0.005;       // the equator itself has no usable hour ellipse
constexpr double kRiseSetPlaneLimitDeg = 0.1;   // rise/set marks need a (nearly) horizontal plane
constexpr double kMaxDistanceZAxes = 1e6;       // the largest distance to Z, in semi-major axes

UiMessage Message(const LanguageState& lang, Caption caption, std::string text, MessageIcon icon)
{
    return {std::string(CaptionText(lang, caption)), std::move(text), icon};
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return text;
}

/// The range a field's value must lie in; k * semiMajorAxis is the reach of the date scale.
bool InRange(const ParameterRow& row, double v, double k, double semiMajorAxis)
{
    switch (row.rangeRule) {
    case RangeRule::Bounds:
        return row.bounds.contains(v);
    case RangeRule::BeyondDateScale:
        // Beyond the reach of the date scale, and no farther than a million axes: a distance larger than
        // that is no construction one can lay out, and it would swamp every plot label it reaches.
        return std::abs(v) > std::abs(k * semiMajorAxis) && std::abs(v) <= kMaxDistanceZAxes * semiMajorAxis &&
               row.bounds.contains(v);
    }
    return true;
}

/// The string resource of the label beside a field in the input panels (the axis of a scaled export: the
/// question of its panel).
int CaptionResource(Field field)
{
    switch (field) {
    case Field::eBreit:
        return 103;
    case Field::eLang:
        return 104;
    case Field::eZone:
        return 105;
    case Field::eIncl:
        return 129;
    case Field::eDek:
        return 128;
    case Field::eGnomInc:
        return 108;
    case Field::eGnomDek:
        return 107;
    case Field::eHoehe:
        return 109;
    case Field::eHalb:
        return 106;
    case Field::eRiseSet:
        return 93;
    case Field::eVergr:
        return 43;
    case Field::EddxfAchs:
        return 40;
    case Field::ejahr:
        return 116;
    }
    return 0;
}

/// A label as the head of a line: no accelerator mark, no range the label spells out itself ("? [2,..., 20]"),
/// no colon or blanks at either end, a capital first letter.
std::string CaptionOfLabel(std::string text)
{
    if (const std::size_t cut = text.find_first_of("?["); cut != std::string::npos)
        text.erase(cut);
    while (!text.empty() && (text.back() == ' ' || text.back() == ':'))
        text.pop_back();
    const std::size_t first = text.find_first_not_of(' ');
    text.erase(0, first == std::string::npos ? text.size() : first);
    if (!text.empty() && text.front() >= 'a' && text.front() <= 'z')
        text.front() = static_cast<char>(text.front() - 'a' + 'A');
    return text;
}

/// A bound as the rejection line writes it: fixed notation, as few digits as tell the value, and the
/// typographic minus sign.
std::string BoundNumber(double v)
{
    char buffer[400];
    const auto [end, ec] = WriteReal(buffer, buffer + sizeof buffer, v, RealFormat::ShortestFixed);
    std::string text = ec == std::errc() ? std::string(buffer, end) : std::string();
    if (!text.empty() && text.front() == '-')
        text.replace(0, 1, "\u2212");
    return text;
}

/// The unit after a bound: "°" joined to the number, other units after a blank.
std::string UnitSuffix(const Model& model, ValueUnit unit)
{
    switch (unit) {
    case ValueUnit::None:
        return "";
    case ValueUnit::Degrees:
        return "\u00b0";
    case ValueUnit::DialUnits:
        return " " + std::string(UnitName(model.params.lengthUnit));
    case ValueUnit::Hours:
        return " h";
    }
    return "";
}

/// "−90 … 90°", "> 1 m", "> 2 … 20 m"; nothing for a number without bounds.
std::string BoundsLine(const Model& model, const ValueBounds& b, ValueUnit unit)
{
    const bool hasLo = std::isfinite(b.lo);
    const bool hasHi = std::isfinite(b.hi);
    if (!hasLo && !hasHi)
        return "";
    std::string text;
    if (hasLo)
        text = (b.loOpen ? "> " : hasHi ? "" : "\u2265 ") + BoundNumber(b.lo);
    if (hasHi)
        text += (hasLo ? " \u2026 " : "") + std::string(b.hiOpen ? "< " : hasLo ? "" : "\u2264 ") + BoundNumber(b.hi);
    return text + UnitSuffix(model, unit);
}

/// The text a field shows for its stored value after a rejected input.
std::string StoredText(const Model& model, const ParameterRow& row)
{
    if (!row.real)
        return std::to_string(std::get<int>(ValueOf(row, model)));
    return FormatFixed(row.restored.width, row.restored.decimals, model.params.*row.real);
}

/// The range message: M6, and for the distance to Z of the fixed-gnomon dial the smallest distance it
/// accepts.
std::string RangeMessage(const Model& model, Field field, double k)
{
    const LanguageState& lang = model.state.language;
    std::string text(MessageRow(lang, MessageId::InputError));
    if (field == Field::eVergr && model.params.type() == DialType::FixedGnomon) {
        text += "\r\n";
        text += TextRow(lang, TextId::MinimumAbsoluteValue);
        text += FormatFixed(5, 2, model.params.semiMajorAxis * k * 1.5);
    }
    return text + "\n" + RejectionLine(model, field);
}

void ValidateYear(Model& model, std::string_view text, FieldOutcome& out)
{
    const LanguageState& lang = model.state.language;
    int year = model.params.year;
    const ValueBounds& bounds = ParameterOf(Field::ejahr).bounds;
    const FieldRead read = ParseIntegerField(lang, text, static_cast<int>(bounds.lo), static_cast<int>(bounds.hi),
                                             MessageRow(lang, MessageId::Year), year);
    if (read.message) {
        out.messages.push_back(*read.message);
        if (read.error)
            out.messages.back().text += "\n" + RejectionLine(model, Field::ejahr);
    }
    if (read.error) {
        out.focusBack = true;
        return;
    }
    out.accepted = true;
    out.text = read.text;
    model.params.year = year;
    SharedState& s = model.state;
    if (!IsLeapYear(year) && s.shadowMonth == 2 && s.shadowDay == 29) {
        s.shadowDay = 28;
        s.shadowDateText = "28/02";
        s.shadowDateCaption = ShadowDateCaption(s, 28, 2);
        out.others.push_back({.name = "MaskEdit1", .text = s.shadowDateText});
        out.others.push_back({.name = "lDat2", .text = s.shadowDateCaption});
    }
}

} // namespace

std::string EchoedValue(std::string_view text)
{
    constexpr std::size_t kMaxEchoed = 40;
    if (text.size() <= kMaxEchoed)
        return std::string(text);
    std::size_t cut = kMaxEchoed;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut; // not inside a UTF-8 sequence
    return std::string(text.substr(0, cut)) + "\u2026";
}

std::string_view FieldName(Field field)
{
    return ParameterOf(field).control;
}

RealParse ParseRealText(std::string_view text)
{
    text = Trimmed(text);
    if (text.empty())
        return {};
    const bool plus = text.front() == '+';
    if (plus)
        text.remove_prefix(1);
    // One sign only: "+-5" is no number.
    if (text.empty() || (plus && text.front() == '-') ||
        !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '-' || text.front() == '.'))
        return {.error = true};
    double v = 0;
    const auto [end, ec] = ReadReal(text, v);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v))
        return {.error = true};
    return {.error = false, .value = v};
}

FieldRead ParseIntegerField(const LanguageState& lang, std::string_view text, int lo, int hi, std::string_view label,
                            int& value)
{
    const std::string_view digits = Trimmed(text);
    if (digits.empty())
        return {.error = false, .text = std::to_string(value), .message = std::nullopt};
    std::string_view number = digits.front() == '+' ? digits.substr(1) : digits;
    int v = 0;
    const auto [end, ec] = ReadInteger(number, v);
    if (ec == std::errc() && end == number.data() + number.size() && !number.empty() && v >= lo && v <= hi) {
        value = v;
        return {};
    }
    std::string message(label);
    message += "=";
    message += EchoedValue(text);
    message += MessageRow(lang, MessageId::ValueInterval);
    message += " [" + std::to_string(lo) + ".." + std::to_string(hi) + "] !";
    return {.error = true,
            .text = std::nullopt,
            .message = Message(lang, Caption::Problem, std::move(message), MessageIcon::Warning)};
}

FieldOutcome ValidateField(Model& model, Field field, std::string_view text, bool modified)
{
    FieldOutcome out;
    if (!modified)
        return out;
    out.handled = true;
    DialParameters& p = model.params;
    const LanguageState& lang = model.state.language;

    if (field == Field::ejahr) {
        ValidateYear(model, text, out);
    } else {
        // 1. Read the number; an empty text stands for 0.
        double v = 0;
        const RealParse parsed = ParseRealText(text);
        bool error = parsed.error;
        if (parsed.error) {
            out.messages.push_back(Message(lang, Caption::Problem,
                                           std::string(MessageRow(lang, MessageId::NotARealNumber)),
                                           MessageIcon::Warning));
            out.text = std::string();
        } else if (parsed.value) {
            v = *parsed.value;
        } else {
            out.text = FormatFixed(7, 2, 0.0);
        }
        // 2.-4. Range test against the stored geometry.
        const ParameterRow& row = ParameterOf(field);
        const double k = DateScaleFactor(p);
        if (!error && !InRange(row, v, k, p.semiMajorAxis))
            error = true;
        if (error)
            out.messages.push_back(
                Message(lang, Caption::Problem, RangeMessage(model, field, k), MessageIcon::Warning));
        // 5. The poles and the vertical are kept just inside +-90 degrees.
        if (std::abs(std::abs(v) - 90) < kPoleSnapDeg)
            v = Sign(v) * kNearPoleDeg;
        // 6. Store, with the per-field rules.
        if (error) {
            out.text = StoredText(model, row);
        } else {
            out.accepted = true;
            switch (field) {
            case Field::eBreit:
                p.latitude = std::abs(v) < kMinLatitudeDeg ? kMinLatitudeDeg : v;
                break;
            case Field::EddxfAchs:
                p.dxfAxisLength = v;
                p.semiMajorAxis = v;
                break;
            case Field::eIncl:
                p.planeInclination =
                    std::abs(std::abs(v) - 90) < kVerticalPlaneSnapDeg ? Sign(v) * kVerticalPlaneInclinationDeg : v;
                out.others.push_back(
                    {.name = "ChBRiseSet", .enabled = std::abs(p.planeInclination) <= kRiseSetPlaneLimitDeg});
                break;
            case Field::eDek:
                p.planeDeviation = v;
                out.others.push_back({.name = "ChBRiseSet", .enabled = false});
                if (p.type() == DialType::VerticalDeclining) {
                    p.gnomonDeviation = v;
                    out.others.push_back({.name = "eGnomDek", .text = FormatFixed(7, 2, v)});
                }
                break;
            case Field::eGnomInc:
                p.gnomonInclination = v;
                p.gnomonInclinationPlus90 = v + 90;
                break;
            default:
                p.*row.real = v;
                break;
            }
        }
        if (field == Field::eHalb) {
            if (const std::optional<DistanceZAdjustment> moved = KeepZOutsideDateScale(model)) {
                out.others.push_back(moved->eVergr);
                out.messages.push_back(moved->message);
            }
        }
    }

    // 7. Always: derived values.
    out.others.push_back({.name = "eRiseSet", .text = FormatFixed(7, 2, p.riseSetDeclination)});
    RefreshDerivedGeometry(model);

    // 8. An error keeps the focus in the field; a stored value recalculates.
    out.focusBack = !out.accepted;
    out.recalculate = out.accepted;
    return out;
}

std::optional<DistanceZAdjustment> KeepZOutsideDateScale(Model& model)
{
    DialParameters& p = model.params;
    if (p.type() != DialType::FixedGnomon)
        return std::nullopt;
    const double reach = p.semiMajorAxis * DateScaleFactor(p);
    if (reach < std::abs(p.distanceZ))
        return std::nullopt;
    // Z on the south side by default; a distance of 0 would put Z on the gnomon's own date scale.
    const int side = Sign(p.distanceZ) != 0 ? Sign(p.distanceZ) : -1;
    p.distanceZ = side * (reach + 0.01) * 1.5;
    const std::string shown = FormatFixed(6, 2, p.distanceZ);
    const LanguageState& lang = model.state.language;
    std::string text(ResourceText(lang, ResourceId::DistanceToZ));
    text += "\r\n";
    text += MessageRow(lang, MessageId::AdjustedTo);
    text += shown;
    return DistanceZAdjustment{{.name = "eVergr", .text = shown},
                               Message(lang, Caption::Information, std::move(text), MessageIcon::Information)};
}

std::string RejectionLine(const Model& model, Field field)
{
    return RejectionLine(model, ParameterOf(field));
}

std::string RejectionLine(const Model& model, const ParameterRow& row)
{
    const Language language = LanguageOf(model.state.language);
    const std::string caption =
        row.field ? CaptionOfLabel(ResourceTextPlain(model.state.language, CaptionResource(*row.field)))
                  : std::string(row.name);
    std::string line = caption + ": ";
    if (row.rangeRule == RangeRule::BeyondDateScale) {
        const DialParameters& p = model.params;
        const double reach = std::abs(DateScaleFactor(p) * p.semiMajorAxis);
        line += FormatDecimals(reach, 2) + std::string(OwnTextOf(model.state.language, OwnText::BeyondTheDateScale)) +
                BoundNumber(std::min(kMaxDistanceZAxes * p.semiMajorAxis, row.bounds.hi)) + UnitSuffix(model, row.unit);
        return line;
    }
    const std::string_view special = language == Language::English ? row.rangeEn : row.rangeDe;
    const bool numeric = row.kind == ValueKind::Real || row.kind == ValueKind::Integer;
    const std::string bounds = numeric && special.empty() ? BoundsLine(model, row.bounds, row.unit) : "";
    return line + (bounds.empty() ? RangeText(row, language) : bounds);
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::string ShadowDateCaption(const SharedState& state, int day, int month)
{
    std::string text = (day < 10 ? "0" : "") + std::to_string(day) + ". ";
    if (month >= 1 && month <= 12)
        text += state.MonthNames[static_cast<std::size_t>(month - 1)];
    return text;
}

DateOutcome ParseShadowDate(Model& model, std::string_view text, DateSource source)
{
    DateOutcome out;
    SharedState& s = model.state;
    if (text == "  /  ") {
        out.empty = true;
        out.maskText = std::string(text);
        out.caption = s.shadowDateCaption;
        return out;
    }
    out.recalculate = true;
    auto readNumber = [](std::string_view digits, int& value) {
        const auto [end, ec] = ReadInteger(digits, value);
        return ec == std::errc() && end == digits.data() + digits.size();
    };
    int day = 0;
    int month = 0;
    const bool readable =
        text.size() >= 5 && readNumber(text.substr(0, 2), day) && readNumber(text.substr(3, 2), month);
    constexpr std::array<int, 13> kDaysInMonth = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool valid = readable && month >= 1 && month <= 12 && day >= 1 && day <= kDaysInMonth[month] &&
                       !(month == 2 && day == 29 && !IsLeapYear(model.params.year));
    if (valid) {
        s.shadowDay = static_cast<std::int16_t>(day);
        s.shadowMonth = static_cast<std::int16_t>(month);
        s.shadowDateText = std::string(text.substr(0, 2)) + "/" + std::string(text.substr(3, 2));
        s.shadowDateCaption = ShadowDateCaption(s, day, month);
        out.valid = true;
        out.maskText = s.shadowDateText;
        out.caption = s.shadowDateCaption;
        return out;
    }
    const LanguageState& lang = s.language;
    out.message =
        Message(lang, Caption::Error, std::string(MessageRow(lang, MessageId::DateError)), MessageIcon::Error);
    out.maskText = "  /  ";
    out.caption = s.shadowDateCaption;
    if (!readable && source == DateSource::Other) {
        s.shadowDay = 1;
        s.shadowMonth = 8;
        s.shadowDateText = "01/08";
        s.shadowDateCaption = ShadowDateCaption(s, 1, 8);
        out.caption = s.shadowDateCaption;
    }
    return out;
}

} // namespace umbrix
