#include "ui/accuracy_page.h"

#include "core/length_unit.h"
#include "graphics/accuracy_heat_map.h"
#include "ui/scaled_picture.h"
#include "graphics/setting_out.h"
#include "text/own_texts.h"
#include "ui/design_settings_window.h"
#include "ui/own_labels.h"
#include "ui/qt_surface.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QTableWidget>

#include <functional>

namespace umbrix {

namespace {

constexpr int kMinutesDecimals = 2;
constexpr int kBudgetDecimals = 3; // a budget of a few hundredths of a minute per millimetre still shows

QLabel* WrappedLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

QTableWidget* Table(QWidget* parent, const char* name)
{
    auto* table = new QTableWidget(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setDefaultSectionSize(78);
    table->verticalHeader()->setDefaultSectionSize(20);
    return table;
}

QTableWidgetItem* Cell(const std::string& text)
{
    auto* item = new QTableWidgetItem(ToQt(text));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

std::string Value(const std::optional<double>& value, int decimals)
{
    return value ? FormatDecimals(*value, decimals) : std::string();
}

/// The heat map drawn on an image as large as it asks for, on white.
QPixmap HeatMapPicture(const HeatMap& map)
{
    QImage measureImage(1, 1, QImage::Format_RGB32);
    HeatMapSize size;
    {
        QtSurface measure(measureImage);
        size = MeasureHeatMap(map, measure);
    }
    QImage image(std::max(size.width, 1), std::max(size.height, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QtSurface surface(image);
        DrawHeatMap(surface, map);
    }
    return QPixmap::fromImage(image);
}

} // namespace

AccuracyPage::AccuracyPage(const Model& model, QWidget* parent) : QWidget(parent), model_(model)
{
    setObjectName(QStringLiteral("tsAccuracy"));
    SetOwnText(*this, OwnText::AccuracyPageTitle);

    // The heat map scales with the page, its colour bar always in sight.
    picture_ = new ScaledPicture(QStringLiteral("AccuracyMap"), this);
    maxAbs_ = WrappedLabel(this, "lAccuracyMaxAbs");
    meanAbs_ = WrappedLabel(this, "lAccuracyMeanAbs");
    worst_ = WrappedLabel(this, "lAccuracyWorst");
    ambiguous_ = WrappedLabel(this, "lAccuracyAmbiguous");
    table_ = Table(this, "AccuracyTable");
    table_->horizontalHeader()->setDefaultSectionSize(52);

    budgetHeading_ = WrappedLabel(this, "lBudget");
    hoursHeading_ = WrappedLabel(this, "lBudgetHours");
    datesHeading_ = WrappedLabel(this, "lBudgetDates");
    hourBudget_ = Table(this, "BudgetHours");
    dateBudget_ = Table(this, "BudgetDates");

    auto* left = new QVBoxLayout;
    left->addWidget(picture_, 3);
    for (QLabel* label : {maxAbs_, meanAbs_, worst_, ambiguous_})
        left->addWidget(label);
    left->addWidget(table_, 2);
    auto* right = new QVBoxLayout;
    right->addWidget(budgetHeading_);
    right->addWidget(hoursHeading_);
    right->addWidget(hourBudget_, 3);
    right->addWidget(datesHeading_);
    right->addWidget(dateBudget_, 2);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(5, 5, 5, 5);
    row->addLayout(left, 1);
    row->addLayout(right, 1);
}

void AccuracyPage::dialChanged()
{
    stale_ = true;
    // Several calls of one calculation compute once, after it has finished.
    RefreshWhenShown(*this, queued_, stale_, [this] { compute(); });
}

void AccuracyPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (stale_)
        compute();
}

void AccuracyPage::compute()
{
    const DialParameters& p = model_.params;
    map_ = ComputeDesignErrorMap(p, model_.state, model_.results);
    budget_ =
        ComputeErrorBudget(p, model_.state, model_.results, UnitSizeMm(WindowAnalysisSettings(model_).lengthUnit));
    stale_ = false;
    ++computations_;
    display();
}

void AccuracyPage::relabel()
{
    if (map_ && !stale_)
        display();
}

void AccuracyPage::display()
{
    const LanguageState& lang = model_.state.language;
    const DesignErrorMap& map = *map_;
    picture_->setPixmap(HeatMapPicture(DesignErrorHeatMap(lang, map)));

    if (map.maxAbs) {
        maxAbs_->setText(ToQt(OwnTextWith(lang, OwnText::AccuracyMaxAbs, FormatDecimals(*map.maxAbs, 2))));
        meanAbs_->setText(
            ToQt(OwnTextWith(lang, OwnText::AccuracyMeanAbs, FormatDecimals(map.meanAbs.value_or(0), 2))));
    } else {
        maxAbs_->setText(ToQt(OwnTextOf(lang, OwnText::AccuracyNoReading)));
        meanAbs_->clear();
    }
    meanAbs_->setVisible(map.maxAbs.has_value());
    if (map.worst)
        worst_->setText(ToQt(OwnTextWith(lang, OwnText::AccuracyWorst,
                                         map.worst->date + " " + std::to_string(map.worst->hour) + ":00",
                                         FormatDecimals(map.worst->minutes, 2))));
    worst_->setVisible(map.worst.has_value());
    ambiguous_->setText(ToQt(OwnTextWith(lang, OwnText::AccuracyAmbiguous, std::to_string(map.ambiguousCount))));
    ambiguous_->setVisible(map.ambiguousCount > 0);

    // The map's table: a row per date, a column per full hour, minutes; empty where there is no reading.
    table_->clear();
    table_->setRowCount(static_cast<int>(map.dates.size()));
    table_->setColumnCount(static_cast<int>(map.hours.size()));
    QStringList hours;
    for (const int hour : map.hours)
        hours << QStringLiteral("%1 h").arg(hour);
    table_->setHorizontalHeaderLabels(hours);
    QStringList dates;
    for (const std::string& date : map.dates)
        dates << ToQt(date).trimmed();
    table_->setVerticalHeaderLabels(dates);
    for (std::size_t r = 0; r < map.cells.size(); ++r)
        for (std::size_t c = 0; c < map.cells[r].size(); ++c)
            table_->setItem(static_cast<int>(r), static_cast<int>(c),
                            Cell(Value(map.cells[r][c].minutes, kMinutesDecimals)));

    budgetHeading_->setText(ToQt(OwnTextOf(lang, OwnText::BudgetHeading)));
    hoursHeading_->setText(ToQt(OwnTextOf(lang, OwnText::BudgetHoursHeading)));
    datesHeading_->setText(ToQt(OwnTextOf(lang, OwnText::BudgetDatesHeading)));
    const ErrorBudget& budget = *budget_;
    const ErrorBudgetWorst& worst = budget.worst;

    // Per hour point: the five figures, then the worst of each column with the hour it belongs to.
    hourBudget_->clear();
    using HourFigure = std::optional<double> HourPointBudget::*;
    const std::array<HourFigure, 5> figures{&HourPointBudget::minutesPerMmAlong, &HourPointBudget::minutesPerMmAcross,
                                            &HourPointBudget::minutesPerDegreeTiltNS,
                                            &HourPointBudget::minutesPerDegreeTiltEW,
                                            &HourPointBudget::minutesPerTenthDegreeLatitude};
    const std::array<const std::optional<BudgetWorstHour>*, 5> hourWorst{&worst.along, &worst.across, &worst.tiltNS,
                                                                         &worst.tiltEW, &worst.latitude};
    hourBudget_->setColumnCount(static_cast<int>(figures.size()));
    hourBudget_->setHorizontalHeaderLabels(
        {ToQt(OwnTextOf(lang, OwnText::BudgetAlong)), ToQt(OwnTextOf(lang, OwnText::BudgetAcross)),
         ToQt(OwnTextOf(lang, OwnText::BudgetTiltNS)), ToQt(OwnTextOf(lang, OwnText::BudgetTiltEW)),
         ToQt(OwnTextOf(lang, OwnText::BudgetLatitude))});
    const int hourRows = static_cast<int>(budget.hourPoints.size());
    hourBudget_->setRowCount(hourRows + 1);
    QStringList times;
    for (int r = 0; r < hourRows; ++r) {
        const HourPointBudget& point = budget.hourPoints[static_cast<std::size_t>(r)];
        times << ToQt(ClockText(point.time));
        for (std::size_t c = 0; c < figures.size(); ++c)
            hourBudget_->setItem(r, static_cast<int>(c), Cell(Value(point.*figures[c], kBudgetDecimals)));
    }
    times << ToQt(OwnTextOf(lang, OwnText::BudgetWorstRow));
    hourBudget_->setVerticalHeaderLabels(times);
    for (std::size_t c = 0; c < hourWorst.size(); ++c)
        if (const auto& w = *hourWorst[c])
            hourBudget_->setItem(hourRows, static_cast<int>(c),
                                 Cell(FormatDecimals(w->value, kBudgetDecimals) + " (" + ClockText(w->time) + ")"));
    hourBudget_->resizeColumnsToContents(); // the headers name their units in full

    // Per date mark: north-south and east-west, then the worst of each with its date.
    dateBudget_->clear();
    dateBudget_->setColumnCount(2);
    dateBudget_->setHorizontalHeaderLabels(
        {ToQt(OwnTextOf(lang, OwnText::BudgetMarkNS)), ToQt(OwnTextOf(lang, OwnText::BudgetMarkEW))});
    const int dateRows = static_cast<int>(budget.dateMarks.size());
    dateBudget_->setRowCount(dateRows + 1);
    QStringList labels;
    for (int r = 0; r < dateRows; ++r) {
        const DateMarkBudget& mark = budget.dateMarks[static_cast<std::size_t>(r)];
        labels << ToQt(mark.label).trimmed();
        dateBudget_->setItem(r, 0, Cell(Value(mark.minutesPerMmNS, kBudgetDecimals)));
        dateBudget_->setItem(r, 1, Cell(Value(mark.minutesPerMmEW, kBudgetDecimals)));
    }
    labels << ToQt(OwnTextOf(lang, OwnText::BudgetWorstRow));
    dateBudget_->setVerticalHeaderLabels(labels);
    int column = 0;
    for (const auto* w : {&worst.ns, &worst.ew}) {
        if (*w)
            dateBudget_->setItem(dateRows, column,
                                 Cell(FormatDecimals((*w)->value, kBudgetDecimals) + " (" + (*w)->label + ")"));
        ++column;
    }
    dateBudget_->resizeColumnsToContents();
}

} // namespace umbrix
