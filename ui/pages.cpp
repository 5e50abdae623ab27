// The page control with its five pages, the drawing of the construction and the view of it.

#include "core/input_panel.h"
#include "graphics/construction.h"
#include "graphics/surface_redraw.h"
#include "text/texts.h"
#include "ui/about_panel.h"
#include "ui/figure_eight_page.h"
#include "ui/fit_view.h"
#include "ui/graphic_page.h"
#include "ui/grid_view.h"
#include "ui/image_view.h"
#include "ui/main_window.h"
#include "ui/own_labels.h"
#include "ui/qt_surface.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/widgets.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QProgressBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include <cmath>

namespace umbrix {

namespace {

constexpr int kPanelGap = 5;     // between the page control and the input panel below it
constexpr int kPageMarginPx = 5; // tables keep this distance from the page's edges
constexpr int kErrorGraphHeightLarge = 290;
constexpr int kErrorGraphHeightSmall = 240;
// The calculation button stands in the drawing's bottom-right corner: this far from its right edge, and
// this far above its bottom edge, clear of the red question about year-round use whose text begins 20 px
// above the bottom.
constexpr int kCalculateButtonRightPx = 25;
constexpr int kCalculateButtonBottomPx = 26;

/// A page of the page control; `helpContext` is the help topic the page stands for.
QWidget* MakePage(QTabWidget* tabs, const char* name, int tag, int helpContext)
{
    auto* page = new QWidget(tabs);
    page->setObjectName(QString::fromLatin1(name));
    page->setProperty("tag", tag);
    page->setProperty("helpContext", helpContext);
    // The captions come from the text table when the window is relabelled.
    tabs->addTab(page, QString());
    return page;
}

/// A column with the save button at the bottom beside a table.
QVBoxLayout* SideColumn(QBoxLayout* row)
{
    auto* column = new QVBoxLayout;
    row->addLayout(column);
    return column;
}

} // namespace

void MainWindow::buildPages()
{
    PgCtrl = new QTabWidget(central_);
    PgCtrl->setObjectName(QStringLiteral("PgCtrl"));
    PgCtrl->setProperty("tag", 620);
    graphicPage_ = new GraphicPage(44, PgCtrl);
    PgCtrl->addTab(graphicPage_, QString());
    TSGrafik = graphicPage_;
    TsDat = MakePage(PgCtrl, "TsDat", 14, 45);
    tsShade = MakePage(PgCtrl, "tsShade", 16, 46);
    TSAnaDat = MakePage(PgCtrl, "TSAnaDat", 15, 47);
    slopePage_ = new FigureEightPage(48, PgCtrl);
    PgCtrl->addTab(slopePage_, QString());
    tsSlope = slopePage_;
    connectGraphicPage();
    buildTablePages();
    connectSlopePage();
    connect(PgCtrl, &QTabWidget::currentChanged, this, &MainWindow::pageChanged);
}

void MainWindow::connectGraphicPage()
{
    ToolBar1 = graphicPage_->toolBar();
    Image1 = graphicPage_->image();
    BitBtn1 = graphicPage_->calculateButton();
    connect(Image1, &ImageView::leftPressed, this, [this](QPoint p) { StartDrag(view_, p.x(), p.y()); });
    connect(Image1, &ImageView::droppedAt, this, [this](QPoint p) {
        if (DropDrag(view_, p.x(), p.y()))
            drawConstruction();
    });
}

void MainWindow::buildTablePages()
{
    // Hour marks.
    {
        // The table 3 above the bottom of the page, its save button 8 right of it and 10 above the bottom.
        auto* row = new QHBoxLayout(TsDat);
        row->setContentsMargins(kPageMarginPx, kPageMarginPx, kPageMarginPx, 3);
        row->setSpacing(8);
        auto* left = new QVBoxLayout;
        row->addLayout(left, 1);
        left->addWidget(MakeLabel(TsDat, "Label19", 32));
        left->addWidget(new GridView(QStringLiteral("StrGridStd"), 0, TsDat), 1);
        auto* side = SideColumn(row);
        auto* koord = new RadioGroup(QStringLiteral("rgKoordAusg"), 75, 1, TsDat);
        koord->setItems({ToQt(LabelRow(model_.state.language, LabelId::HourPointsAsXY)),
                         ToQt(LabelRow(model_.state.language, LabelId::HourPointsAsDistances))});
        side->addWidget(koord);
        side->addStretch(1);
        side->addWidget(MakeButton(TsDat, "BtnTsDat", 17));
        side->addSpacing(10 - 3);
    }
    // Shadow path.
    {
        // The table 5 above the bottom of the page, its save button 8 right of it and 10 above the bottom.
        auto* column = new QVBoxLayout(tsShade);
        column->setContentsMargins(kPageMarginPx, kPageMarginPx, kPageMarginPx, kPageMarginPx);
        auto* head = new QHBoxLayout;
        column->addLayout(head);
        head->addWidget(MakeLabel(tsShade, "Label2", 0));
        head->addWidget(MakeLabel(tsShade, "lDat2", 0));
        head->addSpacing(20);
        head->addWidget(MakeLabel(tsShade, "Label1", 220));
        head->addStretch(1);
        auto* row = new QHBoxLayout;
        row->setSpacing(8);
        column->addLayout(row, 1);
        row->addWidget(new GridView(QStringLiteral("StrGridShad"), 0, tsShade), 1);
        auto* side = SideColumn(row);
        side->addStretch(1);
        side->addWidget(MakeButton(tsShade, "BtnTsShade", 17));
        side->addSpacing(10 - kPageMarginPx);
    }
    buildDatePage();
}

void MainWindow::buildErrorPanel(QWidget* page)
{
    pErrGraph = MakePanel(page, "pErrGraph");
    auto* grid = new QGridLayout(pErrGraph);
    grid->setContentsMargins(6, 6, 6, 6);
    auto* title = MakeLabel(pErrGraph, "Label14", 91);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    grid->addWidget(title, 0, 0, 1, 4);
    grid->addWidget(MakeLabel(pErrGraph, "Label13", 93), 1, 0, 1, 2);
    grid->addWidget(numericField(pErrGraph, "eRiseSet", 0, Field::eRiseSet), 1, 2);
    grid->addWidget(MakeLabel(pErrGraph, "Label20", 24), 1, 3);
    grid->addWidget(MakeLabel(pErrGraph, "lRise", 94), 2, 0, 1, 2);
    grid->addWidget(MakeLabel(pErrGraph, "lKoordAufUnter", 0), 2, 2, 1, 2);
    ImError = new ImageView(QStringLiteral("ImError"), 0, pErrGraph);
    // A fixed size: the graph is drawn while its page may not be laid out yet.
    const int graphHeight = largeScreen_ ? kErrorGraphHeightLarge : kErrorGraphHeightSmall;
    ImError->setFixedSize(graphHeight * 3 / 2, graphHeight);
    grid->addWidget(ImError, 3, 0, 1, 4, Qt::AlignHCenter);
    grid->addWidget(MakeLabel(pErrGraph, "lmaxErr", 92), 4, 0);
    grid->addWidget(MakeLabel(pErrGraph, "lmaxErrAbs", 0), 4, 1);
    grid->addWidget(MakeLabel(pErrGraph, "lmaxTxt", 25), 4, 2, 1, 2);
    grid->addWidget(MakeCheckBox(pErrGraph, "ChBLambert", 95), 5, 0, 1, 4);
    grid->setColumnStretch(2, 1);
}

void MainWindow::buildHiddenPanels()
{
    // The waiting panel of the long optimisation.
    pGeduld = MakePanel(central_, "pGeduld");
    MakeOpaque(*pGeduld);
    auto* wait = new QVBoxLayout(pGeduld);
    wait->addWidget(MakeLabel(pGeduld, "Label11", 0, "Bitte warten ... / Please wait ..."));
    ProgressBar1 = new QProgressBar(pGeduld);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    wait->addWidget(ProgressBar1);
    pGeduld->setFixedSize(360, 80);
    pGeduld->hide();

    pAbout = new AboutPanel(central_);
    connect(pAbout, &AboutPanel::linkClicked, this, &MainWindow::openLink);

    // The panel listing the dial types.
    auto* pAuswahl = MakePanel(central_, "pAuswahl");
    auto* choice = new QVBoxLayout(pAuswahl);
    choice->addWidget(MakeLabel(pAuswahl, "Label25", 250));
    auto* types = new RadioGroup(QStringLiteral("rgAuswahl"), 90, 1, pAuswahl);
    choice->addWidget(types);
    connect(types, &RadioGroup::itemClicked, this, &MainWindow::dialTypeChosen);
    pAuswahl->hide();
}

// --- layout ---------------------------------------------------------------------------------------------

void MainWindow::LayoutWindow()
{
    FormResize(); // the page control fills the window above the input panel
    PgCtrl->setCurrentWidget(TSGrafik);

    // The page's own size follows the page control only once it is shown; it is derived here.
    PgCtrl->ensurePolished();
    const int frame = std::max(PgCtrl->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, PgCtrl), 1);
    const int pageHeight = PgCtrl->height() - PgCtrl->tabBar()->sizeHint().height() - 2 * frame;
    ToolBar1->setGeometry(10, 0, ToolBar1->sizeHint().width(), pageHeight);
    const int imageHeight = std::max(pageHeight - 2, 1);
    const int imageWidth = FitImageWidth(std::max(PgCtrl->width() - ToolBar1->width() - 10, 1), imageHeight);
    Image1->setGeometry(ToolBar1->x() + ToolBar1->width() + 10, 0, imageWidth, imageHeight);
    if (QWidget* types = control<QWidget>("pAuswahl"))
        types->move(122, 40);

    // Column widths of the tables.
    const int tableWidth = PgCtrl->width() - 100;
    auto* hours = control<GridView>("StrGridStd");
    hours->setDefaultColumnWidth((std::max(hours->width(), tableWidth) - 80) / 12);
    auto* shade = control<GridView>("StrGridShad");
    shade->setDefaultColumnWidth((std::max(shade->width(), tableWidth) - 80) / 12);
    // The input table of the figure-eight page names its hour columns.
    model_.grids.StrGridEin.setCell(1, 0, std::string(LabelRow(model_.state.language, LabelId::Time)));
    model_.grids.StrGridEin.setCell(3, 0, std::string(LabelRow(model_.state.language, LabelId::Time)));
    StrGridEin->showGrid(model_.grids.StrGridEin);
    layoutDatePage();
    slopePage_->layOut();

    BitBtn1->move(Image1->width() - BitBtn1->width() - kCalculateButtonRightPx,
                  Image1->height() - BitBtn1->height() - kCalculateButtonBottomPx);
}

void MainWindow::FormResize()
{
    const QSize client = central_->size();
    const int panelHeight = std::max({Panel1->sizeHint().height(), Panel2->sizeHint().height(), 105});
    PgCtrl->setGeometry(kPanelGap, 0, std::max(client.width() - 10, 100),
                        std::max(client.height() - panelHeight - kPanelGap, 100));
    for (QFrame* panel : {Panel1, Panel2})
        panel->setGeometry(kPanelGap, PgCtrl->y() + PgCtrl->height(), PgCtrl->width(), panelHeight);
    pGeduld->move((client.width() - pGeduld->width()) / 2, (client.height() - pGeduld->height()) / 3);
}

void MainWindow::pageChanged(int index)
{
    updateShadowDateLabel();
    if (const QWidget* page = PgCtrl->widget(index))
        PgCtrl->setProperty("helpContext", page->property("helpContext"));
}

void MainWindow::updateShadowDateLabel()
{
    control<QLabel>("Label2")->setText(ToQt(LabelRow(model_.state.language, LabelId::ShadowPathOn)) + QLatin1Char(' ') +
                                       ToQt(model_.state.shadowDateText));
    control<QLabel>("lDat2")->setText(ToQt(model_.state.shadowDateCaption));
}

bool MainWindow::graphicPageShown() const
{
    return PgCtrl->currentWidget() == TSGrafik;
}

// --- view -----------------------------------------------------------------------------------------------

void MainWindow::zoomClicked(ViewAction action)
{
    QWidget* const page = PgCtrl->currentWidget();
    bool changed = true;
    switch (action) {
    case ViewAction::None:
        return;
    case ViewAction::ZoomIn:
    case ViewAction::ZoomOut:
        changed = ApplyViewAction(view_, action, model_.drawing.surfaceWidth, model_.drawing.surfaceHeight);
        break;
    case ViewAction::ShiftLeft:
    case ViewAction::ShiftRight:
    case ViewAction::ShiftUp:
    case ViewAction::ShiftDown:
        changed = ApplyViewAction(view_, action, model_.drawing.surfaceWidth, model_.drawing.surfaceHeight);
        break;
    }
    if (changed)
        drawConstruction();
    // The drawing shows the graphic page; the zoom keeps the page the user was on.
    if (action == ViewAction::ZoomIn || action == ViewAction::ZoomOut)
        PgCtrl->setCurrentWidget(page);
}

void MainWindow::resetView()
{
    QWidget* const page = PgCtrl->currentWidget();
    ResetView(view_);
    LayoutWindow();
    drawConstruction();
    PgCtrl->setCurrentWidget(page);
}

void MainWindow::fitToWindow()
{
    QWidget* const page = PgCtrl->currentWidget();
    LayoutWindow();
    view_ = FitViewToImage(model_, view_, *Image1);
    drawConstruction();
    PgCtrl->setCurrentWidget(page);
}

void MainWindow::drawConstruction()
{
    // The drawing is made on the graphic page, but the user stays on the page they are reading.
    QWidget* const page = PgCtrl->currentWidget();
    LayoutWindow();
    model_.drawing.imageWidth = Image1->width();
    model_.drawing.graphicsPageVisible = PgCtrl->isTabVisible(PgCtrl->indexOf(TSGrafik));
    model_.drawing.errorPanelVisible = !pErrGraph->isHidden();
    QImage& canvas = Image1->prepareCanvas();
    QImage& errorCanvas = ImError->prepareCanvas();
    {
        QtSurface surface(canvas);
        QtSurface errorSurface(errorCanvas);
        DrawConstruction(model_, model_.drawing, surface, ScreenDrawOptions(view_, &errorSurface, host_));
        canvasPen_ = surface.pen;
        canvasBrush_ = surface.brush;
        canvasFont_ = surface.font;
    }
    ++drawCount_;
    // The error graph decides about its panel when it has a curve to show.
    pErrGraph->setVisible(model_.drawing.errorPanelVisible);
    control<QLabel>("lmaxErrAbs")->setText(ToQt(model_.drawing.maxErrorText));
    Image1->update();
    ImError->update();
    PgCtrl->setCurrentWidget(page);
}

void MainWindow::blankDrawing()
{
    QImage& canvas = Image1->canvas();
    if (canvas.isNull())
        canvas = Image1->prepareCanvas();
    {
        QtSurface surface(canvas);
        surface.pen = canvasPen_;
        surface.brush = canvasBrush_;
        surface.Rectangle(1, 1, surface.width() - 1, surface.height() - 1);
    }
    Image1->update();
}

void MainWindow::writeErrorBanner(std::string_view text)
{
    QImage& canvas = Image1->canvas();
    if (canvas.isNull())
        return;
    {
        QtSurface surface(canvas);
        surface.font = canvasFont_;
        surface.brush = canvasBrush_;
        surface.TextOut(kErrorBannerLeft, kErrorBannerTop, text);
    }
    Image1->update();
}

} // namespace umbrix
