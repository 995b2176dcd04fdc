#pragma once

#include "calibration/axis_mapping.h"
#include "calibration/axis_scale.h"

#include <QString>

#include <array>
#include <optional>

// The four corner fields' texts as typed: start X, start Y, end X, end Y
// (Text1 ... Text4).
using CornerTexts = std::array<QString, 4>;

CornerValues readCornerValues(const CornerTexts &texts);

// A picture position of a calibration corner, in surface pixels.
struct CornerPixel
{
    float x = 0;
    float y = 0;
    friend bool operator==(const CornerPixel &, const CornerPixel &) = default;
};

// Everything that ties picture pixels to axis values: the two corners'
// pixels, their typed values and the scale. The window fills it from its
// working state and fields; the calibration file and the command-line tracer
// fill it from their own sources.
struct Calibration
{
    CornerPixel start; // lower left corner of the plot frame
    CornerPixel end;   // upper right corner
    CornerValues values;
    AxisScale scale = AxisScale::LinearLinear;

    bool xLogarithmic() const { return isXLogarithmic(scale); }
    bool yLogarithmic() const { return isYLogarithmic(scale); }
    AxisCalibration xAxis() const;
    AxisCalibration yAxis() const;
};
