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
    // Point k lies in traced column firstColumn + k: a followed path may
    // start after the frame's first column.
    int firstColumn = 0;
    // Points on a followed path where the curve was hidden, drawn straight
    // between their neighbours.
    std::vector<int> bridged;
    // The followed path ended before the frame did: the curve stayed hidden
    // for longer than a bridge reaches.
    bool endedEarly = false;

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

// Points of a trace that lie more than this from the followed curve are doubtful.
inline constexpr double SuspectDistance = 3;

// Where a trace is doubtful: its points more than SuspectDistance pixels
// from the curve that the followed path finds (in the trace's own options,
// through their seed when they have one), and the points where that path is
// bridged. Point indices; columns the path does not reach are not judged.
struct TraceQuality
{
    std::vector<int> suspect;
    std::vector<int> bridged;
};

TraceQuality traceQuality(const QImage &surface, const Calibration &calibration, const TraceOptions &options,
                          const TraceResult &trace, QPoint origin = QPoint());

// The fault every trace under this calibration meets, whatever the picture:
// an undefined axis, a zero span, or values beyond range at the frame's edges.
std::optional<AxisFault> traceFault(const Calibration &calibration, const TraceOptions &options = {});

// The picture pixels the trace reads (empty when it reads none).
QRect traceArea(const Calibration &calibration, const TraceOptions &options = {});
