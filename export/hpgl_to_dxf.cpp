#include "export/hpgl_to_dxf.h"

#include "export/dxf_records.h"
#include "export/hpgl_clip.h"
#include "export/hpgl_plot.h"
#include "export/hpgl_reader.h"
#include "export/hpgl_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace umbrix {

namespace {

using dxf::ConverterFixed;
using dxf::kRadiansPerDegree;
using dxf::ParseNumber;
using hpgl::ClipWindow;
using hpgl::kEtx;
using hpgl::ParameterReader;
using hpgl::PointText;
using hpgl::PointValue;
using hpgl::StartsCommand;
using hpgl::TextState;
using hpgl::Utf8FromPlot;

// Parameter texts of this length or more are not trimmed at the end; a label is cut to kLabelKeep characters.
constexpr std::size_t kLongParameterText = 253;
constexpr std::size_t kLabelKeep = 250;

// Default clip window (IW without parameters) in plotter units: the plotter page.
constexpr double kPageWidthUnits = kPlotPageWidth;
constexpr double kPageHeightUnits = kPlotPageHeight;

// The centre of an arc counts as straight above or below the pen when the x values differ by less than this.
constexpr double kVerticalTolerance = 0.0001;

// The coordinate written for one not yet set.
constexpr std::string_view kZeroCoordinate = "0.0";

// Pens 0 to 255: the colour numbers of a DXF entity (256, BYLAYER, has no pen).
constexpr double kPenLimit = 256.0;

/// Plotter units per drawing unit: a value that is not positive (or not a number) counts as 1.
double UsableUnitsPerMm(double units)
{
    return units > 0.0 && std::isfinite(units) ? units : 1.0;
}

class HpglToDxfConverter {
public:
    explicit HpglToDxfConverter(const DxfConversionOptions& options)
        : sourceName_(options.sourceName), widthStep_(options.widthStep),
          unitsPerMm_(UsableUnitsPerMm(options.unitsPerMillimetre)), polylineWidth_(modelWidth()), text_(unitsPerMm_)
    {
    }

    DxfConversion run(std::string_view hpgl);

private:
    void execute(std::string_view command, std::string_view parameters);
    std::string_view prepareParameters(std::string_view command, std::string_view text);

    // Commands.
    void initialize();
    void plotPairs(std::string_view command, std::string_view parameters);
    void selectPen(std::string_view command, std::string_view parameters);
    void selectLineType(std::string_view command, std::string_view parameters);
    void circle(std::string_view command, std::string_view parameters);
    void arc(std::string_view command, std::string_view parameters, bool relative);
    void rectangle(std::string_view command, std::string_view parameters, bool relative);
    void label(std::string_view text);
    void inputWindow(std::string_view command, std::string_view parameters);
    void penWidth(std::string_view command, std::string_view parameters);

    // Pen movement.
    void moveTo(const PointText& point);
    void drawTo(const PointText& point);
    void openPolylineAtCurrentPoint();
    void closePolyline();
    void closeOpenPolyline();

    // Numbers.
    std::optional<std::string> readScaled(ParameterReader& reader);
    std::optional<PointText> readPoint(ParameterReader& reader, bool relative, bool emptyIsZero);
    std::string addRelative(std::string_view base, std::string_view delta, std::string_view axis, bool emptyIsZero);

    [[nodiscard]] dxf::PenStyle style() const { return {pen_, lineType_}; }
    [[nodiscard]] std::string modelWidth() const;
    [[nodiscard]] std::string_view currentOrZero(const std::string& coordinate) const
    {
        return coordinate.empty() ? kZeroCoordinate : std::string_view(coordinate);
    }

    std::string sourceName_;
    int widthStep_ = 1;
    double unitsPerMm_ = 40.0;

    std::string out_;
    std::vector<std::string> log_;
    std::vector<std::string> notices_;

    PointText current_;
    PointText newPoint_;
    bool penDown_ = false;
    // HPGL starts in absolute plotting, as after IN.
    bool absoluteMode_ = true;
    bool polylineOpen_ = false;
    bool drawingSeen_ = false;

    std::string pen_ = "0";
    std::string lineType_ = "CONTINUOUS";
    std::string polylineWidth_;
    TextState text_;
    ClipWindow clip_;
};

DxfConversion HpglToDxfConverter::run(std::string_view hpgl)
{
    DxfConversion result;
    std::size_t pos = 0;
    while (pos < hpgl.size() && !StartsCommand(hpgl[pos]))
        ++pos;
    const bool noLetter = pos == hpgl.size();
    if (noLetter || hpgl.find_first_not_of(" \r\n", pos + 1) == std::string_view::npos) {
        result.status = DxfConversionStatus::NotHpgl;
        result.conversionLog.push_back(sourceName_ + " ist kein HPGL-File!");
        return result;
    }

    dxf::WriteFixedBeginning(out_, unitsPerMm_);
    while (pos < hpgl.size()) {
        const std::size_t nameStart = pos;
        pos = std::min(pos + 2, hpgl.size());
        const std::string_view command = hpgl.substr(nameStart, pos - nameStart);
        const bool isLabel = command == "LB";
        const std::size_t textStart = pos;
        while (pos < hpgl.size()) {
            const char c = hpgl[pos++];
            if (c == static_cast<char>(kEtx) || (!isLabel && (c == '\r' || c == ';')))
                break;
        }
        execute(command, prepareParameters(command, hpgl.substr(textStart, pos - textStart)));
        while (pos < hpgl.size() && !StartsCommand(hpgl[pos]))
            ++pos;
    }
    closeOpenPolyline();
    dxf::WriteEnd(out_);

    result.status = drawingSeen_ ? DxfConversionStatus::Converted : DxfConversionStatus::NothingConverted;
    result.dxf = drawingSeen_ ? dxf::WithCrLf(out_) : std::move(out_);
    result.conversionLog = std::move(log_);
    result.notices = std::move(notices_);
    return result;
}

// Trims the separators around a parameter text. A label of kLongParameterText characters or more is cut
// (with a notice); other long texts keep their end. Coordinate lists are converted whole, however long,
// so their end is always trimmed.
std::string_view HpglToDxfConverter::prepareParameters(std::string_view command, std::string_view text)
{
    const bool coordinateList = command == "PD" || command == "PA" || command == "PU" || command == "PR";
    if (text.size() < kLongParameterText || coordinateList) {
        text = hpgl::TrimTrailing(text);
    } else if (command == "LB") {
        text = text.substr(0, kLabelKeep);
        notices_.push_back(Utf8FromPlot(command) + Utf8FromPlot(text) + ": Befehl ist zu lang und wird gekürzt!");
        text = hpgl::TrimTrailing(text);
    }
    return hpgl::TrimLeading(text);
}

void HpglToDxfConverter::execute(std::string_view command, std::string_view parameters)
{
    if (command == "IN") {
        initialize();
    } else if (command == "PA") {
        absoluteMode_ = true;
        plotPairs(command, parameters);
    } else if (command == "PR") {
        // HPGL keeps the pen state for PR, as for PA.
        drawingSeen_ = true;
        absoluteMode_ = false;
        plotPairs(command, parameters);
    } else if (command == "PU") {
        drawingSeen_ = true;
        closeOpenPolyline();
        penDown_ = false;
        plotPairs(command, parameters);
    } else if (command == "PD") {
        drawingSeen_ = true;
        penDown_ = true;
        plotPairs(command, parameters);
    } else if (command == "SP") {
        drawingSeen_ = true;
        selectPen(command, parameters);
    } else if (command == "LT") {
        selectLineType(command, parameters);
    } else if (command == "CI") {
        drawingSeen_ = true;
        circle(command, parameters);
    } else if (command == "AA" || command == "AR") {
        drawingSeen_ = true;
        arc(command, parameters, command == "AR");
    } else if (command == "EA" || command == "ER") {
        rectangle(command, parameters, command == "ER");
    } else if (command == "LB") {
        drawingSeen_ = true;
        label(parameters);
    } else if (command == "SI") {
        drawingSeen_ = true;
        text_.characterSize(command, parameters, log_);
    } else if (command == "DI") {
        text_.direction(command, parameters, log_);
    } else if (command == "SL") {
        text_.slant(command, parameters, log_);
    } else if (command == "SA") {
        text_.alternateSet(true);
    } else if (command == "SS") {
        text_.alternateSet(false);
    } else if (command == "IW") {
        inputWindow(command, parameters);
    } else if (command == "PW") {
        penWidth(command, parameters);
    } else if (command == "VS") {
        // Pen speed means nothing in a drawing.
    } else {
        log_.push_back("Command: " + Utf8FromPlot(command) + "; not supported!");
        closeOpenPolyline();
    }
}

void HpglToDxfConverter::initialize()
{
    // A reset ends the stroke being drawn before the pen position jumps to the origin.
    closeOpenPolyline();
    absoluteMode_ = true;
    current_ = {"0.00", "0.00"};
    newPoint_ = current_;
    text_.alternateSet(false);
}

// PA, PR, PU, PD: every pair moves the pen, drawing while it is down.
void HpglToDxfConverter::plotPairs(std::string_view command, std::string_view parameters)
{
    ParameterReader reader(command, parameters, log_);
    while (reader.hasMore()) {
        const std::optional<PointText> point = readPoint(reader, !absoluteMode_, false);
        if (!point)
            return;
        newPoint_ = *point;
        if (penDown_)
            drawTo(*point);
        else
            moveTo(*point);
    }
}

void HpglToDxfConverter::moveTo(const PointText& point)
{
    closeOpenPolyline();
    current_ = point;
}

// One stroke from the current point to point. Inside a clip window (absolute plotting only) a stroke with one
// end outside ends on the window's boundary, and the polyline closes after a vertex outside; a stroke with
// both ends outside is dropped.
void HpglToDxfConverter::drawTo(const PointText& point)
{
    if (current_.empty()) {
        // Nothing to draw from yet: the first pair only places the pen.
        current_ = point;
        return;
    }
    if (clip_.active() && absoluteMode_) {
        const PointValue from{ParseNumber(current_.x).value_or(0.0), ParseNumber(current_.y).value_or(0.0)};
        const PointValue to{ParseNumber(point.x).value_or(0.0), ParseNumber(point.y).value_or(0.0)};
        const bool fromOutside = clip_.code(from) != 0;
        const bool toOutside = clip_.code(to) != 0;
        if (fromOutside && toOutside) {
            closeOpenPolyline();
        } else if (fromOutside) {
            closeOpenPolyline();
            const PointText entry = clip_.towards(from, to);
            dxf::WritePolyline(out_, style(), polylineWidth_);
            dxf::WriteVertex(out_, style(), entry.x, entry.y);
            polylineOpen_ = true;
            dxf::WriteVertex(out_, style(), point.x, point.y);
        } else if (toOutside) {
            openPolylineAtCurrentPoint();
            const PointText exit = clip_.towards(to, from);
            dxf::WriteVertex(out_, style(), exit.x, exit.y);
            closePolyline();
        } else {
            openPolylineAtCurrentPoint();
            dxf::WriteVertex(out_, style(), point.x, point.y);
        }
        current_ = point;
        return;
    }
    openPolylineAtCurrentPoint();
    dxf::WriteVertex(out_, style(), point.x, point.y);
    current_ = point;
}

void HpglToDxfConverter::openPolylineAtCurrentPoint()
{
    if (polylineOpen_)
        return;
    dxf::WritePolyline(out_, style(), polylineWidth_);
    dxf::WriteVertex(out_, style(), currentOrZero(current_.x), currentOrZero(current_.y));
    polylineOpen_ = true;
}

// SEQEND; the point just read becomes the current point.
void HpglToDxfConverter::closePolyline()
{
    dxf::WriteSeqend(out_, style());
    polylineOpen_ = false;
    current_ = newPoint_;
}

void HpglToDxfConverter::closeOpenPolyline()
{
    if (polylineOpen_)
        closePolyline();
}

// SP: the SEQEND of an open polyline is written after the change, so it carries the new pen's layer.
// A DXF colour is an integer from 0 to 255 here: the pen number's integer part is kept; a run that is no
// number or no pen number gives pen 0.
void HpglToDxfConverter::selectPen(std::string_view command, std::string_view parameters)
{
    pen_ = "0";
    if (!parameters.empty()) {
        ParameterReader reader(command, parameters, log_);
        if (const std::optional<std::string_view> run = reader.run()) {
            const std::optional<double> value = reader.parse(*run);
            if (value && *value > -1.0 && *value < kPenLimit)
                pen_ = ConverterFixed(0, 0, std::trunc(*value));
            else if (value)
                log_.push_back("Fehler in: " + Utf8FromPlot(command) + " " + Utf8FromPlot(*run) +
                               "; weil:" + Utf8FromPlot(*run) + " keine Stiftnummer ist.");
        }
    }
    closeOpenPolyline();
}

void HpglToDxfConverter::selectLineType(std::string_view command, std::string_view parameters)
{
    lineType_ = "CONTINUOUS";
    if (parameters.empty())
        return;
    ParameterReader reader(command, parameters, log_);
    const std::optional<std::string_view> run = reader.run();
    if (!run)
        return;
    if (*run == "1")
        lineType_ = "DOT";
    else if (*run == "2" || *run == "3")
        lineType_ = "DASHED";
    else if (*run == "4")
        lineType_ = "DASHDOT";
}

// CI radius[, chord angle]: a circle round the current point; the chord angle is of no use in a drawing.
void HpglToDxfConverter::circle(std::string_view command, std::string_view parameters)
{
    closeOpenPolyline();
    ParameterReader reader(command, parameters, log_);
    const std::optional<std::string> radius = readScaled(reader);
    if (!radius)
        return;
    dxf::WriteCircle(out_, style(), currentOrZero(current_.x), currentOrZero(current_.y), *radius);
}

// AA x, y, sweep (AR: centre relative to the pen): an arc round the centre starting at the current point,
// counter-clockwise for a positive sweep in degrees. The pen ends at the arc's far end.
void HpglToDxfConverter::arc(std::string_view command, std::string_view parameters, bool relative)
{
    closeOpenPolyline();
    ParameterReader reader(command, parameters, log_);
    const std::optional<PointText> centre = readPoint(reader, relative, false);
    if (!centre)
        return;
    newPoint_ = *centre;
    const double x0 = ParseNumber(current_.x).value_or(0.0);
    const double y0 = ParseNumber(current_.y).value_or(0.0);
    const double xc = ParseNumber(centre->x).value_or(0.0);
    const double yc = ParseNumber(centre->y).value_or(0.0);
    const double radius = std::hypot(xc - x0, yc - y0);

    // Direction from the pen to the centre, then turned round: the angle of the pen seen from the centre.
    double towardsCentreDeg = 0.0;
    if (std::abs(xc - x0) < kVerticalTolerance)
        towardsCentreDeg = yc > y0 ? 90.0 : (yc < y0 ? -90.0 : 0.0);
    else
        towardsCentreDeg = std::atan((yc - y0) / (xc - x0)) / kRadiansPerDegree + (xc < x0 ? 180.0 : 0.0);
    const double startDeg = towardsCentreDeg > 180.0 ? towardsCentreDeg - 180.0 : towardsCentreDeg + 180.0;

    const std::optional<std::string_view> sweepRun = reader.run();
    if (!sweepRun)
        return;
    const std::optional<double> sweep = ParseNumber(*sweepRun);
    if (!sweep) {
        log_.push_back("Fehler bei der Konvertierung des Bogenwinkels.");
        return;
    }
    // A DXF arc from an angle to the same angle is a full circle: a zero sweep draws nothing.
    if (*sweep == 0.0)
        return;
    const double endDeg = startDeg + *sweep;
    const std::string radiusText = ConverterFixed(10, 4, radius);
    if (*sweep > 0.0)
        dxf::WriteArc(out_, style(), centre->x, centre->y, radiusText, ConverterFixed(7, 2, startDeg),
                      ConverterFixed(7, 2, endDeg));
    else
        dxf::WriteArc(out_, style(), centre->x, centre->y, radiusText, ConverterFixed(7, 2, endDeg),
                      ConverterFixed(7, 2, startDeg));
    current_ = {ConverterFixed(11, 5, xc + radius * std::cos(endDeg * kRadiansPerDegree)),
                ConverterFixed(11, 5, yc + radius * std::sin(endDeg * kRadiansPerDegree))};
}

// EA x, y (ER: relative): the outline of the rectangle from the current point to the corner, as one closed
// polyline. Its SEQEND moves the current point to the corner.
void HpglToDxfConverter::rectangle(std::string_view command, std::string_view parameters, bool relative)
{
    closeOpenPolyline();
    ParameterReader reader(command, parameters, log_);
    const std::optional<PointText> corner = readPoint(reader, relative, true);
    if (!corner)
        return;
    newPoint_ = *corner;
    const std::string_view x1 = currentOrZero(current_.x);
    const std::string_view y1 = currentOrZero(current_.y);
    dxf::WritePolyline(out_, style(), polylineWidth_);
    dxf::WriteVertex(out_, style(), x1, y1);
    dxf::WriteVertex(out_, style(), corner->x, y1);
    dxf::WriteVertex(out_, style(), corner->x, corner->y);
    dxf::WriteVertex(out_, style(), x1, corner->y);
    dxf::WriteVertex(out_, style(), x1, y1);
    closePolyline();
}

void HpglToDxfConverter::label(std::string_view text)
{
    closeOpenPolyline();
    dxf::WriteText(out_, style(), currentOrZero(current_.x), currentOrZero(current_.y), text_.attributes(),
                   hpgl::LabelForDxf(text));
}

// IW xmin, ymin, xmax, ymax: the clip window; without (usable) parameters the plotter page.
void HpglToDxfConverter::inputWindow(std::string_view command, std::string_view parameters)
{
    std::array<std::string, 4> bounds{ConverterFixed(10, 4, 0.0), ConverterFixed(10, 4, 0.0),
                                      ConverterFixed(10, 4, kPageWidthUnits / unitsPerMm_),
                                      ConverterFixed(10, 4, kPageHeightUnits / unitsPerMm_)};
    if (!parameters.empty()) {
        ParameterReader reader(command, parameters, log_);
        std::array<std::string, 4> read;
        bool complete = true;
        for (std::string& bound : read) {
            const std::optional<std::string> value = readScaled(reader);
            if (!value) {
                complete = false;
                break;
            }
            bound = *value;
        }
        if (complete)
            bounds = read;
    }
    clip_.set(ParseNumber(bounds[0]).value_or(0.0), ParseNumber(bounds[1]).value_or(0.0),
              ParseNumber(bounds[2]).value_or(0.0), ParseNumber(bounds[3]).value_or(0.0));
}

// PW belongs to HPGL/2. The polyline width stays the default width; only with a width step above 1 a
// parameter chooses between width 0 ("PW 0") and the default width.
void HpglToDxfConverter::penWidth(std::string_view command, std::string_view parameters)
{
    log_.push_back("Command PW (=Penwidth) only supported by HPGL2.");
    polylineWidth_ = "0";
    if (widthStep_ <= 1 || parameters.empty())
        return;
    ParameterReader reader(command, parameters, log_);
    const std::optional<std::string_view> run = reader.run();
    if (!run)
        return;
    polylineWidth_ = ParseNumber(*run) == 0.0 ? std::string("0") : modelWidth();
}

std::string HpglToDxfConverter::modelWidth() const
{
    return dxf::FormatScientific((6.0 * widthStep_ - 6.0) / unitsPerMm_, 6);
}

// A coordinate or size in drawing units, width 10 with 4 decimals; a run that is no number counts as -1.
std::optional<std::string> HpglToDxfConverter::readScaled(ParameterReader& reader)
{
    const std::optional<std::string_view> run = reader.run();
    if (!run)
        return std::nullopt;
    const double value = reader.parse(*run).value_or(-1.0);
    return ConverterFixed(10, 4, value / unitsPerMm_);
}

// A pair of coordinates; relative pairs are added to the current point.
std::optional<PointText> HpglToDxfConverter::readPoint(ParameterReader& reader, bool relative, bool emptyIsZero)
{
    std::optional<std::string> x = readScaled(reader);
    if (!x)
        return std::nullopt;
    std::optional<std::string> y = readScaled(reader);
    if (!y)
        return std::nullopt;
    if (!relative)
        return PointText{std::move(*x), std::move(*y)};
    return PointText{addRelative(current_.x, *x, "x", emptyIsZero), addRelative(current_.y, *y, "y", emptyIsZero)};
}

// base + delta, width 11 with 5 decimals. An operand that is no number counts as 0 and is logged.
std::string HpglToDxfConverter::addRelative(std::string_view base, std::string_view delta, std::string_view axis,
                                            bool emptyIsZero)
{
    double sum = 0.0;
    for (const std::string_view operand : {base, delta}) {
        if (operand.empty() && emptyIsZero)
            continue;
        if (const std::optional<double> value = ParseNumber(operand))
            sum += *value;
        else
            log_.push_back(std::string(operand) + "=" + std::string(axis) + " hat keinen Zahlenwert");
    }
    return ConverterFixed(11, 5, sum);
}

} // namespace

DxfConversion ConvertHpglToDxf(std::string_view hpglBytes, const DxfConversionOptions& options)
{
    HpglToDxfConverter converter(options);
    return converter.run(hpglBytes);
}

} // namespace umbrix
