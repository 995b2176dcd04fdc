#pragma once

#include "calibration/axis_mapping.h"

#include <QColor>

#include <optional>
#include <span>

class QFont;
class QImage;
struct Calibration;

struct GraphDrawOutcome
{
    // Set when an axis has no defined decade count or a corner value is out
    // of range; the surface was then left untouched.
    std::optional<AxisFault> fault;
    // The frame had more columns than the picked rows; the curve stops at its end.
    bool truncated = false;
};

// The decade count of a logarithmic axis, ln(end / start) / ln 10, or the
// reason it has none.
AxisValue decadeCount(double startValue, double endValue);

// Redraws the last trace on a white surface at the pixel positions it had in
// the picture: the frame (pen 2), decade grid lines of each logarithmic axis
// (pen 1), the curve in red (pen 2) through the rows picked in the trace's
// columns (pickedRows[k] for traced column k + 1; it stops where they end) and
// the four corner values as labels in the general number format. Frame, grid
// and labels take the foreground colour.
GraphDrawOutcome drawGraph(QImage &surface, const Calibration &calibration,
                           std::span<const float> pickedRows, const QFont &labelFont,
                           const QColor &foreground = Qt::black);
