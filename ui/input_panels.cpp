// The handlers of the input panels' controls. Each handler hands the control's new value to
// the calculation code and shows what comes back.

#include "core/input_panel.h"
#include "core/parameter_set.h"
#include "core/split_dial_controls.h"
#include "text/texts.h"
#include "ui/export_panel.h"
#include "ui/field_comforts.h"
#include "ui/grid_view.h"
#include "ui/key_filter.h"
#include "ui/main_window.h"
#include "ui/parameter_panels.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/table_export_dialog.h"
#include "ui/widgets.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QTabWidget>
#include <QToolButton>

namespace umbrix {

void MainWindow::buildInputPanels()
{
    auto* first = new ParameterPanel(central_);
    numericFields_.insert(numericFields_.end(), first->fields().begin(), first->fields().end());
    Panel1 = first;
    Panel2 = new SplitDialPanel(central_);
}

void MainWindow::connectInputs()
{
    auto* numericKeys = new FieldKeyFilter(true, this);
    for (const auto& entry : numericFields_) {
        entry.first->installEventFilter(numericKeys);
        entry.first->installEventFilter(this);
    }
    auto* date = control<QLineEdit>("MaskEdit1");
    date->installEventFilter(new FieldKeyFilter(false, this));
    // Escape brings back what the field shows for its stored value.
    fieldRestore_ = new FieldRestore(this);
    for (const auto& [edit, field] : numericFields_)
        fieldRestore_->watch(*edit, [this, field = field] { return ToQt(ShownFieldText(model_, field)); });
    fieldRestore_->watch(*date, [this] { return ToQt(model_.state.shadowDateText); });
    date->installEventFilter(this);
    for (QFrame* panel : {Panel1, Panel2}) {
        panel->setMouseTracking(true);
        panel->installEventFilter(this);
    }

    auto spin = [this](const char* name, void (MainWindow::*handler)(int)) {
        connect(control<QSpinBox>(name), &QSpinBox::valueChanged, this, handler);
    };
    spin("eLph", &MainWindow::linesPerHourChanged);
    spin("eStart", &MainWindow::hourFromChanged);
    spin("eEnd", &MainWindow::hourToChanged);
    for (const char* name : {"efStart", "efEnd"})
        connect(control<QSpinBox>(name), &QSpinBox::valueChanged, this, &MainWindow::errorHoursChanged);

    auto check = [this](const char* name, void (MainWindow::*handler)(bool)) {
        connect(control<QCheckBox>(name), &QCheckBox::clicked, this, handler);
    };
    connect(control<QComboBox>(kLengthUnitChoice), &QComboBox::activated, this, &MainWindow::lengthUnitChosen);
    check("chBzonzeit", &MainWindow::zoneTimeClicked);
    check("ChBRiseSet", &MainWindow::riseSetClicked);
    check("chBSchatt", &MainWindow::shadowPathClicked);
    check("ChBLambert", &MainWindow::lambertClicked);
    check("chbGenau", &MainWindow::fineSearchClicked);

    auto group = [this](const char* name, void (MainWindow::*handler)(int)) {
        connect(control<RadioGroup>(name), &RadioGroup::itemClicked, this, handler);
    };
    group("rgAnzahl", &MainWindow::marksPerMonthClicked);
    group("rgKoordAusg", &MainWindow::coordinatesOutputClicked);
    group("rgTyp", &MainWindow::marksModeClicked);
    group("rgMittelwert", &MainWindow::methodClicked);

    connect(BitBtn1, &QPushButton::clicked, this, [this] { calculateClicked(RecalcSource::BitBtn1); });
    connect(control<QPushButton>("Button1"), &QPushButton::clicked, this, [this] { swapInputPanels(false); });
    connect(control<QPushButton>("bMore2"), &QPushButton::clicked, this, [this] { swapInputPanels(true); });

    // Tool bar of the graphic page.
    auto tool = [this](const char* name, auto handler) {
        connect(control<QToolButton>(name), &QToolButton::clicked, this, handler);
    };
    tool("tbPlus", [this] { zoomClicked(ViewAction::ZoomIn); });
    tool("tbMinus", [this] { zoomClicked(ViewAction::ZoomOut); });
    tool("tbLeft", [this] { zoomClicked(ViewAction::ShiftLeft); });
    tool("tbRight", [this] { zoomClicked(ViewAction::ShiftRight); });
    tool("tbUp", [this] { zoomClicked(ViewAction::ShiftUp); });
    tool("tbDown", [this] { zoomClicked(ViewAction::ShiftDown); });
    tool("tbReset", [this] { resetView(); });
    tool("tbFit", [this] { fitToWindow(); });

    tool("tbPrint", [this] { printGraphicClicked(); });
    tool("ToolButton1", [this] { printListsClicked(true); });

    // The exports connect their buttons and the menu item themselves.
    new ExportPanel(*this, {.calculate = [this] {
        const Recalculation r = OnCalculateClicked(model_, *host_, *redraw_, RecalcSource::BitBtn1);
        refreshAfterCalculation();
        return r.errorCode == kErrorNone;
    }});
    new TableExportDialog(*this);
}

// --- handlers -------------------------------------------------------------------------------------------

void MainWindow::numericFieldExit(Field field)
{
    QLineEdit* edit = nullptr;
    for (const auto& [e, f] : numericFields_)
        if (f == field)
            edit = e;
    if (!edit)
        return;
    inFieldExit_ = true;
    const FieldOutcome outcome = ValidateField(model_, field, FromQt(edit->text()), edit->isModified());
    if (!outcome.handled) {
        inFieldExit_ = false;
        return;
    }
    if (outcome.text)
        edit->setText(ToQt(*outcome.text));
    edit->setModified(false);
    applyControlStates(outcome.others);
    showMessages(outcome.messages);
    if (outcome.focusBack) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
    inFieldExit_ = false;
    if (!outcome.recalculate)
        return;
    (void)OnFieldAccepted(model_, *host_, *redraw_);
    refreshAfterCalculation();
}

void MainWindow::MaskEdit1Exit()
{
    auto* edit = control<QLineEdit>("MaskEdit1");
    QString shown = edit->displayText();
    shown.replace(QLatin1Char('_'), QLatin1Char(' '));
    // The empty mask always sends the focus back; a date left as it was changes nothing.
    if (shown != QStringLiteral("  /  ") && !edit->isModified())
        return;
    inFieldExit_ = true;
    const DateOutcome outcome = ParseShadowDate(model_, FromQt(shown), DateSource::MaskEdit1);
    if (outcome.maskText.find_first_not_of(" /") == std::string::npos)
        edit->clear();
    else
        edit->setText(ToQt(outcome.maskText));
    edit->setModified(false);
    control<QLabel>("lDat2")->setText(ToQt(outcome.caption));
    if (outcome.message)
        showMessages({*outcome.message});
    if (outcome.empty || !outcome.valid)
        edit->setFocus(Qt::OtherFocusReason);
    inFieldExit_ = false;
    if (OnShadowDateLeft(model_, *host_, *redraw_, outcome).ran)
        refreshAfterCalculation();
    updateShadowDateLabel();
}

void MainWindow::linesPerHourChanged(int value)
{
    OnLinesPerHourChanged(model_, *host_, *redraw_, value);
    refreshAfterCalculation();
}

void MainWindow::hourFromChanged(int value)
{
    showStoredHour("eStart", value, OnHourFromChanged(model_, *host_, *redraw_, value));
}

void MainWindow::hourToChanged(int value)
{
    showStoredHour("eEnd", value, OnHourToChanged(model_, *host_, *redraw_, value));
}

void MainWindow::showStoredHour(const char* spinName, int typed, int stored)
{
    if (stored == typed) {
        refreshAfterCalculation();
        return;
    }
    // A refused hour: the spin edit goes back to the stored hour without reporting a change of its own.
    auto* spin = control<QSpinBox>(spinName);
    const QSignalBlocker blocker(spin);
    spin->setValue(stored);
}

void MainWindow::zoneTimeClicked(bool checked)
{
    OnZoneTimeClicked(model_, *host_, *redraw_, checked);
    refreshAfterCalculation();
}

void MainWindow::lengthUnitChosen(int index)
{
    // The unit names the lengths and converts none of them: nothing is calculated anew.
    const SetOutcome outcome =
        SetParameter(model_, "lengthUnit", FromQt(control<QComboBox>(kLengthUnitChoice)->itemText(index)));
    if (outcome.status != SetStatus::Accepted)
        showMessages(outcome.messages);
    ShowLengthUnit(*this, model_.params.lengthUnit);
    updateTitle();
}

void MainWindow::riseSetClicked(bool checked)
{
    OnRiseSetClicked(model_, *host_, *redraw_, checked);
    refreshAfterCalculation();
}

void MainWindow::shadowPathClicked(bool checked)
{
    applyControlStates(OnShadowPathClicked(model_, *host_, *redraw_, checked));
    refreshAfterCalculation();
}

void MainWindow::lambertClicked(bool checked)
{
    OnLambertClicked(model_, checked);
}

void MainWindow::marksPerMonthClicked(int item)
{
    // The fixed-gnomon dial has no sixth mark: its fourth item reads "3 per month" and chooses the third.
    applyControlStates(rgAnzahlClick(model_, item));
    (void)OnMarksPerMonthChanged(model_, *host_, *redraw_, item);
    refreshAfterCalculation();
}

void MainWindow::coordinatesOutputClicked(int item)
{
    (void)OnCoordinatesOutputChanged(model_, *host_, *redraw_, item);
    refreshAfterCalculation();
}

void MainWindow::calculateClicked(RecalcSource button)
{
    (void)OnCalculateClicked(model_, *host_, *redraw_, button);
    refreshAfterCalculation();
}

void MainWindow::dialTypeChosen(int dialType)
{
    (void)OnDialTypeChosen(model_, *host_, *redraw_, dialType, [this](const std::vector<ControlState>& states) {
        applyControlStates(states);
        applySplitVariant();
        control<RadioGroup>("rgAuswahl")->setItemIndex(DialTypeNumber(model_.params.dialType));
        relabelRadioGroup(*control<RadioGroup>("rgAnzahl"), 50);
    });
    refreshAfterCalculation();
}

void MainWindow::swapInputPanels(bool viaButton)
{
    // bMore2, or any switch while the second panel is up, brings back the first panel.
    const bool showFirst = viaButton || !Panel2->isHidden();
    Panel1->setVisible(showFirst);
    Panel2->setVisible(!showFirst);
}

void MainWindow::Change1Click()
{
    const bool firstShown = !Panel1->isHidden();
    Panel1->setVisible(!firstShown);
    Panel2->setVisible(firstShown);
}

} // namespace umbrix
