#pragma once
// The text state of an HPGL plot: character size (SI), direction (DI), slant (SL) and character set
// (SA, SS), turned into the attributes of DXF TEXT entities, and the label text made safe for a DXF value.

#include "export/dxf_records.h"
#include "export/hpgl_reader.h"

#include <string>
#include <string_view>
#include <vector>

namespace umbrix::hpgl {

/// A label as the TEXT value: a lone "^" would start a DXF control-character escape, so it becomes "^ ";
/// control characters (a CR or LF would split the record line) become blanks.
[[nodiscard]] std::string LabelForDxf(std::string_view label);

class TextState {
public:
    /// unitsPerMm: plotter units per drawing unit (positive).
    explicit TextState(double unitsPerMm);

    /// SI width, height in centimetres: letter height, and the width factor of a character cell 1.4 letter
    /// widths wide. Without (usable) parameters the initial size.
    void characterSize(std::string_view command, std::string_view parameters, std::vector<std::string>& log);
    /// DI run, rise: the baseline direction, in all four quadrants; without parameters horizontal.
    void direction(std::string_view command, std::string_view parameters, std::vector<std::string>& log);
    /// SL tan(slant): the oblique angle of the letters; without parameters upright.
    void slant(std::string_view command, std::string_view parameters, std::vector<std::string>& log);
    /// SA (true) or SS (false).
    void alternateSet(bool alternate) { alternateSet_ = alternate; }

    /// The attributes of the next TEXT entity; valid while this state is unchanged.
    [[nodiscard]] dxf::TextAttributes attributes() const;

private:
    [[nodiscard]] std::string initialHeight() const;

    double unitsPerMm_;
    std::string height_;
    std::string widthFactor_;
    std::string rotation_;
    std::string oblique_;
    bool alternateSet_ = false;
};

} // namespace umbrix::hpgl
