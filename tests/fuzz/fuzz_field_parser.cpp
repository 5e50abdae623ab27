// Fuzz target: any text typed into any numeric field. The check never crashes, and a rejected text never
// changes the stored parameters.

#include "core/fields.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const auto field = static_cast<umbrix::Field>(data[0] % umbrix::kFieldCount);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    auto model = std::make_unique<umbrix::Model>();
    umbrix::InitDefaults(*model);
    const umbrix::DialParameters before = model->params;
    const umbrix::FieldOutcome outcome = umbrix::ValidateField(*model, field, text, true);
    const umbrix::DialParameters& p = model->params;
    if (!outcome.accepted &&
        (p.latitude != before.latitude || p.longitude != before.longitude || p.semiMajorAxis != before.semiMajorAxis ||
         p.distanceZ != before.distanceZ || p.year != before.year || p.gnomonInclination != before.gnomonInclination))
        std::abort();
    if (outcome.accepted && (!std::isfinite(p.latitude) || !std::isfinite(p.semiMinorAxis)))
        std::abort();
    (void)umbrix::ParseShadowDate(*model, text, umbrix::DateSource::MaskEdit1);
    return 0;
}
