#include "core/driver.h"

#include "core/date_scale.h"
#include "core/derived_geometry.h"
#include "core/ephemeris.h"
#include "core/hour_marks.h"
#include "core/input_panel.h"
#include "core/loop_optimiser.h"
#include "core/loops.h"
#include "core/rise_set.h"
#include "core/shadow_path.h"
#include "text/texts.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace umbrix {

void RefreshDerivedGeometry(Model& model)
{
    model.state.obliquity = DesignYearObliquity(model.params.year);
    model.derived = DeriveGeometry(model.params, model.state.obliquity, model.state.roundedObliquity);
}

void RefreshAxes(Model& model)
{
    model.state.obliquity = DesignYearObliquity(model.params.year);
    model.derived = DeriveAxes(model.params, model.state.obliquity, model.derived.fixedGnomonReach);
}

namespace {

// --- Parameter changes a calculation makes for good. Each computation works with the limited value on its
// --- own; the driver stores it once, at the step that first used it, so that every later computation, the
// --- drawing and the saved configuration agree with what was computed.

/// Before the date scale of the vertical south dial: a gnomon inclination below 0.01 degrees would put
/// the date marks at infinity (cos L / tan z).
void KeepVerticalSouthGnomonInclination(DialParameters& p)
{
    if (p.type() == DialType::VerticalSouth)
        p.gnomonInclination = VerticalSouthGnomonInclination(p.gnomonInclination);
}

/// Before the hour marks: a rise/set declination of 0 would put both rise/set marks on the centre line.
void KeepRiseSetDeclination(DialParameters& p)
{
    p.riseSetDeclination = UsableRiseSetDeclination(p.riseSetDeclination);
}

/// Before the shadow path: a plane within 0.03 degrees of vertical has no usable shadow constants.
void KeepShadowPlaneInclination(DialParameters& p)
{
    p.planeInclination = ShadowPlaneInclination(p.planeInclination);
}

// --- Storing what the computations return. No computation stores the obliquity of the day it took last:
// --- the model's obliquity is the design year's (RefreshAxes), whatever ran before.

void StoreDateScale(Model& model, const DateScaleResult& dates)
{
    model.results.dateMarks = dates.marks;
    model.grids.StrGridDat = dates.listing;
    // The loop grids belong to the split dial: a date scale leaves them empty.
    ClearGrid(model.grids.StrGrid8);
    ClearGrid(model.grids.StrGrid8b);
}

void StoreHourMarks(Model& model, const HourMarksResult& marks)
{
    Results& r = model.results;
    r.hourPoints = marks.points;
    r.hourPointCount = marks.count;
    r.riseSetPoint = marks.riseSetPoint;
    r.riseSetPointReal = marks.riseSetPointReal;
    model.grids.StrGridStd = marks.listing;
    model.grids.lKoordAufUnter = marks.riseSetLabel;
}

void StoreFixedGnomonMarks(Model& model, const FixedGnomonMarksResult& marks)
{
    StoreDateScale(model, marks.dates);
    Results& r = model.results;
    r.fixedHourPoints = marks.points;
    r.fixedScale = marks.scales;
    r.halfDayArc = marks.halfDayArcs;
    r.fixedDateLineCount = marks.lineCount;
    r.fixedHourPointCount = marks.pointCount;
    model.grids.StrGridStd = marks.listing;
}

void StoreShadowPath(Model& model, const ShadowPathResult& path)
{
    model.results.shadowPath = path.points;
    model.results.shadowPathCount = path.count;
    model.grids.StrGridShad = path.listing;
}

void StoreDoubleAnalemma(Model& model, const DoubleAnalemmaResult& loops)
{
    Results& r = model.results;
    Grids& grids = model.grids;
    const bool optimised = IsSearchMethod(model.params.doubleAnalemmaMethod);
    LoopTable& morning = optimised ? r.morningLoopOptimised : r.morningLoop;
    LoopTable& afternoon = optimised ? r.afternoonLoopOptimised : r.afternoonLoop;
    if (loops.hourInput)
        grids.StrGridEin = *loops.hourInput;
    if (loops.errorCode != kErrorNone) {
        // No loop for a wrong hour input: every grid that could show a stale one is emptied, and the
        // method's loops lose their rows.
        for (StringGrid* grid :
             {&grids.StrGrid8, &grids.StrGrid8b, &grids.StrGridDat, &grids.StrGridShad, &grids.StrGridStd})
            ClearGrid(*grid);
        for (LoopTable* table : {&morning, &afternoon})
            for (tUmbrixPoint& point : *table)
                point.label.clear();
        r.morningLoopStatistics = {};
        r.afternoonLoopStatistics = {};
        return;
    }
    morning = loops.morning;
    afternoon = loops.afternoon;
    r.morningLoopStatistics = loops.morningStatistics;
    r.afternoonLoopStatistics = loops.afternoonStatistics;
    grids.StrGrid8b = loops.grids.morningErrors;
    grids.StrGrid8 = loops.grids.afternoonErrors;
    grids.StrGridDat = loops.grids.dateListing;
    grids.StrMittel = loops.grids.statistics;
}

void ComputeShadowPathOfShadowDate(Model& model)
{
    if (!HasShadowPath(model.params))
        return;
    if (const std::optional<ShadowPathResult> path =
            ComputeShadowPath(model, model.params.year, model.state.shadowMonth, model.state.shadowDay))
        StoreShadowPath(model, *path);
}

/// The hour marks read the semi-minor axis and the plane/gnomon cosine the calculation derived.
void ComputeMarks(Model& model)
{
    if (model.params.type() == DialType::FixedGnomon) {
        StoreFixedGnomonMarks(model, ComputeFixedGnomonMarks(model));
    } else {
        StoreHourMarks(model, ComputeHourMarks(model));
    }
}

DoubleAnalemmaResult DoubleAnalemmaByMethod(const Model& model, Host& host)
{
    const DoubleAnalemmaMethod method = model.params.doubleAnalemmaMethod;
    switch (method) {
    case DoubleAnalemmaMethod::ExactAtTwoHours:
        return ExactTwoHourLoops(model, host);
    case DoubleAnalemmaMethod::MeanOfExact:
        return MeanOfPairsLoops(model, host);
    case DoubleAnalemmaMethod::SearchLargestError:
    case DoubleAnalemmaMethod::SearchMeanError:
    case DoubleAnalemmaMethod::SearchRmsError:
        break;
    }
    // A number beyond the last method (never stored by the readers) searches like the last.
    return OptimisedLoops(model, host, std::min(static_cast<int>(method), kDoubleAnalemmaMethodCount - 1));
}

/// The parameter limits a calculation makes, all before anything is computed, so that every computation
/// of the calculation and the axes derived once for it see the same parameters. `shadowPath`: the
/// calculation will draw a shadow path (its plane is kept off the vertical).
void KeepCalculationLimits(DialParameters& p, bool shadowPath)
{
    KeepVerticalSouthGnomonInclination(p);
    if (p.type() != DialType::FixedGnomon)
        KeepRiseSetDeclination(p);
    if (shadowPath && HasShadowPath(p))
        KeepShadowPlaneInclination(p);
}

/// The double analemma with the axes as they stand.
std::uint8_t ComputeAndStoreDoubleAnalemma(Model& model, Host& host)
{
    const DoubleAnalemmaResult loops = DoubleAnalemmaByMethod(model, host);
    StoreDoubleAnalemma(model, loops);
    return loops.errorCode;
}

} // namespace

void ComputeDateScale(Model& model)
{
    KeepVerticalSouthGnomonInclination(model.params);
    StoreDateScale(model, ComputeDateMarks(model));
}

std::uint8_t ComputeDoubleAnalemma(Model& model, Host& host)
{
    RefreshAxes(model); // the loops read the semi-minor axis and the plane/gnomon cosine
    return ComputeAndStoreDoubleAnalemma(model, host);
}

void StoreDrawing(Model& model, DrawingState& target, const DrawingOutcome& outcome)
{
    target = outcome.state;
    if (outcome.radiusCheckReported)
        model.results.radiusCheckReported = true;
    if (outcome.loopGridsVoid) {
        ClearGrid(model.grids.StrGrid8);
        ClearGrid(model.grids.StrGrid8b);
    }
    // A fixed-gnomon dial is drawn with at most 3 marks per month, its 19 date lines: once drawn, the
    // parameters keep 3, so that the next calculation labels and lists the date lines the drawing showed.
    if (model.params.type() == DialType::FixedGnomon && model.params.marksPerMonth > 3)
        model.params.marksPerMonth = 3;
}

void StorePrintedDrawing(Model& model, const DrawingOutcome& outcome)
{
    const DrawingState screen = model.drawing;
    StoreDrawing(model, model.drawing, outcome);
    DrawingState& state = model.drawing;
    state.surfaceWidth = screen.surfaceWidth;
    state.surfaceHeight = screen.surfaceHeight;
    state.originX = screen.originX;
    state.originY = screen.originY;
    state.leftCentreX = screen.leftCentreX;
    state.rightCentreX = screen.rightCentreX;
    state.lastTickLength = screen.lastTickLength;
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

    // Every limit first, then the geometry once: no computation below reads what another one left.
    KeepCalculationLimits(p, code == kErrorNone);
    RefreshDerivedGeometry(model);
    if ((p.type() != DialType::MeanTime && p.type() != DialType::FixedGnomon) ||
        (p.type() == DialType::MeanTime && p.marksMode == MarksMode::Analemma)) {
        StoreDateScale(model, ComputeDateMarks(model));
    } else if (p.type() == DialType::MeanTime) {
        if (const std::uint8_t loopCode = ComputeAndStoreDoubleAnalemma(model, host); loopCode != kErrorNone)
            code = loopCode;
    }
    ComputeMarks(model);
    model.results.riseSetErrorCurve = RiseSetErrorCurveOf(p);

    if (code == kErrorNone && HasShadowPath(p)) {
        redraw.showShadowPathTab(model.state.showShadowPath);
        ComputeShadowPathOfShadowDate(model);
    }
    if (code == kErrorNone) {
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
    const bool shadowPath = model.state.showShadowPath && HasShadowPath(model.params);
    KeepCalculationLimits(model.params, shadowPath);
    RefreshDerivedGeometry(model);
    ComputeMarks(model);
    if (shadowPath) {
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
    model.params.marksMode = static_cast<MarksMode>(std::clamp(item, 0, 1) + 1);
    model.state.doubleAnalemmaActive = IsSplitDial(model.params);
    if (!model.state.uiReady)
        return {};
    return {true, Recalculate(model, host, RecalcSource::rgTyp, redraw)};
}

Recalculation OnDoubleAnalemmaMethodChanged(Model& model, Host& host, Redraw& redraw, int item, bool clickedByUser)
{
    model.params.doubleAnalemmaMethod = static_cast<DoubleAnalemmaMethod>(std::clamp(item, 0, 4));
    if (!model.state.uiReady || model.params.marksMode != MarksMode::DoubleAnalemma || !clickedByUser)
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

void OnErrorHourToChanged(Model& model, int hour)
{
    model.state.errorHourTo = static_cast<std::int16_t>(std::clamp(hour, kErrorHourToRange.lo, kErrorHourToRange.hi));
    if (model.params.marksMode == MarksMode::DoubleAnalemma) {
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
    RefreshAxes(model);
    out.recalculation = {true, Recalculate(model, host, RecalcSource::Activation, redraw)};
    return out;
}

} // namespace umbrix
