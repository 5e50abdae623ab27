#include "export/config_file.h"

#include "core/configuration_lines.h"
#include "core/number_text.h"
#include "core/parameters.h"
#include "export/file_messages.h"
#include "text/own_texts.h"
#include "text/texts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>

namespace umbrix {

namespace {

constexpr std::string_view kValueSeparator = "   ";

UiMessage ErrorMessage(const LanguageState& lang, std::string text)
{
    return {std::string(CaptionText(lang, Caption::Error)), std::move(text), MessageIcon::Error};
}

/// A reading that took nothing, with its message.
ConfigurationRead Refusal(UiMessage message)
{
    ConfigurationRead read;
    read.ok = false;
    read.messages.push_back(std::move(message));
    return read;
}

/// A real with 6 decimals after rounding to 10 significant digits; "." always; no sign on a zero result.
std::string ConfigReal(double v)
{
    if (!std::isfinite(v))
        v = 0;
    // Room for the widest fixed notation of a double: 309 digits, sign, point and 6 decimals.
    std::array<char, 330> buf{};
    auto r = WriteReal(buf.data(), buf.data() + buf.size(), v, RealFormat::Scientific, 9);
    double rounded = v;
    ReadReal(std::string_view(buf.data(), static_cast<std::size_t>(r.ptr - buf.data())), rounded);
    r = WriteReal(buf.data(), buf.data() + buf.size(), rounded, RealFormat::Fixed, 6);
    std::string text(buf.data(), r.ptr);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

/// A value as a configuration writes it: reals with 6 decimals, whole numbers, switches as 1 or 0, texts.
std::string PlainText(const ParameterValue& value)
{
    if (const double* real = std::get_if<double>(&value))
        return ConfigReal(*real);
    if (const int* whole = std::get_if<int>(&value))
        return std::to_string(*whole);
    if (const bool* on = std::get_if<bool>(&value))
        return *on ? "1" : "0";
    return std::get<std::string>(value);
}

/// A value on its fixed line.
std::string ConfigText(const ParameterRow& row, const Model& model)
{
    const ParameterValue value = ValueOf(row, model);
    // Lines 5 and 6 both hold the gnomon inclination, and line 6 wins when reading: both are written from the
    // same 6-decimal value of the inclination itself, so that a file read and saved again comes out unchanged.
    const std::string plus90 = ConfigReal(model.params.gnomonInclination + 90);
    switch (row.saved.codec) {
    case ConfigCodec::Plain:
    case ConfigCodec::GridColumns:
        return PlainText(value);
    case ConfigCodec::SwitchItem:
        return std::get<bool>(value) ? "0" : "1";
    case ConfigCodec::Letter:
        return std::get<bool>(value) ? "j" : "n";
    case ConfigCodec::LanguageName:
        return std::get<std::string>(value) == "en" ? "English" : "Deutsch";
    case ConfigCodec::PlusNinety:
        return plus90;
    case ConfigCodec::MinusNinety: {
        double plus90Value = 0;
        ReadReal(plus90, plus90Value);
        return ConfigReal(plus90Value - 90);
    }
    }
    return PlainText(value);
}

/// The columns of the hours table: every cell up to the last filled one of its column, empty cells as empty
/// pieces: method 1 keeps its step under an empty first row, the weights their rows.
std::vector<std::string> HoursTableLines(const StringGrid& hours)
{
    std::vector<std::string> lines;
    for (int col = 1; col <= 4; ++col) {
        int last = std::min(kHoursTableRows, hours.rowCount() - 1);
        while (last >= 1 && hours.cell(col, last).empty())
            --last;
        std::string line;
        for (int row = 1; row <= last; ++row)
            line += hours.cell(col, row) + "/";
        lines.push_back(line);
    }
    return lines;
}

} // namespace

std::vector<std::string> BuildConfigurationLines(const Model& model)
{
    std::vector<std::string> lines;
    int n = 1;
    while (n <= kConfigurationLineCount) {
        const std::vector<const ParameterRow*> rows = ParametersOnLine(n);
        if (rows.size() == 1 && rows.front()->saved.codec == ConfigCodec::GridColumns) {
            const std::vector<std::string> columns = HoursTableLines(model.grids.StrGridEin);
            lines.insert(lines.end(), columns.begin(), columns.end());
            n += static_cast<int>(columns.size());
            continue;
        }
        std::string line;
        for (const ParameterRow* row : rows) {
            if (!line.empty() && row->saved.codec != ConfigCodec::Letter)
                line += kValueSeparator;
            line += ConfigText(*row, model);
        }
        lines.push_back(line);
        ++n;
    }
    for (const ParameterRow& row : ParameterTable())
        if (WritesExtensionLine(row, model))
            lines.push_back(std::string(row.name) + "=" + PlainText(ValueOf(row, model)));
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

ConfigurationRead ReadConfigurationLines(const Model& model, const std::vector<std::string>& lines)
{
    if (lines.empty()) {
        const LanguageState& lang = model.state.language;
        return Refusal(ErrorMessage(lang, "File " + std::string(MessageRow(lang, MessageId::NotFound))));
    }
    // All or nothing: the lines are read into a scratch model that starts from the model's parameters, shared
    // state and hour table (the checks of the fields read them); only a complete reading hands them on.
    const auto scratch = std::make_unique<Model>();
    ApplyConfiguredDial(*scratch, ConfiguredDialOf(model));
    const LinesRead read = ReadConfigurationInto(*scratch, lines);
    ConfigurationRead result{read.ok, read.linesRead, read.messages, {}, read.warnings, read.failedLine};
    if (read.ok)
        result.dial = ConfiguredDialOf(*scratch);
    return result;
}

ConfigurationRead LoadConfigurationFile(const Model& model, const std::string& path, const FileSystem& fs)
{
    const LanguageState& lang = model.state.language;
    std::string bytes;
    if (const std::optional<FileFailure> failure = ReadFileBounded(path, kMaxConfigurationBytes, bytes, fs))
        return Refusal(ReadFailureMessage(lang, *failure));
    const std::vector<std::string> lines = SplitConfigurationLines(bytes);
    if (lines.empty()) {
        const FileFailure empty{.error = 0, .own = OwnText::FileEmpty, .path = path};
        return Refusal(ErrorMessage(lang, "File " + std::string(MessageRow(lang, MessageId::NotFound)) + "\n" +
                                              FailureLine(lang, empty)));
    }
    ConfigurationRead read = ReadConfigurationLines(model, lines);
    if (!read.ok && read.failedLine > 0 && !read.messages.empty())
        read.messages.back().text +=
            "\n" + OwnTextWith(lang, OwnText::LineOfFile, path, std::to_string(read.failedLine));
    return read;
}

std::vector<std::string> WarningLines(const std::string& path, const std::vector<LineWarning>& warnings)
{
    std::vector<std::string> lines;
    for (const LineWarning& w : warnings)
        lines.push_back(path + ":" + std::to_string(w.line) + ": " + w.text);
    return lines;
}

std::optional<UiMessage> WarningsMessage(const LanguageState& lang, const std::string& path,
                                         const std::vector<LineWarning>& warnings)
{
    if (warnings.empty())
        return std::nullopt;
    std::string text = OwnTextWith(lang, OwnText::WarningsOfFile, path);
    for (const LineWarning& w : warnings)
        text += "\n" + std::to_string(w.line) + ": " + w.text;
    return UiMessage{std::string(CaptionText(lang, Caption::Warning)), std::move(text), MessageIcon::Warning};
}

std::optional<UiMessage> SaveConfigurationFile(const Model& model, const OutputTarget& target)
{
    const std::optional<FileFailure> failure = WriteOutput(target, ConfigurationText(BuildConfigurationLines(model)));
    if (!failure)
        return std::nullopt;
    return SaveFailureMessage(model.state.language, target.path, *failure);
}

} // namespace umbrix
