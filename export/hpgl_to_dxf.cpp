#include "export/hpgl_to_dxf.h"

#include "export/dxf_records.h"
#include "export/file_writer.h"
#include "export/hpgl_plot.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <exception>
#include <optional>
#include <utility>

namespace umbrix {

namespace {

using dxf::FormatFixed;
using dxf::ParseNumber;

// Degrees are radians divided by this.
constexpr double kRadiansPerDegree = 0.0174532925;

// Parameter texts of this length or more are not trimmed at the end; a label is cut to kLabelKeep characters.
constexpr std::size_t kLongParameterText = 253;
constexpr std::size_t kLabelKeep = 250;

// Default clip window (IW without parameters) in plotter units: the plotter page.
constexpr double kPageWidthUnits = kPlotPageWidth;
constexpr double kPageHeightUnits = kPlotPageHeight;

// Initial character height in plotter units: 2.7 mm at 40 units per millimetre.
constexpr double kInitialTextHeight = 2.7 * kPlotUnitsPerMm;
constexpr std::string_view kInitialWidthFactor = "0.7";
constexpr std::string_view kZeroText = "0.0";

// SI takes centimetres; 400 plotter units are one centimetre. Character cells are 1.4 times the letter width.
constexpr double kUnitsPerCentimetre = 400.0;
constexpr double kCellPerWidth = 1.4;

// The centre of an arc counts as straight above or below the pen when the x values differ by less than this.
constexpr double kVerticalTolerance = 0.0001;

constexpr unsigned char kEtx = 3;

// Pens 0 to 255: the colour numbers of a DXF entity (256, BYLAYER, has no pen).
constexpr double kPenLimit = 256.0;

// Trailing and leading characters removed from a parameter text.
bool IsSeparator(char c)
{
    return c == static_cast<char>(kEtx) || c == '\n' || c == '\r' || c == ' ' || c == ';';
}

// Characters of a number run.
bool IsNumberChar(char c)
{
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// The first letter of a command: a character code of 65 or more (bytes above 127 included).
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

// Windows-1252 code points of the bytes 0x80 to 0x9F; 0 where the code page defines no character.
constexpr std::array<char16_t, 32> kCp1252High{0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                               0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Text of the plot (Windows-1252) as UTF-8, for log lines and notices; undefined bytes become U+FFFD.
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

// A label as the TEXT value: a lone "^" would start a DXF control-character escape, so it becomes "^ ";
// control characters (a CR or LF would split the record line) become blanks.
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

// A point as the texts written to the DXF file; both empty before the first move.
struct PointText {
    std::string x;
    std::string y;
    [[nodiscard]] bool empty() const { return x.empty() && y.empty(); }
};

struct PointValue {
    double x = 0.0;
    double y = 0.0;
};

// Reads the numbers of one command's parameter text from the front.
class ParameterReader {
public:
    ParameterReader(std::string_view command, std::string_view text, std::vector<std::string>& log)
        : command_(command), text_(text), log_(log)
    {
    }

    [[nodiscard]] bool failed() const { return failed_; }

    // True while anything but blanks, "," and ";" is left and no read has failed.
    [[nodiscard]] bool hasMore()
    {
        skipGaps();
        return !failed_ && pos_ < text_.size();
    }

    // The next run of "+", "-", "." and digits after blanks, "," and ";". An empty run logs the rest of
    // the text once and fails the command: it reads nothing more.
    [[nodiscard]] std::optional<std::string_view> run()
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

    // The run's number; one that does not parse is logged with the text from the run on.
    [[nodiscard]] std::optional<double> parse(std::string_view run)
    {
        const std::optional<double> value = ParseNumber(run);
        if (!value) {
            log_.push_back("Fehler in: " + Utf8FromPlot(command_) + " " + Utf8FromPlot(run) +
                           Utf8FromPlot(text_.substr(pos_)) + "; weil:" + Utf8FromPlot(run) + " keine Zahl ist.");
        }
        return value;
    }

private:
    void skipGaps()
    {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == ',' || text_[pos_] == ';'))
            ++pos_;
    }

    std::string_view command_;
    std::string_view text_;
    std::vector<std::string>& log_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

class HpglToDxfConverter {
public:
    explicit HpglToDxfConverter(const DxfConversionOptions& options)
        : sourceName_(options.sourceName), widthStep_(options.widthStep)
    {
        const double units = options.unitsPerMillimetre;
        unitsPerMm_ = units > 0.0 && std::isfinite(units) ? units : 1.0;
        polylineWidth_ = modelWidth();
        textHeight_ = initialTextHeight();
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
    void characterSize(std::string_view command, std::string_view parameters);
    void direction(std::string_view command, std::string_view parameters);
    void slant(std::string_view command, std::string_view parameters);
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

    // Clipping.
    [[nodiscard]] bool clipping() const { return clipXMin_ != clipXMax_; }
    [[nodiscard]] int clipCode(PointValue p) const;
    [[nodiscard]] PointText clipTowards(PointValue outside, PointValue inside) const;

    [[nodiscard]] dxf::PenStyle style() const { return {pen_, lineType_}; }
    [[nodiscard]] std::string modelWidth() const;
    [[nodiscard]] std::string initialTextHeight() const { return FormatFixed(kInitialTextHeight / unitsPerMm_, 10, 4); }
    [[nodiscard]] std::string_view currentOrZero(const std::string& coordinate) const
    {
        return coordinate.empty() ? kZeroText : std::string_view(coordinate);
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
    std::string textHeight_;
    std::string widthFactor_{kInitialWidthFactor};
    std::string rotation_{kZeroText};
    std::string oblique_{kZeroText};
    bool alternateSet_ = false;

    double clipXMin_ = 0.0;
    double clipXMax_ = 0.0;
    double clipYMin_ = 0.0;
    double clipYMax_ = 0.0;
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
        text = TrimTrailing(text);
    } else if (command == "LB") {
        text = text.substr(0, kLabelKeep);
        notices_.push_back(Utf8FromPlot(command) + Utf8FromPlot(text) + ": Befehl ist zu lang und wird gekürzt!");
        text = TrimTrailing(text);
    }
    return TrimLeading(text);
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
        characterSize(command, parameters);
    } else if (command == "DI") {
        direction(command, parameters);
    } else if (command == "SL") {
        slant(command, parameters);
    } else if (command == "SA") {
        alternateSet_ = true;
    } else if (command == "SS") {
        alternateSet_ = false;
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
    alternateSet_ = false;
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
    if (clipping() && absoluteMode_) {
        const PointValue from{ParseNumber(current_.x).value_or(0.0), ParseNumber(current_.y).value_or(0.0)};
        const PointValue to{ParseNumber(point.x).value_or(0.0), ParseNumber(point.y).value_or(0.0)};
        const bool fromOutside = clipCode(from) != 0;
        const bool toOutside = clipCode(to) != 0;
        if (fromOutside && toOutside) {
            closeOpenPolyline();
        } else if (fromOutside) {
            closeOpenPolyline();
            const PointText entry = clipTowards(from, to);
            dxf::WritePolyline(out_, style(), polylineWidth_);
            dxf::WriteVertex(out_, style(), entry.x, entry.y);
            polylineOpen_ = true;
            dxf::WriteVertex(out_, style(), point.x, point.y);
        } else if (toOutside) {
            openPolylineAtCurrentPoint();
            const PointText exit = clipTowards(to, from);
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
                pen_ = FormatFixed(std::trunc(*value), 0, 0);
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
    const std::string radiusText = FormatFixed(radius, 10, 4);
    if (*sweep > 0.0)
        dxf::WriteArc(out_, style(), centre->x, centre->y, radiusText, FormatFixed(startDeg, 7, 2),
                      FormatFixed(endDeg, 7, 2));
    else
        dxf::WriteArc(out_, style(), centre->x, centre->y, radiusText, FormatFixed(endDeg, 7, 2),
                      FormatFixed(startDeg, 7, 2));
    current_ = {FormatFixed(xc + radius * std::cos(endDeg * kRadiansPerDegree), 11, 5),
                FormatFixed(yc + radius * std::sin(endDeg * kRadiansPerDegree), 11, 5)};
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
    const dxf::TextAttributes attributes{textHeight_, widthFactor_, rotation_, oblique_, alternateSet_};
    dxf::WriteText(out_, style(), currentOrZero(current_.x), currentOrZero(current_.y), attributes, LabelForDxf(text));
}

// SI width, height in centimetres: letter height, and the width factor of a character cell 1.4 letter
// widths wide. Without (usable) parameters the initial size.
void HpglToDxfConverter::characterSize(std::string_view command, std::string_view parameters)
{
    textHeight_ = initialTextHeight();
    widthFactor_ = kInitialWidthFactor;
    if (parameters.empty())
        return;
    ParameterReader reader(command, parameters, log_);
    const std::optional<std::string_view> widthRun = reader.run();
    const std::optional<std::string_view> heightRun = reader.run();
    if (!widthRun || !heightRun)
        return;
    const std::optional<double> widthCm = reader.parse(*widthRun);
    const std::optional<double> heightCm = reader.parse(*heightRun);
    if (!widthCm || !heightCm)
        return;
    const std::string height = FormatFixed(*heightCm * kUnitsPerCentimetre / unitsPerMm_, 6, 2);
    const double writtenHeight = ParseNumber(height).value_or(0.0);
    const double factor = *widthCm * kUnitsPerCentimetre * kCellPerWidth / unitsPerMm_ / writtenHeight;
    textHeight_ = height;
    if (std::isfinite(factor))
        widthFactor_ = FormatFixed(factor, 6, 2);
}

// DI run, rise: the baseline direction, in all four quadrants.
void HpglToDxfConverter::direction(std::string_view command, std::string_view parameters)
{
    rotation_ = kZeroText;
    if (parameters.empty())
        return;
    ParameterReader reader(command, parameters, log_);
    const std::optional<std::string_view> runText = reader.run();
    const std::optional<std::string_view> riseText = reader.run();
    if (!runText || !riseText)
        return;
    const std::optional<double> run = ParseNumber(*runText);
    const std::optional<double> rise = ParseNumber(*riseText);
    if (!run || !rise) {
        log_.push_back("Fehler bei der Angabe der Schriftrichtung: " + Utf8FromPlot(*runText) + ";" +
                       Utf8FromPlot(*riseText));
        return;
    }
    if (*run != 0.0 || *rise != 0.0)
        rotation_ = FormatFixed(std::atan2(*rise, *run) / kRadiansPerDegree, 5, 1);
}

// SL tan(slant): the oblique angle of the letters.
void HpglToDxfConverter::slant(std::string_view command, std::string_view parameters)
{
    oblique_ = kZeroText;
    if (parameters.empty())
        return;
    ParameterReader reader(command, parameters, log_);
    const std::optional<std::string_view> run = reader.run();
    if (!run)
        return;
    const std::optional<double> tangent = ParseNumber(*run);
    if (!tangent) {
        log_.push_back("Fehler im Befehl SL :" + Utf8FromPlot(*run) + "!");
        return;
    }
    oblique_ = FormatFixed(std::atan(*tangent) / kRadiansPerDegree, 5, 1);
}

// IW xmin, ymin, xmax, ymax: the clip window; without (usable) parameters the plotter page.
void HpglToDxfConverter::inputWindow(std::string_view command, std::string_view parameters)
{
    std::array<std::string, 4> bounds{FormatFixed(0.0, 10, 4), FormatFixed(0.0, 10, 4),
                                      FormatFixed(kPageWidthUnits / unitsPerMm_, 10, 4),
                                      FormatFixed(kPageHeightUnits / unitsPerMm_, 10, 4)};
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
    clipXMin_ = ParseNumber(bounds[0]).value_or(0.0);
    clipYMin_ = ParseNumber(bounds[1]).value_or(0.0);
    clipXMax_ = ParseNumber(bounds[2]).value_or(0.0);
    clipYMax_ = ParseNumber(bounds[3]).value_or(0.0);
    if (clipXMin_ > clipXMax_)
        std::swap(clipXMin_, clipXMax_);
    if (clipYMin_ > clipYMax_)
        std::swap(clipYMin_, clipYMax_);
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
    return FormatFixed(value / unitsPerMm_, 10, 4);
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
    return FormatFixed(sum, 11, 5);
}

// 0 inside the clip window, 1 left of it, 2 right, 3 below, 4 above (tested in this order).
int HpglToDxfConverter::clipCode(PointValue p) const
{
    if (p.x < clipXMin_)
        return 1;
    if (p.x > clipXMax_)
        return 2;
    if (p.y < clipYMin_)
        return 3;
    if (p.y > clipYMax_)
        return 4;
    return 0;
}

// Moves the outside end of a stroke along it onto the window's boundary, one crossed bound at a time, until
// it lies on the window (at most four moves: the inside end satisfies every bound). Width 11, 4 decimals.
PointText HpglToDxfConverter::clipTowards(PointValue outside, PointValue inside) const
{
    for (int move = 0; move < 4; ++move) {
        const int code = clipCode(outside);
        if (code == 0)
            break;
        const bool alongX = code == 1 || code == 2;
        const double bound = code == 1 ? clipXMin_ : code == 2 ? clipXMax_ : code == 3 ? clipYMin_ : clipYMax_;
        const double from = alongX ? outside.x : outside.y;
        const double to = alongX ? inside.x : inside.y;
        const double t = (bound - from) / (to - from);
        if (alongX) {
            outside.y += t * (inside.y - outside.y);
            outside.x = bound;
        } else {
            outside.x += t * (inside.x - outside.x);
            outside.y = bound;
        }
    }
    return {FormatFixed(outside.x, 11, 4), FormatFixed(outside.y, 11, 4)};
}

} // namespace

DxfConversion ConvertHpglToDxf(std::string_view hpglBytes, const DxfConversionOptions& options)
{
    HpglToDxfConverter converter(options);
    return converter.run(hpglBytes);
}

DxfFileConversion ConvertHpglToDxfFile(std::string_view hpgl, const std::string& hpglName, const OutputTarget& dxf,
                                       DxfConversionOptions options) noexcept
{
    DxfFileConversion result;
    try {
        result.fileName = std::filesystem::path(hpglName).filename().string();
        options.sourceName = hpglName;
        DxfConversion conversion = ConvertHpglToDxf(hpgl, options);
        result.conversionLog = std::move(conversion.conversionLog);
        result.notices = std::move(conversion.notices);
        switch (conversion.status) {
        case DxfConversionStatus::NotHpgl:
            result.status = DxfFileStatus::NotHpgl;
            return result;
        case DxfConversionStatus::NothingConverted:
            result.status = DxfFileStatus::NothingConverted;
            return result;
        case DxfConversionStatus::Converted:
            break;
        }
        result.fileName = std::filesystem::path(dxf.path).filename().string();
        if ((result.failure = WriteOutput(dxf, conversion.dxf))) {
            result.status = DxfFileStatus::OutputNotWritten;
            return result;
        }
        result.status = DxfFileStatus::Converted;
        return result;
    } catch (const std::exception&) {
        // Only an allocation can fail here; the temporary file, if any, was removed by the writer.
        result.status = DxfFileStatus::OutputNotWritten;
        result.failure = FileFailure{.error = ENOMEM, .own = std::nullopt, .path = dxf.path};
        return result;
    }
}

DxfFileConversion ConvertHpglFileToDxf(const std::filesystem::path& hpglPath, const std::filesystem::path& dxfPath,
                                       DxfConversionOptions options) noexcept
{
    try {
        std::string hpgl;
        if (std::optional<FileFailure> read = ReadFileBounded(hpglPath.string(), kMaxPlotFileBytes, hpgl)) {
            DxfFileConversion result;
            result.fileName = hpglPath.filename().string();
            result.status = DxfFileStatus::InputUnreadable;
            result.failure = std::move(read);
            return result;
        }
        return ConvertHpglToDxfFile(hpgl, hpglPath.string(), dxfPath.string(), std::move(options));
    } catch (const std::exception&) {
        DxfFileConversion result;
        result.status = DxfFileStatus::InputUnreadable;
        return result;
    }
}

} // namespace umbrix
