#include "export/hpgl_text.h"

#include "export/hpgl_plot.h"

#include <cmath>
#include <optional>

namespace umbrix::hpgl {

namespace {

using dxf::ConverterFixed;
using dxf::kRadiansPerDegree;
using dxf::ParseNumber;

// Initial character height in plotter units: 2.7 mm at 40 units per millimetre.
constexpr double kInitialTextHeight = 2.7 * kPlotUnitsPerMm;
constexpr std::string_view kInitialWidthFactor = "0.7";
constexpr std::string_view kZeroText = "0.0";

// SI takes centimetres; 400 plotter units are one centimetre. Character cells are 1.4 times the letter width.
constexpr double kUnitsPerCentimetre = 400.0;
constexpr double kCellPerWidth = 1.4;

} // namespace

std::string LabelForDxf(std::string_view label)
{
    if (label == "^")
        return "^ ";
    std::string text(label);
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 32 || c == 127)
            c = ' ';
    }
    return text;
}

TextState::TextState(double unitsPerMm)
    : unitsPerMm_(unitsPerMm), height_(initialHeight()), widthFactor_(kInitialWidthFactor), rotation_(kZeroText),
      oblique_(kZeroText)
{
}

std::string TextState::initialHeight() const
{
    return ConverterFixed(10, 4, kInitialTextHeight / unitsPerMm_);
}

dxf::TextAttributes TextState::attributes() const
{
    return {height_, widthFactor_, rotation_, oblique_, alternateSet_};
}

void TextState::characterSize(std::string_view command, std::string_view parameters, std::vector<std::string>& log)
{
    height_ = initialHeight();
    widthFactor_ = kInitialWidthFactor;
    if (parameters.empty())
        return;
    ParameterReader reader(command, parameters, log);
    const std::optional<std::string_view> widthRun = reader.run();
    const std::optional<std::string_view> heightRun = reader.run();
    if (!widthRun || !heightRun)
        return;
    const std::optional<double> widthCm = reader.parse(*widthRun);
    const std::optional<double> heightCm = reader.parse(*heightRun);
    if (!widthCm || !heightCm)
        return;
    const std::string height = ConverterFixed(6, 2, *heightCm * kUnitsPerCentimetre / unitsPerMm_);
    const double writtenHeight = ParseNumber(height).value_or(0.0);
    const double factor = *widthCm * kUnitsPerCentimetre * kCellPerWidth / unitsPerMm_ / writtenHeight;
    height_ = height;
    if (std::isfinite(factor))
        widthFactor_ = ConverterFixed(6, 2, factor);
}

void TextState::direction(std::string_view command, std::string_view parameters, std::vector<std::string>& log)
{
    rotation_ = kZeroText;
    if (parameters.empty())
        return;
    ParameterReader reader(command, parameters, log);
    const std::optional<std::string_view> runText = reader.run();
    const std::optional<std::string_view> riseText = reader.run();
    if (!runText || !riseText)
        return;
    const std::optional<double> run = ParseNumber(*runText);
    const std::optional<double> rise = ParseNumber(*riseText);
    if (!run || !rise) {
        log.push_back("Fehler bei der Angabe der Schriftrichtung: " + Utf8FromPlot(*runText) + ";" +
                      Utf8FromPlot(*riseText));
        return;
    }
    if (*run != 0.0 || *rise != 0.0)
        rotation_ = ConverterFixed(5, 1, std::atan2(*rise, *run) / kRadiansPerDegree);
}

void TextState::slant(std::string_view command, std::string_view parameters, std::vector<std::string>& log)
{
    oblique_ = kZeroText;
    if (parameters.empty())
        return;
    ParameterReader reader(command, parameters, log);
    const std::optional<std::string_view> run = reader.run();
    if (!run)
        return;
    const std::optional<double> tangent = ParseNumber(*run);
    if (!tangent) {
        log.push_back("Fehler im Befehl SL :" + Utf8FromPlot(*run) + "!");
        return;
    }
    oblique_ = ConverterFixed(5, 1, std::atan(*tangent) / kRadiansPerDegree);
}

} // namespace umbrix::hpgl
