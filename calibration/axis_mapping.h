#pragma once

#include <optional>

// The axis values typed for the two corners: Xs, Ys at the start point
// (lower left), Xe, Ye at the end point (upper right).
struct CornerValues
{
    double startX = 0;
    double startY = 0;
    double endX = 0;
    double endY = 0;
};

enum class Axis { X, Y };

// Why an axis has no defined value.
enum class MappingFault {
    LogStartZero,        // logarithmic axis with start value 0
    LogRatioNotPositive, // end value / start value is 0 or negative
    ZeroSpan,            // both corners on the same pixel column or row
    OutOfRange,          // a value or result beyond the double range
};

struct AxisFault
{
    Axis axis;
    MappingFault fault;
    friend bool operator==(const AxisFault &, const AxisFault &) = default;
};

// A mapped value, or the reason the axis has none.
struct AxisValue
{
    std::optional<double> value;
    MappingFault fault = MappingFault::OutOfRange; // meaningful only without a value
};

// One axis of the calibration: the pixel positions and typed values of its two
// corners. The Y axis runs from the start point's row to the end point's row.
// The fault of the first axis without a value, X before Y, or none.
std::optional<AxisFault> firstFault(const AxisValue &x, const AxisValue &y);

struct AxisCalibration
{
    float startPixel = 0;
    float endPixel = 0;
    double startValue = 0;
    double endValue = 0;
    bool logarithmic = false;

    // The value at pixel p as the point read-out computes it: the pixel
    // fraction in single precision on a linear axis, the rest in double.
    AxisValue readoutValue(float p) const;
};

struct Calibration;

// PixelToAxisX / PixelToAxisY: the axis value at picture column x or row y
// under the calibration's scale, in the point read-out's precision.
AxisValue PixelToAxisX(const Calibration &calibration, float x);
AxisValue PixelToAxisY(const Calibration &calibration, float y);

class QString;

// Reads the four corner fields' texts (Text1 ... Text4) as typed numbers.
CornerValues readCornerValues(const QString &text1, const QString &text2,
                              const QString &text3, const QString &text4);
