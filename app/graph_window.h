#pragma once

#include "calibration/work_state.h"

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

    // Redraws the picture box from the calibration and the traced rows. On a
    // fault the drawing is left as it was.
    GraphDrawOutcome draw(const Calibration &calibration, const WorkState::CurveTable &curveY);

    PictureBox *Picture1; // the redrawn graph
    QPushButton *Command1; // "Close"
};
