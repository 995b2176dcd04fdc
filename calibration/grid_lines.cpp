#include "calibration/grid_lines.h"

#include "calibration/axes_transform.h"
#include "calibration/calibration.h"

#include <cmath>

namespace {

// A logarithmic axis of many decades shows every n-th decade, so that its
// lines stay apart.
constexpr int MaxDecadeLines = 25;
// A linear axis shows at most this many lines.
constexpr int MaxLinearLines = 10;
// A corner typed on a step or a decade (1E3 for 1000) counts as on it,
// whatever the last bit of a division or product says.
constexpr double OnStepSlack = 1e-9;

bool usableRange(double a, double b)
{
    return std::isfinite(a) && std::isfinite(b) && a != b;
}

// The grid lines of one axis, each where the transform puts its value (the
// other axis held at its start value).
std::vector<GridLine> linesOf(const AxesTransform &transform, const AxisCalibration &axis, Axis which,
                              double otherStart)
{
    std::vector<GridLine> lines;
    const std::vector<double> values = axis.logarithmic ? logarithmicGridValues(axis.startValue, axis.endValue)
                                                        : linearGridValues(axis.startValue, axis.endValue);
    for (double value : values) {
        const auto pixel = which == Axis::X ? transform.toPixel(value, otherStart) : transform.toPixel(otherStart, value);
        if (pixel)
            lines.push_back({value, which == Axis::X ? pixel->x() : pixel->y()});
    }
    return lines;
}

} // namespace

std::vector<double> linearGridValues(double a, double b)
{
    std::vector<double> values;
    if (!usableRange(a, b) || !std::isfinite(b - a))
        return values;
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    // The smallest step of 1, 2 or 5 x 10^n that gives at most MaxLinearLines.
    const int first = int(std::floor(std::log10(hi - lo))) - 2;
    for (int n = first; n <= first + 4; ++n) {
        for (double m : {1.0, 2.0, 5.0}) {
            const double step = m * std::pow(10.0, n);
            // A corner typed on a step counts, whatever the last bit of the division.
            const double from = std::ceil(lo / step - OnStepSlack);
            const double to = std::floor(hi / step + OnStepSlack);
            if (!std::isfinite(from) || !std::isfinite(to) || to - from + 1 > MaxLinearLines)
                continue;
            for (double k = from; k <= to; ++k)
                values.push_back(k * step);
            return values;
        }
    }
    return values;
}

std::vector<double> logarithmicGridValues(double a, double b)
{
    std::vector<double> values;
    if (!usableRange(a, b) || a == 0 || b == 0 || (a < 0) != (b < 0))
        return values;
    const double sign = a < 0 ? -1 : 1;
    const double lo = std::min(std::fabs(a), std::fabs(b));
    const double hi = std::max(std::fabs(a), std::fabs(b));
    const double decades = std::log10(hi / lo);
    const bool withSubdivisions = decades <= 3;
    const int every = std::max(1, int(std::ceil(decades / MaxDecadeLines)));
    for (int n = int(std::floor(std::log10(lo))); n <= int(std::ceil(std::log10(hi))); ++n) {
        const double decade = std::pow(10.0, n);
        for (int m = 1; m <= (withSubdivisions ? 9 : 1); ++m) {
            if (m == 1 && n % every != 0)
                continue;
            const double value = m * decade;
            if (value >= lo * (1 - OnStepSlack) && value <= hi * (1 + OnStepSlack))
                values.push_back(sign * value);
        }
    }
    return values;
}

CalibrationGrid calibrationGrid(const Calibration &calibration)
{
    CalibrationGrid grid;
    AxisFault fault{};
    const auto transform = AxesTransform::fromCorners(calibration, &fault);
    if (!transform) {
        grid.fault = fault;
        return grid;
    }
    for (const auto &[axis, which] : {std::pair{calibration.xAxis(), Axis::X}, std::pair{calibration.yAxis(), Axis::Y}}) {
        if (axis.endPixel == axis.startPixel) {
            grid.fault = AxisFault{which, MappingFault::ZeroSpan};
            return grid;
        }
        if (!axis.logarithmic && (!std::isfinite(axis.startValue) || !std::isfinite(axis.endValue)
                                  || !std::isfinite(axis.endValue - axis.startValue))) {
            grid.fault = AxisFault{which, MappingFault::OutOfRange};
            return grid;
        }
    }
    grid.xLines = linesOf(*transform, calibration.xAxis(), Axis::X, calibration.values.startY);
    grid.yLines = linesOf(*transform, calibration.yAxis(), Axis::Y, calibration.values.startX);
    return grid;
}
