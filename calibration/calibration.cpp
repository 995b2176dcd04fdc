#include "calibration/calibration.h"

#include "calibration/typed_number.h"

CornerValues readCornerValues(const CornerTexts &texts)
{
    return readCornerValues(texts[0], texts[1], texts[2], texts[3]);
}

AxisCalibration Calibration::xAxis() const
{
    return {start.x, end.x, values.startX, values.endX, xLogarithmic()};
}

AxisCalibration Calibration::yAxis() const
{
    return {start.y, end.y, values.startY, values.endY, yLogarithmic()};
}
