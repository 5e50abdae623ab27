// The controls over the drawing: the waiting panel of the long optimisation hides it completely, the
// calculation button stands in its bottom-right corner.

#include "ui/image_view.h"
#include "window_fixture.h"

#include <QFrame>
#include <QImage>
#include <QPushButton>

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

using CalculationButton = test::WindowTest;

TEST_F(CalculationButton, TheCalculationButtonStandsInTheBottomRightCornerOfTheDrawing)
{
    const auto* image = get<ImageView>("Image1");
    const auto* button = get<QPushButton>("BitBtn1");
    ASSERT_EQ(button->parentWidget(), image);
    const QRect r = button->geometry();
    EXPECT_TRUE(image->rect().contains(r));
    EXPECT_GT(r.left(), image->width() / 2);
    EXPECT_GT(r.top(), image->height() / 2);
    // Above the line of the red question about year-round use, whose text begins 20 px above the bottom.
    EXPECT_LT(r.bottom(), image->height() - 20);
    EXPECT_GT(r.bottom(), image->height() - 40);
}

} // namespace
} // namespace umbrix
