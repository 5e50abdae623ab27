#include "core/length_unit.h"

#include "core/numeric.h"

#include <array>
#include <cmath>

namespace umbrix {

namespace {

struct UnitRow {
    LengthUnit unit;
    std::string_view name;
    double sizeMm;
    int decimals;
};

constexpr std::array<UnitRow, 5> kUnits{{
    {LengthUnit::Metre, "m", 1000.0, 4},
    {LengthUnit::Centimetre, "cm", 10.0, 2},
    {LengthUnit::Millimetre, "mm", 1.0, 1},
    {LengthUnit::Inch, "in", 25.4, 3},
    {LengthUnit::Foot, "ft", 304.8, 4},
}};

const UnitRow& Row(LengthUnit unit)
{
    for (const UnitRow& row : kUnits)
        if (row.unit == unit)
            return row;
    return kUnits[0];
}

} // namespace

double UnitSizeMm(LengthUnit unit)
{
    return Row(unit).sizeMm;
}

int UnitDecimals(LengthUnit unit)
{
    return Row(unit).decimals;
}

std::string_view UnitName(LengthUnit unit)
{
    return Row(unit).name;
}

std::optional<LengthUnit> ParseLengthUnit(std::string_view name)
{
    for (const UnitRow& row : kUnits)
        if (row.name == name)
            return row.unit;
    return std::nullopt;
}

std::string FormatDecimals(double x, int decimals)
{
    if (!std::isfinite(x))
        return {};
    std::string text = FormatFixed(decimals, decimals, x);
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

std::string FormatLength(double length, LengthUnit unit)
{
    return FormatDecimals(length, UnitDecimals(unit));
}

} // namespace umbrix
