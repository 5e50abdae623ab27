// Fuzz target: any bytes as a configuration file. The reader never crashes, hangs or leaves a value that is
// not finite in the parameters it derives.

#include "export/config_file.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto model = std::make_unique<umbrix::Model>();
    umbrix::InitDefaults(*model);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const umbrix::ConfigurationRead read =
        umbrix::ReadConfigurationLines(*model, umbrix::SplitConfigurationLines(bytes));
    const umbrix::DialParameters& p = model->params;
    if (!std::isfinite(p.cosPlaneGnomon) || !std::isfinite(p.semiMinorAxis) || !std::isfinite(p.extentX) ||
        p.linesPerHour < 1 || p.linesPerHour > 6 || p.dialType > 7)
        std::abort();
    // A file read to its end saves and reads back to the same lines. (A reading that stopped at a broken
    // line skips the final steps, so its values may still change when read in full.)
    if (!read.ok)
        return 0;
    const auto lines = umbrix::BuildConfigurationLines(*model);
    auto again = std::make_unique<umbrix::Model>();
    umbrix::InitDefaults(*again);
    (void)umbrix::ReadConfigurationLines(*again, lines);
    if (umbrix::BuildConfigurationLines(*again) != lines)
        std::abort();
    return 0;
}
