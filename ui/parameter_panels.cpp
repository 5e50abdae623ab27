#include "ui/parameter_panels.h"

#include "core/input_panel.h"
#include "ui/field_comforts.h"
#include "ui/radio_group.h"
#include "ui/widgets.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>

namespace umbrix {

namespace {

constexpr const char* kPanelHint = "Change input panel with right mouse click";
constexpr int kFieldWidthPx = 70;
constexpr int kRowHeightPx = 26;
constexpr int kColumnGapPx = 6;

/// A label and its control side by side in a grid cell pair.
void AddPair(QGridLayout* grid, int row, int column, QWidget* label, QWidget* control)
{
    grid->addWidget(label, row, column);
    grid->addWidget(control, row, column + 1);
}

/// A panel below the page control: named, raised, with the hint how to change it.
void SetUpPanel(QFrame& panel, const char* name)
{
    panel.setObjectName(QString::fromLatin1(name));
    panel.setProperty("tag", 0);
    panel.setFrameShape(QFrame::StyledPanel);
    panel.setFrameShadow(QFrame::Raised);
    panel.setToolTip(QString::fromLatin1(kPanelHint));
}

} // namespace

QLineEdit* MakeNumericField(QWidget* parent, const char* name, int tag)
{
    QLineEdit* edit = MakeEdit(parent, name, tag);
    edit->setFixedWidth(kFieldWidthPx);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

QWidget* ParameterPanel::field(const char* name, int tag, Field check, QWidget* unitControl)
{
    QLineEdit* edit = MakeNumericField(this, name, tag);
    fields_.emplace_back(edit, check);
    return WithUnit(*edit, check, unitControl);
}

ParameterPanel::ParameterPanel(QWidget* parent) : QFrame(parent)
{
    SetUpPanel(*this, "Panel1");
    // Four columns of fields side by side, the marks per month beside them, and the switches in a row
    // below: the long captions of the check boxes would otherwise widen the columns beyond the window.
    auto* panel = new QVBoxLayout(this);
    panel->setContentsMargins(8, 3, 8, 3);
    panel->setSpacing(2);
    auto* row = new QHBoxLayout;
    row->setSpacing(kColumnGapPx);
    panel->addLayout(row);
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
    AddPair(site, 0, 0, MakeLabel(this, "lBreit", 103), field("eBreit", 103, Field::eBreit));
    AddPair(site, 1, 0, MakeLabel(this, "lLang", 104), field("eLang", 0, Field::eLang));
    AddPair(site, 2, 0, MakeLabel(this, "lZone", 105), field("eZone", 0, Field::eZone));
    // The year has no unit: its row runs on under the units, so that its long caption leaves the column of
    // the captions narrow enough for the longitude's unit to name its sign convention.
    auto* year = new QHBoxLayout;
    year->setSpacing(site->horizontalSpacing());
    year->addWidget(MakeLabel(this, "lJahr", 116));
    year->addStretch(1);
    year->addWidget(field("ejahr", 0, Field::ejahr));
    site->addLayout(year, 3, 0, 1, 2);

    QGridLayout* gnomon = column();
    AddPair(gnomon, 0, 0, MakeLabel(this, "lGnomInc", 108), field("eGnomInc", 0, Field::eGnomInc));
    AddPair(gnomon, 1, 0, MakeLabel(this, "lgDek", 107), field("eGnomDek", 0, Field::eGnomDek));
    AddPair(gnomon, 2, 0, MakeLabel(this, "lHoehe", 109), field("eHoehe", 0, Field::eHoehe));
    QLineEdit* date = MakeEdit(this, "MaskEdit1");
    date->setInputMask(QStringLiteral("00/00;_"));
    date->setFixedWidth(kFieldWidthPx);
    AddPair(gnomon, 3, 0, MakeLabel(this, "lbSchatt", 117), date);

    QGridLayout* plane = column();
    AddPair(plane, 0, 0, MakeLabel(this, "lEbNeig", 129), field("eIncl", 0, Field::eIncl));
    AddPair(plane, 1, 0, MakeLabel(this, "lEbDek", 128), field("eDek", 128, Field::eDek));
    AddPair(plane, 2, 0, MakeLabel(this, "lHalb", 106), field("eHalb", 0, Field::eHalb, MakeLengthUnitChoice(this)));
    AddPair(plane, 3, 0, MakeLabel(this, "Label27", 43), field("eVergr", 0, Field::eVergr));

    QGridLayout* hours = column();
    hours->addWidget(MakeLabel(this, "lStMark", 102), 0, 0, 1, 2);
    AddPair(hours, 1, 0, MakeLabel(this, "lStart", 110), MakeSpin(this, "eStart", kHourFromRange));
    AddPair(hours, 2, 0, MakeLabel(this, "LEnd", 111), MakeSpin(this, "eEnd", kHourToRange));
    AddPair(hours, 3, 0, MakeSpin(this, "eLph", kLinesPerHourRange), MakeLabel(this, "Label26", 33));

    row->addWidget(new RadioGroup(QStringLiteral("rgAnzahl"), 50, 1, this), 0, Qt::AlignTop);
    row->addStretch(1);

    auto* switches = new QHBoxLayout;
    switches->setSpacing(kColumnGapPx);
    panel->addLayout(switches);
    switches->addWidget(MakeCheckBox(this, "chBzonzeit", 115));
    switches->addWidget(MakeCheckBox(this, "chBSchatt", 127));
    switches->addWidget(MakeCheckBox(this, "ChBRiseSet", 30));
    switches->addStretch(1);
    // The way to the second panel.
    switches->addWidget(MakeButton(this, "Button1", 15));

    // Tab goes down each column, then on to the next column, then along the switches, as the panel reads.
    ChainTabOrder(*this, {"eBreit",    "eLang", "eZone",    "ejahr",      "eGnomInc",  "eGnomDek",   "eHoehe",
                          "MaskEdit1", "eIncl", "eDek",     "eHalb",      "cbEinheit", "eVergr",     "eStart",
                          "eEnd",      "eLph",  "rgAnzahl", "chBzonzeit", "chBSchatt", "ChBRiseSet", "Button1"});
}

SplitDialPanel::SplitDialPanel(QWidget* parent) : QFrame(parent)
{
    SetUpPanel(*this, "Panel2");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 8, 4);

    auto* first = new QVBoxLayout;
    row->addLayout(first);
    first->addWidget(MakeLabel(this, "Label3", 200));
    auto* kind = new RadioGroup(QStringLiteral("rgTyp"), 31, 1, this);
    first->addWidget(kind);
    first->addWidget(MakeButton(this, "bMore2", 15));

    auto* method = new RadioGroup(QStringLiteral("rgMittelwert"), 40, 2, this);
    row->addWidget(method);

    auto* hints = new QVBoxLayout;
    row->addLayout(hints);
    hints->addWidget(MakeLabel(this, "lOptimier", 126));
    hints->addWidget(MakeLabel(this, "Label4", 20));
    hints->addStretch(1);

    QFrame* pFehler = MakePanel(this, "pFehler");
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
    ChainTabOrder(*this, {"rgTyp", "bMore2", "rgMittelwert", "efStart", "efEnd", "chbGenau"});
    hide();
}

} // namespace umbrix
