// Fuzz target: any text typed into any numeric field, and into the shadow date. An accepted value lies in
// its field's range; a rejected text leaves all 13 parameters and the shadow date as they were; a date is
// taken exactly when it is a real day of the year's calendar.

#include "core/derived_geometry.h"
#include "core/fields.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <tuple>

namespace {

using umbrix::Field;

/// The 13 parameters behind the fields and the shadow date, for comparison.
auto Snapshot(const umbrix::Model& m)
{
    const umbrix::DialParameters& p = m.params;
    const umbrix::SharedState& s = m.state;
    return std::make_tuple(p.latitude, p.longitude, p.zoneMeridian, p.planeInclination, p.planeDeviation,
                           p.gnomonInclination, p.gnomonDeviation, p.gnomonHeight, p.semiMajorAxis,
                           p.riseSetDeclination, p.distanceZ, p.dxfAxisLength, p.year, s.shadowDay, s.shadowMonth,
                           s.shadowDateText);
}

/// The range each field promises for the value it stores (degrees, dial units, years).
bool StoredInRange(const umbrix::Model& m, Field field, double reach)
{
    const umbrix::DialParameters& p = m.params;
    switch (field) {
    case Field::eBreit:
        return std::abs(p.latitude) <= 90 && std::abs(p.latitude) >= 0.005;
    case Field::eLang:
        return std::abs(p.longitude) <= 195;
    case Field::eZone:
        return std::abs(p.zoneMeridian) <= 195;
    case Field::eIncl:
        return p.planeInclination >= -90 && p.planeInclination <= 110;
    case Field::eDek:
        return std::abs(p.planeDeviation) <= 180;
    case Field::eGnomInc:
        return std::abs(p.gnomonInclination) <= 150;
    case Field::eGnomDek:
        return std::abs(p.gnomonDeviation) <= 180;
    case Field::eHoehe:
        return p.gnomonHeight > 0.05 && std::isfinite(p.gnomonHeight);
    case Field::eHalb:
        return p.semiMajorAxis > 1 && std::isfinite(p.semiMajorAxis);
    case Field::eRiseSet:
        return std::isfinite(p.riseSetDeclination);
    case Field::eVergr:
        return std::abs(p.distanceZ) > reach && std::isfinite(p.distanceZ);
    case Field::EddxfAchs:
        return p.dxfAxisLength > 2 && p.dxfAxisLength <= 20;
    case Field::ejahr:
        return p.year >= 1700 && p.year <= 2100;
    }
    return false;
}

bool RealDay(int day, int month, int year)
{
    constexpr int kDays[] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 1 && month <= 12 && day >= 1 && day <= kDays[month] &&
           !(month == 2 && day == 29 && !umbrix::IsLeapYear(year));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const auto field = static_cast<Field>(data[0] % umbrix::kFieldCount);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    // One model for all runs, its parameters and shared state (all a field check writes) reset each time:
    // a fresh 370 KB model per run would cost more than the check itself.
    static const auto pristine = [] {
        auto m = std::make_unique<umbrix::Model>();
        umbrix::InitDefaults(*m);
        return m;
    }();
    static auto model = std::make_unique<umbrix::Model>(*pristine);
    model->params = pristine->params;
    model->state = pristine->state;
    const auto before = Snapshot(*model);
    const double reach = std::abs(umbrix::DateScaleFactor(model->params) * model->params.semiMajorAxis);
    const umbrix::FieldOutcome outcome = umbrix::ValidateField(*model, field, text, true);
    if (outcome.accepted && !StoredInRange(*model, field, reach))
        std::abort();
    if (!outcome.accepted && Snapshot(*model) != before)
        std::abort();

    // The same text as a shadow date: taken exactly when it names a real day, and then shown as "dd/mm".
    const auto beforeDate = Snapshot(*model);
    const umbrix::DateOutcome date = umbrix::ParseShadowDate(*model, text, umbrix::DateSource::MaskEdit1);
    const umbrix::SharedState& s = model->state;
    if (date.valid) {
        if (!RealDay(s.shadowDay, s.shadowMonth, model->params.year) || s.shadowDateText.size() != 5 ||
            s.shadowDateText[2] != '/' || date.message)
            std::abort();
    } else if (Snapshot(*model) != beforeDate || (!date.empty && !date.message)) {
        std::abort();
    }
    return 0;
}
