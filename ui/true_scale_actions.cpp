#include "ui/true_scale_actions.h"

#include "export/file_messages.h"
#include "export/file_writer.h"
#include "export/pdf_outputs.h"
#include "export/table_export.h"
#include "graphics/construction_geometry.h"
#include "graphics/setting_out.h"
#include "graphics/setting_out_pages.h"
#include "text/own_texts.h"
#include "text/texts.h"
#include "ui/design_settings_window.h"
#include "ui/main_window.h"
#include "ui/own_labels.h"
#include "ui/print/pdf_memory.h"
#include "ui/print/true_scale_printer.h"
#include "ui/qt_text.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <exception>
#include <functional>
#include <initializer_list>
#include <vector>

namespace umbrix {

namespace {

constexpr int kPdfFilter = 1; // the setting-out plan's filters, counted from 1
constexpr int kCsvFilter = 2;
constexpr int kCorrectionDecimals = 3;
constexpr double kCorrectionStep = 0.001;
constexpr std::array<PaperSize, 3> kPapers{PaperSize::A4, PaperSize::A3, PaperSize::Letter};
constexpr std::array<const char*, 3> kPaperNames{"A4", "A3", "Letter"};
// The orientation box lists auto first; its index per TemplateOrientation and back.
constexpr std::array<TemplateOrientation, 3> kOrientations{TemplateOrientation::Auto, TemplateOrientation::Portrait,
                                                           TemplateOrientation::Landscape};
constexpr std::array<int, 3> kOrientationIndex{1, 2, 0}; // Portrait, Landscape, Auto

/// The form of the plan the chosen path asks for: its ending in any letter case; a name without any ending
/// takes the filter's, which is appended. Nothing for a name with another ending.
std::optional<std::pair<std::string, bool>> SettingOutTarget(const std::string& chosen, int filterIndex)
{
    if (FileEndsWith(chosen, ".pdf"))
        return std::pair{chosen, false};
    if (FileEndsWith(chosen, ".csv"))
        return std::pair{chosen, true};
    const std::size_t slash = chosen.find_last_of('/');
    if (chosen.find('.', slash == std::string::npos ? 0 : slash + 1) != std::string::npos)
        return std::nullopt;
    const bool csv = filterIndex == kCsvFilter;
    return std::pair{chosen + (csv ? ".csv" : ".pdf"), csv};
}

/// The full-size dialog: paper, the two correction factors, the orientation, the content, a PDF file or
/// the printer.
class TemplateDialog : public QDialog {
public:
    /// `sheets` counts the sheets a request prints (those with content).
    TemplateDialog(QWidget* parent, const LanguageState& lang, const TemplateChoice& proposed,
                   std::function<long long(const TemplateRequest&)> sheets)
        : QDialog(parent), lang_(lang), sheets_(std::move(sheets))
    {
        setObjectName(QStringLiteral("TemplateDialog"));
        setWindowTitle(ToQt(OwnTextOf(lang, OwnText::PrintFullSizeTitle)));
        auto* form = new QFormLayout;
        paper_ = new QComboBox(this);
        paper_->setObjectName(QStringLiteral("cbPaper"));
        for (std::size_t i = 0; i < kPapers.size(); ++i) {
            paper_->addItem(QString::fromLatin1(kPaperNames[i]));
            if (kPapers[i] == proposed.request.paper)
                paper_->setCurrentIndex(static_cast<int>(i));
        }
        form->addRow(ToQt(OwnTextOf(lang, OwnText::Paper)), paper_);
        x_ = factorBox("sbCorrectX", proposed.request.correctX);
        y_ = factorBox("sbCorrectY", proposed.request.correctY);
        form->addRow(ToQt(OwnTextOf(lang, OwnText::CorrectionFactorX)), x_);
        form->addRow(ToQt(OwnTextOf(lang, OwnText::CorrectionFactorY)), y_);
        orientation_ = choiceBox("cbOrientation", lang,
                                 {OwnText::OrientationAuto, OwnText::OrientationPortrait, OwnText::OrientationLandscape},
                                 kOrientationIndex[static_cast<std::size_t>(proposed.request.orientation)]);
        form->addRow(ToQt(OwnTextOf(lang, OwnText::TemplateOrientationLabel)), orientation_);
        content_ = choiceBox("cbContent", lang, {OwnText::ContentFull, OwnText::ContentMarks},
                             proposed.request.content == TemplateContent::Marks ? 1 : 0);
        form->addRow(ToQt(OwnTextOf(lang, OwnText::TemplateContentLabel)), content_);
        toPdf_ = new QRadioButton(ToQt(OwnTextOf(lang, OwnText::ToPdfFile)), this);
        toPdf_->setObjectName(QStringLiteral("rbToPdf"));
        toPrinter_ = new QRadioButton(ToQt(OwnTextOf(lang, OwnText::ToPrinter)), this);
        toPrinter_->setObjectName(QStringLiteral("rbToPrinter"));
        (proposed.toPrinter ? toPrinter_ : toPdf_)->setChecked(true);
        // How many sheets (and pages, the map page first) the choice prints, as it changes.
        count_ = new QLabel(this);
        count_->setObjectName(QStringLiteral("lSheets"));
        form->addRow(count_);
        for (QComboBox* box : {paper_, orientation_, content_})
            connect(box, &QComboBox::currentIndexChanged, this, &TemplateDialog::showCount);
        for (QDoubleSpinBox* box : {x_, y_})
            connect(box, &QDoubleSpinBox::valueChanged, this, &TemplateDialog::showCount);
        showCount();
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* column = new QVBoxLayout(this);
        column->addLayout(form);
        column->addWidget(toPdf_);
        column->addWidget(toPrinter_);
        column->addWidget(buttons);
    }

    TemplateChoice choice() const
    {
        TemplateChoice chosen;
        chosen.request.paper = kPapers[static_cast<std::size_t>(std::max(paper_->currentIndex(), 0))];
        chosen.request.correctX = x_->value();
        chosen.request.correctY = y_->value();
        chosen.request.orientation = kOrientations[static_cast<std::size_t>(std::max(orientation_->currentIndex(), 0))];
        chosen.request.content = content_->currentIndex() == 1 ? TemplateContent::Marks : TemplateContent::Full;
        chosen.toPrinter = toPrinter_->isChecked();
        return chosen;
    }

private:
    void showCount()
    {
        const long long sheets = sheets_ ? sheets_(choice().request) : 0;
        count_->setText(
            ToQt(OwnTextWith(lang_, OwnText::TemplateSheets, std::to_string(sheets), std::to_string(sheets + 1))));
    }

    QComboBox* choiceBox(const char* name, const LanguageState& lang, std::initializer_list<OwnText> items, int current)
    {
        auto* box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(name));
        for (const OwnText item : items)
            box->addItem(ToQt(OwnTextOf(lang, item)));
        box->setCurrentIndex(current);
        return box;
    }

    QDoubleSpinBox* factorBox(const char* name, double value)
    {
        auto* box = new QDoubleSpinBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setDecimals(kCorrectionDecimals);
        box->setRange(kMinCorrection, kMaxCorrection);
        box->setSingleStep(kCorrectionStep);
        box->setValue(value);
        return box;
    }

    QComboBox* paper_ = nullptr;
    QDoubleSpinBox* x_ = nullptr;
    QDoubleSpinBox* y_ = nullptr;
    QComboBox* orientation_ = nullptr;
    QComboBox* content_ = nullptr;
    QRadioButton* toPdf_ = nullptr;
    QRadioButton* toPrinter_ = nullptr;
    QLabel* count_ = nullptr;
    LanguageState lang_;
    std::function<long long(const TemplateRequest&)> sheets_;
};

} // namespace

TrueScaleActions::TrueScaleActions(MainWindow& window, QMenu& file, QAction* before) : QObject(&window), window_(window)
{
    setObjectName(QStringLiteral("TrueScaleActions"));
    auto* plan = new QAction(&window);
    plan->setObjectName(QStringLiteral("Absteckplan1"));
    SetOwnText(*plan, OwnText::SettingOutItem);
    auto* fullSize = new QAction(&window);
    fullSize->setObjectName(QStringLiteral("Originalgroesse1"));
    SetOwnText(*fullSize, OwnText::PrintFullSizeItem);
    const LanguageState& lang = window.model().state.language;
    plan->setText(ToQt(OwnTextOf(lang, OwnText::SettingOutItem)));
    fullSize->setText(ToQt(OwnTextOf(lang, OwnText::PrintFullSizeItem)));
    file.insertAction(before, plan);
    file.insertAction(before, fullSize);
    connect(plan, &QAction::triggered, this, &TrueScaleActions::settingOutClicked);
    connect(fullSize, &QAction::triggered, this, &TrueScaleActions::printFullSizeClicked);
}

TrueScaleActions::~TrueScaleActions() = default;

void TrueScaleActions::showError(const std::string& text)
{
    const LanguageState& lang = window_.model().state.language;
    window_.host().showMessage(CaptionText(lang, Caption::Error), text, MessageIcon::Error);
}

void TrueScaleActions::warnOfShortGnomon(LengthUnit unit)
{
    const Model& model = window_.model();
    if (const std::optional<std::string> warning = GnomonHeightWarning(model, unit))
        window_.host().showMessage(CaptionText(model.state.language, Caption::Warning), *warning,
                                   MessageIcon::Warning);
}

bool TrueScaleActions::writeFile(const std::string& path, const std::string& bytes)
{
    if (const std::optional<FileFailure> failure = WriteFileSafely(path, bytes)) {
        const UiMessage message = SaveFailureMessage(window_.model().state.language, path, *failure);
        window_.host().showMessage(message.caption, message.text, message.icon);
        return false;
    }
    window_.reportSaved(path);
    return true;
}

void TrueScaleActions::settingOutClicked()
{
    const Model& model = window_.model();
    const LanguageState& lang = model.state.language;
    const SaveDialogRequest request{.dialog = {.save = true,
                                               .title = ToQt(OwnTextOf(lang, OwnText::PlanTitle)),
                                               .filter = QtFileFilter(OwnTextOf(lang, OwnText::SettingOutFilter)),
                                               .defaultSuffix = QStringLiteral("pdf"),
                                               .fileName = ToQt(OwnTextOf(lang, OwnText::PlanTitle)),
                                               .directory = ToQt(window_.lastFolder().folder())},
                                    .filterIndex = kPdfFilter};
    const std::optional<SaveDialogAnswer> answer =
        chooseFile_ ? chooseFile_(request) : ShowSaveDialog(&window_, request);
    if (!answer)
        return;
    window_.chooseFolderOf(answer->path);
    const auto target = SettingOutTarget(answer->path, answer->filterIndex);
    if (!target) {
        showError(OwnTextWith(lang, OwnText::SettingOutEnding, answer->path));
        return;
    }
    const auto& [path, csv] = *target;
    const TrueScaleSettings settings = WindowTrueScaleSettings(model);
    const WaitCursor wait;
    try {
        if (csv) {
            (void)writeFile(path, SettingOutCsv(BuildSettingOutPlan(model), settings.lengthUnit));
            return;
        }
        const PdfBytes pdf =
            SettingOutPdf(BuildSettingOutDocument(model, settings.lengthUnit, settings.magneticDeclinationDeg));
        if (pdf.failure)
            showError(OwnTextWith(lang, OwnText::PdfNotMade, path, *pdf.failure));
        else if (writeFile(path, pdf.bytes))
            warnOfShortGnomon(settings.lengthUnit);
    } catch (const std::exception& e) {
        showError(OwnTextWith(lang, OwnText::PdfNotMade, path, e.what()));
    }
}

std::optional<TemplateChoice> TrueScaleActions::askTemplate()
{
    if (chooseTemplate_)
        return chooseTemplate_(lastChoice_);
    const Model& model = window_.model();
    const ConstructionGeometry geometry = BuildConstructionGeometry(model);
    const double unitMm = UnitSizeMm(WindowTrueScaleSettings(model).lengthUnit);
    TemplateDialog dialog(&window_, model.state.language, lastChoice_, [&geometry, unitMm](const TemplateRequest& r) {
        return PrintedSheets(LayoutTemplate(geometry.dial, unitMm, r.paper, r.orientation), geometry, unitMm);
    });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

void TrueScaleActions::printFullSizeClicked()
{
    const Model& model = window_.model();
    const LanguageState& lang = model.state.language;
    const std::optional<TemplateChoice> choice = askTemplate();
    if (!choice)
        return;
    if (!CorrectionAccepted(choice->request)) {
        showError(std::string(OwnTextOf(lang, OwnText::CorrectionFactors)) + " " +
                  FormatDecimals(choice->request.correctX, kCorrectionDecimals) + " / " +
                  FormatDecimals(choice->request.correctY, kCorrectionDecimals) + ": " +
                  FormatDecimals(kMinCorrection, 2) + " .. " + FormatDecimals(kMaxCorrection, 2));
        return;
    }
    lastChoice_ = *choice;
    const TrueScaleSettings settings = WindowTrueScaleSettings(model);
    const ConstructionGeometry geometry = BuildConstructionGeometry(model);
    const double unitMm = UnitSizeMm(settings.lengthUnit);
    const TemplateLayout layout =
        LayoutTemplate(geometry.dial, unitMm, choice->request.paper, choice->request.orientation);
    if (layout.refused()) {
        showError(OwnTextWith(lang, OwnText::SheetsCounted, std::to_string(layout.sheets())));
        return;
    }
    if (const long long printed = PrintedSheets(layout, geometry, unitMm); SheetsNeedConfirming(printed)) {
        const QString caption = ToQt(CaptionText(lang, Caption::Warning));
        const QString text = ToQt(OwnTextWith(lang, OwnText::SheetsQuestion, std::to_string(printed)));
        const bool yes = askSheets_ ? askSheets_(caption, text)
                                    : QMessageBox::question(&window_, caption, text, QMessageBox::Yes | QMessageBox::No,
                                                            QMessageBox::No) == QMessageBox::Yes;
        if (!yes)
            return;
    }
    if (choice->toPrinter) {
        sendToPrinter(choice->request);
        return;
    }
    const SaveDialogRequest request{.dialog = {.save = true,
                                               .title = ToQt(OwnTextOf(lang, OwnText::TemplateTitle)),
                                               .filter = QtFileFilter(OwnTextOf(lang, OwnText::TemplateFilter)),
                                               .defaultSuffix = QStringLiteral("pdf"),
                                               .fileName = ToQt(OwnTextOf(lang, OwnText::TemplateTitle)),
                                               .directory = ToQt(window_.lastFolder().folder())},
                                    .filterIndex = 1};
    const std::optional<SaveDialogAnswer> answer =
        chooseFile_ ? chooseFile_(request) : ShowSaveDialog(&window_, request);
    if (!answer)
        return;
    window_.chooseFolderOf(answer->path);
    const WaitCursor wait;
    const PdfBytes pdf = TemplatePdf(model, settings.lengthUnit, choice->request);
    if (pdf.failure)
        showError(OwnTextWith(lang, OwnText::PdfNotMade, answer->path, *pdf.failure));
    else if (writeFile(answer->path, pdf.bytes))
        warnOfShortGnomon(settings.lengthUnit);
}

void TrueScaleActions::sendToPrinter(const TemplateRequest& request)
{
    const Model& model = window_.model();
    const LanguageState& lang = model.state.language;
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setPageOrientation(QPageLayout::Portrait);
    bool confirmed = false;
    if (printerDialog_) {
        confirmed = printerDialog_(*printer_);
    } else {
        QPrintDialog box(printer_.get(), &window_);
        confirmed = box.exec() == QDialog::Accepted;
    }
    if (!confirmed)
        return;
    const LengthUnit unit = WindowTrueScaleSettings(model).lengthUnit;
    const WaitCursor wait;
    // A printer that prints to a PDF file gets the document the file command makes, through the safe writer.
    if (PrintsToPdfFile(*printer_)) {
        const std::string path = FromQt(printer_->outputFileName());
        const PdfBytes pdf = TemplatePdf(model, unit, request);
        if (pdf.failure)
            showError(OwnTextWith(lang, OwnText::PdfNotMade, path, *pdf.failure));
        else
            (void)writeFile(path, pdf.bytes);
        return;
    }
    if (const std::optional<std::string> failure = PrintTemplate(*printer_, model, unit, request))
        showError(std::string(MessageRow(lang, MessageId::PrintingFailed)) + "\n" + *failure);
}

} // namespace umbrix
