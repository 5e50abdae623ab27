#pragma once
// The main window: the page control with its five pages, the two input panels below it, the main menu,
// the pop-up menu and the drawing of the construction on the graphic page.
//
// Every control carries the name the rest of the program knows it by (its object name) and, where it has
// one, the number of its caption in the string resources (the dynamic property "tag"); the relabelling
// walks find the controls by that number.

#include "core/configured_dial.h"
#include "core/drawing_state.h"
#include "core/driver.h"
#include "core/fields.h"
#include "core/host.h"
#include "core/listed_point.h"
#include "core/model.h"
#include "core/parameters.h"
#include "graphics/surface.h"
#include "graphics/view.h"
#include "ui/last_folder.h"
#include "ui/printing.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointF>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QFrame;
class QImage;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolBar;
class QToolButton;
class QUndoStack;

namespace umbrix {

class AboutPanel;
class AccuracyPage;
class DateMarkPage;
class FieldRestore;
class FigureEightPage;
class GraphicPage;
class GridView;
class HelpBridge;
class HelpWindow;
class ImageView;
class PlannerPage;
class QtDialogLanguage;
class RadioGroup;
class SimulationPage;

/// The window's caption; the title adds the current configuration file.
inline constexpr const char* kWindowCaption = "Umbrix,  vers. 2.6 ";

/// The id of the desktop file the package ships (io.github.umbrix.Umbrix.desktop).
inline constexpr const char* kDesktopFileName = "io.github.umbrix.Umbrix";

/// Where the program finds and keeps its files.
struct WindowPaths {
    std::string programDir;            // the executable's folder, with a trailing "/"
    std::string userDir;               // the user's configuration folder (~/.config/umbrix/)
    std::vector<std::string> dataDirs; // DataDirectories of the program: start configuration, help pages
    std::string workingDir;            // the file dialogs open here
    /// The folders of this run of the program.
    static WindowPaths FromEnvironment();
};

struct WindowOptions {
    WindowPaths paths = WindowPaths::FromEnvironment();
    /// Messages go here when set (tests record them; a RecordingWindowHost still drives the waiting
    /// panel); otherwise message boxes are shown.
    Host* host = nullptr;
    /// Opens a web or mail address through the desktop; false when that failed. Unset: the desktop's
    /// handler (QDesktopServices).
    std::function<bool(const QUrl&)> openUrl;
    /// Finds a help page by its file name; the path, or empty when it is missing. Unset: the data folders
    /// of the program (FindDataFile).
    std::function<std::string(const std::string& fileName)> findHelpFile;
    /// The help bridge writes a debug log (started with "/debug" or "-debug", or a file "debug.debug"
    /// beside the program).
    bool helpDebug = false;
    /// A configuration file to open after the start configuration, once the window is first activated
    /// (the file named on the command line).
    std::optional<std::string> openFile;
};

/// The answer to the question whether changed parameters are saved before they are left.
enum class SaveAnswer { Save, Discard, Cancel };
/// Asks the question (caption, text); tests answer it without showing a box.
using SaveQuestion = std::function<SaveAnswer(const QString& caption, const QString& text)>;

/// The hint for a small screen with large fonts: M50, the screen size, M51 (120 dots per inch or more) or M52,
/// a line break and M19; nothing for a large screen (wider than 999 pixels) or small fonts (95 dots per inch
/// or fewer).
[[nodiscard]] std::optional<std::string> SmallScreenMessage(const LanguageState& lang, int widthPx, int heightPx,
                                                            int dotsPerInch);

/// The anchor of the help page's topic about a page of the window (by the page's object name); empty for
/// any other name.
[[nodiscard]] std::string HelpTopicOfPage(const std::string& pageName);

/// What a save or open dialog asks for.
struct FileDialogRequest {
    bool save = false;
    QString title;
    QString filter;        // "description (patterns);;..."
    QString defaultSuffix; // appended to a saved name without extension
    QString fileName;      // proposed name
    QString directory;     // where the dialog opens
};
/// Shows the dialog; the chosen file, or nothing when it was cancelled.
using FileChooser = std::function<std::optional<std::string>(const FileDialogRequest&)>;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(WindowOptions options = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    Model& model() { return model_; }
    const ViewState& view() const { return view_; }
    Host& host() { return *host_; }
    /// The print commands: printer set-up, the graphic, the displayed list or all lists.
    void printerSetupClicked();
    void printGraphicClicked();
    void printListsClicked(bool allLists);

    /// Puts the current language on every control that carries a caption number.
    void RelabelAll();
    /// Puts the current language on the main menu and checks the current language's menu item.
    void RelabelMenu();
    /// Switches the program to German or English.
    void SetLanguage(Language language);

    /// The first activation of the window: parameters into the controls, the dial title, the menu captions,
    /// the layout, the axes, the first calculation. Runs once; later calls do nothing.
    void activateOnce();
    bool activated() const { return activated_; }

    /// Whether the window has the control a ControlState of the core names: an object name, or
    /// "group/index" for the item of a radio group.
    [[nodiscard]] bool hasControl(const std::string& name) const;

    /// Arranges the pages and the drawing area for the window size.
    void LayoutWindow();

    /// Number of screen drawings of the construction so far, and what the last one left (the image point
    /// of the dial's centre, the size of the drawing); for tests.
    int drawCount() const { return drawCount_; }
    const DrawingState& drawingState() const { return model_.drawing; }

    /// Replaces the file dialogs (tests answer them without showing them).
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    /// Replaces the print dialog of the print commands (tests choose a PDF file without showing it).
    void setPrinterDialog(PrinterDialog dialog) { printerDialog_ = std::move(dialog); }

    /// Where the file dialogs open: the folder of the last file chosen in one of them, kept between runs.
    const LastFolder& lastFolder() const { return lastFolder_; }
    LastFolder& lastFolder() { return lastFolder_; }
    /// Takes the folder of a file chosen in a file dialog for the next dialog, and keeps it for the next run.
    void chooseFolderOf(const std::string& chosenFile);
    /// Replaces the question before changed parameters are left (tests answer it).
    void setSaveQuestion(SaveQuestion ask) { askSave_ = std::move(ask); }
    /// Replaces the question whether a new length unit converts the lengths (true) or keeps the numbers.
    void setUnitQuestion(std::function<bool(const QString& caption, const QString& text)> ask)
    {
        askUnit_ = std::move(ask);
    }

    /// Opens a configuration file as the load command does, after asking about changed parameters; a file
    /// that cannot be read gets the load command's message and changes nothing. Returns whether it was read.
    bool openConfiguration(const std::string& path);
    /// The configuration file the parameters were last read from or saved to; empty when none.
    const std::string& currentFile() const { return currentFile_; }
    /// Whether the document changed since it was started, opened or saved: the undo stack is not at its clean
    /// state (the title then ends with "*").
    [[nodiscard]] bool parametersChanged() const;
    /// The document's name: the current file's name, or "Unbenannt" / "Untitled".
    [[nodiscard]] QString documentName() const;
    /// The steps of the document: every accepted change of the parameters.
    QUndoStack& undoStack() const { return *undoStack_; }
    /// Save: to the current file, or as Save As when the document has no file of its own; whether it was saved.
    bool saveDocument();
    /// Save As: asks for a file name; whether it was saved.
    bool saveDocumentAs();
    /// New: after the question about changes, the start configuration as a new untitled document.
    void newDocument();
    /// The status bar's confirmation of a saved file (plot, DXF, plan, template, table, configuration).
    void reportSaved(const std::string& path);
    /// The recently used configuration files, most recent first.
    const QStringList& recentFiles() const { return recent_; }

    /// The point a table row showed in the drawing, until the next calculation.
    const std::optional<ListedPoint>& markedPoint() const { return marked_; }
    /// Shows the point of a table row in the drawing: the view is panned to centre it, and it is marked
    /// until the next calculation. Nothing happens for a row without a point.
    void showListedPoint(PointTable table, int column, int row);
    /// Zooms one step in or out around the image point `pixel` of the drawing (Ctrl and the mouse wheel).
    void zoomAtPointer(QPointF pixel, bool zoomIn);

    /// The help window, once help was asked for.
    HelpWindow* helpWindow() const { return helpWindow_; }
    /// The help bridge: the help page of the current language and the debug log.
    const HelpBridge& helpBridge() const { return *help_; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    class WindowRedraw;
    friend class WindowRedraw;
    class ParameterStep;
    friend class ParameterStep;

    // --- the document and its undo stack (document.cpp)
    void buildDocumentMenus(QMenu& file);
    std::vector<ParameterValue> documentValues() const;
    void takeStepBase();
    QString stepName(const std::vector<ParameterValue>& after) const;
    /// Pushes a step when the parameters differ from those after the last step.
    void recordStep();
    /// Puts a step's parameters back into the model and the controls and calculates once.
    void restoreStep(const ConfiguredDial& dial);
    void showParametersInControls();
    /// A new document: no step to undo, unchanged.
    void startDocument();
    bool isStartConfiguration(const std::string& path) const;
    void relabelUndo();

    // --- the status bar (status_bar.cpp)
    void buildStatusBar();
    void showCursorPosition(QPointF pixel);
    void showScaleAndTime();

    // --- building (input_panels.cpp, pages.cpp, menus.cpp)
    void buildPages();
    void connectGraphicPage();
    void buildTablePages();
    void connectSlopePage();
    void buildInputPanels();
    void buildHiddenPanels();
    void buildMenus();
    /// Checks the dial-type menu's item of the current dial type.
    void showDialTypeCheck();
    void connectInputs();

    // --- start-up and activation (main_window.cpp)
    void readStartConfiguration();
    void applyControlStates(const std::vector<ControlState>& states);
    void applyControlState(const ControlState& state);
    void showMessages(const std::vector<UiMessage>& messages);
    void refreshGrids();
    void refreshAfterCalculation();

    // --- handlers of the inputs (input_panels.cpp)
    void numericFieldExit(Field field);
    void MaskEdit1Exit();
    void linesPerHourChanged(int value);
    void hourFromChanged(int value);
    void hourToChanged(int value);
    void showStoredHour(const char* spinName, int typed, int stored);
    void zoneTimeClicked(bool checked);
    void lengthUnitChosen(int index);
    void riseSetClicked(bool checked);
    void shadowPathClicked(bool checked);
    void lambertClicked(bool checked);
    void marksPerMonthClicked(int item);
    void coordinatesOutputClicked(int item);
    void marksModeClicked(int item);
    void methodClicked(int item);
    void fineSearchClicked(bool checked);
    void errorHoursChanged();
    void calculateClicked(RecalcSource button);
    void dialTypeChosen(int dialType);
    void swapInputPanels(bool viaButton);
    void Change1Click();

    // --- the split dial: date-mark page variants and the figure-eight page (split_page.cpp)
    void applySplitVariant();
    void enableSplitInputs();
    void showDateColumns();
    void rgAnzeigeClicked(int item);
    void loopGridDoubleClicked(int column);
    void StrGridEinEnter();
    void rgDefaultClicked(int item);

    // --- About, help and the screen hint (main_window.cpp)
    void About1Click();
    void openLink(const QUrl& url);
    void chooseHelpFile(bool reportMissing);
    void Hilfe2Click();
    void showScreenHint();

    // --- view (pages.cpp)
    void zoomClicked(ViewAction action);
    void resetView();
    /// Fit to window: frames the whole construction in the image (Ctrl+0, the Options menu, the tool column).
    void fitToWindow();
    void drawConstruction();
    void blankDrawing();
    void writeErrorBanner(std::string_view text);
    bool graphicPageShown() const;
    void FormResize();
    void pageChanged(int index);
    void updateShadowDateLabel();

    // --- configuration files (config_actions.cpp)
    void Datenspeichern1Click(QObject* sender);
    void Datenladen1Click();
    bool loadConfiguration(const std::string& path);

    // --- the current file, its title, recent files and what the window keeps (window_files.cpp)
    void buildFileMenuItems(QMenu& file, QAction* before, QMenu& options);
    void restoreWindowMemory();
    void showRememberedPage();
    void setCurrentFile(std::string path, bool recent);
    void updateTitle();
    bool confirmLeave();
    void rebuildRecentMenu();
    void forgetWindowSettings();
    void followImageSize();

    // --- points of the tables in the drawing (point_view.cpp)
    void connectPointTables();
    void drawPointMark(QImage& canvas) const;

    // --- the Options menu's dialogs and the planner page (design_options.cpp)
    void buildPlannerPage();
    void buildOptionDialogItems(QMenu& options);
    /// After a dialog or the planner set parameters: the controls show them, the dial is recalculated.
    void recalculateAfterOption();

    // --- language (relabel.cpp)
    void relabelRadioGroup(RadioGroup& group, int tag);
    void relabelMemo(QPlainTextEdit& memo, int tag);

    template <class T> T* control(const char* name) const { return findChild<T*>(QString::fromLatin1(name)); }

    Model model_;
    ViewState view_;
    std::unique_ptr<QPrinter> printer_; // the printer (or PDF file) the print commands use
    WindowPaths paths_;
    std::unique_ptr<Host> ownHost_;
    Host* host_ = nullptr;
    std::unique_ptr<Redraw> redraw_;
    bool activated_ = false;
    bool largeFont_ = false;
    bool largeScreen_ = false;
    bool inFieldExit_ = false;
    bool drawingBlanked_ = false; // the last calculation ended with an error
    int drawCount_ = 0;
    QString rememberedPage_; // the object name of the page a calculation returns to
    int panelHintCounter_ = 0;
    bool screenHintShown_ = false;
    // The canvas state the last drawing left (the blank rectangle of an error uses it).
    PenState canvasPen_;
    BrushState canvasBrush_;
    FontState canvasFont_;

    QWidget* central_ = nullptr;
    QTabWidget* PgCtrl = nullptr;
    QWidget* TSGrafik = nullptr;
    GraphicPage* graphicPage_ = nullptr; // TSGrafik
    QWidget* TsDat = nullptr;
    QWidget* tsShade = nullptr;
    QWidget* TSAnaDat = nullptr;
    DateMarkPage* datePage_ = nullptr; // TSAnaDat
    QWidget* tsSlope = nullptr;
    FigureEightPage* slopePage_ = nullptr;     // tsSlope
    AccuracyPage* accuracyPage_ = nullptr;     // tsAccuracy
    SimulationPage* simulationPage_ = nullptr; // tsSimulation
    PlannerPage* plannerPage_ = nullptr;       // tsPlanner
    QToolBar* ToolBar1 = nullptr;
    ImageView* Image1 = nullptr;
    ImageView* ImError = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* pErrGraph = nullptr;
    QFrame* pSplit = nullptr;
    QFrame* pGeduld = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    AboutPanel* pAbout = nullptr;
    GridView* StrGridDat = nullptr;
    GridView* StrGridEin = nullptr;
    GridView* StrGrid8 = nullptr;
    GridView* StrGrid8b = nullptr;
    GridView* StrMittel = nullptr;
    QMenu* PopupAlem = nullptr;
    QMenu* Aus1 = nullptr;
    std::vector<std::pair<QLineEdit*, Field>> numericFields_;
    FileChooser chooseFile_;
    LastFolder lastFolder_;
    bool imageFollowQueued_ = false;       // a new layout of the image after resizes is waiting
    FieldRestore* fieldRestore_ = nullptr; // Escape in the input fields
    PrinterDialog printerDialog_;
    std::function<bool(const QUrl&)> openUrl_;
    std::function<std::string(const std::string&)> findHelpFile_;
    std::unique_ptr<HelpBridge> help_;
    HelpWindow* helpWindow_ = nullptr;
    QtDialogLanguage* qtLanguage_ = nullptr; // Qt's own dialogs in the program's language

    std::optional<ListedPoint> marked_; // shown from a table row, until the next calculation
    QMenu* loopMenu_ = nullptr;         // "Show in drawing" on the loop tables
    std::string currentFile_;
    QUndoStack* undoStack_ = nullptr;
    ConfiguredDial stepBase_;                // the parameters after the last step
    std::vector<ParameterValue> stepValues_; // and their values, row by row
    bool stepBaseTaken_ = false;
    bool restoringStep_ = false;
    QString pendingStepName_; // names the next step instead of what changed (a file that was opened)
    double lastCalculationMs_ = -1;
    QElapsedTimer calculationTimer_; // started when a calculation begins
    QLabel* statusCursor_ = nullptr;
    QLabel* statusScale_ = nullptr;
    QLabel* statusTime_ = nullptr;
    std::optional<std::string> pendingFile_;
    SaveQuestion askSave_;
    std::function<bool(const QString&, const QString&)> askUnit_;
    QStringList recent_;
    QMenu* recentMenu_ = nullptr;
    QString startPage_;                  // the page shown when the window was last closed
    bool windowMemoryForgotten_ = false; // the window's size and page are not kept at the end of this run
};

} // namespace umbrix
