#include "ui/simulation_page.h"

#include "core/dst_ring.h"
#include "core/length_unit.h"
#include "core/summer_time.h"
#include "graphics/construction.h"
#include "graphics/instant_drawing.h"
#include "graphics/setting_out.h"
#include "graphics/view.h"
#include "text/own_texts.h"
#include "ui/design_settings_window.h"
#include "ui/own_labels.h"
#include "ui/qt_surface.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

#include <QBoxLayout>
#include <QDateTime>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>

#include <cmath>

namespace umbrix {

namespace {

constexpr int kMinutesPerDay = 24 * 60;
constexpr int kMinPicturePx = 120;
constexpr int kInfoColumnPx = 330; // the readings and the correction table beside the picture

QDateTime ToDateTime(const Instant& instant)
{
    const long minutes = std::lround(instant.zoneHours * 60);
    return QDateTime(QDate(instant.year, instant.month, instant.day),
                     QTime(static_cast<int>(minutes / 60), static_cast<int>(minutes % 60)), Qt::UTC);
}

Instant FromDateTime(const QDateTime& when)
{
    const QDate date = when.date();
    const QTime time = when.time();
    return Instant{date.year(), date.month(), date.day(), time.hour() + time.minute() / 60.0};
}

QLabel* InfoLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

/// The zone's record of `year`: the design year's or a further year's the host read; null when not read.
const ZoneSummerTime* ZoneOfYear(const DstOptions& dst, int year)
{
    if (dst.zone.year == year)
        return &dst.zone;
    for (const ZoneSummerTime& other : dst.zoneOtherYears)
        if (other.year == year)
            return &other;
    return dst.zone.year != 0 ? &dst.zone : nullptr;
}

/// Which time the clock shows at the instant and the time it shows: summer time with the zone's
/// abbreviation ("MESZ"/"CEST") or, without a zone, "Sommerzeit" / "summer time"; else zone time, with the
/// zone's abbreviation where there is one; and on a line of its own the rule the summer time follows.
std::string ClockShown(const DialParameters& p, const LanguageState& lang, const Instant& instant,
                       const Simulation& sim)
{
    const DstOptions& dst = p.dst;
    const bool zoned = !dst.timeZone.empty();
    std::string shown;
    if (sim.summerTime) {
        const SummerSchedule schedule = ScheduleOf(dst, p.zoneMeridian, instant.year);
        const SummerSpan* span = SpanAt(schedule, DayMonth{instant.day, instant.month}, instant.zoneHours);
        const std::string label = ClockLabel(lang, true, span ? span->abbreviation : std::string());
        shown = label == OwnTextOf(lang, OwnText::SummerTimeLabel)
                    ? OwnTextWith(lang, OwnText::SimulationClockSummer, ClockText(*sim.summerTime))
                    : OwnTextWith(lang, OwnText::SimulationClockSummerNamed, ClockText(*sim.summerTime), label);
    } else {
        const ZoneSummerTime* zone = zoned ? ZoneOfYear(dst, instant.year) : nullptr;
        const std::string label = ClockLabel(lang, false, zone ? zone->standardAbbreviation : std::string());
        shown = label.empty() ? OwnTextWith(lang, OwnText::SimulationClockZone, ClockText(sim.zoneTime))
                              : OwnTextWith(lang, OwnText::SimulationClockZoneNamed, ClockText(sim.zoneTime), label);
    }
    std::string rule = SummerRuleText(lang, dst);
    if (!rule.empty() && rule.front() >= 'a' && rule.front() <= 'z')
        rule.front() = static_cast<char>(rule.front() - 'a' + 'A');
    return shown + "\n" + rule;
}

std::string Minutes(double minutes)
{
    return (minutes > 0 ? "+" : "") + FormatDecimals(minutes, 1);
}

} // namespace

SimulationPage::SimulationPage(const Model& model, QWidget* parent)
    : QWidget(parent), model_(model), clock_([] { return QDateTime::currentSecsSinceEpoch(); })
{
    setObjectName(QStringLiteral("tsSimulation"));
    SetOwnText(*this, OwnText::SimulationPageTitle);
    instant_ = Instant{model.params.year, model.state.shadowMonth, model.state.shadowDay, 12.0};
    if (!IsValidInstant(instant_))
        instant_ = Instant{};

    instantCaption_ = new QLabel(this);
    instantCaption_->setObjectName(QStringLiteral("lSimInstant"));
    SetOwnText(*instantCaption_, OwnText::SimulationInstant);
    instantEdit_ = new QDateTimeEdit(this);
    instantEdit_->setObjectName(QStringLiteral("dtSimInstant"));
    // Standard time has no gaps or repeated hours: the control counts in UTC, which has none either.
    instantEdit_->setTimeSpec(Qt::UTC);
    instantEdit_->setDisplayFormat(QStringLiteral("dd.MM.yyyy HH:mm"));
    instantEdit_->setDateTimeRange(QDateTime(QDate(kInstantYearMin, 1, 1), QTime(0, 0), Qt::UTC),
                                   QDateTime(QDate(kInstantYearMax, 12, 31), QTime(23, 59), Qt::UTC));
    instantEdit_->setDateTime(ToDateTime(instant_));
    now_ = new QPushButton(this);
    now_->setObjectName(QStringLiteral("btSimNow"));
    SetOwnText(*now_, OwnText::SimulationNow);
    play_ = new QPushButton(this);
    play_->setObjectName(QStringLiteral("btSimPlay"));
    play_->setCheckable(true);
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("SimulationTimer"));
    timer_->setInterval(kPlayTickMs);

    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("SimulationPicture"));
    picture_->setMinimumSize(kMinPicturePx, kMinPicturePx);
    picture_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    reading_ = InfoLabel(this, "lSimReading");
    dialTime_ = InfoLabel(this, "lSimDialTime");
    clockTime_ = InfoLabel(this, "lSimClock");
    difference_ = InfoLabel(this, "lSimDifference");
    sun_ = InfoLabel(this, "lSimSun");
    gnomon_ = InfoLabel(this, "lSimGnomon");
    correctionHeading_ = InfoLabel(this, "lSimCorrection");
    correctionTable_ = new QTableWidget(this);
    correctionTable_->setObjectName(QStringLiteral("SimCorrectionTable"));
    correctionTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    correctionTable_->verticalHeader()->setDefaultSectionSize(20);

    auto* controls = new QHBoxLayout;
    controls->addWidget(instantCaption_);
    controls->addWidget(instantEdit_);
    controls->addWidget(now_);
    controls->addWidget(play_);
    controls->addStretch(1);
    auto* info = new QVBoxLayout;
    for (QLabel* label : {reading_, dialTime_, clockTime_, difference_, sun_, gnomon_, correctionHeading_})
        info->addWidget(label);
    info->addWidget(correctionTable_, 1);
    auto* infoColumn = new QWidget(this);
    infoColumn->setObjectName(QStringLiteral("SimInfo"));
    infoColumn->setLayout(info);
    infoColumn->setFixedWidth(kInfoColumnPx);
    auto* body = new QHBoxLayout;
    body->addWidget(picture_, 1);
    body->addWidget(infoColumn);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(5, 5, 5, 5);
    page->addLayout(controls);
    page->addLayout(body, 1);

    connect(instantEdit_, &QDateTimeEdit::dateTimeChanged, this, &SimulationPage::instantEdited);
    connect(now_, &QPushButton::clicked, this, &SimulationPage::nowClicked);
    connect(play_, &QPushButton::clicked, this, &SimulationPage::playClicked);
    connect(timer_, &QTimer::timeout, this, &SimulationPage::tick);
    showPlayCaption();
}

bool SimulationPage::playing() const
{
    return timer_->isActive();
}

void SimulationPage::dialChanged()
{
    // The texts follow at once (one instant is quickly read); the picture, which draws the whole
    // construction, once the calculation has finished, and only while the page is shown.
    simulate();
    display();
    stale_ = true;
    RefreshWhenShown(*this, queued_, stale_, [this] { drawPicture(); });
}

void SimulationPage::refresh()
{
    simulate();
    display();
    if (isVisible())
        drawPicture();
    else
        stale_ = true;
}

void SimulationPage::relabel()
{
    showPlayCaption();
    refresh();
}

void SimulationPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (stale_)
        drawPicture();
}

void SimulationPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Resized while another page is in front: the picture is made for the new size when the page is shown.
    if (!isVisible())
        stale_ = true;
    else if (!stale_)
        drawPicture();
}

void SimulationPage::setInstant(const Instant& instant)
{
    if (!IsValidInstant(instant))
        return;
    instant_ = instant;
    {
        const QSignalBlocker blocker(instantEdit_);
        instantEdit_->setDateTime(ToDateTime(instant_));
    }
    refresh();
}

void SimulationPage::instantEdited()
{
    const Instant edited = FromDateTime(instantEdit_->dateTime());
    if (!IsValidInstant(edited))
        return;
    instant_ = edited;
    refresh();
}

void SimulationPage::nowClicked()
{
    if (const std::optional<Instant> now = InstantFromUnixSeconds(clock_(), model_.params.zoneMeridian))
        setInstant(*now);
}

void SimulationPage::playClicked()
{
    if (playing())
        timer_->stop();
    else
        timer_->start();
    showPlayCaption();
}

void SimulationPage::tick()
{
    const long minutes = std::lround(instant_.zoneHours * 60) + kPlayStepMinutes;
    bool end = minutes >= kMinutesPerDay;
    if (!end) {
        Instant next = instant_;
        next.zoneHours = static_cast<double>(minutes) / 60.0;
        setInstant(next);
        // The end of the hour range, or the sun set in the afternoon.
        end = !simulation_ || simulation_->dialTime >= model_.state.hourTo ||
              (simulation_->sunAltitude <= 0 && simulation_->dialTime > 12);
    }
    if (end && playing()) {
        timer_->stop();
        showPlayCaption();
    }
}

void SimulationPage::showPlayCaption()
{
    const LanguageState& lang = model_.state.language;
    play_->setChecked(playing());
    play_->setText(ToQt(OwnTextOf(lang, playing() ? OwnText::SimulationPause : OwnText::SimulationPlay)));
}

void SimulationPage::simulate()
{
    const AnalysisSettings settings = WindowAnalysisSettings(model_);
    simulation_ = Simulate(model_.params, model_.state, model_.results, instant_, settings.dst);
    correction_ = ComputeCorrectionTable(model_.params, model_.results, settings.dst);
}

void SimulationPage::display()
{
    const LanguageState& lang = model_.state.language;
    const LengthUnit unit = WindowAnalysisSettings(model_).lengthUnit;
    correctionHeading_->setText(ToQt(OwnTextOf(lang, OwnText::CorrectionHeading)));
    for (QLabel* label : {dialTime_, clockTime_, difference_, sun_, gnomon_})
        label->clear();
    if (!simulation_) {
        reading_->setText(ToQt(OwnTextOf(lang, OwnText::SimulationCannotShow)));
    } else {
        const Simulation& sim = *simulation_;
        if (sim.reading)
            reading_->setText(ToQt(OwnTextWith(lang, OwnText::SimulationReading, ClockText(*sim.reading))));
        else
            reading_->setText(
                ToQt(OwnTextOf(lang, sim.status == ReadingStatus::NoCrossing ? OwnText::SimulationNoCrossing
                                                                             : OwnText::SimulationNoShadow)));
        dialTime_->setText(ToQt(OwnTextWith(lang, OwnText::SimulationDialTime, ClockText(sim.dialTime))));
        clockTime_->setText(ToQt(ClockShown(model_.params, lang, instant_, sim)));
        if (sim.watchCorrectionMinutes)
            difference_->setText(
                ToQt(OwnTextWith(lang, OwnText::SimulationDifference, Minutes(*sim.watchCorrectionMinutes))));
        sun_->setText(ToQt(OwnTextWith(lang, OwnText::SimulationSun, FormatDecimals(sim.sunAltitude, 1),
                                       FormatDecimals(sim.sunAzimuth, 1))));
        gnomon_->setText(
            ToQt(OwnTextWith(lang, OwnText::SimulationGnomon,
                             "x " + FormatLength(sim.gnomon.x, unit) + ", y " + FormatLength(sim.gnomon.y, unit),
                             QString::fromStdString(sim.nearestMark).trimmed().toStdString())));
    }

    // The plaque's table: minutes to add for zone time and summer time, the clock time of apparent noon.
    correctionTable_->clear();
    correctionTable_->setColumnCount(3);
    correctionTable_->setHorizontalHeaderLabels({ToQt(OwnTextOf(lang, OwnText::CorrectionStandard)),
                                                 ToQt(OwnTextOf(lang, OwnText::CorrectionSummer)),
                                                 ToQt(OwnTextOf(lang, OwnText::CorrectionNoon))});
    correctionTable_->setRowCount(static_cast<int>(correction_.rows.size()));
    QStringList dates;
    for (std::size_t r = 0; r < correction_.rows.size(); ++r) {
        const CorrectionRow& row = correction_.rows[r];
        dates << ToQt(row.label).trimmed();
        const auto cell = [&](int column, const std::string& text) {
            auto* item = new QTableWidgetItem(ToQt(text));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            correctionTable_->setItem(static_cast<int>(r), column, item);
        };
        cell(0, Minutes(row.standardTimeMinutes));
        cell(1, row.summerTimeMinutes ? Minutes(*row.summerTimeMinutes) : std::string());
        cell(2, ClockText(row.apparentNoonSummerTime.value_or(row.apparentNoon)));
    }
    correctionTable_->setVerticalHeaderLabels(dates);
    correctionTable_->resizeColumnsToContents();
}

void SimulationPage::drawPicture()
{
    stale_ = false;
    const QSize size = picture_->size().expandedTo(QSize(kMinPicturePx, kMinPicturePx));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QtSurface surface(image);
        ViewState view;
        ResetView(view);
        // A copy of the window's drawing state: the picture is made beside the window's drawing, not into it.
        const DrawingOutcome drawn = DrawConstruction(model_, model_.drawing, surface, ScreenDrawOptions(view));
        if (simulation_) {
            const std::string caption = InstantDateText(instant_) + " " + ClockText(instant_.zoneHours) + " " +
                                        std::string(OwnTextOf(model_.state.language, OwnText::ZoneTime));
            DrawInstant(surface, drawn.state, model_.params, model_.derived, view.zoomFactor, *simulation_, caption);
        }
    }
    picture_->setPixmap(QPixmap::fromImage(image));
}

} // namespace umbrix
