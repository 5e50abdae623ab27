#include "core/input_panel.h"

#include "core/control_states.h"
#include "core/driver.h"
#include "core/numeric.h"
#include "text/own_texts.h"
#include "text/texts.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

namespace umbrix {

namespace {

void EnableAngles(ControlStates& c, bool enabled)
{
    c.enable({"eGnomInc", "eGnomDek", "eIncl", "eDek"}, enabled);
}

void ShowShadowInputs(ControlStates& c)
{
    c.show({"lHoehe", "eHoehe", "lbSchatt", "MaskEdit1", "chBSchatt", "eRiseSet", "tsShade"}, true);
    c["chBSchatt"].enabled = true;
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
    EnableAngles(c, true);
    c.show({"Panel1"}, true);
    c.show({"Panel2"}, false);
    c["rgTyp"].enabled = false;
    c["chBSchatt"].enabled = false;
    c.show({"lHoehe", "eHoehe", "lbSchatt", "MaskEdit1", "chBSchatt", "eRiseSet", "tsShade"}, false);
    c.show({"TsDat", "tsShade", "TSAnaDat"}, true);
    c.show({"tsSlope"}, false);
    c.show({"chBzonzeit"}, true);
    c.show({"Button1"}, type == DialType::MeanTime);
    c.show({"tsShade"}, type != DialType::InclinedPlane && type != DialType::VerticalDeclining);
    c.show({"ChBRiseSet", "eRiseSet", "pErrGraph"}, type == DialType::Horizontal);
    c.show({"pSplit"}, type == DialType::MeanTime && p.marksMode == 2);
    c.show({"eVergr", "Label27"}, type == DialType::FixedGnomon);
    const bool coordinateChoice = type == DialType::Horizontal || type == DialType::InclinedPlaneGnomon ||
                                  type == DialType::VerticalSouth || type == DialType::MeanTime;
    c["rgKoordAusg"].enabled = coordinateChoice;
    if (!coordinateChoice) {
        c["rgKoordAusg"].item = 0;
        s.coordinatesAsXY = true;
    }

    switch (type) {
    case DialType::Horizontal:
        SetAllAngles(p, 0);
        EnableAngles(c, false);
        ShowShadowInputs(c);
        break;
    case DialType::HorizontalTiltedGnomon:
        p.planeInclination = p.planeDeviation = 0;
        if (std::abs(p.gnomonInclination) > 70)
            p.gnomonInclination = 25;
        c.enable({"eIncl", "eDek"}, false);
        ShowShadowInputs(c);
        break;
    case DialType::InclinedPlane:
        p.gnomonInclination = p.gnomonDeviation = 0;
        c.enable({"eGnomInc", "eGnomDek"}, false);
        break;
    case DialType::InclinedPlaneGnomon:
        p.gnomonDeviation = p.planeDeviation = 0;
        c.enable({"eGnomDek", "eDek"}, false);
        ShowShadowInputs(c);
        break;
    case DialType::VerticalSouth:
        p.planeInclination = kVerticalPlaneInclinationDeg;
        p.gnomonDeviation = p.planeDeviation = 0;
        if (std::abs(p.gnomonInclination) < 5)
            p.gnomonInclination = 90;
        c.enable({"eGnomDek", "eIncl", "eDek"}, false);
        ShowShadowInputs(c);
        break;
    case DialType::VerticalDeclining:
        p.planeInclination = kVerticalPlaneInclinationDeg;
        p.gnomonInclination = 90;
        p.gnomonDeviation = p.planeDeviation;
        c.enable({"eGnomDek", "eGnomInc", "eIncl"}, false);
        break;
    case DialType::MeanTime:
        SetAllAngles(p, 0);
        EnableAngles(c, false);
        ShowShadowInputs(c);
        c["rgTyp"].enabled = true;
        c["rgTyp"].item = p.marksMode - 1;
        s.doubleAnalemmaActive = p.marksMode == 2;
        c.show({"Panel1"}, false);
        c.show({"Panel2"}, true);
        c["Label3"].text = std::string(LabelRow(s.language, LabelId::NumberOfDateMarks));
        c.show({"tsSlope"}, p.marksMode == 2);
        c.show({"pErrGraph"}, false);
        break;
    case DialType::FixedGnomon:
        p.planeInclination = p.planeDeviation = 0;
        if (std::abs(p.gnomonInclination) > 70)
            p.gnomonInclination = Sign(p.gnomonInclination) * 70;
        c.enable({"eIncl", "eDek"}, false);
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
    c["eLang"].text = FormatFixed(7, 2, p.longitude);
    c["eBreit"].text = FormatFixed(6, 2, p.latitude);
    c["eZone"].text = FormatFixed(6, 2, p.zoneMeridian);
    c["eHalb"].text = FormatFixed(5, 2, p.semiMajorAxis);
    c["eIncl"].text = FormatFixed(6, 2, p.planeInclination);
    c["eGnomInc"].text = FormatFixed(5, 1, p.gnomonInclination);
    c["eDek"].text = FormatFixed(6, 2, p.planeDeviation);
    c["eGnomDek"].text = FormatFixed(5, 1, p.gnomonDeviation);
    c["eHoehe"].text = FormatFixed(5, 2, p.gnomonHeight);
    c["eVergr"].text = FormatFixed(4, 1, p.distanceZ);
    c["eRiseSet"].text = FormatFixed(7, 2, p.riseSetDeclination);
    c["ejahr"].text = std::to_string(p.year);
    c["eLph"].item = p.linesPerHour;
    c["eStart"].item = s.hourFrom;
    c["eEnd"].item = s.hourTo;
    c["efStart"].item = s.errorHourFrom;
    c["efEnd"].item = s.errorHourTo;
    c["rgAnzahl"].item = p.marksPerMonth == 6 ? 3 : p.marksPerMonth - 1;
    c["chBzonzeit"].checked = p.showZoneTime;
    c["rgMittelwert"].item = p.doubleAnalemmaMethod;
    c["chbGenau"].enabled = p.doubleAnalemmaMethod > 1;
    c["chbGenau"].checked = s.fineSearch;
    c["rgTyp"].item = p.marksMode - 1;
    c["rgKoordAusg"].item = s.coordinatesAsXY ? 0 : 1;
    c["rgDefault"].item = s.useDefaultHours ? 0 : 1;
    const bool split = p.marksMode == 2;
    for (auto name : {"StrGridEin", "rgDefault", "rgMittelwert", "efStart", "efEnd", "btGo2"})
        c[name].enabled = split;
    c.show({"tsSlope"}, split);
    s.doubleAnalemmaActive = p.type() == DialType::MeanTime && split;
    c["Label4"].text = std::string(TextRow(s.language, TextId::MethodHintFirst, p.doubleAnalemmaMethod));
    s.uiReady = true;
    return c.take();
}

std::vector<ControlState> SelectDialType(Model& model, int dialType, std::vector<UiMessage>& messages)
{
    model.params.dialType = static_cast<std::uint8_t>(std::clamp(dialType, 0, kDialTypeCount - 1));
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

std::vector<bool> ControlsEnabled(Model& model, std::span<const std::string_view> controls)
{
    // The presets and the display change only the parameters and the shared state: a probe on the model
    // itself, put back afterwards, spares a copy of its large result tables.
    const DialParameters params = model.params;
    const SharedState state = model.state;
    std::vector<ControlState> states = ConfigureInputPanel(model);
    const std::vector<ControlState> shown = ShowParameters(model);
    model.params = params;
    model.state = state;
    states.insert(states.end(), shown.begin(), shown.end());
    std::vector<bool> enabled(controls.size(), true);
    for (const ControlState& s : states)
        for (std::size_t i = 0; i < controls.size(); ++i)
            if (s.enabled && !controls[i].empty() && s.name == controls[i])
                enabled[i] = *s.enabled;
    return enabled;
}

} // namespace umbrix
