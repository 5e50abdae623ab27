#pragma once
// The page "tsSimulation": what the finished dial shows at any instant. A date and a standard time of the
// zone meridian (never summer time), "Now" (the system clock's instant in that time), and Play, which
// advances the instant by 5 minutes every 200 ms until the end of the hour range or sunset and pauses on a
// second press. The construction is drawn with the gnomon on its position, the sun's direction and the
// shadow of a gnomon of gnomonHeight; beside it the time read, the dial's time, the clock time with the
// difference, and the correction table of a plaque. Drawing an instant reads the dial as the last
// calculation left it and never calculates it again.

#include "core/correction_table.h"
#include "core/model.h"
#include "core/simulation.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

class QDateTimeEdit;
class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

namespace umbrix {

/// Seconds since 1970-01-01 00:00 UTC.
using SystemClock = std::function<std::int64_t()>;

constexpr int kPlayStepMinutes = 5; // the instant advances this much at every tick of Play
constexpr int kPlayTickMs = 200;    // the ticks' interval

class SimulationPage : public QWidget {
    Q_OBJECT
public:
    /// The page reads `model` (owned by the window) and never writes into it.
    SimulationPage(const Model& model, QWidget* parent);

    /// The dial was calculated anew: the texts and the table show the instant on it at once, the picture
    /// once the calculation has finished (the window's event loop) when the page is shown, else when it is
    /// next shown.
    void dialChanged();
    /// Puts the current language on the captions, the picture and the table.
    void relabel();

    /// Shows `instant` (a valid instant of 1700..2100); the date and time control follows it.
    void setInstant(const Instant& instant);
    const Instant& instant() const { return instant_; }
    /// The simulation shown; none when the dial cannot show the instant.
    const std::optional<Simulation>& simulation() const { return simulation_; }
    const CorrectionTable& correction() const { return correction_; }

    /// "Now": the clock's instant in standard time of the zone meridian.
    void nowClicked();
    /// Play, or Pause while it plays.
    void playClicked();
    /// One tick of Play: the instant 5 minutes later; Play stops at the end of the hour range or at sunset.
    void tick();
    bool playing() const;

    /// Replaces the system clock (tests give a fixed one).
    void setClock(SystemClock clock) { clock_ = std::move(clock); }
    QTimer* timer() const { return timer_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();
    void simulate();
    void display();     // the texts and the table
    void drawPicture(); // the construction with the instant
    void showPlayCaption();
    void instantEdited();

    const Model& model_;
    Instant instant_;
    std::optional<Simulation> simulation_;
    CorrectionTable correction_;
    bool stale_ = true;   // the picture does not show the instant on the current dial
    bool queued_ = false; // a new picture waits for the event loop
    SystemClock clock_;

    QLabel* instantCaption_ = nullptr;
    QDateTimeEdit* instantEdit_ = nullptr;
    QPushButton* now_ = nullptr;
    QPushButton* play_ = nullptr;
    QTimer* timer_ = nullptr;
    QLabel* picture_ = nullptr;
    QLabel* reading_ = nullptr;
    QLabel* dialTime_ = nullptr;
    QLabel* clockTime_ = nullptr;
    QLabel* difference_ = nullptr;
    QLabel* sun_ = nullptr;
    QLabel* gnomon_ = nullptr;
    QLabel* correctionHeading_ = nullptr;
    QTableWidget* correctionTable_ = nullptr;
};

} // namespace umbrix
