#include "ui/site_panel.h"
#include "core/number_text.h"

#include "core/parameter_set.h"
#include "site/coordinates.h"
#include "site/site_check.h"
#include "text/texts.h"
#include "ui/own_labels.h"
#include "ui/qt_text.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringListModel>

#include <charconv>

namespace umbrix {

namespace {

constexpr int kMatchesShown = 12;
constexpr int kPlaceFieldWidthPx = 150;
constexpr int kZoneFieldWidthPx = 170;

std::string Number(double v)
{
    return RealText(v);
}

} // namespace

SitePanel::SitePanel(Model& model, std::function<void()> changed,
                     std::function<void(const std::vector<UiMessage>&)> show, QWidget* parent)
    : QWidget(parent), model_(model), changed_(std::move(changed)), show_(std::move(show)),
      services_(SiteServices::System())
{
    setObjectName(QStringLiteral("SitePanel"));
    const LanguageState& lang = model_.state.language;
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    auto label = [&](const char* name, OwnText text, OwnText tip) {
        auto* l = new QLabel(ToQt(OwnTextOf(lang, text)), this);
        l->setObjectName(QString::fromLatin1(name));
        SetOwnText(*l, text, tip);
        l->setToolTip(ToQt(OwnTextOf(lang, tip)));
        row->addWidget(l);
    };

    label("lPlace", OwnText::SitePlace, OwnText::SitePlaceTip);
    place_ = new QLineEdit(this);
    place_->setObjectName(QStringLiteral("ePlace"));
    place_->setFixedWidth(kPlaceFieldWidthPx);
    SetOwnTip(*place_, OwnText::SitePlaceTip);
    place_->setToolTip(ToQt(OwnTextOf(lang, OwnText::SitePlaceTip)));
    matches_ = new QStringListModel(this);
    completer_ = new QCompleter(matches_, this);
    // The list holds what the index found; it is not filtered again by the completer.
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setWidget(place_);
    row->addWidget(place_);
    connect(place_, &QLineEdit::textEdited, this, &SitePanel::placeEdited);
    connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this, [this](const QModelIndex& index) {
        const int r = index.row();
        if (r >= 0 && r < static_cast<int>(shown_.size()))
            choosePlace(*shown_[static_cast<std::size_t>(r)]);
    });

    label("lTimeZone", OwnText::SiteZone, OwnText::SiteZoneTip);
    zone_ = new QComboBox(this);
    zone_->setObjectName(QStringLiteral("cbTimeZone"));
    zone_->setEditable(true);
    zone_->setInsertPolicy(QComboBox::NoInsert);
    zone_->setFixedWidth(kZoneFieldWidthPx);
    zone_->addItem(QString());
    for (const std::string& name : services_.zoneNames())
        zone_->addItem(ToQt(name));
    // The list filters as the user types: every zone containing the text.
    zone_->completer()->setFilterMode(Qt::MatchContains);
    zone_->completer()->setCompletionMode(QCompleter::PopupCompletion);
    zone_->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    SetOwnTip(*zone_, OwnText::SiteZoneTip);
    zone_->setToolTip(ToQt(OwnTextOf(lang, OwnText::SiteZoneTip)));
    row->addWidget(zone_);
    connect(zone_, &QComboBox::activated, this, [this](int) { zoneEntered(); });
    connect(zone_->lineEdit(), &QLineEdit::editingFinished, this, &SitePanel::zoneEntered);

    auto* paste = new QPushButton(ToQt(OwnTextOf(lang, OwnText::SitePaste)), this);
    paste->setObjectName(QStringLiteral("bPasteCoordinates"));
    SetOwnText(*paste, OwnText::SitePaste);
    row->addWidget(paste);
    connect(paste, &QPushButton::clicked, this, [this] {
        const LanguageState& l = model_.state.language;
        bool ok = false;
        const QString text = QInputDialog::getText(this, ToQt(OwnTextOf(l, OwnText::SitePasteTitle)),
                                                   ToQt(OwnTextOf(l, OwnText::SitePastePrompt)), QLineEdit::Normal,
                                                   QApplication::clipboard()->text().trimmed(), &ok);
        if (ok)
            (void)pasteCoordinates(text);
    });
    // Only the texts here: the window is not built yet, so nothing is calculated.
    place_->setText(ToQt(model_.params.place));
    zone_->setCurrentText(ToQt(model_.params.dst.timeZone));
}

void SitePanel::warn(const std::string& text)
{
    const LanguageState& lang = model_.state.language;
    show_({{std::string(CaptionText(lang, Caption::Warning)), text, MessageIcon::Warning}});
}

void SitePanel::placeEdited(const QString& text)
{
    shown_.clear();
    QStringList lines;
    if (text.trimmed().size() >= 2) {
        const PlaceLanguage language = english() ? PlaceLanguage::English : PlaceLanguage::German;
        shown_ = services_.places().Search(FromQt(text), language, kMatchesShown);
        for (const PlaceRecord* p : shown_)
            lines << ToQt(NameIn(*p, language) + ", " + StateIn(*p, language) + ", " + CountryIn(*p, language) + "  " +
                          PositionText(p->latitude, p->longitudeEast) + "  " + p->timeZone);
    }
    matches_->setStringList(lines);
    if (!lines.isEmpty())
        completer_->complete();
}

bool SitePanel::resolveZone(bool setMeridian)
{
    DstOptions& dst = model_.params.dst;
    if (dst.timeZone.empty()) {
        dst.zone = {};
        dst.zoneOtherYears.clear();
        return true;
    }
    const ZoneResolution resolved = ResolveZone(services_, dst.timeZone, model_.params.year, english());
    if (resolved.error) {
        warn(*resolved.error);
        return false;
    }
    for (const std::string& w : resolved.warnings)
        warn(w);
    ApplyZone(model_, *resolved.year, setMeridian);
    return true;
}

void SitePanel::choosePlace(const PlaceRecord& place)
{
    const PlaceLanguage language = english() ? PlaceLanguage::English : PlaceLanguage::German;
    std::vector<NamedValue> values;
    for (const auto& [name, value] : PlaceSettings(place, language))
        values.push_back({name, value});
    const Model before = model_;
    const SetOutcome outcome = SetParameters(model_, values);
    if (outcome.status != SetStatus::Accepted || !resolveZone(true)) {
        model_ = before;
        show_(outcome.messages);
        return;
    }
    place_->setText(ToQt(NameIn(place, language)));
    changed_();
}

bool SitePanel::chooseZone(const QString& zone)
{
    const std::string name = FromQt(zone.trimmed());
    if (name == model_.params.dst.timeZone)
        return true;
    const Model before = model_;
    const SetOutcome outcome = SetParameter(model_, "timeZone", name);
    if (outcome.status != SetStatus::Accepted || !resolveZone(true)) {
        show_(outcome.messages);
        model_ = before;
        zone_->setCurrentText(ToQt(model_.params.dst.timeZone));
        return false;
    }
    changed_();
    return true;
}

void SitePanel::zoneEntered()
{
    (void)chooseZone(zone_->currentText());
}

bool SitePanel::pasteCoordinates(const QString& text)
{
    const std::optional<SiteCoordinates> read = ParseCoordinates(FromQt(text));
    if (!read) {
        warn(CoordinatesProblem(FromQt(text), english()));
        return false;
    }
    const SetOutcome outcome =
        SetParameters(model_, {{"latitude", Number(read->latitude)}, {"longitude", Number(read->longitude)}});
    show_(outcome.messages);
    if (outcome.status != SetStatus::Accepted)
        return false;
    changed_();
    checkSigns();
    return true;
}

void SitePanel::checkSigns()
{
    const DialParameters& p = model_.params;
    for (const SignSuspicion& s : CheckSigns(services_.places(), p.latitude, p.longitude, p.dst.timeZone)) {
        const LanguageState& lang = model_.state.language;
        const std::string question =
            SignWarningText(s, english()) + "\n\n" + std::string(OwnTextOf(lang, OwnText::SiteReverseSign));
        const bool reverse = ask_ ? ask_(question)
                                  : QMessageBox::question(this, ToQt(CaptionText(lang, Caption::Warning)),
                                                          ToQt(question)) == QMessageBox::Yes;
        if (!reverse)
            continue;
        if (SetParameter(model_, s.latitude ? "latitude" : "longitude", Number(s.suggested)).status ==
            SetStatus::Accepted)
            changed_();
    }
}

void SitePanel::checkMeridian()
{
    if (const std::optional<std::string> mismatch = MeridianMismatch(model_.params, english()))
        warn(*mismatch);
}

void SitePanel::showModel()
{
    const DialParameters& p = model_.params;
    if (!place_->hasFocus())
        place_->setText(ToQt(p.place));
    if (!zone_->hasFocus())
        zone_->setCurrentText(ToQt(p.dst.timeZone));
    // A zone not yet read for this year: read it, the meridian following it when it did before.
    // A zone that was refused is named once, not after every calculation.
    const std::string attempt = p.dst.timeZone + "/" + std::to_string(p.year);
    if (!p.dst.timeZone.empty() && p.dst.zone.year != p.year && attempt != refused_) {
        const bool followed = p.dst.zone.year != 0 && p.zoneMeridian == p.dst.zone.zoneMeridian;
        if (resolveZone(followed))
            changed_();
        else
            refused_ = attempt;
    }
}

} // namespace umbrix
