// The status bar: the pointer's position on the drawing in the design's unit, the drawing's scale and
// zoom, the time the last calculation took, and the confirmation of every save.

#include "graphics/view_fit.h"
#include "text/own_texts.h"
#include "ui/image_view.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

#include <QLabel>
#include <QStatusBar>

#include <cmath>
#include <cstdio>
namespace umbrix {

namespace {

constexpr double kPickRadiusPx = 10; // a mark this close to the pointer is named in the status bar

/// Decimal hours as "HH:MM", rounded to the minute.
std::string ClockText(double hours)
{
    const long minutes = std::lround(hours * 60.0);
    const long h = ((minutes / 60) % 24 + 24) % 24;
    const long m = ((minutes % 60) + 60) % 60;
    char text[8];
    std::snprintf(text, sizeof text, "%02ld:%02ld", h, m);
    return text;
}

} // namespace

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
    QString text = ToQt(OwnTextWith(model_.state.language, OwnText::StatusCursor, FormatLength(x, unit) + " " + symbol,
                                    FormatLength(y, unit) + " " + symbol));
    // The hour mark and the date mark under the pointer, on the dials whose marks stand at their own
    // coordinates about one centre (not the split dial's two halves).
    if (!model_.state.doubleAnalemmaActive) {
        const double pickUnits = kPickRadiusPx / scale;
        const Results& r = model_.results;
        std::string hour;
        double nearest = pickUnits;
        for (int i = 1; i <= r.hourPointCount && i < static_cast<int>(r.hourPoints.size()); ++i) {
            const double d = std::hypot(r.hourPoints[i].x - x, r.hourPoints[i].y - y);
            if (d < nearest) {
                nearest = d;
                hour = ClockText(r.hourPoints[i].time);
            }
        }
        std::string date;
        nearest = pickUnits;
        for (int i = 1; i <= kDateMarkSlots && !r.dateMarks[i].label.empty(); ++i) {
            const double d = std::hypot(r.dateMarks[i].x - x, r.dateMarks[i].y - y);
            if (d < nearest) {
                nearest = d;
                date = r.dateMarks[i].label;
            }
        }
        if (!hour.empty() || !date.empty())
            text += QStringLiteral("   ") +
                    (hour.empty() || date.empty()
                         ? ToQt(hour + date)
                         : ToQt(OwnTextWith(model_.state.language, OwnText::StatusHourDate, hour, date)));
    }
    statusCursor_->setText(text);
}

void MainWindow::showScaleAndTime()
{
    if (!statusScale_)
        return;
    const LanguageState& lang = model_.state.language;
    const FitFrame frame = ScreenFitFrame(model_, Image1->width(), Image1->height());
    const double scale = frame.pixelsPerUnit * view_.zoomFactor;
    if (scale > 0 && !drawingBlanked_)
        statusScale_->setText(ToQt(OwnTextWith(lang, OwnText::StatusScale, FormatDecimals(scale, scale < 10 ? 2 : 1),
                                               std::string(UnitName(model_.params.lengthUnit))))
                                  .replace(QStringLiteral("%3"), ToQt(FormatDecimals(view_.zoomFactor, 2))));
    else
        statusScale_->clear();
    if (lastCalculationMs_ >= 0)
        statusTime_->setText(
            ToQt(OwnTextWith(lang, OwnText::StatusCalcTime, std::to_string(qRound(lastCalculationMs_)))));
}

} // namespace umbrix
