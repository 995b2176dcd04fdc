#pragma once

#include "calibration/axis_mapping.h"

#include <optional>

class QImage;
struct WorkState;

// What one run of the automatic trace did.
struct TraceOutcome
{
    // Set when an axis has no defined mapping; the state was then left as it was.
    std::optional<AxisFault> fault;
    int pointCount = 0;
    // The frame held more columns than the tables; only the first 1000 were traced.
    bool truncated = false;
};

// The automatic trace. Walks the columns Sx + 2 ... Ex - 2 of the frame and
// picks in each the topmost row, among Ey + 3 ... Sy - 15, whose pixel has the
// smallest green component below 255; a column without one repeats the row
// picked before it (row 0 before the first). Pixels outside the surface count
// as green 255.
//
// On success it replaces PointCount, Points and CurveY entries 1 ... count and
// sets ClickMode to 0. When any value would be undefined it changes nothing.
TraceOutcome traceCurve(const QImage &surface, const CornerValues &values, WorkState &state);

// The green component of surface pixel (x, y), 255 outside the surface.
int greenAt(const QImage &surface, int x, int y);
