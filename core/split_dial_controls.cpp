#include "core/split_dial_controls.h"

#include "core/control_states.h"
#include "core/date_scale.h"
#include "core/input_panel.h"
#include "text/texts.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

namespace umbrix {

namespace {

constexpr double kRiseSetPlaneLimitDeg = 0.1; // rise/set marks only on a (nearly) horizontal plane

} // namespace

std::vector<ControlState> VariantControls(Model& model, bool notSplit)
{
    const LanguageState& lang = model.state.language;
    StringGrid& mittel = model.grids.StrMittel;
    ControlStates c;
    for (auto name : {"StrGridEin", "rgDefault", "btGo2"})
        c[name].enabled = !notSplit;
    c["pFehler"].visible = !notSplit;
    for (auto name : {"Label22", "Label23"})
        c[name].fontColour = notSplit ? kColourGrey : kColourBlack;
    c["rgMittelwert"].fontColour = notSplit ? kColourButtonShadow : kColourBlack;
    c["eRiseSet"].enabled = notSplit;
    c["ChBRiseSet"].enabled = notSplit && std::abs(model.params.planeInclination) <= kRiseSetPlaneLimitDeg;
    model.state.doubleAnalemmaActive = !notSplit;
    if (notSplit) {
        ClearGrid(mittel);
    } else {
        WriteLoopStatisticsTitles(mittel, lang);
    }
    return c.take();
}

void WriteLoopStatisticsTitles(StringGrid& grid, const LanguageState& lang)
{
    grid.setCell(0, 0, std::string(LabelRow(lang, LabelId::WholeYear)));
    grid.setCell(0, 1, std::string(LabelRow(lang, LabelId::MaxError)));
    grid.setCell(0, 2, std::string(LabelRow(lang, LabelId::MeanAbsoluteError)));
    grid.setCell(0, 3, std::string(LabelRow(lang, LabelId::Spread)));
    grid.setCell(1, 0, std::string(LabelRow(lang, LabelId::BeforeNoon)));
    grid.setCell(2, 0, std::string(LabelRow(lang, LabelId::AfterNoon)));
}

std::vector<ControlState> TSAnaDatEnter(Model& model)
{
    const bool commonDial = model.params.type() == DialType::Horizontal;
    ControlStates c;
    c["pErrGraph"].visible = commonDial;
    c["ChBRiseSet"].enabled = commonDial;
    model.results.riseSetMarksEnabled = commonDial;
    std::string memo;
    for (const std::string& line : LabelLines(model.state.language, LabelId::SplitMemoFirst, LabelId::SplitMemoLast))
        memo += line + "\n";
    c["mSplit"].text = memo;
    return c.take();
}

std::vector<ControlState> rgTypClick(Model& model, int item, bool fromGroup)
{
    if (fromGroup)
        model.params.marksMode = static_cast<MarksMode>(std::clamp(item, 0, 1) + 1);
    const bool split = IsSplitDial(model.params);
    ControlStates c;
    c["rgTyp"].item = static_cast<int>(model.params.marksMode) - 1;
    c["tsSlope"].visible = split;
    c["btGo2"].enabled = split;
    c.add(VariantControls(model, !split));
    c["pSplit"].visible = split;
    c.add(TSAnaDatEnter(model));
    return c.take();
}

std::vector<ControlState> rgAnzahlClick(Model& model, int item)
{
    ControlStates c;
    if (model.params.type() == DialType::FixedGnomon)
        c["rgAnzahl/3"].text = std::string(LabelRow(model.state.language, LabelId::ThreePerMonth));
    c["rgAnzahl"].item = SetMarksPerMonthItem(model, item);
    return c.take();
}

std::vector<ControlState> rgMittelwertClick(Model& model, int item)
{
    item = std::clamp(item, 0, 4);
    model.params.doubleAnalemmaMethod = static_cast<DoubleAnalemmaMethod>(item);
    ControlStates c;
    c["rgMittelwert"].item = item;
    c["Label4"].text = std::string(TextRow(model.state.language, TextId::MethodHintFirst, item));
    c["lOptimier"].visible = item != 0;
    c["chbGenau"].enabled = item > 1;
    return c.take();
}

std::vector<ControlState> rgAnzeigeClick(int item)
{
    const bool afternoon = item == 1;
    return {{.name = "rgAnzeige", .item = afternoon ? 1 : 0},
            {.name = "StrGrid8b", .visible = !afternoon},
            {.name = "StrGrid8", .visible = afternoon}};
}

std::vector<ControlState> LoopGridDblClick(int shownItem)
{
    return rgAnzeigeClick(shownItem == 1 ? 0 : 1);
}

std::vector<ControlState> StrGridEinEnter(Model& model)
{
    ClearGrid(model.grids.StrGrid8);
    ClearGrid(model.grids.StrGrid8b);
    ClearGrid(model.grids.StrGridDat);
    return rgDefaultClick(model, 1);
}

std::vector<ControlState> rgDefaultClick(Model& model, int item)
{
    model.state.useDefaultHours = item == 0;
    return {{.name = "rgDefault", .item = item == 0 ? 0 : 1}};
}

std::vector<ControlState> efEndChange(Model& model, int errorHourFrom, int errorHourTo)
{
    SharedState& s = model.state;
    s.errorHourFrom =
        static_cast<std::int16_t>(std::clamp(errorHourFrom, kErrorHourFromRange.lo, kErrorHourFromRange.hi));
    s.errorHourTo = static_cast<std::int16_t>(std::clamp(errorHourTo, kErrorHourToRange.lo, kErrorHourToRange.hi));
    if (IsSplitDial(model.params)) {
        ClearGrid(model.grids.StrGrid8);
        ClearGrid(model.grids.StrGrid8b);
    }
    return {{.name = "efStart", .item = s.errorHourFrom}, {.name = "efEnd", .item = s.errorHourTo}};
}

std::vector<ControlState> chbGenauClick(Model& model, bool checked)
{
    model.state.fineSearch = checked;
    return {{.name = "chbGenau", .checked = checked}};
}

bool StrGrid8CellEditable(int col)
{
    return col == 2;
}

} // namespace umbrix
