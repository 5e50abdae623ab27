#pragma once
// The figure-eight page of the split dial: the input table of the hours with the statistics below it, the
// choice of the default or the table hours with the button that starts the calculation, and the morning or
// afternoon loop table.

#include <QWidget>

class QLabel;
class QPushButton;

namespace umbrix {

class GridView;
class RadioGroup;

class FigureEightPage : public QWidget {
public:
    /// The page "tsSlope"; `helpContext` is the help topic it stands for.
    FigureEightPage(int helpContext, QWidget* parent);

    GridView* inputGrid() const { return input_; }          // StrGridEin
    GridView* statistics() const { return statistics_; }    // StrMittel
    GridView* afternoonLoops() const { return afternoon_; } // StrGrid8
    GridView* morningLoops() const { return morning_; }     // StrGrid8b
    RadioGroup* hoursChoice() const { return defaults_; }   // rgDefault
    RadioGroup* loopChoice() const { return shownLoops_; }  // rgAnzeige
    QPushButton* calculateButton() const { return go_; }    // btGo2

    /// Places the tables and controls for the page's size: the input table and the statistics at the left,
    /// the default/table choice and btGo2 beside them, the loop table at the right.
    void layOut();

private:
    QLabel* title_ = nullptr;
    GridView* input_ = nullptr;
    GridView* statistics_ = nullptr;
    GridView* afternoon_ = nullptr;
    GridView* morning_ = nullptr;
    RadioGroup* defaults_ = nullptr;
    RadioGroup* shownLoops_ = nullptr;
    QPushButton* go_ = nullptr;
};

} // namespace umbrix
