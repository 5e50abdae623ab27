#include "export/config_file.h"

#include "core/axes.h"
#include "core/numeric.h"
#include "export/atomic_file.h"
#include "text/texts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <system_error>
#include <unistd.h>

namespace umbrix {

namespace {

constexpr std::string_view kValueSeparator = "   ";
constexpr int kGridInputRows = 255; // rows 1..255 of a StrGridEin column are saved
constexpr std::string_view kFileInputError = "Error during File Input!";
constexpr double kGnomonNudge = 0.000001;      // degrees
constexpr double kGnomonNudgeTest = 0.0000005; // half the nudge: what 6 decimals show as exactly 90

/// A real with 6 decimals after rounding to 10 significant digits; "." always; no sign on a zero result.
std::string ConfigReal(double v)
{
    if (!std::isfinite(v))
        v = 0;
    // Room for the widest fixed notation of a double: 309 digits, sign, point and 6 decimals.
    std::array<char, 330> buf{};
    auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::scientific, 9);
    double rounded = v;
    std::from_chars(buf.data(), r.ptr, rounded);
    r = std::to_chars(buf.data(), buf.data() + buf.size(), rounded, std::chars_format::fixed, 6);
    std::string text(buf.data(), r.ptr);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

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
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), v);
    if (token.empty() || ec != std::errc() || end != token.data() + token.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<long long> StrictInteger(std::string_view token)
{
    long long v = 0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), v);
    if (token.empty() || ec != std::errc() || end != token.data() + token.size())
        return std::nullopt;
    return v;
}

/// The k-th number of a line as an integer within lo..hi, else the fallback.
int IntegerOf(const std::vector<std::string_view>& tokens, std::size_t k, long long lo, long long hi, int fallback)
{
    if (k >= tokens.size())
        return fallback;
    const std::optional<long long> v = StrictInteger(tokens[k]);
    return v && *v >= lo && *v <= hi ? static_cast<int>(*v) : fallback;
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
    while (row <= kGridInputRows) {
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

} // namespace

std::vector<std::string> BuildConfigurationLines(const Model& model)
{
    const DialParameters& p = model.params;
    const SharedState& s = model.state;
    auto join = [](std::initializer_list<std::string> values) {
        std::string line;
        for (const auto& v : values) {
            if (!line.empty())
                line += kValueSeparator;
            line += v;
        }
        return line;
    };
    std::vector<std::string> lines;
    lines.push_back(join({std::to_string(p.year), std::to_string(p.dialType)}));
    lines.push_back(ConfigReal(p.latitude));
    lines.push_back(ConfigReal(p.longitude));
    lines.push_back(ConfigReal(p.zoneMeridian));
    // Lines 5 and 6 both hold the gnomon inclination, and line 6 wins when reading: both are written from the
    // same 6-decimal value, so that a file read and saved again comes out unchanged.
    const std::string plus90 = ConfigReal(p.gnomonInclination + 90);
    double plus90Value = 0;
    std::from_chars(plus90.data(), plus90.data() + plus90.size(), plus90Value);
    lines.push_back(join({ConfigReal(p.planeInclination), ConfigReal(p.planeDeviation), ConfigReal(p.gnomonDeviation),
                          ConfigReal(plus90Value - 90)}));
    lines.push_back(plus90);
    lines.push_back(join({ConfigReal(p.gnomonHeight), ConfigReal(p.distanceZ)}));
    lines.push_back(ConfigReal(p.semiMajorAxis));
    lines.push_back(ConfigReal(p.riseSetDeclination));
    lines.push_back(std::to_string(p.marksPerMonth));
    lines.push_back(std::to_string(p.linesPerHour));
    lines.push_back(std::to_string(p.marksMode));
    lines.push_back(p.showZoneTime ? "1" : "0");
    lines.push_back(std::to_string(s.hourFrom));
    lines.push_back(std::to_string(s.hourTo));
    lines.push_back(std::to_string(s.errorHourFrom));
    lines.push_back(std::to_string(s.errorHourTo));
    lines.push_back(std::to_string(p.doubleAnalemmaMethod));
    lines.push_back(s.shadowDateText);
    lines.push_back(s.useDefaultHours ? "0" : "1");
    lines.push_back(s.language.languageIndex == 2 ? "English" : "Deutsch");
    lines.push_back(std::string(s.markRiseSet ? "j" : "n") + (s.fineSearch ? "j" : "n"));
    // Every cell up to the last filled one of its column, empty cells as empty pieces: method 1 keeps its
    // step under an empty first row, the weights their rows.
    const StringGrid& hours = model.grids.StrGridEin;
    for (int col = 1; col <= 4; ++col) {
        int last = std::min(kGridInputRows, hours.rowCount() - 1);
        while (last >= 1 && hours.cell(col, last).empty())
            --last;
        std::string line;
        for (int row = 1; row <= last; ++row)
            line += hours.cell(col, row) + "/";
        lines.push_back(line);
    }
    return lines;
}

std::string ConfigurationText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

std::vector<std::string> SplitConfigurationLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.emplace_back(bytes.substr(start));
    return lines;
}

ConfigurationRead ReadConfigurationLines(Model& model, const std::vector<std::string>& lines)
{
    ConfigurationRead result;
    DialParameters& p = model.params;
    SharedState& s = model.state;
    if (lines.empty()) {
        result.ok = false;
        result.messages.push_back(ErrorMessage(s.language, "File " + std::string(MessageRow(s.language, 29))));
        return result;
    }
    constexpr long long kInt16Min = std::numeric_limits<std::int16_t>::min();
    constexpr long long kInt16Max = std::numeric_limits<std::int16_t>::max();
    const int count = std::min<int>(static_cast<int>(lines.size()), kConfigurationLineCount);
    for (int n = 1; n <= count; ++n) {
        const std::string& line = lines[static_cast<std::size_t>(n - 1)];
        const std::vector<std::string_view> tokens = NumberTokens(line);
        // The reals of a line, in order; a token that is no real stops the reading.
        std::vector<double> reals;
        auto readReals = [&](std::size_t wanted) {
            for (std::size_t k = 0; k < tokens.size() && k < wanted; ++k) {
                const std::optional<double> v = StrictReal(tokens[k]);
                if (!v)
                    return false;
                reals.push_back(*v);
            }
            return !reals.empty();
        };
        const bool realLine = (n >= 2 && n <= 9);
        if (realLine && !readReals(n == 5 ? 4 : (n == 7 ? 2 : 1))) {
            result.ok = false;
            result.messages.push_back(ErrorMessage(s.language, std::string(kFileInputError)));
            return result;
        }
        auto real = [&](std::size_t k, double fallback) { return k < reals.size() ? reals[k] : fallback; };
        switch (n) {
        case 1:
            p.year = IntegerOf(tokens, 0, 1700, 2100, 2016);
            p.dialType = static_cast<std::uint8_t>(IntegerOf(tokens, 1, 0, kDialTypeCount - 1, 0));
            break;
        case 2:
            p.latitude = real(0, p.latitude);
            break;
        case 3:
            p.longitude = real(0, p.longitude);
            break;
        case 4:
            p.zoneMeridian = real(0, p.zoneMeridian);
            break;
        case 5:
            p.planeInclination = real(0, 0);
            p.planeDeviation = real(1, 0);
            p.gnomonDeviation = real(2, 0);
            p.gnomonInclination = real(3, 0);
            break;
        case 6:
            p.gnomonInclinationPlus90 = real(0, 90);
            p.gnomonInclination = p.gnomonInclinationPlus90 - 90;
            break;
        case 7:
            p.gnomonHeight = real(0, p.gnomonHeight);
            p.distanceZ = real(1, -3.0);
            break;
        case 8:
            p.semiMajorAxis = real(0, p.semiMajorAxis);
            break;
        case 9:
            p.riseSetDeclination = real(0, p.riseSetDeclination);
            break;
        case 10: {
            const int marks = IntegerOf(tokens, 0, 1, 6, 3);
            p.marksPerMonth = static_cast<std::uint8_t>(marks == 4 || marks == 5 ? 3 : marks);
            if (p.marksPerMonth == 6 && p.dialType == 7)
                p.marksPerMonth = 3;
            break;
        }
        case 11:
            p.linesPerHour = static_cast<std::uint8_t>(IntegerOf(tokens, 0, 1, 6, 2));
            break;
        case 12:
            p.marksMode = static_cast<std::uint8_t>(IntegerOf(tokens, 0, 1, 2, 1));
            break;
        case 13:
            p.showZoneTime = IntegerOf(tokens, 0, kInt16Min, kInt16Max, 1) != 0;
            break;
        case 14:
            s.hourFrom = static_cast<std::int16_t>(IntegerOf(tokens, 0, 0, 20, 5));
            break;
        case 15:
            s.hourTo = static_cast<std::int16_t>(IntegerOf(tokens, 0, 5, 24, 19));
            break;
        case 16:
            s.errorHourFrom = static_cast<std::int16_t>(IntegerOf(tokens, 0, 4, 11, 5));
            break;
        case 17:
            s.errorHourTo = static_cast<std::int16_t>(IntegerOf(tokens, 0, 13, 21, 19));
            break;
        case 18: {
            const int method = IntegerOf(tokens, 0, kInt16Min, kInt16Max, 1);
            p.doubleAnalemmaMethod = static_cast<std::uint8_t>(method > 4 || method < 0 ? 0 : method);
            break;
        }
        case 19: {
            std::string date = line;
            if (date.size() == 1)
                date = "0" + date;
            const DateOutcome outcome = ParseShadowDate(model, date, DateSource::ConfigurationLoader);
            if (outcome.message)
                result.messages.push_back(*outcome.message);
            break;
        }
        case 20: {
            const int item = IntegerOf(tokens, 0, kInt16Min, kInt16Max, 1);
            s.useDefaultHours = (item > 1 || item < 0 ? 1 : item) == 0;
            break;
        }
        case 21:
            SetLanguage(model, line == "Deutsch" ? Language::German : Language::English);
            break;
        case 22:
            s.markRiseSet = !line.empty() && line[0] == 'j';
            s.fineSearch = line.size() > 1 && line[1] == 'j';
            break;
        default: // 23..26: the columns of the double-analemma hour table
            if (!line.empty())
                ReadGridColumn(model.grids.StrGridEin, n - 22, line);
            break;
        }
        result.linesRead = n;
    }

    model.state.dialTitle = DialTitle(model);
    // A gnomon inclination of exactly +-90 (as 6 decimals write it) is nudged by 1e-6. The test is tighter
    // than the nudge itself, so that a nudged value saved and read again is not nudged a second time.
    if (std::abs(std::abs(p.gnomonInclination) - 90) < kGnomonNudgeTest)
        p.gnomonInclination += kGnomonNudge;
    p.cosPlaneGnomon = Guard(std::cos((p.planeInclination - p.gnomonInclination) * degToRad), 1e-7);
    model.state.fixedGnomonReach = FixedGnomonReach(p, model.state.roundedObliquity);
    UpdateAxes(p, model.state);
    return result;
}

ConfigurationRead LoadConfigurationFile(Model& model, const std::string& path)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes).ok) {
        const LanguageState& lang = model.state.language;
        return {false,
                0,
                {{std::string(CaptionText(lang, Caption::Information)), std::string(MessageRow(lang, 7)),
                  MessageIcon::Error}}};
    }
    return ReadConfigurationLines(model, SplitConfigurationLines(bytes));
}

std::optional<UiMessage> SaveConfigurationFile(const Model& model, const std::string& path)
{
    const FileStatus status = WriteFileAtomically(path, ConfigurationText(BuildConfigurationLines(model)));
    if (status.ok)
        return std::nullopt;
    const LanguageState& lang = model.state.language;
    return ErrorMessage(lang, path + std::string(MessageRow(lang, 18)));
}

std::optional<std::string> FindStartConfiguration(const std::string& programDir, const std::string& userDir,
                                                  const std::vector<std::string>& dataDirs)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    auto existing = [&](const std::string& dir, const char* name) -> std::optional<std::string> {
        if (dir.empty())
            return std::nullopt;
        const fs::path file = fs::path(dir) / name;
        if (fs::is_regular_file(file, ec))
            return file.string();
        return std::nullopt;
    };
    for (const std::string& dir : {programDir, userDir})
        if (auto found = existing(dir, "umbrix.ini"))
            return found;
    if (auto found = existing(programDir, "start.adt"))
        return found;
    for (const std::string& dir : dataDirs)
        if (auto found = existing(dir, "start.adt"))
            return found;
    return std::nullopt;
}

std::string StartConfigurationTarget(const std::string& programDir, const std::string& userDir)
{
    const bool programWritable = !programDir.empty() && ::access(programDir.c_str(), W_OK) == 0;
    const std::string dir = programWritable ? programDir : userDir;
    if (!programWritable && !userDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(userDir, ec);
    }
    return (std::filesystem::path(dir) / "umbrix.ini").string();
}

} // namespace umbrix
