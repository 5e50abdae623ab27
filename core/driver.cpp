#include "core/driver.h"

#include "core/axes.h"
#include "core/date_scale.h"
#include "core/hour_marks.h"
#include "core/input_panel.h"
#include "core/loop_optimiser.h"
#include "core/loops.h"
#include "core/rise_set.h"
#include "core/shadow_path.h"
#include "text/texts.h"

#include <algorithm>
#include <cmath>

namespace umbrix {

namespace {

void ComputeShadowPathOfShadowDate(Model& model)
{
    ComputeShadowPath(model, model.params.year, model.state.shadowMonth, model.state.shadowDay);
}

void ComputeMarks(Model& model)
{
    if (model.params.type() == DialType::FixedGnomon)
        ComputeFixedGnomonMarks(model);
    else
        ComputeHourMarks(model);
}

} // namespace

std::uint8_t ComputeDoubleAnalemma(Model& model, Host& host)
{
    switch (model.params.doubleAnalemmaMethod) {
    case 0:
        return ExactTwoHourLoops(model, host);
    case 1:
        return MeanOfPairsLoops(model, host);
    default:
        return OptimisedLoops(model, host, std::min<int>(model.params.doubleAnalemmaMethod, 4));
    }
}

std::string_view ErrorText(const Model& model, std::uint8_t code)
{
    return MessageRow(model.state.language, code);
}

std::string FirstCharacters(std::string_view text, int count)
{
    std::size_t end = 0;
    int characters = 0;
    while (end < text.size()) {
        // A UTF-8 character starts at every byte that is not a continuation byte (10xxxxxx).
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80) {
            if (characters == count)
                break;
            ++characters;
        }
        ++end;
    }
    return std::string(text.substr(0, end));
}

std::uint8_t Recalculate(Model& model, Host& host, RecalcSource source, Redraw& redraw)
{
    DialParameters& p = model.params;
    redraw.rememberActivePage();
    model.results.radiusCheckReported = false; // the Lambert radius message is shown once per calculation

    // The gnomon must stand at least 15 degrees off the plane, or its shadow is too short to read.
    const double offPlaneDeg = std::abs(90 - std::abs(p.gnomonInclination - p.planeInclination));
    std::uint8_t code = offPlaneDeg < kMinGnomonPlaneAngleDeg ? kErrorNoGnomonShadow : kErrorNone;

    if ((p.type() != DialType::MeanTime && p.type() != DialType::FixedGnomon) ||
        (p.type() == DialType::MeanTime && p.marksMode == 1)) {
        ComputeDateMarks(model);
    } else if (p.type() == DialType::MeanTime) {
        if (const std::uint8_t loopCode = ComputeDoubleAnalemma(model, host); loopCode != kErrorNone)
            code = loopCode;
    }
    ComputeMarks(model);
    (void)RiseSetError(model); // the error graph of the redraw reads the curve

    if (code == kErrorNone) {
        if (HasShadowPath(p)) {
            redraw.showShadowPathTab(model.state.showShadowPath);
            ComputeShadowPathOfShadowDate(model);
        }
        if (source != RecalcSource::rgKoordAusg && source != RecalcSource::btGo2)
            redraw.construction(model);
    } else {
        const std::string_view text = ErrorText(model, code);
        redraw.blank();
        host.showMessage(CaptionText(model.state.language, Caption::Problem), text, MessageIcon::Warning);
        if (code > 10)
            redraw.writeErrorBanner(FirstCharacters(text, kErrorBannerChars));
    }
    redraw.restoreActivePage();
    return code;
}

std::uint8_t Recalculate(Model& model, Host& host, RecalcSource source)
{
    Redraw none;
    return Recalculate(model, host, source, none);
}

void RecalculateHourMarks(Model& model, Host& /*host*/, RecalcSource /*source*/, Redraw& redraw)
{
    ComputeMarks(model);
    if (model.state.showShadowPath && HasShadowPath(model.params)) {
        ComputeShadowPathOfShadowDate(model);
        redraw.showShadowPathTab(true);
    }
    if (model.state.uiReady)
        redraw.construction(model);
}

Recalculation OnFieldAccepted(Model& model, Host& host, Redraw& redraw)
{
    if (model.state.showShadowPath)
        ComputeShadowPathOfShadowDate(model);
    return {true, Recalculate(model, host, RecalcSource::Field, redraw)};
}

Recalculation OnShadowDateLeft(Model& model, Host& host, Redraw& redraw, const DateOutcome& outcome)
{
    if (outcome.empty || !outcome.recalculate)
        return {};
    if (outcome.valid)
        redraw.construction(model);
    return {true, Recalculate(model, host, RecalcSource::MaskEdit1, redraw)};
}

void OnLinesPerHourChanged(Model& model, Host& host, Redraw& redraw, int linesPerHour)
{
    model.params.linesPerHour =
        static_cast<std::uint8_t>(std::clamp(linesPerHour, kLinesPerHourRange.lo, kLinesPerHourRange.hi));
    RecalculateHourMarks(model, host, RecalcSource::eLph, redraw);
}

namespace {

/// Stores `hour` into `stored` when the range it gives holds at least one hour, else says why not.
int ChangeHourRange(Model& model, Host& host, Redraw& redraw, RecalcSource source, std::int16_t& stored, int hour)
{
    const int hourFrom = source == RecalcSource::eStart ? hour : model.state.hourFrom;
    const int hourTo = source == RecalcSource::eEnd ? hour : model.state.hourTo;
    if (!HourRangeValid(hourFrom, hourTo)) {
        const UiMessage message = HourRangeMessage(model.state.language);
        host.showMessage(message.caption, message.text, message.icon);
        return stored;
    }
    stored = static_cast<std::int16_t>(hour);
    RecalculateHourMarks(model, host, source, redraw);
    return stored;
}

} // namespace

int OnHourFromChanged(Model& model, Host& host, Redraw& redraw, int hourFrom)
{
    return ChangeHourRange(model, host, redraw, RecalcSource::eStart, model.state.hourFrom,
                           std::clamp(hourFrom, kHourFromRange.lo, kHourFromRange.hi));
}

int OnHourToChanged(Model& model, Host& host, Redraw& redraw, int hourTo)
{
    return ChangeHourRange(model, host, redraw, RecalcSource::eEnd, model.state.hourTo,
                           std::clamp(hourTo, kHourToRange.lo, kHourToRange.hi));
}

void OnZoneTimeClicked(Model& model, Host& host, Redraw& redraw, bool checked)
{
    model.params.showZoneTime = checked;
    RecalculateHourMarks(model, host, RecalcSource::chBzonzeit, redraw);
}

void OnRiseSetClicked(Model& model, Host& host, Redraw& redraw, bool checked)
{
    model.state.markRiseSet = checked;
    RecalculateHourMarks(model, host, RecalcSource::ChBRiseSet, redraw);
}

std::vector<ControlState> OnShadowPathClicked(Model& model, Host& host, Redraw& redraw, bool checked)
{
    std::vector<ControlState> controls = SetShowShadowPath(model, checked);
    RecalculateHourMarks(model, host, RecalcSource::chBSchatt, redraw);
    return controls;
}

Recalculation OnMarksPerMonthChanged(Model& model, Host& host, Redraw& redraw, int item)
{
    (void)SetMarksPerMonthItem(model, item);
    return {true, Recalculate(model, host, RecalcSource::rgAnzahl, redraw)};
}

Recalculation OnCoordinatesOutputChanged(Model& model, Host& host, Redraw& redraw, int item)
{
    model.state.coordinatesAsXY = item == 0;
    return {true, Recalculate(model, host, RecalcSource::rgKoordAusg, redraw)};
}

Recalculation OnMarksModeChanged(Model& model, Host& host, Redraw& redraw, int item)
{
    model.params.marksMode = static_cast<std::uint8_t>(std::clamp(item, 0, 1) + 1);
    model.state.doubleAnalemmaActive = model.params.type() == DialType::MeanTime && model.params.marksMode == 2;
    if (!model.state.uiReady)
        return {};
    return {true, Recalculate(model, host, RecalcSource::rgTyp, redraw)};
}

Recalculation OnDoubleAnalemmaMethodChanged(Model& model, Host& host, Redraw& redraw, int item, bool clickedByUser)
{
    model.params.doubleAnalemmaMethod = static_cast<std::uint8_t>(std::clamp(item, 0, 4));
    if (!model.state.uiReady || model.params.marksMode != 2 || !clickedByUser)
        return {};
    return {true, Recalculate(model, host, RecalcSource::rgMittelwert, redraw)};
}

Recalculation OnFineSearchClicked(Model& model, Host& host, Redraw& redraw, bool checked)
{
    model.state.fineSearch = checked;
    if (!model.state.uiReady)
        return {};
    return {true, Recalculate(model, host, RecalcSource::chbGenau, redraw)};
}

void OnErrorHourFromChanged(Model& model, int hour)
{
    model.state.errorHourFrom =
        static_cast<std::int16_t>(std::clamp(hour, kErrorHourFromRange.lo, kErrorHourFromRange.hi));
    if (model.params.marksMode == 2) {
        ClearGrid(model.grids.StrGrid8);
        ClearGrid(model.grids.StrGrid8b);
    }
}

void OnErrorHourToChanged(Model& model, int hour)
{
    model.state.errorHourTo = static_cast<std::int16_t>(std::clamp(hour, kErrorHourToRange.lo, kErrorHourToRange.hi));
    if (model.params.marksMode == 2) {
        ClearGrid(model.grids.StrGrid8);
        ClearGrid(model.grids.StrGrid8b);
    }
}

void OnLambertClicked(Model& model, bool checked)
{
    model.params.showLambertCircle = checked;
}

DialTypeChange OnDialTypeChosen(Model& model, Host& host, Redraw& redraw, int dialType, const ShowControls& show)
{
    DialTypeChange out;
    std::vector<UiMessage> messages;
    out.controls = SelectDialType(model, dialType, messages);
    // The presets are shown before the calculation, which then decides about the shadow-path tab.
    if (show)
        show(out.controls);
    for (const UiMessage& m : messages)
        host.showMessage(m.caption, m.text, m.icon);
    out.recalculation = {true, Recalculate(model, host, RecalcSource::DialTypeMenu, redraw)};
    return out;
}

Recalculation OnCalculateClicked(Model& model, Host& host, Redraw& redraw, RecalcSource button)
{
    return {true, Recalculate(model, host, button, redraw)};
}

DialTypeChange OnWindowActivated(Model& model, Host& host, Redraw& redraw, const ShowControls& show)
{
    DialTypeChange out;
    out.controls = ShowParameters(model);
    model.state.dialTitle = DialTitle(model);
    if (show)
        show(out.controls);
    UpdateAxes(model.params, model.state);
    out.recalculation = {true, Recalculate(model, host, RecalcSource::Activation, redraw)};
    return out;
}

} // namespace umbrix
