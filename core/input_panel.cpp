#include "core/input_panel.h"

#include "core/control_states.h"
#include "core/driver.h"
#include "core/numeric.h"
#include "core/parameters.h"
#include "text/own_texts.h"
#include "text/texts.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

namespace umbrix {

namespace {

/// The controls the dial type enables or disables; a disabled input field is painted yellow.
void EnableForDialType(ControlStates& c, const DialParameters& p)
{
    for (const ParameterRow& row : ParameterTable()) {
        if (row.enabling.dialTypes == kAllDialTypes || row.control.empty())
            continue;
        const bool enabled = ParameterEnabled(row, p);
        if (row.controlKind == ControlKind::Edit)
            c.enable({row.control}, enabled);
        else
            c[row.control].enabled = enabled;
    }
}

/// What a control shows for its parameter's value.
void ShowValue(ControlStates& c, const ParameterRow& row, const Model& model)
{
    const ParameterValue value = ValueOf(row, model);
    ControlState& state = c[row.control];
    switch (row.controlKind) {
    case ControlKind::Edit:
        if (row.kind == ValueKind::Integer)
            state.text = std::to_string(std::get<int>(value));
        else
            state.text = FormatFixed(row.shown.width, row.shown.decimals, std::get<double>(value));
        break;
    case ControlKind::Spin:
        state.item = std::get<int>(value);
        break;
    case ControlKind::CheckBox:
        state.checked = std::get<bool>(value);
        break;
    case ControlKind::RadioGroup:
        if (row.kind == ValueKind::Boolean) {
            state.item = std::get<bool>(value) ? 0 : 1; // item 0 is the switch's "on"
        } else {
            const std::string text = std::to_string(std::get<int>(value));
            const auto it = std::find_if(row.choices.begin(), row.choices.end(),
                                         [&](const ChoiceDoc& choice) { return choice.value == text; });
            state.item = static_cast<int>(it - row.choices.begin());
        }
        break;
    case ControlKind::DateEdit:
        state.text = std::get<std::string>(value);
        break;
    case ControlKind::Grid:
    case ControlKind::None:
        break;
    }
}

void ShowShadowInputs(ControlStates& c)
{
    c.show({"lHoehe", "eHoehe", "lbSchatt", "MaskEdit1", "chBSchatt", "eRiseSet", "tsShade"}, true);
}

void SetAllAngles(DialParameters& p, double v)
{
    p.gnomonInclination = p.gnomonDeviation = p.planeInclination = p.planeDeviation = v;
    p.gnomonInclinationPlus90 = p.gnomonInclination + 90;
}

} // namespace

std::vector<ControlState> ConfigureInputPanel(Model& model)
{
    DialParameters& p = model.params;
    SharedState& s = model.state;
    const DialType type = p.type();
    ControlStates c;

    // Common to every dial type.
    EnableForDialType(c, p);
    c.show({"Panel1"}, true);
    c.show({"Panel2"}, false);
    c.show({"lHoehe", "eHoehe", "lbSchatt", "MaskEdit1", "chBSchatt", "eRiseSet", "tsShade"}, false);
    c.show({"TsDat", "tsShade", "TSAnaDat"}, true);
    c.show({"tsSlope"}, false);
    c.show({"chBzonzeit"}, true);
    c.show({"Button1"}, type == DialType::MeanTime);
    c.show({"tsShade"}, type != DialType::InclinedPlane && type != DialType::VerticalDeclining);
    c.show({"ChBRiseSet", "eRiseSet", "pErrGraph"}, type == DialType::Horizontal);
    c.show({"pSplit"}, IsSplitDial(p));
    c.show({"eVergr", "Label27"}, type == DialType::FixedGnomon);
    if (!ParameterEnabled(*FindParameter("coordinatesAsXY"), p)) {
        c["rgKoordAusg"].item = 0;
        s.coordinatesAsXY = true;
    }

    switch (type) {
    case DialType::Horizontal:
        SetAllAngles(p, 0);
        ShowShadowInputs(c);
        break;
    case DialType::HorizontalTiltedGnomon:
        p.planeInclination = p.planeDeviation = 0;
        if (std::abs(p.gnomonInclination) > 70)
            p.gnomonInclination = 25;
        ShowShadowInputs(c);
        break;
    case DialType::InclinedPlane:
        p.gnomonInclination = p.gnomonDeviation = 0;
        break;
    case DialType::InclinedPlaneGnomon:
        p.gnomonDeviation = p.planeDeviation = 0;
        ShowShadowInputs(c);
        break;
    case DialType::VerticalSouth:
        p.planeInclination = kVerticalPlaneInclinationDeg;
        p.gnomonDeviation = p.planeDeviation = 0;
        if (std::abs(p.gnomonInclination) < 5)
            p.gnomonInclination = 90;
        ShowShadowInputs(c);
        break;
    case DialType::VerticalDeclining:
        p.planeInclination = kVerticalPlaneInclinationDeg;
        p.gnomonInclination = 90;
        p.gnomonDeviation = p.planeDeviation;
        break;
    case DialType::MeanTime:
        SetAllAngles(p, 0);
        ShowShadowInputs(c);
        c["rgTyp"].item = static_cast<int>(p.marksMode) - 1;
        s.doubleAnalemmaActive = p.marksMode == MarksMode::DoubleAnalemma;
        c.show({"Panel1"}, false);
        c.show({"Panel2"}, true);
        c["Label3"].text = std::string(LabelRow(s.language, LabelId::NumberOfDateMarks));
        c.show({"tsSlope"}, p.marksMode == MarksMode::DoubleAnalemma);
        c.show({"pErrGraph"}, false);
        break;
    case DialType::FixedGnomon:
        p.planeInclination = p.planeDeviation = 0;
        if (std::abs(p.gnomonInclination) > 70)
            p.gnomonInclination = Sign(p.gnomonInclination) * 70;
        ShowShadowInputs(c);
        c.show({"TsDat", "TSAnaDat", "tsSlope"}, false);
        break;
    }
    p.gnomonInclinationPlus90 = p.gnomonInclination + 90;
    if (type != DialType::MeanTime)
        s.doubleAnalemmaActive = false;

    c["eGnomInc"].text = FormatFixed(3, 0, p.gnomonInclination);
    c["eGnomDek"].text = FormatFixed(3, 0, p.gnomonDeviation);
    c["eIncl"].text = FormatFixed(3, 0, p.planeInclination);
    c["eDek"].text = FormatFixed(3, 0, p.planeDeviation);
    c["ChBLambert"].checked = p.showLambertCircle;
    return c.take();
}

std::vector<ControlState> ShowParameters(Model& model)
{
    DialParameters& p = model.params;
    SharedState& s = model.state;
    ControlStates c;
    for (const ParameterRow& row : ParameterTable()) {
        if (row.control.empty() ||
            (row.controlKind == ControlKind::Edit && row.kind == ValueKind::Real && row.shown.width == 0))
            continue;
        ShowValue(c, row, model);
        // The dial type's own enabling comes with its presets; these follow the split dial's settings.
        if (row.enabling.splitDialOnly || row.enabling.searchMethodOnly)
            c[row.control].enabled = ParameterEnabled(row, p);
    }
    const bool split = p.marksMode == MarksMode::DoubleAnalemma;
    c["btGo2"].enabled = split;
    c.show({"tsSlope"}, split);
    s.doubleAnalemmaActive = p.type() == DialType::MeanTime && split;
    c["Label4"].text =
        std::string(TextRow(s.language, TextId::MethodHintFirst, static_cast<int>(p.doubleAnalemmaMethod)));
    s.uiReady = true;
    return c.take();
}

std::string ShownFieldText(const Model& model, Field field)
{
    ParameterRow row = ParameterOf(field);
    if (row.kind == ValueKind::Real && row.shown.width == 0)
        row.shown = row.restored;
    ControlStates c;
    ShowValue(c, row, model);
    const std::vector<ControlState> states = c.take();
    return states.empty() || !states.front().text ? std::string() : *states.front().text;
}

std::vector<ControlState> SelectDialType(Model& model, int dialType, std::vector<UiMessage>& messages)
{
    model.params.dialType = static_cast<DialType>(std::clamp(dialType, 0, kDialTypeCount - 1));
    std::vector<ControlState> states = ConfigureInputPanel(model);
    model.state.dialTitle = DialTitle(model);
    RefreshDerivedGeometry(model);
    if (const std::optional<DistanceZAdjustment> moved = KeepZOutsideDateScale(model)) {
        states.push_back(moved->eVergr);
        messages.push_back(moved->message);
    }
    return states;
}

std::vector<ControlState> SelectDialType(Model& model, int dialType)
{
    std::vector<UiMessage> unread;
    return SelectDialType(model, dialType, unread);
}

UiMessage HourRangeMessage(const LanguageState& lang)
{
    return {std::string(CaptionText(lang, Caption::Problem)), std::string(OwnTextOf(lang, OwnText::HourRangeReversed)),
            MessageIcon::Warning};
}

int SetMarksPerMonthItem(Model& model, int item)
{
    item = std::clamp(item, 0, 3);
    if (item == 3 && model.params.type() == DialType::FixedGnomon)
        item = 2;
    model.params.marksPerMonth = static_cast<std::uint8_t>(item == 3 ? 6 : item + 1);
    return item;
}

std::vector<ControlState> SetShowShadowPath(Model& model, bool on)
{
    model.state.showShadowPath = on;
    ControlStates c;
    c.show({"lbSchatt", "MaskEdit1", "eHoehe", "lHoehe", "tsShade"}, on);
    return c.take();
}

} // namespace umbrix
