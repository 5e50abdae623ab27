#include "export/true_size_dxf.h"

#include "export/file_writer.h"
#include "export/windows1252.h"
#include "text/own_texts.h"
#include "graphics/construction_geometry.h"

#include <dl_dxf.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
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
    dw.tableLayers(static_cast<int>(layers.size()) + 1);
    dxf.writeLayer(dw, DL_LayerData("0", 0), DL_Attributes("", 7, 0, "CONTINUOUS", 1.0));
    for (const DrawingLayer layer : layers)
        dxf.writeLayer(dw, DL_LayerData(std::string(LayerName(layer)), 0),
                       DL_Attributes("", kLayerColours[static_cast<std::size_t>(layer)], 0, "CONTINUOUS", 1.0));
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

void WriteEntities(DL_Dxf& dxf, DL_WriterA& dw, const ConstructionGeometry& g, ToMm mm)
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
        WriteEntities(dxf, *dw, geometry, mm);
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
        result.reason = inFolder + ": " + file.path() + ": " +
                        (lang.languageIndex == 2 ? "incomplete (no EOF record), disk full?"
                                                 : "unvollständig (kein EOF-Satz), Datenträger voll?");
        result.bytes.clear();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace umbrix
