#include "calibration/axis_mapping.h"

#include "calibration/typed_number.h"
#include "calibration/calibration.h"

#include <QString>

#include <cmath>

namespace {

// A logarithmic axis is defined only for finite, non-zero start values, a
// positive ratio of end to start and two different corner pixels.
std::optional<MappingFault> logarithmicFault(const AxisCalibration &axis)
{
    if (!std::isfinite(axis.startValue) || !std::isfinite(axis.endValue))
        return MappingFault::OutOfRange;
    if (axis.startValue == 0)
        return MappingFault::LogStartZero;
    if (!(axis.endValue / axis.startValue > 0))
        return MappingFault::LogRatioNotPositive;
    if (axis.endPixel - axis.startPixel == 0.0f)
        return MappingFault::ZeroSpan;
    return std::nullopt;
}

AxisValue finiteOrFault(double value, MappingFault fault)
{
    if (std::isfinite(value))
        return {value, fault};
    return {std::nullopt, fault};
}

} // namespace

std::optional<AxisFault> firstFault(const AxisValue &x, const AxisValue &y)
{
    if (!x.value)
        return AxisFault{Axis::X, x.fault};
    if (!y.value)
        return AxisFault{Axis::Y, y.fault};
    return std::nullopt;
}

bool isXLogarithmic(AxisScale scale)
{
    return scale == AxisScale::LogLog || scale == AxisScale::LogLinear;
}

bool isYLogarithmic(AxisScale scale)
{
    return scale == AxisScale::LinearLog || scale == AxisScale::LogLog;
}

AxisValue AxisCalibration::readoutValue(float p) const
{
    const float offset = p - startPixel;
    const float span = endPixel - startPixel;
    if (!logarithmic) {
        if (span == 0.0f)
            return {std::nullopt, MappingFault::ZeroSpan};
        const float fraction = offset / span;
        return finiteOrFault(startValue + (endValue - startValue) * double(fraction),
                             MappingFault::OutOfRange);
    }
    if (const auto fault = logarithmicFault(*this))
        return {std::nullopt, *fault};
    const double k = std::log(endValue / startValue) / double(span);
    return finiteOrFault(startValue * std::exp(k * double(offset)), MappingFault::OutOfRange);
}

AxisValue PixelToAxisX(const Calibration &calibration, float x)
{
    return calibration.xAxis().readoutValue(x);
}

AxisValue PixelToAxisY(const Calibration &calibration, float y)
{
    return calibration.yAxis().readoutValue(y);
}

CornerValues readCornerValues(const QString &text1, const QString &text2,
                              const QString &text3, const QString &text4)
{
    return {readTypedNumber(text1), readTypedNumber(text2), readTypedNumber(text3),
            readTypedNumber(text4)};
}
