#pragma once

#include <QImage>
#include <QRect>

#include <optional>

// Plot areas drawn as a shaded panel with white grid lines and no axis lines
// (the default of several plotting styles).

// The panel: the rectangle filled with one light grey, and that grey.
struct PlotPanel
{
    QRect rect;
    int grey = 255;
};

// The panel of a picture, when a light grey fills most of one large rectangle.
std::optional<PlotPanel> findPlotPanel(const QImage &grey);

// The picture in grey levels with the panel's grey (and its lighter grid
// lines) made white and its four edges drawn as one-pixel black lines on
// its outermost rows and columns: a frame the axis lines are found on, the
// outward ticks beside it.
QImage panelAsFrame(const QImage &grey, const PlotPanel &panel);
