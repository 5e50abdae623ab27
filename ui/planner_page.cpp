#include "ui/planner_page.h"

#include "core/design_settings.h"
#include "core/length_unit.h"
#include "core/parameter_set.h"
#include "core/reach_planner.h"
#include "graphics/reach_heat_map.h"
#include "ui/option_dialog.h"
#include "ui/own_labels.h"
#include "ui/qt_surface.h"
#include "ui/qt_text.h"

#include <QBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>

#include "ui/scaled_picture.h"

#include <string>

namespace umbrix {

namespace {

constexpr int kMarginPx = 5;
constexpr int kMapFontPx = 12; // the heat map's texts

/// A length in the design's unit with its symbol: "3.45 m".
std::string LengthWithUnit(double length, LengthUnit unit)
{
    return FormatDecimals(length, 2) + " " + std::string(UnitName(unit));
}

/// The heat map as an image at the device pixel ratio of the screen it is shown on.
QImage MapImage(const HeatMap& heat, qreal pixelRatio)
{
    QImage measureImage(1, 1, QImage::Format_ARGB32_Premultiplied);
    HeatMapSize size;
    {
        QtSurface measure(measureImage);
        measure.font.height = kMapFontPx;
        size = MeasureHeatMap(heat, measure);
    }
    QImage image(QSize(std::max(size.width, 1), std::max(size.height, 1)) * pixelRatio,
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    {
        QtSurface surface(image);
        surface.font.height = kMapFontPx;
        DrawHeatMap(surface, heat);
    }
    return image;
}

} // namespace

PlannerPage::PlannerPage(Model& model, std::function<Host&()> host, std::function<void()> recalculate, QWidget* parent)
    : QWidget(parent), model_(model), host_(std::move(host)), recalculate_(std::move(recalculate))
{
    setObjectName(QStringLiteral("tsPlanner"));
    const LanguageState& lang = model.state.language;
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kMarginPx, kMarginPx, kMarginPx, kMarginPx);
    notForType_ = OwnControl<QLabel>(this, "lPlanNotForType", OwnText::PlannerNotForType, lang);
    notForType_->setWordWrap(true);
    column->addWidget(notForType_);
    planner_ = new QWidget(this);
    planner_->setObjectName(QStringLiteral("pPlanner"));
    column->addWidget(planner_, 1);

    auto* rows = new QVBoxLayout(planner_);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* inputs = new QHBoxLayout;
    rows->addLayout(inputs);
    inputs->addWidget(OwnControl<QLabel>(planner_, "lPlanBodyHeight", OwnText::PlannerBodyHeight, lang));
    bodyHeight_ = new QLineEdit(planner_);
    bodyHeight_->setObjectName(QStringLiteral("ePlanBodyHeight"));
    bodyHeight_->setFixedWidth(70);
    inputs->addWidget(bodyHeight_);
    bodyUnit_ = new QLabel(planner_);
    bodyUnit_->setObjectName(QStringLiteral("lPlanBodyUnit"));
    bodyUnit_->setMinimumWidth(bodyUnit_->fontMetrics().horizontalAdvance(QStringLiteral("mm")) + 4);
    inputs->addWidget(bodyUnit_);
    inputs->addSpacing(20);
    inputs->addWidget(OwnControl<QLabel>(planner_, "lPlanCoverage", OwnText::PlannerCoverage, lang));
    coverage_ = new QLineEdit(planner_);
    coverage_->setObjectName(QStringLiteral("ePlanCoverage"));
    coverage_->setFixedWidth(70);
    inputs->addWidget(coverage_);
    inputs->addStretch(1);

    reached_ = new QLabel(planner_);
    reached_->setObjectName(QStringLiteral("lPlanReached"));
    rows->addWidget(reached_);
    auto* recommendation = new QHBoxLayout;
    rows->addLayout(recommendation);
    recommended_ = new QLabel(planner_);
    recommended_->setObjectName(QStringLiteral("lPlanRecommended"));
    recommendation->addWidget(recommended_);
    apply_ = OwnControl<QPushButton>(planner_, "btPlanApply", OwnText::PlannerApply, lang);
    recommendation->addWidget(apply_);
    useCentimetres_ = OwnControl<QLabel>(planner_, "lPlanUseCm", OwnText::PlannerUseCentimetres, lang);
    useCentimetres_->setWordWrap(true);
    recommendation->addWidget(useCentimetres_, 1);
    recommendation->addStretch(0);

    // The heat map scales with the page, its colour bar always in sight.
    map_ = new ScaledPicture(QStringLiteral("iPlanMap"), planner_);
    rows->addWidget(map_, 1);

    connect(bodyHeight_, &QLineEdit::editingFinished, this, [this] { fieldLeft(*bodyHeight_, "bodyHeight"); });
    connect(coverage_, &QLineEdit::editingFinished, this, [this] { fieldLeft(*coverage_, "reachCoverage"); });
    connect(apply_, &QPushButton::clicked, this, &PlannerPage::applyRecommendation);
}

void PlannerPage::dialChanged()
{
    stale_ = true;
    if (isVisible())
        compute();
}

void PlannerPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (stale_)
        compute();
}

void PlannerPage::compute()
{
    stale_ = false;
    ++computeCount_;
    const LanguageState& lang = model_.state.language;
    const bool applies = ReachPlannerApplies(model_.params);
    notForType_->setVisible(!applies);
    planner_->setVisible(applies);
    recommendation_.reset();
    if (!applies)
        return;

    const AnalysisSettings settings = AnalysisSettingsOf(model_);
    bodyHeight_->setText(ShortNumber(settings.reach.bodyHeight));
    bodyHeight_->setModified(false);
    bodyUnit_->setText(ToQt(UnitName(settings.lengthUnit)));
    coverage_->setText(ShortNumber(settings.reach.reachCoverage));
    coverage_->setModified(false);

    const ReachMap reach = ComputeReachMap(model_.params, model_.state, model_.results, settings.reach);
    reached_->setText(reach.coverage
                          ? ToQt(OwnTextWith(lang, OwnText::PlannerReached, FormatDecimals(*reach.coverage * 100, 1),
                                             LengthWithUnit(model_.params.semiMajorAxis, settings.lengthUnit)))
                          : ToQt(OwnTextOf(lang, OwnText::PlannerNoCells)));
    recommended_->setVisible(reach.recommendedSemiMajorAxis.has_value());
    if (reach.recommendedSemiMajorAxis)
        recommended_->setText(ToQt(OwnTextWith(lang, OwnText::PlannerRecommended,
                                               LengthWithUnit(*reach.recommendedSemiMajorAxis, settings.lengthUnit))));
    if (!reach.recommendationRefused)
        recommendation_ = reach.recommendedSemiMajorAxis;
    apply_->setEnabled(recommendation_.has_value());
    useCentimetres_->setVisible(reach.recommendationRefused);

    map_->setPixmap(QPixmap::fromImage(MapImage(ReachHeatMap(reach, lang), devicePixelRatioF())));
}

void PlannerPage::fieldLeft(QLineEdit& edit, const char* parameter)
{
    if (!edit.isModified())
        return;
    edit.setModified(false);
    const SetOutcome outcome = SetParameter(model_, parameter, FieldValue(edit));
    showMessages(outcome.messages);
    if (outcome.status != SetStatus::Accepted) {
        // The stored value comes back, and the field keeps the focus for a new try.
        compute();
        edit.setFocus(Qt::OtherFocusReason);
        edit.selectAll();
        return;
    }
    recalculate_();
    if (stale_)
        compute();
}

void PlannerPage::applyRecommendation()
{
    if (!recommendation_)
        return;
    const SetOutcome outcome = SetParameter(model_, "semiMajorAxis", FormatDecimals(*recommendation_, 2));
    showMessages(outcome.messages);
    if (outcome.status == SetStatus::Accepted)
        recalculate_();
}

void PlannerPage::showMessages(const std::vector<UiMessage>& messages)
{
    Host& host = host_();
    for (const UiMessage& m : messages)
        host.showMessage(m.caption, m.text, m.icon);
}

} // namespace umbrix
