#include "export/true_size_dxf.h"

#include "export/file_writer.h"
#include "export/windows1252.h"
#include "graphics/construction_geometry.h"

#include <dl_dxf.h>

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
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
        std::string name = (error ? std::filesystem::path("/tmp") : folder) / "umbrix-dxf-XXXXXX";
        const int fd = mkstemp(name.data());
        if (fd < 0) {
            reason_ = std::strerror(errno);
            return;
        }
        close(fd);
        path_ = name;
    }
    ~TemporaryFile()
    {
        if (!path_.empty())
            std::remove(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

private:
    std::string path_;
    std::string reason_;
};

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

    const TemporaryFile file;
    if (file.path().empty()) {
        result.reason = "no temporary file: " + file.reason();
        return result;
    }
    {
        DL_Dxf dxf;
        const std::unique_ptr<DL_WriterA> dw(dxf.out(file.path().c_str(), DL_Codes::AC1015));
        if (!dw) {
            result.reason = "the temporary file could not be opened";
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
        result.reason = FailureLine(StateFor(Language::English), *failure);
        result.bytes.clear();
        return result;
    }
    // dxflib reports no write errors: a file that does not end with its EOF record is incomplete.
    if (result.bytes.size() < kEofRecord.size() ||
        result.bytes.compare(result.bytes.size() - kEofRecord.size(), kEofRecord.size(), kEofRecord) != 0) {
        result.reason = "the DXF file is incomplete (no EOF record)";
        result.bytes.clear();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace umbrix
