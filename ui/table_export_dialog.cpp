#include "ui/table_export_dialog.h"

#include "text/texts.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"

#include <QAction>
#include <QPushButton>
#include <QTabWidget>

#include <exception>
#include <filesystem>

namespace umbrix {

namespace {

// The same filters in both languages.
constexpr std::string_view kTableFilters = "Textdatei (*.TXT)|*.TXT|Excel-Datei (*.CSV)|*.CSV";
constexpr int kCsvFilter = 2; // counted from 1
constexpr int kAfternoonItem = 1;

} // namespace

TableExportDialog::TableExportDialog(MainWindow& window) : QObject(&window), window_(window)
{
    setObjectName(QStringLiteral("TableExportDialog"));
    if (auto* item = window_.findChild<QAction*>(QStringLiteral("Tabellespeichern1")))
        connect(item, &QAction::triggered, this, &TableExportDialog::Tabellespeichern1Click);
    for (const char* name : {"BtnTsDat", "BtnTsShade", "BtnTsAna"})
        if (auto* button = window_.findChild<QPushButton*>(QString::fromLatin1(name)))
            connect(button, &QPushButton::clicked, this, &TableExportDialog::Tabellespeichern1Click);
}

std::optional<TableChoice> TableExportDialog::shownTable() const
{
    const auto* pages = window_.findChild<QTabWidget*>(QStringLiteral("PgCtrl"));
    const QWidget* shown = pages ? pages->currentWidget() : nullptr;
    if (!shown)
        return std::nullopt;
    const QString name = shown->objectName();
    if (name == QLatin1String("TSAnaDat"))
        return TableChoice{.page = TablePage::DateMarks};
    if (name == QLatin1String("TsDat"))
        return TableChoice{.page = TablePage::HourMarks};
    if (name == QLatin1String("tsShade"))
        return TableChoice{.page = TablePage::ShadowPath};
    if (name == QLatin1String("tsSlope")) {
        const auto* show = window_.findChild<RadioGroup*>(QStringLiteral("rgAnzeige"));
        return TableChoice{.page = TablePage::Loops, .afternoon = show && show->itemIndex() == kAfternoonItem};
    }
    return std::nullopt;
}

void TableExportDialog::Tabellespeichern1Click()
{
    const std::optional<TableChoice> choice = shownTable();
    if (!choice)
        return;
    const Model& model = window_.model();
    const LanguageState& lang = model.state.language;
    const SaveDialogRequest request{.dialog = {.save = true,
                                               .title = ToQt(CaptionText(lang, Caption::SaveTable)),
                                               .filter = QtFileFilter(kTableFilters),
                                               .defaultSuffix = QStringLiteral("txt"),
                                               .fileName = ToQt(fileName_),
                                               .directory = ToQt(window_.lastFolder().folder())},
                                    .filterIndex = 1};
    const std::optional<SaveDialogAnswer> answer =
        chooseFile_ ? chooseFile_(request) : ShowSaveDialog(&window_, request);
    if (!answer)
        return;

    const std::string path = TableFileName(answer->path, answer->filterIndex == kCsvFilter);
    std::optional<UiMessage> failure;
    {
        const WaitCursor wait;
        try {
            failure = WriteTableExport(model, *choice, path);
            fileName_ = std::filesystem::path(path).filename().string();
            window_.chooseFolderOf(path);
        } catch (const std::exception&) {
            failure = UiMessage{std::string(CaptionText(lang, Caption::Error)), "Open error: File  " + path,
                                MessageIcon::Error};
        }
    }
    if (failure)
        window_.host().showMessage(failure->caption, failure->text, failure->icon);
    else
        window_.reportSaved(path);
}

} // namespace umbrix
