#pragma once

#include "calibration/axis_mapping.h"
#include "calibration/trace_options.h"

#include <QPoint>
#include <QRect>

#include <optional>
#include <vector>

class QImage;
struct Calibration;

// What one run of the automatic trace found: for traced column k the X and Y
// axis values and the picture row picked, or the axis that has no defined
// mapping (then there are no points).
struct TraceResult
{
    std::optional<AxisFault> fault;
    std::vector<double> xs;
    std::vector<double> ys;
    std::vector<float> pickedRows;
    // The frame held more columns than the limit; only the first were traced.
    bool truncated = false;

    int pointCount() const { return int(xs.size()); }
};

// The automatic trace. Walks the columns of the frame's trace bounds and
// picks in each the topmost row whose pixel has the smallest green component
// below 255; a column without one repeats the row picked before it (row 0
// before the first). Pixels outside the surface count as green 255.
// When any value would be undefined the result holds only the fault.
// The surface's top-left pixel is picture pixel `origin`: a surface cut from
// a larger picture is read at the same picture positions.
TraceResult traceCurve(const QImage &surface, const Calibration &calibration,
                       const TraceOptions &options = {}, QPoint origin = QPoint());

// The fault every trace under this calibration meets, whatever the picture:
// an undefined axis, a zero span, or values beyond range at the frame's edges.
std::optional<AxisFault> traceFault(const Calibration &calibration, const TraceOptions &options = {});

// The picture pixels the trace reads (empty when it reads none).
QRect traceArea(const Calibration &calibration, const TraceOptions &options = {});
