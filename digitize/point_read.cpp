#include "digitize/point_read.h"

#include "calibration/number_text.h"
#include "calibration/work_state.h"

bool insideFrame(const WorkState &state, float x, float y)
{
    return x > state.StartPixelX && x < state.EndPixelX && y < state.StartPixelY
        && y > state.EndPixelY;
}

PointReadout readPoint(const WorkState &state, const CornerValues &values, float x, float y)
{
    PointReadout readout;
    const AxisValue xValue = PixelToAxisX(state, values, x);
    if (!xValue.value) {
        readout.fault = AxisFault{Axis::X, xValue.fault};
        return readout;
    }
    const AxisValue yValue = PixelToAxisY(state, values, y);
    if (!yValue.value) {
        readout.fault = AxisFault{Axis::Y, yValue.fault};
        return readout;
    }
    readout.xText = isXLogarithmic(state.AxisScale) ? formatScientificReadout(*xValue.value)
                                                    : formatFixedReadout(*xValue.value);
    readout.yText = isYLogarithmic(state.AxisScale) ? formatScientificReadout(*yValue.value)
                                                    : formatFixedReadout(*yValue.value);
    return readout;
}
