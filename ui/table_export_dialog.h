#pragma once
// Saving the table of the result page that is shown: the save dialog, the file name by the chosen filter,
// the writing. Started by the menu item Tabellespeichern1 and the save buttons of the result pages.

#include "export/table_export.h"
#include "ui/save_dialog.h"

#include <QObject>

#include <optional>
#include <string>

namespace umbrix {

class MainWindow;

class TableExportDialog : public QObject {
    Q_OBJECT
public:
    /// Connects Tabellespeichern1, BtnTsDat, BtnTsShade and BtnTsAna of the window; the dialog opens in
    /// the window's last folder.
    explicit TableExportDialog(MainWindow& window);

    /// Asks for the file and writes the table of the page shown; does nothing when no result page is shown.
    void Tabellespeichern1Click();

    /// The table the page shown exports: the figure-eight page exports the afternoon table when rgAnzeige
    /// has item 1 chosen. Nothing for the graphic page.
    [[nodiscard]] std::optional<TableChoice> shownTable() const;

    /// Replaces the save dialog (tests answer it without showing it).
    void setFileChooser(SaveFileChooser chooser) { chooseFile_ = std::move(chooser); }

private:
    MainWindow& window_;
    SaveFileChooser chooseFile_;
    std::string fileName_ = "Tabelle"; // the name it proposes: the last one written
};

} // namespace umbrix
