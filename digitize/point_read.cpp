#include "digitize/point_read.h"

#include "calibration/calibration.h"
#include "calibration/number_text.h"

bool insideFrame(const Calibration &calibration, float x, float y)
{
    return x > calibration.start.x && x < calibration.end.x && y < calibration.start.y
        && y > calibration.end.y;
}

PointReadout readPoint(const Calibration &calibration, float x, float y)
{
    PointReadout readout;
    const AxisValue xValue = PixelToAxisX(calibration, x);
    const AxisValue yValue = PixelToAxisY(calibration, y);
    if ((readout.fault = firstFault(xValue, yValue)))
        return readout;
    readout.xText = calibration.xLogarithmic() ? formatScientificReadout(*xValue.value)
                                               : formatFixedReadout(*xValue.value);
    readout.yText = calibration.yLogarithmic() ? formatScientificReadout(*yValue.value)
                                               : formatFixedReadout(*yValue.value);
    return readout;
}
