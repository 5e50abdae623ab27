#include "ui/dst_dialog.h"

#include "core/dst_ring.h"
#include "core/parameter_effects.h"
#include "ui/own_labels.h"
#include "ui/qt_text.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <array>

namespace umbrix {

namespace {

/// The offsets of summer time the dialog offers: -2 .. 2 hours in steps of half an hour, never 0.
constexpr std::array<double, 8> kOffsetsHours{-2, -1.5, -1, -0.5, 0.5, 1, 1.5, 2};

} // namespace

DstDialog::DstDialog(Model& model, Host& host, std::function<void()> applied, QWidget* parent)
    : OptionDialog(model, host, std::move(applied), parent)
{
    setObjectName(QStringLiteral("DstDialog"));
    const LanguageState& lang = model.state.language;
    setWindowTitle(ToQt(OwnTextOf(lang, OwnText::DstDialogTitle)));
    const DstOptions& dst = model.params.dst;

    auto* rows = new QGridLayout;
    auto* group = new QButtonGroup(this);
    constexpr std::array<OwnText, 3> kRingTexts{OwnText::DstRingNone, OwnText::DstRingLabels, OwnText::DstRingInner};
    constexpr std::array<const char*, 3> kRingNames{"rbDstRing0", "rbDstRing1", "rbDstRing2"};
    for (int ring = 0; ring < 3; ++ring) {
        rings_[ring] = OwnControl<QRadioButton>(this, kRingNames[ring], kRingTexts[ring], lang);
        group->addButton(rings_[ring], ring);
        rows->addWidget(rings_[ring], ring, 0, 1, 3);
    }
    if (!DstRingAllowed(model.params, DstRingKind::InnerRing)) {
        rings_[2]->setEnabled(false);
        rings_[2]->setToolTip(ToQt(OwnTextOf(lang, OwnText::DstRingInnerRefused)));
        SetOwnTip(*rings_[2], OwnText::DstRingInnerRefused);
    }
    // A site without summer time has no summer hours to show.
    if (!SiteHasSummerTime(model.params)) {
        for (int ring = 1; ring < 3; ++ring) {
            rings_[ring]->setEnabled(false);
            rings_[ring]->setToolTip(ToQt(OwnTextOf(lang, OwnText::SiteWithoutSummerTime)));
            SetOwnTip(*rings_[ring], OwnText::SiteWithoutSummerTime);
        }
    }
    // A configuration may keep a ring its dial type does not allow: it stays shown as it is.
    const int ring = static_cast<int>(dst.ring);
    shownRing_ = ring < kDstRingCount ? ring : 0;
    rings_[shownRing_]->setChecked(true);

    rows->addWidget(OwnControl<QLabel>(this, "lDstOffset", OwnText::DstOffset, lang), 3, 0);
    offset_ = new QComboBox(this);
    offset_->setObjectName(QStringLiteral("cbDstOffset"));
    for (const double hours : kOffsetsHours)
        offset_->addItem(ShortNumber(hours));
    shownOffset_ = ShortNumber(dst.offsetHours);
    if (offset_->findText(shownOffset_) < 0)
        offset_->addItem(shownOffset_);
    offset_->setCurrentText(shownOffset_);
    rows->addWidget(offset_, 3, 1);

    rows->addWidget(OwnControl<QLabel>(this, "lDstRingScale", OwnText::DstRingScale, lang), 4, 0);
    shownScale_ = ShortNumber(dst.ringScale);
    scale_ = new QLineEdit(shownScale_, this);
    scale_->setObjectName(QStringLiteral("eDstRingScale"));
    rows->addWidget(scale_, 4, 1);

    rows->addWidget(OwnControl<QLabel>(this, "lDstStart", OwnText::DstStart, lang), 5, 0);
    shownStart_ = ToQt(DayMonthText(dst.start));
    start_ = new QLineEdit(shownStart_, this);
    start_->setObjectName(QStringLiteral("eDstStart"));
    rows->addWidget(start_, 5, 1);
    rows->addWidget(OwnControl<QLabel>(this, "lDstEnd", OwnText::DstEnd, lang), 6, 0);
    shownEnd_ = ToQt(DayMonthText(dst.end));
    end_ = new QLineEdit(shownEnd_, this);
    end_->setObjectName(QStringLiteral("eDstEnd"));
    rows->addWidget(end_, 6, 1);
    auto* rule = OwnControl<QLabel>(this, "lDstRule", OwnText::DstEuropeanRule, lang);
    rule->setWordWrap(true);
    rows->addWidget(rule, 5, 2, 2, 1);
    rows->setColumnStretch(2, 1);
    for (QLineEdit* edit : {scale_, start_, end_})
        edit->setMaximumWidth(90);
    finish(rows);
    setMinimumWidth(560);
}

std::vector<NamedValue> DstDialog::changes() const
{
    std::vector<NamedValue> out;
    // The offset and the period before the ring, so that a ring is never drawn with the old settings.
    if (offset_->currentText() != shownOffset_)
        out.push_back({"dstOffsetHours", FromQt(offset_->currentText())});
    if (scale_->text() != shownScale_)
        out.push_back({"dstRingScale", FieldValue(*scale_)});
    if (start_->text() != shownStart_)
        out.push_back({"dstStart", FieldValue(*start_)});
    if (end_->text() != shownEnd_)
        out.push_back({"dstEnd", FieldValue(*end_)});
    for (int ring = 0; ring < 3; ++ring)
        if (rings_[ring]->isChecked() && ring != shownRing_)
            out.push_back({"dstRing", std::to_string(ring)});
    return out;
}

} // namespace umbrix
