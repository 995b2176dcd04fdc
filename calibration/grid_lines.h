#pragma once

#include "calibration/axis_mapping.h"

#include <optional>
#include <vector>

struct Calibration;

// Round axis values between a and b (either order, both ends included):
// on a linear axis multiples of a step of 1, 2 or 5 x 10^n giving about 5 to
// 10 values; on a logarithmic axis every decade (with a sign shared by both
// ends), plus 2 ... 9 times each decade when a and b lie at most 3 decades
// apart. Nothing for an empty or non-finite range.
std::vector<double> linearGridValues(double a, double b);
std::vector<double> logarithmicGridValues(double a, double b);

// One grid line: its axis value and where it lies on the picture.
struct GridLine
{
    double value = 0;
    double pixel = 0;
};

// The grid of a calibration: vertical lines at round X values, horizontal
// ones at round Y values, each at the pixel the calibration gives it; or the
// axis whose mapping is undefined.
struct CalibrationGrid
{
    std::vector<GridLine> xLines;
    std::vector<GridLine> yLines;
    std::optional<AxisFault> fault;
};

CalibrationGrid calibrationGrid(const Calibration &calibration);
