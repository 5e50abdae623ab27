#include "ui/main_window.h"

#include "core/number_text.h"
#include "ui/field_comforts.h"

#include "core/driver.h"
#include "core/input_panel.h"
#include "core/numeric.h"
#include "core/split_dial_controls.h"
#include "export/config_file.h"
#include "export/data_paths.h"
#include "text/texts.h"
#include "ui/about_panel.h"
#include "ui/accuracy_page.h"
#include "ui/figure_eight_page.h"
#include "ui/graphic_page.h"
#include "ui/grid_view.h"
#include "ui/help_bridge.h"
#include "ui/help_window.h"
#include "ui/image_view.h"
#include "ui/key_filter.h"
#include "ui/message_host.h"
#include "ui/planner_page.h"
#include "ui/qt_text.h"
#include "ui/qt_translation.h"
#include "ui/radio_group.h"
#include "ui/simulation_page.h"
#include "ui/site_panel.h"
#include "ui/table_pages.h"
#include "ui/window_settings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
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
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QUndoStack>

#include <charconv>
#include <cmath>
#include <cassert>
#include <system_error>

namespace umbrix {

namespace {

constexpr int kLargeFontDpi = 95;       // above this logical resolution the screen uses large fonts
constexpr int kLargeScreenWidth = 999;  // wider screens count as large
constexpr int kLargeFontNamedDpi = 120; // the screen hint names the font "large" from here on
constexpr QSize kSmallestFittingSize(1024, 700);

std::string WithSlash(std::string dir)
{
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    return dir;
}

} // namespace

// The driver's view of the window: pages, the shadow-path tab and the drawing.
class MainWindow::WindowRedraw : public Redraw {
public:
    explicit WindowRedraw(MainWindow& window) : w_(window) {}

    void rememberActivePage() override
    {
        // A point shown from a table is marked until the next calculation.
        w_.marked_.reset();
        w_.calculationTimer_.start();
        const QWidget* page = w_.PgCtrl->currentWidget();
        w_.rememberedPage_ = page ? page->objectName() : QString();
    }
    void restoreActivePage() override
    {
        const int index = w_.PgCtrl->indexOf(w_.PgCtrl->findChild<QWidget*>(w_.rememberedPage_));
        if (index >= 0 && w_.PgCtrl->isTabVisible(index))
            w_.PgCtrl->setCurrentIndex(index);
        if (w_.calculationTimer_.isValid())
            w_.lastCalculationMs_ = static_cast<double>(w_.calculationTimer_.nsecsElapsed()) / 1e6;
        w_.showScaleAndTime();
        w_.updateTitle();
        // Every calculation ends here: the analysis pages follow the dial.
        w_.accuracyPage_->dialChanged();
        w_.simulationPage_->dialChanged();
    }
    void showShadowPathTab(bool visible) override { w_.PgCtrl->setTabVisible(w_.PgCtrl->indexOf(w_.tsShade), visible); }
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
    paths.programDir = WithSlash(FromQt(QCoreApplication::applicationDirPath()));
    paths.userDir = WithSlash(UserConfigDirectory());
    for (const std::string& dir : DataDirectories(paths.programDir))
        paths.dataDirs.push_back(WithSlash(dir));
    paths.workingDir = FromQt(QDir::currentPath());
    return paths;
}

MainWindow::MainWindow(WindowOptions options, QWidget* parent)
    : QMainWindow(parent), paths_(std::move(options.paths)), redraw_(std::make_unique<WindowRedraw>(*this)),
      lastFolder_(paths_.workingDir), openUrl_(std::move(options.openUrl)),
      findHelpFile_(std::move(options.findHelpFile)), pendingFile_(std::move(options.openFile))
{
    setObjectName(QStringLiteral("Form1"));
    qtLanguage_ = new QtDialogLanguage(this);
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
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
    buildInputPanels();
    buildHiddenPanels();
    buildMenus();
    buildStatusBar();
    connectInputs();
    connectPointTables();

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
        .end =
            [this] {
                pGeduld->hide();
                repaint();
            },
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
    setWindowIcon(ProgramIcon());
    if (QGuiApplication::desktopFileName().isEmpty())
        QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
    // Without a window manager nobody maximises the window, so it is also given the whole screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(screen->availableGeometry());
        // Every caption fits its control down to this size; a smaller screen still takes the whole window.
        setMinimumSize(kSmallestFittingSize.boundedTo(screen->availableSize()));
    }
    setWindowState(windowState() | Qt::WindowMaximized);

    readStartConfiguration();
    qtLanguage_->apply(LanguageOf(model_.state.language));
    RefreshAxes(model_);
    applyControlStates(ConfigureInputPanel(model_));
    ResetView(view_);

    // The help page of the stored language; a missing page is reported and help stays unavailable.
    if (!findHelpFile_)
        findHelpFile_ = [dirs = paths_.dataDirs](const std::string& name) { return FindFileIn(dirs, name); };
    const std::vector<std::string>& dataDirs = paths_.dataDirs;
    help_ =
        std::make_unique<HelpBridge>(findHelpFile_, dataDirs.empty() ? paths_.programDir : WithSlash(dataDirs.front()),
                                     options.helpDebug, paths_.programDir, paths_.userDir);
    chooseHelpFile(true);
    RelabelAll();
    // The menu gets its captions now too, so that the menu bar has its height before the first layout.
    RelabelMenu();
    restoreWindowMemory();
    // Files dropped on the window are opened; the drag on the drawing stays a pan.
    setAcceptDrops(true);

    qApp->installEventFilter(new KeyPreview(
        this,
        [this](const QKeyEvent& key) {
            // Escape closes the About panel and the export panel (as their cancel buttons do).
            if (key.key() == Qt::Key_Escape && key.modifiers() == Qt::NoModifier) {
                if (pAbout->isVisible()) {
                    pAbout->hide();
                    return true;
                }
                if (auto* exportPanel = control<QWidget>("PanSave"); exportPanel && exportPanel->isVisible()) {
                    if (auto* cancel = exportPanel->findChild<QPushButton*>(QStringLiteral("Button4")))
                        cancel->click();
                    else
                        exportPanel->hide();
                    return true;
                }
            }
            const ViewAction action = ViewActionForQtKey(key.key(), key.modifiers(), graphicPageShown());
            if (action == ViewAction::None)
                return false;
            zoomClicked(action);
            return true;
        },
        {QKeyCombination(Qt::ControlModifier, Qt::Key_D), QKeyCombination(Qt::ControlModifier, Qt::Key_E),
         QKeyCombination(Qt::ControlModifier, Qt::Key_0),
         QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_0)}));
}

MainWindow::~MainWindow()
{
    // The undo stack, a child, is cleared as it goes and reports it: by then the window is half gone.
    if (undoStack_)
        undoStack_->disconnect(this);
}

void MainWindow::readStartConfiguration()
{
    const std::optional<std::string> path = FindStartConfiguration(paths_.programDir, paths_.userDir, paths_.dataDirs);
    if (path) {
        const ConfigurationRead read = LoadConfigurationFile(model_, *path);
        showMessages(read.messages);
        if (read.dial)
            ApplyConfiguredDial(model_, *read.dial);
    }
    // The document starts untitled. Its language: the one last chosen in the window's menu, else the one a
    // start configuration of the user's ("umbrix.ini") carries, else the system's; the start configuration
    // that ships with the program does not decide it.
    const int remembered = ReadWindowMemory().languageIndex;
    const bool userConfiguration = path && QFileInfo(ToQt(*path)).fileName() == QStringLiteral("umbrix.ini");
    const Language language = remembered != 0 ? LanguageOf({remembered, 0})
                              : userConfiguration ? LanguageOf(model_.state.language)
                              : SystemLanguageIsGerman() ? Language::German
                                                         : Language::English;
    umbrix::SetLanguage(model_, language);
    // The configuration may have changed the language, the shadow date and the switches without a
    // control of their own in ShowParameters.
    const SharedState& s = model_.state;
    control<QLineEdit>("MaskEdit1")->setText(ToQt(s.shadowDateText));
    control<QLabel>("lDat2")->setText(ToQt(s.shadowDateCaption));
    control<QCheckBox>("ChBRiseSet")->setChecked(s.markRiseSet);
    control<QCheckBox>("chBSchatt")->setChecked(s.showShadowPath);
    control<RadioGroup>("rgAuswahl")->setItemIndex(DialTypeNumber(model_.params.dialType));
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
    (void)OnWindowActivated(model_, *host_, *redraw_, [this](const std::vector<ControlState>& states) {
        applyControlStates(states);
        RelabelMenu();
        applySplitVariant();
        applyControlStates(rgAnzeigeClick(0));
        control<QLabel>("lOptimier")
            ->setVisible(model_.params.doubleAnalemmaMethod != DoubleAnalemmaMethod::ExactAtTwoHours);
    });
    refreshAfterCalculation();
    // The start configuration as the first calculation leaves it is the untitled document, unchanged.
    startDocument();
    updateTitle();
    showRememberedPage();
    if (pendingFile_) {
        const std::string file = *pendingFile_;
        pendingFile_.reset();
        (void)openConfiguration(file);
    }
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
    // The hint for a small screen comes before the first activation.
    if (!screenHintShown_) {
        screenHintShown_ = true;
        QMetaObject::invokeMethod(this, &MainWindow::showScreenHint, Qt::QueuedConnection);
    }
    // Without a window manager nobody gives the window the keyboard, and it may never be activated; it
    // asks for the keyboard itself and is ready once it is shown.
    if (!activated_) {
        activateWindow();
        QMetaObject::invokeMethod(this, &MainWindow::activateOnce, Qt::QueuedConnection);
    }
}

void MainWindow::followImageSize()
{
    // Once per burst of resizes: the drawing is made again for the image's new size, so that it fills the
    // page and a zoom about the pointer keeps the point under it.
    if (!activated_ || imageFollowQueued_)
        return;
    imageFollowQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            imageFollowQueued_ = false;
            const QSize drawnSize = Image1->size();
            QWidget* const page = PgCtrl->currentWidget();
            LayoutWindow();
            PgCtrl->setCurrentWidget(page);
            if (Image1->size() != drawnSize && !drawingBlanked_)
                drawConstruction();
        },
        Qt::QueuedConnection);
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
                updateTitle();
                return false;
            }
        if (watched == control<QLineEdit>("MaskEdit1"))
            MaskEdit1Exit();
        break;
    }
    case QEvent::Resize:
        // The client area below the menu bar changes with the window and with the menu bar's height.
        if (watched == central_) {
            FormResize();
            followImageSize();
        } else if (watched == TSAnaDat)
            datePage_->layOut();
        else if (watched == tsSlope)
            slopePage_->layOut();
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
            model_.params.type() == DialType::MeanTime) {
            swapInputPanels(false);
            return true;
        }
        break;
    case QEvent::ContextMenu:
        if ((watched == Panel1 || watched == Panel2) && model_.params.type() == DialType::MeanTime)
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

bool MainWindow::hasControl(const std::string& name) const
{
    if (const auto slash = name.find('/'); slash != std::string::npos) {
        const auto* group = findChild<RadioGroup*>(ToQt(name.substr(0, slash)));
        int index = -1;
        return group && ReadInteger(std::string_view(name).substr(slash + 1), index).ec == std::errc{} &&
               group->button(index) != nullptr;
    }
    return findChild<QWidget*>(ToQt(name)) != nullptr;
}

void MainWindow::applyControlState(const ControlState& state)
{
    // A name the window does not know is a fault of the core's control names, found in debug builds.
    assert(hasControl(state.name) && "the core names a control the window does not have");
    // "group/index" names the caption of one item of a radio group.
    if (const auto slash = state.name.find('/'); slash != std::string::npos) {
        auto* group = findChild<RadioGroup*>(ToQt(state.name.substr(0, slash)));
        int index = -1;
        const std::string_view number = std::string_view(state.name).substr(slash + 1);
        ReadInteger(number, index);
        if (group && state.text)
            if (QRadioButton* item = group->button(index))
                item->setText(ToQt(*state.text));
        return;
    }
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
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
            memo->setPlainText(text.endsWith(QLatin1Char('\n')) ? text.chopped(1) : text);
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
    if (state.fontColour) {
        // Greyed or black labels, dimmed group captions (the group's items follow their group).
        // Black is the theme's text colour: under a dark theme a "black" label is drawn light.
        QPalette palette = widget->palette();
        QColor colour(ToQt(*state.fontColour));
        if (colour == QColor(Qt::black))
            colour = QApplication::palette().color(QPalette::Active, QPalette::WindowText);
        palette.setColor(QPalette::Active, QPalette::WindowText, colour);
        palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
        widget->setPalette(palette);
    }
    if (state.yellow) {
        if (*state.yellow) {
            QPalette palette = widget->palette();
            // Yellow fields keep black text whatever the theme.
            for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
                palette.setColor(group, QPalette::Base, kDisabledYellow);
                palette.setColor(group, QPalette::Text, Qt::black);
            }
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
    datePage_->showDates(model_);
    StrGrid8->showGrid(g.StrGrid8);
    StrGrid8b->showGrid(g.StrGrid8b);
    StrGridEin->showGrid(g.StrGridEin);
    StrMittel->showGrid(g.StrMittel);
    control<QLabel>("lKoordAufUnter")->setText(ToQt(g.lKoordAufUnter));
    // The date table's width follows its texts; the panels beside it move with it.
    datePage_->layOut();
}

void MainWindow::refreshAfterCalculation()
{
    if (auto* site = findChild<SitePanel*>(QStringLiteral("SitePanel")))
        site->showModel();
    refreshGrids();
    control<QLabel>("lmaxErrAbs")->setText(ToQt(model_.drawing.maxErrorText));
    control<QLabel>("Label1")->setVisible(!model_.state.showShadowPath);
    updateShadowDateLabel();
    showDialTypeCheck();
    ShowLengthUnit(*this, model_.params.lengthUnit);
    ShowLengthsIn(*this, model_.state.language, model_.params.lengthUnit);
    accuracyPage_->dialChanged();
    simulationPage_->dialChanged();
    if (plannerPage_)
        plannerPage_->dialChanged();
}

// --- About, help, the screen hint ------------------------------------------------------------------------

std::optional<std::string> SmallScreenMessage(const LanguageState& lang, int widthPx, int heightPx, int dotsPerInch)
{
    if (widthPx > kLargeScreenWidth || dotsPerInch <= kLargeFontDpi)
        return std::nullopt;
    // 96 dots per inch already count as large here, but are named "small font"; 120 and more "large font".
    const MessageId fontRow = dotsPerInch >= kLargeFontNamedDpi ? MessageId::WithBigFont : MessageId::WithSmallFont;
    return std::string(MessageRow(lang, MessageId::ScreenSetTo)) + std::to_string(widthPx) + " x " +
           std::to_string(heightPx) + std::string(MessageRow(lang, fontRow)) + "\n\r" +
           std::string(MessageRow(lang, MessageId::ScreenHint));
}

void MainWindow::showScreenHint()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const std::optional<std::string> text =
        SmallScreenMessage(model_.state.language, screen->size().width(), screen->size().height(),
                           static_cast<int>(std::lround(screen->logicalDotsPerInch())));
    if (text)
        host_->showMessage(CaptionText(model_.state.language, Caption::Information), *text, MessageIcon::Information);
}

} // namespace umbrix
