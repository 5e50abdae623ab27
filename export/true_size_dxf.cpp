#include "export/true_size_dxf.h"

#include "export/file_writer.h"
#include "export/windows1252.h"
#include "text/own_texts.h"
#include "graphics/construction_geometry.h"
#include "graphics/setting_out.h"

#include <dl_dxf.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <system_error>
#include <unistd.h>

namespace umbrix {

namespace {

constexpr int kInsUnitsMillimetres = 4;
constexpr std::string_view kEofRecord = "  0\nEOF\n";
constexpr int kColourByLayer = 256;
constexpr const char* kTextStyle = "Standard";
// The hour ellipse as one exact ELLIPSE entity for a cutter, beside its polyline; the layer is switched off
// so that the curve is not cut twice.
constexpr const char* kEllipseArcLayer = "HOUR_ELLIPSE_ARC";
constexpr int kEllipseArcColour = 5;
constexpr double kOnEllipseTolerance = 1e-6; // |(x/A)^2 + (y/B)^2 - 1| of a polyline's points on its ellipse
constexpr double kTwoPi = 6.283185307179586;

/// AutoCAD colour index of each layer, in the order of DrawingLayer.
constexpr std::array<int, static_cast<std::size_t>(DrawingLayer::Count)> kLayerColours{1, 1, 5, 3, 3, 6,  3,
                                                                                       4, 3, 8, 7, 7, 12, 12};

/// A private file in the temporary folder, removed when the object goes.
class TemporaryFile {
public:
    TemporaryFile()
    {
        // The folder the user named (TMPDIR), or /tmp; one that cannot take the file is told, never swapped.
        const char* named = std::getenv("TMPDIR");
        folder_ = named && *named ? named : "/tmp";
        std::string name = (std::filesystem::path(folder_) / "umbrix-dxf-XXXXXX").string();
        const int fd = mkstemp(name.data());
        if (fd < 0) {
            error_ = errno;
            return;
        }
        RegisterTemporaryFile(TemporarySlot::Dxf, name);
        close(fd);
        path_ = name;
    }
    ~TemporaryFile()
    {
        if (!path_.empty())
            std::remove(path_.c_str());
        ForgetTemporaryFile(TemporarySlot::Dxf);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }
    const std::string& folder() const { return folder_; }
    int error() const { return error_; }

private:
    std::string path_;
    std::string folder_;
    int error_ = 0;
};

/// The largest coordinate, radius or text height in millimetres the DXF takes: dxflib prints every real
/// with 16 decimals into a fixed buffer of a few hundred bytes, and a million kilometres is no dial.
constexpr double kMaxDxfMm = 1e12;

bool DxfNumber(double mm)
{
    return std::isfinite(mm) && std::abs(mm) <= kMaxDxfMm;
}

/// Whether every number the construction sends to dxflib is finite and within kMaxDxfMm once in millimetres.
bool FitsDxf(const ConstructionGeometry& g, double mmPerUnit)
{
    auto point = [&](const DialPoint& p) { return DxfNumber(p.x * mmPerUnit) && DxfNumber(p.y * mmPerUnit); };
    for (const GeometryPolyline& line : g.polylines)
        if (!std::all_of(line.points.begin(), line.points.end(), point))
            return false;
    for (const GeometryPoint& p : g.points)
        if (!point(p.at) || !DxfNumber(p.radius * mmPerUnit))
            return false;
    for (const GeometryCircle& c : g.circles)
        if (!point(c.centre) || !DxfNumber(c.radius * mmPerUnit))
            return false;
    for (const GeometryText& t : g.texts)
        if (!point(t.at) || !DxfNumber(t.height * mmPerUnit))
            return false;
    return true;
}

/// Dial units to millimetres; nothing when a coordinate is not finite.
struct ToMm {
    double mmPerUnit = 1;
    std::optional<DialPoint> operator()(DialPoint p) const
    {
        const DialPoint mm{p.x * mmPerUnit, p.y * mmPerUnit};
        if (!std::isfinite(mm.x) || !std::isfinite(mm.y))
            return std::nullopt;
        return mm;
    }
};

DL_Attributes OnLayer(DrawingLayer layer)
{
    return DL_Attributes(std::string(LayerName(layer)), kColourByLayer, 0, "BYLAYER", 1.0);
}

void WriteTables(DL_Dxf& dxf, DL_WriterA& dw)
{
    dw.sectionTables();
    dxf.writeVPort(dw);
    dw.tableLinetypes(3);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    dw.tableEnd();
    const auto layers = AllLayers();
    dw.tableLayers(static_cast<int>(layers.size()) + 2);
    dxf.writeLayer(dw, DL_LayerData("0", 0), DL_Attributes("", 7, 0, "CONTINUOUS", 1.0));
    for (const DrawingLayer layer : layers)
        dxf.writeLayer(dw, DL_LayerData(std::string(LayerName(layer)), 0),
                       DL_Attributes("", kLayerColours[static_cast<std::size_t>(layer)], 0, "CONTINUOUS", 1.0));
    dxf.writeLayer(dw, DL_LayerData(kEllipseArcLayer, 0, true),
                   DL_Attributes("", kEllipseArcColour, 0, "CONTINUOUS", 1.0));
    dw.tableEnd();
    dw.tableStyle(1);
    dxf.writeStyle(dw, DL_StyleData(kTextStyle, 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    dw.tableEnd();
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    dxf.writeDimStyle(dw, 2.5, 0.625, 0.625, 0.625, 2.5);
    dxf.writeBlockRecord(dw);
    dw.tableEnd();
    dw.sectionEnd();

    dw.sectionBlocks();
    for (const char* block : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(dw, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(dw, block);
    }
    dw.sectionEnd();
}

/// dxflib writes the objects of its OBJECTS section without their owners (group 330): each dictionary's
/// entries (350 and 360) are owned by that dictionary. Inserts the owner right after every such object's
/// handle, so that a CAD program's audit has nothing to repair. Other sections are left as they are.
std::string WithObjectOwners(const std::string& dxf)
{
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < dxf.size();) {
        const std::size_t end = dxf.find('\n', at);
        lines.push_back(dxf.substr(at, end == std::string::npos ? std::string::npos : end - at));
        at = end == std::string::npos ? dxf.size() : end + 1;
    }
    const auto trimmed = [](const std::string& s) {
        const std::size_t first = s.find_first_not_of(' ');
        return first == std::string::npos ? std::string() : s.substr(first);
    };
    std::size_t begin = lines.size();
    for (std::size_t i = 2; i < lines.size(); ++i)
        if (lines[i] == "OBJECTS" && trimmed(lines[i - 1]) == "2" && lines[i - 2] == "SECTION") {
            begin = i + 1;
            break;
        }
    if (begin >= lines.size())
        return dxf;
    std::size_t end = begin;
    while (end + 1 < lines.size() && !(trimmed(lines[end]) == "0" && lines[end + 1] == "ENDSEC"))
        end += 2;
    std::map<std::string, std::string> owners;
    std::string type;
    std::string handle;
    for (std::size_t i = begin; i + 1 < end + 1 && i + 1 < lines.size(); i += 2) {
        const std::string code = trimmed(lines[i]);
        if (code == "0") {
            type = lines[i + 1];
            handle.clear();
        } else if (code == "5") {
            handle = lines[i + 1];
        } else if ((code == "350" || code == "360") && (type == "DICTIONARY" || type == "ACDBDICTIONARYWDFLT") &&
                   !handle.empty()) {
            owners.emplace(lines[i + 1], handle);
        }
    }
    std::string out;
    out.reserve(dxf.size() + 64 * owners.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += lines[i];
        if (i + 1 < lines.size() || dxf.ends_with('\n'))
            out += '\n';
        const bool handleValue = i > begin && i <= end && (i - begin) % 2 == 1 && trimmed(lines[i - 1]) == "5";
        if (!handleValue)
            continue;
        const auto owner = owners.find(lines[i]);
        const bool hasOwner = i + 1 < lines.size() && trimmed(lines[i + 1]) == "330";
        if (owner != owners.end() && !hasOwner)
            out += "330\n" + owner->second + "\n";
    }
    return out;
}

/// An elliptical arc in millimetres: centre, the major axis's end relative to the centre, the minor/major
/// ratio and the parameters (radians, counter-clockwise) where the arc starts and ends.
struct EllipseArc {
    DialPoint centre;
    DialPoint majorEnd;
    double ratio = 1;
    double start = 0;
    double end = kTwoPi;
};

/// The parameter of a point on a string ellipse: the angle u with point = centre + A cos u * e1 + B sin u *
/// e2, e1 along the major axis and e2 that turned by +90 degrees.
double EllipseParameter(const StringEllipse& e, DialPoint p)
{
    const double dx = p.x - e.centre.x;
    const double dy = p.y - e.centre.y;
    const double along = e.alongX ? dx : dy;
    const double across = e.alongX ? dy : -dx;
    return std::atan2(across / e.semiAxisB, along / e.semiAxisA);
}

bool OnEllipse(const StringEllipse& e, DialPoint p)
{
    const double dx = (p.x - e.centre.x) / (e.alongX ? e.semiAxisA : e.semiAxisB);
    const double dy = (p.y - e.centre.y) / (e.alongX ? e.semiAxisB : e.semiAxisA);
    return std::abs(dx * dx + dy * dy - 1) < kOnEllipseTolerance;
}

double Wrapped(double angle)
{
    const double w = std::fmod(angle, kTwoPi);
    return w < 0 ? w + kTwoPi : w;
}

/// The arcs of the hour polylines that lie on an axis-parallel ellipse of the plan: from the first to the
/// last point of each, in the counter-clockwise sense an ELLIPSE entity runs.
std::vector<EllipseArc> HourEllipseArcs(const Model& model, const ConstructionGeometry& g, double mmPerUnit)
{
    std::vector<EllipseArc> arcs;
    const SettingOutPlan plan = BuildSettingOutPlan(model);
    for (const GeometryPolyline& line : g.polylines) {
        if (line.layer != DrawingLayer::HourEllipse || line.points.size() < 2)
            continue;
        for (const StringEllipse& e : plan.ellipses) {
            if (!(e.semiAxisB > 0) || !OnEllipse(e, line.points.front()) || !OnEllipse(e, line.points.back()) ||
                !OnEllipse(e, line.points[line.points.size() / 2]))
                continue;
            // The turn along the polyline decides the sense: an ELLIPSE always runs counter-clockwise.
            double turn = 0;
            for (std::size_t i = 1; i < line.points.size(); ++i) {
                double step = EllipseParameter(e, line.points[i]) - EllipseParameter(e, line.points[i - 1]);
                step -= kTwoPi * std::round(step / kTwoPi);
                turn += step;
            }
            const double first = EllipseParameter(e, line.points.front());
            EllipseArc arc;
            arc.centre = {e.centre.x * mmPerUnit, e.centre.y * mmPerUnit};
            arc.majorEnd = e.alongX ? DialPoint{e.semiAxisA * mmPerUnit, 0} : DialPoint{0, e.semiAxisA * mmPerUnit};
            arc.ratio = e.semiAxisB / e.semiAxisA;
            if (std::abs(turn) < kTwoPi - 1e-9) {
                arc.start = Wrapped(turn >= 0 ? first : first + turn);
                arc.end = Wrapped(arc.start + std::abs(turn)); // an end below the start runs through 0
            }
            if (std::isfinite(arc.centre.x) && std::isfinite(arc.centre.y) && std::isfinite(arc.majorEnd.x) &&
                std::isfinite(arc.majorEnd.y) && std::isfinite(arc.ratio) && std::isfinite(arc.start) &&
                std::isfinite(arc.end))
                arcs.push_back(arc);
            break;
        }
    }
    return arcs;
}

void WriteEntities(DL_Dxf& dxf, DL_WriterA& dw, const ConstructionGeometry& g, ToMm mm,
                   const std::vector<EllipseArc>& arcs)
{
    dw.sectionEntities();
    for (const GeometryPolyline& line : g.polylines) {
        std::vector<DialPoint> points;
        for (const DialPoint& p : line.points)
            if (const auto m = mm(p))
                points.push_back(*m);
        if (points.size() < 2)
            continue;
        dxf.writePolyline(dw, DL_PolylineData(static_cast<int>(points.size()), 0, 0, line.closed ? 1 : 0),
                          OnLayer(line.layer));
        for (const DialPoint& p : points)
            dxf.writeVertex(dw, DL_VertexData(p.x, p.y, 0, 0));
        dxf.writePolylineEnd(dw);
    }
    for (const EllipseArc& arc : arcs)
        dxf.writeEllipse(dw,
                         DL_EllipseData(arc.centre.x, arc.centre.y, 0, arc.majorEnd.x, arc.majorEnd.y, 0, arc.ratio,
                                        arc.start, arc.end),
                         DL_Attributes(kEllipseArcLayer, kColourByLayer, 0, "BYLAYER", 1.0));
    for (const GeometryPoint& point : g.points) {
        const auto at = mm(point.at);
        if (!at)
            continue;
        dxf.writePoint(dw, DL_PointData(at->x, at->y, 0), OnLayer(point.layer));
        const double r = point.radius * mm.mmPerUnit;
        if (r > 0 && std::isfinite(r))
            dxf.writeCircle(dw, DL_CircleData(at->x, at->y, 0, r), OnLayer(point.layer));
    }
    for (const GeometryCircle& circle : g.circles) {
        const auto centre = mm(circle.centre);
        const double r = circle.radius * mm.mmPerUnit;
        if (centre && r > 0 && std::isfinite(r))
            dxf.writeCircle(dw, DL_CircleData(centre->x, centre->y, 0, r), OnLayer(circle.layer));
    }
    for (const GeometryText& text : g.texts) {
        const auto at = mm(text.at);
        const double height = text.height * mm.mmPerUnit;
        if (!at || !(height > 0) || !std::isfinite(height))
            continue;
        const bool centred = text.anchor == TextAnchor::Centre;
        // Centred texts hang on their alignment point (horizontal centre, vertical middle).
        dxf.writeText(dw,
                      DL_TextData(at->x, at->y, 0, at->x, at->y, 0, height, 1.0, 0, centred ? 1 : 0, centred ? 2 : 0,
                                  Utf8ToWindows1252(text.text), kTextStyle, 0.0),
                      OnLayer(text.layer));
    }
    dw.sectionEnd();
}

} // namespace

TrueSizeDxf WriteTrueSizeDxf(const Model& model, LengthUnit unit)
{
    TrueSizeDxf result;
    const ToMm mm{UnitSizeMm(unit)};
    const ConstructionGeometry geometry = BuildConstructionGeometry(model);

    // Checked before dxflib sees a single number: its fixed buffers must never overflow.
    if (!FitsDxf(geometry, mm.mmPerUnit)) {
        result.reason = "a coordinate or size is not finite or beyond 1e12 mm; no DXF is written";
        return result;
    }
    const LanguageState& lang = model.state.language;
    const TemporaryFile file;
    const std::string inFolder = OwnTextWith(lang, OwnText::TemporaryFolder, file.folder());
    if (file.path().empty()) {
        result.reason = inFolder + ": " + FailureReason(lang, {.error = file.error(), .own = {}, .path = file.folder()});
        return result;
    }
    {
        DL_Dxf dxf;
        const std::unique_ptr<DL_WriterA> dw(dxf.out(file.path().c_str(), DL_Codes::AC1015));
        if (!dw || dw->openFailed()) {
            result.reason = inFolder + ": " + FailureReason(lang, {.error = EIO, .own = {}, .path = file.path()});
            return result;
        }
        dxf.writeHeader(*dw);
        // dxflib writes neither the unit nor the code page: both go right after its header variables.
        dw->dxfString(9, "$INSUNITS");
        dw->dxfInt(70, kInsUnitsMillimetres);
        dw->dxfString(9, "$DWGCODEPAGE");
        dw->dxfString(3, "ANSI_1252");
        dw->sectionEnd();
        WriteTables(dxf, *dw);
        WriteEntities(dxf, *dw, geometry, mm, HourEllipseArcs(model, geometry, mm.mmPerUnit));
        dxf.writeObjects(*dw);
        dxf.writeObjectsEnd(*dw);
        dw->dxfEOF();
        dw->close();
    }
    // A drawing of a few thousand entities is well below this; anything longer is not ours.
    constexpr std::size_t kMaxDxfBytes = std::size_t{256} << 20;
    if (const std::optional<FileFailure> failure = ReadFileBounded(file.path(), kMaxDxfBytes, result.bytes)) {
        result.reason = inFolder + ": " + FailureLine(lang, *failure);
        result.bytes.clear();
        return result;
    }
    // dxflib reports no write errors: a file that does not end with its EOF record is incomplete.
    if (result.bytes.size() < kEofRecord.size() ||
        result.bytes.compare(result.bytes.size() - kEofRecord.size(), kEofRecord.size(), kEofRecord) != 0) {
        // The usual cause is a full temporary folder: dxflib's stream drops what does not fit.
        result.reason = inFolder + ": " + file.path() + ": " + std::string(OwnTextOf(lang, OwnText::DxfWithoutEof));
        result.bytes.clear();
        return result;
    }
    result.bytes = WithObjectOwners(result.bytes);
    result.ok = true;
    return result;
}

} // namespace umbrix
