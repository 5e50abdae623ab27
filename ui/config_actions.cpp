// Saving and loading configuration files from the Options menu and the pop-up menu.

#include "core/input_panel.h"
#include "export/config_file.h"
#include "export/file_messages.h"
#include "text/own_texts.h"
#include "text/texts.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"

#include <QAction>
#include <QFileInfo>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>

namespace umbrix {

namespace {

constexpr const char* kProposedName = "myDial";
constexpr const char* kSaveSuffix = "ini";

std::optional<std::string> ShowFileDialog(QWidget* parent, const FileDialogRequest& request)
{
    QFileDialog dialog(parent, request.title, request.directory, request.filter);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FromQt(dialog.selectedFiles().front());
}

} // namespace

void MainWindow::Datenspeichern1Click(QObject* sender)
{
    const LanguageState& lang = model_.state.language;
    if (sender == control<QAction>("Startkonfiguration1")) {
        // The start configuration goes beside the program (or to the user's folder) without a dialog.
        const std::string target = StartConfigurationTarget(paths_.programDir, paths_.userDir);
        if (const std::optional<UiMessage> failure = SaveConfigurationFile(model_, target)) {
            showMessages({*failure});
            return;
        }
        if (target == currentFile_)
            setCurrentFile(target, false);
        reportSaved(target);
        host_->showMessage(CaptionText(lang, Caption::Information),
                           "\"umbrix.ini\" : " + std::string(MessageRow(lang, MessageId::FileSaved)),
                           MessageIcon::Information);
        return;
    }
    (void)saveDocumentAs();
}

bool MainWindow::saveDocumentAs()
{
    const LanguageState& lang = model_.state.language;
    const FileDialogRequest request{.save = true,
                                    .title = ToQt(CaptionText(lang, Caption::SaveDrawing)),
                                    .filter = QtFileFilter(TextRow(lang, TextId::ConfigurationFilter)),
                                    .defaultSuffix = QString::fromLatin1(kSaveSuffix),
                                    .fileName = currentFile_.empty() ? QString::fromLatin1(kProposedName)
                                                                     : QFileInfo(ToQt(currentFile_)).completeBaseName(),
                                    .directory = ToQt(lastFolder_.folder())};
    const std::optional<std::string> path = chooseFile_ ? chooseFile_(request) : ShowFileDialog(this, request);
    if (!path)
        return false;
    chooseFolderOf(*path);
    if (const std::optional<UiMessage> fifo = FifoRefusal(model_.state.language, *path, true)) {
        showMessages({*fifo});
        return false;
    }
    if (const std::optional<UiMessage> failure = SaveConfigurationFile(model_, *path)) {
        showMessages({*failure});
        return false;
    }
    setCurrentFile(*path, true);
    reportSaved(*path);
    return true;
}

void MainWindow::Datenladen1Click()
{
    if (!confirmLeave())
        return;
    const LanguageState& lang = model_.state.language;
    const FileDialogRequest request{.save = false,
                                    .title = ToQt(CaptionText(lang, Caption::LoadData)),
                                    .filter = QtFileFilter(TextRow(lang, TextId::ConfigurationFilter)),
                                    .defaultSuffix = {},
                                    .fileName = {},
                                    .directory = ToQt(lastFolder_.folder())};
    const std::optional<std::string> path = chooseFile_ ? chooseFile_(request) : ShowFileDialog(this, request);
    if (!path)
        return;
    chooseFolderOf(*path);
    (void)loadConfiguration(*path);
}

bool MainWindow::loadConfiguration(const std::string& path)
{
    if (const std::optional<UiMessage> fifo = FifoRefusal(model_.state.language, path, false)) {
        showMessages({*fifo});
        return false;
    }
    const ConfigurationRead read = LoadConfigurationFile(model_, path);
    std::vector<UiMessage> messages = read.messages;
    // The lines not taken as written, in one message after the others.
    if (const std::optional<UiMessage> warnings = WarningsMessage(model_.state.language, path, read.warnings))
        messages.push_back(*warnings);
    showMessages(messages);
    // A file that was not read to its end changes nothing.
    if (!read.dial)
        return false;
    ApplyConfiguredDial(model_, *read.dial);

    // The controls follow what was read: the presets of the dial type, every parameter, the switches
    // without a field of their own, and the language of the file.
    pendingStepName_ =
        ToQt(OwnTextWith(model_.state.language, OwnText::StepOpened, FromQt(QFileInfo(ToQt(path)).fileName())));
    showParametersInControls();
    SetLanguage(LanguageOf(model_.state.language));

    ResetView(view_);
    (void)Recalculate(model_, *host_, RecalcSource::Configuration, *redraw_);
    refreshAfterCalculation();
    recordStep();
    setCurrentFile(path, true);
    return true;
}

} // namespace umbrix
