#include "ui/own_labels.h"

#include "ui/qt_text.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QWidget>

namespace umbrix {

namespace {

constexpr const char* kTextProperty = "ownText";
constexpr const char* kTipProperty = "ownTip";

/// The own text stored under `property`, when there is one.
std::optional<QString> Stored(const QObject& item, const char* property, const LanguageState& lang)
{
    const QVariant id = item.property(property);
    if (!id.isValid())
        return std::nullopt;
    return ToQt(OwnTextOf(lang, static_cast<OwnText>(id.toInt())));
}

template <class Item> void Relabel(Item& item, const LanguageState& lang)
{
    if (const std::optional<QString> text = Stored(item, kTextProperty, lang))
        item.setText(*text);
    if (const std::optional<QString> tip = Stored(item, kTipProperty, lang))
        item.setToolTip(*tip);
}

} // namespace

void SetOwnText(QObject& item, OwnText text, std::optional<OwnText> tip)
{
    item.setProperty(kTextProperty, static_cast<int>(text));
    if (tip)
        SetOwnTip(item, *tip);
}

void SetOwnTip(QObject& item, OwnText tip)
{
    item.setProperty(kTipProperty, static_cast<int>(tip));
}

void ClearOwnTip(QObject& item)
{
    item.setProperty(kTipProperty, QVariant());
}

bool HasOwnText(const QObject& item)
{
    return item.property(kTextProperty).isValid();
}

std::optional<QString> OwnTextFor(const QObject& item, const LanguageState& lang)
{
    return Stored(item, kTextProperty, lang);
}

void RelabelOwnTexts(QWidget& root, const LanguageState& lang)
{
    for (QAction* action : root.findChildren<QAction*>())
        Relabel(*action, lang);
    for (QAbstractButton* button : root.findChildren<QAbstractButton*>())
        Relabel(*button, lang);
    for (QLabel* label : root.findChildren<QLabel*>())
        Relabel(*label, lang);
}

} // namespace umbrix
