// Renderer agreement: the plot, the R10 DXF made from it, the true-size DXF and the true-scale SVG put every
// hour point, date mark, loop point and rise/set mark at the same place. Each output is read back the way a
// reader sees it (HPGL commands, DXF group codes, SVG elements) into the points it draws - polyline vertices,
// line ends, circle and point centres - in dial units; every mark of the calculation must lie on one of them.
//
// Positions are measured from the centre P as each output draws it (where its axes cross). Tolerances, per
// coordinate: the plot and the R10 DXF one plotter step (0.025 mm on the plot's page: the point and a split
// dial's half centre are each rounded to the step), the true-scale SVG one step of its 0.1 mm grid (the
// same two roundings), the true-size DXF 1e-9 of the dial's size (its numbers are written in full).
//
// The cases: every golden case, and 200 random dials of every type from the robustness sweep's draw
// (latitudes beyond the polar circles included).

#include "core/design_settings.h"
#include "core/driver.h"
#include "core/ephemeris.h"
#include "core/hour_marks.h"
#include "core/length_unit.h"
#include "core/parameter_set.h"
#include "export/hpgl_to_dxf.h"
#include "export/hpgl_writer.h"
#include "export/true_size_dxf.h"
#include "graphics/construction.h"
#include "graphics/construction_geometry.h"
#include "graphics/dial_points.h"
#include "graphics/true_scale.h"
#include "tests/golden/golden_cases.h"
#include "tests/tools/random_dial.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace umbrix;

namespace {

/// A mark of the calculation, in dial units, and what it is (for the failure message).
struct Mark {
    DialPoint at;
    std::string what;
};

/// The points an output draws, in dial units, found by a grid of cells one tolerance wide.
class DrawnPoints {
public:
    explicit DrawnPoints(double tolerance) : tolerance_(tolerance) {}

    void add(DialPoint p)
    {
        if (std::isfinite(p.x) && std::isfinite(p.y))
            cells_[cell(p)].push_back(p);
    }
    [[nodiscard]] bool has(DialPoint p) const { return nearestWithin(p, 1) <= 1; }
    /// The largest coordinate difference to the nearest drawn point within ten tolerances, in tolerances
    /// (-1: none), for the failure message.
    [[nodiscard]] double nearest(DialPoint p) const
    {
        const double d = nearestWithin(p, 10);
        return std::isfinite(d) ? d : -1;
    }
    [[nodiscard]] double tolerance() const { return tolerance_; }

private:
    /// The largest coordinate difference to the nearest drawn point in the cells up to `reach` away, in
    /// tolerances; infinite when there is none.
    [[nodiscard]] double nearestWithin(DialPoint p, long long reach) const
    {
        double best = HUGE_VAL;
        const auto [cx, cy] = cell(p);
        for (long long dx = -reach; dx <= reach; ++dx)
            for (long long dy = -reach; dy <= reach; ++dy) {
                const auto it = cells_.find({cx + dx, cy + dy});
                if (it == cells_.end())
                    continue;
                for (const DialPoint& q : it->second)
                    best = std::min(best, std::max(std::abs(q.x - p.x), std::abs(q.y - p.y)) / tolerance_);
            }
        return best;
    }
    [[nodiscard]] std::pair<long long, long long> cell(DialPoint p) const
    {
        return {static_cast<long long>(std::floor(p.x / tolerance_)), static_cast<long long>(std::floor(p.y / tolerance_))};
    }
    double tolerance_;
    std::map<std::pair<long long, long long>, std::vector<DialPoint>> cells_;
};

/// Every mark a drawing of the dial shows: the hour points (of the fixed-gnomon dial, the whole hours of every
/// date line, which every drawing passes through), the date marks or the loop points, the rise and set marks
/// of the common dial and the sunrise and sunset curves of the fixed-gnomon dial.
std::vector<Mark> MarksOf(const Model& m)
{
    const DialParameters& p = m.params;
    std::vector<Mark> marks;
    for (const PlacedHourMark& h : PlacedHourMarks(m)) {
        if (p.type() == DialType::FixedGnomon && std::abs(h.clockHours - std::round(h.clockHours)) > 1e-9)
            continue;
        marks.push_back({h.at, "hour point " + std::to_string(h.clockHours) +
                                   (h.dateLine ? " of date line " + std::to_string(h.dateLine) : "")});
    }
    for (const PlacedDateMark& d : PlacedDateMarks(m))
        marks.push_back({d.at, "date mark " + d.label});
    for (const PlacedDateMark& d : PlacedLoopPoints(m))
        marks.push_back({d.at, "loop point " + d.label});
    const bool riseSetMarks =
        (p.type() == DialType::Horizontal || (p.type() == DialType::MeanTime && p.marksMode == MarksMode::DateScale)) &&
        m.state.markRiseSet && m.results.riseSetPointReal &&
        (std::abs(p.planeInclination) < 0.2 || std::abs(p.gnomonInclination) < 0.2);
    if (riseSetMarks)
        for (const double side : {-1.0, 1.0})
            marks.push_back({{side * m.results.riseSetPoint.x, 0}, side < 0 ? "rise mark" : "set mark"});
    for (const FixedGnomonRiseSetRun& run : FixedGnomonRiseSetRuns(m))
        for (const DialPoint& at : run.points)
            marks.push_back({at, std::string(run.sunrise ? "sunrise" : "sunset") + " curve point"});
    return marks;
}

// --- Reading the outputs back -------------------------------------------------------------------------------

/// The plot's pen positions and circle centres, in plotter units (y up from the bottom of the page).
std::vector<DialPoint> PlotPoints(const std::string& hpgl)
{
    std::vector<DialPoint> points;
    DialPoint pen{};
    std::size_t i = 0;
    while (i < hpgl.size()) {
        while (i < hpgl.size() && (hpgl[i] == ';' || hpgl[i] == ' ' || hpgl[i] == '\r' || hpgl[i] == '\n'))
            ++i;
        if (i + 2 > hpgl.size())
            break;
        const std::string command = hpgl.substr(i, 2);
        i += 2;
        if (command == "LB") { // the label's text runs to ETX
            const std::size_t end = hpgl.find('\x03', i);
            i = end == std::string::npos ? hpgl.size() : end + 1;
            continue;
        }
        const std::size_t end = hpgl.find(';', i);
        const std::string args = hpgl.substr(i, end == std::string::npos ? std::string::npos : end - i);
        i = end == std::string::npos ? hpgl.size() : end;
        std::istringstream in(args);
        std::vector<double> numbers;
        for (double v; in >> v;) {
            numbers.push_back(v);
            if (in.peek() == ',')
                in.get();
        }
        if ((command == "PU" || command == "PD") && numbers.size() >= 2) {
            pen = {numbers[0], numbers[1]};
            points.push_back(pen);
        } else if (command == "CI") {
            points.push_back(pen);
        }
    }
    return points;
}

/// The DXF's group-code pairs.
std::vector<std::pair<int, std::string>> DxfPairs(const std::string& dxf)
{
    std::vector<std::pair<int, std::string>> pairs;
    std::istringstream in(dxf);
    std::string code;
    std::string value;
    while (std::getline(in, code) && std::getline(in, value)) {
        if (!value.empty() && value.back() == '\r')
            value.pop_back();
        pairs.emplace_back(std::atoi(code.c_str()), value);
    }
    return pairs;
}

/// The points a DXF's entities draw, in drawing units: every vertex, line end, point and circle centre
/// (texts left out).
std::vector<DialPoint> DxfPoints(const std::string& dxf)
{
    std::vector<DialPoint> points;
    const auto pairs = DxfPairs(dxf);
    std::string entity;
    bool inEntities = false;
    double x = 0;
    for (const auto& [code, value] : pairs) {
        if (code == 2 && value == "ENTITIES")
            inEntities = true;
        if (!inEntities)
            continue;
        if (code == 0) {
            entity = value;
            continue;
        }
        const bool drawn = entity == "VERTEX" || entity == "LINE" || entity == "LWPOLYLINE" || entity == "POINT" ||
                           entity == "CIRCLE" || entity == "ARC";
        if (!drawn)
            continue;
        if (code == 10 || code == 11)
            x = std::atof(value.c_str());
        else if (code == 20 || code == 21)
            points.push_back({x, std::atof(value.c_str())});
    }
    return points;
}

/// The points of an SVG's polylines and lines and the centres of its ellipses, in its own units (y down).
std::vector<DialPoint> SvgPoints(const std::string& svg)
{
    std::vector<DialPoint> points;
    const auto attribute = [&](std::size_t from, std::size_t to, const std::string& name) -> std::optional<double> {
        const std::size_t at = svg.find(" " + name + "=\"", from);
        if (at == std::string::npos || at > to)
            return std::nullopt;
        return std::atof(svg.c_str() + at + name.size() + 3);
    };
    for (std::size_t at = svg.find('<'); at != std::string::npos; at = svg.find('<', at + 1)) {
        const std::size_t end = svg.find('>', at);
        if (end == std::string::npos)
            break;
        const std::string_view tag(svg.data() + at, end - at);
        if (tag.starts_with("<polyline")) {
            const std::size_t list = svg.find("points=\"", at) + 8;
            std::istringstream in(svg.substr(list, svg.find('"', list) - list));
            for (std::string pair; in >> pair;) {
                const std::size_t comma = pair.find(',');
                points.push_back({std::atof(pair.c_str()), std::atof(pair.c_str() + comma + 1)});
            }
        } else if (tag.starts_with("<line")) {
            for (const char* end1 : {"1", "2"})
                if (const auto px = attribute(at, end, std::string("x") + end1))
                    points.push_back({*px, attribute(at, end, std::string("y") + end1).value_or(0)});
        } else if (tag.starts_with("<ellipse") || tag.starts_with("<circle")) {
            if (const auto cx = attribute(at, end, "cx"))
                points.push_back({*cx, attribute(at, end, "cy").value_or(0)});
        }
    }
    return points;
}

// --- The outputs of one dial ---------------------------------------------------------------------------------

struct Rendered {
    std::string name;
    DrawnPoints points;
    std::vector<Mark> marks; // the marks of the dial this output draws
    std::vector<Mark> missing;
};

/// The plot of a dial brought to its export axis (as umbrix-cli writes it), and the R10 DXF made from it.
void PlotAndR10(const Model& calculated, std::vector<Rendered>& out)
{
    Model model = calculated;
    RecordingHost host;
    const double axis = InitialExportAxis(model.params.semiMajorAxis);
    if (axis != model.params.semiMajorAxis) {
        model.params.semiMajorAxis = axis;
        (void)Recalculate(model, host);
    }
    PlotSettings settings;
    settings.axisOrZoom = axis;
    const PlotResult plot = WriteConstructionPlot(model, host, settings);
    // Plotter point of a dial point: the half centre the plot uses, rounded to the step, plus the offset.
    const double u = plot.unitsPerLength;
    const double centreX = plot.originX + (plot.splitDial ? std::llround(model.params.semiMajorAxis / 10 * u) : 0);
    const double centreY = plot.pageHeight - plot.originY;
    const auto toDial = [&](DialPoint q) { return DialPoint{(q.x - centreX) / u, (q.y - centreY) / u}; };
    const double step = 1 / u + 1e-9;

    std::vector<Mark> marks;
    for (const Mark& mark : MarksOf(model)) {
        // The plotter drops what lies outside its window.
        const double px = centreX + mark.at.x * u;
        const double py = centreY + mark.at.y * u;
        if (std::abs(px - 8500) < 14990 && std::abs(py - 6000) < 8490)
            marks.push_back(mark);
    }
    Rendered hpgl{"plot", DrawnPoints(step), marks, {}};
    for (const DialPoint q : PlotPoints(plot.text))
        hpgl.points.add(toDial(q));
    out.push_back(std::move(hpgl));

    const DxfConversion r10 = ConvertHpglToDxf(plot.text);
    Rendered dxf{"R10 DXF", DrawnPoints(step), marks, {}};
    for (const DialPoint q : DxfPoints(r10.dxf))
        dxf.points.add(toDial({q.x * kPlotUnitsPerMm, q.y * kPlotUnitsPerMm}));
    out.push_back(std::move(dxf));
}

void TrueSize(const Model& model, std::vector<Rendered>& out)
{
    const LengthUnit unit = TrueScaleSettingsOf(model).lengthUnit;
    const double mm = UnitSizeMm(unit);
    const TrueSizeDxf dxf = WriteTrueSizeDxf(model, unit);
    if (!dxf.ok)
        return;
    Rendered r{"true-size DXF", DrawnPoints(1e-9 * std::max(1.0, std::abs(model.params.semiMajorAxis))),
               MarksOf(model), {}};
    for (const DialPoint q : DxfPoints(dxf.bytes))
        r.points.add({q.x / mm, q.y / mm});
    out.push_back(std::move(r));
}

/// The true-scale SVG at a scale that puts the dial on a page of about 30 cm.
void TrueScale(const Model& model, std::vector<Rendered>& out)
{
    // A mean-time dial that cannot be built is drawn as a notice, without its marks.
    if (IsImpossibleMeanTimeDial(model.params, model.derived))
        return;
    const LengthUnit unit = TrueScaleSettingsOf(model).lengthUnit;
    const ConstructionGeometry geometry = BuildConstructionGeometry(model);
    const double sizeMm = std::max(geometry.dial.width(), geometry.dial.height()) * UnitSizeMm(unit);
    const auto denominator = static_cast<std::int64_t>(std::max(1.0, std::ceil(sizeMm / 300)));
    const TrueScaleSvg svg = DrawTrueScaleSvg(model, unit, denominator);
    if (!svg.ok)
        return;
    const double tenthsPerUnit = UnitSizeMm(unit) / static_cast<double>(denominator) * kTenthMmPerMm;
    const TrueScalePage page = PageForExtent(geometry.dial, UnitSizeMm(unit) / static_cast<double>(denominator),
                                             kTrueScaleMarginMm);
    // The drawing's centre P, where its axes cross: the page's centre on the grid.
    const double cx = std::nearbyint(page.centreXMm * kTenthMmPerMm);
    const double cy = std::nearbyint(page.centreYMm * kTenthMmPerMm);
    Rendered r{"true-scale SVG 1:" + std::to_string(denominator), DrawnPoints(1 / tenthsPerUnit + 1e-9),
               MarksOf(model), {}};
    for (const DialPoint q : SvgPoints(svg.document))
        r.points.add({(q.x - cx) / tenthsPerUnit, (cy - q.y) / tenthsPerUnit});
    out.push_back(std::move(r));
}

/// Every output of the calculated dial, with the marks that none of its points carries.
std::vector<Rendered> Disagreements(const Model& model)
{
    std::vector<Rendered> outputs;
    PlotAndR10(model, outputs);
    TrueSize(model, outputs);
    TrueScale(model, outputs);
    for (Rendered& r : outputs)
        for (const Mark& mark : r.marks)
            if (!r.points.has(mark.at))
                r.missing.push_back(mark);
    return outputs;
}

/// The first few marks an output misses, for the failure message.
std::string Describe(const Rendered& r)
{
    std::ostringstream s;
    s << r.name << " misses " << r.missing.size() << " of " << r.marks.size() << " marks (tolerance "
      << r.points.tolerance() << "):";
    for (std::size_t i = 0; i < r.missing.size() && i < 5; ++i)
        s << "\n  " << r.missing[i].what << " at (" << r.missing[i].at.x << ", " << r.missing[i].at.y << "), nearest drawn point "
          << r.points.nearest(r.missing[i].at) << " tolerances away";
    return s.str();
}

std::unique_ptr<Model> GoldenModel(const test::GoldenCase& c)
{
    auto m = std::make_unique<Model>();
    InitDefaults(*m);
    for (std::size_t i = 0; i + 1 < c.options.size(); i += 2) {
        if (c.options[i] != "--set")
            continue;
        const std::string& assignment = c.options[i + 1];
        const std::size_t eq = assignment.find('=');
        const SetOutcome outcome = SetParameter(*m, assignment.substr(0, eq), assignment.substr(eq + 1));
        EXPECT_EQ(outcome.status, SetStatus::Accepted) << c.name << ": " << assignment;
    }
    RecordingHost host;
    (void)Recalculate(*m, host);
    return m;
}

} // namespace

TEST(RendererAgreement, GoldenCasesDrawEveryMarkInEveryOutput)
{
    std::vector<test::GoldenCase> cases = test::Cases();
    // Dials on which the outputs once disagreed: the single analemma with one mark a month (the plot left out
    // its last marks) and a split dial whose clock runs far from its sun time (the drawing gave its hour
    // points to the halves by their place on the page, which turns round beyond six hours from noon).
    cases.push_back({"analemma", test::Sets({"dialType=6", "marksMode=1", "marksPerMonth=1", "latitude=48"})});
    cases.push_back({"splitFarFromZone", test::Sets({"dialType=6", "marksMode=2", "latitude=52.5", "longitude=160",
                                                     "zoneMeridian=15", "showZoneTime=1"})});
    for (const test::GoldenCase& c : cases) {
        const auto model = GoldenModel(c);
        const std::vector<Rendered> outputs = Disagreements(*model);
        ASSERT_EQ(outputs.size(), 4U) << c.name << ": every output is made";
        for (const Rendered& r : outputs) {
            EXPECT_FALSE(r.marks.empty()) << c.name << ": " << r.name;
            EXPECT_TRUE(r.missing.empty()) << c.name << ": " << Describe(r);
        }
    }
}

TEST(RendererAgreement, RandomDialsOfEveryTypeDrawEveryMarkInEveryOutput)
{
    const char* text = std::getenv("UMBRIX_AGREEMENT_COUNT");
    const int perType = text && std::atoi(text) > 0 ? std::atoi(text) : 200;
    test::ParameterDraw draw(20261209);
    std::vector<int> drawn(kDialTypeCount, 0);
    int polar = 0;
    int failures = 0;
    for (int attempt = 0; attempt < 40 * perType * kDialTypeCount; ++attempt) {
        auto m = std::make_unique<Model>();
        InitDefaults(*m);
        test::DrawParameters(*m, draw);
        const int type = static_cast<int>(m->params.dialType);
        if (drawn[static_cast<std::size_t>(type)] >= perType)
            continue;
        // Hours as the window keeps them: the first before the last.
        if (m->state.hourFrom >= m->state.hourTo)
            std::swap(m->state.hourFrom, m->state.hourTo);
        if (m->state.hourFrom == m->state.hourTo)
            m->state.hourFrom = static_cast<std::int16_t>(m->state.hourTo - 1);
        // Dials up to a few hundred metres: the true-scale page and the plot's step stay meaningful.
        m->params.semiMajorAxis = std::min(m->params.semiMajorAxis, 300.0);
        RecordingHost host;
        if (Recalculate(*m, host) != 0)
            continue;
        ++drawn[static_cast<std::size_t>(type)];
        polar += std::abs(m->params.latitude) > 66 ? 1 : 0;
        for (const Rendered& r : Disagreements(*m))
            if (!r.missing.empty() && ++failures <= 10)
                ADD_FAILURE() << "type " << type << " latitude " << m->params.latitude << " axis "
                              << m->params.semiMajorAxis << " marks per month " << int(m->params.marksPerMonth)
                              << " marks mode " << int(m->params.marksMode) << ": " << Describe(r);
    }
    EXPECT_EQ(failures, 0) << "outputs that miss marks";
    for (int type = 0; type < kDialTypeCount; ++type)
        EXPECT_EQ(drawn[static_cast<std::size_t>(type)], perType) << "dials of type " << type;
    EXPECT_GT(polar, kDialTypeCount * perType / 10) << "dials beyond the polar circles";
}
