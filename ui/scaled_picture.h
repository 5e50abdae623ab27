#pragma once
// A picture that follows its widget's size: the image (a heat map with its colour bar) is drawn whole,
// scaled to the largest size that fits, its sides in their own proportion, centred.

#include <QPixmap>
#include <QRect>
#include <QWidget>

namespace umbrix {

class ScaledPicture : public QWidget {
    Q_OBJECT
public:
    explicit ScaledPicture(const QString& name, QWidget* parent = nullptr);

    void setPixmap(const QPixmap& picture);
    const QPixmap& pixmap() const { return picture_; }
    /// Where the picture is drawn in the widget: all of it, as large as the widget allows; empty without one.
    [[nodiscard]] QRect shownRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

} // namespace umbrix
