#include "ui/export_panel.h"

#include "ui/field_comforts.h"

#include "core/driver.h"
#include "core/numeric.h"
#include "export/hpgl_writer.h"
#include "export/plot_export.h"
#include "text/texts.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/widgets.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <exception>

namespace umbrix {

namespace {

constexpr int kHpglHeadingTag = static_cast<int>(ResourceId::SaveConstructionHpgl);
constexpr int kDxfHeadingTag = static_cast<int>(ResourceId::SaveConstructionDxf);
constexpr int kAxisQuestionTag = static_cast<int>(ResourceId::AxisQuestion);
constexpr int kCancelTag = static_cast<int>(ResourceId::Cancel);
constexpr int kScaleOptionsTag = 80; // the two scale options, label rows 107 and 108
constexpr int kScreenLikeItem = 0;   // rgDxf: as on the screen; item 1: scaled by the axis
constexpr const char* kProposedName = "MyDial";
constexpr const char* kTitlePrefix = "UMBRIX.EXE - ";
constexpr int kPanelOffsetPx = 20; // from the top left corner of the drawing

/// The field of the axis shows its value with width 4 and 2 decimals.
QString AxisText(double axis)
{
    return ToQt(FormatFixed(4, 2, axis));
}

} // namespace

ExportPanel::ExportPanel(MainWindow& window, ExportHooks hooks)
    : QFrame(window.findChild<QWidget*>(QStringLiteral("TSGrafik"))), window_(window), hooks_(std::move(hooks))
{
    setObjectName(QStringLiteral("PanSave"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);

    const LanguageState& lang = window_.model().state.language;
    auto* column = new QVBoxLayout(this);
    Label18 = MakeLabel(this, "Label18", kHpglHeadingTag);
    QFont bold = Label18->font();
    bold.setBold(true);
    Label18->setFont(bold);
    column->addWidget(Label18);

    rgDxf = new RadioGroup(QStringLiteral("rgDxf"), kScaleOptionsTag, 1, this);
    rgDxf->setItems({ToQt(LabelRow(lang, LabelId::ScaledToA3)), ToQt(LabelRow(lang, LabelId::InAxisUnits))});
    rgDxf->setItemIndex(screenLikeExport_ ? kScreenLikeItem : 1);
    column->addWidget(rgDxf);

    auto* axisRow = new QHBoxLayout;
    Label16 = MakeLabel(this, "Label16", kAxisQuestionTag);
    EddxfAchs = MakeEdit(this, "EddxfAchs");
    EddxfAchs->setMaximumWidth(EddxfAchs->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
    axisRow->addWidget(Label16);
    axisRow->addWidget(WithUnit(*EddxfAchs, Field::EddxfAchs));
    axisRow->addStretch(1);
    column->addLayout(axisRow);

    auto* buttons = new QHBoxLayout;
    Button3 = MakeButton(this, "Button3", 0, "OK");
    Button4 = MakeButton(this, "Button4", kCancelTag, "Abbrechen");
    buttons->addStretch(1);
    buttons->addWidget(Button3);
    buttons->addWidget(Button4);
    column->addLayout(buttons);
    hide();

    connect(rgDxf, &RadioGroup::itemClicked, this, &ExportPanel::rgDxfClick);
    connect(Button3, &QPushButton::clicked, this, [this] { AchseWaehlen(Button3); });
    connect(Button4, &QPushButton::clicked, this, [this] { AchseWaehlen(Button4); });
    connect(EddxfAchs, &QLineEdit::returnPressed, this, [this] { AchseWaehlen(Button3); });

    tbHpg = window_.findChild<QToolButton*>(QStringLiteral("tbHpg"));
    tbDXF = window_.findChild<QToolButton*>(QStringLiteral("tbDXF"));
    for (QToolButton* tool : {tbHpg, tbDXF})
        if (tool)
            connect(tool, &QToolButton::clicked, this, [this, tool] { AchseWaehlen(tool); });
}

void ExportPanel::AchseWaehlen(QObject* sender)
{
    if (sender && sender == tbHpg)
        open(ExportKind::Hpgl);
    else if (sender && sender == tbDXF)
        open(ExportKind::Dxf);
    else if (sender && sender == Button3)
        confirm();
    else
        hide();
}

void ExportPanel::open(ExportKind kind)
{
    DialParameters& p = window_.model().params;
    p.dxfAxisLength = InitialExportAxis(p.semiMajorAxis);
    EddxfAchs->setText(AxisText(p.dxfAxisLength));
    EddxfAchs->setModified(false);
    rgDxf->setItemIndex(screenLikeExport_ ? kScreenLikeItem : 1);
    showAxisFieldState();
    exportKind_ = kind;
    Label18->setProperty("tag", kind == ExportKind::Hpgl ? kHpglHeadingTag : kDxfHeadingTag);
    relabelHeading();

    if (const QWidget* drawing = window_.findChild<QWidget*>(QStringLiteral("Image1")))
        move(drawing->pos() + QPoint(kPanelOffsetPx, kPanelOffsetPx));
    adjustSize();
    show();
    raise();
    if (!screenLikeExport_) {
        EddxfAchs->setFocus(Qt::OtherFocusReason);
        EddxfAchs->selectAll();
    }
}

void ExportPanel::confirm()
{
    Model& model = window_.model();
    DialParameters& p = model.params;
    const FieldOutcome outcome =
        ValidateField(model, Field::EddxfAchs, FromQt(EddxfAchs->text()), EddxfAchs->isModified());
    if (outcome.text)
        EddxfAchs->setText(ToQt(*outcome.text));
    EddxfAchs->setModified(false);
    for (const ControlState& state : outcome.others)
        if (state.text)
            if (auto* edit = window_.findChild<QLineEdit*>(ToQt(state.name)))
                edit->setText(ToQt(*state.text));
    showMessages(outcome.messages);
    // A rejected axis is not exported: the panel stays open with the stored value in the field.
    if (outcome.handled && !outcome.accepted) {
        EddxfAchs->setFocus(Qt::OtherFocusReason);
        EddxfAchs->selectAll();
        return;
    }

    p.semiMajorAxis = p.dxfAxisLength;
    RefreshAxes(model);
    if (auto* eHalb = window_.findChild<QLineEdit*>(QStringLiteral("eHalb"))) {
        eHalb->setText(AxisText(p.semiMajorAxis));
        eHalb->setModified(false);
    }
    const bool calculated = hooks_.calculate ? hooks_.calculate() : true;
    hide();
    // After a failed calculation the tables do not belong to the parameters; its message has been shown.
    if (calculated)
        tbHpgClick();
}

void ExportPanel::rgDxfClick(int item)
{
    screenLikeExport_ = item == kScreenLikeItem;
    showAxisFieldState();
}

void ExportPanel::showAxisFieldState()
{
    EddxfAchs->setEnabled(!screenLikeExport_);
    QPalette palette = EddxfAchs->palette();
    const QColor colour = palette.color(QPalette::Active, screenLikeExport_ ? QPalette::Button : QPalette::ToolTipBase);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, colour);
    EddxfAchs->setPalette(palette);
}

void ExportPanel::relabelHeading()
{
    const LanguageState& lang = window_.model().state.language;
    for (QWidget* control : std::initializer_list<QWidget*>{Label18, Label16})
        if (const std::string_view text = ResourceText(lang, TagOf(*control)); !text.empty())
            static_cast<QLabel*>(control)->setText(ToQt(text));
}

void ExportPanel::tbHpgClick()
{
    Model& model = window_.model();
    const LanguageState& lang = model.state.language;
    const bool dxf = exportKind_ == ExportKind::Dxf;
    const SaveDialogRequest request{
        .dialog = {.save = true,
                   .title = ToQt(std::string(kTitlePrefix) +
                                 std::string(ResourceText(lang, dxf ? ResourceId::SaveConstructionDxf
                                                                    : ResourceId::SaveConstructionHpgl))),
                   .filter = QtFileFilter(TextRow(lang, TextId::PlotFileFilter)),
                   .defaultSuffix = dxf ? QStringLiteral("dxf") : QStringLiteral("plt"),
                   .fileName = QString::fromLatin1(kProposedName),
                   .directory = ToQt(window_.lastFolder().folder())},
        .filterIndex = dxf ? 2 : 1};
    const std::optional<SaveDialogAnswer> answer =
        chooseFile_ ? chooseFile_(request) : ShowSaveDialog(&window_, request);
    if (!answer)
        return;
    window_.chooseFolderOf(answer->path);

    const ViewState& view = window_.view();
    PlotSettings settings;
    settings.panX = view.panX;
    settings.panY = view.panY;
    settings.axisOrZoom = screenLikeExport_ ? view.zoomFactor : model.params.dxfAxisLength;
    if (model.drawing.lastImageWidth > 0)
        settings.lastImageWidth = model.drawing.lastImageWidth;

    ExportOutcome outcome;
    {
        const WaitCursor wait;
        try {
            outcome = dxf ? ExportDxfFile(model, window_.host(), settings, answer->path)
                          : ExportPlotFile(model, window_.host(), settings, answer->path);
            model.state.doubleAnalemmaActive = outcome.splitDial;
        } catch (const std::exception&) {
            outcome = {false,
                       {{std::string(CaptionText(lang, Caption::Error)),
                         answer->path + std::string(MessageRow(lang, MessageId::CannotSave)), MessageIcon::Error}}};
        }
    }
    showMessages(outcome.messages);
    if (outcome.ok)
        window_.reportSaved(answer->path);
}

void ExportPanel::showMessages(const std::vector<UiMessage>& messages)
{
    for (const UiMessage& m : messages)
        window_.host().showMessage(m.caption, m.text, m.icon);
}

} // namespace umbrix
