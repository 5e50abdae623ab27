#pragma once
// The true-size DXF: the construction at full size in millimetres, DXF R2000 (AC1015), written with
// dxflib. One named layer per kind of element (construction_geometry.h), hour points as POINT entities at
// their exact positions with a small circle round each, texts in Windows-1252 ($DWGCODEPAGE ANSI_1252) at
// heights in proportion to the dial, $INSUNITS 4 (millimetres).

#include "core/length_unit.h"
#include "core/model.h"

#include <string>

namespace umbrix {

struct TrueSizeDxf {
    bool ok = false;
    std::string bytes;  // the whole file, for the one safe writer
    std::string reason; // why it failed
};

/// The construction of the last calculation as a DXF file in millimetres; `unit` is the unit of the dial's
/// lengths. dxflib writes into a private temporary file, which is read back, checked for its EOF record and
/// removed. Reads the model only.
[[nodiscard]] TrueSizeDxf WriteTrueSizeDxf(const Model& model, LengthUnit unit);

} // namespace umbrix
