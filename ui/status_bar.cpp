// The status bar: the pointer's position on the drawing in the design's unit, the drawing's scale and
// zoom, the time the last calculation took, and the confirmation of every save.

#include "graphics/view_fit.h"
#include "text/own_texts.h"
#include "ui/image_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

#include <QLabel>
#include <QStatusBar>

namespace umbrix {

void MainWindow::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    auto label = [bar](const char* name) {
        auto* shown = new QLabel(bar);
        shown->setObjectName(QString::fromLatin1(name));
        bar->addPermanentWidget(shown);
        return shown;
    };
    statusCursor_ = label("StatusCursor1");
    statusScale_ = label("StatusScale1");
    statusTime_ = label("StatusTime1");
    Image1->setMouseTracking(true);
    connect(Image1, &ImageView::pointerMoved, this, &MainWindow::showCursorPosition);
}

void MainWindow::showCursorPosition(QPointF pixel)
{
    // The inverse of the screen mapping: x = (pixelX - centreX - panX) / (z S), y = -(pixelY - centreY - panY) / (z S).
    const FitFrame frame = ScreenFitFrame(model_, Image1->width(), Image1->height());
    const double scale = frame.pixelsPerUnit * view_.zoomFactor;
    if (drawingBlanked_ || !(scale > 0)) {
        statusCursor_->clear();
        return;
    }
    const double x = (pixel.x() - frame.centreXPx - view_.panX) / scale;
    const double y = -(pixel.y() - frame.centreYPx - view_.panY) / scale;
    const LengthUnit unit = model_.params.lengthUnit;
    const std::string symbol(UnitName(unit));
    statusCursor_->setText(ToQt(OwnTextWith(model_.state.language, OwnText::StatusCursor,
                                            FormatLength(x, unit) + " " + symbol, FormatLength(y, unit) + " " + symbol)));
}

void MainWindow::showScaleAndTime()
{
    if (!statusScale_)
        return;
    const LanguageState& lang = model_.state.language;
    const FitFrame frame = ScreenFitFrame(model_, Image1->width(), Image1->height());
    const double scale = frame.pixelsPerUnit * view_.zoomFactor;
    if (scale > 0 && !drawingBlanked_)
        statusScale_->setText(ToQt(OwnTextWith(lang, OwnText::StatusScale,
                                               FormatDecimals(scale, scale < 10 ? 2 : 1),
                                               std::string(UnitName(model_.params.lengthUnit))))
                                  .replace(QStringLiteral("%3"), ToQt(FormatDecimals(view_.zoomFactor, 2))));
    else
        statusScale_->clear();
    if (lastCalculationMs_ >= 0)
        statusTime_->setText(ToQt(OwnTextWith(lang, OwnText::StatusCalcTime, std::to_string(qRound(lastCalculationMs_)))));
}

} // namespace umbrix
