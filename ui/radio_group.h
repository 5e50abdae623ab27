#pragma once
// A radio group as one control: a titled box with its items, one of which is chosen.

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace umbrix {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    /// `columns`: the items are laid out row by row in this many columns.
    RadioGroup(const QString& name, int tag, int columns, QWidget* parent);

    /// Replaces the item texts; the chosen item stays chosen while it exists.
    void setItems(const QStringList& items);
    QStringList items() const;
    int count() const;
    QRadioButton* button(int index) const;

    /// The chosen item, -1 when none is chosen.
    int itemIndex() const;
    /// Chooses an item without reporting it as a click; -1 or an index out of range clears the choice.
    void setItemIndex(int index);

signals:
    /// The user chose an item (by mouse or keyboard).
    void itemClicked(int index);

private:
    /// The control Tab reaches before the group (the window when there is none).
    QWidget* focusableBefore() const;

    QButtonGroup* group_;
    QGridLayout* grid_;
    int columns_;
};

} // namespace umbrix
