// The window's document: an untitled start, New, Save and Save As, and the undo stack whose steps take
// back one accepted change of the parameters each.
//
// A step is found by comparing every settable parameter with the values after the previous step, whenever
// a change may have ended (the title is brought up to date); so whatever path a change takes (a field, a
// menu, a dialog, the planner, a loaded file), it becomes one step and is named after what changed.

#include "core/input_panel.h"
#include "core/number_text.h"
#include "core/parameter_set.h"
#include "core/parameters.h"
#include "export/config_file.h"
#include "export/file_messages.h"
#include "text/texts.h"
#include "ui/field_comforts.h"
#include "ui/main_window.h"
#include "ui/option_dialog.h"
#include "ui/own_labels.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>
#include <charconv>
#include <filesystem>

namespace umbrix {

namespace {

/// The rows whose values make up the document: every parameter --set may set.
std::vector<const ParameterRow*> DocumentRows()
{
    std::vector<const ParameterRow*> rows;
    for (const ParameterRow& row : ParameterTable())
        if (row.settable)
            rows.push_back(&row);
    return rows;
}

/// A value as a step's name shows it: reals in their shortest exact form ("47.25"), switches as 0 or 1.
std::string StepValueText(const ParameterValue& value)
{
    if (const double* real = std::get_if<double>(&value)) {
        return RealText(*real);
    }
    if (const int* whole = std::get_if<int>(&value))
        return std::to_string(*whole);
    if (const bool* on = std::get_if<bool>(&value))
        return *on ? "1" : "0";
    return std::get<std::string>(value);
}

constexpr std::size_t kLongestShownValue = 24; // longer texts (the hours table) are named, not shown

/// A length for the unit question: up to 10 significant digits, no trailing zeros ("2.75", "275").
std::string ShortLength(double x)
{
    return RealText(x, RealFormat::General, 10);
}

/// The lengths a change of the unit converts, with the length a value must differ from to be converted.
struct ConvertedLength {
    const char* name;
    double value;
};

std::vector<ConvertedLength> LengthsToConvert(const DialParameters& p)
{
    std::vector<ConvertedLength> lengths{
        {"semiMajorAxis", p.semiMajorAxis}, {"gnomonHeight", p.gnomonHeight}, {"distanceZ", p.distanceZ}};
    if (p.bodyHeight)
        lengths.push_back({"bodyHeight", *p.bodyHeight});
    // 0 asks for the axis that follows from the semi-major axis: it stays 0.
    if (p.dxfAxisLength != 0)
        lengths.push_back({"dxfAxisLength", p.dxfAxisLength});
    return lengths;
}

/// Sets the converted lengths on `model` after the unit; whether every one passed its field's check. A
/// length whose field the dial type disables is converted without a check of its own.
bool SetConvertedLengths(Model& model, std::string_view unitName, const std::vector<ConvertedLength>& lengths,
                         double factor)
{
    if (SetParameter(model, "lengthUnit", unitName).status != SetStatus::Accepted)
        return false;
    for (const ConvertedLength& length : lengths) {
        const std::string text = ShortLength(length.value * factor);
        const SetOutcome outcome = SetParameter(model, length.name, text);
        if (outcome.status == SetStatus::Disabled) {
            const ParameterRow* row = FindParameter(length.name);
            if (!row || !row->real)
                return false;
            model.params.*(row->real) = length.value * factor;
        } else if (outcome.status != SetStatus::Accepted) {
            return false;
        }
    }
    return true;
}

bool AskConvert(QWidget* parent, const LanguageState& lang, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    QPushButton* convert = box.addButton(ToQt(OwnTextOf(lang, OwnText::UnitConvert)), QMessageBox::AcceptRole);
    QPushButton* keep = box.addButton(ToQt(OwnTextOf(lang, OwnText::UnitKeep)), QMessageBox::RejectRole);
    box.setDefaultButton(convert);
    box.setEscapeButton(keep);
    box.exec();
    return box.clickedButton() == convert;
}

} // namespace

// One step: the parameters before and after an accepted change. The change itself was made by the window
// before the step was pushed, so the first redo does nothing.
class MainWindow::ParameterStep : public QUndoCommand {
public:
    ParameterStep(MainWindow& window, ConfiguredDial before, ConfiguredDial after, const QString& text)
        : QUndoCommand(text), window_(window), before_(std::move(before)), after_(std::move(after))
    {
    }
    void undo() override { window_.restoreStep(before_); }
    void redo() override
    {
        if (pushed_)
            window_.restoreStep(after_);
        pushed_ = true;
    }

private:
    MainWindow& window_;
    ConfiguredDial before_;
    ConfiguredDial after_;
    bool pushed_ = false;
};

std::vector<ParameterValue> MainWindow::documentValues() const
{
    std::vector<ParameterValue> values;
    for (const ParameterRow* row : DocumentRows())
        values.push_back(ValueOf(*row, model_));
    return values;
}

void MainWindow::takeStepBase()
{
    stepBase_ = ConfiguredDialOf(model_);
    stepValues_ = documentValues();
    stepBaseTaken_ = true;
}

QString MainWindow::stepName(const std::vector<ParameterValue>& after) const
{
    const Language language = LanguageOf(model_.state.language);
    const std::vector<const ParameterRow*> rows = DocumentRows();
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < rows.size() && i < after.size() && i < stepValues_.size(); ++i)
        if (after[i] != stepValues_[i])
            changed.push_back(i);
    // A dial type brings its presets along: the step is named after the type.
    const auto type = std::find_if(changed.begin(), changed.end(),
                                   [&rows](std::size_t i) { return rows[i]->name == "dialType"; });
    if (type != changed.end())
        changed = std::vector<std::size_t>{*type};
    if (changed.size() != 1)
        return ToQt(OwnTextWith(model_.state.language, OwnText::StepSeveral, std::to_string(changed.size())));
    const std::size_t i = changed.front();
    const std::string before = StepValueText(stepValues_[i]);
    const std::string now = StepValueText(after[i]);
    std::string name = ParameterCaption(*rows[i], language);
    if (before.size() <= kLongestShownValue && now.size() <= kLongestShownValue)
        name += " " + before + " \u2192 " + now;
    return ToQt(name);
}

void MainWindow::recordStep()
{
    if (!stepBaseTaken_ || restoringStep_)
        return;
    const std::vector<ParameterValue> now = documentValues();
    if (now == stepValues_) {
        pendingStepName_.clear();
        return;
    }
    const QString name = pendingStepName_.isEmpty() ? stepName(now) : pendingStepName_;
    pendingStepName_.clear();
    ConfiguredDial before = stepBase_;
    // The base moves first: pushing changes the clean state, and that brings the title up to date again.
    takeStepBase();
    undoStack_->push(new ParameterStep(*this, std::move(before), stepBase_, name));
}

void MainWindow::restoreStep(const ConfiguredDial& dial)
{
    restoringStep_ = true;
    const Language language = LanguageOf(model_.state.language);
    const bool typeChanged = dial.params.dialType != model_.params.dialType;
    ConfiguredDial restored = dial;
    restored.state.uiReady = model_.state.uiReady;
    ApplyConfiguredDial(model_, restored);
    // The language is no part of a step: the restored texts follow the language shown now.
    umbrix::SetLanguage(model_, language);
    showParametersInControls();
    if (typeChanged)
        ResetView(view_);
    (void)Recalculate(model_, *host_, RecalcSource::Configuration, *redraw_);
    refreshAfterCalculation();
    takeStepBase();
    restoringStep_ = false;
    updateTitle();
}

void MainWindow::showParametersInControls()
{
    const SharedState& s = model_.state;
    applyControlStates(ConfigureInputPanel(model_));
    applyControlStates(ShowParameters(model_));
    control<QLineEdit>("MaskEdit1")->setText(ToQt(s.shadowDateText));
    control<QLabel>("lDat2")->setText(ToQt(s.shadowDateCaption));
    control<QCheckBox>("ChBRiseSet")->setChecked(s.markRiseSet);
    control<QCheckBox>("chBSchatt")->setChecked(s.showShadowPath);
    control<RadioGroup>("rgAuswahl")->setItemIndex(DialTypeNumber(model_.params.dialType));
    applySplitVariant();
}

void MainWindow::startDocument()
{
    undoStack_->clear();
    takeStepBase();
    undoStack_->setClean();
}

bool MainWindow::parametersChanged() const
{
    return undoStack_ && !undoStack_->isClean();
}

QString MainWindow::documentName() const
{
    if (currentFile_.empty())
        return ToQt(OwnTextOf(model_.state.language, OwnText::Untitled));
    return QFileInfo(ToQt(currentFile_)).fileName();
}

bool MainWindow::isStartConfiguration(const std::string& path) const
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path file = fs::weakly_canonical(path, error);
    if (error)
        return false;
    std::vector<std::string> candidates{paths_.programDir + "umbrix.ini", paths_.userDir + "umbrix.ini",
                                        paths_.programDir + "start.adt"};
    for (const std::string& dir : paths_.dataDirs)
        candidates.push_back(dir + "start.adt");
    for (const std::string& candidate : candidates) {
        std::error_code other;
        if (fs::weakly_canonical(candidate, other) == file && !other)
            return true;
    }
    return false;
}

bool MainWindow::saveDocument()
{
    // A document without a file, or one read from a start configuration, gets a name of its own: only
    // "Save as start configuration" writes a start configuration.
    if (currentFile_.empty() || isStartConfiguration(currentFile_))
        return saveDocumentAs();
    if (const std::optional<UiMessage> fifo = FifoRefusal(model_.state.language, currentFile_, true)) {
        showMessages({*fifo});
        return false;
    }
    if (const std::optional<UiMessage> failure = SaveConfigurationFile(model_, currentFile_)) {
        showMessages({*failure});
        return false;
    }
    setCurrentFile(currentFile_, false);
    reportSaved(currentFile_);
    return true;
}

void MainWindow::newDocument()
{
    if (!confirmLeave())
        return;
    // The start configuration read onto the defaults, in the language shown now.
    const Language language = LanguageOf(model_.state.language);
    auto fresh = std::make_unique<Model>();
    InitDefaults(*fresh);
    if (const std::optional<std::string> path =
            FindStartConfiguration(paths_.programDir, paths_.userDir, paths_.dataDirs)) {
        const ConfigurationRead read = LoadConfigurationFile(*fresh, *path);
        showMessages(read.messages);
        if (read.dial)
            ApplyConfiguredDial(*fresh, *read.dial);
    }
    umbrix::SetLanguage(*fresh, language);
    ConfiguredDial dial = ConfiguredDialOf(*fresh);
    fresh.reset();
    ResetView(view_);
    currentFile_.clear();
    restoreStep(dial);
    startDocument();
    updateTitle();
}

void MainWindow::buildDocumentMenus(QMenu& file)
{
    QAction* first = file.actions().isEmpty() ? nullptr : file.actions().front();
    auto item = [this, &file, first](const char* name, OwnText text, QList<QKeySequence> keys) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        SetOwnText(*action, text);
        action->setShortcuts(keys);
        file.insertAction(first, action);
        return action;
    };
    connect(item("FileNew1", OwnText::FileNew, {QKeySequence(Qt::CTRL | Qt::Key_N)}), &QAction::triggered, this,
            &MainWindow::newDocument);
    connect(item("FileOpen1", OwnText::FileOpen, {QKeySequence(Qt::CTRL | Qt::Key_O)}), &QAction::triggered, this,
            &MainWindow::Datenladen1Click);
    connect(item("FileSave1", OwnText::FileSave, {QKeySequence(Qt::CTRL | Qt::Key_S)}), &QAction::triggered, this,
            [this] { (void)saveDocument(); });
    connect(item("FileSaveAs1", OwnText::FileSaveAs, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}),
            &QAction::triggered, this, [this] { (void)saveDocumentAs(); });
    file.insertSeparator(first);

    undoStack_ = new QUndoStack(this);
    QMenu* edit = new QMenu(menuBar());
    edit->setObjectName(QStringLiteral("Edit1"));
    edit->menuAction()->setObjectName(QStringLiteral("Edit1"));
    SetOwnText(*edit->menuAction(), OwnText::EditMenu);
    menuBar()->insertMenu(menuBar()->actions().value(1), edit);
    // Their own texts keep the menu walk off them; relabelUndo names the step after the text.
    auto* undo = new QAction(this);
    undo->setObjectName(QStringLiteral("Undo1"));
    SetOwnText(*undo, OwnText::EditUndo);
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    auto* redo = new QAction(this);
    redo->setObjectName(QStringLiteral("Redo1"));
    SetOwnText(*redo, OwnText::EditRedo);
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addAction(undo);
    edit->addAction(redo);
    connect(undo, &QAction::triggered, undoStack_, &QUndoStack::undo);
    connect(redo, &QAction::triggered, undoStack_, &QUndoStack::redo);
    connect(undoStack_, &QUndoStack::indexChanged, this, &MainWindow::relabelUndo);
    connect(undoStack_, &QUndoStack::cleanChanged, this, [this] { updateTitle(); });
    relabelUndo();
}

void MainWindow::relabelUndo()
{
    if (!undoStack_)
        return;
    const LanguageState& lang = model_.state.language;
    auto* undo = findChild<QAction*>(QStringLiteral("Undo1"));
    auto* redo = findChild<QAction*>(QStringLiteral("Redo1"));
    if (!undo || !redo)
        return;
    undo->setEnabled(undoStack_->canUndo());
    redo->setEnabled(undoStack_->canRedo());
    undo->setText(ToQt(OwnTextWith(lang, OwnText::EditUndo, FromQt(undoStack_->undoText()))).trimmed());
    redo->setText(ToQt(OwnTextWith(lang, OwnText::EditRedo, FromQt(undoStack_->redoText()))).trimmed());
}

void MainWindow::lengthUnitChosen(int index)
{
    const LengthUnit before = model_.params.lengthUnit;
    const std::string chosen = FromQt(control<QComboBox>(kLengthUnitChoice)->itemText(index));
    const std::optional<LengthUnit> after = ParseLengthUnit(chosen);
    if (!after || *after == before) {
        ShowLengthUnit(*this, model_.params.lengthUnit);
        return;
    }
    // Converting keeps every length as long as it was: 2.75 m become 275 cm. It is offered only when every
    // converted value passes its field's check.
    const double factor = UnitSizeMm(before) / UnitSizeMm(*after);
    const std::vector<ConvertedLength> lengths = LengthsToConvert(model_.params);
    auto converted = std::make_unique<Model>(model_);
    const bool convertible = SetConvertedLengths(*converted, chosen, lengths, factor);
    const LanguageState& lang = model_.state.language;
    const std::string from(UnitName(before));
    std::string convertedText;
    std::string keptText;
    for (const ConvertedLength& length : lengths) {
        if (!convertedText.empty()) {
            convertedText += ", ";
            keptText += ", ";
        }
        convertedText +=
            ShortLength(length.value) + " " + from + " \u2192 " + ShortLength(length.value * factor) + " " + chosen;
        keptText += ShortLength(length.value) + " " + chosen;
    }
    bool convert = false;
    if (convertible) {
        const QString caption = ToQt(OwnTextOf(lang, OwnText::UnitQuestionCaption));
        const QString text = ToQt(OwnTextWith(lang, OwnText::UnitQuestion, convertedText, keptText));
        convert = askUnit_ ? askUnit_(caption, text) : AskConvert(this, lang, caption, text);
    } else {
        statusBar()->showMessage(ToQt(OwnTextWith(lang, OwnText::UnitNoConversion, keptText)));
    }
    pendingStepName_ = ToQt(
        ParameterCaption(*FindParameter("lengthUnit"), LanguageOf(lang)) +
        " " + from + " \u2192 " + chosen);
    if (convert) {
        ApplyConfiguredDial(model_, ConfiguredDialOf(*converted));
        converted.reset();
        showParametersInControls();
        (void)Recalculate(model_, *host_, RecalcSource::Configuration, *redraw_);
        refreshAfterCalculation();
    } else {
        // The unit names the lengths and converts none of them: nothing is calculated anew.
        converted.reset();
        const SetOutcome outcome = SetParameter(model_, "lengthUnit", chosen);
        if (outcome.status != SetStatus::Accepted)
            showMessages(outcome.messages);
        ShowLengthUnit(*this, model_.params.lengthUnit);
        ShowLengthsIn(*this, lang, model_.params.lengthUnit);
    }
    updateTitle();
}

void MainWindow::reportSaved(const std::string& path)
{
    const QString name = path == "-" ? QStringLiteral("-") : QFileInfo(ToQt(path)).fileName();
    statusBar()->showMessage(ToQt(OwnTextWith(model_.state.language, OwnText::StatusSaved, FromQt(name))));
}

} // namespace umbrix
