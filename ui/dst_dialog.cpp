#include "ui/dst_dialog.h"

#include "core/dst_ring.h"
#include "core/parameter_effects.h"
#include "ui/own_labels.h"
#include "ui/qt_text.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <array>

namespace umbrix {

namespace {

/// The offsets of summer time the dialog offers: -2 .. 2 hours in steps of half an hour, never 0.
constexpr std::array<double, 8> kOffsetsHours{-2, -1.5, -1, -0.5, 0.5, 1, 1.5, 2};

/// The rules in the order the list offers them, as `summerTimeRule` names them.
constexpr std::array<SummerTimeRule, 4> kRules{SummerTimeRule::Zone, SummerTimeRule::None, SummerTimeRule::Eu,
                                               SummerTimeRule::Custom};

/// The dial's options under `rule`.
DstOptions WithRule(const DstOptions& dst, SummerTimeRule rule)
{
    DstOptions under = dst;
    under.rule = rule;
    return under;
}

/// A rule as the list names it: the window's own name of the rule, with its zone, capitalised.
QString RuleItem(const LanguageState& lang, const DstOptions& dst, SummerTimeRule rule)
{
    QString text = rule == SummerTimeRule::Zone && dst.timeZone.empty()
                       ? ToQt(OwnTextOf(lang, OwnText::DstRuleZoneUnset))
                       : ToQt(SummerRuleText(lang, WithRule(dst, rule)));
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

} // namespace

DstDialog::DstDialog(Model& model, Host& host, std::function<void()> applied, QWidget* parent)
    : OptionDialog(model, host, std::move(applied), parent)
{
    setObjectName(QStringLiteral("DstDialog"));
    const LanguageState& lang = model.state.language;
    setWindowTitle(ToQt(OwnTextOf(lang, OwnText::DstDialogTitle)));
    const DstOptions& dst = model.params.dst;

    auto* rows = new QGridLayout;
    // The rule first: it decides whether there are summer hours to show at all.
    auto* ruleRow = new QHBoxLayout;
    ruleRow->addWidget(OwnControl<QLabel>(this, "lDstRule", OwnText::DstRuleLabel, lang));
    rule_ = new QComboBox(this);
    rule_->setObjectName(QStringLiteral("cbSummerTimeRule"));
    for (const SummerTimeRule r : kRules)
        rule_->addItem(RuleItem(lang, dst, r), ToQt(RuleName(r)));
    shownRule_ = rule_->findData(ToQt(RuleName(RuleInForce(dst))));
    rule_->setCurrentIndex(shownRule_);
    ruleRow->addWidget(rule_, 1);
    rows->addLayout(ruleRow, 0, 0, 1, 3);

    auto* group = new QButtonGroup(this);
    constexpr std::array<OwnText, 3> kRingTexts{OwnText::DstRingNone, OwnText::DstRingLabels, OwnText::DstRingInner};
    constexpr std::array<const char*, 3> kRingNames{"rbDstRing0", "rbDstRing1", "rbDstRing2"};
    for (int ring = 0; ring < 3; ++ring) {
        rings_[ring] = OwnControl<QRadioButton>(this, kRingNames[ring], kRingTexts[ring], lang);
        group->addButton(rings_[ring], ring);
        rows->addWidget(rings_[ring], ring + 1, 0, 1, 3);
    }
    // A configuration may keep a ring its dial type does not allow: it stays shown as it is.
    const int ring = static_cast<int>(dst.ring);
    shownRing_ = ring < kDstRingCount ? ring : 0;
    rings_[shownRing_]->setChecked(true);
    ruleChosen();
    connect(rule_, &QComboBox::currentIndexChanged, this, [this] {
        // A ring needs summer time: under a rule without it no ring is kept.
        ruleChosen();
        for (int r = 1; r < 3; ++r)
            if (rings_[r]->isChecked() && !rings_[r]->isEnabled())
                rings_[0]->setChecked(true);
    });

    rows->addWidget(OwnControl<QLabel>(this, "lDstOffset", OwnText::DstOffset, lang), 4, 0);
    offset_ = new QComboBox(this);
    offset_->setObjectName(QStringLiteral("cbDstOffset"));
    for (const double hours : kOffsetsHours)
        offset_->addItem(ShortNumber(hours));
    shownOffset_ = ShortNumber(dst.offsetHours);
    if (offset_->findText(shownOffset_) < 0)
        offset_->addItem(shownOffset_);
    offset_->setCurrentText(shownOffset_);
    rows->addWidget(offset_, 4, 1);

    rows->addWidget(OwnControl<QLabel>(this, "lDstRingScale", OwnText::DstRingScale, lang), 5, 0);
    shownScale_ = ShortNumber(dst.ringScale);
    scale_ = new QLineEdit(shownScale_, this);
    scale_->setObjectName(QStringLiteral("eDstRingScale"));
    rows->addWidget(scale_, 5, 1);

    rows->addWidget(OwnControl<QLabel>(this, "lDstStart", OwnText::DstStart, lang), 6, 0);
    shownStart_ = ToQt(DayMonthText(dst.start));
    start_ = new QLineEdit(shownStart_, this);
    start_->setObjectName(QStringLiteral("eDstStart"));
    rows->addWidget(start_, 6, 1);
    rows->addWidget(OwnControl<QLabel>(this, "lDstEnd", OwnText::DstEnd, lang), 7, 0);
    shownEnd_ = ToQt(DayMonthText(dst.end));
    end_ = new QLineEdit(shownEnd_, this);
    end_->setObjectName(QStringLiteral("eDstEnd"));
    rows->addWidget(end_, 7, 1);
    auto* empty = OwnControl<QLabel>(this, "lDstEmptyDates", OwnText::DstEuropeanRule, lang);
    empty->setWordWrap(true);
    rows->addWidget(empty, 6, 2, 2, 1);
    rows->setColumnStretch(2, 1);
    for (QLineEdit* edit : {scale_, start_, end_})
        edit->setMaximumWidth(90);
    // Dates typed are the dates given: the rule follows them.
    for (QLineEdit* edit : {start_, end_})
        connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) {
            if (!text.trimmed().isEmpty())
                rule_->setCurrentIndex(rule_->findData(ToQt(RuleName(SummerTimeRule::Custom))));
        });
    finish(rows);
    setMinimumWidth(560);
}

void DstDialog::ruleChosen()
{
    const LanguageState& lang = model_.state.language;
    DialParameters under = model_.params;
    if (const std::optional<SummerTimeRule> rule = RuleNamed(FromQt(rule_->currentData().toString())))
        under.dst.rule = *rule;
    const bool summer = SiteHasSummerTime(under);
    const bool inner = DstRingAllowed(under, DstRingKind::InnerRing);
    for (int ring = 1; ring < 3; ++ring) {
        const bool allowed = summer && (ring == 1 || inner);
        rings_[ring]->setEnabled(allowed);
        // A site without summer time has no summer hours to show; a dial type may have no room for ring 2.
        const std::optional<OwnText> why = !summer  ? std::optional(OwnText::SiteWithoutSummerTime)
                                           : !allowed ? std::optional(OwnText::DstRingInnerRefused)
                                                      : std::nullopt;
        rings_[ring]->setToolTip(why ? ToQt(OwnTextOf(lang, *why)) : QString());
        if (why)
            SetOwnTip(*rings_[ring], *why);
        else
            ClearOwnTip(*rings_[ring]);
    }
}

std::vector<NamedValue> DstDialog::changes() const
{
    std::vector<NamedValue> out;
    // The rule first: the ring is checked against the summer time it gives.
    if (rule_->currentIndex() != shownRule_)
        out.push_back({"summerTimeRule", FromQt(rule_->currentData().toString())});
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
