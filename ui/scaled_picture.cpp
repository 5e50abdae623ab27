#include "ui/scaled_picture.h"

#include <QPainter>

namespace umbrix {

namespace {

constexpr QSize kSmallestPicture(160, 100); // the layout may shrink a picture this far, never further

} // namespace

ScaledPicture::ScaledPicture(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ScaledPicture::setPixmap(const QPixmap& picture)
{
    picture_ = picture;
    updateGeometry();
    update();
}

QRect ScaledPicture::shownRect() const
{
    if (picture_.isNull() || width() <= 0 || height() <= 0)
        return {};
    const QSize shown = picture_.deviceIndependentSize().toSize().scaled(size(), Qt::KeepAspectRatio);
    return {QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown};
}

QSize ScaledPicture::sizeHint() const
{
    return picture_.isNull() ? kSmallestPicture : picture_.deviceIndependentSize().toSize();
}

QSize ScaledPicture::minimumSizeHint() const
{
    return kSmallestPicture;
}

void ScaledPicture::paintEvent(QPaintEvent*)
{
    const QRect target = shownRect();
    if (target.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, picture_);
}

} // namespace umbrix
