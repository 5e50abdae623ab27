// The page control with its five pages, the drawing of the construction and the view of it.

#include "core/input_panel.h"
#include "graphics/construction.h"
#include "graphics/surface_redraw.h"
#include "text/texts.h"
#include "ui/about_panel.h"
#include "ui/accuracy_page.h"
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
#include "ui/simulation_page.h"
#include "ui/table_pages.h"
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
// The calculation button stands in the drawing's bottom-right corner: this far from its right edge, and
// this far above its bottom edge, clear of the red question about year-round use whose text begins 20 px
// above the bottom.
constexpr int kCalculateButtonRightPx = 25;
constexpr int kCalculateButtonBottomPx = 26;

} // namespace

void MainWindow::buildPages()
{
    PgCtrl = new QTabWidget(central_);
    PgCtrl->setObjectName(QStringLiteral("PgCtrl"));
    PgCtrl->setProperty("tag", 620);
    graphicPage_ = new GraphicPage(44, PgCtrl);
    PgCtrl->addTab(graphicPage_, QString());
    TSGrafik = graphicPage_;
    TsDat = new HourTablePage(45, model_.state.language, PgCtrl);
    PgCtrl->addTab(TsDat, QString());
    tsShade = new ShadowTablePage(46, PgCtrl);
    PgCtrl->addTab(tsShade, QString());
    datePage_ = new DateMarkPage(47, largeScreen_, PgCtrl);
    PgCtrl->addTab(datePage_, QString());
    TSAnaDat = datePage_;
    slopePage_ = new FigureEightPage(48, PgCtrl);
    PgCtrl->addTab(slopePage_, QString());
    tsSlope = slopePage_;
    accuracyPage_ = new AccuracyPage(model_, PgCtrl);
    PgCtrl->addTab(accuracyPage_, QString());
    simulationPage_ = new SimulationPage(model_, PgCtrl);
    PgCtrl->addTab(simulationPage_, QString());
    buildPlannerPage();
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
    StrGridDat = datePage_->dates();
    pSplit = datePage_->splitPanel();
    pErrGraph = datePage_->errorPanel();
    ImError = datePage_->errorGraph();
    numericFields_.emplace_back(datePage_->riseSetField(), Field::eRiseSet);
    TSAnaDat->installEventFilter(this);
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
    datePage_->layOut();
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
        StoreDrawing(model_, model_.drawing,
                     DrawConstruction(model_, model_.drawing, surface, ScreenDrawOptions(view_, &errorSurface, host_)));
        canvasPen_ = surface.pen;
        canvasBrush_ = surface.brush;
        canvasFont_ = surface.font;
    }
    drawPointMark(canvas);
    ++drawCount_;
    showScaleAndTime();
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
