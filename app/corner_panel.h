#pragma once

#include "calibration/axis_scale.h"
#include "calibration/calibration.h"
#include "document/figure_document.h"

#include <QObject>

struct Form1Ui;


// The calibration panel's fields and the scale choice: the corner values
// typed in Text1 ... Text4, the corner pixels shown in Text5 ... Text8, and
// Option1 ... Option3. The one place that packs and unpacks them.
class CornerPanel : public QObject
{
    Q_OBJECT

public:
    CornerPanel(const Form1Ui &ui, QObject *parent);

    // The four values as typed: start X, start Y, end X, end Y.
    CornerTexts texts() const;
    void setTexts(CornerTexts texts);
    CornerValues values() const { return readCornerValues(texts()); }

    // The scale whose option is chosen; choosing one emits scaleChosen.
    void setScale(AxisScale scale);

    // Shows a corner's pixel position in its two read-outs.
    void showPixel(Corner corner, float x, float y);
    void clearPixels();

signals:
    // An option was chosen, by a click, an arrow key or setScale.
    void scaleChosen(AxisScale scale);
    // A typed value or the scale changed.
    void changed();

private:
    const Form1Ui &m_ui;
    bool m_settingTexts = false;
};
