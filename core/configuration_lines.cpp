#include "core/configuration_lines.h"

#include "core/driver.h"
#include "core/input_panel.h"
#include "core/number_text.h"
#include "core/numeric.h"
#include "core/parameter_set.h"
#include "core/parameters.h"
#include "text/own_texts.h"
#include "text/texts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <locale>
#include <sstream>

namespace umbrix {

namespace {

/// A constant default as a value would be written: its text, or its number (whole numbers without decimals).
std::string DefaultAsWritten(const DefaultValue& byDefault)
{
    if (!byDefault.text.empty())
        return std::string(byDefault.text);
    if (byDefault.number == std::trunc(byDefault.number))
        return std::to_string(static_cast<long long>(byDefault.number));
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::setprecision(17) << byDefault.number;
    return text.str();
}

constexpr std::string_view kFileInputError = "Error during File Input!";
constexpr double kGnomonNudge = 0.000001;      // degrees
constexpr double kGnomonNudgeTest = 0.0000005; // half the nudge: what 6 decimals show as exactly 90

/// The numbers of a line: skip blanks, "," and ";", take the longest run of "-", "." and digits.
std::vector<std::string_view> NumberTokens(std::string_view line)
{
    auto isSeparator = [](char c) { return c == ' ' || c == ',' || c == ';' || c == '\t'; };
    auto isNumberChar = [](char c) { return c == '-' || c == '.' || (c >= '0' && c <= '9'); };
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isSeparator(line[i]))
            ++i;
        if (i >= line.size())
            break;
        const std::size_t start = i;
        while (i < line.size() && isNumberChar(line[i]))
            ++i;
        tokens.push_back(line.substr(start, i - start));
        if (i == start) // neither a separator nor a number: the rest of the line is no number
            break;
    }
    return tokens;
}

std::optional<double> StrictReal(std::string_view token)
{
    double v = 0;
    const auto [end, ec] = ReadReal(token, v);
    if (token.empty() || ec != std::errc() || end != token.data() + token.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<long long> StrictInteger(std::string_view token)
{
    long long v = 0;
    const auto [end, ec] = ReadInteger(token, v);
    if (token.empty() || ec != std::errc() || end != token.data() + token.size())
        return std::nullopt;
    return v;
}

/// Where an integer line's fallback is told: the line and the warnings it goes to; none for no warning.
struct FallbackNote {
    std::vector<LineWarning>* warnings = nullptr;
    int line = 0;
    const LanguageState* lang = nullptr;
};

void NoteFallback(const FallbackNote& note, std::string_view read, int used)
{
    if (note.warnings)
        note.warnings->push_back(
            {note.line, OwnTextWith(*note.lang, OwnText::FallbackUsed, EchoedValue(read), std::to_string(used))});
}

/// The k-th number of a line as an integer within lo..hi, else the fallback (a number there that is refused
/// is told through `note`; a line without it is not).
int IntegerOf(const std::vector<std::string_view>& tokens, std::size_t k, long long lo, long long hi, int fallback,
              const FallbackNote& note = {})
{
    if (k >= tokens.size())
        return fallback;
    const std::optional<long long> v = StrictInteger(tokens[k]);
    if (v && *v >= lo && *v <= hi)
        return static_cast<int>(*v);
    NoteFallback(note, tokens[k].empty() ? std::string_view("?") : tokens[k], fallback);
    return fallback;
}

/// The configuration reader's fallback of parameter `name` (its row's column).
int FallbackOf(std::string_view name)
{
    return FindParameter(name)->saved.fallback.value_or(0);
}

/// The number of a parameter's place on its line within the parameter's bounds, else the row's fallback.
int IntegerWithin(const std::vector<std::string_view>& tokens, std::string_view name, const FallbackNote& note = {})
{
    const ParameterRow& row = *FindParameter(name);
    return IntegerOf(tokens, static_cast<std::size_t>(row.saved.position - 1), static_cast<long long>(row.bounds.lo),
                     static_cast<long long>(row.bounds.hi), FallbackOf(name), note);
}

UiMessage ErrorMessage(const LanguageState& lang, std::string text)
{
    return {std::string(CaptionText(lang, Caption::Error)), std::move(text), MessageIcon::Error};
}

std::string TrimLeft(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

/// A StrGridEin column: the pieces between "/" go into rows 1, 2, ...; the cell after the last is emptied.
void ReadGridColumn(StringGrid& grid, int col, std::string_view line)
{
    int row = 1;
    std::size_t start = 0;
    while (row <= kHoursTableRows) {
        const std::size_t slash = line.find('/', start);
        const std::string_view piece = line.substr(start, slash == std::string_view::npos ? slash : slash - start);
        if (slash == std::string_view::npos) {
            if (!piece.empty())
                grid.setCell(col, row++, TrimLeft(piece));
            break;
        }
        grid.setCell(col, row++, TrimLeft(piece));
        start = slash + 1;
    }
    grid.setCell(col, row, "");
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr double kMaxDistanceZPerAxis = 1e6;       // a distance to Z beyond 1e6 axes is no design
constexpr std::size_t kMaxExtensionNameShown = 40; // characters of an unknown name a warning repeats

LinesRead Fail(LinesRead& result, UiMessage message, int line)
{
    result.ok = false;
    result.failedLine = line;
    result.messages.push_back(std::move(message));
    return result;
}

void Warn(LinesRead& result, int line, std::string text)
{
    result.warnings.push_back({line, std::move(text)});
}

/// A real on a line of one number may have "," for its decimal point, as every input field reads it; a line
/// that has a "." already, or a "," that does not stand between two digits, keeps it as a separator.
std::string DecimalComma(std::string_view line)
{
    std::string text(line);
    const std::size_t comma = text.find(',');
    auto digit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    if (comma == std::string::npos || text.find('.') != std::string::npos || text.find(',', comma + 1) != std::string::npos ||
        comma == 0 || !digit(comma - 1) || !digit(comma + 1))
        return text;
    text[comma] = '.';
    return text;
}

/// Whether a number of the line runs straight into something that is neither a digit nor a separator
/// ("1e400", "52.5m", "3 m"): the tokeniser stops there, after at least one number.
bool TextAfterNumber(const std::vector<std::string_view>& tokens)
{
    return tokens.size() >= 2 && tokens.back().empty();
}

/// The numbers of a line, without the empty piece where text stopped the tokeniser.
std::size_t NumberCount(const std::vector<std::string_view>& tokens)
{
    return static_cast<std::size_t>(std::count_if(tokens.begin(), tokens.end(), [](std::string_view t) { return !t.empty(); }));
}

/// The shortest text that reads back to exactly `value`.
std::string RoundTripText(double value)
{
    std::array<char, 32> buf{};
    const auto r = WriteReal(buf.data(), buf.data() + buf.size(), value);
    return std::string(buf.data(), r.ptr);
}

/// Whether a fixed line holds reals only (lines 2 to 9).
bool LineOfReals(int line)
{
    const std::vector<const ParameterRow*> rows = ParametersOnLine(line);
    return !rows.empty() &&
           std::all_of(rows.begin(), rows.end(), [](const ParameterRow* r) { return r->kind == ValueKind::Real; });
}

/// The reals of a line of reals: as many as the line holds parameters. The distance to Z may be a number too
/// large for a double: it then reads as infinite, and the check after the last line replaces or refuses it.
struct LineReals {
    bool ok = false;
    std::vector<double> values;
};
LineReals ReadLineReals(const std::vector<const ParameterRow*>& rows, const std::vector<std::string_view>& tokens)
{
    LineReals reals;
    for (std::size_t k = 0; k < tokens.size() && k < rows.size(); ++k) {
        if (const std::optional<double> v = StrictReal(tokens[k])) {
            reals.values.push_back(*v);
            continue;
        }
        double ignored = 0;
        const std::string_view t = tokens[k];
        const auto [end, ec] = ReadReal(t, ignored);
        if (rows[k]->rangeRule == RangeRule::BeyondDateScale && ec == std::errc::result_out_of_range &&
            end == t.data() + t.size()) {
            reals.values.push_back((t.starts_with('-') ? -1 : 1) * std::numeric_limits<double>::infinity());
            continue;
        }
        return reals;
    }
    reals.ok = !reals.values.empty();
    return reals;
}

UiMessage LineError(const Model& model, int line, std::string_view parameter)
{
    const LanguageState& lang = model.state.language;
    return ErrorMessage(lang, OwnTextWith(lang, OwnText::LineOutOfRange, std::to_string(line), parameter));
}

/// One real of the file into its parameter. A field the dial type enables takes the value through its
/// input check, which may refuse it (an error of the line) or store it by its own rules; a disabled field
/// keeps the value as read. `exact`: the value read is stored even after the check accepted it.
std::optional<UiMessage> StoreReal(Model& m, int line, const ParameterRow& row, double value, bool exact)
{
    DialParameters& p = m.params;
    if (!ParameterEnabled(row, p)) {
        p.*row.real = value;
        return std::nullopt;
    }
    // The axis check moves Z out of the date scale's reach; that waits until the whole file is read.
    // The gnomon inclination check also sets its +90 twin, which the file gives on a line of its own.
    const double keptZ = p.distanceZ;
    const double keptPlus90 = p.gnomonInclinationPlus90;
    const FieldOutcome outcome = ValidateField(m, *row.field, RoundTripText(value), true);
    p.distanceZ = keptZ;
    p.gnomonInclinationPlus90 = keptPlus90;
    if (!outcome.accepted)
        return LineError(m, line, row.name);
    if (exact)
        p.*row.real = value;
    return std::nullopt;
}

/// The reals of one line into their parameters; a number the line lacks counts as 0. The distance to Z
/// waits for the end of the file, when the axis it depends on is known.
std::optional<UiMessage> StoreLineReals(Model& m, int line, const std::vector<const ParameterRow*>& rows,
                                        const std::vector<double>& reals)
{
    for (const ParameterRow* row : rows) {
        const auto k = static_cast<std::size_t>(row->saved.position - 1);
        const double value = k < reals.size() ? reals[k] : 0;
        std::optional<UiMessage> refused;
        switch (row->saved.codec) {
        case ConfigCodec::PlusNinety:
            // The gnomon inclination + 90; the final steps nudge a vertical gnomon, so the value read is kept.
            refused = StoreReal(m, line, ParameterOf(Field::eGnomInc), value - 90, true);
            m.params.gnomonInclinationPlus90 = value;
            break;
        case ConfigCodec::MinusNinety:
            refused = StoreReal(m, line, *row, value, true);
            break;
        default:
            if (row->rangeRule != RangeRule::BeyondDateScale)
                refused = StoreReal(m, line, *row, value, false);
            break;
        }
        if (refused)
            return refused;
    }
    return std::nullopt;
}

/// The distance to Z once the whole file is read. Only the fixed-gnomon dial (type 7) has a point Z: for
/// the others an unusable distance (not finite, or beyond 1e6 axes) quietly becomes the default; for type
/// 7 it is an error of line 7, and a usable one is moved out of the date scale's reach a * k by the axis
/// check, with its message (an error of line 7 too when that puts it beyond 1e6 axes).
std::optional<UiMessage> StoreDistanceZ(Model& m, double distanceZ, std::vector<UiMessage>& messages)
{
    DialParameters& p = m.params;
    const bool unusable = !std::isfinite(distanceZ) || std::abs(distanceZ) > kMaxDistanceZPerAxis * p.semiMajorAxis ||
                          !ParameterOf(Field::eVergr).bounds.contains(distanceZ);
    if (p.type() != DialType::FixedGnomon) {
        p.distanceZ = unusable ? ParameterOf(Field::eVergr).byDefault.number : distanceZ;
        return std::nullopt;
    }
    if (unusable)
        return LineError(m, 7, "distanceZ");
    p.distanceZ = distanceZ;
    const FieldOutcome outcome = ValidateField(m, Field::eHalb, RoundTripText(p.semiMajorAxis), true);
    // A reach so large that Z would have to move beyond 1e6 axes leaves no usable design.
    if (std::abs(p.distanceZ) > kMaxDistanceZPerAxis * p.semiMajorAxis ||
        !ParameterOf(Field::eVergr).bounds.contains(p.distanceZ))
        return LineError(m, 7, "distanceZ");
    if (outcome.accepted)
        messages.insert(messages.end(), outcome.messages.begin(), outcome.messages.end());
    return std::nullopt;
}

std::string_view TrimBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

/// A name from a file as a warning may show it: printable ASCII, at most kMaxExtensionNameShown characters.
std::string ShownName(std::string_view name)
{
    std::string shown;
    for (const char c : name.substr(0, kMaxExtensionNameShown))
        shown += c >= ' ' && c <= '~' ? c : '?';
    return shown;
}

/// A line after line 26. "name=value" sets a known parameter; an unknown name or a refused value is
/// ignored with a warning, so that files of newer versions still load. Other lines are ignored.
std::optional<UiMessage> ReadExtensionLine(Model& m, int line, std::string_view text)
{
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    const std::string_view name = TrimBlanks(text.substr(0, eq));
    if (name.empty())
        return std::nullopt;
    const LanguageState& lang = m.state.language;
    const ParameterRow* known = FindParameter(name);
    OwnText problem = OwnText::UnknownExtension;
    if (known && known->saved.extension != ExtensionLine::None) {
        if (SetParameterValue(m, *known, TrimBlanks(text.substr(eq + 1))).status == SetStatus::Accepted)
            return std::nullopt;
        problem = OwnText::BadExtensionValue;
    }
    return UiMessage{std::string(CaptionText(lang, Caption::Warning)),
                     OwnTextWith(lang, problem, std::to_string(line), ShownName(name)), MessageIcon::Warning};
}

} // namespace

LinesRead ReadConfigurationInto(Model& m, const std::vector<std::string>& lines)
{
    LinesRead result;
    DialParameters& p = m.params;
    SharedState& s = m.state;
    std::optional<double> distanceZ; // line 7, checked once the whole file is read
    constexpr long long kInt16Min = std::numeric_limits<std::int16_t>::min();
    constexpr long long kInt16Max = std::numeric_limits<std::int16_t>::max();
    const int count = std::min<int>(static_cast<int>(lines.size()), kConfigurationLineCount);
    for (int n = 1; n <= count; ++n) {
        std::string_view line = lines[static_cast<std::size_t>(n - 1)];
        if (n == 1 && line.starts_with(kByteOrderMark))
            line.remove_prefix(kByteOrderMark.size());
        const FallbackNote note{&result.warnings, n, &s.language};
        // Lines 19 and 21 to 26 hold a date, a language, letters and the hours table: no numbers to check.
        const bool numeric = n <= 18 || n == 20;
        const std::size_t used = n == 1 ? std::size_t{2} : std::max<std::size_t>(ParametersOnLine(n).size(), 1);
        const std::string commaRead = LineOfReals(n) && ParametersOnLine(n).size() == 1 ? DecimalComma(line) : "";
        if (!commaRead.empty())
            line = commaRead;
        const std::vector<std::string_view> tokens = NumberTokens(line);
        if (numeric && TextAfterNumber(tokens))
            return Fail(result,
                        ErrorMessage(s.language, OwnTextWith(s.language, OwnText::NotAPlainNumber,
                                                             EchoedValue(TrimBlanks(line)))),
                        n);
        if (numeric && NumberCount(tokens) > used)
            Warn(result, n, OwnTextWith(s.language, OwnText::ExtraNumbers, std::to_string(used)));
        if (LineOfReals(n)) {
            const std::vector<const ParameterRow*> rows = ParametersOnLine(n);
            const LineReals reals = ReadLineReals(rows, tokens);
            if (!reals.ok) {
                return Fail(result, ErrorMessage(s.language, std::string(kFileInputError)), n);
            }
            // Without a number of its own, Z takes its default (on the south side).
            for (const ParameterRow* row : rows)
                if (row->rangeRule == RangeRule::BeyondDateScale)
                    distanceZ = reals.values.size() >= static_cast<std::size_t>(row->saved.position)
                                    ? reals.values[static_cast<std::size_t>(row->saved.position - 1)]
                                    : row->byDefault.number;
            if (std::optional<UiMessage> refused = StoreLineReals(m, n, rows, reals.values))
                return Fail(result, std::move(*refused), n);
            result.linesRead = n;
            continue;
        }
        switch (n) {
        case 1:
            p.year = IntegerWithin(tokens, "year", note);
            p.dialType =
                static_cast<DialType>(IntegerOf(tokens, 1, 0, kDialTypeCount - 1, FallbackOf("dialType"), note));
            break;
        case 10: {
            const int marks = IntegerOf(tokens, 0, 1, 6, FallbackOf("marksPerMonth"), note);
            p.marksPerMonth = static_cast<std::uint8_t>(marks == 4 || marks == 5 ? 3 : marks);
            if (p.marksPerMonth == 6 && p.type() == DialType::FixedGnomon)
                p.marksPerMonth = 3;
            if (p.marksPerMonth != marks)
                NoteFallback(note, tokens.front(), p.marksPerMonth);
            break;
        }
        case 11:
            p.linesPerHour = static_cast<std::uint8_t>(IntegerWithin(tokens, "linesPerHour", note));
            break;
        case 12:
            p.marksMode = static_cast<MarksMode>(IntegerOf(tokens, 0, 1, 2, FallbackOf("marksMode"), note));
            break;
        case 13:
            p.showZoneTime = IntegerOf(tokens, 0, kInt16Min, kInt16Max, FallbackOf("showZoneTime"), note) != 0;
            break;
        case 14:
            s.hourFrom = static_cast<std::int16_t>(IntegerWithin(tokens, "hourFrom", note));
            break;
        case 15:
            s.hourTo = static_cast<std::int16_t>(IntegerWithin(tokens, "hourTo", note));
            break;
        case 16:
            s.errorHourFrom = static_cast<std::int16_t>(IntegerWithin(tokens, "errorHourFrom", note));
            break;
        case 17:
            s.errorHourTo = static_cast<std::int16_t>(IntegerWithin(tokens, "errorHourTo", note));
            break;
        case 18: {
            const int method = IntegerOf(tokens, 0, kInt16Min, kInt16Max, FallbackOf("doubleAnalemmaMethod"), note);
            const int kept = method > 4 || method < 0 ? 0 : method;
            p.doubleAnalemmaMethod = static_cast<DoubleAnalemmaMethod>(kept);
            if (kept != method)
                NoteFallback(note, tokens.front(), kept);
            break;
        }
        case 19: {
            std::string date(line);
            if (date.size() == 1)
                date = "0" + date;
            const DateOutcome outcome = ParseShadowDate(m, date, DateSource::ConfigurationLoader);
            if (outcome.message)
                result.messages.push_back(*outcome.message);
            break;
        }
        case 20: {
            const int item = IntegerOf(tokens, 0, kInt16Min, kInt16Max, FallbackOf("useDefaultHours"), note);
            s.useDefaultHours = (item > 1 || item < 0 ? 1 : item) == 0;
            if (item > 1 || item < 0)
                NoteFallback(note, tokens.front(), 1);
            break;
        }
        case 21:
            SetLanguage(m, line == "Deutsch" ? Language::German : Language::English);
            break;
        case 22:
            s.markRiseSet = !line.empty() && line[0] == 'j';
            s.fineSearch = line.size() > 1 && line[1] == 'j';
            break;
        default: // 23..26: the columns of the double-analemma hour table
            if (!line.empty())
                ReadGridColumn(m.grids.StrGridEin, n - 22, line);
            break;
        }
        result.linesRead = n;
    }
    // The hour marks need a first hour before the last one, as the window and --set demand.
    if (!HourRangeValid(s.hourFrom, s.hourTo)) {
        const bool lastHourRead = result.linesRead >= FindParameter("hourTo")->saved.line;
        const int line = FindParameter(lastHourRead ? "hourTo" : "hourFrom")->saved.line;
        return Fail(result, LineError(m, line, lastHourRead ? "hourTo" : "hourFrom"), line);
    }
    // An extension line the program writes: a file without it (one written before the setting existed, or
    // while a value was not set) means the default or "not set", never the value of the dial read before.
    for (const ParameterRow& row : ParameterTable()) {
        if (row.saved.extension != ExtensionLine::ReadWrite || !row.apply)
            continue;
        if (row.isSet)
            (void)SetParameterValue(m, row, "");
        else if (row.byDefault.rule == DefaultRule::Constant)
            (void)SetParameterValue(m, row, DefaultAsWritten(row.byDefault));
    }
    for (std::size_t n = kConfigurationLineCount + 1; n <= lines.size(); ++n)
        if (std::optional<UiMessage> warning = ReadExtensionLine(m, static_cast<int>(n), lines[n - 1]))
            result.messages.push_back(std::move(*warning));
    // Also without line 7: the reach of the date scale depends on the lines that were there.
    std::vector<UiMessage> zMessages; // shown only when the file is taken
    if (std::optional<UiMessage> refused = StoreDistanceZ(m, distanceZ.value_or(p.distanceZ), zMessages))
        return Fail(result, std::move(*refused), 7);

    s.dialTitle = DialTitle(m);
    // A gnomon inclination of exactly +-90 (as 6 decimals write it) is nudged by 1e-6. The test is tighter
    // than the nudge itself, so that a nudged value saved and read again is not nudged a second time.
    if (std::abs(std::abs(p.gnomonInclination) - 90) < kGnomonNudgeTest)
        p.gnomonInclination += kGnomonNudge;
    RefreshDerivedGeometry(m);
    // The axis field has no upper bound; an axis so long that the ellipse's extents or the reach of the
    // fixed gnomon overflow is no design.
    const DerivedGeometry& d = m.derived;
    if (!std::isfinite(d.semiMinorAxis) || !std::isfinite(d.extentX) || !std::isfinite(d.extentY) ||
        !std::isfinite(d.fixedGnomonReach))
        return Fail(result, LineError(m, 8, "semiMajorAxis"), 8);
    result.messages.insert(result.messages.end(), zMessages.begin(), zMessages.end());
    // A file cut short changes only the lines it has; the others keep what the dial had.
    if (count < kConfigurationLineCount)
        Warn(result, count, OwnTextWith(s.language, OwnText::LinesKept, std::to_string(count + 1)));
    return result;
}

} // namespace umbrix
