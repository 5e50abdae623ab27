#pragma once
// The true-scale outputs in the window's File menu: the setting-out plan (a PDF or a CSV table, the same
// documents as umbrix-cli --setting-out) and the full-size template (umbrix-cli --template), written to a
// PDF file or sent straight to a printer. Every file goes through the one safe writer.

#include "graphics/full_size_template.h"
#include "ui/printing.h"
#include "ui/save_dialog.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QMenu;
class QPrinter;

namespace umbrix {

class MainWindow;

/// What the full-size dialog asks: the paper, the printer's correction factors, and where the template goes.
struct TemplateChoice {
    TemplateRequest request;
    bool toPrinter = false; // false: a PDF file
};

/// Shows the full-size dialog with `proposed` filled in; the choice, or nothing when it was cancelled.
using TemplateChooser = std::function<std::optional<TemplateChoice>(const TemplateChoice& proposed)>;
/// Asks a yes/no question (caption, text); true for yes.
using YesNoQuestion = std::function<bool(const QString& caption, const QString& text)>;

class TrueScaleActions : public QObject {
    Q_OBJECT
public:
    /// Puts the two items into the File menu before `before`.
    TrueScaleActions(MainWindow& window, QMenu& file, QAction* before);
    ~TrueScaleActions() override;

    /// The save dialog, then the plan in the form the file's ending names (.pdf or .csv, any letter case;
    /// a name without an ending gets the chosen filter's).
    void settingOutClicked();
    /// The full-size dialog, the question for more than kTemplateWarnSheets sheets, the refusal for more
    /// than kTemplateMaxSheets, then the save dialog or the print dialog.
    void printFullSizeClicked();

    /// Seams for tests: the save dialog, the full-size dialog, the sheets question and the print dialog.
    void setFileChooser(SaveFileChooser chooser) { chooseFile_ = std::move(chooser); }
    void setTemplateChooser(TemplateChooser chooser) { chooseTemplate_ = std::move(chooser); }
    void setSheetsQuestion(YesNoQuestion ask) { askSheets_ = std::move(ask); }
    void setPrinterDialog(PrinterDialog dialog) { printerDialog_ = std::move(dialog); }

private:
    std::optional<TemplateChoice> askTemplate();
    bool writeFile(const std::string& path, const std::string& bytes);
    void sendToPrinter(const TemplateRequest& request);
    void showError(const std::string& text);
    /// After a plan or a template: the warning of a gnomon whose shadow misses most hour marks.
    void warnOfShortGnomon(LengthUnit unit);

    MainWindow& window_;
    SaveFileChooser chooseFile_;
    TemplateChooser chooseTemplate_;
    YesNoQuestion askSheets_;
    PrinterDialog printerDialog_;
    std::unique_ptr<QPrinter> printer_; // the template's printer, made when it is first needed
    TemplateChoice lastChoice_;         // the dialog proposes what was chosen last
};

} // namespace umbrix
