// How the drawing reaches the screen: curves without darker joints, at device resolution on a HiDPI
// screen.

#include "ui/image_view.h"
#include "ui/qt_surface.h"
#include "window_fixture.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace umbrix {
namespace {

/// The grey level of the device pixel (x, y): 0 black, 255 white.
int Grey(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y));
}

/// A horizontal black line of width 1 from (10, 30) to (90, 30) on a 100 x 60 canvas at `ratio`.
QImage CanvasWithLine(qreal ratio)
{
    QImage canvas = BlankCanvas(QSize(100, 60), ratio);
    QtSurface surface(canvas);
    surface.pen = {kBlack, 1};
    surface.MoveTo(10, 30);
    surface.LineTo(90, 30);
    return canvas;
}

/// The ink of an image: the sum over its pixels of 255 minus the grey level.
long Ink(const QImage& image)
{
    long ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += 255 - Grey(image, x, y);
    return ink;
}

TEST(QtSurfaceLines, ACurveIsOneStrokeWithoutDarkerJoints)
{
    test::App();
    const auto draw = [](std::initializer_list<QPoint> points) {
        QImage canvas = BlankCanvas(QSize(130, 100), 1);
        QtSurface surface(canvas);
        surface.pen = {kBlack, 1};
        surface.MoveTo(points.begin()->x(), points.begin()->y());
        for (auto p = points.begin() + 1; p != points.end(); ++p)
            surface.LineTo(p->x(), p->y());
        return canvas;
    };
    // Two collinear segments are one straight line: the joint is no darker than the rest.
    const QImage joined = draw({QPoint(10, 40), QPoint(60, 40), QPoint(110, 40)});
    EXPECT_EQ(Grey(joined, 60, 40), Grey(joined, 30, 40));
    EXPECT_EQ(joined, draw({QPoint(10, 40), QPoint(110, 40)}));

    // A pen change ends the stroke: the second colour starts where the first ended.
    QImage canvas = BlankCanvas(QSize(130, 100), 1);
    {
        QtSurface surface(canvas);
        surface.pen = {kBlue, 1};
        surface.MoveTo(10, 20);
        surface.LineTo(60, 20);
        surface.pen = {kRed, 1};
        surface.LineTo(110, 20);
        surface.MoveTo(10, 70); // a move ends it as well
        surface.LineTo(10, 90);
    }
    EXPECT_GT(qBlue(canvas.pixel(30, 20)), qRed(canvas.pixel(30, 20)));
    EXPECT_GT(qRed(canvas.pixel(90, 20)), qBlue(canvas.pixel(90, 20)));
    EXPECT_LT(Grey(canvas, 9, 80), 255);
    EXPECT_EQ(Grey(canvas, 60, 50), 255); // nothing between the strokes
    EXPECT_GT(Ink(canvas), 0);
}

TEST(HiDpi, ACanvasHasTheControlsSizeInLogicalPixelsAndTheScreensInDevicePixels)
{
    test::App();
    const QImage canvas = BlankCanvas(QSize(100, 60), 2);
    EXPECT_EQ(canvas.size(), QSize(200, 120));
    EXPECT_EQ(canvas.devicePixelRatio(), 2);
    EXPECT_EQ(Grey(canvas, 199, 119), 255);
    QImage drawn = canvas;
    const QtSurface surface(drawn);
    EXPECT_EQ(surface.width(), 100); // the drawing is laid out in logical pixels
    EXPECT_EQ(surface.height(), 60);

    QImage oneAndAHalf = BlankCanvas(QSize(101, 61), 1.5);
    EXPECT_EQ(QtSurface(oneAndAHalf).width(), 101);
    EXPECT_EQ(QtSurface(oneAndAHalf).height(), 61);
    EXPECT_EQ(BlankCanvas(QSize(0, -3), 0).size(), QSize(1, 1)); // never empty, ratio at least 1
}

TEST(HiDpi, AOnePixelLineCoversTwoDevicePixelsAtRatioTwoRatherThanABlurredOne)
{
    test::App();
    // Ratio 2: the line covers device rows 59 and 60 fully, and nothing around it is grey.
    const QImage sharp = CanvasWithLine(2);
    for (int x = 40; x < 160; x += 17) {
        EXPECT_LT(Grey(sharp, x, 59), 32) << x;
        EXPECT_LT(Grey(sharp, x, 60), 32) << x;
        EXPECT_EQ(Grey(sharp, x, 58), 255) << x;
        EXPECT_EQ(Grey(sharp, x, 61), 255) << x;
    }
    // Ratio 1 for comparison: the antialiased line lies half on each of two rows, grey on both.
    const QImage blurred = CanvasWithLine(1);
    EXPECT_GT(Grey(blurred, 50, 29), 32);
    EXPECT_GT(Grey(blurred, 50, 30), 32);
}

TEST(HiDpi, TheImageControlShowsItsCanvasPixelForPixel)
{
    test::App();
    ImageView view(QStringLiteral("Image1"), 0, nullptr);
    view.resize(100, 60);
    view.canvas() = CanvasWithLine(2);
    QImage screen(200, 120, QImage::Format_RGB32);
    screen.setDevicePixelRatio(2);
    screen.fill(Qt::red);
    view.render(&screen);
    EXPECT_EQ(screen, view.canvas().convertToFormat(screen.format()));

    // At the control's own ratio (1 on this screen) the canvas has its size.
    EXPECT_EQ(view.prepareCanvas().size(), QSize(100, 60));
    EXPECT_EQ(view.canvas().devicePixelRatio(), view.devicePixelRatioF());
}

} // namespace
} // namespace umbrix
