#include "ui/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace umbrix {

RadioGroup::RadioGroup(const QString& name, int tag, int columns, QWidget* parent)
    : QGroupBox(parent), group_(new QButtonGroup(this)), grid_(new QGridLayout(this)),
      columns_(columns < 1 ? 1 : columns)
{
    setObjectName(name);
    setProperty("tag", tag);
    grid_->setContentsMargins(6, 2, 6, 2);
    grid_->setVerticalSpacing(0);
    group_->setExclusive(true);
    connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

void RadioGroup::setItems(const QStringList& items)
{
    const int chosen = itemIndex();
    while (count() > items.size()) {
        QAbstractButton* last = group_->button(count() - 1);
        group_->removeButton(last);
        delete last;
    }
    for (int i = 0; i < items.size(); ++i) {
        QRadioButton* b = button(i);
        if (!b) {
            b = new QRadioButton(this);
            group_->addButton(b, i);
            grid_->addWidget(b, i / columns_, i % columns_);
            // A new item takes the group's place in the Tab order (after the item before it), wherever the
            // group stands; the group itself takes no focus.
            QWidget::setTabOrder(i == 0 ? focusableBefore() : button(i - 1), b);
        }
        b->setText(items[i]);
    }
    setItemIndex(chosen);
}

QWidget* RadioGroup::focusableBefore() const
{
    // Qt places a widget only after one that takes the focus; labels between are passed by.
    QWidget* before = previousInFocusChain();
    while (before != window() && !(before->focusPolicy() & Qt::TabFocus))
        before = before->previousInFocusChain();
    return before;
}

QStringList RadioGroup::items() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << button(i)->text();
    return out;
}

int RadioGroup::count() const
{
    return static_cast<int>(group_->buttons().size());
}

QRadioButton* RadioGroup::button(int index) const
{
    return qobject_cast<QRadioButton*>(group_->button(index));
}

int RadioGroup::itemIndex() const
{
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QRadioButton* b = button(index)) {
        b->setChecked(true);
        return;
    }
    // An exclusive group cannot be emptied by unchecking its button.
    if (QAbstractButton* current = group_->checkedButton()) {
        group_->setExclusive(false);
        current->setChecked(false);
        group_->setExclusive(true);
    }
}

} // namespace umbrix
