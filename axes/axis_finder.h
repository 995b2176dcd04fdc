#pragma once

#include "axes/axis_fit.h"
#include "calibration/axis_scale.h"
#include "calibration/calibration.h"
#include "axes/label_text.h"

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

// What the axes of a chart give: the two corners, in fractional picture
// pixels, with their values and the scale; or, when anything is uncertain,
// only the reason.
struct FoundAxes
{
    // The lowest and highest agreeing ticks of each axis, where the fit puts them.
    QPointF start; // lower left
    QPointF end;
    double xs = 0, ys = 0, xe = 0, ye = 0;
    AxisScale scale = AxisScale::Unset;
    double residual = 0; // the larger of the two axes' fit residuals, in pixels
    double angle = 0;    // the tilt of the X axis line, in degrees (counter-clockwise)
    QString failure;

    bool found() const { return failure.isEmpty(); }
    // The four values as the corner fields take them (Text1 ... Text4), exactly.
    CornerTexts texts() const;
};

// The geometry found on the way, for diagnostics and tests.
struct AxesGeometry
{
    double xAxisRow = 0, yAxisColumn = 0;    // centre lines
    int xAxisLeft = 0, xAxisRight = 0;       // the X axis line's extent
    int yAxisTop = 0, yAxisBottom = 0;
    double angle = 0; // the X axis line's tilt, in degrees
    std::vector<double> xTicks, yTicks;      // tick centres along each axis
    std::vector<double> xCrossings, yCrossings; // frame lines crossing each axis
    std::vector<LabelBox> xLabels, yLabels;
};

// The axis lines and their ticks and label boxes, or the reason none were found.
std::optional<AxesGeometry> findAxesGeometry(const QImage &picture, QString *failure);

// Finds the axes, reads their labels with `read` and fits both scales.
FoundAxes findAxes(const QImage &picture, const LabelReader &read);
