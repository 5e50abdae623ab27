// Fuzz target: any bytes as a plot. The converter never crashes or hangs, and a converted drawing is a
// well-formed DXF file: group code and value lines ended by CR LF, sections opened and closed in turn, a
// header and an entities section, and the end marker as its last pair.

#include "core/number_text.h"
#include "export/hpgl_to_dxf.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

bool WellFormedDxf(std::string_view dxf)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < dxf.size(); ++i) {
        if (dxf[i] == '\n')
            return false; // LF without CR
        if (dxf[i] != '\r')
            continue;
        if (i + 1 >= dxf.size() || dxf[i + 1] != '\n')
            return false; // CR without LF
        lines.push_back(dxf.substr(start, i - start));
        start = ++i + 1;
    }
    if (start != dxf.size())
        return false; // the last line has no CR LF
    if (lines.size() % 2 != 0 || lines.size() < 2)
        return false;
    bool inSection = false;
    bool header = false;
    bool entities = false;
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        // A group code is an integer, right-aligned; some records of this converter carry a blank after it.
        std::string_view code = lines[i];
        while (!code.empty() && code.front() == ' ')
            code.remove_prefix(1);
        while (!code.empty() && code.back() == ' ')
            code.remove_suffix(1);
        int group = -1;
        const auto [end, ec] = umbrix::ReadInteger(code, group);
        if (ec != std::errc() || end != code.data() + code.size())
            return false;
        const std::string_view value = lines[i + 1];
        if (group != 0)
            continue;
        if (value == "SECTION") {
            if (inSection || i + 3 >= lines.size())
                return false;
            inSection = true;
            header = header || lines[i + 3] == "HEADER";
            entities = entities || lines[i + 3] == "ENTITIES";
        } else if (value == "ENDSEC") {
            if (!inSection)
                return false;
            inSection = false;
        } else if (value == "EOF") {
            return !inSection && header && entities && i + 2 == lines.size();
        }
    }
    return false; // no end marker
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const umbrix::DxfConversion result = umbrix::ConvertHpglToDxf(bytes);
    if (result.status == umbrix::DxfConversionStatus::Converted && !WellFormedDxf(result.dxf))
        std::abort();
    return 0;
}
