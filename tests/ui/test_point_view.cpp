// The mouse on the drawing and the tables: Ctrl and the wheel zoom about the pointer, a double click on a
// row of the hour, shadow or date table (the loop tables: their menu) shows the row's point in the drawing,
// marked until the next calculation.

#include "graphics/view_point.h"
#include "ui/grid_view.h"
#include "ui/image_view.h"
#include "ui/radio_group.h"
#include "window_fixture.h"

#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QWheelEvent>

#include <functional>

namespace umbrix {
namespace {

constexpr double kPixelTol = 1.0; // pans are whole pixels

class PointView : public test::WindowTest {
protected:
    ImageView* image() const { return get<ImageView>("Image1"); }

    std::optional<PixelPoint> pixelOf(const ListedPoint& point) const
    {
        return ListedPointPixel(window->model(), window->view(), point, image()->width(), image()->height());
    }

    void wheel(QPointF at, int angle, Qt::KeyboardModifiers modifiers)
    {
        QWheelEvent event(at, image()->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(image(), &event);
    }

    /// Whether a canvas pixel within `radius` pixels of `centre` passes `wanted`.
    bool anyNear(PixelPoint centre, int radius, const std::function<bool(const QColor&)>& wanted) const
    {
        const QImage& canvas = image()->canvas();
        const qreal ratio = canvas.devicePixelRatio();
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx) {
                const QPoint p(static_cast<int>((centre.x + dx) * ratio), static_cast<int>((centre.y + dy) * ratio));
                if (canvas.rect().contains(p) && wanted(canvas.pixelColor(p)))
                    return true;
            }
        return false;
    }
    bool markedNear(PixelPoint centre, int radius) const
    {
        return anyNear(centre, radius,
                       [](const QColor& c) { return c.red() > 150 && c.blue() > 150 && c.green() < 80; });
    }
    bool drawnNear(PixelPoint centre, int radius) const
    {
        return anyNear(centre, radius, [](const QColor& c) { return c != QColor(Qt::white); });
    }

    /// The point was centred in the drawing, which is shown, and is marked there.
    void expectShownAndMarked()
    {
        EXPECT_EQ(pages()->currentWidget()->objectName(), QStringLiteral("TSGrafik"));
        ASSERT_TRUE(window->markedPoint());
        const std::optional<PixelPoint> pixel = pixelOf(*window->markedPoint());
        ASSERT_TRUE(pixel);
        EXPECT_NEAR(pixel->x, image()->width() / 2.0, kPixelTol);
        EXPECT_NEAR(pixel->y, image()->height() / 2.0, kPixelTol);
        EXPECT_TRUE(markedNear(*pixel, 12));
    }
};

TEST_F(PointView, AListedPointLiesOnWhatTheDrawingShowsForIt)
{
    // Second method: the construction drawn by the drawing code has a mark where the mapping puts the
    // point; midway between two hour marks the ellipse alone is drawn, a mark nowhere near.
    const ListedPoint hour = *ListedPointAt(window->model(), PointTable::Hours, 2, 4);
    const std::optional<PixelPoint> pixel = pixelOf(hour);
    ASSERT_TRUE(pixel);
    EXPECT_TRUE(drawnNear(*pixel, 2));
    const std::optional<PixelPoint> outside = pixelOf({{hour.point.x * 0.5, hour.point.y * 0.5 + 0.37}, hour.centre});
    ASSERT_TRUE(outside);
    EXPECT_FALSE(drawnNear(*outside, 2));
}

TEST_F(PointView, CtrlAndTheWheelZoomAboutThePointerInTheZoomSteps)
{
    const ListedPoint point = *ListedPointAt(window->model(), PointTable::Hours, 2, 4);
    const PixelPoint before = *pixelOf(point);
    const double zoom = window->view().zoomFactor;

    wheel(QPointF(before.x, before.y), 120, Qt::NoModifier); // the wheel alone does not zoom
    EXPECT_EQ(window->view().zoomFactor, zoom);

    wheel(QPointF(before.x, before.y), 120, Qt::ControlModifier);
    EXPECT_NEAR(window->view().zoomFactor, zoom * kZoomStep, 1e-12);
    const PixelPoint after = *pixelOf(point);
    EXPECT_NEAR(after.x, before.x, kPixelTol);
    EXPECT_NEAR(after.y, before.y, kPixelTol);

    // A fine wheel takes a step only once its turns add up to a notch.
    wheel(QPointF(before.x, before.y), -60, Qt::ControlModifier);
    EXPECT_NEAR(window->view().zoomFactor, zoom * kZoomStep, 1e-12);
    wheel(QPointF(before.x, before.y), -60, Qt::ControlModifier);
    EXPECT_NEAR(window->view().zoomFactor, zoom, 1e-12);
}

TEST_F(PointView, ADoubleClickOnAHourShadowOrDateRowShowsItsPointUntilTheNextCalculation)
{
    const std::pair<const char*, const char*> tables[] = {
        {"StrGridStd", "TsDat"}, {"StrGridShad", "tsShade"}, {"StrGridDat", "TSAnaDat"}};
    for (const auto& [table, page] : tables) {
        SCOPED_TRACE(table);
        showPage(page);
        doubleClickCell(get<GridView>(table), 3, 2);
        expectShownAndMarked();
    }
    // A double click on the header names no point and changes nothing.
    const ViewState view = window->view();
    showPage("TsDat");
    doubleClickCell(get<GridView>("StrGridStd"), 0, 2);
    EXPECT_EQ(window->view().panX, view.panX);

    QTest::mouseClick(get<QPushButton>("BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(window->markedPoint());
}

TEST_F(PointView, TheLoopTablesShowTheirPointFromTheirMenu)
{
    action("analemmat7")->trigger();
    QTest::mouseClick(get<RadioGroup>("rgTyp")->button(1), Qt::LeftButton);
    ASSERT_TRUE(window->model().state.doubleAnalemmaActive);
    showPage("tsSlope");
    GridView* morning = get<GridView>("StrGrid8b");
    const QPoint at = morning->visualRect(morning->model()->index(2, 1)).center();
    emit morning->customContextMenuRequested(at);
    auto* menu = get<QMenu>("PopupLoops");
    ASSERT_TRUE(menu->isVisible());
    menu->hide();
    get<QAction>("ShowInDrawing1")->trigger();
    expectShownAndMarked();
    EXPECT_EQ(window->markedPoint()->centre, DrawingCentre::Morning);
}

} // namespace
} // namespace umbrix
