#pragma once
// The page "tsAccuracy": how right the dial is. The design-error map of the finished dial as a heat map
// (dates down, full hours across, the picture of umbrix-cli --svg-accuracy) and as a table of minutes, its
// largest and mean magnitude and its worst cell, and the error budget per hour point and per date mark
// with the worst value of each column. The map is computed only while the page is shown: a calculation
// while it is hidden only marks it stale, and showing the page computes it then.

#include "core/accuracy.h"
#include "core/model.h"

#include <QWidget>

#include <optional>

class QLabel;
class QTableWidget;

namespace umbrix {

class ScaledPicture;

class AccuracyPage : public QWidget {
public:
    /// The page reads `model` (owned by the window) and never writes into it.
    AccuracyPage(const Model& model, QWidget* parent);

    /// The dial was calculated anew: the page computes again once the calculation has finished (the
    /// window's event loop) when it is shown, else when it is next shown.
    void dialChanged();
    /// Puts the current language on the captions, the picture and the tables.
    void relabel();

    /// For tests: the map and the budget of the last computation, and how many computations there were.
    const std::optional<DesignErrorMap>& designError() const { return map_; }
    const std::optional<ErrorBudget>& errorBudget() const { return budget_; }
    int computations() const { return computations_; }
    bool stale() const { return stale_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void compute();
    void display();

    const Model& model_;
    std::optional<DesignErrorMap> map_;
    std::optional<ErrorBudget> budget_;
    bool stale_ = true;
    bool queued_ = false; // a computation waits for the event loop
    int computations_ = 0;

    ScaledPicture* picture_ = nullptr;
    QLabel* maxAbs_ = nullptr;
    QLabel* meanAbs_ = nullptr;
    QLabel* worst_ = nullptr;
    QLabel* ambiguous_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* budgetHeading_ = nullptr;
    QLabel* hoursHeading_ = nullptr;
    QLabel* datesHeading_ = nullptr;
    QTableWidget* hourBudget_ = nullptr;
    QTableWidget* dateBudget_ = nullptr;
};

} // namespace umbrix
