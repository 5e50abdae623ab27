// The two input panels and the handlers of their controls. Each handler hands the control's new value to
// the calculation code and shows what comes back.

#include "core/input_panel.h"
#include "core/split_dial_controls.h"
#include "text/texts.h"
#include "ui/export_panel.h"
#include "ui/grid_view.h"
#include "ui/key_filter.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/table_export_dialog.h"
#include "ui/widgets.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QTabWidget>
#include <QToolButton>

namespace umbrix {

namespace {

constexpr const char* kPanelHint = "Change input panel with right mouse click";
constexpr int kFieldWidthPx = 70;
constexpr int kRowHeightPx = 26;

/// A label and its control side by side in a grid cell pair.
void AddPair(QGridLayout* grid, int row, int column, QWidget* label, QWidget* control)
{
    grid->addWidget(label, row, column);
    grid->addWidget(control, row, column + 1);
}

} // namespace

QLineEdit* MainWindow::numericField(QWidget* parent, const char* name, int tag, Field field)
{
    QLineEdit* edit = MakeEdit(parent, name, tag);
    edit->setFixedWidth(kFieldWidthPx);
    edit->setAlignment(Qt::AlignRight);
    numericFields_.emplace_back(edit, field);
    return edit;
}

void MainWindow::buildInputPanel1()
{
    Panel1 = MakePanel(central_, "Panel1");
    Panel1->setToolTip(QString::fromLatin1(kPanelHint));
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(8, 3, 8, 3);
    row->setSpacing(14);
    auto column = [row] {
        auto* grid = new QGridLayout;
        grid->setVerticalSpacing(2);
        grid->setHorizontalSpacing(6);
        // Four rows of the same height in every column, so that the fields line up across the panel.
        for (int r = 0; r < 4; ++r)
            grid->setRowMinimumHeight(r, kRowHeightPx);
        grid->setRowStretch(4, 1);
        row->addLayout(grid);
        return grid;
    };

    QGridLayout* site = column();
    AddPair(site, 0, 0, MakeLabel(Panel1, "lBreit", 103), numericField(Panel1, "eBreit", 103, Field::eBreit));
    AddPair(site, 1, 0, MakeLabel(Panel1, "lLang", 104), numericField(Panel1, "eLang", 0, Field::eLang));
    AddPair(site, 2, 0, MakeLabel(Panel1, "lZone", 105), numericField(Panel1, "eZone", 0, Field::eZone));
    site->addWidget(MakeCheckBox(Panel1, "chBzonzeit", 115), 3, 0, 1, 2);

    QGridLayout* gnomon = column();
    AddPair(gnomon, 0, 0, MakeLabel(Panel1, "lGnomInc", 108), numericField(Panel1, "eGnomInc", 0, Field::eGnomInc));
    AddPair(gnomon, 1, 0, MakeLabel(Panel1, "lgDek", 107), numericField(Panel1, "eGnomDek", 0, Field::eGnomDek));
    AddPair(gnomon, 2, 0, MakeLabel(Panel1, "lHoehe", 109), numericField(Panel1, "eHoehe", 0, Field::eHoehe));

    QGridLayout* plane = column();
    AddPair(plane, 0, 0, MakeLabel(Panel1, "lEbNeig", 129), numericField(Panel1, "eIncl", 0, Field::eIncl));
    AddPair(plane, 1, 0, MakeLabel(Panel1, "lEbDek", 128), numericField(Panel1, "eDek", 128, Field::eDek));
    AddPair(plane, 2, 0, MakeLabel(Panel1, "lHalb", 106), numericField(Panel1, "eHalb", 0, Field::eHalb));
    AddPair(plane, 3, 0, MakeLabel(Panel1, "Label27", 43), numericField(Panel1, "eVergr", 0, Field::eVergr));
    // The way to the second panel sits right of the distance field.
    plane->addWidget(MakeButton(Panel1, "Button1", 15), 3, 2);

    QGridLayout* hours = column();
    hours->addWidget(MakeLabel(Panel1, "lStMark", 102), 0, 0, 1, 2);
    AddPair(hours, 1, 0, MakeLabel(Panel1, "lStart", 110), MakeSpin(Panel1, "eStart", kHourFromRange));
    AddPair(hours, 2, 0, MakeLabel(Panel1, "LEnd", 111), MakeSpin(Panel1, "eEnd", kHourToRange));
    AddPair(hours, 3, 0, MakeSpin(Panel1, "eLph", kLinesPerHourRange), MakeLabel(Panel1, "Label26", 33));

    QGridLayout* year = column();
    AddPair(year, 0, 0, MakeLabel(Panel1, "lJahr", 116), numericField(Panel1, "ejahr", 0, Field::ejahr));
    year->addWidget(MakeCheckBox(Panel1, "chBSchatt", 127), 1, 0, 1, 2);
    QLineEdit* date = MakeEdit(Panel1, "MaskEdit1");
    date->setInputMask(QStringLiteral("00/00;_"));
    date->setFixedWidth(kFieldWidthPx);
    AddPair(year, 2, 0, MakeLabel(Panel1, "lbSchatt", 117), date);
    year->addWidget(MakeCheckBox(Panel1, "ChBRiseSet", 30), 3, 0, 1, 2);

    row->addWidget(new RadioGroup(QStringLiteral("rgAnzahl"), 50, 1, Panel1), 0, Qt::AlignTop);
    row->addStretch(1);
}

void MainWindow::buildInputPanel2()
{
    Panel2 = MakePanel(central_, "Panel2");
    Panel2->setToolTip(QString::fromLatin1(kPanelHint));
    auto* row = new QHBoxLayout(Panel2);
    row->setContentsMargins(8, 4, 8, 4);

    auto* first = new QVBoxLayout;
    row->addLayout(first);
    first->addWidget(MakeLabel(Panel2, "Label3", 200));
    auto* kind = new RadioGroup(QStringLiteral("rgTyp"), 31, 1, Panel2);
    first->addWidget(kind);
    first->addWidget(MakeButton(Panel2, "bMore2", 15));

    auto* method = new RadioGroup(QStringLiteral("rgMittelwert"), 40, 2, Panel2);
    row->addWidget(method);

    auto* hints = new QVBoxLayout;
    row->addLayout(hints);
    hints->addWidget(MakeLabel(Panel2, "lOptimier", 126));
    hints->addWidget(MakeLabel(Panel2, "Label4", 20));
    hints->addStretch(1);

    QFrame* pFehler = MakePanel(Panel2, "pFehler");
    auto* errors = new QGridLayout(pFehler);
    errors->setContentsMargins(6, 2, 6, 2);
    errors->addWidget(MakeLabel(pFehler, "Label21", 90), 0, 0, 1, 4);
    errors->addWidget(MakeLabel(pFehler, "Label5", 112), 1, 0, 1, 2);
    errors->addWidget(MakeLabel(pFehler, "Label6", 113), 1, 2, 1, 2);
    AddPair(errors, 2, 0, MakeLabel(pFehler, "Label22", 110), MakeSpin(pFehler, "efStart", kErrorHourFromRange));
    AddPair(errors, 2, 2, MakeLabel(pFehler, "Label23", 111), MakeSpin(pFehler, "efEnd", kErrorHourToRange));
    errors->addWidget(MakeCheckBox(pFehler, "chbGenau", 31), 3, 0, 1, 4);
    row->addWidget(pFehler);
    row->addStretch(1);
    Panel2->hide();
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
    new ExportPanel(*this, {.calculate =
                                [this] {
                                    const Recalculation r =
                                        OnCalculateClicked(model_, *host_, *redraw_, RecalcSource::BitBtn1);
                                    refreshAfterCalculation();
                                    return r.errorCode == kErrorNone;
                                },
                            .workingDir = paths_.workingDir});
    new TableExportDialog(*this, paths_.workingDir);
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
        control<RadioGroup>("rgAuswahl")->setItemIndex(model_.params.dialType);
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
