// The waiting panel of the long optimisation lies over the drawing and hides it completely.

#include "window_fixture.h"

#include <QFrame>
#include <QImage>

#include <gtest/gtest.h>

namespace umbrix {
namespace {

using WaitingPanel = test::WindowTest;

TEST_F(WaitingPanel, IsOpaqueSoThatTheDrawingDoesNotShowThrough)
{
    auto* panel = get<QFrame>("pGeduld");
    EXPECT_TRUE(panel->autoFillBackground());
    EXPECT_TRUE(panel->palette().brush(panel->backgroundRole()).isOpaque());

    // Over the drawing, the panel looks as it does alone.
    panel->show();
    panel->raise();
    QCoreApplication::processEvents();
    QWidget* client = panel->parentWidget();
    const QImage whole = client->grab().toImage();
    const QImage shown = whole.copy(panel->geometry());
    const QImage alone = panel->grab().toImage().convertToFormat(shown.format());
    EXPECT_EQ(shown, alone);

    // Drawn without any background of its own, the panel still covers every pixel.
    QImage clear(panel->size(), QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    panel->render(&clear, QPoint(), QRegion(), QWidget::DrawChildren);
    int transparent = 0;
    for (int y = 0; y < clear.height(); ++y)
        for (int x = 0; x < clear.width(); ++x)
            transparent += qAlpha(clear.pixel(x, y)) < 255;
    EXPECT_EQ(transparent, 0);
    panel->hide();
}

} // namespace
} // namespace umbrix
