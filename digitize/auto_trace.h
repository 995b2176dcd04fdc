#pragma once

#include "calibration/axis_mapping.h"
#include "calibration/work_state.h"

#include <QRgb>
#include <QPoint>
#include <QRect>

#include <optional>
#include <vector>

class QImage;
struct Calibration;

// Which row of a dark line a column's point is read from.
enum class LineRule {
    Top,    // the topmost of the darkest pixels (the window's rule)
    Centre, // the weighted centre of the line around that pixel, sub-pixel
};

struct TraceOptions
{
    // Columns traced at most; 0 means no limit. The window's tables hold 1000.
    int maxColumns = WorkState::TableLast;
    LineRule line = LineRule::Top;
    // When set, each column picks the pixel nearest to this colour, among
    // those within `tolerance` (RGB distance), instead of the darkest one.
    std::optional<QRgb> colour;
    int tolerance = 60;
};

// What one run of the automatic trace found: for traced column k the X and Y
// axis values and the picture row picked, or the axis that has no defined
// mapping (then there are no points).
struct TraceResult
{
    std::optional<AxisFault> fault;
    std::vector<double> xs;
    std::vector<double> ys;
    std::vector<float> rows;
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

// Keeps a trace as the last one: PointCount, and entries 1 ... count of
// Points and CurveY (later entries keep what they held). The trace must fit
// the tables.
void storeTrace(const TraceResult &trace, WorkState &state);
