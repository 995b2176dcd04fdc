#pragma once

#include "calibration/axis_mapping.h"

#include <QString>

#include <optional>

struct Calibration;

// A press counts only strictly inside the captured frame: right of the start
// point, left of the end point, above the start point and below the end point.
bool insideFrame(const Calibration &calibration, float x, float y);

// The read-outs of one digitized point, or the axis that has no value.
struct PointReadout
{
    QString xText;
    QString yText;
    std::optional<AxisFault> fault;
};

// Maps (x, y) under the calibration's scale and formats each value in its
// axis's read-out format: "0.000E+00" on a logarithmic axis, else "#####0.000".
PointReadout readPoint(const Calibration &calibration, float x, float y);
