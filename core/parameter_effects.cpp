#include "core/parameter_effects.h"

#include "core/input_panel.h"
#include "text/texts.h"

#include <array>
#include <cstdint>

namespace umbrix {

namespace {

int Whole(const ParameterValue& value)
{
    return std::get<int>(value);
}

SetOutcome Refused(const Model& model)
{
    return {SetStatus::Rejected, {InputErrorMessage(model.state.language)}};
}

} // namespace

UiMessage InputErrorMessage(const LanguageState& lang)
{
    return {std::string(CaptionText(lang, Caption::Problem)), std::string(MessageRow(lang, MessageId::InputError)),
            MessageIcon::Warning};
}

SetOutcome ApplyDialType(Model& model, const ParameterValue& value)
{
    SetOutcome out;
    (void)SelectDialType(model, Whole(value), out.messages);
    return out;
}

SetOutcome ApplyMarksMode(Model& model, const ParameterValue& value)
{
    model.params.marksMode = static_cast<std::uint8_t>(Whole(value));
    model.state.doubleAnalemmaActive = model.params.type() == DialType::MeanTime && model.params.marksMode == 2;
    return {};
}

SetOutcome ApplyMarksPerMonth(Model& model, const ParameterValue& value)
{
    const int marks = Whole(value);
    // The fixed-gnomon dial has no sixth mark.
    if (marks == 6 && model.params.type() == DialType::FixedGnomon)
        return Refused(model);
    (void)SetMarksPerMonthItem(model, marks == 6 ? 3 : marks - 1);
    return {};
}

namespace {

/// As in the window, each hour is checked against the other one as it stands.
SetOutcome ApplyHour(Model& model, std::int16_t& hour, int value)
{
    hour = static_cast<std::int16_t>(value);
    if (!HourRangeValid(model.state.hourFrom, model.state.hourTo))
        return {SetStatus::Rejected, {HourRangeMessage(model.state.language)}};
    return {};
}

} // namespace

SetOutcome ApplyHourFrom(Model& model, const ParameterValue& value)
{
    return ApplyHour(model, model.state.hourFrom, Whole(value));
}

SetOutcome ApplyHourTo(Model& model, const ParameterValue& value)
{
    return ApplyHour(model, model.state.hourTo, Whole(value));
}

SetOutcome ApplyShowShadowPath(Model& model, const ParameterValue& value)
{
    (void)SetShowShadowPath(model, std::get<bool>(value));
    return {};
}

SetOutcome ApplyShadowDate(Model& model, const ParameterValue& value)
{
    const DateOutcome date = ParseShadowDate(model, std::get<std::string>(value), DateSource::MaskEdit1);
    if (date.valid)
        return {};
    if (date.message)
        return {SetStatus::Rejected, {*date.message}};
    return Refused(model);
}

SetOutcome ApplyHoursTable(Model& model, const ParameterValue& value)
{
    std::array<std::vector<std::string>, 4> columns;
    std::size_t col = 0;
    std::string cell;
    auto flushCell = [&] {
        columns[col].push_back(cell);
        cell.clear();
    };
    for (const char ch : std::get<std::string>(value)) {
        if (ch == '/') {
            flushCell();
        } else if (ch == ';') {
            flushCell();
            if (++col == columns.size())
                return Refused(model);
        } else {
            cell += ch;
        }
    }
    flushCell();
    StringGrid& grid = model.grids.StrGridEin;
    for (int r = 1; r < grid.rowCount(); ++r)
        for (int c = 1; c <= 4; ++c)
            grid.setCell(c, r, "");
    for (std::size_t c = 0; c < columns.size(); ++c)
        for (std::size_t r = 0; r < columns[c].size(); ++r)
            grid.setCell(static_cast<int>(c) + 1, static_cast<int>(r) + 1, columns[c][r]);
    return {};
}

} // namespace umbrix
