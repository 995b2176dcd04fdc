#pragma once

#include <QWidget>

class PictureBox;
class QPushButton;

// Form2, "Digitalized Graph": a white picture box on which the last trace is
// redrawn, and a "Close" button over its lower right corner.
class GraphWindow : public QWidget
{
    Q_OBJECT

public:
    explicit GraphWindow(QWidget *parent);

    PictureBox *Picture1;
    QPushButton *Command1;
};
