#include "ui/main_window.h"

#include "core/axes.h"
#include "core/input_panel.h"
#include "core/numeric.h"
#include "export/config_file.h"
#include "ui/grid_view.h"
#include "ui/image_view.h"
#include "ui/key_filter.h"
#include "ui/message_host.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFocusEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>

#include <charconv>
#include <cmath>

namespace umbrix {

namespace {

constexpr const char* kWindowCaption = "Umbrix,  vers. 2.6 ";
constexpr int kLargeFontDpi = 95;      // above this logical resolution the screen uses large fonts
constexpr int kLargeScreenWidth = 999; // wider screens count as large

std::string WithSlash(QString dir)
{
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return FromQt(dir);
}

} // namespace

// The driver's view of the window: pages, the shadow-path tab and the drawing.
class MainWindow::WindowRedraw : public Redraw {
public:
    explicit WindowRedraw(MainWindow& window) : w_(window) {}

    void rememberActivePage() override { w_.rememberedPage_ = w_.PgCtrl->currentIndex(); }
    void restoreActivePage() override
    {
        if (w_.PgCtrl->isTabVisible(w_.rememberedPage_))
            w_.PgCtrl->setCurrentIndex(w_.rememberedPage_);
    }
    void showShadowPathTab(bool visible) override
    {
        w_.PgCtrl->setTabVisible(static_cast<int>(Page::tsShade), visible);
    }
    void construction(const Model&) override
    {
        w_.drawingBlanked_ = false;
        w_.drawConstruction();
    }
    void blank() override
    {
        w_.drawingBlanked_ = true;
        w_.blankDrawing();
    }
    void writeErrorBanner(std::string_view text) override { w_.writeErrorBanner(text); }

private:
    MainWindow& w_;
};

WindowPaths WindowPaths::FromEnvironment()
{
    WindowPaths paths;
    paths.programDir = WithSlash(QCoreApplication::applicationDirPath());
    paths.userDir =
        WithSlash(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/umbrix"));
    paths.dataDirs = {WithSlash(QStringLiteral(UMBRIX_DATA_DIR)), WithSlash(QStringLiteral(UMBRIX_SOURCE_DIR "/data"))};
    paths.workingDir = FromQt(QDir::currentPath());
    return paths;
}

MainWindow::MainWindow(WindowOptions options, QWidget* parent)
    : QMainWindow(parent), paths_(std::move(options.paths)), redraw_(std::make_unique<WindowRedraw>(*this))
{
    setObjectName(QStringLiteral("Form1"));
    InitDefaults(model_);

    // Screen metrics decide whether the small-screen hint is shown and how the date page is laid out.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        largeFont_ = screen->logicalDotsPerInch() > kLargeFontDpi;
        largeScreen_ = screen->size().width() > kLargeScreenWidth;
    }

    central_ = new QWidget(this);
    central_->setObjectName(QStringLiteral("ClientArea"));
    central_->installEventFilter(this);
    setCentralWidget(central_);
    buildPages();
    buildInputPanel1();
    buildInputPanel2();
    buildHiddenPanels();
    buildMenus();
    connectInputs();

    // The waiting panel shows the progress of the long optimisation whoever shows the messages.
    ProgressDisplay waitingPanel{
        .begin =
            [this](int total) {
                ProgressBar1->setRange(0, std::max(total, 1));
                ProgressBar1->setValue(0);
                pGeduld->show();
                pGeduld->raise();
                pGeduld->repaint();
            },
        .step =
            [this] {
                ProgressBar1->setValue(ProgressBar1->value() + 1);
                repaint();
            },
        .end = [this] { pGeduld->hide(); },
    };
    if (options.host) {
        host_ = options.host;
        if (auto* recording = dynamic_cast<RecordingWindowHost*>(options.host))
            recording->setProgressDisplay(std::move(waitingPanel));
    } else {
        ownHost_ = std::make_unique<MessageBoxHost>(this, std::move(waitingPanel));
        host_ = ownHost_.get();
    }

    setWindowTitle(QString::fromLatin1(kWindowCaption));
    // Without a window manager nobody maximises the window, so it is also given the whole screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);

    readStartConfiguration();
    DialParameters& p = model_.params;
    p.cosPlaneGnomon = Guard(std::cos((p.planeInclination - p.gnomonInclination) * degToRad), 1e-7);
    UpdateAxes(p, model_.state);
    applyControlStates(ConfigureInputPanel(model_));
    ResetView(view_);
    RelabelAll();
    // The menu gets its captions now too, so that the menu bar has its height before the first layout.
    RelabelMenu();

    qApp->installEventFilter(new KeyPreview(
        this,
        [this](const QKeyEvent& key) {
            const ViewAction action = ViewActionForQtKey(key.key(), key.modifiers(), graphicPageShown());
            if (action == ViewAction::None)
                return false;
            zoomClicked(action);
            return true;
        },
        {QKeyCombination(Qt::ControlModifier, Qt::Key_D), QKeyCombination(Qt::ControlModifier, Qt::Key_E)}));
}

MainWindow::~MainWindow() = default;

void MainWindow::readStartConfiguration()
{
    const std::optional<std::string> path = FindStartConfiguration(paths_.programDir, paths_.userDir, paths_.dataDirs);
    if (path) {
        const ConfigurationRead read = LoadConfigurationFile(model_, *path);
        showMessages(read.messages);
    }
    // The configuration may have changed the language, the shadow date and the switches without a
    // control of their own in ShowParameters.
    const SharedState& s = model_.state;
    control<QLineEdit>("MaskEdit1")->setText(ToQt(s.shadowDateText));
    control<QLabel>("lDat2")->setText(ToQt(s.shadowDateCaption));
    control<QCheckBox>("ChBRiseSet")->setChecked(s.markRiseSet);
    control<QCheckBox>("chBSchatt")->setChecked(s.showShadowPath);
    control<RadioGroup>("rgAuswahl")->setItemIndex(model_.params.dialType);
    refreshGrids();
}

void MainWindow::activateOnce()
{
    if (activated_)
        return;
    activated_ = true;
    // The client area takes its final size (below the menu bar) before the first drawing is fitted to it.
    if (layout())
        layout()->activate();
    applyControlStates(ShowParameters(model_));
    model_.state.dialTitle = DialTitle(model_);
    RelabelMenu();
    pSplit->setVisible(model_.params.marksMode == 2);
    UpdateAxes(model_.params, model_.state);
    (void)Recalculate(model_, *host_, RecalcSource::Activation, *redraw_);
    refreshAfterCalculation();
}

bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        activateOnce();
    return QMainWindow::event(event);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Without a window manager nobody gives the window the keyboard, and it may never be activated; it
    // asks for the keyboard itself and is ready once it is shown.
    if (!activated_) {
        activateWindow();
        QMetaObject::invokeMethod(this, &MainWindow::activateOnce, Qt::QueuedConnection);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A menu or another window taking the focus for a moment does not leave the field.
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason ||
            reason == Qt::MenuBarFocusReason || inFieldExit_)
            break;
        for (const auto& [edit, field] : numericFields_)
            if (watched == edit) {
                numericFieldExit(field);
                return false;
            }
        if (watched == control<QLineEdit>("MaskEdit1"))
            MaskEdit1Exit();
        break;
    }
    case QEvent::Resize:
        // The client area below the menu bar changes with the window and with the menu bar's height.
        if (watched == central_)
            FormResize();
        break;
    case QEvent::MouseMove:
        if (watched == Panel1 || watched == Panel2) {
            // The hint about the right click is shown only for the first few moves.
            if (++panelHintCounter_ > 6) {
                Panel1->setToolTip(QString());
                Panel2->setToolTip(QString());
            }
        }
        break;
    case QEvent::MouseButtonPress:
        if ((watched == Panel1 || watched == Panel2) && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton &&
            model_.params.dialType == 6) {
            swapInputPanels(false);
            return true;
        }
        break;
    case QEvent::ContextMenu:
        if ((watched == Panel1 || watched == Panel2) && model_.params.dialType == 6)
            return true;
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showMessages(const std::vector<UiMessage>& messages)
{
    for (const UiMessage& m : messages)
        host_->showMessage(m.caption, m.text, m.icon);
}

void MainWindow::applyControlStates(const std::vector<ControlState>& states)
{
    for (const ControlState& state : states)
        applyControlState(state);
}

void MainWindow::applyControlState(const ControlState& state)
{
    QWidget* widget = findChild<QWidget*>(ToQt(state.name));
    if (!widget)
        return;
    const QSignalBlocker blocker(widget);

    // A page of the page control is shown or hidden by its tab.
    if (const int page = PgCtrl->indexOf(widget); page >= 0) {
        if (state.visible)
            PgCtrl->setTabVisible(page, *state.visible);
        if (state.enabled)
            PgCtrl->setTabEnabled(page, *state.enabled);
        if (state.text)
            PgCtrl->setTabText(page, ToQt(*state.text));
        return;
    }

    if (state.text) {
        const QString text = ToQt(*state.text);
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            edit->setText(text);
        else if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(text);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setText(text);
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            group->setTitle(text);
        else if (auto* spin = qobject_cast<QSpinBox*>(widget))
            spin->setValue(text.trimmed().toInt());
    }
    if (state.item) {
        if (auto* group = qobject_cast<RadioGroup*>(widget))
            group->setItemIndex(*state.item);
        else if (auto* spin = qobject_cast<QSpinBox*>(widget))
            spin->setValue(*state.item);
    }
    if (state.checked)
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setChecked(*state.checked);
    if (state.enabled)
        widget->setEnabled(*state.enabled);
    if (state.visible)
        widget->setVisible(*state.visible);
    if (state.yellow) {
        if (*state.yellow) {
            QPalette palette = widget->palette();
            for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                palette.setColor(group, QPalette::Base, kDisabledYellow);
            widget->setPalette(palette);
        } else {
            widget->setPalette(QPalette());
        }
    }
}

void MainWindow::refreshGrids()
{
    const Grids& g = model_.grids;
    control<GridView>("StrGridStd")->showGrid(g.StrGridStd);
    control<GridView>("StrGridShad")->showGrid(g.StrGridShad);
    control<GridView>("StrGridDat")->showGrid(g.StrGridDat);
    control<GridView>("StrGrid8")->showGrid(g.StrGrid8);
    control<GridView>("StrGrid8b")->showGrid(g.StrGrid8b);
    control<GridView>("StrGridEin")->showGrid(g.StrGridEin);
    control<GridView>("StrMittel")->showGrid(g.StrMittel);
    control<QLabel>("lKoordAufUnter")->setText(ToQt(g.lKoordAufUnter));
}

void MainWindow::refreshAfterCalculation()
{
    refreshGrids();
    control<QLabel>("lmaxErrAbs")->setText(ToQt(model_.drawing.maxErrorText));
    control<QLabel>("Label1")->setVisible(!model_.state.showShadowPath);
    updateShadowDateLabel();
}

} // namespace umbrix
