// The handlers of the input panels' controls. Each handler hands the control's new value to
// the calculation code and shows what comes back.

#include "core/input_panel.h"
#include "core/parameter_set.h"
#include "core/split_dial_controls.h"
#include "text/own_texts.h"
#include "text/texts.h"
#include "ui/export_panel.h"
#include "ui/field_comforts.h"
#include "ui/grid_view.h"
#include "ui/image_view.h"
#include "ui/key_filter.h"
#include "ui/main_window.h"
#include "ui/parameter_panels.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/site_panel.h"
#include "ui/table_export_dialog.h"
#include "ui/widgets.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

namespace umbrix {

void MainWindow::buildInputPanels()
{
    auto* first = new ParameterPanel(central_);
    numericFields_.insert(numericFields_.end(), first->fields().begin(), first->fields().end());
    Panel1 = first;
    Panel2 = new SplitDialPanel(central_);
    // The place, the zone and the paste action in a row of their own below the switches.
    auto* site = new SitePanel(
        model_, [this] { recalculateAfterOption(); }, [this](const std::vector<UiMessage>& m) { showMessages(m); },
        first);
    if (auto* column = qobject_cast<QBoxLayout*>(first->layout()))
        column->addWidget(site, 0, Qt::AlignLeft);
}

void MainWindow::connectInputs()
{
    auto* numericKeys = new FieldKeyFilter(true, this);
    // The filter stays as it is; what it drops is named in the status bar.
    numericKeys->setDroppedReport([this](const QString& typed) {
        statusBar()->showMessage(ToQt(OwnTextWith(model_.state.language, OwnText::StatusNotANumber, FromQt(typed))));
    });
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
    // A refused value: the field shows the value that is stored, never the refused one.
    if (!outcome.accepted && !outcome.messages.empty())
        edit->setText(ToQt(ShownFieldText(model_, field)));
    if (outcome.focusBack) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
    inFieldExit_ = false;
    if (!outcome.recalculate)
        return;
    (void)OnFieldAccepted(model_, *host_, *redraw_);
    refreshAfterCalculation();
    if (auto* site = findChild<SitePanel*>(QStringLiteral("SitePanel"))) {
        if (field == Field::eBreit || field == Field::eLang)
            site->checkSigns();
        else if (field == Field::eZone)
            site->checkMeridian();
    }
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
    // A refused date: the field and its caption show the stored date, never an empty mask.
    const bool refused = !outcome.empty && !outcome.valid;
    if (refused)
        edit->setText(ToQt(model_.state.shadowDateText));
    else if (outcome.maskText.find_first_not_of(" /") == std::string::npos)
        edit->clear();
    else
        edit->setText(ToQt(outcome.maskText));
    edit->setModified(false);
    control<QLabel>("lDat2")->setText(ToQt(refused ? model_.state.shadowDateCaption : outcome.caption));
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

namespace {

/// Holds the messages of a handler back until its drawing is on the screen; progress goes straight through.
struct DeferringHost : Host {
    explicit DeferringHost(Host& inner) : inner(inner) {}
    void showMessage(std::string_view caption, std::string_view text, MessageIcon icon) override
    {
        held.push_back({std::string(caption), std::string(text), icon});
    }
    void progressBegin(int total) override { inner.progressBegin(total); }
    void progressStep() override { inner.progressStep(); }
    void progressEnd() override { inner.progressEnd(); }
    void release()
    {
        for (const RecordingHost::Message& m : held)
            inner.showMessage(m.caption, m.text, m.icon);
        held.clear();
    }
    Host& inner;
    std::vector<RecordingHost::Message> held;
};

} // namespace

void MainWindow::dialTypeChosen(int dialType)
{
    // Every type starts from the reset view (zoom 1, no pan), so that a fit of one type never carries over
    // to the next; the type's message comes over its own new drawing.
    ResetView(view_);
    DeferringHost deferred(*host_);
    (void)OnDialTypeChosen(model_, deferred, *redraw_, dialType, [this](const std::vector<ControlState>& states) {
        applyControlStates(states);
        applySplitVariant();
        control<RadioGroup>("rgAuswahl")->setItemIndex(DialTypeNumber(model_.params.dialType));
        relabelRadioGroup(*control<RadioGroup>("rgAnzahl"), 50);
    });
    refreshAfterCalculation();
    Image1->repaint();
    deferred.release();
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
