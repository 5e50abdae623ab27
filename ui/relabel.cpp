// The language of the window: the relabelling walks over the controls and the main menu.

#include "core/split_dial_controls.h"
#include "text/texts.h"
#include "ui/accuracy_page.h"
#include "ui/field_comforts.h"
#include "ui/grid_view.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/own_labels.h"
#include "ui/qt_text.h"
#include "ui/qt_translation.h"
#include "ui/radio_group.h"
#include "ui/simulation_page.h"
#include "ui/widgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTabWidget>

#include <vector>

namespace umbrix {

namespace {

constexpr int kPageControlTag = 620;

QStringList ToQtLines(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const std::string& line : lines)
        out << ToQt(line);
    return out;
}

QStringList LabelItems(const LanguageState& lang, LabelId first, LabelId last)
{
    return ToQtLines(LabelLines(lang, first, last));
}

} // namespace

void MainWindow::RelabelAll()
{
    const LanguageState& lang = model_.state.language;
    // Relabelling may replace objects (the items of a radio group); the walk skips those that went away.
    std::vector<QPointer<QObject>> objects;
    for (QObject* object : findChildren<QObject*>())
        objects.emplace_back(object);
    for (const QPointer<QObject>& object : objects) {
        if (!object)
            continue;
        const int tag = TagOf(*object);
        if (tag == 0)
            continue;
        if (auto* group = qobject_cast<RadioGroup*>(object)) {
            relabelRadioGroup(*group, tag);
        } else if (auto* tabs = qobject_cast<QTabWidget*>(object)) {
            if (tag == kPageControlTag)
                for (int i = 0; i < tabs->count(); ++i) {
                    // The pages after the first five carry their titles as own texts.
                    const std::optional<QString> own = OwnTextFor(*tabs->widget(i), lang);
                    tabs->setTabText(i, own ? *own : ToQt(TextRow(lang, TextId::PageTitleFirst, i)));
                }
        } else if (auto* grid = qobject_cast<GridView*>(object)) {
            if (tag == 30) {
                // The statistics of the loops: their row and column titles.
                StringGrid& mean = model_.grids.StrMittel;
                WriteLoopStatisticsTitles(mean, lang);
                grid->showGrid(mean);
            }
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(object)) {
            relabelMemo(*memo, tag);
        } else {
            // Labels, buttons, check boxes and menu items show the caption of their number; a number
            // without a caption in this language leaves the caption as it is.
            const std::string_view text = ResourceText(lang, tag);
            if (text.empty())
                continue;
            if (auto* label = qobject_cast<QLabel*>(object))
                label->setText(ToQt(text));
            else if (auto* button = qobject_cast<QAbstractButton*>(object))
                button->setText(ToQt(text));
            else if (auto* action = qobject_cast<QAction*>(object))
                action->setText(ToQt(text));
        }
    }
    SetFieldTips(*this, lang, *fieldRestore_);
    updateShadowDateLabel();
    accuracyPage_->relabel();
    simulationPage_->relabel();
}

void MainWindow::relabelRadioGroup(RadioGroup& group, int tag)
{
    const LanguageState& lang = model_.state.language;
    if (const std::string_view caption = ResourceText(lang, tag); !caption.empty())
        group.setTitle(ToQt(caption));
    switch (tag) {
    case 30:
        group.setItems(LabelItems(lang, LabelId::MarksOnAxis, LabelId::TwoLoops));
        group.setTitle(ToQt(LabelRow(lang, LabelId::DateLine)));
        break;
    case 31:
        group.setItems(LabelItems(lang, LabelId::OneLoop, LabelId::TwoLoops));
        group.setTitle(ToQt(LabelRow(lang, LabelId::DateLine)));
        break;
    case 40:
        group.setItems(LabelItems(lang, LabelId::MethodNameFirst, LabelId::MethodNameLast));
        group.setTitle(ToQt(LabelRow(lang, LabelId::SplitDial)));
        break;
    case 50:
        group.setItems(LabelItems(lang, LabelId::OnePerMonth, LabelId::SixPerMonth));
        group.setTitle(ToQt(ResourceText(lang, model_.params.type() == DialType::FixedGnomon ? ResourceId::DateLines
                                                                                             : ResourceId::DateMarks)));
        break;
    case 60:
        group.setItems(LabelItems(lang, LabelId::Morning, LabelId::Afternoon));
        group.setTitle(ToQt(LabelRow(lang, LabelId::ShowErrorTableFor)));
        break;
    case 70:
        group.setItems(LabelItems(lang, LabelId::DefaultHours, LabelId::HoursFromTable));
        break;
    case 75:
        group.setItems(LabelItems(lang, LabelId::HourPointsAsXY, LabelId::HourPointsAsDistances));
        break;
    case 80:
        group.setItems(LabelItems(lang, LabelId::ScaledToA3, LabelId::InAxisUnits));
        break;
    case 90:
        group.setItems(ToQtLines(ResourceLines(lang, ResourceId::DialTitleFirst, kDialTypeCount)));
        group.setTitle(QString());
        break;
    default:
        break;
    }
}

void MainWindow::relabelMemo(QPlainTextEdit& memo, int tag)
{
    const LanguageState& lang = model_.state.language;
    QStringList lines;
    switch (tag) {
    case 30:
        lines = ToQtLines(ResourceLines(lang, ResourceId::TermsOfUseFirst, kTermsOfUseLines));
        break;
    case 50:
        lines = LabelItems(lang, LabelId::SplitMemoFirst, LabelId::SplitMemoLast);
        break;
    case 608:
        lines = LabelItems(lang, LabelId::WithStepsOf, LabelId::OpeningFor);
        break;
    case 609:
        lines = LabelItems(lang, LabelId::MaxError, LabelId::YRight);
        break;
    case 610:
        lines << ToQt(LabelRow(lang, LabelId::YearHintFirst))
              << ToQt(LabelRow(lang, LabelId::YearHintSecond)) + QString::number(model_.params.year) + QLatin1Char('.');
        break;
    default:
        return;
    }
    memo.setPlainText(lines.join(QLatin1Char('\n')));
}

void MainWindow::RelabelMenu()
{
    const LanguageState& lang = model_.state.language;
    const auto captions = MenuCaptions(lang);
    std::size_t next = 0;
    auto give = [&](QAction* action) {
        if (HasOwnText(*action))
            return;
        if (next < captions.size())
            action->setText(ToQt(captions[next++]));
    };
    // Menus, their items and the items of those, in menu order; separators take no caption.
    for (QAction* top : menuBar()->actions()) {
        if (top->isSeparator())
            continue;
        give(top);
        QMenu* menu = top->menu();
        if (!menu)
            continue;
        for (QAction* item : menu->actions()) {
            if (item->isSeparator())
                continue;
            give(item);
            // A submenu with a text of its own (the recent files) lists names, not captions.
            if (QMenu* sub = item->menu(); sub && !HasOwnText(*item))
                for (QAction* subItem : sub->actions())
                    if (!subItem->isSeparator())
                        give(subItem);
        }
    }
    RelabelOwnTexts(*this, lang);
    relabelUndo();
    const bool german = LanguageOf(lang) == Language::German;
    control<QAction>("Deutsch2")->setChecked(german);
    control<QAction>("Englisch2")->setChecked(!german);
}

void MainWindow::SetLanguage(Language language)
{
    umbrix::SetLanguage(model_, language);
    qtLanguage_->apply(language);
    // The help page of the new language; an open help window shows it.
    chooseHelpFile(false);
    if (helpWindow_ && helpWindow_->isVisible())
        Hilfe2Click();
    RelabelMenu();
    RelabelAll();
    relabelUndo();
    updateTitle();
    // Texts the walks do not reach: the shadow date in the new month names, the date field's caption.
    control<QLabel>("lDat2")->setText(ToQt(model_.state.shadowDateCaption));
    control<QLabel>("Label4")->setText(ToQt(
        TextRow(model_.state.language, TextId::MethodHintFirst, static_cast<int>(model_.params.doubleAnalemmaMethod))));
    // The tables and the drawing carry texts of their own (month names, titles): they are made again in
    // the new language, unless the last calculation failed and would only repeat its message.
    if (activated_ && !drawingBlanked_) {
        (void)Recalculate(model_, *host_, RecalcSource::None, *redraw_);
        refreshAfterCalculation();
    }
}

} // namespace umbrix
