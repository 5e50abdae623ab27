#pragma once
// The page "Planner": the body-height planner of dials whose gnomon is a person (types 0 and 6). Its two
// inputs, the map of the shadow's reach over date marks and hours, the share of cells reached at today's
// semi-major axis, the recommended axis and the button that takes it.
//
// The map is computed only while the page is shown: a calculation of the dial marks it stale, and it is
// computed again when the page is next shown.

#include "core/fields.h"
#include "core/host.h"
#include "core/model.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace umbrix {

class ScaledPicture;

class PlannerPage : public QWidget {
    Q_OBJECT
public:
    /// `host` gives the window's message host when a message is shown; `recalculate` runs after an input or
    /// the recommendation was taken into the model (the window recalculates the dial and refreshes its pages
    /// there).
    PlannerPage(Model& model, std::function<Host&()> host, std::function<void()> recalculate, QWidget* parent);

    /// The dial was calculated anew: shown, the page computes its map at once; hidden, it waits until shown.
    void dialChanged();
    /// Whether the page shows a map older than the last calculation.
    [[nodiscard]] bool stale() const { return stale_; }
    /// How often the map was computed; for tests.
    [[nodiscard]] int computeCount() const { return computeCount_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void compute();
    void fieldLeft(QLineEdit& edit, const char* parameter);
    void applyRecommendation();
    void showMessages(const std::vector<UiMessage>& messages);

    Model& model_;
    std::function<Host&()> host_;
    std::function<void()> recalculate_;
    bool stale_ = true;
    int computeCount_ = 0;
    std::optional<double> recommendation_;

    QLabel* notForType_ = nullptr;
    QWidget* planner_ = nullptr; // everything but notForType_
    QLineEdit* bodyHeight_ = nullptr;
    QLabel* bodyUnit_ = nullptr;
    QLineEdit* coverage_ = nullptr;
    QLabel* reached_ = nullptr;
    QLabel* recommended_ = nullptr;
    QPushButton* apply_ = nullptr;
    QLabel* useCentimetres_ = nullptr;
    ScaledPicture* map_ = nullptr;
};

} // namespace umbrix
