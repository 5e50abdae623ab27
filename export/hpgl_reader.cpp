#include "export/hpgl_reader.h"

#include "export/dxf_records.h"

#include <array>

namespace umbrix::hpgl {

namespace {

/// Characters of a number run.
bool IsNumberChar(char c)
{
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// Windows-1252 code points of the bytes 0x80 to 0x9F; 0 where the code page defines no character.
constexpr std::array<char16_t, 32> kCp1252High{0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                               0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

bool IsSeparator(char c)
{
    return c == static_cast<char>(kEtx) || c == '\n' || c == '\r' || c == ' ' || c == ';';
}

bool StartsCommand(char c)
{
    return static_cast<unsigned char>(c) >= 65;
}

std::string_view TrimTrailing(std::string_view text)
{
    while (!text.empty() && IsSeparator(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view TrimLeading(std::string_view text)
{
    while (!text.empty() && IsSeparator(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string Utf8FromPlot(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        char32_t code = byte;
        if (byte >= 0x80 && byte < 0xA0)
            code = kCp1252High[byte - 0x80] != 0 ? kCp1252High[byte - 0x80] : 0xFFFD;
        if (code < 0x80) {
            result += static_cast<char>(code);
        } else if (code < 0x800) {
            result += static_cast<char>(0xC0 | (code >> 6));
            result += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            result += static_cast<char>(0xE0 | (code >> 12));
            result += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return result;
}

bool ParameterReader::hasMore()
{
    skipGaps();
    return !failed_ && pos_ < text_.size();
}

std::optional<std::string_view> ParameterReader::run()
{
    if (failed_)
        return std::nullopt;
    skipGaps();
    std::size_t end = pos_;
    while (end < text_.size() && IsNumberChar(text_[end]))
        ++end;
    if (end == pos_) {
        log_.push_back("Error in HPGL-command:" + Utf8FromPlot(command_) + " " + Utf8FromPlot(text_.substr(pos_)) +
                       ";");
        failed_ = true;
        return std::nullopt;
    }
    const std::string_view found = text_.substr(pos_, end - pos_);
    pos_ = end;
    return found;
}

std::optional<double> ParameterReader::parse(std::string_view run)
{
    const std::optional<double> value = dxf::ParseNumber(run);
    if (!value) {
        log_.push_back("Fehler in: " + Utf8FromPlot(command_) + " " + Utf8FromPlot(run) +
                       Utf8FromPlot(text_.substr(pos_)) + "; weil:" + Utf8FromPlot(run) + " keine Zahl ist.");
    }
    return value;
}

void ParameterReader::skipGaps()
{
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == ',' || text_[pos_] == ';'))
        ++pos_;
}

} // namespace umbrix::hpgl
