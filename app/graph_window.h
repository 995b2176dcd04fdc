#pragma once

#include <span>

#include <QWidget>

class PictureBox;
class QPushButton;
struct Calibration;
struct GraphDrawOutcome;

// Form2, "Digitalized Graph": a white picture box on which the last trace is
// redrawn, and a "Close" button over its lower right corner.
class GraphWindow : public QWidget
{
    Q_OBJECT

public:
    explicit GraphWindow(QWidget *parent);

    // Redraws the picture box from the calibration and the rows picked in the
    // traced columns. On a fault the drawing is left as it was.
    GraphDrawOutcome draw(const Calibration &calibration, std::span<const float> pickedRows);

    PictureBox *Picture1; // the redrawn graph
    QPushButton *Command1; // "Close"
};
