// The summer-time list: the rows of the summer-time table (core/dst_ring.h) as a grid, for the table file and
// for the printed list after the dial's lists.

#include "core/dst_ring.h"
#include "core/numeric.h"
#include "graphics/dial_points.h"
#include "graphics/print_layout.h"

#include <array>
#include <string_view>

namespace umbrix {

namespace {

constexpr std::array<std::string_view, 5> kDstColumns{"kind", "label", "x", "y", "time"};

} // namespace

DstList DstListOf(const Model& model)
{
    const DialParameters& p = model.params;
    DstList list;
    list.heading = DstHeading(model.state.language, p.dst.offsetHours);
    std::vector<DstTableRow> rows;
    if (p.dst.ring != DstRingKind::None)
        if (const std::optional<DstRing> ring = ComputeDstRing(p, model.state, model.results, p.dst))
            rows = DstTableRows(*ring);
    list.grid = StringGrid(static_cast<int>(kDstColumns.size()), static_cast<int>(rows.size()) + 1);
    for (std::size_t c = 0; c < kDstColumns.size(); ++c)
        list.grid.setCell(static_cast<int>(c), 0, std::string(kDstColumns[c]));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const DstTableRow& row = rows[r];
        const int at = static_cast<int>(r) + 1;
        list.grid.setCell(0, at, row.kind);
        list.grid.setCell(1, at, TrimmedLabel(row.label));
        list.grid.setCell(2, at, FormatFixed(7, 3, row.x));
        list.grid.setCell(3, at, FormatFixed(7, 3, row.y));
        list.grid.setCell(4, at, row.time ? FormatFixed(7, 4, *row.time) : std::string());
    }
    return list;
}

} // namespace umbrix
