#include "export/dxf_records.h"

#include "core/number_text.h"
#include "export/hpgl_plot.h"

#include <array>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <string>

namespace umbrix::dxf {

namespace {

// Drawing extents in plotter units: the plotter page of 16400 x 11480 units plus a small margin.
constexpr double kExtentXUnits = kPlotPageWidth + 40.0;
constexpr double kExtentYUnits = kPlotPageHeight + 20.0;
constexpr int kLayerCount = 11; // L_1 to L_10 of the plotter pens, L_11 the summer-time hours

// Large enough for any double in fixed notation with the few decimals used here (309 digits + sign + point).
constexpr std::size_t kNumberBufferSize = 400;

std::string PadLeft(std::string_view text, int width)
{
    std::string padded;
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        padded.assign(static_cast<std::size_t>(width) - text.size(), ' ');
    padded += text;
    return padded;
}

void WriteLines(std::string& out, std::initializer_list<std::string_view> lines)
{
    for (const std::string_view line : lines)
        WriteLine(out, line);
}

constexpr std::array kHeaderStart{"0",   "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1006",
                                  "  9", "$EXTMIN", " 10", "0.000",  " 20", "0",        "  9", "$EXTMAX"};

constexpr std::array kHeaderEndAndLineTypes{
    "  9", "$LTSCALE", " 40", "0.0005", "  0", "ENDSEC",
    // tables start
    "  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "LTYPE", " 70", "     4",
    // CONTINUOUS
    "  0", "LTYPE", "  2", "CONTINUOUS", " 70", "64", "  3", "Solid line", " 72", "65", " 73", "0", " 40", "0.0",
    // DASHED
    "  0", "LTYPE", "  2", "DASHED", " 70", "64", "  3", "- - - - - - ", " 72", "65", " 73", "2", " 40", "0.000001",
    " 49", "0.000001", " 49", "-0.000000",
    // DASHDOT
    "  0", "LTYPE", "  2", "DASHDOT", " 70", "64", "  3", "- . - . - . - . ", " 72", "65", " 73", "4", " 40",
    "0.000004", " 49", "0.000002", " 49", "-0.000001", " 49", "0.00000", " 49", "-0.000001",
    // DOT
    "  0", "LTYPE", "  2", "DOT", " 70", "64", "  3", ". . . .  ", " 72", "65", " 73", "2", " 40", "0.000001", " 49",
    "0.00000", " 49", "-0.000001",
    // layer table start
    "  0", "ENDTAB", "  0", "TABLE", "  2", "LAYER", " 70", "    11"};

constexpr std::array kStylesToEntities{"  0", "ENDTAB", "  0", "TABLE", "  2", "STYLE", " 70", "2",
                                       // STANDARD
                                       "  0", "STYLE", "  2", "STANDARD", " 70", "0", " 40", "0.0", " 41", "1.00",
                                       " 50", "0.0", " 71", "0", " 42", "2.0", "  3", "txt", "  4", " ",
                                       // STYLE1
                                       "  0", "STYLE", "  2", "STYLE1", " 70", "0", " 40", "0.0", " 41", "1.0", " 50",
                                       "0.0", " 71", "0", " 42", "2.0", "  3", "txt", "  4", " ",
                                       // blocks
                                       "  0", "ENDTAB", "  0", "ENDSEC", "  0", "SECTION", "  2", "BLOCKS", "  0",
                                       "ENDSEC",
                                       // entities start
                                       "0", "SECTION", "2", "ENTITIES", "0"};

void WriteLayerAndColour(std::string& out, const PenStyle& style)
{
    WriteLine(out, "  8");
    out += "L_";
    WriteLine(out, style.pen);
    WriteLine(out, " 62");
    WriteLine(out, style.pen);
}

} // namespace

std::string ConverterFixed(int width, int decimals, double value)
{
    if (!std::isfinite(value) || value == 0.0)
        value = 0.0;
    std::array<char, kNumberBufferSize> buffer{};
    const auto [end, ec] = WriteReal(buffer.data(), buffer.data() + buffer.size(), value, RealFormat::Fixed, decimals);
    if (ec != std::errc{})
        return PadLeft("0", width);
    return PadLeft(std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.data())), width);
}

std::string FormatScientific(double value, int width)
{
    if (!std::isfinite(value) || value == 0.0)
        value = 0.0;
    std::array<char, kNumberBufferSize> buffer{};
    const auto [end, ec] = WriteReal(buffer.data(), buffer.data() + buffer.size(), value, RealFormat::Scientific, 1);
    std::string text = ec == std::errc{} ? std::string(buffer.data(), end) : std::string("0.0e+00");
    for (char& c : text) {
        if (c == 'e')
            c = 'E';
    }
    return PadLeft(text, width);
}

std::optional<double> ParseNumber(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    // ReadReal takes no "+"; one is allowed in front of a digit or the decimal point.
    if (text.size() > 1 && text.front() == '+' && text[1] != '+' && text[1] != '-')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    for (const char c : text) {
        // No exponent, no "inf" or "nan": only what an HPGL number run may hold.
        if (c != '+' && c != '-' && c != '.' && (c < '0' || c > '9'))
            return std::nullopt;
    }
    double value = 0.0;
    const auto [end, ec] = ReadReal(text, value);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

void WriteLine(std::string& out, std::string_view text)
{
    out += text;
    out += '\r';
}

void WriteFixedBeginning(std::string& out, double unitsPerMm)
{
    for (const std::string_view line : kHeaderStart)
        WriteLine(out, line);
    WriteLine(out, " 10");
    WriteLine(out, ConverterFixed(8, 2, kExtentXUnits / unitsPerMm));
    WriteLine(out, " 20");
    WriteLine(out, ConverterFixed(8, 2, kExtentYUnits / unitsPerMm));
    for (const std::string_view line : kHeaderEndAndLineTypes)
        WriteLine(out, line);
    for (int n = 1; n <= kLayerCount; ++n) {
        const std::string number = std::to_string(n);
        WriteLines(out, {"  0", "LAYER", " 70", "64", "  2"});
        WriteLine(out, "L_" + number);
        WriteLine(out, " 62");
        WriteLine(out, number);
        WriteLines(out, {"  6", "CONTINUOUS"});
    }
    for (const std::string_view line : kStylesToEntities)
        WriteLine(out, line);
}

void WriteEnd(std::string& out)
{
    WriteLines(out, {"ENDSEC", "  0", "EOF"});
}

void WritePolyline(std::string& out, const PenStyle& style, std::string_view width)
{
    WriteLine(out, "POLYLINE");
    WriteLayerAndColour(out, style);
    WriteLine(out, "  6");
    WriteLine(out, style.lineType);
    WriteLines(out, {" 66", "1", " 40 "});
    WriteLine(out, width);
    WriteLine(out, " 41 ");
    WriteLine(out, width);
    WriteLine(out, "  0");
}

void WriteVertex(std::string& out, const PenStyle& style, std::string_view x, std::string_view y)
{
    WriteLine(out, "VERTEX");
    WriteLayerAndColour(out, style);
    WriteLine(out, "  6");
    WriteLine(out, style.lineType);
    WriteLine(out, " 10");
    WriteLine(out, x);
    WriteLine(out, " 20");
    WriteLine(out, y);
    WriteLine(out, "0");
}

void WriteSeqend(std::string& out, const PenStyle& style)
{
    WriteLines(out, {"SEQEND", "  8"});
    out += "L_";
    WriteLine(out, style.pen);
    WriteLine(out, "  0");
}

void WriteCircle(std::string& out, const PenStyle& style, std::string_view centreX, std::string_view centreY,
                 std::string_view radius)
{
    WriteLine(out, "CIRCLE");
    WriteLayerAndColour(out, style);
    WriteLine(out, " 10");
    WriteLine(out, centreX);
    WriteLine(out, " 20");
    WriteLine(out, centreY);
    WriteLine(out, " 40");
    WriteLine(out, radius);
    WriteLine(out, "0");
}

void WriteArc(std::string& out, const PenStyle& style, std::string_view centreX, std::string_view centreY,
              std::string_view radius, std::string_view startDeg, std::string_view endDeg)
{
    WriteLine(out, "ARC");
    WriteLayerAndColour(out, style);
    WriteLine(out, " 10");
    WriteLine(out, centreX);
    WriteLine(out, " 20");
    WriteLine(out, centreY);
    WriteLine(out, " 40 ");
    WriteLine(out, radius);
    WriteLine(out, " 50");
    WriteLine(out, startDeg);
    WriteLine(out, " 51");
    WriteLine(out, endDeg);
    WriteLine(out, "0");
}

void WriteText(std::string& out, const PenStyle& style, std::string_view x, std::string_view y,
               const TextAttributes& attributes, std::string_view text)
{
    WriteLine(out, "TEXT");
    WriteLayerAndColour(out, style);
    WriteLine(out, " 10");
    WriteLine(out, x);
    WriteLine(out, " 20");
    WriteLine(out, y);
    WriteLine(out, " 40");
    WriteLine(out, attributes.height);
    WriteLine(out, " 41");
    WriteLine(out, attributes.widthFactor);
    WriteLine(out, "  1");
    WriteLine(out, text);
    WriteLine(out, " 50");
    WriteLine(out, attributes.rotationDeg);
    WriteLine(out, " 51");
    WriteLine(out, attributes.obliqueDeg);
    WriteLine(out, "  7");
    WriteLine(out, attributes.alternateSet ? "STYLE1" : "STANDARD");
    WriteLine(out, "  0");
}

std::string WithCrLf(std::string_view text)
{
    std::string result;
    result.reserve(text.size() + text.size() / 8);
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", i);
        if (end == std::string_view::npos) {
            result += text.substr(i);
            result += "\r\n";
            break;
        }
        result += text.substr(i, end - i);
        result += "\r\n";
        i = end + 1;
        if (text[end] == '\r' && i < text.size() && text[i] == '\n')
            ++i;
    }
    return result;
}

} // namespace umbrix::dxf
